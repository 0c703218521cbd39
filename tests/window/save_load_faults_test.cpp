// Faults of the file system met by "Сохранить" and "Загрузить" through the
// real window. Every case shows its message in the error display (or, for a
// read-only card, loads normally), leaves the earlier card file byte for byte
// as it was and nothing new in the folder, and a save and a load after it work.
//
// Each case names the condition it uses:
//   real  the operating system fails the call itself. Where root would get
//         past permission bits (CI runs the tests as root), the click runs
//         with the thread's file user switched to an ordinary one
//         (OrdinaryFileUser).
//   seam  the window's card file store is given a FaultyFileSystem that fails
//         one call: for conditions a test cannot make for real, such as a
//         full disk.
// On Windows the real conditions are Windows ones: read-only attributes and a
// card another program holds open.
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "card/card_commands.h"
#include "card/file_error.h"
#include "support/faulty_file_system.h"
#ifndef _WIN32
#include "support/ordinary_file_user.h"
#endif
#include "support/temp_folder.h"
#include "support/under_wine.h"
#include "support/window_fixture.h"
#include "widgets/okved_source.h"
#include "widgets/radio_group.h"
#include "window/card_file_dialog.h"

namespace {

namespace fs = std::filesystem;
using Shown = std::vector<RecordedMessage>;
using Bytes = std::vector<unsigned char>;
using Step = FaultyFileSystem::Step;

const std::string kName = "Ромашка";
const std::string kEarlier = "3_Ромашка_2014_Годовой.crd";
const std::string kSavedMessage = "Сохранен файл: \n\r" + kEarlier;

RecordedMessage Error(const char* text) { return {RecordedMessage::Error, text}; }

// Everything in a folder: each file's bytes, nullopt for a folder.
using Snapshot = std::map<std::string, std::optional<Bytes>>;

Snapshot SnapshotOf(const fs::path& folder)
{
    Snapshot snapshot;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = TempFolder::Utf8(entry.path().filename());
        snapshot[name]
            = entry.is_directory() ? std::nullopt : std::optional(TempFolder::readFile(TempFolder::Utf8(entry.path())));
    }
    return snapshot;
}

#ifdef _WIN32
std::wstring Wide(const std::string& utf8) { return TempFolder::Path(utf8).wstring(); }

