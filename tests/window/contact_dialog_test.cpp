// The contacts block and the contact dialog, driven through the real
// buttons, grid and dialog.
#include <algorithm>

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "card/entry_lists.h"
#include "support/message_recorder.h"
#include "support/modal.h"
#include "support/required_control.h"
#include "support/typing.h"
#include "widgets/form_font.h"
#include "widgets/table_grid.h"
#include "window/contact_dialog.h"
#include "window/enterprise_page.h"
#include "window/main_window.h"

namespace {

using Rows = QList<QStringList>;

// Runs `act` on the next modal dialog once it is open and has the keyboard
// focus (the platform activates it a moment after it appears).
void WhenDialogActive(std::function<void(QWidget*)> act)
{
    WhenModalOpens([act = std::move(act)](QWidget* modal) {
        if (!QTest::qWaitFor([modal] { return QApplication::activeWindow() == modal; }))
            qWarning("the dialog did not become active");
        act(modal);
    });
}

} // namespace

class ContactDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TFrmGn> window_;
    std::unique_ptr<MessageRecorder> recorder_;

    QTableWidget* Grid() const { return window_->enterprisePage()->contactsGrid(); }
    card::ContactList& Contacts() const { return window_->lists().contacts; }

    // Puts contacts into the list as accepted adds would.
    void Seed(const Rows& contacts)
    {
        TableGrid grid(Grid());
        for (const QStringList& c : contacts)
            QVERIFY(Contacts().accept(card::DialogMode::Add, {c[0].toStdString(), c[1].toStdString()}, grid));
    }

    // The grid's data rows up to the last non-empty one.
    Rows Shown() const
    {
        Rows rows;
        for (int r = 0; r < Grid()->rowCount(); ++r)
            rows << QStringList{Grid()->item(r, 0)->text(), Grid()->item(r, 1)->text()};
        while (!rows.isEmpty() && rows.last() == QStringList{"", ""})
            rows.removeLast();
        return rows;
    }

    // Presses `button` of the block; `act` runs on the dialog once it is open
    // and must end it.
    void PressAndDrive(const char* button, std::function<void(TFrmKontakt*)> act)
    {
        bool opened = false;
        WhenDialogActive([&](QWidget* modal) {
            opened = true;
            auto* dialog = qobject_cast<TFrmKontakt*>(modal);
            if (!dialog) {
                modal->close();
                QFAIL("another dialog opened");
            }
            act(dialog);
            if (dialog->isVisible())
                dialog->reject(); // the check failed half-way: do not hang
        });
        QTest::mouseClick(RequiredChild(window_.get(), button), Qt::LeftButton);
        QVERIFY2(opened, "the contact dialog did not open");
    }

    // Presses `button` and expects that no dialog opens.
    void PressExpectingNoDialog(const char* button)
    {
        bool opened = false;
        QTimer guard;
        connect(&guard, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = true;
                modal->close();
            }
        });
        guard.start(10);
        QTest::mouseClick(RequiredChild(window_.get(), button), Qt::LeftButton);
        QTest::qWait(30);
        QVERIFY(!opened);
    }

    void SelectRow(int gridRow) { Grid()->setCurrentCell(gridRow - 1, 0); }

