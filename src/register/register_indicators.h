#pragma once
// The figures of the district's annual report on labour protection: per
// district and in all, for a year and period beside the same period of the
// year before. Every front end (the window's tab, the workbook's sheet, the
// printed report) takes its headers, values, texts and tooltips from here.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "register/register_row.h"
#include "register/register_summary.h"

namespace reg {

// Whole-number sums over the counted cards of one district (or all) in one
// year and period: no float noise, whatever the number of cards.
struct IndicatorSums {
    std::int64_t enterprises = 0; // cards that count
    std::int64_t faulty = 0;      // of them, cards the card program would refuse
    std::int64_t headcount = 0;
    std::int64_t injured = 0;
    std::int64_t fatal = 0;
    std::int64_t lostDays = 0;
    std::int64_t spendingKopecks = 0;     // the typed thousands of roubles, in kopecks
    std::int64_t workplaces = 0;          // assessed, every class, column "ВСЕГО"
    std::int64_t harmfulWorkplaces = 0;   // of them classes 3.1 to 3.4
    std::int64_t dangerousWorkplaces = 0; // of them class 4
    std::int64_t trained = 0;
    std::int64_t over50NoService = 0; // more than 50 workers and no labour-protection service
    std::int64_t noAssessment = 0;    // special assessment not done
    std::int64_t noAgreement = 0;     // no collective agreement
    std::int64_t noCommission = 0;    // no labour-protection commission

    void add(const RegisterRow& row);
};

// One figure of the report.
struct IndicatorDefinition {
    const char* header; // "Коэффициент частоты"
    const char* sign;   // "Кч"; empty for a figure without a sign
    const char* how;    // how it is computed, for the tooltip
    int decimals;       // shown: 2 for rates, 0 for counts
    // The value; nullopt when its denominator is zero (shown as «—»).
    std::optional<double> (*value)(const IndicatorSums&);
    // The figures that make it, for the tooltip: "5 × 1000 / 1250".
    std::string (*figures)(const IndicatorSums&);
};

// In the report's order: enterprises, headcount, injured, fatal, lost days,
// Кч, Ксм, Кт, spending per worker, workplaces, the harmful and dangerous
// shares, trained, and the four counts of enterprises lacking something.
const std::vector<IndicatorDefinition>& IndicatorDefinitions();

// A figure as shown: rounded to its decimals, decimal comma, «—» for none.
inline constexpr char kNoValue[] = "—";
std::string IndicatorText(std::optional<double> value, int decimals);
// The change from the year before: nullopt unless both figures exist.
std::optional<double> IndicatorChange(const IndicatorDefinition& definition, const IndicatorSums& current,
                                      const IndicatorSums& previous);
// "Кч = пострадавшие × 1000 / среднесписочная численность = 5 × 1000 / 1250 = 4,00".
std::string IndicatorToolTip(const IndicatorDefinition& definition, const IndicatorSums& sums);

struct IndicatorRow {
    std::string district; // its name, or kIndicatorTotal
    IndicatorSums current, previous;
};
inline constexpr char kIndicatorTotal[] = "Итого";

struct IndicatorTable {
    YearPeriod current, previous;
    // The districts of the counted cards of either period, in the order of
    // the district view, then the total.
    std::vector<IndicatorRow> rows;
};

// The figures of the counted cards among `rows` for `current` and the same
// period of the year before.
IndicatorTable ComputeIndicators(const std::vector<const RegisterRow*>& rows, YearPeriod current);

} // namespace reg
