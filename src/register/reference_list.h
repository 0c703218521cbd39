#pragma once
// The office's own list of the enterprises that must report: a CSV or an
// Excel workbook as an office keeps it, with a column headed «ИНН» and one
// headed «Наименование», «Название», «Предприятие» or «Организация» (in any
// letter case, anywhere in its first rows, other columns beside them).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace reg {

struct ReferenceEntry {
    std::string inn;
    std::string name;
};

struct ReferenceList {
    std::string file;                    // as given
    std::vector<ReferenceEntry> entries; // in the list's order, each INN once
};

// The list, or in `error` why it cannot be read (Russian, naming the file).
struct ReferenceReading {
    std::optional<ReferenceList> list;
    std::string error;
};

// Reads `path` (UTF-8): .xlsx as a workbook (its first sheet), anything else
// as CSV (UTF-8 with or without a byte-order mark, or Windows-1251; ";",
// "," or tab between cells).
ReferenceReading ReadReferenceFile(const std::string& path);
// The same from the file's bytes; `file` names it in the messages.
ReferenceReading ReferenceFromBytes(std::string_view bytes, bool xlsx, const std::string& file);

// An INN as typed or as a spreadsheet kept it: spaces left out, and a
// number that lost its leading zero (9 or 11 digits) gets it back.
std::string NormalizedInn(std::string_view text);

} // namespace reg
