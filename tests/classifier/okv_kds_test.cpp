// The classifier picker driven through the real dialog while it is open.
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "classifier/classifier_table.h"
#include "classifier/okv_kds.h"
#include "classifier/picker_hook.h"
#include "classifier/record_navigator.h"
#include "support/message_recorder.h"
#include "support/modal.h"
#include "widgets/classifier_opener.h"
#include "widgets/okved_source.h"

Q_DECLARE_METATYPE(ClassifierKind)

namespace {

// Stands in for the card window: the code field and its source label.
struct CardWindow {
    CardWindow()
    {
        code->setObjectName(QStringLiteral("Ed_okved"));
        code->setReadOnly(true);
        label->setObjectName(QStringLiteral("lbl_okv"));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(code);
        layout->addWidget(label);
        window.resize(400, 200);
        window.show();
    }
    void preset(const QString& text, const QString& caption, int source)
    {
        code->setText(text);
        label->setText(caption);
        SetOkvedSource(code, source);
    }
    QString text() const { return code->text(); }
    QString caption() const { return label->text(); }
    int source() const { return OkvedSourceOf(code); }
    CodeTarget target() const { return {code, label}; }

    QWidget window;
    QLineEdit* code = new QLineEdit(&window);
    QLabel* label = new QLabel(QStringLiteral(" "), &window);
};

// The picker's controls, found by name.
struct Picker {
    explicit Picker(TFrm_okv* dialog)
        : dialog(dialog)
        , search(dialog->findChild<QLineEdit*>(QStringLiteral("edt_eh_locate")))
        , grid(dialog->findChild<QTableView*>(QStringLiteral("dbgrd1")))
        , note(dialog->findChild<QPlainTextEdit*>(QStringLiteral("dbmemo_ABOUT")))
        , ok(dialog->findChild<QPushButton*>(QStringLiteral("bitbtn_Ok")))
        , close(dialog->findChild<QPushButton*>(QStringLiteral("bitbtn_close")))
        , navigator(dialog->findChild<RecordNavigator*>(QStringLiteral("dbnav1")))
    {
        for (QRadioButton* item : dialog->findChildren<QRadioButton*>())
            (item->text() == QStringLiteral("ОКВЭД") ? okvedItem : kdes2Item) = item;
    }
    QRadioButton* item(ClassifierKind kind) const { return kind == ClassifierKind::Okved ? okvedItem : kdes2Item; }
    ClassifierTable* table(ClassifierKind kind) const { return dialog->table(kind); }
    ClassifierTable* shown() const { return qobject_cast<ClassifierTable*>(grid->model()); }
    // The code of the row the grid shows as current.
    QString gridCode() const
    {
        const QModelIndex current = grid->currentIndex();
        return grid->model()->index(current.row(), shown()->columnIndex(u"okved")).data().toString();
    }
    // Chooses a table with the mouse, as a user does.
    void choose(ClassifierKind kind) const
    {
        QTest::mouseClick(item(kind), Qt::LeftButton, {}, QPoint(8, item(kind)->height() / 2));
    }
    void type(const QString& digits) const { QTest::keyClicks(search, digits); }
    // Moves the grid to a row with a mouse click on it.
    void clickRow(int row) const
    {
        const QModelIndex index = grid->model()->index(row, shown()->columnIndex(u"name"));
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    }

    TFrm_okv* dialog;
    QLineEdit* search;
    QTableView* grid;
    QPlainTextEdit* note;
    QPushButton* ok;
    QPushButton* close;
    RecordNavigator* navigator;
    QRadioButton* okvedItem = nullptr;
    QRadioButton* kdes2Item = nullptr;
};

// Opens a picker over `card`, runs `steps` on it while it is open and closes
// it afterwards if the steps left it open.
void WithPicker(CardWindow& card, const std::function<void(Picker&)>& steps)
{
    bool ran = false;
    WhenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<TFrm_okv*>(modal);
        ran = true;
        if (!dialog) {
            modal->close();
            return;
        }
        QApplication::setActiveWindow(dialog);
        if (QTest::qWaitForWindowActive(dialog)) {
            Picker picker(dialog);
            steps(picker);
        } else {
            QTest::qFail("the picker did not become active", __FILE__, __LINE__);
        }
        if (dialog->isVisible())
            dialog->reject();
    });
    OpenClassifierPicker(card.code, card.target());
    QVERIFY(ran);
}

