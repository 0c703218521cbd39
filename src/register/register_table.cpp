#include "register/register_table.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

#include "card/cp1251.h"
#include "card/text_rules.h"
#include "card/utf8.h"
#include "card/utf8_path.h"
#include "register/register_summary.h"

namespace reg {
namespace {

std::string Quoted(const std::string& text)
{
    if (text.find_first_of(";\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

// Excel's limits: characters in one text constant of a formula and in a
// formula, counted in UTF-16 units as Excel counts them.
constexpr std::size_t kFormulaTextUnits = 255;
constexpr std::size_t kFormulaUnits = 8192;

// A four-byte UTF-8 character is two UTF-16 units.
std::size_t Utf16Units(char lead) { return static_cast<unsigned char>(lead) >= 0xF0 ? 2 : 1; }

// The formula ="…"&"…" whose result is `text`; empty when it would be longer
// than Excel takes.
std::string TextFormula(std::string_view text)
{
    std::string formula = "=\"";
    std::size_t units = 2, inConstant = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = i + 1;
        while (end < text.size() && card::IsUtf8Continuation(text[end]))
            ++end;
        const std::size_t n = Utf16Units(text[i]);
        if (inConstant + n > kFormulaTextUnits) {
            formula += "\"&\"";
            units += 3;
            inConstant = 0;
        }
        formula.append(text.substr(i, end - i));
        if (text[i] == '"') {
            formula += '"';
            ++units;
        }
        units += n;
        inConstant += n;
        i = end;
    }
    formula += '"';
    return units + 1 <= kFormulaUnits ? formula : std::string();
}

// ИСТИНА, ЛОЖЬ, TRUE or FALSE in any letter case, spaces left out.
bool IsLogicalWord(std::string_view text)
{
    std::string word = card::Utf8ToCp1251(card::TrimSpaces(text));
    for (char& c : word) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF))
            c = static_cast<char>(b + 0x20);
    }
    // Windows-1251: "истина" and "ложь".
    static const std::array<std::string_view, 4> kWords
        = {"true", "false", "\xE8\xF1\xF2\xE8\xED\xE0", "\xEB\xEE\xE6\xFC"};
    return std::find(kWords.begin(), kWords.end(), word) != kWords.end();
}

void WriteCsvLine(std::ostream& out, const std::vector<std::string>& cells)
{
    for (std::size_t i = 0; i < cells.size(); ++i)
        out << (i ? ";" : "") << Quoted(cells[i]);
    out << "\r\n";
}

} // namespace

ExportTable CardsTable(const std::vector<const RegisterRow*>& rows)
{
    const auto& columns = RegisterColumns();
    ExportTable table;
    table.name = "Карточки";
    for (const RegisterColumn& column : columns) {
        table.headers.push_back(column.header);
        table.widths.push_back(column.width);
    }
    for (const RegisterRow* row : rows) {
        std::vector<Cell> cells;
        std::vector<bool> marks(columns.size(), false);
        for (const RegisterColumn& column : columns)
            cells.push_back(column.cell(*row));
        marks[kColumnInn] = row->read() && !row->innValid;
        marks[StateColumn()] = row->state != CardState::Ok;
        table.rows.push_back(std::move(cells));
        table.marked.push_back(std::move(marks));
    }
    table.rows.push_back(TotalsRow(rows));
    table.marked.emplace_back(columns.size(), false);
    table.totalsRows = 1;
    return table;
}

ExportTable DistrictsTable(const std::vector<const RegisterRow*>& rows)
{
    ExportTable table;
    table.name = "По районам";
    table.headers = DistrictHeaders();
    table.widths.assign(table.headers.size(), 12);
    table.widths[0] = 22;
    table.rows = DistrictRows(rows);
    std::vector<Cell> totals = TotalsRow(rows);
    const bool mixed = MixesYearsOrPeriods(rows);
    std::vector<Cell> sumRow
        = {{mixed ? std::string("Итого; суммы: ") + kChooseYearAndPeriod : std::string("Итого"), std::nullopt}};
    const auto counts = CountRows(rows);
    sumRow.push_back({std::string(), static_cast<double>(counts.read - counts.notCounted)});
    sumRow.push_back({std::string(), static_cast<double>(counts.faultyCounted)});
    const auto& columns = RegisterColumns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].summed)
            sumRow.push_back(totals[i]);
    table.rows.push_back(std::move(sumRow));
    table.totalsRows = 1;
    table.marked.assign(table.rows.size(), std::vector<bool>(table.headers.size(), false));
    return table;
}

bool SpreadsheetReadsAsValue(std::string_view text)
{
    // Spaces before a formula do not stop every spreadsheet.
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return false;
    if (std::string_view("=+-@\t\r\n#'").find(text[first]) != std::string_view::npos)
        return true;
    if (std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return true;
    return IsLogicalWord(text);
}

std::string CsvCellText(const Cell& cell)
{
    if (cell.number) {
        if (!cell.text.empty())
            if (std::optional<std::string> plain = PlainAmount(cell.text))
                return *plain; // every digit typed, not FormatNumber's six places
        return FormatNumber(*cell.number);
    }
    if (!SpreadsheetReadsAsValue(cell.text))
        return cell.text;
    const std::string formula = TextFormula(cell.text);
    return formula.empty() ? "'" + cell.text : formula;
}

void WriteCsv(const ExportTable& table, std::ostream& out)
{
    out << "\xEF\xBB\xBF";
    WriteCsvLine(out, table.headers);
    for (const auto& row : table.rows) {
        std::vector<std::string> texts;
        for (const Cell& cell : row)
            texts.push_back(CsvCellText(cell));
        WriteCsvLine(out, texts);
    }
}

std::string SaveFailedText(const std::string& path) { return "Не удалось сохранить файл " + path; }

std::string WriteCsvFile(const ExportTable& table, const std::string& path)
{
    std::ofstream out(card::PathFromUtf8(path), std::ios::binary);
    if (out)
        WriteCsv(table, out);
    out.close();
    return out ? std::string() : SaveFailedText(path);
}

} // namespace reg
