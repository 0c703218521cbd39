// The pictures of the user guide: a sample card is filled through the real
// window's controls, then each page, the classifier picker and both entry
// dialogs are grabbed as PNG files.
//
//   screenshots <folder>      (QT_QPA_PLATFORM=offscreen, as make screenshots runs it)
#include <cstdio>
#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include "card/card_file_store.h"
#include "card/messages.h"
#include "card/workplace_counts.h"
#include "classifier/picker_hook.h"
#include "widgets/classifier_opener.h"
#include "widgets/messages_qt.h"
#include "widgets/qt_russian.h"
#include "widgets/radio_group.h"
#include "window/main_window.h"

namespace {

QString g_folder;
int g_failures = 0;

template <class T = QWidget>
T* Control(QWidget* parent, const char* name)
{
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    if (!found) {
        std::fprintf(stderr, "screenshots: no control %s\n", name);
        std::exit(1);
    }
    return found;
}

void Save(QWidget* widget, const char* file)
{
    QApplication::processEvents();
    const QString path = QDir(g_folder).filePath(QString::fromLatin1(file));
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "screenshots: cannot write %s\n", qPrintable(path));
        ++g_failures;
    } else {
        std::printf("%s\n", qPrintable(path));
    }
}

// Runs `act` on the modal window as soon as it is open, then opens it by `open`.
void WithModal(const std::function<void()>& open, const std::function<void(QWidget*)>& act)
{
    std::function<void()> poll;
    poll = [&] {
        if (QWidget* modal = QApplication::activeModalWidget())
            act(modal);
        else
            QTimer::singleShot(10, poll);
    };
    QTimer::singleShot(10, poll);
    open();
}

void Set(QWidget* window, const char* name, const QString& text) { Control<QLineEdit>(window, name)->setText(text); }

void Pick(QWidget* window, const char* name, int item) { Control<RadioGroup>(window, name)->setItemIndex(item); }

void FillSampleCard(TFrmGn& window)
{
    Set(&window, "Ed_opf", QStringLiteral("ООО"));
    Set(&window, "Ed_name", QStringLiteral("Ромашка"));
    Set(&window, "Ed_inn", QStringLiteral("7707083893"));
    Set(&window, "Ed_doljn", QStringLiteral("Директор"));
    Set(&window, "Ed_fio", QStringLiteral("Иванов Иван Иванович"));
    Control<QComboBox>(&window, "CombRn")->setCurrentIndex(2);
    Set(&window, "Ed_np", QStringLiteral("г. Нальчик"));
    Set(&window, "Ed_adr", QStringLiteral("360000, ул. Лесная, д. 7"));
    Pick(&window, "RGrpSot", 1);
    Set(&window, "EdYear", QStringLiteral("2026"));
    Pick(&window, "RGrpPeriod", 1);
    Set(&window, "Edsrsp", QStringLiteral("120"));
    Set(&window, "Ed1den", QStringLiteral("1"));
    Set(&window, "Eddney", QStringLiteral("12"));
    Set(&window, "EdSredstv", QStringLiteral("150,5"));
    Pick(&window, "RGRpDog", 1);
    Set(&window, "EdNomDatUR", QStringLiteral("№ 5 от 01.02.2026"));
    Pick(&window, "RGrpKomissia", 1);
    Pick(&window, "RGrpOcenka", 1);
    Set(&window, "EdNPrikaza", QStringLiteral("17-к"));
    Control<QDateEdit>(&window, "DTPrikaza")->setDate(QDate(2026, 3, 5));
    for (int i = 0; i < card::kWorkplaceCountTotal; ++i)
        Set(&window, card::WorkplaceControlName(i).c_str(), QString::number(i % 10 == 0 ? 12 : (i % 5 == 0 ? 3 : 0)));
    Set(&window, "EdEduc", QStringLiteral("15"));
}

// Adds a contact through the contact dialog, as a user does.
void AddContact(TFrmGn& window, int type, const QString& data)
{
    WithModal([&] { Control<QPushButton>(&window, "BitBtn1")->click(); },
              [&](QWidget* dialog) {
                  Control<QComboBox>(dialog, "ComBTypeK")->setCurrentIndex(type);
                  Control<QLineEdit>(dialog, "EdKontakt")->setText(data);
                  Control<QPushButton>(dialog, "BtnOK")->click();
              });
}