const char* TableName(ClassifierKind kind) { return kind == ClassifierKind::Okved ? "OKVED" : "KDES2"; }

} // namespace

class OkvKdsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opensWithItsControls();
    void tabOrder();
    void headingRowIsRefused_data();
    void headingRowIsRefused();
    void codeRowIsAccepted_data();
    void codeRowIsAccepted();
    void typingPutsTheDotsAndLocates_data();
    void typingPutsTheDotsAndLocates();
    void onlyDigitsAndBackspaceReachTheSearch();
    void backspaceAfterDotDoublesIt_data();
    void backspaceAfterDotDoublesIt();
    void switchingKeepsTheTextSelectedAndDoesNotSearch();
    void switchingByArrowKeys();
    void passingThroughTheRadioGroupChangesNothing();
    void focusEntrySelectsTheTextExceptByMouse();
    void navigatorFollowsTheSelectedTable();
    void closingWritesNothing_data();
    void closingWritesNothing();
    void secondOpeningStartsFresh();
    void destroyedWhileAButtonHasTheFocus();
};

void OkvKdsTest::initTestCase() { InstallClassifierPicker(); }

void OkvKdsTest::opensWithItsControls()
{
    CardWindow card;
    WithPicker(card, [](Picker& p) {
        QCOMPARE(p.dialog->windowTitle(), QStringLiteral("Выбор кода ОКВЭД / КДЕС2"));
        auto* group = p.dialog->findChild<QWidget*>(QStringLiteral("rgrp_okv_kds"));
        QVERIFY(group);
        QCOMPARE(group->property("title").toString(), QStringLiteral("выбор: ОКВЭД/ОКВЭД2"));
        QVERIFY(p.okvedItem && p.kdes2Item);
        QVERIFY(p.okvedItem->isChecked());
        QCOMPARE(p.dialog->findChild<QLabel*>(QStringLiteral("lbl_1"))->text(), QStringLiteral("Поиск по коду "));
        auto* note = p.dialog->findChild<QLabel*>(QStringLiteral("lbl_2"));
        QCOMPARE(note->text(), QStringLiteral("* код вводить без точек"));
        QCOMPARE(note->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(p.ok->text(), QStringLiteral("Принять"));
        QCOMPARE(p.close->text(), QStringLiteral("Закрыть"));
        QVERIFY(p.navigator);

        // The search field is empty and has the focus; the grid shows the
        // OKVED table at its first row; the note memo is hidden.
        QCOMPARE(p.search->text(), QString());
        QCOMPARE(QApplication::focusWidget(), p.search);
        QCOMPARE(p.shown(), p.table(ClassifierKind::Okved));
        QCOMPARE(p.gridCode(), QStringLiteral("A"));
        QVERIFY(p.note->isHidden());
        QVERIFY(p.note->isReadOnly());

        QStringList titles;
        QHeaderView* header = p.grid->horizontalHeader();
        for (int visual = 0; visual < header->count(); ++visual) {
            const int column = header->logicalIndex(visual);
            if (!header->isSectionHidden(column))
                titles << p.grid->model()->headerData(column, Qt::Horizontal).toString();
        }
        QCOMPARE(titles, (QStringList{"RAZDEL", "OKVED", "NAME"}));
        // The name column takes the width the others leave.
        const int name = p.shown()->columnIndex(u"name");
        QVERIFY(header->sectionSize(name) > p.grid->viewport()->width() / 2);

        // The arrangement: group top left, search to its right, grid below,
        // the buttons at the bottom with the navigator on the left.
        const auto at = [&](QWidget* w) { return w->mapTo(p.dialog, QPoint(0, 0)); };
        QVERIFY(at(p.search).x() > at(group).x() + group->width() - 1);
        QVERIFY(at(p.grid).y() >= at(group).y() + group->height());
        QVERIFY(at(p.ok).y() > at(p.grid).y() + p.grid->height());
        QVERIFY(at(p.navigator).x() < at(p.ok).x());
        QVERIFY(at(p.ok).x() < at(p.close).x());
    });
}

void OkvKdsTest::tabOrder()
{
    CardWindow card;
    WithPicker(card, [](Picker& p) {
        p.choose(ClassifierKind::Kdes2); // the note memo is shown and takes its turn
        const QStringList expected{"dbgrd1", "dbmemo_ABOUT", "bitbtn_Ok", "bitbtn_close", "nbNext", "nbLast"};
        QStringList got;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            got << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(got, expected);
        // Backwards from the search field lands on the selected item of the group.
        p.search->setFocus(Qt::TabFocusReason);
        QTest::keyClick(p.search, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), p.kdes2Item);
    });
}

