#include <gtest/gtest.h>

#include "card/card_file_store.h"
#include "card/district.h"
#include "card/workplace_counts.h"
#include "card_samples.h"
#include "support/dialogue_recorder.h"
#include "support/temp_folder.h"

namespace {

int ExpectedBytes(const expected::FieldAt& f)
{
    switch (f.kind) {
    case expected::Kind::Byte: return 1;
    case expected::Kind::Int32: return 4;
    case expected::Kind::Text: return f.n + 1;
    case expected::Kind::Contacts: return f.n * expected::kContactSlotBytes;
    case expected::Kind::Staff: return f.n * expected::kStaffSlotBytes;
    }
    return 0;
}

TEST(CardLayout, TableTilesTheRecordAndMatchesTheDocumentedFields)
{
    int next = 0;
    for (const card::CardField& f : card::CardFields()) {
        EXPECT_EQ(f.offset, next) << f.name;
        next = f.offset + f.byteSize();
        if (f.inVersion1) {
            EXPECT_LE(next, card::kCardRecV1Size) << f.name;
        }
    }
    EXPECT_EQ(next, card::kCardRecSize);

    for (const auto& f : expected::Fields()) {
        SCOPED_TRACE(f.name);
        const card::CardField& field = card::Field(f.name);
        EXPECT_EQ(field.offset, f.offset);
        EXPECT_EQ(field.byteSize(), ExpectedBytes(f));
        EXPECT_EQ(field.control, f.control);
        EXPECT_EQ(field.inVersion1, f.inVersion1);
    }
    for (int i = 0; i < 70; ++i) {
        const card::CardField& field = card::Field("WorkplaceCounts[" + std::to_string(i) + "]");
        EXPECT_EQ(field.offset, expected::kWorkplaceCountsOffset + 4 * i);
        EXPECT_EQ(field.control, card::WorkplaceControlName(i));
        EXPECT_EQ(field.conversion, card::Conversion::Int32Edit);
    }
    EXPECT_EQ(card::Field("AssessmentDate").shownWhenYes, "AssessmentCompleted");
    EXPECT_EQ(card::Field("ExpertiseDate").shownWhenYes, "ExpertiseDone");
    EXPECT_THROW(card::Field("NoSuchField"), std::out_of_range);
}

class CardFileBytes : public testing::Test {
protected:
    TempFolder folder;
    DialogueRecorder boxes;
    card::CardFileStore store;
};

TEST_F(CardFileBytes, EveryFieldLandsAtItsOffsetAndUncoveredBytesStayZero)
{
    sample::SetThroughAccessors(store.card());
    store.WriteCardFile("sample.crd");

    const sample::Bytes written = TempFolder::readFile("sample.crd");
    const sample::Bytes expectedBytes = sample::FileBytes();
    ASSERT_EQ(written.size(), 14400u);
    for (const auto& f : expected::Fields()) {
        const auto from = written.begin() + f.offset;
        const auto to = from + ExpectedBytes(f);
        EXPECT_TRUE(std::equal(from, to, expectedBytes.begin() + f.offset)) << f.name << " at " << f.offset;
    }
    for (int i = 0; i < 70; ++i) {
        const int at = expected::kWorkplaceCountsOffset + 4 * i;
        EXPECT_TRUE(std::equal(written.begin() + at, written.begin() + at + 4, expectedBytes.begin() + at))
            << "workplace count " << i;
    }
    for (const auto& range : expected::kUncovered)
        for (int at = range.from; at <= range.to; ++at)
            EXPECT_EQ(written[at], 0) << "byte " << at;
    EXPECT_EQ(written, expectedBytes);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(CardFileBytes, ReadingTheDocumentedBytesGivesEveryValue)
{
    TempFolder::writeFile("sample.crd", sample::FileBytes());
    ASSERT_TRUE(boxes.show(store.ReadCardFile("sample.crd")));
    EXPECT_TRUE(boxes.shown.empty());
    sample::ExpectInCard(store.card());
    EXPECT_TRUE(card::HasCardSignature(store.card()));
}

TEST_F(CardFileBytes, WrittenAndReadBackGivesTheSame14400Bytes)
{
    sample::SetThroughAccessors(store.card());
    store.card().setByteAt(22, 0x5A); // a gap byte travels unchanged too
    store.WriteCardFile("x.crd");
    card::CardFileStore other;
    ASSERT_TRUE(boxes.show(other.ReadCardFile("x.crd")));
    EXPECT_EQ(other.card(), store.card());
}

// --- Counted texts ------------------------------------------------------------

struct TextCase {
    const char* field;
    std::string stored;   // UTF-8 handed to setText
    std::string readBack; // UTF-8 that text() gives
    int lengthByte;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.field << " <- " << c.stored; }

class CountedText : public testing::TestWithParam<TextCase> {};

TEST_P(CountedText, IsCutToItsFieldAndStoredInWindows1251)
{
    const TextCase& c = GetParam();
    card::TCardRec rec;
    rec.setText(c.field, c.stored);
    EXPECT_EQ(rec.text(c.field), c.readBack);
    EXPECT_EQ(rec.byteAt(card::Field(c.field).offset), c.lengthByte);
}

INSTANTIATE_TEST_SUITE_P(
    CardLayout, CountedText,
    testing::Values(TextCase{"OtSpending", "123456789012", "1234567890", 10},
                    TextCase{"AgreementRegistration", std::string(35, 'r'), std::string(30, 'r'), 30},
                    TextCase{"OtSpending", "15,6", "15,6", 4},
                    // Cyrillic counts as one character each.
                    TextCase{"OkvedCode", "ЖЖЖЖЖЖЖЖЖЖ", "ЖЖЖЖЖЖЖЖ", 8},
                    // Characters Windows-1251 lacks become "?".
                    TextCase{"HeadName", "Zoë Łukasz 日本", "Zo? ?ukasz ??", 13},
                    TextCase{"HeadName", "№ «Ёлка» — €", "№ «Ёлка» — €", 12}, TextCase{"Inn", "", "", 0}));

TEST(CardLayoutText, StoredLengthAboveNReadsAsN)
{
    card::TCardRec rec;
    const int at = card::Field("LegalForm").offset;
    rec.setByteAt(at, 60);
    for (int k = 1; k <= 60; ++k)
        rec.setByteAt(at + k, 'A');
    EXPECT_EQ(rec.text("LegalForm"), std::string(50, 'A'));
}

TEST(CardLayoutText, ShorterTextLeavesTheBytesBehindIt)
{
    card::TCardRec rec;
    rec.setText("Inn", "123456789012");
    rec.setText("Inn", "77");
    const int at = card::Field("Inn").offset;
    EXPECT_EQ(rec.byteAt(at), 2);
    EXPECT_EQ(rec.byteAt(at + 3), '3');
    EXPECT_EQ(rec.text("Inn"), "77");
}

TEST(CardLayoutInt32, LittleEndianTwosComplement)
{
    card::TCardRec rec;
    rec.setInt32("ReportYear", -2);
    const int at = card::Field("ReportYear").offset;
    EXPECT_EQ(rec.byteAt(at), 0xFE);
    EXPECT_EQ(rec.byteAt(at + 3), 0xFF);
    rec.setInt32("ReportYear", 2014);
    EXPECT_EQ(rec.byteAt(at), 0xDE);
    EXPECT_EQ(rec.byteAt(at + 1), 0x07);
    EXPECT_EQ(rec.int32("ReportYear"), 2014);
    rec.setInt32("ReportYear", INT32_MIN);
    EXPECT_EQ(rec.int32("ReportYear"), INT32_MIN);
}

TEST(CardLayoutAccess, WrongKindAndMissingFieldAreRefused)
{
    card::TCardRec rec;
    EXPECT_THROW(rec.int32("OrgName"), std::logic_error);
    card::TCardRecV1 v1;
    EXPECT_THROW(v1.byte("OkvedSource"), std::out_of_range); // not in version 1
}

// --- District code ------------------------------------------------------------

struct DistrictCase {
    int index;
    int code;
};

void PrintTo(const DistrictCase& c, std::ostream* os) { *os << "index " << c.index << " code " << c.code; }

class DistrictStoring : public testing::TestWithParam<DistrictCase> {};
TEST_P(DistrictStoring, IndexGivesCode) { EXPECT_EQ(card::DistrictCodeFromIndex(GetParam().index), GetParam().code); }
INSTANTIATE_TEST_SUITE_P(District, DistrictStoring,
                         testing::Values(DistrictCase{-1, 0}, DistrictCase{0, 1}, DistrictCase{2, 3},
                                         DistrictCase{12, 13}, DistrictCase{13, 15}, DistrictCase{14, 16}));

class DistrictShowing : public testing::TestWithParam<DistrictCase> {};
TEST_P(DistrictShowing, CodeGivesIndex) { EXPECT_EQ(card::DistrictIndexFromCode(GetParam().code), GetParam().index); }
INSTANTIATE_TEST_SUITE_P(District, DistrictShowing,
                         testing::Values(DistrictCase{0, 1}, DistrictCase{12, 13}, DistrictCase{12, 14},
                                         DistrictCase{-1, 0}, DistrictCase{-1, 15}, DistrictCase{-1, -3},
                                         DistrictCase{-1, INT32_MIN}, DistrictCase{4, 5}));

} // namespace
