// The main window: caption with the program's version, size, pages,
// navigation, tab order, closing (with the question over a changed card),
// shortcuts and font.
#include <algorithm>

#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "support/message_recorder.h"
#include "support/modal.h"
#include "support/required_control.h"
#include "support/typing.h"
#include "widgets/classifier_opener.h"
#include "widgets/messages_qt.h"
#include "window/card_file_dialog.h"
#include "window/main_window.h"

namespace {

const QString kTitle = QStringLiteral("ЮНРА5. Карточка предприятия.");

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        SetClassifierOpener([](QWidget*, const CodeTarget&) {});
    }
    void cleanup()
    {
        TFrmGn::setProgramFile(QString());
        SetClassifierOpener({});
    }

    void captionBeforeShowIsTheTitle()
    {
        TFrmGn window;
        QCOMPARE(window.windowTitle(), kTitle);
    }

    void captionOnFirstShow_data()
    {
        QTest::addColumn<QString>("programFile");
        QTest::addColumn<QString>("caption");
        QTest::newRow("the built program") << QStringLiteral(UNRA5_CARD_EXE) << kTitle + " версия 2.1.1.0";
        QTest::newRow("a file without version") << QCoreApplication::applicationFilePath() << kTitle + " версия ";
        QTest::newRow("a missing file") << QStringLiteral("/nonexistent/unra5-card") << kTitle + " версия ";
    }

    void captionOnFirstShow()
    {
        QFETCH(QString, programFile);
        QFETCH(QString, caption);
        TFrmGn::setProgramFile(programFile);
        TFrmGn window;
        window.show();
        QCOMPARE(window.windowTitle(), caption);
    }

    void ownProgramFileByDefault()
    {
        // Unset, the caption reads the running program's own file: this test
        // program, which carries no version block.
        TFrmGn window;
        window.show();
        QCOMPARE(window.windowTitle(), kTitle + " версия ");
    }

    void oneGlobalReference()
    {
        {
            TFrmGn window;
            QCOMPARE(FrmGn, &window);
        }
        QCOMPARE(FrmGn, nullptr);
    }

    void sizeFollowsTheCloseButton()
    {
        TFrmGn window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QWidget* close = RequiredChild(&window, "BtnClose");
        QCOMPARE(close->pos(), QPoint(653, 476));
        QCOMPARE(window.frameGeometry().size(), QSize(close->x() + 120, close->y() + 80));
        QCOMPARE(window.frameGeometry().size(), QSize(773, 556));
    }

    void controlsFitTheWindow()
    {
        TFrmGn window;
        window.show();
        const QRect client = window.rect();
        for (const char* name : {"PCtrl", "BitBtn4", "BitBtn5", "BtnLoadPr", "BtnSavePr", "BtnClose"})
            QVERIFY2(client.contains(RequiredChild(&window, name)->geometry()), name);
        // One row of buttons under the pages: back and next at the left, then
        // load, save and close at the right.
        QVERIFY(RequiredChild(&window, "PCtrl")->geometry().bottom() < RequiredChild(&window, "BitBtn4")->y());
        QVERIFY(RequiredChild(&window, "BitBtn4")->x() < RequiredChild(&window, "BitBtn5")->x());
        QVERIFY(RequiredChild(&window, "BitBtn5")->geometry().right() < RequiredChild(&window, "BtnLoadPr")->x());
        QVERIFY(RequiredChild(&window, "BtnLoadPr")->x() < RequiredChild(&window, "BtnSavePr")->x());
        QVERIFY(RequiredChild(&window, "BtnSavePr")->x() < RequiredChild(&window, "BtnClose")->x());
    }

    void pagesAndButtons()
    {
        TFrmGn window;
        auto* pages = RequiredChild<QTabWidget>(&window, "PCtrl");
        const QStringList captions{"Предприятие",    "Служба ОТ",      "Состояние ОТ",    "класс 1, 2",
                                   "класс 3.1, 3.2", "класс 3.3, 3.4", "класс 4, обучено"};
        QCOMPARE(pages->count(), captions.size());
        for (int i = 0; i < pages->count(); ++i)
            QCOMPARE(pages->tabText(i), captions[i]);
        QCOMPARE(pages->currentIndex(), 0);
        const QList<std::pair<const char*, QString>> buttons{{"BitBtn4", "<< Назад"},
                                                             {"BitBtn5", "Далее >>"},
                                                             {"BtnLoadPr", "Загрузить"},
                                                             {"BtnSavePr", "Сохранить"},
                                                             {"BtnClose", "Закрыть"}};
        for (const auto& [name, caption] : buttons)
            QCOMPARE(RequiredChild<QPushButton>(&window, name)->text(), caption);
    }

    void navigation_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("expected");
        QTest::newRow("back on the first page") << 0 << "BitBtn4" << 0;
        QTest::newRow("next on the first page") << 0 << "BitBtn5" << 1;
        QTest::newRow("back in the middle") << 3 << "BitBtn4" << 2;
        QTest::newRow("next in the middle") << 3 << "BitBtn5" << 4;
        QTest::newRow("back on the last page") << 6 << "BitBtn4" << 5;
        QTest::newRow("next on the last page") << 6 << "BitBtn5" << 6;
    }

    void navigation()
    {
        QFETCH(int, start);
        QFETCH(QString, button);
        QFETCH(int, expected);
        TFrmGn window;
        QVERIFY(ShowActive(&window));
        auto* pages = RequiredChild<QTabWidget>(&window, "PCtrl");
        pages->setCurrentIndex(start);
        QWidget* focused = RequiredChild(&window, "BtnSavePr");
        focused->setFocus();
        auto* pressed = window.findChild<QPushButton*>(button);
        QTest::mouseClick(pressed, Qt::LeftButton);
        QCOMPARE(pages->currentIndex(), expected);
        QVERIFY(pressed->isEnabled());
        QCOMPARE(QApplication::focusWidget(), focused); // the click left the focus where it was
    }

    void navigationKeepsTheFieldFocused()
    {
        TFrmGn window;
        QVERIFY(ShowActive(&window));
        QWidget* field = RequiredChild(&window, "Ed_opf");
        field->setFocus();
        QTest::mouseClick(RequiredChild(&window, "BitBtn4"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), field);
    }

    void tabOrderOfTheWindow()
    {
        TFrmGn window;
        QVERIFY(ShowActive(&window));
        RequiredChild(&window, "StrGridKont")->setFocus();
        QStringList order;
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            order << (qobject_cast<QTabBar*>(now) ? QStringLiteral("tabs") : now->objectName());
        }
        QCOMPARE(
            order,
            (QStringList{"BitBtn5", "BitBtn4", "BtnSavePr", "BtnLoadPr", "BtnClose", "BtnPrint", "tabs", "Ed_opf"}));
    }

    void closingAnUnchangedCardEndsTheProgramWithoutQuestion_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("untouched") << QString();
        QTest::newRow("typed and erased") << QStringLiteral("ООО\b\b\b");
    }

    void closingAnUnchangedCardEndsTheProgramWithoutQuestion()
    {
        QFETCH(QString, typed);
        MessageRecorder recorder;
        TFrmGn window;
        QVERIFY(ShowActive(&window));
        RequiredChild(&window, "Ed_opf")->setFocus();
        TypeText(RequiredChild(&window, "Ed_opf"), typed);
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        QTimer::singleShot(0, &window, [&] { QTest::mouseClick(RequiredChild(&window, "BtnClose"), Qt::LeftButton); });
        QTimer safety; // in case the program does not end
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        safety.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window.isVisible());
        QCOMPARE(lastClosed.count(), 1);
        QVERIFY(recorder.shown.empty());
    }

    // The real confirmation box, answered while it is open.
    void closingAChangedCardAsks_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("answer");
        QTest::newRow("typed name, Да") << "Ed_name"
                                        << "Ромашка"
                                        << "Да";
        QTest::newRow("typed name, Нет") << "Ed_name"
                                         << "Ромашка"
                                         << "Нет";
        QTest::newRow("typed name, Enter answers Нет") << "Ed_name"
                                                       << "Ромашка"
                                                       << "Enter";
        QTest::newRow("typed name, box closed") << "Ed_name"
                                                << "Ромашка"
                                                << "";
        QTest::newRow("count edit emptied, Нет") << "EdEduc"
                                                 << "\b"
                                                 << "Нет";
        QTest::newRow("count edit emptied, Да") << "EdEduc"
                                                << "\b"
                                                << "Да";
    }

    void closingAChangedCardAsks()
    {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QString, answer);
        QtMessages boxes;
        MessageBoxes* previous = SetBoxes(&boxes);
        TFrmGn window;
        QVERIFY(ShowActive(&window));
        auto* field = window.findChild<QLineEdit*>(control);
        QVERIFY(field);
        field->setFocus();
        field->end(false);
        TypeText(field, typed);
        const QString before = field->text();
        QString question;
        WhenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            question = box->text();
            const auto buttons = box->buttons();
            auto chosen = std::find_if(buttons.begin(), buttons.end(),
                                       [&](QAbstractButton* b) { return b->isVisible() && b->text() == answer; });
            if (answer == QStringLiteral("Enter"))
                QTest::keyClick(box, Qt::Key_Return);
            else if (chosen != buttons.end())
                (*chosen)->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        QTest::mouseClick(RequiredChild(&window, "BtnClose"), Qt::LeftButton);
        SetBoxes(previous);
        QCOMPARE(question, QStringLiteral("Карточка не сохранена. Закрыть программу без сохранения?"));
        QCOMPARE(window.isVisible(), answer != QStringLiteral("Да"));
        QCOMPARE(field->text(), before); // nothing typed is touched
    }

    void keyboardShortcutsPressTheButtons_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("button");
        QTest::newRow("Ctrl+S") << QKeySequence(Qt::CTRL | Qt::Key_S) << "BtnSavePr";
        QTest::newRow("Ctrl+O") << QKeySequence(Qt::CTRL | Qt::Key_O) << "BtnLoadPr";
    }

    void keyboardShortcutsPressTheButtons()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, button);
        TFrmGn window;
        QVERIFY(ShowActive(&window));
        RequiredChild(&window, "Ed_name")->setFocus();
        QSignalSpy clicked(window.findChild<QPushButton*>(button), &QPushButton::clicked);
        SetCardFileChooser([](QWidget*) { return QString(); });
        MessageRecorder recorder;
        QTest::keySequence(QApplication::focusWidget(), keys);
        SetCardFileChooser({});
        QCOMPARE(clicked.count(), 1);
    }

    void loadDialogShowsLongCardNamesWhole()
    {
        MessageRecorder recorder;
        TFrmGn window;
        QVERIFY(ShowActive(&window));
        const QString name = QStringLiteral("11_Общество с ограниченной ответственностью «Ромашка»_2014_Годовой.crd");
        int nameColumn = 0, visibleWidth = 0, needed = 0;
        WhenModalOpens([&](QWidget* modal) {
            auto* files = modal->findChild<QTreeView*>(QStringLiteral("treeView"));
            if (files && files->isVisible()) {
                nameColumn = files->header()->sectionSize(0);
                visibleWidth = files->viewport()->width();
                needed = files->fontMetrics().horizontalAdvance(name);
            }
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        QTest::mouseClick(RequiredChild(&window, "BtnLoadPr"), Qt::LeftButton);
        QVERIFY(needed > 0);
        QVERIFY2(nameColumn > needed, qPrintable(QStringLiteral("%1 <= %2").arg(nameColumn).arg(needed)));
        QVERIFY2(visibleWidth >= nameColumn, qPrintable(QStringLiteral("%1 < %2").arg(visibleWidth).arg(nameColumn)));
    }

    void windowFont()
    {
        TFrmGn window;
        QCOMPARE(window.font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(window.font().pointSize(), 8);
        QCOMPARE(window.font().styleHint(), QFont::SansSerif);
        QCOMPARE(RequiredChild(&window, "Ed_name")->font().pointSize(), 8); // the pages take it over
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
