#include "register/register_table.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
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

ExportTable IndicatorsTable(const IndicatorTable& indicators)
{
    ExportTable table;
    table.name = "Показатели";
    table.headers = {"Район"};
    table.widths = {22};
    table.decimals = {-1};
    const std::string now = std::to_string(indicators.current.year);
    const std::string before = std::to_string(indicators.previous.year);
    const auto& definitions = IndicatorDefinitions();
    int rateColumn = -1;
    for (const IndicatorDefinition& d : definitions) {
        const std::string name = *d.sign ? d.sign : d.header;
        if (std::string_view(d.sign) == "Кч")
            rateColumn = static_cast<int>(table.headers.size());
        for (const std::string& header : {name + ", " + now, name + ", " + before, name + ", изменение"}) {
            table.headers.push_back(header);
            table.widths.push_back(*d.sign ? 9 : 12);
            table.decimals.push_back(d.decimals);
        }
    }
    for (const IndicatorRow& row : indicators.rows) {
        std::vector<Cell> cells = {{row.district, std::nullopt}};
        for (const IndicatorDefinition& d : definitions) {
            cells.push_back({std::string(), d.value(row.current)});
            cells.push_back({std::string(), d.value(row.previous)});
            cells.push_back({std::string(), IndicatorChange(d, row.current, row.previous)});
        }
        table.rows.push_back(std::move(cells));
    }
    table.totalsRows = 1;
    table.marked.assign(table.rows.size(), std::vector<bool>(table.headers.size(), false));
    const int districts = static_cast<int>(indicators.rows.size()) - 1;
    if (rateColumn > 0 && districts > 0)
        table.chart = ChartSpec{"Коэффициент частоты Кч по районам", 0, {rateColumn, rateColumn + 1}, districts};
    return table;
}

ExportTable SubmissionsTable(const SubmissionLists& lists)
{
    ExportTable table;
    table.name = "Сдали – не сдали";
    table.headers = {"Список", "Район", "Предприятие", "ИНН", "Последняя карточка"};
    table.widths = {14, 22, 36, 16, 44};
    const auto add = [&](const char* list, const std::vector<SubmissionEntry>& entries) {
        for (const SubmissionEntry& e : entries)
            table.rows.push_back({{list, std::nullopt},
                                  {e.district, std::nullopt},
                                  {e.name, std::nullopt},
                                  {e.inn, std::nullopt},
                                  {e.lastFile, std::nullopt}});
    };
    add("не сдали", lists.notHandedIn);
    add("новые", lists.newOnes);
    table.marked.assign(table.rows.size(), std::vector<bool>(table.headers.size(), false));
    return table;
}

std::string ProgramLine() { return std::string("Программа: ЮНРА5. Сводка карточек, версия ") + UNRA5_VERSION; }

std::vector<std::string> AboutLines(const ExportInfo& info)
{
    std::vector<std::string> lines;
    std::string folders;
    for (const std::string& folder : info.folders)
        folders += (folders.empty() ? "" : "; ") + card::ValidUtf8(folder);
    lines.push_back((info.folders.size() > 1 ? "Папки: " : "Папка: ") + folders);
    lines.push_back("Отбор: " + (info.filter.empty() ? std::string("все карточки") : info.filter));
    if (info.period)
        lines.push_back("Год и период: " + YearPeriodText(*info.period) + " (для сравнения "
                        + YearPeriodText(PreviousYearPeriod(*info.period)) + ")");
    if (!info.reference.empty())
        lines.push_back("Список предприятий: " + card::ValidUtf8(info.reference));
    const auto now
        = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch());
    lines.push_back("Дата: " + (info.date.empty() ? ModifiedText(now.count()) : info.date));
    lines.push_back(ProgramLine());
    return lines;
}

std::vector<ExportTable> ExportSheets(const ExportContent& content)
{
    std::vector<ExportTable> sheets = {CardsTable(content.shown), DistrictsTable(content.shown)};
    if (content.info.period) {
        RegisterFilter district;
        district.district = content.district;
        std::vector<const RegisterRow*> ofDistrict;
        for (const RegisterRow* row : content.all)
            if (Matches(*row, district))
                ofDistrict.push_back(row);
        sheets.push_back(IndicatorsTable(ComputeIndicators(ofDistrict, *content.info.period)));
        sheets.push_back(SubmissionsTable(
            InDistrict(CompareSubmissions(content.all, *content.info.period, content.reference), content.district)));
    }
    const std::vector<std::string> about = AboutLines(content.info);
    for (ExportTable& sheet : sheets)
        sheet.about = about;
    return sheets;
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
        for (std::size_t c = 0; c < row.size(); ++c) {
            const int places = c < table.decimals.size() ? table.decimals[c] : -1;
            texts.push_back(places >= 0 && row[c].number ? IndicatorText(row[c].number, places) : CsvCellText(row[c]));
        }
        WriteCsvLine(out, texts);
    }
}

std::string SaveFailedText(const std::string& path, const std::string& reason)
{
    return "Не удалось сохранить файл " + path + (reason.empty() ? "" : ": " + reason);
}

std::string WriteErrorReason(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR: return "нет такой папки";
    case EACCES:
    case EPERM: return "нет доступа";
    case ENOSPC: return "на диске нет места";
    case EROFS: return "диск только для чтения";
    case EISDIR: return "под этим именем уже есть папка";
    case ENAMETOOLONG: return "слишком длинное имя";
    case EBUSY:
    case ETXTBSY: return "файл занят другой программой";
    default: return "ошибка записи (код " + std::to_string(errorNumber) + ")";
    }
}

std::string PathProblem(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file = card::PathFromUtf8(path);
    if (fs::is_directory(file, error))
        return WriteErrorReason(EISDIR);
    const fs::path folder = file.parent_path();
    if (!folder.empty() && !fs::is_directory(folder, error))
        return WriteErrorReason(ENOENT);
    return {};
}

std::string WriteCsvFile(const ExportTable& table, const std::string& path)
{
    if (const std::string problem = PathProblem(path); !problem.empty())
        return SaveFailedText(path, problem);
    errno = 0;
    std::ofstream out(card::PathFromUtf8(path), std::ios::binary);
    const int openError = errno;
    if (!out)
        return SaveFailedText(path, WriteErrorReason(openError));
    WriteCsv(table, out);
    out.close();
    return out ? std::string() : SaveFailedText(path, WriteErrorReason(errno ? errno : EIO));
}

} // namespace reg
