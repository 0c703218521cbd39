#pragma once
// A table as it leaves the program: the register's shown rows with their
// totals, or the district view. Both exports write these.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "register/reference_list.h"
#include "register/register_columns.h"
#include "register/register_indicators.h"
#include "register/register_row.h"
#include "register/register_submissions.h"
#include "register/register_summary.h"

namespace reg {

// A column chart under a table (the workbook draws it natively): one series
// per value column over the first `rows` rows, named by the columns' headers,
// with the texts of the category column along the axis.
struct ChartSpec {
    std::string title;
    int categoryColumn = 0;
    std::vector<int> valueColumns;
    int rows = 0;
};

struct ExportTable {
    std::string name;               // the sheet's name
    std::vector<std::string> about; // what the sheet holds, lines above the table (workbook only)
    std::vector<std::string> headers;
    std::vector<int> widths; // characters
    std::vector<std::vector<Cell>> rows;
    int totalsRows = 0;                    // the last rows that are totals
    std::vector<std::vector<bool>> marked; // per row and column: shown as faulty (red)
    std::vector<int> decimals;             // per column: places shown (rounded for display only), -1 as it is
    std::optional<ChartSpec> chart;
};

ExportTable CardsTable(const std::vector<const RegisterRow*>& rows);
ExportTable DistrictsTable(const std::vector<const RegisterRow*>& rows);
// «Показатели»: per district and «Итого», each figure for the year, the year
// before and the change; a chart of Кч by district, this year beside the
// one before.
ExportTable IndicatorsTable(const IndicatorTable& indicators);
// «Сдали – не сдали» (a sheet's name cannot hold "/"): the enterprises that
// did not hand in, then the new ones.
ExportTable SubmissionsTable(const SubmissionLists& lists);

// What an export holds, for the lines above each sheet.
struct ExportInfo {
    std::vector<std::string> folders;
    std::string filter;               // "все карточки", or the window's filter in words
    std::optional<YearPeriod> period; // of the indicators and the lists
    std::string reference;            // the office's list, when one was given
    std::string date;                 // empty: now
};
std::vector<std::string> AboutLines(const ExportInfo& info);
// The program and its version, as the lines above each sheet name it.
std::string ProgramLine();

// Every sheet of an export: the shown cards with their totals and the
// districts, and with a year and period its indicators (over `all`, so the
// year before is there) and who handed in; each with the lines of `info`.
struct ExportContent {
    std::vector<const RegisterRow*> shown;
    std::vector<const RegisterRow*> all;
    const ReferenceList* reference = nullptr;
    ExportInfo info;
    // The district filter's item: the indicators and the lists are of that
    // district, as the lines above the sheets say.
    std::optional<int> district;
};
std::vector<ExportTable> ExportSheets(const ExportContent& content);

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

// "Не удалось сохранить файл <path>", and ": <reason>" when one is known.
std::string SaveFailedText(const std::string& path, const std::string& reason = {});
// Why a file could not be written, in words, from the C library's error
// number ("нет такой папки", "нет доступа", "на диске нет места"…).
std::string WriteErrorReason(int errorNumber);
// The reason for `path` that can be told before writing: its folder is
// missing, or it names a folder; empty otherwise.
std::string PathProblem(const std::string& path);

} // namespace reg
