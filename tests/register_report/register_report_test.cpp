// The register's report, written as a PDF and read back with poppler's
// pdftotext: the figures and lists of a small folder worked out by hand, in
// all districts and in one, a long list broken between rows with its titles
// again overleaf, page numbers, the preview's save, and the refusals of a path
// it must not write.
#include <QAction>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTest>

#include <chrono>
#include <filesystem>

#include "register/register_cards.h"
#include "register/register_reader.h"
#include "register/register_submissions.h"
#include "register_report/register_report.h"
#include "support/modal.h"
#include "support/pdf_text.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const PrintInfo kInfo{QStringLiteral("ЮНРА5. Сводка карточек."), QStringLiteral("2.1.1.0"), QDate(2026, 12, 10)};

std::string Utf8(const fs::path& path)
{
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

struct HandCard {
    const char* file;
    const char* name;
    const char* inn; // 7707083894 fails the INN check: a faulty card
    int year, district, headcount, injured, fatal, lostDays;
    bool service, assessment;
};

// 2015 annual against 2014 annual. District 1 is Г. НАЛЬЧИК, 5 ЗОЛЬСКИЙ Р-Н.
// "Бета копия" is an older file of Бета's card (headcount 999): it does not
// count. Дельта handed in for 2014 only, Бета is new in 2015.
const HandCard kCards[] = {
    {"Альфа 2015.crd", "Альфа", "7707083893", 2015, 1, 400, 6, 0, 90, true, true},
    {"Бета 2015.crd", "Бета", "500100732259", 2015, 1, 120, 2, 1, 40, false, false},
    {"Бета копия.crd", "Бета", "500100732259", 2015, 1, 999, 9, 9, 99, false, false},
    {"Гамма 2015.crd", "Гамма", "7707083894", 2015, 5, 30, 0, 0, 0, false, false},
    {"Альфа 2014.crd", "Альфа", "7707083893", 2014, 1, 380, 5, 0, 60, true, true},
    {"Гамма 2014.crd", "Гамма", "7707083894", 2014, 5, 25, 1, 0, 10, false, false},
    {"Дельта 2014.crd", "Дельта", "0000000000", 2014, 5, 10, 0, 0, 0, true, true},
};

// The report of `rows` for 2015, annual, in all districts.
ReportContents Contents(const std::vector<reg::RegisterRow>& rows, const std::string& folder)
{
    const std::vector<const reg::RegisterRow*> all = reg::Pointers(rows);
    reg::ExportInfo info;
    info.folders = {folder};
    info.filter = "все карточки";
    info.date = "10.12.2026 12:00";
    return {all, {2015, reg::kAnnual}, std::nullopt, reg::CompareSubmissions(all, {2015, reg::kAnnual}), info, kInfo};
}

// A counted card of 2015 without the special assessment, for the long list.
reg::RegisterRow ListedRow(int i)
{
    reg::RegisterRow row;
    row.state = reg::CardState::Ok;
    row.file = QStringLiteral("карточка_%1.crd").arg(i, 3, 10, QLatin1Char('0')).toStdString();
    row.orgName = QStringLiteral("Предприятие %1").arg(i, 3, 10, QLatin1Char('0')).toStdString();
    row.legalForm = "ООО";
    row.inn = std::to_string(7700000000LL + i);
    row.year = 2015;
    row.period = reg::kAnnual;
    row.districtCode = 1;
    row.headcount = 10;
    row.hasService = true;
    return row;
}

QString PageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    return Compact(PopplerOutput("pdftotext",
                                 {QStringLiteral("-raw"), QStringLiteral("-f"), number, QStringLiteral("-l"), number,
                                  pdf, QStringLiteral("-")}));
}

} // namespace

class RegisterReportTest : public QObject {
    Q_OBJECT
private slots:
    void handKnownFigures();
    void longListBreaksBetweenRows();
    void previewSavesWhatItShows();
    void refusedPaths_data();
    void refusedPaths();
};

