// The annual report's figures over a large office: 50,000 cards over five
// years, both periods and 13 districts, already read; the indicators of one
// year and period with the year before, the lists of who did not hand in,
// and the default choice and totals the window needs when the year changes.
//   register_indicators_bench [cards]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "register/register_cards.h"
#include "register/register_indicators.h"
#include "register/register_submissions.h"
#include "register/register_summary.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// The best of several runs: what the code costs, not what the machine's
// other work costs meanwhile.
template <typename F>
double Best(F&& run)
{
    double best = 1e9;
    for (int round = 0; round < 10; ++round) {
        const auto start = Clock::now();
        run();
        best = std::min(best, Milliseconds(start));
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    const int cards = argc > 1 ? std::atoi(argv[1]) : 50000;
    // Each enterprise hands in a card per year and period; about one in
    // twenty misses a year, so the lists are not empty.
    std::vector<reg::RegisterRow> rows(static_cast<std::size_t>(cards));
    for (int i = 0; i < cards; ++i) {
        const int enterprise = i / 10, year = 2010 + (i / 2) % 5, period = i % 2;
        card::TCardRec rec
            = regtest::GoodCard("Предприятие " + std::to_string(enterprise), std::to_string(1000000000 + enterprise),
                                year, period, 1 + enterprise % 13, 10 + enterprise % 300);
        rec.setInt32("InjuredCount", enterprise % 4);
        rec.setInt32("LostWorkdays", enterprise % 40);
        rec.setText("OtSpending", std::to_string(enterprise % 97) + "," + std::to_string(enterprise % 10));
        rec.setByte("HasOtService", enterprise % 3 == 0);
        reg::FillRegisterRow(rec, rows[static_cast<std::size_t>(i)]);
        rows[static_cast<std::size_t>(i)].state = reg::CardState::Ok;
        if (enterprise % 20 == 7 && year == 2014)
            rows[static_cast<std::size_t>(i)].year = 2013; // missed 2014, handed in 2013 twice
    }
    reg::MarkRepeats(rows);
    const auto all = reg::Pointers(rows);
    const reg::YearPeriod period = reg::DefaultYearPeriod(all).value_or(reg::YearPeriod{2014, 1});

    reg::IndicatorTable table;
    const double indicators = Best([&] { table = reg::ComputeIndicators(all, period); });
    reg::SubmissionLists lists;
    const double submissions = Best([&] { lists = reg::CompareSubmissions(all, period); });
    const double choice = Best([&] {
        std::vector<const reg::RegisterRow*> shown;
        for (const reg::RegisterRow* row : all)
            if (row->year == period.year && row->period == period.period)
                shown.push_back(row);
        reg::TotalsRow(shown);
        reg::DistrictRows(shown);
    });
    const auto& total = table.rows.back();
    std::printf("cards: %d, %s against %s, %zu districts\n", cards, reg::YearPeriodText(period).c_str(),
                reg::YearPeriodText(table.previous).c_str(), table.rows.size() - 1);
    std::printf("Кч %s (before %s), not handed in %zu, new %zu\n",
                reg::IndicatorText(reg::IndicatorDefinitions()[5].value(total.current), 2).c_str(),
                reg::IndicatorText(reg::IndicatorDefinitions()[5].value(total.previous), 2).c_str(),
                lists.notHandedIn.size(), lists.newOnes.size());
    std::printf("indicators, year and year before:  %.2f ms\n", indicators);
    std::printf("who did not hand in:               %.2f ms\n", submissions);
    std::printf("filter, totals and districts:      %.2f ms\n", choice);
    return 0;
}
