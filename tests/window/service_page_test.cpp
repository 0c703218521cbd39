// Page "Служба ОТ" and the staff dialog, driven through the real widgets while
// the dialog is open.
#include <functional>
#include <memory>

#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "support/modal.h"
#include "support/typing.h"
#include "support/window_fixture.h"
#include "widgets/radio_group.h"
#include "widgets/table_grid.h"
#include "window/service_page.h"

namespace {

using Slot = card::SotrList::Slot;

// What the dialog showed when it opened.
struct DialogSeen {
    bool opened = false;
    QString caption;
    QStringList texts; // EdDoljn, EdFIO, EDNUd, EdOrg
    QDate date;
    std::vector<RecordedMessage> messagesBefore;
};

QStringList FieldTexts(QWidget* dialog)
{
    QStringList texts;
    for (const char* name : {"EdDoljn", "EdFIO", "EDNUd", "EdOrg"})
        texts << dialog->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    return texts;
}

void Click(QWidget* dialog, const char* button)
{
    QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

} // namespace

class ServicePageTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ShownMainWindow> w;

    card::SotrList& staff() const { return w->window->lists().staff; }
    QTableWidget* grid() const { return w->find<QTableWidget>(QStringLiteral("StrGridSOT")); }
    QString cell(int row, int column) const { return grid()->item(row - 1, column)->text(); }
    QStringList rowTexts(int row) const
    {
        QStringList texts;
        for (int column = 0; column < 5; ++column)
            texts << cell(row, column);
        return texts;
    }
    void selectRow(int row) const { grid()->setCurrentCell(row - 1, 0); }

    // Stores entries straight into the list, as a loaded card would.
    void addEntries(const std::vector<Slot>& entries) const
    {
        for (const Slot& entry : entries)
            staff().accept(card::DialogMode::Add, entry, w->window->servicePage()->staffGrid());
    }

    // Clicks a page button; if the staff dialog opens, records what it shows,
    // runs `act` on it (which must close it) and returns what was seen.
    DialogSeen clickPageButton(const char* name, std::function<void(QWidget*)> act) const
    {
        auto seen = std::make_shared<DialogSeen>();
        MessageRecorder* messages = &w->messages;
        // A dialog can open only inside the click, while its own event loop
        // runs; the watch is switched off once the click has returned.
        const auto watch = WhenModalOpens(
            [seen, messages, act](QWidget* dialog) {
                seen->opened = true;
                seen->caption = dialog->windowTitle();
                seen->texts = FieldTexts(dialog);
                seen->date = dialog->findChild<QDateEdit*>(QStringLiteral("DTUd"))->date();
                seen->messagesBefore = messages->shown;
                act(dialog);
            },
            1000);
        QTest::mouseClick(w->find<QPushButton>(QString::fromLatin1(name)), Qt::LeftButton);
        *watch = true;
        return *seen;
    }

private slots:
    void init()
    {
        w = std::make_unique<ShownMainWindow>();
        QVERIFY(w->active);
        w->showPage(1);
    }
    void cleanup() { w.reset(); }

    void serviceGroup()
    {
        auto* service = w->find<RadioGroup>(QStringLiteral("RGrpSot"));
        QCOMPARE(service->title(), QString());
        QCOMPARE(service->itemIndex(), 0);
        QCOMPARE(service->item(0)->y(), service->item(1)->y());
        QVERIFY(service->item(0)->x() < service->item(1)->x());
        QVERIFY(w->find<QLabel>(QStringLiteral("lbl_1"))->wordWrap());
    }

    void staffGrid()
    {
        QTableWidget* table = grid();
        QCOMPARE(table->columnCount(), 5);
        QCOMPARE(table->rowCount(), card::SotrList::kCapacity); // a row for every slot
        const QStringList titles{"Должность", "ФИО", "№ удостоверения", "Дата выдачи", "Кем выдано"};
        const QList<int> widths{166, 172, 82, 81, 342};
        for (int column = 0; column < 5; ++column) {
            QCOMPARE(table->horizontalHeaderItem(column)->text(), titles[column]);
            QVERIFY(table->columnWidth(column) >= widths[column]);
            QCOMPARE(table->horizontalHeader()->sectionResizeMode(column), QHeaderView::Interactive);
        }
        QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(table->currentRow(), 0);
    }

