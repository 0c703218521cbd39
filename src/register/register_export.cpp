#include "register/register_export.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <string_view>
#include <tuple>

#include <xlsxwriter.h>

#include "card/text_rules.h"
#include "card/utf8.h"
#include "register/workbook_file.h"

namespace reg {
namespace {

bool EndsWith(const std::string& path, const std::string& ending)
{
    const std::string text = card::AsciiLower(path);
    return text.size() > ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// A control character XML cannot carry as it is: the workbook spells it
// _xHHHH_. Tab and line feed stand as they are; NUL is no character here.
bool IsSpelledControl(char c) { return c > 0 && c < 0x20 && c != '\t' && c != '\n'; }

// A text as the workbook can hold it, so that Excel shows what the card
// holds. libxlsxwriter takes C strings, so a NUL would end the text there,
// and XML cannot carry it (nor U+FFFE and U+FFFF, nor bytes that are no
// UTF-8, which libxlsxwriter copies as they are): each shows as U+FFFD. The
// workbook spells other control characters as _xHHHH_ (done here, so that
// the next rule sees the spelling), and a "_" that would start such a
// spelling, the text's own or one made with a spelled character after it,
// is itself spelled _x005F_.
std::string XlsxText(std::string_view bytes)
{
    const std::string text = card::ValidUtf8(bytes);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\0') {
            out += card::kReplacementCharacter;
        } else if (text.compare(i, 3, "\xEF\xBF\xBE") == 0 || text.compare(i, 3, "\xEF\xBF\xBF") == 0) {
            out += card::kReplacementCharacter;
            i += 2;
        } else if (IsSpelledControl(c)) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "_x00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
            out += '_';
        } else if (c == '_' && i + 6 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')
                   && std::all_of(text.begin() + i + 2, text.begin() + i + 6, IsHexDigit)
                   && (text[i + 6] == '_' || IsSpelledControl(text[i + 6]))) {
            out += "_x005F_";
        } else {
            out += c;
        }
    }
    return out;
}

// The workbook's cell formats, made once per kind of cell: bold totals, red
// marks, a number of decimal places.
class Formats {
public:
    explicit Formats(lxw_workbook* book)
        : book_(book)
    {
        header_ = workbook_add_format(book);
        format_set_bold(header_);
        format_set_text_wrap(header_);
        format_set_align(header_, LXW_ALIGN_VERTICAL_TOP);
        about_ = workbook_add_format(book);
        format_set_italic(about_);
    }
    lxw_format* header() const { return header_; }
    lxw_format* about() const { return about_; }
    // nullptr for a plain cell, as libxlsxwriter takes it.
    lxw_format* cell(bool total, bool marked, int decimals)
    {
        if (!total && !marked && decimals < 0)
            return nullptr;
        lxw_format*& format = cells_[{total, marked, decimals}];
        if (!format) {
            format = workbook_add_format(book_);
            if (total)
                format_set_bold(format);
            if (marked)
                format_set_font_color(format, LXW_COLOR_RED);
            if (decimals >= 0)
                format_set_num_format(format, decimals == 0 ? "0" : ("0." + std::string(decimals, '0')).c_str());
        }
        return format;
    }

private:
    lxw_workbook* book_;
    lxw_format* header_;
    lxw_format* about_;
    std::map<std::tuple<bool, bool, int>, lxw_format*> cells_;
};

// The chart under its table: one column series per value column.
void InsertChart(lxw_workbook* book, lxw_worksheet* sheet, const ExportTable& table, const ChartSpec& spec,
                 lxw_row_t firstRow)
{
    lxw_chart* chart = workbook_add_chart(book, LXW_CHART_COLUMN);
    const std::string name = XlsxText(table.name);
    const auto lastRow = static_cast<lxw_row_t>(firstRow + static_cast<lxw_row_t>(spec.rows) - 1);
    for (int column : spec.valueColumns) {
        lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
        const auto col = static_cast<lxw_col_t>(column);
        const auto categories = static_cast<lxw_col_t>(spec.categoryColumn);
        chart_series_set_categories(series, name.c_str(), firstRow, categories, lastRow, categories);
        chart_series_set_values(series, name.c_str(), firstRow, col, lastRow, col);
        chart_series_set_name_range(series, name.c_str(), firstRow - 1, col);
    }
    chart_title_set_name(chart, XlsxText(spec.title).c_str());
    chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
    lxw_chart_options options{};
    options.x_scale = 2;
    options.y_scale = 1.5;
    worksheet_insert_chart_opt(sheet, lastRow + 3, 0, chart, &options);
}

