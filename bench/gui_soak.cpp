// Soak of the main window on the platform it runs on (offscreen in
// `make soak`): many save/load cycles through the real buttons, then many
// openings of the classifier picker driven while open. Prints resident
// memory (VmRSS now, VmHWM peak, getrusage's maxrss) and the heap in use
// after a warm-up, along the way and at the end, and fails when either VmRSS
// or the heap in use has grown after the warm-up beyond what allocator noise
// explains.
//
//   gui_soak [cycles [openings]]     defaults 10000 and 1000
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include <malloc.h>
#include <sys/resource.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "card/card_record.h"
#include "card/entry_lists.h"
#include "card/workplace_counts.h"
#include "classifier/picker_hook.h"
#include "widgets/messages_qt.h"
#include "widgets/okved_source.h"
#include "widgets/radio_group.h"
#include "widgets/table_grid.h"
#include "window/card_file_dialog.h"
#include "window/main_window.h"

#if defined(__SANITIZE_ADDRESS__)
#define UNRA5_SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNRA5_SOAK_ASAN 1
#endif
#endif
#ifdef UNRA5_SOAK_ASAN
// From the sanitizer runtime (sanitizer/allocator_interface.h, which gcc does
// not install).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

#ifdef UNRA5_SOAK_ASAN
// AddressSanitizer keeps freed memory in its quarantine, so resident memory
// grows by design there: VmRSS is shown, not judged. Its allocator counts the
// bytes in use itself; leaks are LeakSanitizer's to report at exit.
constexpr bool kJudgeRss = false;
long HeapInUseKiB() { return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024); }
#else
constexpr bool kJudgeRss = true;
long HeapInUseKiB() { return static_cast<long>(::mallinfo2().uordblks / 1024); }
#endif

// Growth from the end of the warm-up to the end of a phase that still counts
// as noise: of VmRSS (pages come and go in whole arenas) and of the heap in
// use (exact, but the event loop keeps a few buffers of varying size).
constexpr long kRssNoiseKiB = 4 * 1024;
constexpr long kHeapNoiseKiB = 512;

struct Growth {
    long rssKiB = 0;
    long heapKiB = 0;
};

// The boxes of the program, counted instead of shown.
class CountedMessages final : public MessageBoxes {
public:
    void info(const std::string& text) override
    {
        last = text;
        ++infos;
    }
    card::Answer confirm(const std::string& text, card::Answer) override
    {
        last = text;
        ++confirms;
        return card::Answer::Yes;
    }
    void error(const std::string& text) override
    {
        last = text;
        ++errors;
    }
    long infos = 0, confirms = 0, errors = 0;
    std::string last;
};

struct Memory {
    long rssKiB = 0;       // VmRSS: resident now
    long hwmKiB = 0;       // VmHWM: peak resident
    long maxRssKiB = 0;    // getrusage
    long heapInUseKiB = 0; // allocated and not freed (malloc's own count)
};

Memory MemoryNow()
{
    Memory m;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            m.rssKiB = std::atol(line.c_str() + 6);
        else if (line.rfind("VmHWM:", 0) == 0)
            m.hwmKiB = std::atol(line.c_str() + 6);
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    m.maxRssKiB = usage.ru_maxrss;
    m.heapInUseKiB = HeapInUseKiB();
    return m;
}

void Print(const char* when, const Memory& m, double seconds)
{
    std::printf("%-28s VmRSS %6ld KiB  VmHWM %6ld KiB  maxrss %6ld KiB  heap %6ld KiB  %6.1f s\n", when, m.rssKiB,
                m.hwmKiB, m.maxRssKiB, m.heapInUseKiB, seconds);
    std::fflush(stdout);
}

// Lets pending events run, deferred deletions included, as the program's own
// event loop would between two user actions.
void Settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The offscreen platform warns at every dialog it shows that it cannot pass
// size hints on; thousands of those would bury the figures.
void QuietSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("propagateSizeHints")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "gui_soak: %s\n", what.c_str());
    std::exit(2);
}

class Soak {
public:
    Soak()
    {
        previousMessages_ = SetBoxes(&messages_);
        window_.show();
        Settle();
        for (const char* name : {"Ed_opf", "Ed_inn", "Ed_name", "Ed_okved", "Ed_doljn", "Ed_fio", "Ed_np", "Ed_adr",
                                 "EdYear", "Edsrsp", "Ed1den", "Ed1den_Dead", "Eddney", "EdEduc"})
            if (!window_.findChild<QLineEdit*>(QString::fromLatin1(name)))
                Fail(std::string("no control ") + name);
    }
    ~Soak() { SetBoxes(previousMessages_); }

