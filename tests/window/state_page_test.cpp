// Page "Состояние ОТ" driven through its real widgets: defaults, character
// filters, the injured/fatal check and the fields that depend on a yes/no answer.
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "support/typing.h"
#include "support/window_fixture.h"
#include "widgets/radio_group.h"
#include "window/staff_dialog.h"
#include "window/state_page.h"

namespace {

const std::string kFatalAboveInjured = "Значение не верно!\n\r Всего пострадавших меньше чем со смертельным исходом!";

QColor TextColour(const QLineEdit* edit) { return edit->palette().color(QPalette::Text); }

} // namespace

class StatePageTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ShownMainWindow> w;

    QLineEdit* edit(const char* name) const { return w->find<QLineEdit>(QString::fromLatin1(name)); }
    RadioGroup* group(const char* name) const { return w->find<RadioGroup>(QString::fromLatin1(name)); }
    // The date picker named `name`: the staff dialog's (shown for it) or the
    // state page's; null when the dialog did not become active.
    QDateEdit* datePicker(const QString& name, TFrmSotr& staffDialog) const
    {
        if (name != QStringLiteral("DTUd"))
            return w->window->findChild<QDateEdit*>(name);
        return ShowActive(&staffDialog) ? staffDialog.findChild<QDateEdit*>(name) : nullptr;
    }
    // Gives `field` the keyboard focus as Tab would.
    void focus(QWidget* field) const
    {
        field->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

private slots:
    void init()
    {
        w = std::make_unique<ShownMainWindow>();
        QVERIFY(w->active);
        w->showPage(2);
    }
    void cleanup() { w.reset(); }

    void fieldsStartWithTheirDefaults()
    {
        const std::pair<const char*, const char*> texts[]
            = {{"EdYear", "2014"},   {"Edsrsp", "0"},    {"Ed1den", "0"},    {"Ed1den_Dead", "0"}, {"Eddney", "0"},
               {"EdSredstv", "0,0"}, {"EdNomDatUR", ""}, {"EdNPrikaza", ""}, {"EdNZaklExp", ""}};
        for (const auto& [name, text] : texts)
            QCOMPARE(edit(name)->text(), QString::fromUtf8(text));
        for (const char* name :
             {"RGRpDog", "RGrpUlutshenie", "RGrpAttRuk", "RGrpKomissia", "RGrpKabOT", "RGrpOcenka", "RGrpExpertiza"}) {
            RadioGroup* yesNo = group(name);
            QCOMPARE(yesNo->itemIndex(), 0);
            QCOMPARE(yesNo->item(0)->y(), yesNo->item(1)->y()); // side by side
        }
    }

    void periodAndHiddenOrderAndDates()
    {
        RadioGroup* period = group("RGrpPeriod");
        QCOMPARE(period->itemIndex(), 0);
        QCOMPARE(period->item(0)->text(), QStringLiteral("1 полугодие "));
        QCOMPARE(period->item(1)->text(), QStringLiteral("Годовой"));
        QVERIFY(period->item(1)->y() > period->item(0)->y());
        QCOMPARE(edit("EdYear")->maxLength(), 4);

        for (const char* name : {"EdNPrikaza", "lblEdNPrikaza"}) {
            auto* hidden = w->find<QWidget>(QString::fromLatin1(name));
            QVERIFY(hidden->isHidden());
            QVERIFY(!hidden->isEnabled());
        }
        for (const char* name : {"DTPrikaza", "DTZaklExp"}) {
            auto* picker = w->find<QDateEdit>(QString::fromLatin1(name));
            QCOMPARE(picker->date(), QDate::currentDate());
            QVERIFY(picker->calendarPopup());
            QCOMPARE(picker->text(), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        }
        QCOMPARE(edit("EdSredstv")->toolTip(),
                 QStringLiteral("ВНИМАНИЕ!!! \r\nЗначение в ТЫСЯЧАХ РУБЛЕЙ!\r\nСууму в рублях нужно разделить "
                                "на 1000\r\nНапример:  Если затрачено 15 600 рублей, \r\nуказываем значение: "
                                "15,6\r\n\r\n"));
    }

    void numericFieldsTakeDigitsAndBackspaceOnly_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"EdYear", "Edsrsp", "Ed1den", "Ed1den_Dead", "Eddney"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void numericFieldsTakeDigitsAndBackspaceOnly()
    {
        QFETCH(QString, name);
        auto* field = w->find<QLineEdit>(name);
        field->clear();
        TypeText(field, QStringLiteral("1a,.- 2Ж+3"));
        QCOMPARE(field->text(), QStringLiteral("123"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QStringLiteral("12"));
    }

    void yearTakesFourDigits()
    {
        QLineEdit* year = edit("EdYear");
        year->clear();
        TypeText(year, QStringLiteral("201567"));
        QCOMPARE(year->text(), QStringLiteral("2015"));
    }

    void moneyFilter_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("comma refused when one is there") << "0,0"
                                                         << ","
                                                         << "0,0";
        QTest::newRow("point becomes a second comma") << "0,0"
                                                      << "."
                                                      << "0,0,";
        QTest::newRow("one comma typed") << ""
                                         << "15,,6"
                                         << "15,6";
        QTest::newRow("point becomes comma") << ""
                                             << "3.5"
                                             << "3,5";
        QTest::newRow("letters and signs refused") << ""
                                                   << "1a -+e2"
                                                   << "12";
    }
    void moneyFilter()
    {
        QFETCH(QString, start);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QLineEdit* money = edit("EdSredstv");
        money->setText(start);
        TypeText(money, typed);
        QCOMPARE(money->text(), result);
    }

    void moneyAfterSelectingAll()
    {
        QLineEdit* money = edit("EdSredstv");
        focus(money);
        money->selectAll();
        TypeText(money, QStringLiteral("15,,"));
        QCOMPARE(money->text(), QStringLiteral("15,"));
        QTest::keyClick(money, Qt::Key_Backspace);
        QCOMPARE(money->text(), QStringLiteral("15"));
    }

    void injuredAgainstFatal_data()
    {
        QTest::addColumn<QString>("injured");
        QTest::addColumn<QString>("fatal");
        QTest::addColumn<QString>("left");
        QTest::addColumn<bool>("warned");
        QTest::addColumn<QColor>("colour");
        const QColor red(255, 0, 0);
        const QColor black(0, 0, 0);
        for (const char* left : {"Ed1den", "Ed1den_Dead"}) {
            const QString leftName = QString::fromLatin1(left);
            QTest::addRow("fewer injured, leaving %s", left) << "2"
                                                             << "3" << leftName << true << red;
            QTest::addRow("as many, leaving %s", left) << "3"
                                                       << "3" << leftName << false << black;
            QTest::addRow("more injured, leaving %s", left) << "10"
                                                            << "0" << leftName << false << black;
        }
    }
    void injuredAgainstFatal()
    {
        QFETCH(QString, injured);
        QFETCH(QString, fatal);
        QFETCH(QString, left);
        QFETCH(bool, warned);
        QFETCH(QColor, colour);
        edit("Ed1den")->setText(injured);
        edit("Ed1den_Dead")->setText(fatal);
        focus(w->find<QLineEdit>(left));
        focus(edit("Eddney"));
        const std::vector<RecordedMessage> expected = warned
            ? std::vector<RecordedMessage>{{RecordedMessage::Info, kFatalAboveInjured}}
            : std::vector<RecordedMessage>{};
        QCOMPARE(w->messages.shown, expected);
        // The mark always goes to the fatal field.
        QCOMPARE(TextColour(edit("Ed1den_Dead")), colour);
        QCOMPARE(TextColour(edit("Ed1den")), QApplication::palette().color(QPalette::Text));
    }

    void raisingTheInjuredUnmarks()
    {
        edit("Ed1den")->setText(QStringLiteral("2"));
        edit("Ed1den_Dead")->setText(QStringLiteral("3"));
        focus(edit("Ed1den"));
        focus(edit("Ed1den_Dead"));
        QCOMPARE(TextColour(edit("Ed1den_Dead")), QColor(255, 0, 0));
        QTest::keyClick(edit("Ed1den"), Qt::Key_Backspace);
        TypeText(edit("Ed1den"), QStringLiteral("3"));
        focus(edit("Ed1den"));
        focus(edit("Eddney"));
        QCOMPARE(TextColour(edit("Ed1den_Dead")), QColor(0, 0, 0));
        QCOMPARE(w->messages.shown.size(), std::size_t{1});
    }

    void unconvertibleCounts_data()
    {
        QTest::addColumn<QString>("injured");
        QTest::addColumn<QString>("fatal");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("error");
        QTest::newRow("injured empty") << ""
                                       << "0"
                                       << "Ed1den"
                                       << "'' is not a valid integer value.";
        QTest::newRow("fatal empty") << "5"
                                     << ""
                                     << "Ed1den"
                                     << "'' is not a valid integer value.";
        QTest::newRow("beyond 32 bits") << "2147483648"
                                        << "0"
                                        << "Ed1den"
                                        << "'2147483648' is not a valid integer value.";
        QTest::newRow("both bad: the injured is named") << "x"
                                                        << "y"
                                                        << "Ed1den"
                                                        << "'x' is not a valid integer value.";
        QTest::newRow("silent on the fatal field") << ""
                                                   << "0"
                                                   << "Ed1den_Dead"
                                                   << "";
        QTest::newRow("silent on the fatal field, fatal empty") << "1"
                                                                << ""
                                                                << "Ed1den_Dead"
                                                                << "";
    }
    void unconvertibleCounts()
    {
        QFETCH(QString, injured);
        QFETCH(QString, fatal);
        QFETCH(QString, left);
        QFETCH(QString, error);
        // Mark the fatal field first: a failed conversion must leave the mark alone.
        edit("Ed1den")->setText(QStringLiteral("0"));
        edit("Ed1den_Dead")->setText(QStringLiteral("1"));
        focus(edit("Ed1den"));
        focus(edit("Eddney"));
        QCOMPARE(TextColour(edit("Ed1den_Dead")), QColor(255, 0, 0));
        w->messages.clear();

        edit("Ed1den")->setText(injured);
        edit("Ed1den_Dead")->setText(fatal);
        focus(w->find<QLineEdit>(left));
        focus(edit("Eddney"));
        const std::vector<RecordedMessage> expected = error.isEmpty()
            ? std::vector<RecordedMessage>{}
            : std::vector<RecordedMessage>{{RecordedMessage::Error, error.toStdString()}};
        QCOMPARE(w->messages.shown, expected);
        QCOMPARE(TextColour(edit("Ed1den_Dead")), QColor(255, 0, 0));
    }

    void dependentEditTakesInputOnlyOnYes_data()
    {
        QTest::addColumn<QString>("groupName");
        QTest::addColumn<QString>("editName");
        QTest::newRow("agreement") << "RGRpDog"
                                   << "EdNomDatUR";
        QTest::newRow("expertise") << "RGrpExpertiza"
                                   << "EdNZaklExp";
    }
    void dependentEditTakesInputOnlyOnYes()
    {
        QFETCH(QString, groupName);
        QFETCH(QString, editName);
        auto* answer = w->find<RadioGroup>(groupName);
        auto* dependent = w->find<QLineEdit>(editName);
        dependent->setText(QStringLiteral("12"));
        TypeText(dependent, QStringLiteral("ab 3"));
        QTest::keyClick(dependent, Qt::Key_Backspace);
        QCOMPARE(dependent->text(), QStringLiteral("12"));

        QTest::mouseClick(answer->item(1), Qt::LeftButton);
        QCOMPARE(answer->itemIndex(), 1);
        QTest::keyClick(dependent, Qt::Key_Backspace);
        TypeText(dependent, QStringLiteral("№ 5/2014"));
        QCOMPARE(dependent->text(), QStringLiteral("1№ 5/2014"));
    }

    void hiddenOrderNumberFilter()
    {
        // The order number cannot be reached; its filter follows its group all the same.
        auto* page = w->window->statePage();
        QCOMPARE(page->EdNPrikazaKeyPress(QLatin1Char('7')), std::nullopt);
        QCOMPARE(page->EdNPrikazaKeyPress(QChar(8)), std::nullopt);
        group("RGrpOcenka")->setItemIndex(1);
        QCOMPARE(page->EdNPrikazaKeyPress(QLatin1Char('7')), std::optional<QChar>(QLatin1Char('7')));
    }

    void leavingWithNoEmptiesTheDependentEdit_data()
    {
        QTest::addColumn<QString>("groupName");
        QTest::addColumn<QString>("editName");
        QTest::addColumn<bool>("leaveTheGroup"); // else leave the edit
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("remaining");
        for (int answer : {0, 1}) {
            const QString kept = answer == 0 ? QString() : QStringLiteral("N 12");
            const char* said = answer == 0 ? "no" : "yes";
            QTest::addRow("agreement group, %s", said) << "RGRpDog"
                                                       << "EdNomDatUR" << true << answer << kept;
            QTest::addRow("agreement edit, %s", said) << "RGRpDog"
                                                      << "EdNomDatUR" << false << answer << kept;
            QTest::addRow("expertise group, %s", said) << "RGrpExpertiza"
                                                       << "EdNZaklExp" << true << answer << kept;
            QTest::addRow("expertise edit, %s", said) << "RGrpExpertiza"
                                                      << "EdNZaklExp" << false << answer << kept;
            QTest::addRow("assessment group, %s", said) << "RGrpOcenka"
                                                        << "EdNPrikaza" << true << answer << kept;
        }
    }
    void leavingWithNoEmptiesTheDependentEdit()
    {
        QFETCH(QString, groupName);
        QFETCH(QString, editName);
        QFETCH(bool, leaveTheGroup);
        QFETCH(int, answer);
        QFETCH(QString, remaining);
        auto* yesNo = w->find<RadioGroup>(groupName);
        auto* dependent = w->find<QLineEdit>(editName);
        // As after loading a card: text in the edit whatever the answer.
        dependent->setText(QStringLiteral("N 12"));
        yesNo->setItemIndex(answer);
        focus(leaveTheGroup ? static_cast<QWidget*>(yesNo->item(answer)) : dependent);
        QCOMPARE(dependent->text(), QStringLiteral("N 12"));
        focus(edit("Edsrsp"));
        QCOMPARE(dependent->text(), remaining);
    }

    void switchingToNoByMouseThenLeaving()
    {
        RadioGroup* agreement = group("RGRpDog");
        QLineEdit* registration = edit("EdNomDatUR");
        QTest::mouseClick(agreement->item(1), Qt::LeftButton);
        TypeText(registration, QStringLiteral("15"));
        QCOMPARE(registration->text(), QStringLiteral("15"));
        QTest::mouseClick(agreement->item(0), Qt::LeftButton);
        QCOMPARE(registration->text(), QStringLiteral("15"));
        focus(group("RGrpUlutshenie")->item(0));
        QCOMPARE(registration->text(), QString());
    }

    void movingInsideTheGroupIsNotLeavingIt()
    {
        RadioGroup* agreement = group("RGRpDog");
        edit("EdNomDatUR")->setText(QStringLiteral("15"));
        focus(agreement->item(0));
        QTest::keyClick(agreement->item(0), Qt::Key_Right);
        QCOMPARE(agreement->itemIndex(), 1);
        QCOMPARE(edit("EdNomDatUR")->text(), QStringLiteral("15"));
    }

    void expertiseDateStaysWhenEmptied()
    {
        auto* date = w->find<QDateEdit>(QStringLiteral("DTZaklExp"));
        date->setDate(QDate(2013, 5, 17));
        edit("EdNZaklExp")->setText(QStringLiteral("77"));
        focus(group("RGrpExpertiza")->item(0));
        focus(date);
        QCOMPARE(edit("EdNZaklExp")->text(), QString());
        QCOMPARE(date->date(), QDate(2013, 5, 17));
        QVERIFY(date->isEnabled());
    }

    void textsTakeNoMoreThanTheCardStores_data()
    {
        QTest::addColumn<QString>("editName");
        QTest::addColumn<QString>("yesGroup");
        QTest::addColumn<int>("stored");
        QTest::newRow("spending") << "EdSredstv"
                                  << "" << 10;
        QTest::newRow("registration") << "EdNomDatUR"
                                      << "RGRpDog" << 30;
        QTest::newRow("conclusion") << "EdNZaklExp"
                                    << "RGrpExpertiza" << 10;
        QTest::newRow("hidden order number") << "EdNPrikaza"
                                             << "RGrpOcenka" << 10;
    }
    void textsTakeNoMoreThanTheCardStores()
    {
        QFETCH(QString, editName);
        QFETCH(QString, yesGroup);
        QFETCH(int, stored);
        if (!yesGroup.isEmpty())
            w->find<RadioGroup>(yesGroup)->setItemIndex(1);
        auto* text = w->find<QLineEdit>(editName);
        text->clear();
        if (!text->isEnabled()) { // hidden: nothing reaches it but a load
            QCOMPARE(text->maxLength(), stored);
            return;
        }
        TypeText(text, QString(stored + 3, QLatin1Char('1')));
        QCOMPARE(text->text(), QString(stored, QLatin1Char('1')));
    }

    // A date typed with dots fills day, month and year and stays in the picker.
    void datesTypedWithDots_data()
    {
        QTest::addColumn<QString>("picker");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("order date") << "DTPrikaza"
                                    << "20.11.2012" << QDate(2012, 11, 20);
        QTest::newRow("conclusion date, short parts") << "DTZaklExp"
                                                      << "5.3.2014" << QDate(2014, 3, 5);
        QTest::newRow("staff dialog") << "DTUd"
                                      << "20.11.2012." << QDate(2012, 11, 20);
    }
    void datesTypedWithDots()
    {
        QFETCH(QString, picker);
        QFETCH(QString, typed);
        QFETCH(QDate, expected);
        TFrmSotr staffDialog(w->window.get());
        auto* date = datePicker(picker, staffDialog);
        QVERIFY(date);
        focus(date);
        TypeText(date, typed);
        QCOMPARE(date->date(), expected);
        QCOMPARE(QApplication::focusWidget(), date);
        QTest::keyClick(date, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != date);
    }

    // A click selects the part clicked: typing one part replaces that part,
    // typing a whole date fills the whole date wherever the click was.
    void dateTypedAfterAClick_data()
    {
        QTest::addColumn<QString>("picker");
        QTest::addColumn<int>("clickedBefore"); // the character of "03.06.2014" clicked
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("day clicked, whole date") << "DTPrikaza" << 1 << "20.09.2023" << QDate(2023, 9, 20);
        QTest::newRow("month clicked, whole date") << "DTPrikaza" << 4 << "20.09.2023" << QDate(2023, 9, 20);
        QTest::newRow("year clicked, whole date") << "DTZaklExp" << 8 << "20.09.2023" << QDate(2023, 9, 20);
        QTest::newRow("staff dialog, month clicked, the 31st") << "DTUd" << 4 << "31.12.2023" << QDate(2023, 12, 31);
        QTest::newRow("day clicked, the day") << "DTPrikaza" << 1 << "25" << QDate(2014, 6, 25);
        QTest::newRow("month clicked, the month") << "DTZaklExp" << 4 << "11" << QDate(2014, 11, 3);
        QTest::newRow("staff dialog, year clicked, the year") << "DTUd" << 8 << "2021" << QDate(2021, 6, 3);
    }
    void dateTypedAfterAClick()
    {
        QFETCH(QString, picker);
        QFETCH(int, clickedBefore);
        QFETCH(QString, typed);
        QFETCH(QDate, expected);
        TFrmSotr staffDialog(w->window.get());
        auto* date = datePicker(picker, staffDialog);
        QVERIFY(date);
        date->setDate(QDate(2014, 6, 3));
        // The edit inside the picker is the widget under the pointer.
        auto* line = date->findChild<QLineEdit*>();
        const int y = line->height() / 2;
        int x = 0;
        while (x < line->width() && line->cursorPositionAt(QPoint(x, y)) != clickedBefore)
            ++x;
        QVERIFY(x < line->width());
        QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(x, y));
        TypeText(date, typed);
        QCOMPARE(date->date(), expected);
    }

    void tabOrder()
    {
        const QStringList expected{"EdYear",        "RGrpPeriod",   "Edsrsp",    "Ed1den",     "Ed1den_Dead",
                                   "Eddney",        "EdSredstv",    "RGRpDog",   "EdNomDatUR", "RGrpUlutshenie",
                                   "RGrpAttRuk",    "RGrpKomissia", "RGrpKabOT", "RGrpOcenka", "DTPrikaza",
                                   "RGrpExpertiza", "EdNZaklExp",   "DTZaklExp"};
        focus(edit("EdYear"));
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            QWidget* at = QApplication::focusWidget();
            // A group is one stop, entered on its selected item.
            if (auto* yesNo = qobject_cast<RadioGroup*>(at->parentWidget())) {
                QCOMPARE(at, static_cast<QWidget*>(yesNo->item(yesNo->itemIndex())));
                at = yesNo;
            }
            visited << at->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
    }
};

QTEST_MAIN(StatePageTest)
#include "state_page_test.moc"
