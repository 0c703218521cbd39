// The register's views over folders whose figures are known by hand: the
// year and period it opens on and the sums it refuses across them, the
// choice among repeats, the annual report's figures beside the year before,
// the keys and the caption, the totals rows under their columns.
#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include "register/register_cards.h"
#include "register_window/indicators_view.h"
#include "register_window/register_window.h"
#include "support/modal.h"
#include "support/pdf_text.h"
#include "support/required_control.h"
#include "widgets/messages_qt.h"

namespace {

namespace fs = std::filesystem;

int ColumnOf(const QAbstractItemModel* model, const QString& header)
{
    for (int c = 0; c < model->columnCount(); ++c)
        if (model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() == header)
            return c;
    return -1;
}

QString Cell(const QAbstractItemModel* model, int row, int column, int role = Qt::DisplayRole)
{
    return model->data(model->index(row, column), role).toString();
}

// The shown row whose first column is `text` (-1: none).
int RowOf(const QAbstractItemModel* model, const QString& text)
{
    for (int r = 0; r < model->rowCount(); ++r)
        if (Cell(model, r, 0) == text)
            return r;
    return -1;
}

void WriteAt(const fs::path& file, const card::TCardRec& rec, int minutesAgo)
{
    regtest::WriteCard(file, rec);
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::minutes(minutesAgo));
}

// Picks the menu item named `action` of the row menu that `open` pops up.
void PickFromRowMenu(const char* action, const std::function<void()>& open)
{
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        poll.stop();
        QAction* item = menu->findChild<QAction*>(QString::fromLatin1(action));
        QVERIFY(item && item->isEnabled());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    });
    poll.start(10);
    open();
}

void RightClick(QTableView* table, int row)
{
    const QPoint at = table->visualRect(table->model()->index(row, 0)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, table->viewport()->mapToGlobal(at));
    QApplication::sendEvent(table->viewport(), &event);
}

void ClickTab(RegisterWindow& w, const QString& title)
{
    QTabBar* bar = RequiredChild<QTabWidget>(&w, "TabViews")->tabBar();
    for (int i = 0; i < bar->count(); ++i)
        if (bar->tabText(i) == title)
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
}

} // namespace

class RegisterViewsTest : public QObject {
    Q_OBJECT

    QtMessages boxes_{kRegisterTitle};

    static void openAndRead(RegisterWindow& w, const QString& folder)
    {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.openFolder(folder);
        QTRY_VERIFY_WITH_TIMEOUT(!w.reading(), 20000);
    }

    // Two districts, two years and both periods; headcounts chosen so each
    // sum says which cards it holds. Every card has 2 injured, 1 fatal, 30
    // lost days.
    static void writeYears(const fs::path& root)
    {
        regtest::WriteCard(root / "a14.crd", regtest::GoodCard("А", "7707083893", 2014, 1, 1, 100));
        regtest::WriteCard(root / "b14.crd", regtest::GoodCard("Б", "500100732259", 2014, 1, 1, 300));
        auto faulty = regtest::GoodCard("В", "7707083894", 2014, 1, 4, 50); // wrong INN check digit
        regtest::WriteCard(root / "c14.crd", faulty);
        regtest::WriteCard(root / "a14h.crd", regtest::GoodCard("А", "7707083893", 2014, 0, 1, 1000));
        regtest::WriteCard(root / "a13.crd", regtest::GoodCard("А", "7707083893", 2013, 1, 1, 200));
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        SetBoxes(&boxes_);
    }

    void totalsRefuseSumsAcrossYearsOrPeriods_data()
    {
        QTest::addColumn<QString>("year"); // empty: as the window opens
        QTest::addColumn<QString>("period");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("headcount"); // of the cards' totals row
        QTest::addColumn<QString>("districtTotals");
        const QString choose = QStringLiteral("; суммы: выберите год и период");
        QTest::newRow("opens on 2014, annual")
            << QString() << QString() << QStringLiteral("Итого карточек: 3, с ошибками: 1") << QStringLiteral("450")
            << QStringLiteral("Итого|3|1|450");
        QTest::newRow("all periods") << QString() << QStringLiteral("Все периоды")
                                     << QStringLiteral("Итого карточек: 4, с ошибками: 1") + choose << QString()
                                     << QStringLiteral("Итого") + choose + QStringLiteral("|4|1|");
        QTest::newRow("all years") << QStringLiteral("Все годы") << QString()
                                   << QStringLiteral("Итого карточек: 4, с ошибками: 1") + choose << QString()
                                   << QStringLiteral("Итого") + choose + QStringLiteral("|4|1|");
        QTest::newRow("2013") << QStringLiteral("2013") << QString()
                              << QStringLiteral("Итого карточек: 1, с ошибками: 0") << QStringLiteral("200")
                              << QStringLiteral("Итого|1|0|200");
        QTest::newRow("half-year") << QString() << QStringLiteral("1 полугодие")
                                   << QStringLiteral("Итого карточек: 1, с ошибками: 0") << QStringLiteral("1000")
                                   << QStringLiteral("Итого|1|0|1000");
    }

