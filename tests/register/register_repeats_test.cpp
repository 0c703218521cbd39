// Which of several files of one card counts, and the year and period the
// register opens on.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "register/register_reader.h"
#include "register/register_summary.h"
#include "register_cards.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string Utf8(const fs::path& path)
{
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Three files of one INN, year and period, modified 10.03.2015 at 09:00,
// 10:00 and 09:01 UTC: the newest counts unless another is chosen.
TEST(RegisterRepeats, NewestFileCountsUnlessAnotherIsChosen)
{
#ifndef _WIN32
    setenv("TZ", "UTC", 1);
    tzset();
#endif
    TempFolder folder;
    const auto at = [](std::chrono::minutes sinceNine) {
        const std::chrono::sys_seconds time = std::chrono::sys_days{std::chrono::year{2015} / 3 / 10} + 9h + sinceNine;
        return std::chrono::file_clock::from_sys(time);
    };
    const std::pair<const char*, std::chrono::minutes> files[] = {{"а.crd", 0min}, {"б.crd", 60min}, {"в.crd", 1min}};
    for (const auto& [name, time] : files) {
        const fs::path file = folder.path() / regtest::U8Path(name);
        regtest::WriteCard(file, regtest::GoodCard("Ромашка", "7707083893"));
        fs::last_write_time(file, at(time));
    }
    std::vector<reg::RegisterRow> rows = reg::ReadRegister({Utf8(folder.path())});
    ASSERT_EQ(rows.size(), 3u);
    const auto states = [&] {
        std::string text;
        for (const auto& row : rows)
            text += row.file + ":" + reg::RegisterColumns()[reg::RepeatColumn()].cell(row).text + ":"
                + reg::ShortState(row) + " ";
        return text;
    };
    EXPECT_EQ(states(), "а.crd:не учтён:повтор б.crd:учтён:в порядке в.crd:не учтён:повтор ");
    const auto all = reg::Pointers(rows);
    // Only the counted file goes into the totals: one card, headcount 100.
    const auto totals = reg::TotalsRow(all);
    EXPECT_EQ(totals[reg::kColumnFile].text, "Итого карточек: 1, с ошибками: 0");
    EXPECT_EQ(totals[reg::kColumnFile + 10].number, 100);
#ifndef _WIN32
    EXPECT_EQ(reg::RepeatToolTip(rows[1], all),
              "Этот файл учтён в суммах. Карточки того же ИНН, года и периода в других файлах:\n"
              "а.crd, изменён 10.03.2015 09:00, не учтён\nв.crd, изменён 10.03.2015 09:01, не учтён");
#endif

    reg::MarkRepeats(rows, {rows[0].path});
    EXPECT_EQ(states(), "а.crd:учтён:в порядке б.crd:не учтён:повтор в.crd:не учтён:повтор ");
}

TEST(RegisterDefaultPeriod, LatestYearAnnualWhenItHasAnnualCards)
{
    struct Case {
        std::vector<std::pair<int, int>> cards; // year, period; year 0: a refused file
        std::optional<reg::YearPeriod> expected;
    };
    const Case cases[] = {
        {{{2013, 1}, {2014, 0}}, reg::YearPeriod{2014, 0}},
        {{{2014, 0}, {2014, 1}, {2013, 1}}, reg::YearPeriod{2014, 1}},
        {{{2012, 1}, {0, 0}}, reg::YearPeriod{2012, 1}},
        {{{0, 0}}, std::nullopt},
    };
    for (const Case& c : cases) {
        std::vector<reg::RegisterRow> rows(c.cards.size());
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (c.cards[i].first != 0)
                reg::FillRegisterRow(regtest::GoodCard("Ромашка", "7707083893", c.cards[i].first, c.cards[i].second),
                                     rows[i]);
        EXPECT_EQ(reg::DefaultYearPeriod(reg::Pointers(rows)), c.expected);
    }
}

} // namespace
