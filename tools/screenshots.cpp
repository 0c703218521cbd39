// The pictures of the user guide: a sample card is filled through the real
// window's controls, saved with the window's own "Сохранить" (so the guide
// never shows a card the program would refuse), then each page, the
// classifier picker, both entry dialogs and the first sheet of the printed
// card are written as PNG files.
//
//   screenshots <folder>      (QT_QPA_PLATFORM=offscreen, as make screenshots runs it)
//   screenshots <folder> <cards folder>
//                             the sample card is saved into the cards folder too
//                             (the Windows pictures show it there)
//
// The printed sheet is the saved card's PDF turned into a picture by
// poppler's pdftoppm; where that program is missing (the Windows build run
// under Wine) the sheet is left out with a note.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "card/card_file_store.h"
#include "card/outcome.h"
#include "card/workplace_counts.h"
#include "classifier/picker_hook.h"
#include "print/card_print.h"
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

// The sample enterprise: a made-up bakery in Nalchik reporting for the year
// the pictures are taken in, as its own labour-protection engineer would
// fill the card. Dates in it lie before the report, counted from its year.
//
// INN 0725039171: tax office 0725, record 03917, check digit 1. The check
// (card/inn.cpp, a legal entity's ten digits): the first nine digits times
// the weights 2 4 10 3 5 9 4 6 8 are 0·2 + 7·4 + 2·10 + 5·3 + 0·5 + 3·9 +
// 9·4 + 1·6 + 7·8 = 0 + 28 + 20 + 15 + 0 + 27 + 36 + 6 + 56 = 188;
// 188 mod 11 = 1 (11·17 = 187), 1 mod 10 = 1, the tenth digit.
struct Contact {
    int type; // item of the contact dialog's type list: Телефон, Факс, Электронная почта, Сайт
    const char* data;
};
const Contact kContacts[] = {
    {0, "+7 (8662) 42-17-35"},
    {1, "+7 (8662) 42-17-36"},
    {2, "ot@hlebny-dvor.example"},
};

// Both certificates date from the year before the report.
struct Employee {
    const char* position;
    const char* name;
    const char* certificate;
    int month;
    int day;
};
const Employee kStaff[] = {
    {"Специалист по охране труда", "Тхамокова Марина Хасановна", "147", 3, 12},
    {"Инженер по охране труда", "Бжахов Руслан Анатольевич", "1052", 10, 15},
};
constexpr char kTrainingCentre[] = "Учебный центр «Охрана труда», г. Нальчик";

// Workplaces assessed, per class: ВСЕГО then В ОТЧЕТНОМ ПЕРИОДЕ, each
// workplaces, workers, of them women, under 18, disabled. 86 on the staff:
// 82 work at assessed workplaces (52 + 24 + 6); in the report year five new
// workplaces were assessed (a second shift at the ovens), which dates the
// last assessment's order in that year.
struct ClassCounts {
    int classIndex; // 0 = class 1 ... 6 = class 4
    int counts[card::kWorkplaceSideCount][card::kWorkplaceQuantityCount];
};
const ClassCounts kWorkplaceCounts[] = {
    {1, {{38, 52, 30, 0, 1}, {4, 5, 3, 0, 0}}}, // class 2: shop, office, store
    {2, {{9, 24, 8, 0, 0}, {1, 3, 1, 0, 0}}},   // class 3.1: dough and ovens (heat)
    {3, {{2, 6, 0, 0, 0}, {0, 0, 0, 0, 0}}},    // class 3.2: flour store (dust)
};

int ReportYear() { return QDate::currentDate().year(); }

// A date of the report year or one before it; never after today, so a
// picture taken early in a year shows no date still to come.
QDate BeforeReport(int yearsBefore, int month, int day)
{
    return std::min(QDate(ReportYear() - yearsBefore, month, day), QDate::currentDate());
}

void FillEnterprise(TFrmGn& window)
{
    Set(&window, "Ed_opf", QStringLiteral("ООО"));
    Set(&window, "Ed_inn", QStringLiteral("0725039171"));
    Set(&window, "Ed_name", QStringLiteral("Хлебный двор"));
    Set(&window, "Ed_doljn", QStringLiteral("Генеральный директор"));
    Set(&window, "Ed_fio", QStringLiteral("Шогенов Аслан Мухамедович"));
    Control<QComboBox>(&window, "CombRn")->setCurrentIndex(0); // Г. НАЛЬЧИК
    Set(&window, "Ed_np", QStringLiteral("г. Нальчик"));
    Set(&window, "Ed_adr", QStringLiteral("360004, ул. Кирова, д. 124"));
}

