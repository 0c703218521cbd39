#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <set>

#include "card/card_file_store.h"
#include "card_samples.h"
#include "support/dialogue_recorder.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

namespace {

using Step = FaultyFileSystem::Step;
using sample::Bytes;

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

std::string Repeated(const std::string& letter, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += letter;
    return text;
}

// --- File names -----------------------------------------------------------------

struct NameCase {
    int district;
    std::string org;
    int year;
    int period;
    std::string fileName;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.fileName; }

class CardFileNameOf : public testing::TestWithParam<NameCase> {};

TEST_P(CardFileNameOf, JoinsDistrictNameYearAndPeriod)
{
    const NameCase& c = GetParam();
    card::CardFileStore store;
    store.card().setInt32("DistrictCode", c.district);
    store.card().setText("OrgName", c.org);
    store.card().setInt32("ReportYear", c.year);
    store.card().setByte("ReportPeriod", static_cast<std::uint8_t>(c.period));
    EXPECT_EQ(store.CardFileName(), c.fileName);
}

INSTANTIATE_TEST_SUITE_P(
    CardFileStore, CardFileNameOf,
    testing::Values(
        NameCase{3, "Vavaraze ruvudoz ediruzor", 2014, 0, "3_Vavaraze ruvudoz ediruzor_2014_1 полугодие .crd"},
        NameCase{7, "ООО \"Ромашка\"", 2015, 1, "7_ООО Ромашка_2015_Годовой.crd"},
        NameCase{0, "\"\"A.B. ", -1, 1, "0_A.B. _-1_Годовой.crd"}, NameCase{13, "X", 2020, 9, "13_X_2020_Годовой.crd"},
        // The name as stored (250 characters), fitted to the platform's 255
        // units for one name: bytes of UTF-8 on Linux, UTF-16 units on Windows.
        NameCase{1, std::string(260, 'n'), 2014, 1,
                 "1_" + std::string(kWindows ? 236 : 229, 'n') + "_2014_Годовой.crd"},
        // Two bytes a letter: 229 bytes of room take 114 whole letters.
        NameCase{3, Repeated("Я", 160), 2014, 1, "3_" + Repeated("Я", kWindows ? 160 : 114) + "_2014_Годовой.crd"},
        NameCase{3, "n" + Repeated("Я", 160), 2014, 0,
                 "3_n" + Repeated("Я", kWindows ? 160 : 110) + "_2014_1 полугодие .crd"}));

TEST(CardFileStoreName, StoredNameKeepsItsQuotes)
{
    card::CardFileStore store;
    store.card().setText("OrgName", "ООО \"Ромашка\"");
    EXPECT_EQ(store.card().text("OrgName"), "ООО \"Ромашка\"");
}

// --- Reading: accepted and refused files -------------------------------------------

struct ReadCase {
    const char* what;
    std::function<Bytes()> file;
    bool accepted;
    std::vector<std::string> messages;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.what; }

Bytes WithByte(Bytes b, int at, unsigned char value)
{
    b[at] = value;
    return b;
}

Bytes Padded(Bytes b, std::size_t size, unsigned char fill)
{
    b.resize(size, fill);
    return b;
}

class ReadCardFileOf : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadCardFileOf, AcceptsOrRefusesWithItsMessage)
{
    TempFolder folder;
    DialogueRecorder boxes;
    TempFolder::writeFile("in.crd", GetParam().file());
    card::CardFileStore store;
    EXPECT_EQ(boxes.show(store.ReadCardFile("in.crd")), GetParam().accepted);
    EXPECT_EQ(boxes.texts(), GetParam().messages);
    for (const auto& m : boxes.shown)
        EXPECT_EQ(m.kind, RecordedMessage::Info);
}

const std::string kLoadFailed = "Ошибка загрузки карточи предприятия! ";
const std::string kV1 = "Загружен файл карточки версии 1!";
const std::string kNotACard = "Файл НЕ ЯВЛЯЕТСЯ карточкой предприятия!!";
const std::string kWrongVersion = "Неверная версия файла!";