void OkvKdsTest::headingRowIsRefused_data()
{
    QTest::addColumn<ClassifierKind>("kind");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("message");
    QTest::newRow("OKVED at opening") << ClassifierKind::Okved << 0 << "A"
                                      << "Необходимо выбрать конкретный код ОКВЭД!";
    QTest::newRow("OKVED subsection CA") << ClassifierKind::Okved << 85 << "CA"
                                         << "Необходимо выбрать конкретный код ОКВЭД!";
    QTest::newRow("KDES2 section C") << ClassifierKind::Kdes2 << 284 << "C"
                                     << "Необходимо выбрать конкретный код КДЕС2!";
}

void OkvKdsTest::headingRowIsRefused()
{
    QFETCH(ClassifierKind, kind);
    QFETCH(int, row);
    QFETCH(QString, heading);
    QFETCH(QString, message);
    MessageRecorder boxes;
    CardWindow card;
    card.preset(QStringLiteral("55.55"), QStringLiteral("Использован ОКВЭД"), 1);
    WithPicker(card, [&](Picker& p) {
        if (kind == ClassifierKind::Kdes2)
            p.choose(kind);
        if (row != 0)
            p.clickRow(row);
        QCOMPARE(p.table(kind)->value(u"okved"), heading);
        QTest::mouseClick(p.ok, Qt::LeftButton);
        QCOMPARE(boxes.shown, (std::vector<RecordedMessage>{{RecordedMessage::Info, message.toStdString()}}));
        QVERIFY(p.dialog->isVisible()); // the user picks again
        QCOMPARE(p.table(kind)->value(u"okved"), heading);
    });
    QCOMPARE(card.text(), QStringLiteral("55.55"));
    QCOMPARE(card.caption(), QStringLiteral("Использован ОКВЭД"));
    QCOMPARE(card.source(), 1);
}

void OkvKdsTest::codeRowIsAccepted_data()
{
    QTest::addColumn<ClassifierKind>("kind");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("source");
    QTest::newRow("OKVED 01") << ClassifierKind::Okved << "01"
                              << "01"
                              << "Использован ОКВЭД" << 1;
    QTest::newRow("OKVED 01.11.1") << ClassifierKind::Okved << "01111"
                                   << "01.11.1"
                                   << "Использован ОКВЭД" << 1;
    QTest::newRow("KDES2 01") << ClassifierKind::Kdes2 << "01"
                              << "01"
                              << "Использован КДЕС2" << 2;
    QTest::newRow("KDES2 01.11.11") << ClassifierKind::Kdes2 << "011111"
                                    << "01.11.11"
                                    << "Использован КДЕС2" << 2;
}