private slots:
    void init()
    {
        recorder_ = std::make_unique<MessageRecorder>();
        window_ = std::make_unique<TFrmGn>();
        QVERIFY(ShowActive(window_.get()));
    }

    void cleanup()
    {
        window_.reset();
        QVERIFY(recorder_->shown.empty()); // the contacts show no messages
        recorder_.reset();
    }

    void gridShape()
    {
        QTableWidget* grid = Grid();
        QCOMPARE(grid->objectName(), QStringLiteral("StrGridKont"));
        QCOMPARE(grid->columnCount(), 2);
        QCOMPARE(grid->rowCount(), 11); // a data row for every slot
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Тип контакта"));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Данные контакта"));
        QCOMPARE(grid->columnWidth(0), 195);
        QCOMPARE(grid->columnWidth(1), 324);
        // 16 pixels in the program's font here; a taller font (Windows' own)
        // gives rows as much taller as its text.
        const int rowHeight = std::max(16, grid->fontMetrics().height() + 3);
        for (int r = 0; r < grid->rowCount(); ++r)
            QCOMPARE(grid->rowHeight(r), rowHeight);
        QCOMPARE(grid->currentRow(), 0); // grid row 1
        // Every row can be seen without scrolling.
        QVERIFY(grid->viewport()->height() >= 11 * rowHeight);
        QCOMPARE(RequiredChild<QLabel>(window_.get(), "Label6")->text(), QStringLiteral("Контактная информация"));
        QCOMPARE(RequiredChild<QPushButton>(window_.get(), "BitBtn1")->text(), QStringLiteral("Добавить"));
        QCOMPARE(RequiredChild<QPushButton>(window_.get(), "BitBtn2")->text(), QStringLiteral("Редактировать"));
        QCOMPARE(RequiredChild<QPushButton>(window_.get(), "BitBtn3")->text(), QStringLiteral("Удалить"));
    }

    void gridStaysInsideItsGroupInAnyFont_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<bool>("scrolls");
        // The page is 441 pixels high (less with a taller tab bar), the block
        // starts at 214. 8 points: a 13-pixel line, rows of 16, the header
        // (17) and 11 rows with the block's margins take 209 pixels and fit.
        // 14 points (18.7 pixels): rows of at least 22, and 11 of them (242)
        // alone are more than the 227 pixels left.
        QTest::newRow("the program's font") << 8 << false;
        QTest::newRow("a taller font") << 14 << true;
    }

    // A larger font than the program's own (Windows' fonts may be) neither
    // cuts the text of a row nor pushes rows past the page: the grid keeps
    // inside its group and the rows that do not fit scroll.
    void gridStaysInsideItsGroupInAnyFont()
    {
        QFETCH(int, points);
        QFETCH(bool, scrolls);
        QTableWidget* grid = Grid();
        QFont font = FormFont();
        font.setPointSize(points);
        window_->setFont(font);
        QTest::qWait(0);
        for (int r = 0; r < grid->rowCount(); ++r)
            QVERIFY(grid->rowHeight(r) > grid->fontMetrics().height());
        auto* group = qobject_cast<QFrame*>(grid->parentWidget());
        QVERIFY(group->contentsRect().contains(grid->geometry()));
        QVERIFY(window_->enterprisePage()->rect().contains(group->geometry()));
        QCOMPARE(grid->verticalScrollBar()->isVisible(), scrolls);
        // Both columns whole beside the scroll bar.
        QVERIFY(grid->viewport()->width() >= grid->columnWidth(0) + grid->columnWidth(1));
        QScrollBar* bar = grid->verticalScrollBar();
        bar->setValue(bar->maximum());
        QTableWidgetItem* last = grid->item(grid->rowCount() - 1, 1);
        QVERIFY(grid->viewport()->rect().contains(grid->visualItemRect(last)));
    }

    void gridIsNotEditableInPlace()
    {
        Seed({{"Телефон", "123"}});
        Grid()->setFocus();
        SelectRow(1);
        TypeText(Grid(), QStringLiteral("xyz\r"));
        QTest::keyClick(Grid(), Qt::Key_F2);
        TypeText(Grid(), QStringLiteral("q"));
        QCOMPARE(Shown(), (Rows{{"Телефон", "123"}}));
    }

    void dialogDefaults()
    {
        PressAndDrive("BitBtn1", [](TFrmKontakt* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Контактная информация"));
            QVERIFY(dialog->isModal());
            auto* type = RequiredChild<QComboBox>(dialog, "ComBTypeK");
            QVERIFY(type->isEditable());
            QStringList items;
            for (int i = 0; i < type->count(); ++i)
                items << type->itemText(i);
            QCOMPARE(items, (QStringList{"Телефон", "Факс", "Электронная почта", "Сайт"}));
            QCOMPARE(type->currentIndex(), 0);
            QCOMPARE(type->currentText(), QStringLiteral("Телефон"));
            QCOMPARE(RequiredChild<QLineEdit>(dialog, "EdKontakt")->text(), QString());
            QCOMPARE(RequiredChild<QLabel>(dialog, "Label1")->text(), QStringLiteral("Тип контакта"));
            QCOMPARE(RequiredChild<QLabel>(dialog, "LblKontkt")->text(), QStringLiteral("Контактные данные"));
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                         qPrintable(label->text()));
                QVERIFY(label->geometry().right() < label->buddy()->x());
            }
            QCOMPARE(dialog->font(), FormFont());
            auto* ok = RequiredChild<QPushButton>(dialog, "BtnOK");
            auto* close = RequiredChild<QPushButton>(dialog, "BtnClose");
            QCOMPARE(ok->text(), QStringLiteral("Принять"));
            QCOMPARE(close->text(), QStringLiteral("Закрыть"));
            QVERIFY(!ok->isDefault() && !close->isDefault());
            // Tab order: type, data, accept, close.
            type->setFocus();
            QStringList order;
            for (int i = 0; i < 3; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                order << QApplication::focusWidget()->objectName();
            }
            QCOMPARE(order, (QStringList{"EdKontakt", "BtnOK", "BtnClose"}));
            QTest::mouseClick(close, Qt::LeftButton);
        });
        QCOMPARE(Contacts().count(), 0);
        QCOMPARE(Shown(), Rows{});
    }

    void addAtOnce()
    {
        PressAndDrive("BitBtn1", [](TFrmKontakt* dialog) {
            QTest::mouseClick(RequiredChild(dialog, "BtnOK"), Qt::LeftButton);
            QVERIFY(!dialog->isVisible());
        });
        QCOMPARE(Contacts().count(), 1);
        QCOMPARE(Shown(), (Rows{{"Телефон", ""}}));
    }

    void enterInTheData_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("one space") << " " << true;
        QTest::newRow("a number") << "8 (8662) 40-00-00" << true;
    }

    void enterInTheData()
    {
        QFETCH(QString, data);
        QFETCH(bool, accepted);
        bool stayedOpen = false;
        PressAndDrive("BitBtn1", [&](TFrmKontakt* dialog) {
            auto* edit = RequiredChild<QLineEdit>(dialog, "EdKontakt");
            edit->setFocus();
            TypeText(edit, data + "\r");
            stayedOpen = dialog->isVisible();
            QCOMPARE(edit->text(), data); // Enter never reaches the edit
            if (stayedOpen)
                QTest::mouseClick(RequiredChild(dialog, "BtnClose"), Qt::LeftButton);
        });
        QCOMPARE(stayedOpen, !accepted);
        QCOMPARE(Contacts().count(), accepted ? 1 : 0);
        QCOMPARE(Shown(), (accepted ? Rows{{"Телефон", data}} : Rows{}));
    }

    void enterOutsideTheDataEdit_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("type field: no default button") << "ComBTypeK" << false;
        QTest::newRow("Принять with the focus") << "BtnOK" << true;
        QTest::newRow("Закрыть with the focus") << "BtnClose" << false;
    }

    void enterOutsideTheDataEdit()
    {
        QFETCH(QString, focused);
        QFETCH(bool, accepted);
        bool stayedOpen = false;
        PressAndDrive("BitBtn1", [&](TFrmKontakt* dialog) {
            QWidget* target = dialog->findChild<QWidget*>(focused);
            target->setFocus(Qt::TabFocusReason);
            QTest::keyClick(target, Qt::Key_Return);
            stayedOpen = dialog->isVisible();
            if (stayedOpen)
                dialog->close();
        });
        QCOMPARE(stayedOpen, focused == "ComBTypeK");
        QCOMPARE(Contacts().count(), accepted ? 1 : 0);
    }

    void editFindsTheType_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Факс") << "Факс" << 1 << "Факс";
        QTest::newRow("сайт in lower case") << "сайт" << 3 << "Сайт";
        QTest::newRow("upper case") << "ЭЛЕКТРОННАЯ ПОЧТА" << 2 << "Электронная почта";
        QTest::newRow("free-typed type") << "Мессенджер" << -1 << "Мессенджер";
    }

    void editFindsTheType()
    {
        QFETCH(QString, stored);
        QFETCH(int, index);
        QFETCH(QString, shown);
        Seed({{"Телефон", "111"}, {stored, "contact data"}, {"Факс", "333"}});
        SelectRow(2);
        PressAndDrive("BitBtn2", [&](TFrmKontakt* dialog) {
            auto* type = RequiredChild<QComboBox>(dialog, "ComBTypeK");
            QCOMPARE(type->currentIndex(), index);
            QCOMPARE(type->currentText(), shown);
            QCOMPARE(RequiredChild<QLineEdit>(dialog, "EdKontakt")->text(), QStringLiteral("contact data"));
            QTest::mouseClick(RequiredChild(dialog, "BtnOK"), Qt::LeftButton);
        });
        // Accepted unchanged: the type as the combo box shows it.
        QCOMPARE(Contacts().count(), 3);
        QCOMPARE(Shown(), (Rows{{"Телефон", "111"}, {shown, "contact data"}, {"Факс", "333"}}));
        QVERIFY(Contacts().isUsed(1));
    }

    void freedSlotCanNoLongerBeEditedOrDeleted()
    {
        Seed({{"Мессенджер", "@firm"}});
        PressAndDrive("BitBtn2", [](TFrmKontakt* dialog) {
            RequiredChild<QComboBox>(dialog, "ComBTypeK")->setEditText(QString()); // the type erased
            QTest::mouseClick(RequiredChild(dialog, "BtnOK"), Qt::LeftButton);
        });
        QCOMPARE(Shown(), (Rows{{"", "@firm"}}));
        PressExpectingNoDialog("BitBtn2");
        QTest::mouseClick(RequiredChild(window_.get(), "BitBtn3"), Qt::LeftButton);
        QCOMPARE(Shown(), (Rows{{"", "@firm"}}));
        QCOMPARE(Contacts().count(), 1);
    }

    void editChangesOnlyItsEntry()
    {
        Seed({{"Телефон", "111"}, {"Факс", "222"}});
        SelectRow(2);
        PressAndDrive("BitBtn2", [](TFrmKontakt* dialog) {
            auto* type = RequiredChild<QComboBox>(dialog, "ComBTypeK");
            type->setCurrentIndex(2);
            auto* edit = RequiredChild<QLineEdit>(dialog, "EdKontakt");
            edit->clear();
            TypeText(edit, QStringLiteral("info@firm.ru"));
            QTest::mouseClick(RequiredChild(dialog, "BtnOK"), Qt::LeftButton);
        });
        QCOMPARE(Shown(), (Rows{{"Телефон", "111"}, {"Электронная почта", "info@firm.ru"}}));
        QCOMPARE(Contacts().count(), 2);
    }

    void closingStoresNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Закрыть") << "button";
        QTest::newRow("close box") << "close box";
    }

    void closingStoresNothing()
    {
        QFETCH(QString, how);
        Seed({{"Телефон", "111"}});
        PressAndDrive("BitBtn2", [&](TFrmKontakt* dialog) {
            TypeText(RequiredChild(dialog, "EdKontakt"), QStringLiteral("999"));
            // Escape is no cancel key: the dialog stays.
            QTest::keyClick(RequiredChild(dialog, "EdKontakt"), Qt::Key_Escape);
            QVERIFY(dialog->isVisible());
            if (how == "button")
                QTest::mouseClick(RequiredChild(dialog, "BtnClose"), Qt::LeftButton);
            else
                dialog->close();
        });
        QCOMPARE(Shown(), (Rows{{"Телефон", "111"}}));
    }

    void deleteRowOneOfThree()
    {
        Seed({{"Телефон", "111"}, {"Факс", "222"}, {"Сайт", "firm.ru"}});
        SelectRow(1);
        QTest::mouseClick(RequiredChild(window_.get(), "BitBtn3"), Qt::LeftButton);
        QCOMPARE(Shown(), (Rows{{"Факс", "222"}, {"Сайт", "firm.ru"}}));
        QCOMPARE(Contacts().count(), 2);
    }

    void emptyRowsDoNothing()
    {
        Seed({{"Телефон", "111"}});
        SelectRow(3);
        PressExpectingNoDialog("BitBtn2");
        QTest::mouseClick(RequiredChild(window_.get(), "BitBtn3"), Qt::LeftButton);
        QCOMPARE(Shown(), (Rows{{"Телефон", "111"}}));
        QCOMPARE(Contacts().count(), 1);
    }

    void longTextsAreCut()
    {
        const QString longType = QString(150, QChar(0x0416)); // "Ж" x 150
        const QString longData = QString(120, QLatin1Char('7'));
        PressAndDrive("BitBtn1", [&](TFrmKontakt* dialog) {
            auto* type = RequiredChild<QComboBox>(dialog, "ComBTypeK");
            type->lineEdit()->selectAll();
            TypeText(type, longType);
            TypeText(RequiredChild(dialog, "EdKontakt"), longData);
            QTest::mouseClick(RequiredChild(dialog, "BtnOK"), Qt::LeftButton);
        });
        QCOMPARE(Shown(), (Rows{{longType.left(100), longData.left(100)}}));
    }

    void fullListTakesNoMore()
    {
        Rows eleven;
        for (int i = 1; i <= 11; ++i)
            eleven << QStringList{"Телефон", QString::number(i)};
        Seed(eleven);
        QCOMPARE(Shown(), eleven); // the eleventh is shown too
        PressExpectingNoDialog("BitBtn1");
        QCOMPARE(Contacts().count(), 11);
        QCOMPARE(Shown(), eleven);
        // The eleventh can be edited and deleted.
        SelectRow(11);
        PressAndDrive("BitBtn2", [](TFrmKontakt* dialog) {
            QCOMPARE(RequiredChild<QLineEdit>(dialog, "EdKontakt")->text(), QStringLiteral("11"));
            QTest::mouseClick(RequiredChild(dialog, "BtnClose"), Qt::LeftButton);
        });
        QTest::mouseClick(RequiredChild(window_.get(), "BitBtn3"), Qt::LeftButton);
        QCOMPARE(Contacts().count(), 10);
        QCOMPARE(Shown(), eleven.mid(0, 10));
    }

    void keyboardAlone()
    {
        // Add with Space on "Добавить", type, Enter; then pick row 2 in the
        // grid with the arrow keys and edit it with "Редактировать".
        Seed({{"Телефон", "111"}, {"Факс", "222"}});
        QWidget* add = RequiredChild(window_.get(), "BitBtn1");
        add->setFocus();
        WhenDialogActive([](QWidget* modal) {
            QWidget* type = RequiredChild(modal, "ComBTypeK");
            QCOMPARE(QApplication::focusWidget(), type);
            QTest::keyClick(type, Qt::Key_Down); // "Факс"
            QTest::keyClick(type, Qt::Key_Tab);
            TypeText(QApplication::focusWidget(), QStringLiteral("333\r"));
        });
        QTest::keyClick(add, Qt::Key_Space);
        QCOMPARE(Shown(), (Rows{{"Телефон", "111"}, {"Факс", "222"}, {"Факс", "333"}}));

        window_->activateWindow();
        QVERIFY(QTest::qWaitFor([this] { return QApplication::activeWindow() == window_.get(); }));
        Grid()->setFocus();
        QTest::keyClick(Grid(), Qt::Key_Down);
        QTest::keyClick(Grid(), Qt::Key_Backtab, Qt::ShiftModifier); // "Удалить"
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("BitBtn2"));
        WhenDialogActive([](QWidget* modal) {
            QCOMPARE(RequiredChild<QLineEdit>(modal, "EdKontakt")->text(), QStringLiteral("222"));
            QTest::keyClick(RequiredChild(modal, "ComBTypeK"), Qt::Key_Tab); // selects the data
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
            TypeText(QApplication::focusWidget(), QStringLiteral("0\r"));
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(Shown(), (Rows{{"Телефон", "111"}, {"Факс", "2220"}, {"Факс", "333"}}));
    }
};

QTEST_MAIN(ContactDialogTest)
#include "contact_dialog_test.moc"
