// Page "Предприятие": its controls, layout and tab order, the character
// filters, the INN marking and the activity-code field.
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "support/message_recorder.h"
#include "support/modal.h"
#include "support/required_control.h"
#include "support/typing.h"
#include "widgets/classifier_opener.h"
#include "widgets/okved_source.h"
#include "widgets/radio_group.h"
#include "window/contact_dialog.h"
#include "window/enterprise_page.h"
#include "window/main_window.h"
#include "window/staff_dialog.h"

namespace {

const std::string kInnWarning = "Проверьте правильность ИНН! Сохранение будет невозможно!";
const std::string kOkvedWarning = "Не заполнен КДЭС (бывший ОКВЭД)! Сохранение будет невозможно!";
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

QColor TextColour(const QLineEdit* edit) { return edit->palette().color(QPalette::Text); }

QLabel* LabelOf(const QWidget* page, const QWidget* field)
{
    for (QLabel* label : page->findChildren<QLabel*>())
        if (label->buddy() == field)
            return label;
    return nullptr;
}

} // namespace

class EnterprisePageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TFrmGn> window_;
    int pickerOpenings_ = 0;

    template <typename T = QWidget>
    T* Child(const char* name) const
    {
        return RequiredChild<T>(window_.get(), name);
    }
    QLineEdit* Edit(const QString& name) const { return window_->findChild<QLineEdit*>(name); }

    // Moves the focus into `field` the way a program does (no picker, no
    // exit reaction of the field left), as the starting point of a test.
    void FocusQuietly(QWidget* field)
    {
        field->setFocus(Qt::OtherFocusReason);
        QCOMPARE(QApplication::focusWidget(), field);
    }