    // Fill, "Сохранить", spoil a field, "Загрузить" the saved file; checks that
    // the saved values came back.
    void saveLoadCycle(int cycle)
    {
        fill(cycle);
        const int contacts = window_.lists().contacts.count();
        const int staff = window_.lists().staff.count();
        const long infosBefore = messages_.infos;
        QTest::mouseClick(button("BtnSavePr"), Qt::LeftButton);
        if (messages_.infos != infosBefore + 1 || messages_.errors != 0)
            Fail("save " + std::to_string(cycle) + " said: " + messages_.last);
        const std::string saved = messages_.last.substr(messages_.last.find('\r') + 1);

        edit("Ed_name")->clear();
        edit("Edsrsp")->clear();
        chosen_ = QDir::current().absoluteFilePath(QString::fromStdString(saved));
        QTest::mouseClick(button("BtnLoadPr"), Qt::LeftButton);
        if (messages_.infos != infosBefore + 1 || messages_.errors != 0)
            Fail("load " + std::to_string(cycle) + " said: " + messages_.last);
        if (edit("Edsrsp")->text() != QString::number(cycle) || edit("Ed_name")->text() != name(cycle)
            || window_.lists().contacts.count() != contacts || window_.lists().staff.count() != staff)
            Fail("load " + std::to_string(cycle) + " did not bring the card back");
        ++savesAndLoads_;
        Settle();
    }

    // Clicks the activity-code field, which opens the picker; while it is open
    // a few of its controls are used, then it is closed or a code accepted.
    void pickerOpening(int opening)
    {
        bool driven = false;
        QTimer::singleShot(0, [&] { drivePicker(opening, driven); });
        QTest::mouseClick(edit("Ed_okved"), Qt::LeftButton);
        if (!driven)
            Fail("opening " + std::to_string(opening) + " showed no picker");
        if (QApplication::activeModalWidget())
            Fail("opening " + std::to_string(opening) + " left the picker open");
        Settle();
    }

    long acceptedCodes = 0;
    long closedPickers = 0;
    long refusedHeadings() const { return messages_.infos - savesAndLoads_; }

    // Stands in for the file-open dialog: answers with the file just saved.
    CardFileChooser fileChooser()
    {
        return [this](QWidget*) { return chosen_; };
    }

private:
    QLineEdit* edit(const char* name) { return window_.findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QPushButton* button(const char* name) { return window_.findChild<QPushButton*>(QString::fromLatin1(name)); }
    template <class T>
    static T* child(QWidget* parent, const char* name)
    {
        return parent->findChild<T*>(QString::fromLatin1(name));
    }

    // A few names in turn, so that both new files and overwrites occur.
    static QString name(int cycle) { return QStringLiteral("Ромашка %1").arg(cycle % 7); }

    void fill(int cycle)
    {
        edit("Ed_opf")->setText(QStringLiteral("ООО"));
        edit("Ed_inn")->setText(QStringLiteral("7707083893"));
        edit("Ed_name")->setText(name(cycle));
        edit("Ed_okved")->setText(QStringLiteral("01.11.11"));
        SetOkvedSource(edit("Ed_okved"), 2);
        edit("Ed_doljn")->setText(QStringLiteral("Директор"));
        edit("Ed_fio")->setText(QStringLiteral("Иванов Иван Иванович %1").arg(cycle));
        window_.findChild<QComboBox*>(QStringLiteral("CombRn"))->setCurrentIndex(cycle % 10);
        edit("Ed_np")->setText(QStringLiteral("г. Нальчик"));
        edit("Ed_adr")->setText(QStringLiteral("360000, ул. Лесная, д. %1").arg(cycle));
        edit("EdYear")->setText(QStringLiteral("2014"));
        window_.findChild<RadioGroup*>(QStringLiteral("RGrpPeriod"))->setItemIndex(cycle % 2);
        edit("Edsrsp")->setText(QString::number(cycle));
        for (const char* indicator : {"Ed1den", "Ed1den_Dead", "Eddney", "EdEduc"})
            edit(indicator)->setText(QString::number(cycle % 13));
        for (int i = 0; i < card::kWorkplaceCountTotal; ++i)
            edit(card::WorkplaceControlName(i).c_str())
                ->setText(QString::number((i / 5) % 2 == 0 ? 1000 : cycle % 100));

        // The lists come back from each load; add one more entry while there
        // is room, and start again when they are full.
        card::EntryLists& lists = window_.lists();
        TableGrid contacts(window_.findChild<QTableWidget*>(QStringLiteral("StrGridKont")));
        TableGrid staff(window_.findChild<QTableWidget*>(QStringLiteral("StrGridSOT")));
        if (lists.contacts.beginAdd(lists.dialogMode))
            lists.contacts.accept(lists.dialogMode, {"Телефон", std::to_string(cycle)}, contacts);
        if (lists.staff.beginAdd(lists.dialogMode))
            lists.staff.accept(lists.dialogMode,
                               {"Инженер по ОТ", "Петров П. П.", std::to_string(cycle), "03.06.2014", "УЦ «Охрана»"},
                               staff);
        if (lists.contacts.count() == 11 || lists.staff.count() == 21) {
            lists.contacts.refillFromCard(card::TCardRec{}, contacts);
            lists.staff.refillFromCard(card::TCardRec{}, staff);
        }
        window_.findChild<RadioGroup*>(QStringLiteral("RGrpSot"))->setItemIndex(lists.staff.count() > 0 ? 1 : 0);
    }

    void drivePicker(int opening, bool& driven)
    {
        QWidget* picker = QApplication::activeModalWidget();
        if (!picker) {
            QTimer::singleShot(1, [&driven, opening, this] { drivePicker(opening, driven); });
            return;
        }
        driven = true;
        static const char* const kCodes[] = {"01", "0111", "4520", "99", "5", "8530"};
        if (opening % 2 == 1)
            for (QRadioButton* item : picker->findChildren<QRadioButton*>())
                if (item->text() != QStringLiteral("ОКВЭД"))
                    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
        QTest::keyClicks(child<QLineEdit>(picker, "edt_eh_locate"), kCodes[opening % 6]);
        for (const char* move : {"nbNext", "nbLast", "nbPrior", "nbFirst", "nbNext"})
            if (opening % 3 == 0 || move[2] == 'N')
                QTest::mouseClick(child<QToolButton>(picker, move), Qt::LeftButton);
        if (opening % 2 == 0)
            QTest::mouseClick(child<QPushButton>(picker, "bitbtn_Ok"), Qt::LeftButton);
        if (picker->isVisible()) { // not accepted, or a heading row was refused
            QTest::mouseClick(child<QPushButton>(picker, "bitbtn_close"), Qt::LeftButton);
            ++closedPickers;
        } else {
            ++acceptedCodes;
        }
    }

    CountedMessages messages_;
    MessageBoxes* previousMessages_ = nullptr;
    TFrmGn window_;
    QString chosen_;
    long savesAndLoads_ = 0; // each says "Сохранен файл" once
};

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs `step` `total` times; memory after the first `warmUp`, every `every`,
// and at the end. Returns the growth after the warm-up.
Growth Phase(const char* what, int total, int warmUp, int every, const std::function<void(int)>& step)
{
    const auto start = std::chrono::steady_clock::now();
    Memory afterWarmUp;
    for (int i = 0; i < total; ++i) {
        step(i);
        const int done = i + 1;
        if (done == warmUp) {
            afterWarmUp = MemoryNow();
            Print((std::string(what) + " " + std::to_string(done) + " (warm-up)").c_str(), afterWarmUp,
                  SecondsSince(start));
        } else if (done % every == 0 && done != total) {
            Print((std::string(what) + " " + std::to_string(done)).c_str(), MemoryNow(), SecondsSince(start));
        }
    }
    const double seconds = SecondsSince(start);
    const Memory end = MemoryNow();
    Print((std::string(what) + " " + std::to_string(total) + " (end)").c_str(), end, seconds);
    const Growth growth{end.rssKiB - afterWarmUp.rssKiB, end.heapInUseKiB - afterWarmUp.heapInUseKiB};
    std::printf("%s: %.1f s, %.2f ms each; after warm-up: VmRSS %+ld KiB, VmHWM %+ld KiB, heap %+ld KiB\n\n", what,
                seconds, 1000.0 * seconds / total, growth.rssKiB, end.hwmKiB - afterWarmUp.hwmKiB, growth.heapKiB);
    return growth;
}

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(QuietSizeHintWarnings);
    QApplication app(argc, argv);
    const int cycles = argc > 1 ? std::max(20, std::atoi(argv[1])) : 10000;
    const int openings = argc > 2 ? std::max(20, std::atoi(argv[2])) : 1000;

