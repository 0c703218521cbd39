// The machine's own file calls under the card file store (no seam): the code
// each failure gets on this platform, and card names outside ASCII. The same
// tests run natively and, in the Windows build, under Wine.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "card/card_file_store.h"
#include "card/utf8_path.h"
#include "support/dialogue_recorder.h"
#include "support/temp_folder.h"
#include "support/under_wine.h"

namespace {

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

std::set<std::string> EntriesAsUtf8(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(card::Utf8FromPath(entry.path().filename()));
    return names;
}

struct OpenFailure {
    const char* what;
    std::string path;
    int code;
};

void PrintTo(const OpenFailure& c, std::ostream* os) { *os << c.what; }

class RealOpenFailure : public testing::TestWithParam<OpenFailure> {
protected:
    TempFolder folder;
};

TEST_P(RealOpenFailure, GivesThePlatformsFileErrorCode)
{
    try {
        card::RealFileSystem().openForReading(GetParam().path);
        FAIL() << "opened";
    } catch (const card::FileError& e) {
        EXPECT_EQ(e.code(), GetParam().code) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(PlatformFiles, RealOpenFailure,
                         testing::Values(OpenFailure{"missingFile", "absent.crd", card::kFileNotFound},
                                         // Windows answers "path not found"; POSIX cannot tell it from a missing file.
                                         OpenFailure{"pathThroughMissingFolder", "absent/card.crd",
                                                     kWindows ? card::kInvalidFilename : card::kFileNotFound},
                                         OpenFailure{"nameTooLong", std::string(300, 'n') + ".crd",
                                                     card::kInvalidFilename}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(PlatformFiles, CreatingThroughAMissingFolderIsAnInvalidFilename)
{
    TempFolder folder;
    try {
        card::RealFileSystem().createNew("absent/card.tmp");
        FAIL() << "created";
    } catch (const card::FileError& e) {
        EXPECT_EQ(e.code(), card::kInvalidFilename) << e.what();
    }
}

TEST(PlatformFiles, ReplaceSwapsTheCompleteFileInOneStep)
{
    TempFolder folder;
    TempFolder::writeFile("card.crd", {1, 1});
    TempFolder::writeFile("new.tmp", {2, 2, 2});
    card::RealFileSystem().replace("new.tmp", "card.crd");
    EXPECT_EQ(folder.entries(), std::set<std::string>{"card.crd"});
    EXPECT_EQ(TempFolder::readFile("card.crd"), (std::vector<unsigned char>{2, 2, 2}));
}

// The register reads a folder while the card program saves into it: a card
// held open by a reading is still replaced by a save, and the reading goes
// on with the card it opened.
TEST(PlatformFiles, CardHeldOpenForReadingIsReplacedBySave)
{
    TempFolder folder;
    DialogueRecorder boxes;
    card::CardFileStore store;
    card::SetFixedFields(store.card());
    store.card().setText("OrgName", "Ромашка");
    store.WriteCardFile("card.crd");
    const card::TCardRec first = store.card();

    const auto held = card::RealFileSystem().openForReading("card.crd");
    ASSERT_TRUE(held);
    if (UnderWine()) {
        // Wine refuses to rename over a file that is open, as Windows did
        // before its POSIX rename; what it does check is the reading's delete
        // sharing, without which the card could not even be moved aside.
        std::filesystem::rename("card.crd", "moved.crd");
        EXPECT_EQ(folder.entries(), std::set<std::string>{"moved.crd"});
        GTEST_SKIP() << "Wine does not rename over an open file";
    }
    store.card().setText("OrgName", "Берёзка");
    store.WriteCardFile("card.crd");

    card::TCardRec read;
    EXPECT_EQ(held->read(read.data(), card::kCardRecSize), std::size_t{card::kCardRecSize});
    EXPECT_EQ(read, first);
    card::CardFileStore loaded;
    ASSERT_TRUE(boxes.show(loaded.ReadCardFile("card.crd")));
    EXPECT_EQ(loaded.card(), store.card());
    EXPECT_EQ(folder.entries(), std::set<std::string>{"card.crd"});
    EXPECT_TRUE(boxes.texts().empty());
}

// The real card names: Cyrillic, spaces, a space before the extension.
TEST(PlatformFiles, CyrillicCardNameIsWrittenAndReadUnderThatName)
{
    TempFolder folder;
    DialogueRecorder boxes;
    const std::string name = "3_ООО Ромашка_2014_1 полугодие .crd";
    card::CardFileStore store;
    store.card().setText("OrgName", "ООО Ромашка");
    card::SetFixedFields(store.card());
    const card::TCardRec written = store.card();
    store.WriteCardFile(name);

    EXPECT_EQ(EntriesAsUtf8(folder.path()), std::set<std::string>{name});
    EXPECT_EQ(std::filesystem::file_size(folder.path() / card::PathFromUtf8(name)), std::uintmax_t{card::kCardRecSize});
    ASSERT_TRUE(boxes.show(store.ReadCardFile(name)));
    EXPECT_EQ(store.card(), written);
    EXPECT_TRUE(boxes.shown.empty());
}

// A pipe or a device chosen in the open dialog: refused at once, not waited on.
class NotARegularFile : public testing::TestWithParam<std::string> {
protected:
    TempFolder folder;
};

TEST_P(NotARegularFile, IsRefusedWithTheLoadMessage)
{
#ifndef _WIN32
    if (GetParam() == "pipe.crd") {
        ASSERT_EQ(::mkfifo("pipe.crd", 0600), 0);
    }
#endif
    DialogueRecorder boxes;
    card::CardFileStore store;
    EXPECT_FALSE(boxes.show(store.ReadCardFile(GetParam())));
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{card::kMsgLoadFailed});
}

INSTANTIATE_TEST_SUITE_P(PlatformFiles, NotARegularFile,
                         testing::ValuesIn(kWindows ? std::vector<std::string>{"NUL"}
                                                    : std::vector<std::string>{"pipe.crd", "/dev/zero"}));

// A card is saved into the current folder; with a long official name its
// path passes 260 characters, which Windows opens only in the path's long
// form. The card, its temporary file and the search for leftovers all go
// there. (Latin letters: under Wine a name is also held to 255 bytes.)
TEST(PlatformFiles, CardWhosePathPassesTheShortPathLimitSavesAndLoads)
{
    TempFolder folder;
    DialogueRecorder boxes;
    card::CardFileStore saved;
    card::SetFixedFields(saved.card());
    saved.card().setText("OrgName", std::string(220, 'A'));
    saved.card().setInt32("ReportYear", 2014);
    const std::string name = saved.CardFileName();
    ASSERT_GT(TempFolder::Utf8(folder.path()).size() + 1 + name.size(), 260u);

    saved.WriteCardFile(name);
    saved.WriteCardFile(name); // over the first: the replace takes the long form too
    card::CardFileStore loaded;
    ASSERT_TRUE(boxes.show(loaded.ReadCardFile(name)));
    EXPECT_TRUE(loaded.card() == saved.card());
    EXPECT_EQ(folder.entries(), std::set<std::string>{name});
    EXPECT_TRUE(boxes.texts().empty());
}

#ifndef _WIN32
TEST(PlatformFiles, SaveWritesThroughLinksAndKeepsThePermissionBits)
{
    namespace fs = std::filesystem;
    TempFolder folder;
    fs::create_directory("cards");
    TempFolder::writeFile("cards/real.crd", {1});
    fs::permissions("cards/real.crd", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.crd", "cards/link.crd"); // relative to its own folder
    fs::create_symlink("cards/link.crd", "card.crd");

    DialogueRecorder boxes;
    card::CardFileStore store;
    card::SetFixedFields(store.card());
    store.WriteCardFile("card.crd");

    EXPECT_TRUE(fs::is_symlink(fs::symlink_status("card.crd")));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status("cards/link.crd")));
    const std::vector<unsigned char> written(store.card().bytes().begin(), store.card().bytes().end());
    EXPECT_EQ(TempFolder::readFile("cards/real.crd"), written);
    EXPECT_EQ(fs::status("cards/real.crd").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(EntriesAsUtf8("cards"), (std::set<std::string>{"link.crd", "real.crd"}));
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"card.crd", "cards"}));
}
#endif

} // namespace