INSTANTIATE_TEST_SUITE_P(
    CardFileStore, ReadCardFileOf,
    testing::Values(
        ReadCase{"version2", [] { return sample::FileBytes(); }, true, {}},
        ReadCase{"longerThan14400", [] { return Padded(sample::FileBytes(), 15000, 0x77); }, true, {}},
        ReadCase{"exactly14288", [] { return sample::FileBytes(14288); }, true, {kV1}},
        ReadCase{"bytes14399", [] { return Padded(sample::FileBytes(14288), 14399, 0x55); }, true, {kV1}},
        ReadCase{"bytes14287", [] { return Padded(sample::FileBytes(14288), 14287, 0); }, false, {kLoadFailed}},
        ReadCase{"bytes100", [] { return Bytes(100, 0x41); }, false, {kLoadFailed}},
        ReadCase{"empty", [] { return Bytes(); }, false, {kLoadFailed}},
        ReadCase{"wrongSignatureLetter", [] { return WithByte(sample::FileBytes(), 5, 0xC0); }, false, {kNotACard}},
        ReadCase{"signatureTooShort", [] { return WithByte(sample::FileBytes(), 1, 19); }, false, {kNotACard}},
        // A stored length above 20 is cut to 20 before comparing.
        ReadCase{"signatureLengthAbove20", [] { return WithByte(sample::FileBytes(), 1, 21); }, true, {}},
        ReadCase{"zeros14400", [] { return Bytes(14400, 0); }, false, {kNotACard}},
        ReadCase{"versionByte1", [] { return WithByte(sample::FileBytes(), 0, 1); }, false, {kWrongVersion}},
        ReadCase{"versionByte3", [] { return WithByte(sample::FileBytes(), 0, 3); }, false, {kWrongVersion}}),
    [](const auto& info) { return std::string(info.param.what); });

class CardFileStoreTest : public testing::Test {
protected:
    // A card with the sample values, as the save command leaves it.
    void fillSample()
    {
        store.clearCard();
        sample::SetThroughAccessors(store.card());
    }

    TempFolder folder;
    DialogueRecorder boxes;
    FaultyFileSystem files;
    card::CardFileStore store{files};
};

