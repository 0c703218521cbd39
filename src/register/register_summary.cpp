#include "register/register_summary.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <tuple>
#include <utility>

#include "card/card_file_store.h"
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

// The sums of the summed columns over the counted cards, added in whole
// units (see RegisterColumn::sumScale) and divided once at the end.
std::vector<double> Sums(const std::vector<const RegisterRow*>& rows, const std::vector<int>& summed)
{
    const auto& columns = RegisterColumns();
    std::vector<std::int64_t> units(summed.size(), 0);
    for (const RegisterRow* row : rows) {
        if (!row->summed())
            continue;
        for (std::size_t k = 0; k < summed.size(); ++k) {
            const RegisterColumn& column = columns[summed[k]];
            const Cell cell = column.cell(*row);
            if (!cell.number)
                continue;
            const std::optional<std::int64_t> value = cell.text.empty()
                ? std::optional<std::int64_t>(static_cast<std::int64_t>(*cell.number) * column.sumScale)
                : AmountUnits(cell.text, column.sumScale);
            if (value && __builtin_add_overflow(units[k], *value, &units[k]))
                units[k] = *value > 0 ? INT64_MAX : INT64_MIN;
        }
    }
    std::vector<double> sums(summed.size());
    for (std::size_t k = 0; k < summed.size(); ++k)
        sums[k] = static_cast<double>(units[k]) / static_cast<double>(columns[summed[k]].sumScale);
    return sums;
}

// Counts and sums of the cards that count; sums only within one year and
// period.
void PutSums(const std::vector<const RegisterRow*>& rows, const std::vector<int>& summed, bool mixed,
             std::vector<Cell>& cells, const std::vector<std::size_t>& places)
{
    if (mixed)
        return;
    const std::vector<double> sums = Sums(rows, summed);
    for (std::size_t k = 0; k < summed.size(); ++k)
        cells[places[k]] = {std::string(), sums[k]};
}

Cell NumberCell(double value) { return {std::string(), value}; }

} // namespace

DistrictPlace DistrictPlaceOf(std::int32_t code)
{
    const int index = card::DistrictIndexFromCode(code);
    return index >= 0 ? DistrictPlace{false, index} : DistrictPlace{true, code};
}

std::string DistrictLabel(std::int32_t code)
{
    std::string name = card::DistrictNameOfCode(code);
    return name.empty() ? "без района" : name;
}

std::optional<RepeatKey> RepeatKeyOf(const RegisterRow& row)
{
    std::string inn = card::TrimSpaces(row.inn);
    if (!row.read() || inn.empty())
        return std::nullopt;
    return RepeatKey{std::move(inn), row.year, row.period};
}

void MarkRepeatGroup(const std::vector<RegisterRow*>& group, const RepeatChoice& chosen)
{
    const int n = static_cast<int>(group.size());
    RegisterRow* counted = nullptr;
    // A chosen file beats any other; then the later time; then the first name.
    const auto beats = [&](const RegisterRow* a, const RegisterRow* b) {
        const bool aChosen = chosen.count(a->path) > 0, bChosen = chosen.count(b->path) > 0;
        if (aChosen != bChosen)
            return aChosen;
        if (a->modified != b->modified)
            return a->modified > b->modified;
        return a->file < b->file;
    };
    for (RegisterRow* row : group)
        if (!counted || beats(row, counted))
            counted = row;
    for (RegisterRow* row : group) {
        row->repeatFiles = n > 1 ? n : 0;
        row->counted = row == counted;
    }
}

void MarkRepeats(const std::vector<RegisterRow*>& rows, const RepeatChoice& chosen)
{
    std::map<RepeatKey, std::vector<RegisterRow*>> groups;
    for (RegisterRow* row : rows) {
        if (const auto key = RepeatKeyOf(*row)) {
            groups[*key].push_back(row);
        } else {
            row->repeatFiles = 0;
            row->counted = true;
        }
    }
    for (const auto& [key, group] : groups)
        MarkRepeatGroup(group, chosen);
}

void MarkRepeats(std::vector<RegisterRow>& rows, const RepeatChoice& chosen)
{
    std::vector<RegisterRow*> pointers;
    for (RegisterRow& row : rows)
        pointers.push_back(&row);
    MarkRepeats(pointers, chosen);
}