void OkvKdsTest::codeRowIsAccepted()
{
    QFETCH(ClassifierKind, kind);
    QFETCH(QString, digits);
    QFETCH(QString, code);
    QFETCH(QString, caption);
    QFETCH(int, source);
    MessageRecorder boxes;
    CardWindow card;
    // The order of the writes: the code, then the label, then the source.
    QStringList writes;
    QObject::connect(card.code, &QLineEdit::textChanged, [&] {
        writes << QStringLiteral("code %1 %2 %3").arg(card.text(), card.caption()).arg(card.source());
    });
    WithPicker(card, [&](Picker& p) {
        if (kind == ClassifierKind::Kdes2)
            p.choose(kind);
        p.type(digits);
        QCOMPARE(p.search->text(), code);
        QTest::mouseClick(p.ok, Qt::LeftButton);
        QVERIFY(!p.dialog->isVisible());
    });
    QVERIFY(boxes.shown.empty());
    QCOMPARE(card.text(), code);
    QCOMPARE(card.caption(), caption);
    QCOMPARE(card.source(), source);
    QCOMPARE(writes, QStringList{QStringLiteral("code %1   0").arg(code)});
    // The dialog is released once it has closed.
    QVERIFY(card.window.findChildren<TFrm_okv*>().isEmpty());
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<TFrm_okv*>(w));
}

void OkvKdsTest::typingPutsTheDotsAndLocates_data()
{
    QTest::addColumn<ClassifierKind>("kind");
    QTest::addColumn<QStringList>("shown");   // the field after each digit
    QTest::addColumn<QStringList>("current"); // the selected table's current code after it
    const QStringList shown{"0", "01", "01.1", "01.11", "01.11.1", "01.11.11", "01.11.111"};
    QTest::newRow("OKVED") << ClassifierKind::Okved << shown
                           << QStringList{"A", "01", "01.1", "01.11", "01.11.1", "01.11.1", "01.11.1"};
    QTest::newRow("KDES2") << ClassifierKind::Kdes2 << shown
                           << QStringList{"A", "01", "01.1", "01.11", "01.11.1", "01.11.11", "01.11.11"};
}

void OkvKdsTest::typingPutsTheDotsAndLocates()
{
    QFETCH(ClassifierKind, kind);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, current);
    CardWindow card;
    WithPicker(card, [&](Picker& p) {
        if (kind == ClassifierKind::Kdes2)
            p.choose(kind);
        const QString digits = QStringLiteral("0111111");
        QStringList gotShown, gotCurrent, gotGrid;
        for (QChar digit : digits) {
            QTest::keyClick(p.search, digit.toLatin1());
            gotShown << p.search->text();
            gotCurrent << p.table(kind)->value(u"okved");
            gotGrid << p.gridCode();
        }
        QCOMPARE(gotShown, shown);
        QCOMPARE(gotCurrent, current);
        QCOMPARE(gotGrid, current);
        QCOMPARE(p.search->cursorPosition(), p.search->text().size());
    });
}

void OkvKdsTest::onlyDigitsAndBackspaceReachTheSearch()
{
    MessageRecorder boxes;
    CardWindow card;
    WithPicker(card, [&](Picker& p) {
        p.type(QStringLiteral("01"));
        p.type(QStringLiteral("a. -,/+Z"));
        for (const QString& letter : {QStringLiteral("Б"), QStringLiteral("ё")})
            QTest::sendKeyEvent(QTest::Click, p.search, Qt::Key_unknown, letter, {});
        QCOMPARE(p.search->text(), QStringLiteral("01"));
        QCOMPARE(p.table(ClassifierKind::Okved)->value(u"okved"), QStringLiteral("01"));
        QTest::keyClick(p.search, Qt::Key_Return); // Enter neither types nor accepts
        p.grid->setFocus(Qt::TabFocusReason);
        QTest::keyClick(p.grid, Qt::Key_Return);
        QVERIFY(p.dialog->isVisible());
        QVERIFY(!p.ok->isDefault());
        QTest::keyClick(p.search, Qt::Key_Backspace);
        QCOMPARE(p.search->text(), QStringLiteral("0"));
        QCOMPARE(p.table(ClassifierKind::Okved)->value(u"okved"), QStringLiteral("01"));
        // Enter on a focused button presses it.
        p.close->setFocus(Qt::TabFocusReason);
        QTest::keyClick(p.close, Qt::Key_Return);
        QVERIFY(!p.dialog->isVisible());
    });
    QVERIFY(boxes.shown.empty());
    QCOMPARE(card.text(), QString());
}