// One injury in the year, 14 days off work, nobody killed.
void FillState(TFrmGn& window)
{
    Set(&window, "EdYear", QString::number(ReportYear()));
    Pick(&window, "RGrpPeriod", 1); // Годовой
    Set(&window, "Edsrsp", QStringLiteral("86"));
    Set(&window, "Ed1den", QStringLiteral("1"));
    Set(&window, "Ed1den_Dead", QStringLiteral("0"));
    Set(&window, "Eddney", QStringLiteral("14"));
    Set(&window, "EdSredstv", QStringLiteral("412,5"));
    Pick(&window, "RGRpDog", 1);
    Set(&window, "EdNomDatUR",
        QStringLiteral("№ 38 от %1").arg(BeforeReport(1, 3, 14).toString(QStringLiteral("dd.MM.yyyy"))));
    Pick(&window, "RGrpUlutshenie", 1);
    Pick(&window, "RGrpAttRuk", 1);
    Pick(&window, "RGrpKomissia", 1);
    Pick(&window, "RGrpKabOT", 0);
    Pick(&window, "RGrpOcenka", 1);
    Control<QDateEdit>(&window, "DTPrikaza")->setDate(BeforeReport(0, 4, 20));
    Pick(&window, "RGrpExpertiza", 0);
}

void FillWorkplaces(TFrmGn& window)
{
    for (int i = 0; i < card::kWorkplaceCountTotal; ++i)
        Set(&window, card::WorkplaceControlName(i).c_str(), QStringLiteral("0"));
    for (const ClassCounts& row : kWorkplaceCounts)
        for (int side = 0; side < card::kWorkplaceSideCount; ++side)
            for (int quantity = 0; quantity < card::kWorkplaceQuantityCount; ++quantity)
                Set(&window, card::WorkplaceControlName(row.classIndex, side, quantity).c_str(),
                    QString::number(row.counts[side][quantity]));
    Set(&window, "EdEduc", QStringLiteral("31"));
}

// Adds a contact through the contact dialog, as a user does; `picture`
// names the PNG of the filled dialog, or is null.
void AddContact(TFrmGn& window, const Contact& contact, const char* picture)
{
    WithModal([&] { Control<QPushButton>(&window, "BitBtn1")->click(); },
              [&](QWidget* dialog) {
                  Control<QComboBox>(dialog, "ComBTypeK")->setCurrentIndex(contact.type);
                  Control<QLineEdit>(dialog, "EdKontakt")->setText(QString::fromUtf8(contact.data));
                  if (picture)
                      Save(dialog, picture);
                  Control<QPushButton>(dialog, "BtnOK")->click();
              });
}

void AddEmployee(TFrmGn& window, const Employee& employee, const char* picture)
{
    WithModal([&] { Control<QPushButton>(&window, "BtnAddSotr")->click(); },
              [&](QWidget* dialog) {
                  Control<QLineEdit>(dialog, "EdDoljn")->setText(QString::fromUtf8(employee.position));
                  Control<QLineEdit>(dialog, "EdFIO")->setText(QString::fromUtf8(employee.name));
                  Control<QLineEdit>(dialog, "EDNUd")->setText(QString::fromUtf8(employee.certificate));
                  Control<QDateEdit>(dialog, "DTUd")->setDate(BeforeReport(1, employee.month, employee.day));
                  Control<QLineEdit>(dialog, "EdOrg")->setText(QString::fromUtf8(kTrainingCentre));
                  // The narrow fields show their texts from the start.
                  for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
                      edit->setCursorPosition(0);
                  if (picture)
                      Save(dialog, picture);
                  Control<QPushButton>(dialog, "BtnOk")->click();
              });
}

// What the program says while the sample card is saved, kept instead of shown.
class SaveMessages final : public MessageBoxes {
public:
    void info(const std::string& text) override { said.push_back(text); }
    card::Answer confirm(const std::string& question, card::Answer) override
    {
        said.push_back(question);
        return card::Answer::No;
    }
    void error(const std::string& text) override { said.push_back(text); }