    QTemporaryDir folder;
    if (!folder.isValid())
        Fail("no temporary folder");
    QDir::setCurrent(folder.path());
    InstallClassifierPicker();

    Growth worst;
    const auto note = [&worst](Growth g) {
        worst.rssKiB = std::max(worst.rssKiB, g.rssKiB);
        worst.heapKiB = std::max(worst.heapKiB, g.heapKiB);
    };
    {
        Soak soak;
        SetCardFileChooser(soak.fileChooser());
        std::printf("platform %s, %d save/load cycles, %d picker openings, start: VmRSS %ld KiB\n\n",
                    qPrintable(QGuiApplication::platformName()), cycles, openings, MemoryNow().rssKiB);
        note(Phase("save/load", cycles, cycles / 10, cycles / 5, [&](int i) { soak.saveLoadCycle(i); }));
        note(Phase("picker", openings, openings / 10, openings / 5, [&](int i) { soak.pickerOpening(i); }));
        std::printf("picker: %ld codes accepted, %ld closed (%ld heading rows refused on the way)\n",
                    soak.acceptedCodes, soak.closedPickers, soak.refusedHeadings());
        SetCardFileChooser({});
    }
    Settle();
    const bool flat = (!kJudgeRss || worst.rssKiB <= kRssNoiseKiB) && worst.heapKiB <= kHeapNoiseKiB;
    std::printf("largest growth after warm-up: VmRSS %ld KiB (%s), heap %ld KiB (noise %ld): %s\n", worst.rssKiB,
                kJudgeRss ? ("noise " + std::to_string(kRssNoiseKiB)).c_str() : "not judged under AddressSanitizer",
                worst.heapKiB, kHeapNoiseKiB, flat ? "no growth" : "GROWTH");
    std::fflush(stdout);
    return flat ? 0 : 1;
}