std::string ModifiedText(std::int64_t nanosecondsSince1970)
{
    if (nanosecondsSince1970 == 0)
        return {};
    const std::time_t seconds = static_cast<std::time_t>(nanosecondsSince1970 / 1000000000);
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &seconds) != 0)
        return {};
#else
    if (!localtime_r(&seconds, &local))
        return {};
#endif
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900,
                  local.tm_hour, local.tm_min);
    return text;
}

std::string RepeatToolTip(const RegisterRow& row, const std::vector<const RegisterRow*>& rows)
{
    const auto key = RepeatKeyOf(row);
    if (!key || row.repeatFiles < 2)
        return {};
    const auto described = [](const RegisterRow& r) {
        const std::string time = ModifiedText(r.modified);
        return r.file + (time.empty() ? "" : ", изменён " + time) + (r.counted ? ", учтён" : ", не учтён");
    };
    std::string text = "Этот файл " + std::string(row.counted ? "учтён" : "не учтён")
        + " в суммах. Карточки того же ИНН, года и периода в других файлах:";
    for (const RegisterRow* other : rows)
        if (other != &row && RepeatKeyOf(*other) == key)
            text += "\n" + described(*other);
    return text;
}

YearPeriod PreviousYearPeriod(YearPeriod current) { return {current.year - 1, current.period}; }

std::string YearPeriodText(YearPeriod period)
{
    return std::to_string(period.year) + ", " + TrimmedEnds(card::kReportPeriodItems[std::clamp(period.period, 0, 1)]);
}

std::optional<YearPeriod> DefaultYearPeriod(const std::vector<const RegisterRow*>& rows)
{
    std::optional<YearPeriod> latest;
    for (const RegisterRow* row : rows)
        if (row->read() && (!latest || YearPeriod{row->year, row->period} > *latest))
            latest = YearPeriod{row->year, row->period};
    return latest; // the annual period orders after the half-year of its year
}

bool MixesYearsOrPeriods(const std::vector<const RegisterRow*>& rows)
{
    std::optional<YearPeriod> first;
    for (const RegisterRow* row : rows) {
        if (!row->summed())
            continue;
        const YearPeriod period{row->year, row->period};
        if (!first)
            first = period;
        else if (*first != period)
            return true;
    }
    return false;
}

std::string ShortState(const RegisterRow& row)
{
    if (!row.read())
        return "не прочитан";
    if (!row.counted)
        return "повтор";
    return row.state == CardState::Faulty ? "ошибка" : kStateOk;
}

std::string TotalsLabel(int cards, int faulty, bool mixed)
{
    return kTotalsLabel + std::to_string(cards) + ", с ошибками: " + std::to_string(faulty)
        + (mixed ? std::string("; суммы: ") + kChooseYearAndPeriod : std::string());
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
    std::vector<Cell> cells(RegisterColumns().size());
    const auto counts = CountRows(rows);
    const bool mixed = MixesYearsOrPeriods(rows);
    cells[kColumnFile] = {TotalsLabel(counts.read - counts.notCounted, counts.faultyCounted, mixed), std::nullopt};
    PutSums(rows, summed, mixed, cells, std::vector<std::size_t>(summed.begin(), summed.end()));
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
    const bool mixed = MixesYearsOrPeriods(rows);
    std::vector<std::size_t> places;
    for (std::size_t k = 0; k < summed.size(); ++k)
        places.push_back(3 + k);
    std::vector<std::vector<Cell>> table;
    for (const auto& [place, entry] : byDistrict) {
        const auto& [code, members] = entry;
        const auto counts = CountRows(members);
        if (counts.read == counts.notCounted)
            continue; // only files that do not count
        std::vector<Cell> cells = {{DistrictLabel(code), std::nullopt},
                                   NumberCell(counts.read - counts.notCounted),
                                   NumberCell(counts.faultyCounted)};
        cells.resize(3 + summed.size());
        PutSums(members, summed, mixed, cells, places);
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
        counts.notCounted += row->read() && !row->counted;
        counts.faultyCounted += row->state == CardState::Faulty && row->counted;
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