private slots:
    void init()
    {
        pickerOpenings_ = 0;
        SetClassifierOpener([this](QWidget*, const CodeTarget&) { ++pickerOpenings_; });
        window_ = std::make_unique<TFrmGn>();
        QVERIFY(ShowActive(window_.get()));
    }

    void cleanup()
    {
        window_.reset();
        SetClassifierOpener({});
    }

    void editsWithLabelsLengthsAndHints_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Ed_opf") << "Ed_opf"
                                << "Организационно-правовая форма" << 30
                                << "Аббревиатура. например ООО или ГБУЗ ОВРА и т.д.";
        QTest::newRow("Ed_inn") << "Ed_inn"
                                << "ИНН *" << 12 << "впишите СВОЙ ИНН!";
        QTest::newRow("Ed_name") << "Ed_name"
                                 << "Название *" << 150
                                 << "Только название предприятия. Без организционно-правовой формы\r\n"
                                    "Например: Vavaraze ruvudoz ediruzor";
        QTest::newRow("Ed_okved") << "Ed_okved"
                                  << "ОКВЭД (или ОКВЭД2) *" << 8 << "";
        QTest::newRow("Ed_doljn") << "Ed_doljn"
                                  << "Должность руководителя *" << 200
                                  << "Должность руководителя БЕЗ указания организации!\r\nНапример: Директор";
        QTest::newRow("Ed_fio") << "Ed_fio"
                                << "ФИО руководителя *" << 100 << "";
        QTest::newRow("Ed_np") << "Ed_np"
                               << "Населенный пункт" << 200 << "";
        QTest::newRow("Ed_adr") << "Ed_adr"
                                << "Адрес" << 200
                                << "ПОЧТОВЫЙ ИНДЕКС, Улица, строение(корпус), номер дома, номер "
                                   "квартиры(при наличии)\r\nНапример: 000000, ул. Лесная, д. 7";
    }

    void editsWithLabelsLengthsAndHints()
    {
        QFETCH(QString, name);
        QFETCH(QString, label);
        QFETCH(int, maxLength);
        QFETCH(QString, hint);
        QLineEdit* edit = Edit(name);
        QVERIFY(edit);
        QCOMPARE(edit->maxLength(), maxLength);
        QCOMPARE(edit->toolTip(), hint);
        QCOMPARE(edit->text(), QString());
        QLabel* caption = LabelOf(window_->enterprisePage(), edit);
        QVERIFY(caption);
        QCOMPARE(caption->text(), label);
        // Labels stand left of their fields, on the same row.
        QVERIFY(caption->geometry().right() < edit->x());
        QCOMPARE(caption->y(), edit->y());
    }

    void startState()
    {
        auto* okved = Child<QLineEdit>("Ed_okved");
        QVERIFY(okved->isReadOnly());
        QCOMPARE(OkvedSourceOf(okved), 0);
        QCOMPARE(Child<QLabel>("lbl_okv")->text(), QStringLiteral(" "));
        QCOMPARE(TextColour(Child<QLineEdit>("Ed_inn")), kBlack);
        auto* districts = Child<QComboBox>("CombRn");
        QVERIFY(districts->isEditable());
        QCOMPARE(LabelOf(window_->enterprisePage(), districts)->text(), QStringLiteral("Район "));
        const QStringList expected{"Г. НАЛЬЧИК",     "Г. БАКСАН",      "Г. ПРОХЛАДНЫЙ", "БАКСАНСКИЙ Р-Н",
                                   "ЗОЛЬСКИЙ Р-Н",   "ЛЕСКЕНСКИЙ Р-Н", "МАЙСКИЙ Р-Н",   "ПРОХЛАДНЕНСКИЙ Р-Н",
                                   "ТЕРСКИЙ Р-Н",    "УРВАНСКИЙ Р-Н",  "ЧЕГЕМСКИЙ Р-Н", "ЧЕРЕКСКИЙ Р-Н",
                                   "ЭЛЬБРУССКИЙ Р-Н"};
        QStringList items;
        for (int i = 0; i < districts->count(); ++i)
            items << districts->itemText(i);
        QCOMPARE(items, expected);
        QCOMPARE(districts->currentIndex(), 0);
        QCOMPARE(districts->currentText(), expected[0]);
    }

    void layoutIsTidy()
    {
        // Every control lies inside the page, and no two controls of the page
        // overlap (the contacts block counts as one).
        QWidget* page = window_->enterprisePage();
        const QRect area = page->rect();
        QList<QWidget*> controls;
        for (QObject* child : page->children())
            if (auto* widget = qobject_cast<QWidget*>(child); widget && widget->isVisible())
                controls << widget;
        QVERIFY(controls.size() >= 18);
        for (int i = 0; i < controls.size(); ++i) {
            QVERIFY2(area.contains(controls[i]->geometry()), qPrintable(controls[i]->objectName()));
            for (int j = i + 1; j < controls.size(); ++j)
                QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                         qPrintable(controls[i]->objectName() + " / " + controls[j]->objectName()));
        }
        // First row: legal form, then INN; the activity code with its caption.
        QCOMPARE(Child("Ed_inn")->y(), Child("Ed_opf")->y());
        QVERIFY(Child("Ed_opf")->geometry().right() < LabelOf(page, Child("Ed_inn"))->x());
        QCOMPARE(Child("lbl_okv")->y(), Child("Ed_okved")->y());
        QVERIFY(Child("Ed_okved")->geometry().right() < Child("lbl_okv")->x());
        // The contacts block sits below the address.
        QVERIFY(Child("Bevel1")->y() > Child("Ed_adr")->geometry().bottom());
    }

    void labelsShowTheirWholeText()
    {
        for (QLabel* label : window_->enterprisePage()->findChildren<QLabel*>()) {
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(needed <= label->width(), qPrintable(label->text()));
        }
    }

    void tabOrder()
    {
        MessageRecorder recorder; // leaving the empty INN and code warns
        FocusQuietly(Child("Ed_opf"));
        QStringList order;
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order,
                 (QStringList{"Ed_inn", "Ed_name", "Ed_okved", "Ed_doljn", "Ed_fio", "CombRn", "Ed_np", "Ed_adr",
                              "BitBtn1", "BitBtn2", "BitBtn3", "StrGridKont"}));
        QCOMPARE(pickerOpenings_, 1); // passing through the activity code opened the picker once
    }

    void characterFilters_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("INN: digits pass") << "Ed_inn"
                                          << "7707083893"
                                          << "7707083893";
        QTest::newRow("INN: letters and space refused") << "Ed_inn"
                                                        << "12ab 3Я"
                                                        << "123";
        QTest::newRow("INN: Backspace refused") << "Ed_inn"
                                                << "123\b\b"
                                                << "123";
        QTest::newRow("INN: twelve digits at most") << "Ed_inn"
                                                    << "1234567890123"
                                                    << "123456789012";
        QTest::newRow("name: the nine refused") << "Ed_name"
                                                << "a\"b*c/d:e<f>g?h\\i|j"
                                                << "abcdefghij";
        QTest::newRow("name: Cyrillic and punctuation") << "Ed_name"
                                                        << "Ромашка-2, ООО."
                                                        << "Ромашка-2, ООО.";
        QTest::newRow("name: Backspace passes") << "Ed_name"
                                                << "Ромашка\b\b"
                                                << "Ромаш";
        QTest::newRow("legal form: no filter") << "Ed_opf"
                                               << "ГБУЗ *?"
                                               << "ГБУЗ *?";
    }

    void characterFilters()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        MessageRecorder recorder;
        QLineEdit* edit = Edit(field);
        FocusQuietly(edit);
        TypeText(edit, typed);
        QCOMPARE(edit->text(), expected);
    }

    // Every edit whose text goes into the card refuses what Windows-1251
    // cannot hold; the rest of the typing gets through.
    void charactersTheCardCannotHoldAreRefused_data()
    {
        QTest::addColumn<QString>("field");
        for (const char* name : {"Ed_opf", "Ed_name", "Ed_doljn", "Ed_fio", "Ed_np", "Ed_adr", "EdNomDatUR",
                                 "EdNZaklExp", "ComBTypeK", "EdKontakt", "EdDoljn", "EdFIO", "EDNUd", "EdOrg"})
            QTest::newRow(name) << name;
    }

    void charactersTheCardCannotHoldAreRefused()
    {
        QFETCH(QString, field);
        for (const char* yesNo : {"RGRpDog", "RGrpExpertiza"})
            Child<RadioGroup>(yesNo)->setItemIndex(1);
        TFrmKontakt contact(window_.get());
        TFrmSotr staff(window_.get());
        QWidget* edit = window_->findChild<QWidget*>(field);
        for (QWidget* dialog : {static_cast<QWidget*>(&contact), static_cast<QWidget*>(&staff)})
            if (!edit)
                edit = dialog->findChild<QWidget*>(field);
        auto* combo = qobject_cast<QComboBox*>(edit);
        QLineEdit* line = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(edit);
        line->clear();
        TypeText(edit, QStringLiteral("aé№ßЁ²Ӏ😀b"));
        QCOMPARE(line->text(), QStringLiteral("a№Ёb"));
    }

    // Windows reports AltGr as Ctrl+Alt: the filters judge what it types.
    void altGrTypingMeetsTheFilters_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("INN refuses a backslash") << "Ed_inn"
                                                 << "\\"
                                                 << "";
        QTest::newRow("name refuses a bar") << "Ed_name"
                                            << "|"
                                            << "";
        QTest::newRow("year refuses an at sign") << "EdYear"
                                                 << "@"
                                                 << "";
        QTest::newRow("name refuses a superscript two") << "Ed_name"
                                                        << "²"
                                                        << "";
        QTest::newRow("legal form takes an at sign") << "Ed_opf"
                                                     << "@"
                                                     << "@";
    }

    void altGrTypingMeetsTheFilters()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QLineEdit* edit = Edit(field);
        edit->clear();
        const Qt::KeyboardModifiers altGr = Qt::ControlModifier | Qt::AltModifier;
        QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, typed.left(1), altGr);
        QCOMPARE(edit->text(), expected);
    }

    // Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z reach a filter as the characters 3,
    // 22, 24 and 26: a filter that refuses them refuses the key.
    void clipboardKeysMeetTheFilters_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("pickerOpenings");
        QTest::newRow("district: Ctrl+X") << "CombRn" << int(Qt::Key_X) << "Г. ПРОХЛАДНЫЙ" << 0;
        QTest::newRow("district: Ctrl+V") << "CombRn" << int(Qt::Key_V) << "Г. ПРОХЛАДНЫЙ" << 0;
        QTest::newRow("INN: Ctrl+V") << "Ed_inn" << int(Qt::Key_V) << "77" << 0;
        QTest::newRow("name: Ctrl+V pastes") << "Ed_name" << int(Qt::Key_V) << "7712" << 0;
        QTest::newRow("INN: Ctrl+Z") << "Ed_inn" << int(Qt::Key_Z) << "77" << 0;
        QTest::newRow("activity code: Ctrl+C opens the picker") << "Ed_okved" << int(Qt::Key_C) << "" << 1;
    }

    void clipboardKeysMeetTheFilters()
    {
        QFETCH(QString, field);
        QFETCH(int, key);
        QFETCH(QString, expected);
        QFETCH(int, pickerOpenings);
        QApplication::clipboard()->setText(QStringLiteral("12"));
        Child<QComboBox>("CombRn")->setCurrentIndex(2);
        QWidget* target = window_->findChild<QWidget*>(field);
        auto* combo = qobject_cast<QComboBox*>(target);
        QLineEdit* line = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(target);
        FocusQuietly(target);
        if (combo)
            line->selectAll();
        else if (!line->isReadOnly())
            TypeText(line, QStringLiteral("77"));
        QTest::keyClick(target, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(line->text(), expected);
        QCOMPARE(pickerOpenings_, pickerOpenings);
    }

    // Text that arrives whole (a paste by either key, a drop, an input
    // method's text) meets the rules typing meets: what the card or, in the
    // name, a file name cannot hold is dropped, the rest arrives. What the
    // field held before (as a load shows it) stays.
    void arrivingTextMeetsTheTypedRules_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("arriving");
        QTest::addColumn<QString>("expected");
        QTest::newRow("address, Ctrl+V") << "Ed_adr"
                                         << ""
                                         << "Ctrl+V"
                                         << "Кафе Café ½"
                                         << "Кафе Caf ";
        QTest::newRow("address, Shift+Insert") << "Ed_adr"
                                               << ""
                                               << "Shift+Insert"
                                               << "Кафе Café ½"
                                               << "Кафе Caf ";
        QTest::newRow("name, Ctrl+V") << "Ed_name"
                                      << ""
                                      << "Ctrl+V"
                                      << "Хлебозавод \"Эльбрус\""
                                      << "Хлебозавод Эльбрус";
        QTest::newRow("name, Shift+Insert") << "Ed_name"
                                            << ""
                                            << "Shift+Insert"
                                            << "Ромашка/Лютик:\t½"
                                            << "РомашкаЛютик";
        QTest::newRow("name holding quotes, Ctrl+V") << "Ed_name"
                                                     << "Хлебозавод \"Эльбрус\""
                                                     << "Ctrl+V"
                                                     << " №2/3"
                                                     << "Хлебозавод \"Эльбрус\" №23";
        QTest::newRow("INN, Shift+Insert") << "Ed_inn"
                                           << ""
                                           << "Shift+Insert"
                                           << "7707 083-893"
                                           << "7707083893";
        QTest::newRow("count, Shift+Insert") << "EdEduc"
                                             << ""
                                             << "Shift+Insert"
                                             << "1 2a3"
                                             << "123";
        QTest::newRow("contact type, Shift+Insert") << "ComBTypeK"
                                                    << ""
                                                    << "Shift+Insert"
                                                    << "Телефон ☎"
                                                    << "Телефон ";
        QTest::newRow("staff position, Ctrl+V") << "EdDoljn"
                                                << ""
                                                << "Ctrl+V"
                                                << "Инженер ⚙ ОТ"
                                                << "Инженер  ОТ";
        QTest::newRow("head, input method") << "Ed_fio"
                                            << ""
                                            << "input method"
                                            << "Петров ½ П."
                                            << "Петров  П.";
        QTest::newRow("settlement, drop") << "Ed_np"
                                          << ""
                                          << "drop"
                                          << "г. Café"
                                          << "г. Caf";
    }

    void arrivingTextMeetsTheTypedRules()
    {
        QFETCH(QString, field);
        QFETCH(QString, held);
        QFETCH(QString, route);
        QFETCH(QString, arriving);
        QFETCH(QString, expected);
        TFrmKontakt contact(window_.get());
        TFrmSotr staff(window_.get());
        QWidget* target = window_->findChild<QWidget*>(field);
        for (QWidget* dialog : {static_cast<QWidget*>(&contact), static_cast<QWidget*>(&staff)})
            if (!target)
                target = dialog->findChild<QWidget*>(field);
        QVERIFY(target);
        auto* combo = qobject_cast<QComboBox*>(target);
        QLineEdit* line = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(target);
        line->setText(held);
        if (route == "Ctrl+V" || route == "Shift+Insert") {
            QApplication::clipboard()->setText(arriving);
            if (route == "Ctrl+V")
                QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
            else
                QTest::keyClick(target, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (route == "input method") {
            QInputMethodEvent commit;
            commit.setCommitString(arriving);
            QApplication::sendEvent(line, &commit);
        } else {
            QMimeData dragged;
            dragged.setText(arriving);
            // The drag enters first: the application hands a drop to the
            // widget that accepted the drag.
            const QPoint where = line->rect().center();
            QDragEnterEvent enter(where, Qt::CopyAction, &dragged, Qt::LeftButton, {});
            QApplication::sendEvent(line, &enter);
            QDropEvent drop(QPointF(where), Qt::CopyAction, &dragged, Qt::LeftButton, {});
            QApplication::sendEvent(line, &drop);
        }
        QCOMPARE(line->text(), expected);
    }

    // The title row is fixed: a click on it keeps the current row, which
    // "Редактировать" and "Удалить" act on; a column border still drags.
    void gridTitleRowKeepsTheCurrentRow_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("page");
        QTest::newRow("contacts") << "StrGridKont" << 0;
        QTest::newRow("staff") << "StrGridSOT" << 1;
    }

    void gridTitleRowKeepsTheCurrentRow()
    {
        QFETCH(QString, grid);
        QFETCH(int, page);
        window_->pages()->setCurrentIndex(page);
        auto* table = window_->findChild<QTableWidget*>(grid);
        table->setCurrentCell(2, 0);
        QHeaderView* titles = table->horizontalHeader();
        const int y = titles->height() / 2;
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, QPoint(titles->sectionViewportPosition(1) + 20, y));
        QCOMPARE(table->currentRow(), 2);
        QCOMPARE(table->selectedItems(), QList<QTableWidgetItem*>{table->item(2, 0)});

        const int border = titles->sectionViewportPosition(1) - 1;
        const int width = table->columnWidth(0);
        QTest::mousePress(titles->viewport(), Qt::LeftButton, {}, QPoint(border, y));
        QTest::mouseMove(titles->viewport(), QPoint(border + 30, y));
        QTest::mouseRelease(titles->viewport(), Qt::LeftButton, {}, QPoint(border + 30, y));
        QCOMPARE(table->columnWidth(0), width + 30);
    }

    void districtListTakesNoTyping_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key"); // a key without a character, or 0
        QTest::newRow("letters") << "абв xyz" << 0;
        QTest::newRow("Backspace") << "\b\b\b" << 0;
        QTest::newRow("Delete at the start") << "" << int(Qt::Key_Delete);
    }

    void districtListTakesNoTyping()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        auto* districts = Child<QComboBox>("CombRn");
        districts->setCurrentIndex(2);
        FocusQuietly(districts);
        districts->lineEdit()->setCursorPosition(0);
        TypeText(districts, typed);
        if (key)
            QTest::keyClick(districts, Qt::Key(key));
        QCOMPARE(districts->currentIndex(), 2);
        QCOMPARE(districts->currentText(), QStringLiteral("Г. ПРОХЛАДНЫЙ"));
    }

    void districtListFollowsArrows()
    {
        auto* districts = Child<QComboBox>("CombRn");
        FocusQuietly(districts);
        QTest::keyClick(districts, Qt::Key_Down);
        QTest::keyClick(districts, Qt::Key_Down);
        QCOMPARE(districts->currentIndex(), 2);
        QTest::keyClick(districts, Qt::Key_Up);
        QCOMPARE(districts->currentText(), QStringLiteral("Г. БАКСАН"));
        // Tab still leaves the field.
        QTest::keyClick(districts, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Child("Ed_np"));
    }

    void innColourWhileTyping()
    {
        MessageRecorder recorder;
        auto* inn = Child<QLineEdit>("Ed_inn");
        FocusQuietly(inn);
        const QString valid = QStringLiteral("7707083893");
        for (int i = 0; i < valid.size(); ++i) {
            TypeText(inn, valid.mid(i, 1));
            QCOMPARE(TextColour(inn), i == valid.size() - 1 ? kBlack : kRed);
        }
        // Deleting a digit with Delete marks it again; retyping it clears the mark.
        inn->setCursorPosition(9);
        QTest::keyClick(inn, Qt::Key_Delete);
        QCOMPARE(inn->text(), QStringLiteral("770708389"));
        QCOMPARE(TextColour(inn), kRed);
        TypeText(inn, QStringLiteral("3"));
        QCOMPARE(TextColour(inn), kBlack);
        // Twelve digits, first the second check digit wrong, then right.
        inn->clear();
        TypeText(inn, QStringLiteral("500100732258"));
        QCOMPARE(TextColour(inn), kRed);
        inn->setCursorPosition(11);
        QTest::keyClick(inn, Qt::Key_Delete);
        TypeText(inn, QStringLiteral("9"));
        QCOMPARE(TextColour(inn), kBlack);
        QVERIFY(recorder.shown.empty()); // typing never shows a message
    }

    void innTextSetByProgramIsMarked()
    {
        auto* inn = Child<QLineEdit>("Ed_inn");
        inn->setText(QStringLiteral("7707083894"));
        QCOMPARE(TextColour(inn), kRed);
        inn->setText(QStringLiteral("500100732259"));
        QCOMPARE(TextColour(inn), kBlack);
    }

    void innOnLeaving_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("warned");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("eleven digits") << "77070838931" << true;
        QTest::newRow("wrong check digit") << "7707083894" << true;
        QTest::newRow("valid, ten digits") << "7707083893" << false;
        QTest::newRow("valid, twelve digits") << "500100732259" << false;
    }

    void innOnLeaving()
    {
        QFETCH(QString, text);
        QFETCH(bool, warned);
        MessageRecorder recorder;
        auto* inn = Child<QLineEdit>("Ed_inn");
        FocusQuietly(inn);
        TypeText(inn, text);
        QTest::keyClick(inn, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Child("Ed_name")); // the focus went on
        QCOMPARE(recorder.texts(), warned ? std::vector<std::string>{kInnWarning} : std::vector<std::string>{});
        QCOMPARE(TextColour(inn), warned ? kRed : kBlack);
    }

    void activityCodeDots_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three characters") << "011"
                                          << "01.1";
        QTest::newRow("six characters") << "01.111"
                                        << "01.11.1";
        QTest::newRow("seven characters") << "01.11.1"
                                          << "01.11.1";
        QTest::newRow("eight characters") << "01.11.11"
                                          << "01.11.11";
        QTest::newRow("two characters") << "01"
                                        << "01";
        QTest::newRow("four characters") << "01.1"
                                         << "01.1";
        QTest::newRow("three spaces") << "   "
                                      << "  . ";
    }

    void activityCodeDots()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        auto* okved = Child<QLineEdit>("Ed_okved");
        okved->setText(text);
        QCOMPARE(okved->text(), expected);
        QCOMPARE(okved->cursorPosition(), static_cast<int>(expected.size()));
    }

    void activityCodeOnLeaving_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("warned");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("only spaces") << "  " << true;
        QTest::newRow("a code") << "01.11" << false;
    }

    void activityCodeOnLeaving()
    {
        QFETCH(QString, text);
        QFETCH(bool, warned);
        MessageRecorder recorder;
        auto* okved = Child<QLineEdit>("Ed_okved");
        okved->setText(text);
        FocusQuietly(okved);
        QTest::keyClick(okved, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Child("Ed_doljn"));
        QCOMPARE(recorder.texts(), warned ? std::vector<std::string>{kOkvedWarning} : std::vector<std::string>{});
        QCOMPARE(pickerOpenings_, 0); // leaving does not open it
        QCOMPARE(OkvedSourceOf(okved), 0);
    }

    void pickerOpensOncePerAction_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("Tab from the name") << "tab";
        QTest::newRow("Shift+Tab from the position") << "backtab";
        QTest::newRow("click while another field has the focus") << "click elsewhere";
        QTest::newRow("click while it has the focus") << "click";
        QTest::newRow("a letter") << "letter";
        QTest::newRow("a digit") << "digit";
        QTest::newRow("Enter") << "enter";
        QTest::newRow("Backspace") << "backspace";
    }

    void pickerOpensOncePerAction()
    {
        QFETCH(QString, action);
        MessageRecorder recorder;
        auto* okved = Child<QLineEdit>("Ed_okved");
        okved->setText(QStringLiteral("01.11"));
        // A real modal picker stand-in: it takes the focus away and gives it
        // back when it closes, which must not count as another arrival.
        QWidget* pickerParent = nullptr;
        SetClassifierOpener([&](QWidget* parent, const CodeTarget&) {
            ++pickerOpenings_;
            pickerParent = parent;
            QDialog picker(parent);
            WhenModalOpens([](QWidget* modal) { modal->close(); });
            picker.exec();
        });
        if (action == "tab") {
            FocusQuietly(Child("Ed_name"));
            QTest::keyClick(Child("Ed_name"), Qt::Key_Tab);
        } else if (action == "backtab") {
            FocusQuietly(Child("Ed_doljn"));
            QTest::keyClick(Child("Ed_doljn"), Qt::Key_Backtab, Qt::ShiftModifier);
        } else if (action == "click elsewhere") {
            FocusQuietly(Child("Ed_opf"));
            QTest::mouseClick(okved, Qt::LeftButton);
        } else {
            FocusQuietly(okved);
            if (action == "click")
                QTest::mouseClick(okved, Qt::LeftButton);
            else
                TypeText(okved, action == "letter" ? "ж" : action == "digit" ? "5" : action == "enter" ? "\r" : "\b");
        }
        // The window becomes active again (the offscreen platform leaves that
        // to the program) and the focus comes back to the field.
        window_->activateWindow();
        QVERIFY(QTest::qWaitFor([this] { return QApplication::activeWindow() == window_.get(); }));
        QTRY_COMPARE(QApplication::focusWidget(), okved);
        QTest::qWait(50);
        QCOMPARE(pickerOpenings_, 1);
        QCOMPARE(pickerParent, window_.get());
        QCOMPARE(okved->text(), QStringLiteral("01.11")); // nothing typed reaches the field
        QVERIFY(recorder.shown.empty());
    }

    void pageSwitchesDoNotOpenThePicker()
    {
        // Leaving page 0 takes the focus out of the code field (its warning
        // shows); coming back puts it there again without opening the picker.
        MessageRecorder recorder;
        auto* okved = Child<QLineEdit>("Ed_okved");
        FocusQuietly(okved);
        QTest::mouseClick(Child("BitBtn5"), Qt::LeftButton);
        QVERIFY(!okved->hasFocus());
        QCOMPARE(recorder.texts(), std::vector<std::string>{kOkvedWarning});
        QTest::mouseClick(Child("BitBtn4"), Qt::LeftButton);
        QVERIFY(okved->hasFocus());
        QCOMPARE(pickerOpenings_, 0);
    }

    void tabLeavesTheCodeWithoutOpening()
    {
        MessageRecorder recorder;
        auto* okved = Child<QLineEdit>("Ed_okved");
        FocusQuietly(okved);
        QTest::keyClick(okved, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Child("Ed_doljn"));
        QCOMPARE(pickerOpenings_, 0);
    }
};

QTEST_MAIN(EnterprisePageTest)
#include "enterprise_page_test.moc"
