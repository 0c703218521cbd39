// The register's report written as a PDF from 50,000 cards over 5 years
// (both periods) and 13 districts, after reading: the indicators of one year
// and period beside the year before, the chart, the lists of enterprises to
// chase (about 1,600 rows) and the account of the files.
//   register_report_bench [cards]
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "register_report/register_report.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

reg::RegisterRow Card(int i)
{
    reg::RegisterRow row;
    row.state = i % 17 == 0 ? reg::CardState::Faulty : reg::CardState::Ok;
    row.stateText = reg::kStateOk;
    const int enterprise = i / 10;
    row.file = "Район " + std::to_string(i % 13 + 1) + "/" + std::to_string(i) + "_Предприятие_"
        + std::to_string(enterprise) + ".crd";
    row.path = row.file;
    row.legalForm = "ООО";
    row.orgName = "Предприятие " + std::to_string(enterprise);
    row.inn = std::to_string(1000000000LL + enterprise);
    row.districtCode = 1 + i % 13;
    row.year = 2011 + i % 5;
    // One enterprise in 20 has no card for 2015 (annual), one in 25 none for 2014.
    if ((i % 10 == 9 && enterprise % 20 == 0) || (i % 10 == 8 && enterprise % 25 == 1))
        row.year = 2010;
    row.period = (i / 5) % 2;
    row.headcount = 5 + i % 400;
    row.injured = i % 7 == 0 ? 1 + i % 3 : 0;
    row.fatal = i % 211 == 0;
    row.lostDays = row.injured * (10 + i % 20);
    row.spending = std::to_string(i % 90) + ",5";
    row.workplaces[reg::WorkplaceColumn(0, card::kWorkplaceTotal)] = 3 + i % 9;
    row.workplaces[reg::WorkplaceColumn(3, card::kWorkplaceTotal)] = i % 4;
    row.trained = i % 30;
    // One enterprise in 11 has no labour-protection service, one in 7 has
    // not done the special assessment.
    row.hasService = i % 11 != 3;
    row.assessmentDone = i % 7 != 1;
    row.collectiveAgreement = i % 3 != 2;
    row.otCommission = i % 19 != 5;
    return row;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int cards = argc > 1 ? std::atoi(argv[1]) : 50000;
    std::vector<reg::RegisterRow> rows;
    rows.reserve(static_cast<std::size_t>(cards));
    for (int i = 0; i < cards; ++i)
        rows.push_back(Card(i));
    const std::vector<const reg::RegisterRow*> all = reg::Pointers(rows);
    const reg::YearPeriod period{2015, reg::kAnnual};
    reg::ExportInfo info;
    info.folders = {"/srv/карточки"};
    const PrintInfo print{QStringLiteral("ЮНРА5. Сводка карточек."), QStringLiteral("2.1.1.0"), QDate::currentDate()};
    const QString path = QDir::temp().filePath(QStringLiteral("unra5-register-report-bench.pdf"));
    double best = 1e9;
    double bestCpu = 1e9;
    for (int round = 0; round < 3; ++round) {
        const auto start = Clock::now();
        const std::clock_t cpuStart = std::clock();
        // Who did not hand in is part of the report's making.
        const ReportContents contents{all, period, std::nullopt, reg::CompareSubmissions(all, period), info, print};
        QString error;
        if (!WriteRegisterReportPdf(contents, path, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        best = std::min(best, Seconds(start));
        bestCpu = std::min(bestCpu, static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
    }
    // The processor time is what the report costs on a machine that runs
    // nothing else; the time on the clock grows with the machine's load.
    std::printf("report of %d cards: %.3f s on the clock, %.3f s of processor time (best of 3), %lld bytes, %s\n",
                cards, best, bestCpu, static_cast<long long>(QFileInfo(path).size()), qPrintable(path));
    return 0;
}
