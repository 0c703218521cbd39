#include "register/register_table.h"

#include <filesystem>
#include <fstream>

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
    std::vector<Cell> sumRow = {{"Итого", std::nullopt}};
    const auto counts = CountRows(rows);
    sumRow.push_back({std::string(), static_cast<double>(counts.read)});
    sumRow.push_back({std::string(), static_cast<double>(counts.faulty)});
    const auto& columns = RegisterColumns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].summed)
            sumRow.push_back(totals[i]);
    table.rows.push_back(std::move(sumRow));
    table.totalsRows = 1;
    table.marked.assign(table.rows.size(), std::vector<bool>(table.headers.size(), false));
    return table;
}

void WriteCsv(const ExportTable& table, std::ostream& out)
{
    out << "\xEF\xBB\xBF";
    WriteCsvLine(out, table.headers);
    for (const auto& row : table.rows) {
        std::vector<std::string> texts;
        for (const Cell& cell : row)
            texts.push_back(ShownText(cell));
        WriteCsvLine(out, texts);
    }
}

std::string SaveFailedText(const std::string& path) { return "Не удалось сохранить файл " + path; }

std::string WriteCsvFile(const ExportTable& table, const std::string& path)
{
    std::ofstream out(std::filesystem::path(std::u8string(path.begin(), path.end())), std::ios::binary);
    if (out)
        WriteCsv(table, out);
    out.close();
    return out ? std::string() : SaveFailedText(path);
}

} // namespace reg