void WriteSheet(lxw_workbook* book, Formats& formats, const ExportTable& table)
{
    lxw_worksheet* sheet = workbook_add_worksheet(book, XlsxText(table.name).c_str());
    // What the sheet holds, then a blank line, then the table.
    lxw_row_t top = 0;
    for (const std::string& line : table.about)
        worksheet_write_string(sheet, top++, 0, XlsxText(line).c_str(), formats.about());
    if (top > 0)
        ++top;
    for (std::size_t c = 0; c < table.headers.size(); ++c) {
        const auto col = static_cast<lxw_col_t>(c);
        worksheet_set_column(sheet, col, col, c < table.widths.size() ? table.widths[c] : 10, nullptr);
        worksheet_write_string(sheet, top, col, XlsxText(table.headers[c]).c_str(), formats.header());
    }
    worksheet_freeze_panes(sheet, top + 1, 0);
    const std::size_t firstTotal = table.rows.size() - std::min<std::size_t>(table.rows.size(), table.totalsRows);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const auto row = static_cast<lxw_row_t>(top + 1 + r);
        for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
            const Cell& cell = table.rows[r][c];
            const auto col = static_cast<lxw_col_t>(c);
            const bool total = r >= firstTotal;
            const bool marked = r < table.marked.size() && c < table.marked[r].size() && table.marked[r][c];
            const int decimals = c < table.decimals.size() ? table.decimals[c] : -1;
            lxw_format* format = formats.cell(total, marked, cell.number ? decimals : -1);
            if (cell.number)
                worksheet_write_number(sheet, row, col, *cell.number, format);
            else if (!cell.text.empty())
                worksheet_write_string(sheet, row, col, XlsxText(cell.text).c_str(), format);
            else if (total)
                worksheet_write_blank(sheet, row, col, format);
        }
    }
    // The office narrows a sheet down by its columns in Excel (the cards
    // without a collective agreement, one district); the totals stay out of
    // the filter's rows.
    if (!table.headers.empty() && firstTotal > 0)
        worksheet_autofilter(sheet, top, 0, static_cast<lxw_row_t>(top + firstTotal),
                             static_cast<lxw_col_t>(table.headers.size() - 1));
    if (table.chart && table.chart->rows > 0)
        InsertChart(book, sheet, table, *table.chart, top + 1);
}

// Why libxlsxwriter could not write, in words.
std::string WorkbookErrorReason(lxw_error error, int errorNumber)
{
    switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE: return WriteErrorReason(errorNumber ? errorNumber : EACCES);
    case LXW_ERROR_CREATING_TMPFILE: return "не удалось создать временный файл";
    case LXW_ERROR_MEMORY_MALLOC_FAILED: return "не хватило памяти";
    default: return errorNumber ? WriteErrorReason(errorNumber) : "ошибка записи книги";
    }
}

} // namespace

ExportFormat ExportFormatOf(const std::string& path)
{
    if (EndsWith(path, ".xlsx"))
        return ExportFormat::Xlsx;
    if (EndsWith(path, ".csv"))
        return ExportFormat::Csv;
    return ExportFormat::None;
}

bool WriteWorkbook(const std::vector<ExportTable>& tables, const std::string& path, char* tmpdir, std::string& reason)
{
    lxw_workbook_options options{};
    options.tmpdir = tmpdir;
    lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
    if (!book) {
        reason = "не хватило памяти";
        return false;
    }
    {
        Formats formats(book);
        for (const ExportTable& table : tables)
            WriteSheet(book, formats, table);
    }
    errno = 0;
    const lxw_error result = workbook_close(book);
    const int errorNumber = errno;
    if (result != LXW_NO_ERROR) {
        reason = WorkbookErrorReason(result, errorNumber);
        return false;
    }
    return true;
}

std::string ExportSheetsTo(const std::vector<ExportTable>& tables, const std::string& path, std::size_t csvTable)
{
    switch (ExportFormatOf(path)) {
    case ExportFormat::Xlsx: {
        if (const std::string problem = PathProblem(path); !problem.empty())
            return SaveFailedText(path, problem);
        return WriteXlsx(tables, path);
    }
    case ExportFormat::Csv:
        if (csvTable >= tables.size())
            return SaveFailedText(path);
        return WriteCsvFile(tables[csvTable], path);
    case ExportFormat::None: break;
    }
    return "Сохранить можно только в файл .xlsx или .csv: " + path;
}

std::string ExportTables(const ExportTable& cards, const ExportTable& districts, const std::string& path,
                         bool csvDistricts)
{
    return ExportSheetsTo({cards, districts}, path, csvDistricts ? 1 : 0);
}

} // namespace reg