    void tabOrder()
    {
        auto* service = w->find<RadioGroup>(QStringLiteral("RGrpSot"));
        service->item(0)->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"StrGridSOT", "BtnAddSotr", "BitBtn7", "BitBtn8"}));
    }

    void dialogFieldsAndTabOrder()
    {
        QStringList labels;
        QStringList visited;
        clickPageButton("BtnAddSotr", [&](QWidget* dialog) {
            for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5"})
                labels << dialog->findChild<QLabel*>(QString::fromLatin1(name))->text();
            dialog->findChild<QWidget*>(QStringLiteral("EdDoljn"))->setFocus(Qt::TabFocusReason);
            for (int i = 0; i < 6; ++i) {
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
                visited << dialog->focusWidget()->objectName();
            }
            Click(dialog, "BtnClose");
        });
        QCOMPARE(labels,
                 (QStringList{"Должность работника", "Ф.И.О. работника", "№ удостоверения о проверке знаний",
                              "дата выдачи удостоверения", "Название организации, выдавшей удостоверение"}));
        QCOMPARE(visited, (QStringList{"EdFIO", "EDNUd", "DTUd", "EdOrg", "BtnOk", "BtnClose"}));
    }

    void addThenAcceptAtOnce()
    {
        const DialogSeen seen = clickPageButton("BtnAddSotr", [](QWidget* dialog) { Click(dialog, "BtnOk"); });
        QVERIFY(seen.opened);
        QCOMPARE(seen.caption, QStringLiteral("Сотрудники службы охраны труда"));
        QCOMPARE(seen.texts, (QStringList{"", "", "", ""}));
        QCOMPARE(seen.date, QDate(2014, 6, 3));

        QCOMPARE(staff().count(), 1);
        QCOMPARE(staff().slot(0), (Slot{"", "", "", "03.06.2014", ""}));
        QVERIFY(!staff().isUsed(0)); // no position: the slot counts as free
        QCOMPARE(rowTexts(1), (QStringList{"", "", "", "03.06.2014", ""}));

        // Its row can be neither edited nor deleted.
        selectRow(1);
        QVERIFY(!clickPageButton("BitBtn7", [](QWidget* dialog) { Click(dialog, "BtnClose"); }).opened);
        clickPageButton("BitBtn8", [](QWidget* dialog) { Click(dialog, "BtnClose"); });
        QCOMPARE(staff().count(), 1);
    }

    void addTypedThenEditUnchanged()
    {
        const QStringList typed{"Инженер по ОТ", "Петрова Анна Ивановна", "12-34", "УМЦ \"Охрана труда\""};
        clickPageButton("BtnAddSotr", [&typed](QWidget* dialog) {
            const char* names[] = {"EdDoljn", "EdFIO", "EDNUd", "EdOrg"};
            for (int i = 0; i < 4; ++i)
                TypeText(dialog->findChild<QLineEdit*>(QString::fromLatin1(names[i])), typed[i]);
            dialog->findChild<QDateEdit*>(QStringLiteral("DTUd"))->setDate(QDate(2013, 1, 15));
            Click(dialog, "BtnOk");
        });
        const Slot stored{typed[0].toStdString(), typed[1].toStdString(), typed[2].toStdString(), "15.01.2013",
                          typed[3].toStdString()};
        QCOMPARE(staff().count(), 1);
        QCOMPARE(staff().slot(0), stored);
        QCOMPARE(rowTexts(1), (QStringList{typed[0], typed[1], typed[2], "15.01.2013", typed[3]}));

        selectRow(1);
        const DialogSeen seen = clickPageButton("BitBtn7", [](QWidget* dialog) { Click(dialog, "BtnOk"); });
        QVERIFY(seen.opened);
        QCOMPARE(seen.texts, typed);
        QCOMPARE(seen.date, QDate(2013, 1, 15));
        QCOMPARE(staff().count(), 1);
        QCOMPARE(staff().slot(0), stored);
    }

    void editWithStoredTextThatIsNoDate_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("no such day") << "31.02.2014";
        QTest::newRow("empty") << "";
        QTest::newRow("another format") << "2014-01-15";
    }
    void editWithStoredTextThatIsNoDate()
    {
        QFETCH(QString, stored);
        addEntries({{"Специалист", "Иванов И.И.", "7", stored.toStdString(), "Учебный центр"}});
        selectRow(1);
        const DialogSeen seen = clickPageButton("BitBtn7", [](QWidget* dialog) { Click(dialog, "BtnOk"); });
        QVERIFY(seen.opened);
        // Reported before the dialog opened, naming the stored text.
        const std::vector<RecordedMessage> expected{
            {RecordedMessage::Error, "'" + stored.toStdString() + "' is not a valid date."}};
        QCOMPARE(seen.messagesBefore, expected);
        QCOMPARE(seen.date, QDate(2014, 6, 3));
        // The organisation is filled all the same, so accepting keeps it.
        QCOMPARE(seen.texts, (QStringList{"Специалист", "Иванов И.И.", "7", "Учебный центр"}));
        QCOMPARE(staff().slot(0), (Slot{"Специалист", "Иванов И.И.", "7", "03.06.2014", "Учебный центр"}));
        QCOMPARE(w->messages.shown, expected);
    }

    void closingStoresNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("editing");
        for (bool editing : {false, true}) {
            const char* mode = editing ? "edit" : "add";
            QTest::addRow("%s, Закрыть", mode) << "BtnClose" << editing;
            QTest::addRow("%s, close box", mode) << "" << editing;
        }
    }
    void closingStoresNothing()
    {
        QFETCH(QString, button);
        QFETCH(bool, editing);
        const Slot entry{"Инженер", "Сидоров", "1", "01.02.2013", "Центр"};
        addEntries({entry});
        selectRow(1);
        bool stillOpenAfterEscape = false;
        const DialogSeen seen = clickPageButton(editing ? "BitBtn7" : "BtnAddSotr", [&](QWidget* dialog) {
            TypeText(dialog->findChild<QLineEdit*>(QStringLiteral("EdDoljn")), QStringLiteral("Новый"));
            // Escape is no way out: the dialog has no cancel button.
            QTest::keyClick(dialog, Qt::Key_Escape);
            stillOpenAfterEscape = dialog->isVisible();
            if (button.isEmpty())
                dialog->close();
            else
                Click(dialog, button.toLatin1().constData());
        });
        QVERIFY(seen.opened);
        QVERIFY(stillOpenAfterEscape);
        QCOMPARE(staff().count(), 1);
        QCOMPARE(staff().slot(0), entry);
        QCOMPARE(staff().slot(1), (Slot{}));
        QCOMPARE(rowTexts(2), (QStringList{"", "", "", "", ""}));
    }

    void deleteRowTwoOfThree()
    {
        addEntries({{"A", "a", "1", "01.01.2014", "x"},
                    {"B", "b", "2", "02.01.2014", "y"},
                    {"C", "c", "3", "03.01.2014", "z"}});
        selectRow(2);
        clickPageButton("BitBtn8", [](QWidget* dialog) { Click(dialog, "BtnClose"); });
        QCOMPARE(staff().count(), 2);
        QCOMPARE(rowTexts(1), (QStringList{"A", "a", "1", "01.01.2014", "x"}));
        QCOMPARE(rowTexts(2), (QStringList{"C", "c", "3", "03.01.2014", "z"}));
        QCOMPARE(rowTexts(3), (QStringList{"", "", "", "", ""}));
    }

    void freeRowIsLeftAlone()
    {
        addEntries({{"A", "a", "1", "01.01.2014", "x"}});
        selectRow(3);
        QVERIFY(!clickPageButton("BitBtn7", [](QWidget* dialog) { Click(dialog, "BtnClose"); }).opened);
        clickPageButton("BitBtn8", [](QWidget* dialog) { Click(dialog, "BtnClose"); });
        QCOMPARE(staff().count(), 1);
        QCOMPARE(rowTexts(1), (QStringList{"A", "a", "1", "01.01.2014", "x"}));
    }

    void fullList()
    {
        std::vector<Slot> entries;
        for (int i = 1; i <= card::SotrList::kCapacity; ++i)
            entries.push_back({"Должность " + std::to_string(i), "ФИО", "N", "01.01.2014", "Орг"});
        addEntries(entries);
        QCOMPARE(staff().count(), card::SotrList::kCapacity);

        // "Добавить" opens nothing on a full list.
        QVERIFY(!clickPageButton("BtnAddSotr", [](QWidget* dialog) { Click(dialog, "BtnOk"); }).opened);
        QCOMPARE(staff().count(), card::SotrList::kCapacity);

        // The last employee has a row of its own and can be edited and deleted.
        QCOMPARE(cell(21, 0), QStringLiteral("Должность 21"));
        selectRow(21);
        const DialogSeen seen = clickPageButton("BitBtn7", [](QWidget* dialog) { Click(dialog, "BtnClose"); });
        QVERIFY(seen.opened);
        QCOMPARE(seen.texts.first(), QStringLiteral("Должность 21"));
        clickPageButton("BitBtn8", [](QWidget* dialog) { Click(dialog, "BtnClose"); });
        QCOMPARE(staff().count(), card::SotrList::kCapacity - 1);
        QCOMPARE(cell(21, 0), QString());
    }
};

QTEST_MAIN(ServicePageTest)
#include "service_page_test.moc"