// 2015, Г. НАЛЬЧИК: Альфа and Бета: headcount 520, injured 8, fatal 1, lost 130:
//   Кч 8 × 1000 / 520 = 15,3846 → 15,38; Ксм 1000 / 520 = 1,923 → 1,92; Кт 130 / 8 = 16,25.
// 2015, ЗОЛЬСКИЙ Р-Н: Гамма: 30, 0, 0, 0: Кч 0,00, Кт 0 / 0: «—».
// 2015, all: 550, 8, 1, 130: Кч 8000 / 550 = 14,5454 → 14,55; Ксм 1000 / 550 = 1,818 → 1,82; Кт 16,25.
// 2014, Г. НАЛЬЧИК: 380, 5, 0, 60: Кч 13,1579 → 13,16; Кт 12,00.
// 2014, ЗОЛЬСКИЙ Р-Н: Гамма and Дельта: 35, 1, 0, 10: Кч 1000 / 35 = 28,571 → 28,57; Кт 10,00.
// 2014, all: 415, 6, 0, 70: Кч 6000 / 415 = 14,4578 → 14,46; Ксм 0,00; Кт 70 / 6 = 11,667 → 11,67.
// Changes, all: cards 3 − 3 = 0; Кч 14,5454 − 14,4578 = 0,0876 → +0,09; Кт 16,25 − 11,6667 → +4,58.
// Г. НАЛЬЧИК: Кч 15,3846 − 13,1579 → +2,23. ЗОЛЬСКИЙ Р-Н: Кч 0 − 28,5714 → -28,57, Кт —.
// Not handed in for 2015: Дельта; new: Бета (its counted file is the latest).
// Lists of 2015: over 50 without a service: Бета (120); without the assessment:
// Бета, then Гамма (the districts in the list's order).
// Files: 8 (one refused), 7 read, faulty: both Гамма (2015: 1), repeats 2, of them 1 not counted.
void RegisterReportTest::handKnownFigures()
{
    TempFolder folder;
    for (const HandCard& c : kCards) {
        card::TCardRec rec = regtest::GoodCard(c.name, c.inn, c.year, reg::kAnnual, c.district, c.headcount);
        rec.setInt32("InjuredCount", c.injured);
        rec.setInt32("FatalCount", c.fatal);
        rec.setInt32("LostWorkdays", c.lostDays);
        rec.setByte("HasOtService", c.service);
        rec.setByte("AssessmentCompleted", c.assessment);
        rec.setText("AssessmentDate", c.assessment ? "15.03.2015" : "");
        const fs::path file = folder.path() / regtest::U8Path(c.file);
        regtest::WriteCard(file, rec);
        if (std::string(c.file) == "Бета копия.crd")
            fs::last_write_time(file, fs::last_write_time(file) - std::chrono::hours(24));
    }
    regtest::WriteBytes(folder.path() / "пустой.crd", "", 0);
    const std::string root = Utf8(folder.path());
    const std::vector<reg::RegisterRow> rows = reg::ReadRegister({root});
    QCOMPARE(rows.size(), std::size_t{8});

    const ReportContents contents = Contents(rows, root);
    const QString pdf = QStringLiteral("отчёт.pdf");
    QString error;
    QVERIFY2(WriteRegisterReportPdf(contents, pdf, &error), qPrintable(error));
    KeepForTheGuide(pdf);
    const QString text = PdfText(pdf);
    const QString missing = MissingInOrder(
        text,
        {QStringLiteral("Отчёт о состоянии охраны труда за 2015 год"),
         QStringLiteral("Районы: Г. НАЛЬЧИК, ЗОЛЬСКИЙ Р-Н"), QStringLiteral("Дата составления: 10.12.2026"),
         QStringLiteral("Папка ") + QString::fromStdString(root), QStringLiteral("Отбор все карточки"),
         QStringLiteral("Год и период 2015, Годовой (для сравнения 2014, Годовой)"),
         QStringLiteral("Дата 10.12.2026 12:00"), QStringLiteral("Программа ЮНРА5. Сводка карточек, версия"),
         // All districts: this year, the year before, the change.
         QStringLiteral("Сдали карточки 3 3 0"), QStringLiteral("Среднесписочная численность 550 415 +135"),
         QStringLiteral("Коэффициент частоты, Кч 14,55 14,46 +0,09"),
         QStringLiteral("Коэффициент частоты смертельных случаев, Ксм 1,82 0,00 +1,82"),
         QStringLiteral("Коэффициент тяжести, Кт 16,25 11,67 +4,58"), QStringLiteral("Показатели: Г. НАЛЬЧИК"),
         QStringLiteral("Коэффициент частоты, Кч 15,38 13,16 +2,23"),
         QStringLiteral("Коэффициент тяжести, Кт 16,25 12,00 +4,25"), QStringLiteral("Показатели: ЗОЛЬСКИЙ Р-Н"),
         QStringLiteral("Коэффициент частоты, Кч 0,00 28,57 -28,57"),
         QStringLiteral("Коэффициент тяжести, Кт — 10,00 —"),
         // The chart: each district's two figures beside its bars.
         QStringLiteral("Коэффициент частоты Кч по районам"), QStringLiteral("Г. НАЛЬЧИК"), QStringLiteral("15,38"),
         QStringLiteral("13,16"), QStringLiteral("ЗОЛЬСКИЙ Р-Н"), QStringLiteral("0,00"), QStringLiteral("28,57"),
         QStringLiteral("Итого"), QStringLiteral("14,55"), QStringLiteral("14,46"),
         QStringLiteral("Не сдали карточку за 2015, Годовой (по карточкам за 2014, Годовой): 1"),
         QStringLiteral("ЗОЛЬСКИЙ Р-Н Дельта 0000000000 Дельта 2014.crd"),
         QStringLiteral("Новые (по карточкам за 2014, Годовой, их не было): 1"),
         QStringLiteral("Г. НАЛЬЧИК Бета 500100732259 Бета 2015.crd"),
         QStringLiteral("Более 50 работников, нет службы охраны труда: 1"),
         QStringLiteral("Г. НАЛЬЧИК ООО Бета 500100732259 120 Бета 2015.crd"),
         QStringLiteral("Специальная оценка условий труда не проведена: 2"),
         QStringLiteral("Г. НАЛЬЧИК ООО Бета 500100732259 Бета 2015.crd"),
         QStringLiteral("ЗОЛЬСКИЙ Р-Н ООО Гамма 7707083894 Гамма 2015.crd"), QStringLiteral("Прочитано карточек 7 4"),
         QStringLiteral("Не прочитано файлов 1 —"), QStringLiteral("С ошибками (учтены как есть) 2 1"),
         QStringLiteral("Повторы (та же карточка в нескольких файлах) 2 2"), QStringLiteral("Из них не учтены 1 1")});
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("missing: ") + missing + QStringLiteral("\n") + text));
    // The older copy of Бета counts nowhere.
    QVERIFY(!text.contains(QStringLiteral("999")));

    // The office of ЗОЛЬСКИЙ Р-Н (item 4) sees its own figures and lists only.
    ReportContents zolsky = Contents(rows, root);
    zolsky.district = 4;
    QVERIFY2(WriteRegisterReportPdf(zolsky, pdf, &error), qPrintable(error));
    const QString own = PdfText(pdf);
    const QString missingOwn = MissingInOrder(
        own,
        {QStringLiteral("Район: ЗОЛЬСКИЙ Р-Н"), QStringLiteral("Коэффициент частоты, Кч 0,00 28,57 -28,57"),
         QStringLiteral("Не сдали карточку за 2015, Годовой (по карточкам за 2014, Годовой): 1"),
         QStringLiteral("ЗОЛЬСКИЙ Р-Н Дельта 0000000000 Дельта 2014.crd"),
         QStringLiteral("Новые (по карточкам за 2014, Годовой, их не было): 0"),
         QStringLiteral("Более 50 работников, нет службы охраны труда: 0"),
         QStringLiteral("Специальная оценка условий труда не проведена: 1"),
         QStringLiteral("ЗОЛЬСКИЙ Р-Н ООО Гамма 7707083894 Гамма 2015.crd")});
    QVERIFY2(missingOwn.isEmpty(), qPrintable(QStringLiteral("missing: ") + missingOwn + QStringLiteral("\n") + own));
    QVERIFY(!own.contains(QStringLiteral("Бета")));
}

