#pragma once
// A table as it leaves the program: the register's shown rows with their
// totals, or the district view. Both exports write these.
#include <ostream>
#include <string>
#include <string_view>
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

// Whether a spreadsheet opening a CSV would take this text for something
// else: a formula (it starts, after any spaces, with = + - @, a tab or a
// line break), a number, date, time or fraction (it holds a digit: the
// office's Excel reads "01.11" as a date and drops an INN's leading zeros), a
// logical value (ИСТИНА, ЛОЖЬ, TRUE, FALSE) or an error value (it starts with
// #). Also a text starting with an apostrophe, so that no unguarded cell
// starts with one.
bool SpreadsheetReadsAsValue(std::string_view text);

// A cell as the CSV holds it (before the CSV's own quoting). A number is
// written as the office's Excel reads one: decimal comma, no separator of
// thousands (a typed amount with every digit typed, see PlainAmount). A text the spreadsheet would read as a value becomes the formula
// ="…" of the text, whose result Excel shows as the text itself: quotes
// inside are doubled, and a text longer than a formula's text constant (255
// characters) is joined from several by &. A text too long for any formula
// (8192 characters) keeps a leading apostrophe instead: Excel then shows the
// apostrophe but runs nothing. Every other text stands as it is.
std::string CsvCellText(const Cell& cell);

// CSV for Russian spreadsheets: UTF-8 with a byte-order mark, ";" between
// cells, CRLF line ends, cells quoted when they hold ; " or a line break.
// The headers stand as they are; every cell goes through CsvCellText.
void WriteCsv(const ExportTable& table, std::ostream& out);

// Writes `path` (UTF-8); an empty string on success, else what went wrong.
std::string WriteCsvFile(const ExportTable& table, const std::string& path);

// "Не удалось сохранить файл <path>".
std::string SaveFailedText(const std::string& path);

} // namespace reg
