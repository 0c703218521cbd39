#include "register/register_summary.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

#include "card/district.h"
#include "card/district_names.h"
#include "card/text_rules.h"

namespace reg {
namespace {

constexpr char kTotalsLabel[] = "Итого карточек: ";

std::vector<int> SummedColumns()
{
    std::vector<int> summed;
    const auto& columns = RegisterColumns();
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        if (columns[i].summed)
            summed.push_back(i);
    return summed;
}

std::vector<double> Sums(const std::vector<const RegisterRow*>& rows, const std::vector<int>& summed)
{
    const auto& columns = RegisterColumns();
    std::vector<double> sums(summed.size(), 0.0);
    for (const RegisterRow* row : rows)
        for (std::size_t k = 0; k < summed.size(); ++k)
            if (const auto number = columns[summed[k]].cell(*row).number)
                sums[k] += *number;
    return sums;
}

Cell NumberCell(double value) { return {std::string(), value}; }

// A row of the district view: a district of the list by its item, then a
// code outside the list by its value. The two kinds never meet, whatever a
// file holds.
using DistrictPlace = std::pair<bool, std::int32_t>; // (outside the list, item or code)

DistrictPlace DistrictPlaceOf(std::int32_t code)
{
    const int index = card::DistrictIndexFromCode(code);
    return index >= 0 ? DistrictPlace{false, index} : DistrictPlace{true, code};
}

} // namespace

std::optional<RepeatKey> RepeatKeyOf(const RegisterRow& row)
{
    std::string inn = card::TrimSpaces(row.inn);
    if (!row.read() || inn.empty())
        return std::nullopt;
    return RepeatKey{std::move(inn), row.year, row.period};
}

void MarkRepeats(const std::vector<RegisterRow*>& rows)
{
    std::map<RepeatKey, int> files;
    for (const RegisterRow* row : rows)
        if (const auto key = RepeatKeyOf(*row))
            ++files[*key];
    for (RegisterRow* row : rows) {
        const auto key = RepeatKeyOf(*row);
        const int n = key ? files[*key] : 0;
        row->repeatFiles = n > 1 ? n : 0;
    }
}

void MarkRepeats(std::vector<RegisterRow>& rows)
{
    std::vector<RegisterRow*> pointers;
    for (RegisterRow& row : rows)
        pointers.push_back(&row);
    MarkRepeats(pointers);
}

bool Matches(const RegisterRow& row, const RegisterFilter& filter)
{
    if ((filter.district || filter.year || filter.period) && !row.read())
        return false;
    if (filter.district && card::DistrictIndexFromCode(row.districtCode) != *filter.district)
        return false;
    if (filter.year && row.year != *filter.year)
        return false;
    if (filter.period && row.period != *filter.period)
        return false;
    if (filter.state) {
        switch (*filter.state) {
        case StateFilter::Ok: return row.state == CardState::Ok;
        case StateFilter::Faulty: return row.state == CardState::Faulty;
        case StateFilter::Refused: return row.state == CardState::Refused;
        case StateFilter::Repeats: return row.repeatFiles > 1;
        }
    }
    return true;
}

std::vector<Cell> TotalsRow(const std::vector<const RegisterRow*>& rows)
{
    const std::vector<int> summed = SummedColumns();
    const std::vector<double> sums = Sums(rows, summed);
    std::vector<Cell> cells(RegisterColumns().size());
    const auto counts = CountRows(rows);
    cells[kColumnFile] = {kTotalsLabel + std::to_string(counts.read), std::nullopt};
    for (std::size_t k = 0; k < summed.size(); ++k)
        cells[summed[k]] = NumberCell(sums[k]);
    return cells;
}

std::vector<std::string> DistrictHeaders()
{
    std::vector<std::string> headers = {"Район", "Карточек", "С ошибками"};
    for (int column : SummedColumns())
        headers.push_back(RegisterColumns()[column].header);
    return headers;
}

std::vector<std::vector<Cell>> DistrictRows(const std::vector<const RegisterRow*>& rows)
{
    std::map<DistrictPlace, std::pair<std::int32_t, std::vector<const RegisterRow*>>> byDistrict;
    for (const RegisterRow* row : rows) {
        if (!row->read())
            continue;
        auto& entry = byDistrict[DistrictPlaceOf(row->districtCode)];
        entry.first = row->districtCode;
        entry.second.push_back(row);
    }
    const std::vector<int> summed = SummedColumns();
    std::vector<std::vector<Cell>> table;
    for (const auto& [place, entry] : byDistrict) {
        const auto& [code, members] = entry;
        std::string name = card::DistrictNameOfCode(code);
        if (name.empty())
            name = "без района";
        const auto counts = CountRows(members);
        std::vector<Cell> cells = {{name, std::nullopt}, NumberCell(counts.read), NumberCell(counts.faulty)};
        for (double sum : Sums(members, summed))
            cells.push_back(NumberCell(sum));
        table.push_back(std::move(cells));
    }
    return table;
}

ReadingCounts CountRows(const std::vector<const RegisterRow*>& rows)
{
    ReadingCounts counts;
    for (const RegisterRow* row : rows) {
        counts.read += row->read();
        counts.refused += row->state == CardState::Refused;
        counts.faulty += row->state == CardState::Faulty;
        counts.repeats += row->repeatFiles > 1;
    }
    return counts;
}

std::string SummaryLine(const ReadingCounts& counts)
{
    return "Прочитано карточек: " + std::to_string(counts.read)
        + ", не прочитано файлов: " + std::to_string(counts.refused) + ", с ошибками: " + std::to_string(counts.faulty)
        + ", повторов: " + std::to_string(counts.repeats);
}

const char* RussianPlural(std::size_t n, const char* one, const char* few, const char* many)
{
    const std::size_t tens = n % 100;
    const std::size_t units = n % 10;
    if (tens >= 11 && tens <= 14)
        return many;
    if (units == 1)
        return one;
    return units >= 2 && units <= 4 ? few : many;
}

std::string CancelledReadingNote(std::size_t skipped, std::size_t found, bool allFound)
{
    if (!allFound)
        return "чтение отменено при поиске файлов";
    if (skipped == 0)
        return {};
    return std::string("чтение отменено: ") + RussianPlural(skipped, "пропущен ", "пропущено ", "пропущено ")
        + std::to_string(skipped) + RussianPlural(skipped, " файл", " файла", " файлов") + " из "
        + std::to_string(found);
}

std::vector<const RegisterRow*> Pointers(const std::vector<RegisterRow>& rows)
{
    std::vector<const RegisterRow*> pointers;
    pointers.reserve(rows.size());
    for (const RegisterRow& row : rows)
        pointers.push_back(&row);
    return pointers;
}

} // namespace reg
