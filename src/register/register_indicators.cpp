#include "register/register_indicators.h"

#include <cstdio>
#include <map>

#include "register/register_columns.h"

namespace reg {
namespace {

// The spending is typed in thousands of roubles: a kopeck is 1/100000 of it.
constexpr std::int64_t kKopecksPerThousand = 100000;
constexpr int kOver50 = 50;

bool IsHarmful(int classIndex) { return classIndex >= 2 && classIndex <= 5; } // 3.1 to 3.4
constexpr int kDangerousClass = 6;                                            // 4

std::optional<double> Ratio(std::int64_t numerator, std::int64_t denominator, double scale)
{
    if (denominator == 0)
        return std::nullopt;
    return static_cast<double>(numerator) * scale / static_cast<double>(denominator);
}

std::string Number(std::int64_t value) { return std::to_string(value); }

std::string Roubles(std::int64_t kopecks) { return IndicatorText(static_cast<double>(kopecks) / 100, 2); }

std::vector<IndicatorDefinition> BuildDefinitions()
{
    using S = IndicatorSums;
    return {
        {"Сдали карточки", "", "число карточек года и периода, каждый повтор один раз", 0,
         [](const S& s) -> std::optional<double> { return static_cast<double>(s.enterprises); },
         [](const S& s) { return Number(s.enterprises); }},
        {"Среднесписочная численность", "", "сумма среднесписочной численности по карточкам", 0,
         [](const S& s) -> std::optional<double> { return static_cast<double>(s.headcount); },
         [](const S& s) { return Number(s.headcount); }},
        {"Пострадавшие", "", "сумма пострадавших с утратой трудоспособности на 1 день и более и со смертельным исходом",
         0, [](const S& s) -> std::optional<double> { return static_cast<double>(s.injured); },
         [](const S& s) { return Number(s.injured); }},
        {"Со смертельным исходом", "", "сумма пострадавших со смертельным исходом", 0,
         [](const S& s) -> std::optional<double> { return static_cast<double>(s.fatal); },
         [](const S& s) { return Number(s.fatal); }},
        {"Дней нетрудоспособности", "", "сумма человеко-дней нетрудоспособности", 0,
         [](const S& s) -> std::optional<double> { return static_cast<double>(s.lostDays); },
         [](const S& s) { return Number(s.lostDays); }},
        {"Коэффициент частоты", "Кч", "пострадавшие × 1000 / среднесписочная численность", 2,
         [](const S& s) { return Ratio(s.injured, s.headcount, 1000); },
         [](const S& s) { return Number(s.injured) + " × 1000 / " + Number(s.headcount); }},
        {"Коэффициент частоты смертельных случаев", "Ксм",
         "со смертельным исходом × 1000 / среднесписочная численность", 2,
         [](const S& s) { return Ratio(s.fatal, s.headcount, 1000); },
         [](const S& s) { return Number(s.fatal) + " × 1000 / " + Number(s.headcount); }},
        {"Коэффициент тяжести", "Кт", "дни нетрудоспособности / пострадавшие", 2,
         [](const S& s) { return Ratio(s.lostDays, s.injured, 1); },
         [](const S& s) { return Number(s.lostDays) + " / " + Number(s.injured); }},
        {"Затраты на ОТ на работника, руб.", "", "затраты на охрану труда в рублях / среднесписочная численность", 2,
         [](const S& s) { return Ratio(s.spendingKopecks, s.headcount, 0.01); },
         [](const S& s) { return Roubles(s.spendingKopecks) + " / " + Number(s.headcount); }},
        {"Рабочих мест оценено", "", "сумма рабочих мест всех классов условий труда, всего", 0,
         [](const S& s) -> std::optional<double> { return static_cast<double>(s.workplaces); },
         [](const S& s) { return Number(s.workplaces); }},
        {"Доля вредных (3.1–3.4), %", "", "рабочие места классов 3.1–3.4 × 100 / рабочие места всех классов", 2,
         [](const S& s) { return Ratio(s.harmfulWorkplaces, s.workplaces, 100); },
         [](const S& s) { return Number(s.harmfulWorkplaces) + " × 100 / " + Number(s.workplaces); }},
        {"Доля опасных (4), %", "", "рабочие места класса 4 × 100 / рабочие места всех классов", 2,
         [](const S& s) { return Ratio(s.dangerousWorkplaces, s.workplaces, 100); },
         [](const S& s) { return Number(s.dangerousWorkplaces) + " × 100 / " + Number(s.workplaces); }},
        {"Обучено по ОТ", "", "сумма обученных по вопросам охраны труда", 0,
         [](const S& s) -> std::optional<double> { return static_cast<double>(s.trained); },
         [](const S& s) { return Number(s.trained); }},
        {"Более 50 работников, нет службы ОТ", "",
         "число предприятий со среднесписочной численностью больше 50 без службы охраны труда", 0,
         [](const S& s) -> std::optional<double> { return static_cast<double>(s.over50NoService); },
         [](const S& s) { return Number(s.over50NoService); }},
        {"Без спецоценки", "", "число предприятий, не завершивших специальную оценку условий труда", 0,
         [](const S& s) -> std::optional<double> { return static_cast<double>(s.noAssessment); },
         [](const S& s) { return Number(s.noAssessment); }},
        {"Без коллективного договора", "", "число предприятий без коллективного договора", 0,
         [](const S& s) -> std::optional<double> { return static_cast<double>(s.noAgreement); },
         [](const S& s) { return Number(s.noAgreement); }},
        {"Без комиссии по ОТ", "", "число предприятий без комиссии (комитета) по охране труда", 0,
         [](const S& s) -> std::optional<double> { return static_cast<double>(s.noCommission); },
         [](const S& s) { return Number(s.noCommission); }},
    };
}

} // namespace

void IndicatorSums::add(const RegisterRow& row)
{
    ++enterprises;
    faulty += row.state == CardState::Faulty;
    headcount += row.headcount;
    injured += row.injured;
    fatal += row.fatal;
    lostDays += row.lostDays;
    if (const auto kopecks = AmountUnits(row.spending, kKopecksPerThousand))
        if (__builtin_add_overflow(spendingKopecks, *kopecks, &spendingKopecks))
            spendingKopecks = *kopecks > 0 ? INT64_MAX : INT64_MIN;
    for (int c = 0; c < card::kWorkplaceClassCount; ++c) {
        const std::int64_t places = row.workplaces[WorkplaceColumn(c, card::kWorkplaceTotal)];
        workplaces += places;
        harmfulWorkplaces += IsHarmful(c) ? places : 0;
        dangerousWorkplaces += c == kDangerousClass ? places : 0;
    }
    trained += row.trained;
    over50NoService += row.headcount > kOver50 && !row.hasService;
    noAssessment += !row.assessmentDone;
    noAgreement += !row.collectiveAgreement;
    noCommission += !row.otCommission;
}

const std::vector<IndicatorDefinition>& IndicatorDefinitions()
{
    static const std::vector<IndicatorDefinition> definitions = BuildDefinitions();
    return definitions;
}

std::string IndicatorText(std::optional<double> value, int decimals)
{
    if (!value)
        return kNoValue;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, *value);
    std::string text = buffer;
    // A negative value rounded to zero shows no sign.
    if (text.find_first_not_of("-0.") == std::string::npos && text[0] == '-')
        text.erase(0, 1);
    for (char& c : text)
        if (c == '.')
            c = ',';
    return text;
}

