#include "register/register_export.h"

#include <algorithm>

#include <xlsxwriter.h>

namespace reg {
namespace {

bool EndsWith(std::string text, const std::string& ending)
{
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
    return text.size() > ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

struct Formats {
    lxw_format* header;
    lxw_format* total;
    lxw_format* marked;
};

void WriteSheet(lxw_workbook* book, const Formats& formats, const ExportTable& table)
{
    lxw_worksheet* sheet = workbook_add_worksheet(book, table.name.c_str());
    for (std::size_t c = 0; c < table.headers.size(); ++c) {
        const auto col = static_cast<lxw_col_t>(c);
        worksheet_set_column(sheet, col, col, c < table.widths.size() ? table.widths[c] : 10, nullptr);
        worksheet_write_string(sheet, 0, col, table.headers[c].c_str(), formats.header);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    const std::size_t firstTotal = table.rows.size() - std::min<std::size_t>(table.rows.size(), table.totalsRows);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const auto row = static_cast<lxw_row_t>(r + 1);
        for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
            const Cell& cell = table.rows[r][c];
            const auto col = static_cast<lxw_col_t>(c);
            lxw_format* format = r >= firstTotal ? formats.total : nullptr;
            if (r < table.marked.size() && c < table.marked[r].size() && table.marked[r][c])
                format = formats.marked;
            if (cell.number)
                worksheet_write_number(sheet, row, col, *cell.number, format);
            else if (!cell.text.empty())
                worksheet_write_string(sheet, row, col, cell.text.c_str(), format);
            else if (format == formats.total)
                worksheet_write_blank(sheet, row, col, format);
        }
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

std::string WriteXlsx(const std::vector<ExportTable>& tables, const std::string& path)
{
    lxw_workbook* book = workbook_new(path.c_str());
    if (!book)
        return SaveFailedText(path);
    Formats formats{workbook_add_format(book), workbook_add_format(book), workbook_add_format(book)};
    format_set_bold(formats.header);
    format_set_text_wrap(formats.header);
    format_set_align(formats.header, LXW_ALIGN_VERTICAL_TOP);
    format_set_bold(formats.total);
    format_set_font_color(formats.marked, LXW_COLOR_RED);
    for (const ExportTable& table : tables)
        WriteSheet(book, formats, table);
    const lxw_error result = workbook_close(book);
    if (result != LXW_NO_ERROR)
        return SaveFailedText(path) + " (" + lxw_strerror(result) + ")";
    return {};
}

std::string ExportTables(const ExportTable& cards, const ExportTable& districts, const std::string& path,
                         bool csvDistricts)
{
    switch (ExportFormatOf(path)) {
    case ExportFormat::Xlsx: return WriteXlsx({cards, districts}, path);
    case ExportFormat::Csv: return WriteCsvFile(csvDistricts ? districts : cards, path);
    case ExportFormat::None: break;
    }
    return "Сохранить можно только в файл .xlsx или .csv: " + path;
}

} // namespace reg
