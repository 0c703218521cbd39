// The register's window while it reads a folder of 10,000 generated cards:
// the longest wait of its event loop, the time until the table is full; then
// the longest a switch of year or period keeps the event loop waiting.
//   register_window_bench [cards] [years]
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "register/register_cards.h"
#include "register_window/register_window.h"

namespace {

// A ten-digit INN with its check digit, one per enterprise.
std::string Inn(int enterprise)
{
    const std::string digits = std::to_string(100000000 + enterprise);
    static constexpr int kWeights[9] = {2, 4, 10, 3, 5, 9, 4, 6, 8};
    int sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += kWeights[i] * (digits[static_cast<std::size_t>(i)] - '0');
    return digits + std::to_string(sum % 11 % 10);
}

double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const int cards = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int years = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    // Each enterprise hands in one card per year and period.
    const int perPeriod = std::max(1, cards / (2 * years));
    const auto root = std::filesystem::temp_directory_path() / "unra5-register-window-bench";
    std::filesystem::remove_all(root);
    for (int i = 0; i < cards; ++i)
        regtest::WriteCard(root / regtest::U8Path("Район " + std::to_string(i % 50))
                               / regtest::U8Path("карточка " + std::to_string(i) + ".crd"),
                           regtest::GoodCard("Предприятие " + std::to_string(i % perPeriod), Inn(i % perPeriod),
                                             2010 + (i / perPeriod / 2) % years, (i / perPeriod) % 2, 1 + i % 13,
                                             i % 500));

    RegisterWindow window;
    window.show();
    QApplication::processEvents();

    // A timer that should fire every 5 ms: the longest gap between two of its
    // calls is the longest the event loop was kept waiting. On a busy shared
    // machine that gap also holds the time the process waited for a core, so
    // the window thread's own processor time between two calls is shown too.
    QElapsedTimer clock, total;
    qint64 last = 0, worst = 0;
    double lastCpu = 0, worstCpu = 0;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        worst = std::max(worst, now - last);
        last = now;
        const double cpu = ThreadCpuMs();
        worstCpu = std::max(worstCpu, cpu - lastCpu);
        lastCpu = cpu;
        if (!window.reading())
            QApplication::quit();
    });
    for (int round = 0; round < 2; ++round) { // the first round warms the file cache
        worst = 0;
        worstCpu = 0;
        lastCpu = ThreadCpuMs();
        total.start();
        clock.start();
        last = 0;
        window.openFolder(QString::fromStdString(root.string()));
        tick.start();
        QApplication::exec();
        tick.stop();
        std::printf("round %d: %d rows in %.3f s, longest event-loop wait %lld ms (of it the window thread's "
                    "own work at most %.1f ms)\n",
                    round + 1, window.model()->rowCount(), total.elapsed() / 1000.0, static_cast<long long>(worst),
                    worstCpu);
    }

    // Every year with each period, as a user would click through them: the
    // whole change (filter, sort, totals, districts, indicators) runs in the
    // combo box's signal, so its time is the event loop's wait.
    auto* year = window.findChild<QComboBox*>(QStringLiteral("CombYear"));
    auto* period = window.findChild<QComboBox*>(QStringLiteral("CombPeriod"));
    qint64 longest = 0;
    double sum = 0, longestCpu = 0;
    int switches = 0;
    const auto timed = [&](QComboBox* combo, int index) {
        QElapsedTimer one;
        one.start();
        const double cpu = ThreadCpuMs();
        combo->setCurrentIndex(index);
        QApplication::processEvents();
        const qint64 took = one.elapsed();
        const double ownWork = ThreadCpuMs() - cpu;
        longestCpu = std::max(longestCpu, ownWork);
        if (took > 50)
            std::printf("  %s «%s»: %lld ms (own work %.1f ms)\n", combo == year ? "year" : "period",
                        qPrintable(combo->currentText()), static_cast<long long>(took), ownWork);
        longest = std::max(longest, took);
        sum += static_cast<double>(took);
        ++switches;
    };
    // In front of each tab in turn: the report's tabs are computed only
    // while shown.
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("TabViews"));
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        QApplication::processEvents();
        longest = 0;
        sum = 0;
        longestCpu = 0;
        switches = 0;
        for (int y = 0; y < year->count(); ++y) {
            timed(year, y);
            for (int p = 0; p < period->count(); ++p)
                timed(period, p);
        }
        std::printf("tab «%s»: %d switches of year or period over %d rows: longest %lld ms (own work at most %.1f "
                    "ms), mean %.1f ms\n",
                    qPrintable(tabs->tabText(tab)), switches, window.model()->rowCount(),
                    static_cast<long long>(longest), longestCpu, sum / switches);
    }
    std::filesystem::remove_all(root);
    return 0;
}