// 150 enterprises without the special assessment: the list runs over pages,
// each page it continues on starts with its column titles, no row is split
// across pages, its heading stands on the page of its first row, and every
// page says which of how many it is.
void RegisterReportTest::longListBreaksBetweenRows()
{
    TempFolder folder;
    std::vector<reg::RegisterRow> rows;
    for (int i = 1; i <= 150; ++i) {
        rows.push_back(ListedRow(i));
        // The same enterprises handed in last year: no list of new ones.
        rows.push_back(ListedRow(i));
        rows.back().year = 2014;
        rows.back().file = "2014_" + rows.back().file;
    }
    const ReportContents contents = Contents(rows, "/офис");
    const QString pdf = QStringLiteral("длинный.pdf");
    QString error;
    QVERIFY2(WriteRegisterReportPdf(contents, pdf, &error), qPrintable(error));
    const int pages = PdfPageCount(pdf);
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));

    const QString titles = Compact(QStringLiteral("Район Предприятие ИНН Файл"));
    int found = 0;
    int listPages = 0;
    for (int page = 1; page <= pages; ++page) {
        const QString text = PageText(pdf, page);
        QVERIFY2(text.contains(QStringLiteral("лист%1из%2").arg(page).arg(pages)), qPrintable(text));
        qsizetype first = -1;
        for (int i = 1; i <= 150; ++i) {
            const reg::RegisterRow row = ListedRow(i);
            const qsizetype name = text.indexOf(Compact(QString::fromStdString(row.orgName)));
            if (name < 0 && !text.contains(Compact(QString::fromStdString(row.file))))
                continue;
            // The whole row, never a part of it: name, INN and file together.
            QVERIFY2(text.contains(Compact(QString::fromStdString(row.orgName + " " + row.inn + " " + row.file))),
                     qPrintable(QStringLiteral("row %1 on page %2: ").arg(i).arg(page) + text));
            if (i == 1)
                QVERIFY(text.contains(Compact(QStringLiteral("Специальная оценка условий труда не проведена: 150"))));
            if (first < 0)
                first = name;
            ++found;
        }
        if (first >= 0) {
            ++listPages;
            QVERIFY2(text.lastIndexOf(titles, first) >= 0, qPrintable(text));
        }
    }
    QCOMPARE(found, 150);
    QVERIFY(listPages >= 2);
}

