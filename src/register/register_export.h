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

// One sheet per table: the lines of what it holds, a bold frozen header
// row, the columns' widths, numbers as numbers (with the table's decimal
// places as the cells' format, the value itself unrounded), totals in bold,
// marked cells in red, and its chart. An empty string on success, else what
// went wrong, in Russian, naming the file and the reason.
std::string WriteXlsx(const std::vector<ExportTable>& tables, const std::string& path);

// The sheets into `path`: a workbook of them all, or a CSV of the sheet
// `csvTable` alone. A CSV carries no lines of what it holds (a line before
// the header would break every program that reads the table); the workbook
// and the report say it. Refuses any other file name, so no card file can be
// overwritten by an export.
std::string ExportSheetsTo(const std::vector<ExportTable>& tables, const std::string& path, std::size_t csvTable = 0);

// The register into `path`: a workbook with the cards and the districts, or
// a CSV of `csvTable`. Refuses any other file name, so no card file can be
// overwritten by an export.
std::string ExportTables(const ExportTable& cards, const ExportTable& districts, const std::string& path,
                         bool csvDistricts = false);

} // namespace reg