    void totalsRefuseSumsAcrossYearsOrPeriods()
    {
        QFETCH(QString, year);
        QFETCH(QString, period);
        QFETCH(QString, label);
        QFETCH(QString, headcount);
        QFETCH(QString, districtTotals);
        QTemporaryDir dir;
        writeYears(regtest::U8Path(dir.path().toStdString()));
        RegisterWindow w;
        openAndRead(w, dir.path());
        auto* years = RequiredChild<QComboBox>(&w, "CombYear");
        auto* periods = RequiredChild<QComboBox>(&w, "CombPeriod");
        QCOMPARE(years->currentText() + QLatin1Char('|') + periods->currentText(), QStringLiteral("2014|Годовой"));
        // The faulty card: tinted, its short state beside the name, the full
        // reason in the tooltip.
        const QAbstractItemModel* cards = RequiredChild<QTableView>(&w, "TblCards")->model();
        const int faulty = RowOf(cards, QStringLiteral("c14.crd"));
        const int state = ColumnOf(cards, QStringLiteral("Статус"));
        QCOMPARE(state, ColumnOf(cards, QStringLiteral("Предприятие")) + 1);
        QCOMPARE(Cell(cards, faulty, state), QStringLiteral("ошибка"));
        QCOMPARE(Cell(cards, faulty, state, Qt::ToolTipRole),
                 QStringLiteral("Проверьте правильность ИНН! Сохранение будет невозможно!"));
        QVERIFY(cards->data(cards->index(faulty, 0), Qt::BackgroundRole).value<QBrush>().style() != Qt::NoBrush);
        QVERIFY(!cards->data(cards->index(RowOf(cards, QStringLiteral("a14.crd")), 0), Qt::BackgroundRole).isValid());
        if (!year.isEmpty())
            years->setCurrentIndex(years->findText(year));
        if (!period.isEmpty())
            periods->setCurrentIndex(periods->findText(period));

        const QAbstractItemModel* totals = RequiredChild<QTableView>(&w, "TblTotals")->model();
        QCOMPARE(Cell(totals, 0, 0), label);
        QCOMPARE(Cell(totals, 0, ColumnOf(w.model(), QStringLiteral("Среднесписочная численность"))), headcount);
        const QAbstractItemModel* districtSums = RequiredChild<QTableView>(&w, "TblDistrictTotals")->model();
        QStringList cells;
        for (int c = 0; c < 4; ++c)
            cells << Cell(districtSums, 0, c);
        QCOMPARE(cells.join(QLatin1Char('|')), districtTotals);
    }