    std::vector<std::string> said;
};

// Presses "Сохранить" with the card folder `folder` current and returns the
// name of the card file written, or an empty string after saying why not.
std::string SaveSampleCard(TFrmGn& window, const QString& folder)
{
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder);
    SaveMessages said;
    MessageBoxes* boxes = SetBoxes(&said);
    Control<QPushButton>(&window, "BtnSavePr")->click();
    SetBoxes(boxes);
    QDir::setCurrent(before);

    const std::string saved = "Сохранен файл: \n\r";
    if (said.said.size() == 1 && said.said[0].starts_with(saved))
        return said.said[0].substr(saved.size());
    std::fprintf(stderr, "screenshots: the sample card was not saved:\n");
    for (const std::string& text : said.said)
        std::fprintf(stderr, "  %s\n", text.c_str());
    return {};
}

// The first sheet of the saved card as printed, from the file itself.
void SavePrintedSheet(const QString& cardFile, const QString& scratch)
{
    card::CardFileStore store;
    if (!store.ReadCardFile(cardFile.toStdString()).accepted) {
        std::fprintf(stderr, "screenshots: the saved card does not load again\n");
        ++g_failures;
        return;
    }
    const QString pdf = QDir(scratch).filePath(QStringLiteral("card.pdf"));
    const CardPrintInfo info{QString::fromUtf8(card::kAppTitle), QStringLiteral(UNRA5_VERSION), QDate::currentDate()};
    if (!WriteCardPdf(store.card(), info, pdf)) {
        std::fprintf(stderr, "screenshots: cannot write %s\n", qPrintable(pdf));
        ++g_failures;
        return;
    }
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) {
#ifdef _WIN32
        std::fprintf(stderr, "screenshots: no pdftoppm here, card-print.png left out\n");
#else
        std::fprintf(stderr, "screenshots: pdftoppm (poppler-utils) is missing\n");
        ++g_failures;
#endif
        return;
    }
    const QString sheet = QDir(g_folder).filePath(QStringLiteral("card-print"));
    const int rc = QProcess::execute(pdftoppm,
                                     {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
                                      QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                      QStringLiteral("1"), QStringLiteral("-singlefile"), pdf, sheet});
    if (rc != 0) {
        std::fprintf(stderr, "screenshots: pdftoppm failed (%d)\n", rc);
        ++g_failures;
        return;
    }
    std::printf("%s.png\n", qPrintable(sheet));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: screenshots <folder> [cards folder]\n");
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_folder);
    SetUpRussianApplication(app, QString::fromUtf8(card::kAppTitle));
    QtMessages boxes;
    SetBoxes(&boxes);
    InstallClassifierPicker();

    TFrmGn::setProgramFile(QStringLiteral(UNRA5_CARD_EXE));
    TFrmGn window;
    window.show();
    QApplication::processEvents();
    FillEnterprise(window);

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

    AddContact(window, kContacts[0], nullptr);
    AddContact(window, kContacts[1], nullptr);
    AddContact(window, kContacts[2], "dialog-contact.png");
    window.pages()->setCurrentIndex(1);
    Pick(&window, "RGrpSot", 1);
    AddEmployee(window, kStaff[0], nullptr);
    AddEmployee(window, kStaff[1], "dialog-staff.png");
    FillState(window);
    FillWorkplaces(window);

    QTemporaryDir scratch;
    const std::string saved = scratch.isValid() ? SaveSampleCard(window, scratch.path()) : std::string();
    if (saved.empty())
        return 1;
    std::printf("the sample card saves as %s\n", saved.c_str());
    if (argc == 3 && SaveSampleCard(window, QString::fromLocal8Bit(argv[2])).empty())
        return 1;

    const char* pages[] = {"page-enterprise.png",    "page-service.png",       "page-state.png",  "page-class-1-2.png",
                           "page-class-3-1-3-2.png", "page-class-3-3-3-4.png", "page-class-4.png"};
    for (int i = 0; i < 7; ++i) {
        window.pages()->setCurrentIndex(i);
        Control<QPushButton>(&window, "BtnSavePr")->setFocus();
        Save(&window, pages[i]);
    }
    SavePrintedSheet(QDir(scratch.path()).filePath(QString::fromStdString(saved)), scratch.path());

    SetBoxes(nullptr);
    return g_failures == 0 ? 0 : 1;
}
