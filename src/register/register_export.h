#pragma once
// Saving what the register shows: an Excel workbook (the cards with their
// totals, and the districts) or a CSV file of one table.
#include <string>
#include <vector>

#include "register/register_table.h"

namespace reg {

enum class ExportFormat { None, Xlsx, Csv };

// By the file name's ending (.xlsx or .csv, any letter case).
ExportFormat ExportFormatOf(const std::string& path);

// One sheet per table: a bold frozen header row, the columns' widths,
// numbers as numbers, totals in bold and marked cells in red. An empty
// string on success, else what went wrong.
std::string WriteXlsx(const std::vector<ExportTable>& tables, const std::string& path);

// The register into `path`: a workbook with the cards and the districts, or
// a CSV of `csvTable`. Refuses any other file name, so no card file can be
// overwritten by an export.
std::string ExportTables(const ExportTable& cards, const ExportTable& districts, const std::string& path,
                         bool csvDistricts = false);

} // namespace reg
