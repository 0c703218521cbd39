// The register's window on a generated folder: reading, sorting, filters,
// the totals row following the filter, the district view, cancelling, and
// the printed card of the selected row.
#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <set>
#include <thread>

#include "register/register_cards.h"
#include "register/register_columns.h"
#include "register_window/register_window.h"
#include "support/modal.h"
#include "support/pdf_text.h"
#include "support/required_control.h"
#include "widgets/messages_qt.h"

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
    QtMessages boxes_{kRegisterTitle};

    static void waitForReading(RegisterWindow& w) { QTRY_VERIFY_WITH_TIMEOUT(!w.reading(), 20000); }

    // Opens `folder` in a shown, active window, waits for the reading and
    // shows every year and period.
    static void openAndRead(RegisterWindow& w, const QString& folder)
    {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.openFolder(folder);
        waitForReading(w);
        RequiredChild<QComboBox>(&w, "CombYear")->setCurrentIndex(0);
        RequiredChild<QComboBox>(&w, "CombPeriod")->setCurrentIndex(0);
    }

    // The shown row of `file` in the cards table (-1: not shown).
    static int shownRowOf(RegisterWindow& w, const std::string& file)
    {
        const auto shown = w.proxy()->shownRows();
        for (int i = 0; i < static_cast<int>(shown.size()); ++i)
            if (shown[static_cast<std::size_t>(i)]->file == file)
                return i;
        return -1;
    }

    // The totals row sums exactly the rows the table shows.
    static void checkTotals(RegisterWindow& w)
    {
        const auto shown = w.proxy()->shownRows();
        double headcount = 0;
        int counted = 0, faulty = 0;
        std::set<std::pair<int, int>> periods;
        for (const auto* row : shown) {
            if (!row->read() || !row->counted)
                continue;
            headcount += row->headcount;
            ++counted;
            faulty += row->state == reg::CardState::Faulty;
            periods.insert({row->year, row->period});
        }
        const auto& totals = w.totals()->cells().at(0);
        // Headcounts of different years or periods are never added.
        const bool mixed = periods.size() > 1;
        QCOMPARE(totals[kHeadcount].number.has_value(), !mixed);
        QCOMPARE(totals[kHeadcount].number.value_or(0), mixed ? 0 : headcount);
        QCOMPARE(QString::fromStdString(totals[reg::kColumnFile].text),
                 QStringLiteral("Итого карточек: %1, с ошибками: %2").arg(counted).arg(faulty)
                     + (mixed ? QStringLiteral("; суммы: выберите год и период") : QString()));
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        SetBoxes(&boxes_); // as the program does, before any reading
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
        QVERIFY(!RequiredChild<QProgressBar>(&w, "ProgressReading")->isVisible());
        QVERIFY(!RequiredChild<QPushButton>(&w, "BtnCancel")->isEnabled());
        QCOMPARE(RequiredChild<QLabel>(&w, "LblSummary")->text(),
                 QStringLiteral("Прочитано карточек: 19, не прочитано файлов: 4, с ошибками: 12, повторов: 2"));
        // It opens on the latest year, annual: one card.
        QCOMPARE(w.proxy()->rowCount(), 1);
        checkTotals(w);
        RequiredChild<QComboBox>(&w, "CombYear")->setCurrentIndex(0);
        RequiredChild<QComboBox>(&w, "CombPeriod")->setCurrentIndex(0);
        QCOMPARE(w.proxy()->rowCount(), static_cast<int>(expected_.size()));
        checkTotals(w);
        // The totals' cells stand under the table's cells.
        QCOMPARE(RequiredChild<QTableView>(&w, "TblTotals")->viewport()->x(),
                 RequiredChild<QTableView>(&w, "TblCards")->viewport()->x());

        // A click on the header sorts by headcount: refused files (no number) last.
        auto* table = RequiredChild<QTableView>(&w, "TblCards");
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
            RequiredChild<QComboBox>(&w, step.combo)->setCurrentIndex(step.item);
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

    // Also: no export while reading; one after a cancel says what it left out.
    void cancellingLeavesAConsistentPartialTable()
    {
        QTemporaryDir many;
        for (int i = 0; i < 3000; ++i)
            regtest::WriteCard(regtest::U8Path(many.path().toStdString()) / ("к" + std::to_string(i) + ".crd"),
                               regtest::GoodCard("Карточка", "7707083893", 2000 + i % 20, 1, 1 + i % 13, i));
        // The reading stops after its first 500 files until the cancel, so
        // the cancel comes mid-way however fast the machine reads.
        constexpr int kHeldAfter = 500;
        std::atomic<int> begun{0};
        std::atomic<bool> released{false};
        RegisterWindow w(nullptr, [&](const reg::CardFile& file) {
            if (begun.fetch_add(1) >= kHeldAfter)
                while (!released)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return reg::ReadCardFileRow(file);
        });
        w.show();
        w.openFolder(many.path());
        QVERIFY(RequiredChild<QPushButton>(&w, "BtnCancel")->isEnabled());
        auto* exportButton = RequiredChild<QPushButton>(&w, "BtnExport");
        QVERIFY(!exportButton->isEnabled());
        QVERIFY(!OpensModal([&] { QTest::mouseClick(exportButton, Qt::LeftButton); }, 10));
        QTRY_COMPARE_WITH_TIMEOUT(w.model()->rowCount(), kHeldAfter, 20000);
        QVERIFY(w.reading());
        QTest::mouseClick(RequiredChild<QPushButton>(&w, "BtnCancel"), Qt::LeftButton);
        released = true;
        waitForReading(w);
        RequiredChild<QComboBox>(&w, "CombYear")->setCurrentIndex(0); // every year

        const int rows = w.model()->rowCount();
        QVERIFY(rows >= kHeldAfter && rows < 3000); // the held files that had begun come too
        std::set<std::string> files;
        for (const auto& row : w.model()->rows()) {
            QVERIFY(row.read());
            files.insert(row.file);
        }
        QCOMPARE(static_cast<int>(files.size()), rows);
        QCOMPARE(w.proxy()->rowCount(), rows);
        checkTotals(w);
        QVERIFY(!RequiredChild<QProgressBar>(&w, "ProgressReading")->isVisible());
        qInfo("cancelled after %d of 3000 cards", rows);
        // The files the cancel left out (the word forms are the core's own test).
        auto* summary = RequiredChild<QLabel>(&w, "LblSummary");
        const QString left
            = QStringLiteral(" \\(чтение отменено: пропущено? %1 файл(а|ов)? из 3000\\)$").arg(3000 - rows);
        QVERIFY2(QRegularExpression(QStringLiteral("^Прочитано карточек: %1, .*").arg(rows) + left)
                     .match(summary->text())
                     .hasMatch(),
                 qPrintable(summary->text()));
        QVERIFY(exportButton->isEnabled());
        const QString csv = QDir(many.path()).filePath(QStringLiteral("сводка.csv"));
        QVERIFY(w.exportTo(csv));
        QVERIFY2(QRegularExpression(QStringLiteral("^Сохранено: ")
                                    + QRegularExpression::escape(QDir::toNativeSeparators(csv)) + left)
                     .match(summary->text())
                     .hasMatch(),
                 qPrintable(summary->text()));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count("\r\n"), 1 + rows + 1); // header, the rows read, totals
        file.close();
        QVERIFY(file.remove());

        // The same folder again reads every card.
        w.openFolder(many.path());
        waitForReading(w);
        QCOMPARE(w.model()->rowCount(), 3000);
        checkTotals(w);
        QVERIFY(w.exportTo(csv));
        QCOMPARE(summary->text(), QStringLiteral("Сохранено: ") + QDir::toNativeSeparators(csv));
    }

    // Only one card that was read, in the cards view, can be printed.
    void printingFollowsTheSelection()
    {
        RegisterWindow w;
        openAndRead(w, dir_.path());
        auto* print = RequiredChild<QPushButton>(&w, "BtnPrintCard");
        auto* table = RequiredChild<QTableView>(&w, "TblCards");
        auto* tabs = RequiredChild<QTabWidget>(&w, "TabViews");
        QVERIFY(!print->isEnabled()); // nothing selected

        const int good = shownRowOf(w, "1_Ромашка_2014_Годовой.crd");
        table->selectRow(shownRowOf(w, "плохие/короткий.crd")); // refused by the reader
        QVERIFY(!print->isEnabled());
        table->selectRow(shownRowOf(w, "версия1.crd")); // read, though the card program would not save it
        QVERIFY(print->isEnabled());
        table->selectRow(good);
        table->selectionModel()->select(table->model()->index(good + 1, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QVERIFY(!print->isEnabled()); // two rows
        table->selectRow(good);
        tabs->setCurrentIndex(1); // the district view
        QVERIFY(!print->isEnabled());
        tabs->setCurrentIndex(0);
        QVERIFY(print->isEnabled());
        RequiredChild<QComboBox>(&w, "CombState")->setCurrentIndex(3); // refused files only: the row goes
        QVERIFY(!print->isEnabled());

        QVERIFY(!OpensModal([&] { QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier); }));
    }

    void previewOfTheSelectedCardSavesItsPdf_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("how"); // 0 Ctrl+P, 1 the button, 2 a double click
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("saveAs"); // empty: the offered file
        QTest::newRow("Ctrl+P") << QStringLiteral("Баксан/4_Берёзка_2014_1 полугодие .crd") << 0
                                << QStringLiteral("Берёзка") << QString();
        QTest::newRow("button, upper-case name") << QStringLiteral("Баксан/Вложенная/глубже/4_Клён_2015_Годовой.CRD")
                                                 << 1 << QStringLiteral("Клён") << QString();
        QTest::newRow("double click, version 1")
            << QStringLiteral("версия1.crd") << 2 << QStringLiteral("Версия один") << QString();
        QTest::newRow("PDF that cannot be written") << QStringLiteral("1_Ромашка_2014_Годовой.crd") << 0 << QString()
                                                    << QStringLiteral("нет такой папки/карточка.pdf");
    }

    // The card is read again from its file and printed; the PDF is offered
    // beside the card under the card's file name. One that cannot be written
    // says so in the register's box.
    void previewOfTheSelectedCardSavesItsPdf()
    {
        QFETCH(QString, file);
        QFETCH(int, how);
        QFETCH(QString, name);
        QFETCH(QString, saveAs);
        RegisterWindow w;
        openAndRead(w, dir_.path());
        auto* table = RequiredChild<QTableView>(&w, "TblCards");
        const int row = shownRowOf(w, file.toStdString());
        QVERIFY(row >= 0);
        table->selectRow(row);

        QString offered;
        QString said;
        WhenModalOpens<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
            WhenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
                offered = dialog->selectedFiles().value(0);
                if (!saveAs.isEmpty()) {
                    WhenModalOpens<QMessageBox>([&](QMessageBox* box) {
                        said = box->windowTitle() + QLatin1Char('|') + box->text();
                        box->accept();
                    });
                    // Typed relative to the card's folder: selecting a path in a
                    // folder that does not exist would leave the dialog's choice to
                    // its file model, which settles later on a busy machine.
                    RequiredChild<QLineEdit>(dialog, "fileNameEdit")->setText(saveAs);
                }
                static_cast<QDialog*>(dialog)->accept();
            });
            preview->findChild<QAction*>(QStringLiteral("ActSavePdf"))->trigger();
            preview->reject();
        });
        if (how == 0) {
            QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
        } else if (how == 1) {
            QTest::mouseClick(RequiredChild<QPushButton>(&w, "BtnPrintCard"), Qt::LeftButton);
        } else {
            const QModelIndex index = table->model()->index(row, reg::kColumnFile);
            table->scrollTo(index);
            // QTest's double click is only the second click of the pair.
            const QPoint at = table->visualRect(index).center();
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        }

        QString pdf = QDir(dir_.path()).filePath(file);
        pdf.chop(4);
        pdf += QStringLiteral(".pdf");
        QCOMPARE(offered, pdf);
        if (!saveAs.isEmpty()) {
            QCOMPARE(said,
                     QString::fromUtf8(kRegisterTitle) + QStringLiteral("|Не удалось записать файл: ")
                         + QDir::toNativeSeparators(QDir(dir_.path()).filePath(saveAs)));
            return;
        }
        QCOMPARE(MissingInOrder(PdfText(pdf), {QStringLiteral("Название"), name, QString::fromUtf8(kRegisterTitle)}),
                 QString());
        QVERIFY(QFile::remove(pdf));
    }

    // A card whose file name is no UTF-8 (on Linux a name's bytes stand as
    // they are) is printed from the file it was read from.
    void cardUnderANameThatIsNoUtf8IsPrinted()
    {
#ifdef _WIN32
        QSKIP("a Windows name is UTF-16, which always has a UTF-8 form");
#endif
        QTemporaryDir folder;
        // "1_Альфа.crd" in Windows-1251.
        regtest::WriteCard(regtest::U8Path(folder.path().toStdString()) / "1_\xC0\xEB\xFC\xF4\xE0.crd",
                           regtest::GoodCard("Альфа", "7707083893"));
        RegisterWindow w;
        openAndRead(w, folder.path());
        RequiredChild<QTableView>(&w, "TblCards")->selectRow(0);
        QString shown;
        WhenModalOpens([&](QWidget* modal) {
            shown = modal->metaObject()->className();
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                shown += QLatin1Char('|') + box->text();
            modal->close();
        });
        QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(shown, QStringLiteral("QPrintPreviewDialog"));
    }

    void fileGoneOrChangedSinceReading_data()
    {
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        QTest::newRow("gone") << true
                              << QStringLiteral("Карточка не напечатана: %1\nфайла больше нет (удалён или перемещён "
                                                "после чтения папки)")
                              << int(QMessageBox::Critical);
        QTest::newRow("no longer a card")
            << false
            << QStringLiteral("Карточка не напечатана: %1\nфайл больше не содержит карточку: Ошибка загрузки карточи "
                              "предприятия! ")
            << int(QMessageBox::NoIcon);
    }

    // The card program's message for the file, and no preview.
    void fileGoneOrChangedSinceReading()
    {
        QFETCH(bool, removed);
        QFETCH(QString, text);
        QFETCH(int, icon);
        QTemporaryDir folder;
        const auto card = regtest::U8Path(folder.path().toStdString()) / "1_Ромашка_2014_Годовой.crd";
        regtest::WriteCard(card, regtest::GoodCard("Ромашка", "7707083893"));
        RegisterWindow w;
        openAndRead(w, folder.path());
        RequiredChild<QTableView>(&w, "TblCards")->selectRow(0);
        if (removed)
            std::filesystem::remove(card);
        else
            regtest::WriteBytes(card, "short", 5);

        QString shown;
        int shownIcon = -1;
        bool preview = false;
        WhenModalOpens([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                shown = box->text();
                shownIcon = box->icon();
                box->accept();
            } else {
                preview = true;
                modal->close();
            }
        });
        QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(shown, text.arg(QDir::toNativeSeparators(QString::fromStdString(card.string()))));
        QCOMPARE(shownIcon, icon);
        QVERIFY(!preview);
    }
};

QTEST_MAIN(RegisterWindowTest)
#include "register_window_test.moc"
