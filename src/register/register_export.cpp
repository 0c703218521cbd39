#include "register/register_export.h"

#include <algorithm>
#include <string_view>

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
        worksheet_write_string(sheet, 0, col, XlsxText(table.headers[c]).c_str(), formats.header);
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
                worksheet_write_string(sheet, row, col, XlsxText(cell.text).c_str(), format);
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

bool WriteWorkbook(const std::vector<ExportTable>& tables, const std::string& path, char* tmpdir, std::string& reason)
{
    lxw_workbook_options options{};
    options.tmpdir = tmpdir;
    lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
    if (!book)
        return false;
    Formats formats{workbook_add_format(book), workbook_add_format(book), workbook_add_format(book)};
    format_set_bold(formats.header);
    format_set_text_wrap(formats.header);
    format_set_align(formats.header, LXW_ALIGN_VERTICAL_TOP);
    format_set_bold(formats.total);
    format_set_font_color(formats.marked, LXW_COLOR_RED);
    for (const ExportTable& table : tables)
        WriteSheet(book, formats, table);
    const lxw_error result = workbook_close(book);
    if (result != LXW_NO_ERROR) {
        reason = lxw_strerror(result);
        return false;
    }
    return true;
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
