#pragma once
// A table as it leaves the program: the register's shown rows with their
// totals, or the district view. Both exports write these.
#include <ostream>
#include <string>
#include <vector>

#include "register/register_columns.h"
#include "register/register_row.h"

namespace reg {

struct ExportTable {
    std::string name; // the sheet's name
    std::vector<std::string> headers;
    std::vector<int> widths; // characters
    std::vector<std::vector<Cell>> rows;
    int totalsRows = 0;                    // the last rows that are totals
    std::vector<std::vector<bool>> marked; // per row and column: shown as faulty (red)
};

ExportTable CardsTable(const std::vector<const RegisterRow*>& rows);
ExportTable DistrictsTable(const std::vector<const RegisterRow*>& rows);

// CSV for Russian spreadsheets: UTF-8 with a byte-order mark, ";" between
// cells, CRLF line ends, cells quoted when they hold ; " or a line break.
void WriteCsv(const ExportTable& table, std::ostream& out);

// Writes `path` (UTF-8); an empty string on success, else what went wrong.
std::string WriteCsvFile(const ExportTable& table, const std::string& path);

// "Не удалось сохранить файл <path>".
std::string SaveFailedText(const std::string& path);

} // namespace reg