TEST_F(CardFileStoreTest, MissingFileEndsTheCommandWithFileNotFound)
{
    try {
        boxes.show(store.ReadCardFile("missing.crd"));
        FAIL() << "no error";
    } catch (const card::FileError& e) {
        EXPECT_EQ(e.code(), card::kFileNotFound);
        EXPECT_STREQ(e.what(), "File not found");
        EXPECT_EQ(card::ErrorDisplayText(e.what()), "File not found.");
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(CardFileStoreTest, FolderInsteadOfFileIsAccessDenied)
{
    std::filesystem::create_directory("dir.crd");
    try {
        boxes.show(store.ReadCardFile("dir.crd"));
        FAIL() << "no error";
    } catch (const card::FileError& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(CardFileStoreTest, ReadOpensTheFileForReadingOnly)
{
    TempFolder::writeFile("in.crd", sample::FileBytes());
    std::filesystem::permissions("in.crd", std::filesystem::perms::owner_read);
    ASSERT_TRUE(boxes.show(store.ReadCardFile("in.crd")));
    EXPECT_EQ(files.calls, (std::vector<std::string>{"openForReading in.crd", "read", "close"}));

    // A version-1 card is judged by the same one read, never by a second
    // opening that could meet a different file.
    files.calls.clear();
    TempFolder::writeFile("v1.crd", sample::FileBytes(14288));
    ASSERT_TRUE(boxes.show(store.ReadCardFile("v1.crd")));
    EXPECT_EQ(files.calls, (std::vector<std::string>{"openForReading v1.crd", "read", "close"}));
}

TEST_F(CardFileStoreTest, ReadStartsFromZeroedRecords)
{
    store.card().setByteAt(14300, 0x99);
    store.cardV1().setByteAt(100, 0x99);
    TempFolder::writeFile("v1.crd", sample::FileBytes(14288));
    ASSERT_TRUE(boxes.show(store.ReadCardFile("v1.crd")));
    EXPECT_EQ(store.card().byteAt(14300), 0);

    TempFolder::writeFile("v2.crd", sample::FileBytes());
    ASSERT_TRUE(boxes.show(store.ReadCardFile("v2.crd")));
    EXPECT_EQ(store.cardV1(), card::TCardRecV1{});
}

TEST_F(CardFileStoreTest, OpenFailureEndsTheCommand)
{
    TempFolder::writeFile("in.crd", sample::FileBytes());
    files.failAt(Step::OpenForReading, card::kTooManyOpenFiles);
    EXPECT_THROW(
        try { boxes.show(store.ReadCardFile("in.crd")); } catch (const card::FileError& e) {
            EXPECT_STREQ(e.what(), "Too many open files");
            throw;
        },
        card::FileError);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(CardFileStoreTest, FailedReadEndsInTheLoadMessage)
{
    // Neither a version-2 card nor a version-1 one is taken from a failed read.
    for (const int size : {14400, 14288}) {
        boxes.clear();
        TempFolder::writeFile("in.crd", sample::FileBytes(size));
        files.failAt(Step::Read, 5);
        EXPECT_FALSE(boxes.show(store.ReadCardFile("in.crd")));
        EXPECT_EQ(boxes.texts(), std::vector<std::string>{kLoadFailed});
    }
}

TEST_F(CardFileStoreTest, CloseFailureAfterAFullReadEndsTheCommand)
{
    TempFolder::writeFile("in.crd", sample::FileBytes());
    files.failAt(Step::Close, 29);
    try {
        boxes.show(store.ReadCardFile("in.crd"));
        FAIL() << "no error";
    } catch (const card::FileError& e) {
        EXPECT_STREQ(e.what(), "I/O error 29");
    }
}

// --- Writing -----------------------------------------------------------------------

TEST_F(CardFileStoreTest, WriteReplacesAnEarlierCardAndLeavesNothingElse)
{
    store.card().setText("OrgName", "first");
    store.WriteCardFile("a.crd");
    fillSample();
    store.WriteCardFile("a.crd");
    EXPECT_EQ(TempFolder::readFile("a.crd"), sample::FileBytes());
    EXPECT_EQ(folder.entries(), std::set<std::string>{"a.crd"});
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(CardFileStoreTest, WriteGoesThroughASyncedTemporaryFileInTheSameFolder)
{
    store.WriteCardFile("a.crd");
    ASSERT_EQ(files.calls.size(), 7u);
    EXPECT_EQ(files.calls[0], "linkTarget a.crd");
    EXPECT_TRUE(files.calls[1].starts_with("createNew "));
    const std::string temp = files.calls[1].substr(10);
    EXPECT_EQ(temp.find('/'), std::string::npos);
    EXPECT_EQ(files.calls[2], "write");
    EXPECT_EQ(files.calls[3], "syncToDisk");
    EXPECT_EQ(files.calls[4], "close");
    EXPECT_EQ(files.calls[5], "replace " + temp + " a.crd");
    EXPECT_EQ(files.calls[6], "listFiles ~unra5-card-*");
}

TEST_F(CardFileStoreTest, ATemporaryNameInUseIsSkipped)
{
    store.WriteCardFile("a.crd");
    const std::string temp = files.calls[1].substr(10);
    TempFolder::writeFile(temp, {1, 2, 3});
    fillSample();
    store.WriteCardFile("a.crd");
    EXPECT_EQ(TempFolder::readFile(temp), (Bytes{1, 2, 3}));
    EXPECT_EQ(TempFolder::readFile("a.crd"), sample::FileBytes());
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"a.crd", temp}));
}

TEST_F(CardFileStoreTest, LeftoverTemporariesNeitherBlockASaveNorOutliveADay)
{
    // What crashed saves of earlier versions left: every name they tried.
    std::set<std::string> kept{"a.crd", "~other.tmp"};
    for (int i = 0; i < 100; ++i)
        TempFolder::writeFile("~unra5-card-" + std::to_string(i) + ".tmp", {1});
    TempFolder::writeFile("~other.tmp", {1});
    const auto twoDaysAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
    for (int i = 0; i < 100; ++i) {
        const std::string name = "~unra5-card-" + std::to_string(i) + ".tmp";
        if (i % 2 == 0)
            std::filesystem::last_write_time(name, twoDaysAgo);
        else
            kept.insert(name);
    }
    std::filesystem::last_write_time("~other.tmp", twoDaysAgo);

    std::set<std::string> temps;
    for (int save = 0; save < 2; ++save) {
        files.calls.clear();
        store.WriteCardFile("a.crd");
        temps.insert(files.calls[1]);
    }
    EXPECT_EQ(temps.size(), 2u) << "temporary names repeat";
    EXPECT_EQ(folder.entries(), kept);
}

TEST_F(CardFileStoreTest, ClearCardZeroesTheWorkingCard)
{
    fillSample();
    store.clearCard();
    EXPECT_EQ(store.card(), card::TCardRec{});
}

struct Fault {
    Step step;
    int code;
    const char* text;
};

void PrintTo(const Fault& f, std::ostream* os) { *os << "step " << static_cast<int>(f.step) << ": " << f.text; }

class FailedSave : public CardFileStoreTest, public testing::WithParamInterface<Fault> {};

TEST_P(FailedSave, KeepsTheEarlierCardAndLeavesNoTemporaryFile)
{
    fillSample();
    store.WriteCardFile("card.crd");
    const Bytes earlier = TempFolder::readFile("card.crd");

    store.clearCard();
    store.card().setText("OrgName", "newer");
    files.failAt(GetParam().step, GetParam().code);
    try {
        store.WriteCardFile("card.crd");
        FAIL() << "no error";
    } catch (const card::FileError& e) {
        EXPECT_EQ(e.what(), std::string(GetParam().text));
    }
    EXPECT_EQ(TempFolder::readFile("card.crd"), earlier);
    EXPECT_EQ(folder.entries(), std::set<std::string>{"card.crd"});
    EXPECT_TRUE(boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(CardFileStore, FailedSave,
                         testing::Values(Fault{Step::CreateNew, card::kFileAccessDenied, "File access denied"},
                                         Fault{Step::Write, card::kDiskFull, "Disk full"},
                                         Fault{Step::SyncToDisk, 5, "File access denied"},
                                         Fault{Step::Close, 112, "I/O error 112"},
                                         Fault{Step::Replace, card::kFileAccessDenied, "File access denied"}));

TEST_F(CardFileStoreTest, SaveOverAFolderFailsAndLeavesItAsItWas)
{
    std::filesystem::create_directory("card.crd");
    TempFolder::writeFile("card.crd/inside", {7});
    try {
        store.WriteCardFile("card.crd");
        FAIL() << "no error";
    } catch (const card::FileError& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
    EXPECT_EQ(folder.entries(), std::set<std::string>{"card.crd"});
    EXPECT_EQ(TempFolder::readFile("card.crd/inside"), Bytes{7});
}

TEST_F(CardFileStoreTest, OverlongNameFailsWithoutLeavingAFile)
{
    const std::string name = "3_" + std::string(250, 'x') + "_2014_Годовой.crd";
    try {
        store.WriteCardFile(name);
        FAIL() << "no error";
    } catch (const card::FileError& e) {
#ifndef _WIN32
        // Windows file systems report this case in more than one way.
        EXPECT_STREQ(e.what(), "Invalid filename");
#endif
    }
    EXPECT_TRUE(folder.entries().empty());
}

class ForbiddenName : public CardFileStoreTest, public testing::WithParamInterface<std::string> {};

TEST_P(ForbiddenName, IsRefusedBeforeTouchingTheDisk)
{
    try {
        store.WriteCardFile(GetParam());
        FAIL() << "no error";
    } catch (const card::FileError& e) {
        EXPECT_EQ(e.code(), card::kInvalidFilename);
        EXPECT_EQ(card::ErrorDisplayText(e.what()), "Invalid filename.");
    }
    EXPECT_TRUE(files.calls.empty());
    EXPECT_TRUE(folder.entries().empty());
}

INSTANTIATE_TEST_SUITE_P(CardFileStore, ForbiddenName,
                         testing::Values("3_a/../../x_2014_Годовой.crd", "3_a\\b_2014_Годовой.crd", "3_/tmp/x.crd",
                                         "3_C:x_2014_Годовой.crd", "3_x*_2014.crd", "3_x?_2014.crd", "3_\"x\"_2014.crd",
                                         "3_<x>_2014.crd", "3_x|y_2014.crd", "3_x\ty_2014.crd",
                                         std::string("3_x\x01y.crd"), "3_x\ny.crd", "", ".", ".."));

// --- File error texts ----------------------------------------------------------------

struct ErrorText {
    int code;
    const char* text;
};

void PrintTo(const ErrorText& e, std::ostream* os) { *os << e.code; }

class FileErrorTextOf : public testing::TestWithParam<ErrorText> {};

TEST_P(FileErrorTextOf, NamesTheCode) { EXPECT_EQ(card::FileErrorText(GetParam().code), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(CardFileStore, FileErrorTextOf,
                         testing::Values(ErrorText{2, "File not found"}, ErrorText{3, "Invalid filename"},
                                         ErrorText{4, "Too many open files"}, ErrorText{5, "File access denied"},
                                         ErrorText{100, "Read beyond end of file"}, ErrorText{101, "Disk full"},
                                         ErrorText{106, "Invalid numeric input"}, ErrorText{32, "I/O error 32"},
                                         ErrorText{1, "I/O error 1"}));

TEST(FileErrorUnlisted, ShowsTheSystemNumberEvenWhereItMatchesACode)
{
    EXPECT_STREQ(card::FileError::Unlisted(5).what(), "I/O error 5");
}

} // namespace
