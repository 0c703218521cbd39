// The printed card, rendered to PDF and read back with poppler's pdftotext:
// every value stands under its label, a full card takes at most two pages.
#include <QTest>

#include "card/card_record.h"
#include "card/workplace_counts.h"
#include "print/card_print.h"
#include "support/pdf_text.h"
#include "support/temp_folder.h"

namespace {

const CardPrintInfo kInfo{QStringLiteral("ЮНРА5. Карточка предприятия."), QStringLiteral("2.1.1.0"),
                          QDate(2026, 12, 9)};

QString Staff(int slot, int column)
{
    static const char* const kFormats[] = {"Инженер по охране труда %1", "Петров%1 Пётр Сергеевич", "У-%1",
                                           "%1.03.2014", "Учебный центр «Охрана» филиал %1"};
    return QString::fromUtf8(kFormats[column]).arg(10 + slot);
}

// Every field filled with a value found nowhere else on the page.
card::TCardRec FullCard()
{
    card::TCardRec rec;
    card::SetFixedFields(rec);
    rec.setInt32("DistrictCode", 5);
    rec.setText("LegalForm", "ООО");
    rec.setText("OrgName", "Вагонное депо «Северное» имени первого машиниста Кабардино-Балкарской дороги");
    rec.setText("Inn", "0711012345");
    rec.setText("OkvedCode", "01.11.1");
    rec.setByte("OkvedSource", 2);
    rec.setText("HeadPosition", "Генеральный директор");
    rec.setText("HeadName", "Иванов Иван Иванович");
    rec.setText("Settlement", "с. Залукокоаже");
    rec.setText("PostalAddress", "361700, ул. Лесная, д. 7");
    const card::CardField& contacts = card::Field("Contacts");
    for (int slot = 0; slot < card::kContactSlotCount; ++slot) {
        rec.setSlotText(contacts, slot, 0, "Телефон " + std::to_string(slot));
        rec.setSlotText(contacts, slot, 1, "+7 (8662) 40-00-" + std::to_string(50 + slot));
    }
    rec.setByte("HasOtService", 1);
    const card::CardField& staff = card::Field("OtStaff");
    for (int slot = 0; slot < card::kStaffSlotCount; ++slot)
        for (int column = 0; column < card::kStaffSlotTexts; ++column)
            rec.setSlotText(staff, slot, column, Staff(slot, column).toStdString());
    rec.setInt32("ReportYear", 2014);
    rec.setByte("ReportPeriod", 1);
    rec.setInt32("AvgHeadcount", 1234);
    rec.setInt32("InjuredCount", 5);
    rec.setInt32("FatalCount", 1);
    rec.setInt32("LostWorkdays", 87);
    rec.setText("OtSpending", "15,6");
    rec.setByte("HasCollectiveAgreement", 1);
    rec.setText("AgreementRegistration", "№ 17 от 12.02.2014");
    rec.setByte("HasImprovementMeasures", 1);
    rec.setByte("ManagementCertified", 0);
    rec.setByte("HasOtCommission", 1);
    rec.setByte("HasOtOffice", 0);
    rec.setByte("AssessmentCompleted", 1);
    rec.setText("AssessmentOrderNo", "П-42");
    rec.setText("AssessmentDate", "30.06.2014");
    rec.setByte("ExpertiseDone", 7); // beyond the last item: "Да", as the window shows it
    rec.setText("ExpertiseConclusionNo", "Э-777");
    rec.setText("ExpertiseDate", "15.07.2014");
    for (int i = 0; i < card::kWorkplaceCountTotal; ++i)
        rec.setInt32At(card::kWorkplaceCountsOffset + 4 * i, 3000 + 7 * i);
    rec.setInt32("TrainedCount", 4321);
    return rec;
}

// The full card's page, in reading order: each label, then its value.
QStringList FullCardSequence()
{
    QStringList expected{"Карточка предприятия",
                         "Район",
                         "ЗОЛЬСКИЙ Р-Н",
                         "Год отчета",
                         "2014",
                         "Период",
                         "Годовой",
                         "Организационно-правовая форма",
                         "ООО",
                         "Название",
                         "Вагонное депо «Северное» имени первого машиниста Кабардино-Балкарской дороги",
                         "ИНН",
                         "0711012345",
                         "ОКВЭД (или ОКВЭД2)",
                         "01.11.1 (использован КДЕС2)",
                         "Должность руководителя",
                         "Генеральный директор",
                         "ФИО руководителя",
                         "Иванов Иван Иванович",
                         "Населенный пункт",
                         "с. Залукокоаже",
                         "Адрес",
                         "361700, ул. Лесная, д. 7",
                         "Контактная информация",
                         "Тип контакта",
                         "Данные контакта"};
    for (int slot = 0; slot < card::kContactSlotCount; ++slot)
        expected << QStringLiteral("Телефон %1").arg(slot) << QStringLiteral("+7 (8662) 40-00-%1").arg(50 + slot);
    expected << "Наличие службы охраны труда"
             << "Да"
             << "Работники службы охраны труда"
             << "Должность"
             << "ФИО"
             << "№ удостоверения"
             << "Дата выдачи"
             << "Кем выдано";
    for (int slot = 0; slot < card::kStaffSlotCount; ++slot)
        for (int column = 0; column < card::kStaffSlotTexts; ++column)
            expected << Staff(slot, column);
    expected << "Среднесписочная численность работающих"
             << "1234"
             << "чел."
             << "Численность пострадавших"
             << "5"
             << "чел."
             << "Из них со смертельным исходом"
             << "1"
             << "Число человеко-дней"
             << "87"
             << "дней"
             << "Израсходовано средств на мероприятия по охране труда"
             << "15,6"
             << "тыс. руб"
             << "Заключён коллективный договор"
             << "Да"
             << "№ и дата уведомительной регистрации"
             << "№ 17 от 12.02.2014"
             << "Предусмотрены мероприятия"
             << "Да"
             << "Руководство аттестовано"
             << "Нет"
             << "Создана комиссия (комитет)"
             << "Да"
             << "Действует кабинет по охране труда"
             << "Нет"
             << "Завершена специальная оценка условий труда"
             << "Да"
             << "№ приказа о завершении"
             << "П-42"
             << "Дата отчета (приказа)"
             << "30.06.2014"
             << "Проведена государственная экспертиза"
             << "Да"
             << "№ заключения"
             << "Э-777"
             << "Дата заключения"
             << "15.07.2014"
             << "ВСЕГО"
             << "В ОТЧЕТНОМ ПЕРИОДЕ";
    for (int c = 0; c < card::kWorkplaceClassCount; ++c) {
        expected << QString::fromUtf8(card::WorkplaceClassName(c).data(), card::WorkplaceClassName(c).size());
        for (int k = 0; k < 10; ++k)
            expected << QString::number(3000 + 7 * (10 * c + k));
    }
    expected << "Количество обученных по вопросам охраны труда"
             << "4321"
             << "чел."
             << "Генеральный директор"
             << "Иванов Иван Иванович"
             << "(подпись)"
             << "Дата";
    return expected;
}

// The words of a text, at spaces, line ends and no-break spaces.
QStringList Words(const QString& text)
{
    return text.split(QRegularExpression(QStringLiteral("[\\s\\x{00a0}]+")), Qt::SkipEmptyParts);
}

// Whether `run` stands in `words` word for word, one after the other.
bool ContainsRun(const QStringList& words, const QStringList& run)
{
    for (qsizetype at = 0; at + run.size() <= words.size(); ++at)
        if (words.mid(at, run.size()) == run)
            return true;
    return false;
}

} // namespace