    // The newest file counts; the user's choice from the row's menu counts
    // instead, in the sums and in the next reading of the folder.
    void chosenRepeatCountsAndIsRemembered()
    {
        QTemporaryDir dir;
        const fs::path root = regtest::U8Path(dir.path().toStdString());
        WriteAt(root / regtest::U8Path("старый.crd"), regtest::GoodCard("Повтор", "5000000000", 2014, 1, 2, 100), 60);
        WriteAt(root / regtest::U8Path("новый.crd"), regtest::GoodCard("Повтор", "5000000000", 2014, 1, 2, 300), 1);
        RegisterWindow w;
        openAndRead(w, dir.path());
        auto* table = RequiredChild<QTableView>(&w, "TblCards");
        const QAbstractItemModel* cards = table->model();
        const QAbstractItemModel* totals = RequiredChild<QTableView>(&w, "TblTotals")->model();
        const int repeat = ColumnOf(cards, QStringLiteral("Повтор"));
        const int state = ColumnOf(cards, QStringLiteral("Статус"));
        const int headcount = ColumnOf(cards, QStringLiteral("Среднесписочная численность"));
        const auto shown = [&](const char* file) {
            const int row = RowOf(cards, QString::fromUtf8(file));
            return Cell(cards, row, repeat) + QLatin1Char('|') + Cell(cards, row, state);
        };
        QCOMPARE(shown("старый.crd"), QStringLiteral("не учтён|повтор"));
        QCOMPARE(shown("новый.crd"), QStringLiteral("учтён|в порядке"));
        QVERIFY(Cell(cards, RowOf(cards, QStringLiteral("старый.crd")), repeat, Qt::ToolTipRole)
                    .contains(QStringLiteral("новый.crd, изменён ")));
        QCOMPARE(Cell(totals, 0, headcount), QStringLiteral("300"));

        PickFromRowMenu("ActCountFile", [&] { RightClick(table, RowOf(cards, QStringLiteral("старый.crd"))); });
        QCOMPARE(shown("старый.crd"), QStringLiteral("учтён|в порядке"));
        QCOMPARE(shown("новый.crd"), QStringLiteral("не учтён|повтор"));
        QCOMPARE(Cell(totals, 0, headcount), QStringLiteral("100"));

        RegisterWindow again;
        openAndRead(again, dir.path());
        const QAbstractItemModel* read = RequiredChild<QTableView>(&again, "TblCards")->model();
        QCOMPARE(Cell(read, RowOf(read, QStringLiteral("старый.crd")), repeat), QStringLiteral("учтён"));
        QCOMPARE(Cell(RequiredChild<QTableView>(&again, "TblTotals")->model(), 0, headcount), QStringLiteral("100"));
    }

    void indicatorsBesideTheYearBefore_data()
    {
        QTest::addColumn<QString>("district");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("figures"); // this year, the year before, the change
        QTest::addColumn<QString>("tooltip"); // of this year's figure
        // 2014, annual: district 1 holds 100 + 300 workers, district 4 50
        // (the faulty card counts as it is); 2013: district 1 200. Each card 2
        // injured, 1 fatal, 30 lost days.
        QTest::newRow("Кч, all") << QStringLiteral("Итого") << QStringLiteral("Кч, 2014")
                                 << QStringLiteral("13,33|10,00|3,33")
                                 << QStringLiteral("Кч = пострадавшие × 1000 / среднесписочная численность = 6 × 1000 "
                                                   "/ 450 = 13,33");
        QTest::newRow("Кт, district 1") << QStringLiteral("Г. НАЛЬЧИК") << QStringLiteral("Кт, 2014")
                                        << QStringLiteral("15,00|15,00|0,00") << QString();
        QTest::newRow("Ксм, district 4, no year before")
            << QStringLiteral("БАКСАНСКИЙ Р-Н") << QStringLiteral("Ксм, 2014") << QStringLiteral("20,00|—|—")
            << QString();
        QTest::newRow("headcount") << QStringLiteral("Итого") << QStringLiteral("Среднесписочная численность, 2014")
                                   << QStringLiteral("450|200|250") << QString();
    }

    void indicatorsBesideTheYearBefore()
    {
        QFETCH(QString, district);
        QFETCH(QString, header);
        QFETCH(QString, figures);
        QFETCH(QString, tooltip);
        QTemporaryDir dir;
        writeYears(regtest::U8Path(dir.path().toStdString()));
        RegisterWindow w;
        openAndRead(w, dir.path());
        ClickTab(w, QStringLiteral("Показатели"));
        auto* table = RequiredChild<QTableView>(&w, "TblIndicators");
        QVERIFY(table->isVisible());
        const QAbstractItemModel* model = table->model();
        QCOMPARE(Cell(model, model->rowCount() - 1, 0), QStringLiteral("Итого"));
        const int row = RowOf(model, district);
        const int column = ColumnOf(model, header);
        QVERIFY(row >= 0 && column >= 0);
        QCOMPARE(Cell(model, row, column) + QLatin1Char('|') + Cell(model, row, column + 1) + QLatin1Char('|')
                     + Cell(model, row, column + 2),
                 figures);
        if (!tooltip.isEmpty())
            QCOMPARE(Cell(model, row, column, Qt::ToolTipRole), tooltip);

        // Without one year and period there is nothing to set beside.
        RequiredChild<QComboBox>(&w, "CombYear")->setCurrentIndex(0);
        QCOMPARE(model->rowCount(), 0);
        QCOMPARE(RequiredChild<QLabel>(&w, "LblIndicators")->text(),
                 QStringLiteral("Показатели: выберите год и период"));
    }