void OkvKdsTest::backspaceAfterDotDoublesIt_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("afterBackspace");
    QTest::addColumn<QString>("current");
    QTest::newRow("from 01.1") << "011"
                               << "01.."
                               << "01.1";
    QTest::newRow("from 01.11.1") << "01111"
                                  << "01.11.."
                                  << "01.11.1";
}

void OkvKdsTest::backspaceAfterDotDoublesIt()
{
    QFETCH(QString, digits);
    QFETCH(QString, afterBackspace);
    QFETCH(QString, current);
    CardWindow card;
    WithPicker(card, [&](Picker& p) {
        p.type(digits);
        for (int press = 0; press < 3; ++press) { // every further Backspace gives the same
            QTest::keyClick(p.search, Qt::Key_Backspace);
            QCOMPARE(p.search->text(), afterBackspace);
            QCOMPARE(p.table(ClassifierKind::Okved)->value(u"okved"), current); // nothing moved
        }
        // Deleting a selection shortens the text past the dots.
        p.search->selectAll();
        QTest::keyClick(p.search, Qt::Key_Backspace);
        QCOMPARE(p.search->text(), QString());
    });
}

void OkvKdsTest::switchingKeepsTheTextSelectedAndDoesNotSearch()
{
    CardWindow card;
    WithPicker(card, [](Picker& p) {
        ClassifierTable* okved = p.table(ClassifierKind::Okved);
        ClassifierTable* kdes2 = p.table(ClassifierKind::Kdes2);
        p.type(QStringLiteral("011"));
        kdes2->moveTo(40);
        p.choose(ClassifierKind::Kdes2);
        QCOMPARE(QApplication::focusWidget(), p.search);
        QCOMPARE(p.search->text(), QStringLiteral("01.1"));
        QCOMPARE(p.search->selectedText(), QStringLiteral("01.1"));
        QVERIFY(!okved->isOpen());
        // The KDES2 table was open already, so it keeps its current row.
        QCOMPARE(p.shown(), kdes2);
        QCOMPARE(kdes2->currentRow(), 40);
        QCOMPARE(p.grid->currentIndex().row(), 40);
    });

    WithPicker(card, [](Picker& p) {
        ClassifierTable* okved = p.table(ClassifierKind::Okved);
        ClassifierTable* kdes2 = p.table(ClassifierKind::Kdes2);
        p.type(QStringLiteral("011"));
        p.choose(ClassifierKind::Kdes2);
        QCOMPARE(p.search->selectedText(), QStringLiteral("01.1"));
        QCOMPARE(p.gridCode(), QStringLiteral("A")); // no new search for 01.1
        QVERIFY(p.note->isVisible());
        QCOMPARE(p.note->toPlainText(), kdes2->value(u"about").replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QVERIFY(p.note->toPlainText().startsWith(QStringLiteral("Этот раздел включает:\n")));
        p.type(QStringLiteral("0"));
        QCOMPARE(p.search->text(), QStringLiteral("0"));
        QCOMPARE(kdes2->value(u"okved"), QStringLiteral("A"));
        p.type(QStringLiteral("1"));
        QCOMPARE(kdes2->value(u"okved"), QStringLiteral("01"));
        QCOMPARE(p.gridCode(), QStringLiteral("01"));
        QVERIFY(p.note->toPlainText().startsWith(QStringLiteral("Эта группировка включает:")));

        // Back to OKVED: reopened at its first row, the memo hidden, the
        // KDES2 table closed.
        okved->close();
        p.choose(ClassifierKind::Okved);
        QVERIFY(okved->isOpen());
        QVERIFY(!kdes2->isOpen());
        QCOMPARE(p.shown(), okved);
        QCOMPARE(p.gridCode(), QStringLiteral("A"));
        QVERIFY(p.note->isHidden());
        QCOMPARE(p.search->selectedText(), QStringLiteral("01"));
        // Choosing the item already selected runs nothing.
        p.search->setCursorPosition(2);
        p.choose(ClassifierKind::Okved);
        QCOMPARE(QApplication::focusWidget(), p.okvedItem);
        p.choose(ClassifierKind::Okved);
        QCOMPARE(QApplication::focusWidget(), p.okvedItem);
    });
}

void OkvKdsTest::switchingByArrowKeys()
{
    CardWindow card;
    WithPicker(card, [](Picker& p) {
        p.type(QStringLiteral("0111"));
        QTest::keyClick(p.search, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), p.okvedItem);
        QTest::keyClick(p.okvedItem, Qt::Key_Down);
        QVERIFY(p.kdes2Item->isChecked());
        QCOMPARE(QApplication::focusWidget(), p.search);
        QCOMPARE(p.search->selectedText(), QStringLiteral("01.11"));
        QCOMPARE(p.shown(), p.table(ClassifierKind::Kdes2));
        QVERIFY(p.note->isVisible());
    });
}