std::optional<double> IndicatorChange(const IndicatorDefinition& definition, const IndicatorSums& current,
                                      const IndicatorSums& previous)
{
    const std::optional<double> now = definition.value(current);
    const std::optional<double> before = definition.value(previous);
    if (!now || !before)
        return std::nullopt;
    return *now - *before;
}

std::string IndicatorToolTip(const IndicatorDefinition& definition, const IndicatorSums& sums)
{
    const std::string name = *definition.sign ? definition.sign : definition.header;
    const std::optional<double> value = definition.value(sums);
    std::string text = name + " = " + definition.how + " = " + definition.figures(sums);
    if (!value)
        return text + ": делитель равен нулю, показатель не определён (" + kNoValue + ")";
    const std::string shown = IndicatorText(value, definition.decimals);
    return shown == definition.figures(sums) ? text : text + " = " + shown;
}

IndicatorTable ComputeIndicators(const std::vector<const RegisterRow*>& rows, YearPeriod current)
{
    IndicatorTable table;
    table.current = current;
    table.previous = PreviousYearPeriod(current);
    std::map<DistrictPlace, IndicatorRow> districts;
    IndicatorRow total{kIndicatorTotal, {}, {}};
    for (const RegisterRow* row : rows) {
        if (!row->summed())
            continue;
        const YearPeriod period{row->year, row->period};
        IndicatorSums IndicatorRow::*side = nullptr;
        if (period == table.current)
            side = &IndicatorRow::current;
        else if (period == table.previous)
            side = &IndicatorRow::previous;
        else
            continue;
        IndicatorRow& district = districts[DistrictPlaceOf(row->districtCode)];
        if (district.district.empty())
            district.district = DistrictLabel(row->districtCode);
        (district.*side).add(*row);
        (total.*side).add(*row);
    }
    for (auto& [place, district] : districts)
        table.rows.push_back(std::move(district));
    table.rows.push_back(std::move(total));
    return table;
}

} // namespace reg