    void whoDidNotHandIn_data()
    {
        QTest::addColumn<QByteArray>("list"); // the office's list; empty: none
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("said");
        const QStringList newOnes = {QStringLiteral("новые|Б|500100732259"), QStringLiteral("новые|В|7707083894")};
        QTest::newRow("against the year before")
            << QByteArray() << QStringList{QStringLiteral("не сдали|Г|100000000074")} + newOnes << QString();
        QTest::newRow("against the office's list")
            << QByteArray("ИНН;Наименование\r\n7707083893;А\r\n1234567890;Ж\r\n")
            << QStringList{QStringLiteral("не сдали|Ж|1234567890")} + newOnes << QString();
        QTest::newRow("list without an INN column")
            << QByteArray("Номер;Наименование\r\n1;А\r\n")
            << QStringList{QStringLiteral("не сдали|Г|100000000074")} + newOnes << QStringLiteral("список.csv");
    }

    void whoDidNotHandIn()
    {
        QFETCH(QByteArray, list);
        QFETCH(QStringList, rows);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const fs::path root = regtest::U8Path(dir.path().toStdString());
        writeYears(root / regtest::U8Path("карточки"));
        regtest::WriteCard(root / regtest::U8Path("карточки") / "g13.crd",
                           regtest::GoodCard("Г", "100000000074", 2013, 1, 2, 10));
        RegisterWindow w;
        openAndRead(w, dir.path() + QStringLiteral("/карточки"));
        ClickTab(w, QStringLiteral("Сдали / не сдали"));
        if (!list.isEmpty()) {
            const QString path = QDir(dir.path()).filePath(QStringLiteral("список.csv"));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(list);
            file.close();
            QString message;
            WhenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
                // Only a refused list shows a box; a watcher left waiting would
                // answer a later test's box into this one's finished frame.
                if (!said.isEmpty())
                    WhenModalOpens<QMessageBox>([&](QMessageBox* box) {
                        message = box->text();
                        box->accept();
                    });
                RequiredChild<QLineEdit>(dialog, "fileNameEdit")->setText(path);
                static_cast<QDialog*>(dialog)->accept();
            });
            QTest::mouseClick(RequiredChild<QPushButton>(&w, "BtnReferenceList"), Qt::LeftButton);
            QTRY_COMPARE(message.isEmpty(), said.isEmpty());
            if (!said.isEmpty())
                QVERIFY2(message.contains(said), qPrintable(message));
        }
        const QAbstractItemModel* model = RequiredChild<QTableView>(&w, "TblSubmissions")->model();
        QStringList shown;
        for (int r = 0; r < model->rowCount(); ++r)
            shown << Cell(model, r, 0) + QLatin1Char('|') + Cell(model, r, 2) + QLatin1Char('|') + Cell(model, r, 3);
        QCOMPARE(shown, rows);
    }

    // The save dialog starts where the last export went; a CSV holds the
    // table of the tab shown.
    void exportRemembersItsFolderAndWritesTheTabShown()
    {
        QTemporaryDir dir;
        const fs::path root = regtest::U8Path(dir.path().toStdString());
        writeYears(root / regtest::U8Path("карточки"));
        QDir(dir.path()).mkdir(QStringLiteral("сводки"));
        RegisterWindow w;
        openAndRead(w, dir.path() + QStringLiteral("/карточки"));
        ClickTab(w, QStringLiteral("Показатели"));
        QStringList started;
        const auto exportAs = [&](const QString& name) {
            WhenModalOpens<QFileDialog>([&, name](QFileDialog* dialog) {
                started << dialog->directory().absolutePath();
                RequiredChild<QLineEdit>(dialog, "fileNameEdit")
                    ->setText(dir.path() + QStringLiteral("/сводки/") + name);
                static_cast<QDialog*>(dialog)->accept();
            });
            QTest::mouseClick(RequiredChild<QPushButton>(&w, "BtnExport"), Qt::LeftButton);
        };
        exportAs(QStringLiteral("первая.csv"));
        exportAs(QStringLiteral("вторая.csv"));
        QCOMPARE(started,
                 QStringList({dir.path() + QStringLiteral("/карточки"), dir.path() + QStringLiteral("/сводки")}));
        QFile csv(dir.path() + QStringLiteral("/сводки/вторая.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QString header = QString::fromUtf8(csv.readLine());
        QVERIFY2(header.contains(QStringLiteral("Район;Сдали карточки, 2014;Сдали карточки, 2013")),
                 qPrintable(header));
    }

    // «Отчёт…» needs one year and period; its preview saves the report.
    void reportOfTheChosenYearAndPeriod()
    {
        QTemporaryDir dir;
        writeYears(regtest::U8Path(dir.path().toStdString()));
        RegisterWindow w;
        openAndRead(w, dir.path());
        auto* report = RequiredChild<QPushButton>(&w, "BtnReport");
        auto* years = RequiredChild<QComboBox>(&w, "CombYear");
        years->setCurrentIndex(0);
        QVERIFY(!report->isEnabled());
        years->setCurrentIndex(years->findText(QStringLiteral("2014")));
        QVERIFY(report->isEnabled());
        const QString pdf = QDir(dir.path()).filePath(QStringLiteral("отчёт.pdf"));
        WhenModalOpens<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
            WhenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
                RequiredChild<QLineEdit>(dialog, "fileNameEdit")->setText(pdf);
                static_cast<QDialog*>(dialog)->accept();
            });
            preview->findChild<QAction*>(QStringLiteral("ActSavePdf"))->trigger();
            preview->reject();
        });
        QTest::mouseClick(report, Qt::LeftButton);
        QCOMPARE(MissingInOrder(PdfText(pdf),
                                {QStringLiteral("2014"), QStringLiteral("Годовой"), QStringLiteral("Кч"),
                                 QStringLiteral("13,33")}),
                 QString());
    }

    // The caption names the version; Ctrl+O opens a folder, F5 reads it
    // again.
    void captionAndKeys()
    {
        QTemporaryDir dir;
        const fs::path root = regtest::U8Path(dir.path().toStdString());
        regtest::WriteCard(root / "a.crd", regtest::GoodCard("А", "7707083893"));
        RegisterWindow w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("ЮНРА5. Сводка карточек. версия ") + QStringLiteral(UNRA5_VERSION));
        WhenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
            RequiredChild<QLineEdit>(dialog, "fileNameEdit")->setText(dir.path());
            static_cast<QDialog*>(dialog)->accept();
        });
        QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(!w.reading(), 20000);
        QCOMPARE(w.model()->rowCount(), 1);
        regtest::WriteCard(root / "b.crd", regtest::GoodCard("Б", "500100732259"));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_F5);
        QTRY_VERIFY_WITH_TIMEOUT(!w.reading(), 20000);
        QCOMPARE(w.model()->rowCount(), 2);
    }

    void totalsStayUnderTheirColumns_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("totals");
        QTest::newRow("cards") << QStringLiteral("Карточки") << QStringLiteral("TblCards")
                               << QStringLiteral("TblTotals");
        QTest::newRow("districts") << QStringLiteral("По районам") << QStringLiteral("TblDistricts")
                                   << QStringLiteral("TblDistrictTotals");
    }

    // Scrolled fully right, on a screen of 1366 × 768, with more rows than
    // fit (the table's scroll bar takes its width from the viewport).
    void totalsStayUnderTheirColumns()
    {
        QFETCH(QString, tab);
        QFETCH(QString, table);
        QFETCH(QString, totals);
        QTemporaryDir dir;
        const fs::path root = regtest::U8Path(dir.path().toStdString());
        for (int i = 0; i < 40; ++i)
            regtest::WriteCard(root / regtest::U8Path("к" + std::to_string(i) + ".crd"),
                               regtest::GoodCard("Карточка", "7707083893", 2014 - i, 1, 1 + i % 13));
        RegisterWindow w;
        w.resize(1366, 768);
        openAndRead(w, dir.path());
        RequiredChild<QComboBox>(&w, "CombYear")->setCurrentIndex(0);
        ClickTab(w, tab);
        auto* rows = RequiredChild<QTableView>(&w, table.toLatin1().constData());
        auto* sums = RequiredChild<QTableView>(&w, totals.toLatin1().constData());
        QTest::qWait(50);
        rows->horizontalScrollBar()->setValue(rows->horizontalScrollBar()->maximum());
        const int last = rows->model()->columnCount() - 1;
        QCOMPARE(sums->viewport()->mapTo(&w, sums->visualRect(sums->model()->index(0, last)).topLeft()).x(),
                 rows->viewport()->mapTo(&w, rows->visualRect(rows->model()->index(0, last)).topLeft()).x());
        // Every district's name shows whole.
        const int district = table == QStringLiteral("TblCards") ? 1 : 0;
        for (int r = 0; r < rows->model()->rowCount(); ++r)
            QVERIFY(rows->fontMetrics().horizontalAdvance(Cell(rows->model(), r, district))
                    < rows->columnWidth(district));
    }
};

QTEST_MAIN(RegisterViewsTest)
#include "register_views_test.moc"