// The preview shows the report's pages; its «Сохранить в PDF…» offers the
// report's name in the folder read and writes those pages.
void RegisterReportTest::previewSavesWhatItShows()
{
    TempFolder folder;
    std::vector<reg::RegisterRow> rows;
    for (int i = 1; i <= 150; ++i)
        rows.push_back(ListedRow(i));
    const std::string root = Utf8(folder.path());
    const ReportContents contents = Contents(rows, root);
    QString offered;
    int shownPages = 0;
    WhenModalOpens<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
        shownPages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
        WhenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
            offered = dialog->selectedFiles().value(0);
            static_cast<QDialog*>(dialog)->accept();
        });
        preview->findChild<QAction*>(QStringLiteral("ActSavePdf"))->trigger();
        preview->reject();
    });
    ShowRegisterReportPreview(nullptr, contents);
    QCOMPARE(offered, QDir(QString::fromStdString(root)).filePath(QStringLiteral("Отчёт 2015 Годовой.pdf")));
    QVERIFY(shownPages >= 3);
    QCOMPARE(PdfPageCount(offered), shownPages);
}

void RegisterReportTest::refusedPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not a PDF") << QStringLiteral("Нальчик.crd")
                               << QStringLiteral("отчёт записывается только в файл PDF (.pdf)");
    QTest::newRow("no folder") << QStringLiteral("нет такой/отчёт.pdf") << QStringLiteral("нет папки ");
}

// A report never overwrites a card, and a failed one names its file and why.
void RegisterReportTest::refusedPaths()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    TempFolder folder;
    regtest::WriteBytes(folder.path() / regtest::U8Path("Нальчик.crd"), "card", 4);
    const ReportContents contents = Contents({}, "");
    QString error;
    QVERIFY(!WriteRegisterReportPdf(contents, path, &error));
    QVERIFY2(error.startsWith(QStringLiteral("Не удалось записать отчёт ") + QDir::toNativeSeparators(path)
                              + QStringLiteral(": ") + reason),
             qPrintable(error));
    QCOMPARE(QFile(QStringLiteral("Нальчик.crd")).size(), 4);
}

QTEST_MAIN(RegisterReportTest)
#include "register_report_test.moc"