void AddEmployee(TFrmGn& window, const QString& position, const QString& name, const QString& number)
{
    WithModal([&] { Control<QPushButton>(&window, "BtnAddSotr")->click(); },
              [&](QWidget* dialog) {
                  Control<QLineEdit>(dialog, "EdDoljn")->setText(position);
                  Control<QLineEdit>(dialog, "EdFIO")->setText(name);
                  Control<QLineEdit>(dialog, "EDNUd")->setText(number);
                  Control<QDateEdit>(dialog, "DTUd")->setDate(QDate(2025, 6, 3));
                  Control<QLineEdit>(dialog, "EdOrg")->setText(QStringLiteral("Учебный центр «Охрана труда»"));
                  Control<QPushButton>(dialog, "BtnOk")->click();
              });
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots <folder>\n");
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_folder);
    SetUpRussianApplication(app, QString::fromUtf8(card::kAppTitle));
    QtMessages boxes;
    card::setMessages(&boxes);
    InstallClassifierPicker();

    TFrmGn::setProgramFile(QStringLiteral(UNRA5_CARD_EXE));
    TFrmGn window;
    window.show();
    QApplication::processEvents();
    FillSampleCard(window);

    // The picker, opened from the activity-code field, with a code searched by its digits.
    const CodeTarget code{Control<QLineEdit>(&window, "Ed_okved"), Control<QLabel>(&window, "lbl_okv")};
    WithModal([&] { OpenClassifierPicker(&window, code); },
              [&](QWidget* picker) {
                  Control<QRadioButton>(picker, "rgrp_okv_kds_1")->click();
                  QApplication::processEvents();
                  auto* search = Control<QLineEdit>(picker, "edt_eh_locate");
                  search->setFocus();
                  search->setText(QStringLiteral("10.71"));
                  QApplication::processEvents();
                  Save(picker, "picker.png");
                  Control<QPushButton>(picker, "bitbtn_Ok")->click();
              });

    AddContact(window, 0, QStringLiteral("+7 8662 40-00-00"));
    AddContact(window, 2, QStringLiteral("romashka@example.ru"));
    window.pages()->setCurrentIndex(1);
    AddEmployee(window, QStringLiteral("Специалист по охране труда"), QStringLiteral("Петрова Анна Сергеевна"),
                QStringLiteral("112"));

    const char* pages[] = {"page-enterprise.png",    "page-service.png",       "page-state.png",  "page-class-1-2.png",
                           "page-class-3-1-3-2.png", "page-class-3-3-3-4.png", "page-class-4.png"};
    for (int i = 0; i < 7; ++i) {
        window.pages()->setCurrentIndex(i);
        Control<QPushButton>(&window, "BtnSavePr")->setFocus();
        Save(&window, pages[i]);
    }

    window.pages()->setCurrentIndex(0);
    WithModal([&] { Control<QPushButton>(&window, "BitBtn1")->click(); },
              [&](QWidget* dialog) {
                  Control<QComboBox>(dialog, "ComBTypeK")->setCurrentIndex(1);
                  Control<QLineEdit>(dialog, "EdKontakt")->setText(QStringLiteral("+7 8662 40-00-01"));
                  Save(dialog, "dialog-contact.png");
                  Control<QPushButton>(dialog, "BtnClose")->click();
              });
    window.pages()->setCurrentIndex(1);
    WithModal([&] { Control<QPushButton>(&window, "BtnAddSotr")->click(); },
              [&](QWidget* dialog) {
                  Control<QLineEdit>(dialog, "EdDoljn")->setText(QStringLiteral("Инженер по охране труда"));
                  Control<QLineEdit>(dialog, "EdFIO")->setText(QStringLiteral("Сидоров Пётр Ильич"));
                  Control<QLineEdit>(dialog, "EDNUd")->setText(QStringLiteral("57"));
                  Control<QDateEdit>(dialog, "DTUd")->setDate(QDate(2024, 11, 20));
                  Control<QLineEdit>(dialog, "EdOrg")->setText(QStringLiteral("Учебный центр «Охрана труда»"));
                  Save(dialog, "dialog-staff.png");
                  Control<QPushButton>(dialog, "BtnClose")->click();
              });

    card::setMessages(nullptr);
    return g_failures == 0 ? 0 : 1;
}