void SetReadOnly(const std::string& path, bool readOnly)
{
    SetFileAttributesW(Wide(path).c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

// The file held open as another program may hold it: reading and writing
// shared, deleting and renaming over it not.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path)
        : handle_(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~HeldOpen()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};
#else
// A limit on the size of files this process writes, with the signal that
// would end the process ignored, so that a write past it fails with EFBIG.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};
#endif

enum class Command { Save, Load };

struct FaultCase {
    const char* name;
    // "real: ..." or "seam: ..."; see the top of this file.
    const char* condition;
    Command command;
    Shown shown;
    // Sets the condition up before the folder is photographed.
    std::function<void()> arrange;
    // Runs the click; wraps it in a condition that must not outlive it.
    std::function<void(const std::function<void()>& click)> during;
    // Undoes the condition, so that the program can be seen to go on.
    std::function<void()> restore;
    // Why Wine cannot make the condition, where it cannot: the case is
    // skipped there with this reason.
    const char* notUnderWine = nullptr;
};

} // namespace

class SaveLoadFaultsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempFolder> folder;
    std::unique_ptr<ShownMainWindow> w;
    FaultyFileSystem faulty;
    std::string chosen;                  // what the replaced file-open dialog returns
    std::function<void()> whileChoosing; // runs inside the dialog, after the choice
    std::set<std::string> removedWhileChoosing;

    template <class T>
    T* find(const char* name) const
    {
        return w->require<T>(name);
    }
    QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
    void set(const char* name, const std::string& text) { edit(name)->setText(QString::fromStdString(text)); }

    // A card that passes every check of the save command.
    void fillCard()
    {
        set("Ed_opf", "ООО");
        set("Ed_inn", "7707083893");
        set("Ed_name", kName);
        set("Ed_okved", "01.11.11");
        SetOkvedSource(edit("Ed_okved"), 2);
        find<QLabel>("lbl_okv")->setText(QStringLiteral("Использован КДЕС2"));
        set("Ed_doljn", "Директор");
        set("Ed_fio", "Иванов Иван Иванович");
        find<QComboBox>("CombRn")->setCurrentIndex(2);
        set("Ed_np", "г. Нальчик");
        set("Ed_adr", "360000, ул. Лесная, д. 7");
        set("EdYear", "2014");
        find<RadioGroup>("RGrpPeriod")->setItemIndex(1);
        for (const char* indicator : {"Edsrsp", "Ed1den", "Ed1den_Dead", "Eddney"})
            set(indicator, "7");
    }

    void save() { QTest::mouseClick(find<QPushButton>("BtnSavePr"), Qt::LeftButton); }
    void load(const std::string& path)
    {
        chosen = path;
        QTest::mouseClick(find<QPushButton>("BtnLoadPr"), Qt::LeftButton);
    }
    std::string inFolder(const std::string& name) const
    {
        return TempFolder::Utf8(folder->path() / TempFolder::Path(name));
    }

    void useSeam(Step step, int code)
    {
        faulty.failAt(step, code);
        w->window->store().useFileSystem(faulty);
    }
    void useRealFiles() { w->window->store().useFileSystem(card::RealFileSystem()); }

#ifndef _WIN32
    static void asOrdinaryUser(const std::function<void()>& click)
    {
        OrdinaryFileUser user;
        QVERIFY2(user.bitsApply(), "could not switch the file user");
        click();
    }
#endif
    static void plainly(const std::function<void()>& click) { click(); }

    std::vector<FaultCase> cases()
    {
        const std::string other = "3_Лютик_2014_Годовой.crd";
        std::vector<FaultCase> all = {
            {"disk full while writing",
             "seam: the write of the new card fails with code 101",
             Command::Save,
             {Error("Disk full.")},
             [this] { useSeam(Step::Write, card::kDiskFull); },
             plainly,
             [this] { useRealFiles(); }},
            {"disk full when flushing",
             "seam: the flush to disk fails with code 101",
             Command::Save,
             {Error("Disk full.")},
             [this] { useSeam(Step::SyncToDisk, card::kDiskFull); },
             plainly,
             [this] { useRealFiles(); }},
            {"folder in the card's place",
             "real: a folder holds the new card's name",
             Command::Save,
             {Error("File access denied.")},
             [this, other] {
                 fs::create_directory(TempFolder::Path(other));
                 TempFolder::writeFile(other + "/inside", {7});
                 set("Ed_name", "Лютик");
             },
             plainly,
             [] {}},
            {"file vanishes after choosing",
             "real: the chosen file is deleted before the command reads it",
             Command::Load,
             {Error("File not found.")},
             [this] {
                 fs::copy_file(TempFolder::Path(kEarlier), "vanishing.crd");
                 set("Ed_name", "Не тронуто");
                 chosen = inFolder("vanishing.crd");
                 whileChoosing = [this] {
                     fs::remove(TempFolder::Path(chosen));
                     removedWhileChoosing.insert("vanishing.crd");
                 };
             },
             plainly,
             [] {}},
            // Typing and pasting drop these characters from the name; a card
            // loaded with them shows its name as it is.
            {"loaded name with a slash",
             "real: no fault injected; the store refuses the name before any file call",
             Command::Save,
             {Error("Invalid filename.")},
             [this] { set("Ed_name", "Ромашка/Лютик"); },
             plainly,
             [] {}},
            {"loaded name with a colon",
             "real: no fault injected; the store refuses the name (Windows forbids ':') before any file call",
             Command::Save,
             {Error("Invalid filename.")},
             [this] { set("Ed_name", "Ромашка: филиал"); },
             plainly,
             [] {}},
        };
#ifdef _WIN32
        std::vector<FaultCase> system = {
            {"read-only card file",
             "real: the card file has the read-only attribute; the card loads",
             Command::Load,
             {},
             [this] {
                 SetReadOnly(kEarlier, true);
                 set("Ed_name", "Не тронуто");
                 chosen = inFolder(kEarlier);
             },
             plainly,
             [] { SetReadOnly(kEarlier, false); }},
            {"saving over a read-only card",
             "real: the card file has the read-only attribute; the replace fails",
             Command::Save,
             {Error("File access denied.")},
             [] { SetReadOnly(kEarlier, true); },
             plainly,
             [] { SetReadOnly(kEarlier, false); },
             "Wine replaces a read-only file, where Windows refuses with ERROR_ACCESS_DENIED"},
            {"card held open by another program",
             "real: the card is open without delete sharing while the click runs; the replace fails",
             Command::Save,
             {Error("File access denied.")},
             []{},
             [](const std::function<void()>& click) {
                 HeldOpen held(kEarlier);
                 QVERIFY(held.isOpen());
                 click();
             },
             [] {}},
        };
#else
        std::vector<FaultCase> system = {
            {"file size limit mid-write",
             "real: RLIMIT_FSIZE below a card's size; the write stops part-way, then fails with EFBIG",
             Command::Save,
             {Error("Disk full.")},
             [] {},
             [](const std::function<void()>& click) {
                 FileSizeLimit limit(4096);
                 click();
             },
             [] {}},
            {"current folder deleted",
             "real: the current folder is removed while the program runs",
             Command::Save,
             {Error("Invalid filename.")},
             [this] {
                 fs::create_directory("gone");
                 fs::current_path("gone");
                 fs::remove(folder->path() / "gone");
             },
             plainly,
             [this] { fs::current_path(folder->path()); }},
            {"read-only folder",
             "real: the current folder is r-x for everyone, the click runs as an ordinary user",
             Command::Save,
             {Error("File access denied.")},
             [this] { fs::permissions(folder->path(), fs::perms(0555)); },
             asOrdinaryUser,
             [this] { fs::permissions(folder->path(), fs::perms(0755)); }},
            {"read-only card file",
             "real: the card file is r--r--r--, the click runs as an ordinary user; the card loads",
             Command::Load,
             {},
             [this] {
                 fs::permissions(folder->path(), fs::perms(0755));
                 fs::permissions(kEarlier, fs::perms(0444));
                 set("Ed_name", "Не тронуто");
                 chosen = inFolder(kEarlier);
             },
             asOrdinaryUser,
             [] { fs::permissions(kEarlier, fs::perms(0644)); }},
        };
#endif
        all.insert(all.end(), system.begin(), system.end());
        return all;
    }

private slots:
    void initTestCase()
    {
        SetCardFileChooser([this](QWidget*) {
            if (whileChoosing)
                whileChoosing();
            return QString::fromStdString(chosen);
        });
    }
    void cleanupTestCase() { SetCardFileChooser({}); }
    void init()
    {
        folder = std::make_unique<TempFolder>();
        w = std::make_unique<ShownMainWindow>();
        faulty.failAt(Step::None, 0);
        chosen.clear();
        whileChoosing = nullptr;
        removedWhileChoosing.clear();
    }
    void cleanup()
    {
        w.reset();
        if (folder)
            fs::permissions(folder->path(), fs::perms(0755));
        folder.reset();
    }

    void faultEndsTheCommandAndSparesTheEarlierCard_data()
    {
        QTest::addColumn<int>("index");
        const std::vector<FaultCase> all = cases();
        for (std::size_t i = 0; i < all.size(); ++i)
            QTest::newRow(all[i].name) << static_cast<int>(i);
    }
    void faultEndsTheCommandAndSparesTheEarlierCard()
    {
        QFETCH(int, index);
        const FaultCase fault = cases()[static_cast<std::size_t>(index)];
        qInfo("condition %s", fault.condition);
        if (fault.notUnderWine && UnderWine())
            QSKIP(fault.notUnderWine);

        fillCard();
        save();
        QCOMPARE(w->messages.texts(), std::vector<std::string>{kSavedMessage});
        w->messages.clear();
        const Bytes earlier = TempFolder::readFile(kEarlier);
        QCOMPARE(earlier.size(), std::size_t(14400));

        // The card a failed save would have written differs from the earlier
        // one; a load starts from the card just saved, so nothing is asked.
        if (fault.command == Command::Save)
            set("Edsrsp", "8");
        fault.arrange();
        const Snapshot before = SnapshotOf(folder->path());
        const QString nameBefore = edit("Ed_name")->text();
        Shown expectedShown = fault.shown;
        if (fault.command == Command::Load && nameBefore != QString::fromStdString(kName)) {
            // The arranged window differs from the saved card: loading asks first.
            w->messages.answers = {card::Answer::Yes};
            expectedShown.insert(expectedShown.begin(), {RecordedMessage::Confirm, card::kLoadUnsavedQuestion});
        }
        fault.during([&] {
            if (fault.command == Command::Save)
                save();
            else
                QTest::mouseClick(find<QPushButton>("BtnLoadPr"), Qt::LeftButton);
        });
        whileChoosing = nullptr;
        fault.restore();

        QCOMPARE(w->messages.shown, expectedShown);
        Snapshot expected = before;
        for (const std::string& name : removedWhileChoosing)
            expected.erase(name);
        QCOMPARE(SnapshotOf(folder->path()), expected);
        QCOMPARE(TempFolder::readFile(kEarlier), earlier);
        // A failed load leaves the window as it was; a read-only card loads.
        if (fault.command == Command::Load)
            QCOMPARE(edit("Ed_name")->text(), fault.shown.empty() ? QString::fromStdString(kName) : nameBefore);

        // The program goes on: a save and a load work.
        w->messages.clear();
        set("Ed_name", kName);
        save();
        QCOMPARE(w->messages.texts(), std::vector<std::string>{kSavedMessage});
        QCOMPARE(TempFolder::readFile(kEarlier).size(), std::size_t(14400));
        w->messages.clear();
        set("Ed_name", "Другое");
        w->messages.answers = {card::Answer::Yes};
        load(inFolder(kEarlier));
        QCOMPARE(w->messages.shown, (Shown{{RecordedMessage::Confirm, card::kLoadUnsavedQuestion}}));
        QCOMPARE(edit("Ed_name")->text(), QString::fromStdString(kName));
    }
};

QTEST_MAIN(SaveLoadFaultsTest)
#include "save_load_faults_test.moc"
