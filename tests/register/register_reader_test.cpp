// Finding the card files: a file reached by more than one path.
#include <gtest/gtest.h>

#include <set>

#include "register/register_reader.h"
#include "register_cards.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Folders named twice or one inside another, a link and a hard link to a card
// of the tree: every card is one row, no card is its own repeat.
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
    struct Case {
        std::vector<std::string> folders;
        std::string prefix; // of the shown names
    };
    const Case cases[] = {
        {{cards}, ""},
        {{cards, year}, cards + "/"},
        {{year, cards}, cards + "/"},
        {{cards, cards}, cards + "/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.folders));
        const std::vector<reg::RegisterRow> rows = reg::ReadRegister(c.folders, 2);
        std::multiset<std::string> files;
        for (const reg::RegisterRow& row : rows) {
            EXPECT_TRUE(row.read()) << row.file;
            EXPECT_EQ(row.repeatFiles, 0) << row.file;
            files.insert(row.file);
        }
        EXPECT_EQ(files, (std::multiset<std::string>{c.prefix + "1_Ромашка.crd", c.prefix + "2014/2_Берёзка.crd"}));
    }
}

} // namespace