void OkvKdsTest::passingThroughTheRadioGroupChangesNothing()
{
    CardWindow card;
    WithPicker(card, [](Picker& p) {
        p.choose(ClassifierKind::Kdes2);
        p.type(QStringLiteral("01"));
        QTest::keyClick(p.search, Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), p.search);
        QCOMPARE(p.shown(), p.table(ClassifierKind::Kdes2));
        QCOMPARE(p.gridCode(), QStringLiteral("01"));
        QVERIFY(p.note->isVisible());
        QVERIFY(!p.table(ClassifierKind::Okved)->isOpen());
    });
}

void OkvKdsTest::focusEntrySelectsTheTextExceptByMouse()
{
    CardWindow card;
    WithPicker(card, [](Picker& p) {
        p.type(QStringLiteral("0111"));
        QTest::keyClick(p.search, Qt::Key_Tab); // to the grid
        QCOMPARE(QApplication::focusWidget(), p.grid);
        QTest::keyClick(p.grid, Qt::Key_Backtab);
        QCOMPARE(p.search->selectedText(), QStringLiteral("01.11"));
        QTest::keyClick(p.search, Qt::Key_Tab);
        QTest::mouseClick(p.search, Qt::LeftButton, {}, QPoint(4, p.search->height() / 2));
        QCOMPARE(QApplication::focusWidget(), p.search);
        QCOMPARE(p.search->selectedText(), QString());
        // The next digit then adds to the text instead of replacing it.
        p.search->end(false);
        p.type(QStringLiteral("1"));
        QCOMPARE(p.search->text(), QStringLiteral("01.11.1"));
    });
}

void OkvKdsTest::navigatorFollowsTheSelectedTable()
{
    CardWindow card;
    WithPicker(card, [](Picker& p) {
        ClassifierTable* okved = p.table(ClassifierKind::Okved);
        ClassifierTable* kdes2 = p.table(ClassifierKind::Kdes2);
        QVERIFY(!p.navigator->firstButton()->isEnabled()); // at the first row
        QTest::mouseClick(p.navigator->nextButton(), Qt::LeftButton);
        QTest::mouseClick(p.navigator->nextButton(), Qt::LeftButton);
        QCOMPARE(okved->value(u"okved"), QStringLiteral("01.1"));
        QCOMPARE(p.gridCode(), QStringLiteral("01.1"));
        QTest::mouseClick(p.navigator->priorButton(), Qt::LeftButton);
        QCOMPARE(okved->value(u"okved"), QStringLiteral("01"));

        p.choose(ClassifierKind::Kdes2);
        QCOMPARE(p.navigator->table(), kdes2);
        QTest::mouseClick(p.navigator->lastButton(), Qt::LeftButton);
        QCOMPARE(kdes2->value(u"okved"), QStringLiteral("99.00"));
        QCOMPARE(p.gridCode(), QStringLiteral("99.00"));
        QVERIFY(!p.navigator->nextButton()->isEnabled());
        QVERIFY(!p.navigator->lastButton()->isEnabled());
        QTest::mouseClick(p.navigator->firstButton(), Qt::LeftButton);
        QCOMPARE(kdes2->value(u"okved"), QStringLiteral("A"));
        // The grid moves the table too, and the note memo follows it.
        p.clickRow(1);
        QCOMPARE(kdes2->value(u"okved"), QStringLiteral("01"));
        QVERIFY(p.note->toPlainText().startsWith(QStringLiteral("Эта группировка включает:")));
        p.clickRow(4); // 01.11.1 has no note
        QCOMPARE(p.note->toPlainText(), QString());
    });
}

