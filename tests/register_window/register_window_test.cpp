// The register's window on a generated folder: reading, sorting, filters,
// the totals row following the filter, the district view and cancelling.
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <set>

#include "register/register_cards.h"
#include "register/register_columns.h"
#include "register_window/register_window.h"

namespace {

int ColumnOf(const char* header)
{
    const auto& columns = reg::RegisterColumns();
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        if (columns[i].header == header)
            return i;
    return -1;
}

const int kHeadcount = ColumnOf("Среднесписочная численность");

} // namespace

class RegisterWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::vector<regtest::Expected> expected_;

    template <class T>
    T* find(RegisterWindow& w, const char* name)
    {
        T* widget = w.findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }

    static void waitForReading(RegisterWindow& w) { QTRY_VERIFY_WITH_TIMEOUT(!w.reading(), 20000); }

    // The totals row sums exactly the rows the table shows.
    static void checkTotals(RegisterWindow& w)
    {
        const auto shown = w.proxy()->shownRows();
        double headcount = 0;
        int read = 0;
        for (const auto* row : shown) {
            headcount += row->read() ? row->headcount : 0;
            read += row->read();
        }
        const auto& totals = w.totals()->cells().at(0);
        QCOMPARE(totals[kHeadcount].number.value_or(-1), headcount);
        QCOMPARE(QString::fromStdString(totals[reg::kColumnFile].text), QStringLiteral("Итого карточек: %1").arg(read));
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        expected_ = regtest::MakeSampleFolder(dir_.path().toStdString());
    }

    void readsSortsFiltersAndTotalsFollowTheFilter()
    {
        RegisterWindow w;
        w.show();
        w.openFolder(dir_.path());
        QCOMPARE(RegisterWindow::rememberedFolder(), dir_.path());
        waitForReading(w);
        QCOMPARE(w.model()->rowCount(), static_cast<int>(expected_.size()));
        QVERIFY(!find<QProgressBar>(w, "ProgressReading")->isVisible());
        QVERIFY(!find<QPushButton>(w, "BtnCancel")->isEnabled());
        QCOMPARE(find<QLabel>(w, "LblSummary")->text(),
                 QStringLiteral("Прочитано карточек: 19, не прочитано файлов: 4, с ошибками: 12, повторов: 2"));
        checkTotals(w);

        // A click on the header sorts by headcount: refused files (no number) last.
        auto* table = find<QTableView>(w, "TblCards");
        table->sortByColumn(kHeadcount, Qt::DescendingOrder);
        const auto sorted = w.proxy()->shownRows();
        QCOMPARE(sorted.front()->headcount, 100);
        QVERIFY(!sorted.back()->read());
        table->sortByColumn(kHeadcount, Qt::AscendingOrder);
        QCOMPARE(w.proxy()->shownRows().front()->headcount, 1);

        struct Step {
            const char* combo;
            int item;
            int shown;
        };
        // Each step narrows what the one before showed.
        const Step steps[] = {
            {"CombState", 2, 12},                                                  // с ошибками
            {"CombYear", 1, 1},                                                    // 2001: one faulty card
            {"CombState", 0, 1},    {"CombYear", 0, 23},   {"CombDistrict", 4, 2}, // code 4
            {"CombPeriod", 1, 1},                                                  // first half-year
            {"CombDistrict", 0, 2}, {"CombPeriod", 0, 23}, {"CombState", 4, 2},    // repeats
        };
        for (const Step& step : steps) {
            find<QComboBox>(w, step.combo)->setCurrentIndex(step.item);
            QCOMPARE(w.proxy()->rowCount(), step.shown);
            QCOMPARE(table->model()->rowCount(), step.shown);
            checkTotals(w);
        }
        QCOMPARE(w.districts()->rowCount(), 1);
        QCOMPARE(QString::fromStdString(w.districts()->cells()[0][0].text), QStringLiteral("Г. БАКСАН"));

        // The export writes what is shown.
        const QString csv = QDir(QDir::tempPath()).filePath(QStringLiteral("unra5-register-test.csv"));
        QVERIFY(w.exportTo(csv));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count("\r\n"), 1 + 2 + 1); // header, two repeats, totals
        file.remove();
    }

    void cancellingLeavesAConsistentPartialTable()
    {
        QTemporaryDir many;
        for (int i = 0; i < 3000; ++i)
            regtest::WriteCard(regtest::U8Path(many.path().toStdString()) / ("к" + std::to_string(i) + ".crd"),
                               regtest::GoodCard("Карточка", "7707083893", 2000 + i % 20, 1, 1 + i % 13, i));
        RegisterWindow w;
        w.show();
        w.openFolder(many.path());
        QVERIFY(find<QPushButton>(w, "BtnCancel")->isEnabled());
        QElapsedTimer waited;
        waited.start();
        while (w.model()->rowCount() == 0 && waited.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QVERIFY(w.reading());
        QTest::mouseClick(find<QPushButton>(w, "BtnCancel"), Qt::LeftButton);
        waitForReading(w);

        const int rows = w.model()->rowCount();
        QVERIFY(rows > 0 && rows <= 3000);
        std::set<std::string> files;
        for (const auto& row : w.model()->rows()) {
            QVERIFY(row.read());
            files.insert(row.file);
        }
        QCOMPARE(static_cast<int>(files.size()), rows);
        QCOMPARE(w.proxy()->rowCount(), rows);
        checkTotals(w);
        QVERIFY(find<QLabel>(w, "LblSummary")->text().endsWith(QStringLiteral("(чтение отменено)")));
        QVERIFY(!find<QProgressBar>(w, "ProgressReading")->isVisible());
        qInfo("cancelled after %d of 3000 cards", rows);

        // The same folder again reads every card.
        w.openFolder(many.path());
        waitForReading(w);
        QCOMPARE(w.model()->rowCount(), 3000);
        checkTotals(w);
    }
};

QTEST_MAIN(RegisterWindowTest)
#include "register_window_test.moc"
