// Finding the card files: a file reached by more than one path, a cancel
// during the search, and what a cancelled reading reports.
#include <gtest/gtest.h>

#include <atomic>
#include <set>

#include "card/utf8_path.h"
#include "register/register_reader.h"
#include "register/register_summary.h"
#include "register_cards.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) { return card::Utf8FromPath(path); }

// Folders named twice or one inside another, a link and a hard link to a card
// of the tree: every card is one row, no card is its own repeat; a missing
// folder named twice is one refused row.
TEST(RegisterReader, FileReachedByManyPathsIsReadOnce)
{
    TempFolder folder;
    const fs::path root = folder.path() / "cards";
    regtest::WriteCard(root / regtest::U8Path("1_Ромашка.crd"), regtest::GoodCard("Ромашка", "7707083893"));
    regtest::WriteCard(root / "2014" / regtest::U8Path("2_Берёзка.crd"), regtest::GoodCard("Берёзка", "500100732259"));
    fs::create_hard_link(root / "2014" / regtest::U8Path("2_Берёзка.crd"),
                         root / "2014" / regtest::U8Path("копия.crd"));
#ifndef _WIN32 // links need a privilege on Windows
    fs::create_symlink(regtest::U8Path("1_Ромашка.crd"), root / regtest::U8Path("ссылка.crd"));
#endif
    const std::string cards = Utf8(root);
    const std::string year = Utf8(root / "2014");
    const std::string missing = Utf8(folder.path() / "нет");
    struct Case {
        std::vector<std::string> folders;
        std::string prefix; // of the shown names
    };
    const Case cases[] = {
        {{cards}, ""},
        {{cards, year}, cards + "/"},
        {{year, cards}, cards + "/"},
        {{cards, cards, missing, missing}, cards + "/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.folders));
        const std::vector<reg::RegisterRow> rows = reg::ReadRegister(c.folders, 2);
        std::multiset<std::string> files;
        std::multiset<std::string> refused;
        for (const reg::RegisterRow& row : rows) {
            EXPECT_EQ(row.repeatFiles, 0) << row.file;
            (row.read() ? files : refused).insert(row.file);
        }
        EXPECT_EQ(files, (std::multiset<std::string>{c.prefix + "1_Ромашка.crd", c.prefix + "2014/2_Берёзка.crd"}));
        EXPECT_EQ(refused,
                  c.folders.back() == missing ? std::multiset<std::string>{missing} : std::multiset<std::string>{});
    }
}

// A cancel reaches the search for files: it stops at once and says that
// not every file was found.
TEST(RegisterReader, CancelStopsTheSearchForFiles)
{
    TempFolder folder;
    for (int i = 0; i < 20; ++i)
        regtest::WriteCard(folder.path() / ("район" + std::to_string(i % 4)) / (std::to_string(i) + ".crd"),
                           regtest::GoodCard("Ромашка", "7707083893"));
    const std::vector<std::string> folders = {Utf8(folder.path())};
    std::atomic<bool> cancel{false};
    reg::FoundFiles found = reg::FindCardFiles(folders, cancel);
    EXPECT_EQ(found.cards.size(), 20u);
    EXPECT_FALSE(found.cancelled);

    cancel = true;
    found = reg::FindCardFiles(folders, cancel);
    EXPECT_TRUE(found.cards.empty());
    EXPECT_TRUE(found.unreadable.empty());
    EXPECT_TRUE(found.cancelled);
}

TEST(RegisterSummary, CancelledReadingSaysWhatItLeftOut)
{
    struct Case {
        std::size_t skipped;
        std::size_t found;
        bool allFound;
        const char* note;
    };
    const Case cases[] = {
        {0, 120, true, ""}, // every file was read before the cancel took effect
        {1, 120, true, "чтение отменено: пропущен 1 файл из 120"},
        {3, 120, true, "чтение отменено: пропущено 3 файла из 120"},
        {11, 120, true, "чтение отменено: пропущено 11 файлов из 120"},
        {21, 120, true, "чтение отменено: пропущен 21 файл из 120"},
        {112, 1000, true, "чтение отменено: пропущено 112 файлов из 1000"},
        {0, 0, false, "чтение отменено при поиске файлов"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(reg::CancelledReadingNote(c.skipped, c.found, c.allFound), c.note) << c.skipped;
}

} // namespace