void OkvKdsTest::closingWritesNothing_data()
{
    QTest::addColumn<ClassifierKind>("kind");
    QTest::addColumn<QString>("how");
    for (ClassifierKind kind : {ClassifierKind::Okved, ClassifierKind::Kdes2}) {
        QTest::addRow("%s Закрыть", TableName(kind)) << kind << "button";
        QTest::addRow("%s close box", TableName(kind)) << kind << "close box";
        QTest::addRow("%s Escape", TableName(kind)) << kind << "escape";
    }
}

void OkvKdsTest::closingWritesNothing()
{
    QFETCH(ClassifierKind, kind);
    QFETCH(QString, how);
    MessageRecorder boxes;
    CardWindow card;
    card.preset(QStringLiteral("99.00"), QStringLiteral("Использован КДЕС2"), 2);
    WithPicker(card, [&](Picker& p) {
        if (kind == ClassifierKind::Kdes2)
            p.choose(kind);
        p.type(QStringLiteral("01111"));
        QCOMPARE(p.table(kind)->value(u"okved"), QStringLiteral("01.11.1"));
        if (how == "button")
            QTest::mouseClick(p.close, Qt::LeftButton);
        else if (how == "close box")
            p.dialog->close();
        else
            QTest::keyClick(p.search, Qt::Key_Escape);
        QVERIFY(!p.dialog->isVisible());
        // Closing closes both tables.
        QVERIFY(!p.table(ClassifierKind::Okved)->isOpen());
        QVERIFY(!p.table(ClassifierKind::Kdes2)->isOpen());
    });
    QVERIFY(boxes.shown.empty());
    QCOMPARE(card.text(), QStringLiteral("99.00"));
    QCOMPARE(card.caption(), QStringLiteral("Использован КДЕС2"));
    QCOMPARE(card.source(), 2);
}

void OkvKdsTest::secondOpeningStartsFresh()
{
    CardWindow card;
    WithPicker(card, [](Picker& p) {
        p.choose(ClassifierKind::Kdes2);
        p.type(QStringLiteral("011111"));
        QTest::mouseClick(p.ok, Qt::LeftButton);
    });
    QCOMPARE(card.source(), 2);
    WithPicker(card, [](Picker& p) {
        QVERIFY(p.okvedItem->isChecked());
        QCOMPARE(p.search->text(), QString());
        QCOMPARE(QApplication::focusWidget(), p.search);
        QVERIFY(p.table(ClassifierKind::Okved)->isOpen());
        QVERIFY(p.table(ClassifierKind::Kdes2)->isOpen());
        QCOMPARE(p.table(ClassifierKind::Kdes2)->value(u"okved"), QStringLiteral("A"));
        QCOMPARE(p.shown(), p.table(ClassifierKind::Okved));
        QCOMPARE(p.gridCode(), QStringLiteral("A"));
        QVERIFY(p.note->isHidden());
    });
    QCOMPARE(card.text(), QStringLiteral("01.11.11"));
}

// The picker is destroyed as soon as it closes, while the button that closed
// it may still have the focus (the window system moves it later); that button
// then reports its loss of focus while the picker's children go. The
// sanitizer build (make test-asan) reports any reaction of the half-destroyed
// picker to it.
void OkvKdsTest::destroyedWhileAButtonHasTheFocus()
{
    CardWindow card;
    auto picker = std::make_unique<TFrm_okv>(card.target());
    picker->show();
    QApplication::setActiveWindow(picker.get());
    QVERIFY(QTest::qWaitForWindowActive(picker.get()));
    auto* close = picker->findChild<QPushButton*>(QStringLiteral("bitbtn_close"));
    close->setFocus();
    QCOMPARE(QApplication::focusWidget(), close);
    picker.reset();
    QCOMPARE(QApplication::focusWidget(), nullptr);
}

QTEST_MAIN(OkvKdsTest)
#include "okv_kds_test.moc"
