#pragma once
// Just enough of an Excel workbook (.xlsx) to take a list out of its first
// sheet: the zip container's entries (stored or deflated, through zlib) and
// the cells' texts from the shared strings and the sheet's XML. Whatever the
// file holds, nothing here crashes or takes more memory than the limits
// below: a damaged or hostile file is refused.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace reg {

// The most an entry may inflate to, and the most rows, cells and shared
// strings a sheet may give (an office's list has some thousands).
inline constexpr std::size_t kMaxZipEntryBytes = 64u << 20;
inline constexpr std::size_t kMaxSheetCells = 1u << 20;
// Columns beyond the first 16384 (Excel's last, XFD) are none.
inline constexpr int kMaxSheetColumns = 16384;

// The entry `name` of the zip archive `zip`; nullopt when the archive or the
// entry cannot be read (no such entry, damaged, encrypted, zip64, larger
// than kMaxZipEntryBytes, a bad CRC).
std::optional<std::string> ZipEntry(std::string_view zip, std::string_view name);

// A row as the sheet holds it: its non-empty cells as (column from 0, text),
// in the order they stand.
using SheetRow = std::vector<std::pair<int, std::string>>;

// The rows of the workbook's first sheet, texts as UTF-8, numbers as written
// in the sheet (a whole number without exponent: 7707083893); nullopt when
// `xlsx` is no workbook this can read.
std::optional<std::vector<SheetRow>> FirstSheetRows(std::string_view xlsx);

} // namespace reg