class CardPrintTest : public QObject {
    Q_OBJECT

private slots:
    void fullCardShowsEveryValueUnderItsLabel()
    {
        TempFolder folder;
        QVERIFY(WriteCardPdf(FullCard(), kInfo, QStringLiteral("full.pdf")));
        KeepForTheGuide(QStringLiteral("full.pdf"));
        const int pages = PdfPageCount(QStringLiteral("full.pdf"));
        QVERIFY2(pages >= 1 && pages <= 2, qPrintable(QString::number(pages)));
        const QString text = PdfText(QStringLiteral("full.pdf"));
        QCOMPARE(MissingInOrder(text, FullCardSequence()), QString());
        QCOMPARE(text.count(Compact(QStringLiteral("ЮНРА5. Карточка предприятия. версия 2.1.1.0"))), pages);
        QVERIFY(text.contains(Compact(QStringLiteral("Напечатано 09.12.2026, лист %1 из %1").arg(pages))));
    }

    // Texts at their full length wrap, even without a space to break at.
    void longTextsAreNotCut()
    {
        TempFolder folder;
        card::TCardRec rec = FullCard();
        const std::string unbroken(100, 'W');
        rec.setText("OrgName", std::string(240, 'N') + " конец");
        rec.setSlotText(card::Field("OtStaff"), 3, 4, unbroken);
        rec.setText("PostalAddress", std::string(200, 'A'));
        QVERIFY(WriteCardPdf(rec, kInfo, QStringLiteral("long.pdf")));
        QCOMPARE(MissingInOrder(PdfText(QStringLiteral("long.pdf")),
                                {QString(240, 'N') + " конец", QString(200, 'A'), QString(100, 'W')}),
                 QString());
    }

    void titleWordsAreNeverSplit_data()
    {
        QTest::addColumn<QString>("titles");
        QTest::newRow("contacts") << "№ Тип контакта Данные контакта";
        QTest::newRow("service staff") << "№ Должность ФИО № удостоверения Дата выдачи Кем выдано";
        QTest::newRow("workplaces") << "Класс условий труда ВСЕГО В ОТЧЕТНОМ ПЕРИОДЕ "
                                       "рабочих мест работников из них женщин до 18 лет инвалидов "
                                       "рабочих мест работников из них женщин до 18 лет инвалидов";
    }

    // A column title cut inside a word («удостове рения») reads as two words:
    // the titles of each table of a full card stand in the text word for word.
    void titleWordsAreNeverSplit()
    {
        QFETCH(QString, titles);
        TempFolder folder;
        QVERIFY(WriteCardPdf(FullCard(), kInfo, QStringLiteral("titles.pdf")));
        const QString text
            = PopplerOutput("pdftotext", {QStringLiteral("-raw"), QStringLiteral("titles.pdf"), QStringLiteral("-")});
        QVERIFY2(ContainsRun(Words(text), Words(titles)), qPrintable(titles));
    }

    void emptyCardPrintsOnePage()
    {
        TempFolder folder;
        QVERIFY(WriteCardPdf(card::TCardRec{}, kInfo, QStringLiteral("empty.pdf")));
        KeepForTheGuide(QStringLiteral("empty.pdf"));
        QCOMPARE(PdfPageCount(QStringLiteral("empty.pdf")), 1);
        QCOMPARE(MissingInOrder(PdfText(QStringLiteral("empty.pdf")), {"Карточка предприятия", "нет", "нет"}),
                 QString());
    }

    void unwritablePathIsReported()
    {
        QVERIFY(!WriteCardPdf(FullCard(), kInfo, QStringLiteral("/nonexistent-folder/card.pdf")));
    }
};

QTEST_MAIN(CardPrintTest)
#include "card_print_test.moc"
