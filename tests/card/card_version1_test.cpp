#include <gtest/gtest.h>

#include "card/card_file_store.h"
#include "card/entry_lists.h"
#include "card_samples.h"
#include "support/dialogue_recorder.h"
#include "support/string_grid.h"
#include "support/temp_folder.h"

namespace {

using sample::Bytes;

const int kLegalForm = 28;
const int kOkvedCode = 330;
const int kContacts = 1056;
const int kStaff = 3279;

void PutText(Bytes& b, int at, int length, unsigned char fill)
{
    b[at] = static_cast<unsigned char>(length);
    for (int k = 1; k <= length && at + k < static_cast<int>(b.size()); ++k)
        b[at + k] = fill;
}

class Version1Card : public testing::Test {
protected:
    bool load(const Bytes& bytes)
    {
        TempFolder::writeFile("v1.crd", bytes);
        return boxes.show(store.ReadCardFile("v1.crd"));
    }

    TempFolder folder;
    DialogueRecorder boxes;
    card::CardFileStore store;
};

class Version1Size : public Version1Card, public testing::WithParamInterface<int> {};

TEST_P(Version1Size, LoadsWithItsMessageAndEveryValue)
{
    Bytes bytes = sample::FileBytes(14288);
    bytes.resize(GetParam(), 0x55);
    ASSERT_TRUE(load(bytes));
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Загружен файл карточки версии 1!"});
    sample::ExpectInCard(store.card(), /*skipVersionFields=*/true);
    EXPECT_EQ(store.card().byte("FormatVersion"), 2);
    EXPECT_TRUE(card::HasCardSignature(store.card()));
    EXPECT_EQ(store.card().byte("OkvedSource"), 0);
}

INSTANTIATE_TEST_SUITE_P(CardVersion1, Version1Size, testing::Values(14288, 14399));

TEST_F(Version1Card, FirstBytesPlayNoPart)
{
    ASSERT_TRUE(load(sample::FileBytes(14288, 0x00)));
    ASSERT_TRUE(load(sample::FileBytes(14288, 0xFF)));
    EXPECT_EQ(store.card().byte("FormatVersion"), 2);
}

TEST_F(Version1Card, OverlongStoredLengthsAreCut)
{
    Bytes bytes = sample::FileBytes(14288);
    PutText(bytes, kLegalForm, 60, 'L');
    PutText(bytes, kOkvedCode, 200, '7'); // runs into Inn's bytes; only 8 are taken
    PutText(bytes, kContacts, 150, 't');
    ASSERT_TRUE(load(bytes));
    EXPECT_EQ(store.card().text("LegalForm"), std::string(50, 'L'));
    EXPECT_EQ(store.card().text("OkvedCode"), std::string(8, '7'));
    EXPECT_EQ(store.card().slotText(card::Field("Contacts"), 0, 0), std::string(100, 't'));
    // Written back with lengths within their fields.
    EXPECT_EQ(store.card().byteAt(kLegalForm), 50);
    EXPECT_EQ(store.card().byteAt(kOkvedCode), 8);
}

TEST_F(Version1Card, SlotsWithAnEmptyFirstTextAreDropped)
{
    Bytes bytes = sample::FileBytes(14288);
    bytes[kContacts + 2 * 202] = 0; // contact 2: type emptied, data kept
    bytes[kStaff + 4 * 505] = 0;    // employee 4: position emptied, the rest kept
    ASSERT_TRUE(load(bytes));
    const auto& contacts = card::Field("Contacts");
    const auto& staff = card::Field("OtStaff");
    EXPECT_FALSE(store.card().slotUsed(contacts, 2));
    EXPECT_EQ(store.card().slotText(contacts, 2, 1), "");
    EXPECT_EQ(store.card().slotText(contacts, 3, 1), sample::SlotValue(3, 1));
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(store.card().slotText(staff, 4, c), "") << c;
    EXPECT_EQ(store.card().slotText(staff, 5, 4), sample::SlotValue(5, 4));
}

TEST_F(Version1Card, ThreeContactsCountThreeAndTheNextGoesToTheFourthSlot)
{
    Bytes bytes(14288, 0);
    for (int s = 0; s < 3; ++s)
        PutText(bytes, kContacts + s * 202, 3, static_cast<unsigned char>('a' + s));
    ASSERT_TRUE(load(bytes));

    card::EntryLists lists;
    StringGrid grid(12, 2);
    lists.contacts.refillFromCard(store.card(), grid);
    EXPECT_EQ(lists.contacts.count(), 3);
    ASSERT_TRUE(lists.contacts.beginAdd(lists.dialogMode));
    ASSERT_TRUE(lists.contacts.accept(lists.dialogMode, {"Факс", "123"}, grid));
    EXPECT_EQ(lists.contacts.slot(3)[0], "Факс");
    EXPECT_EQ(grid.cell(0, 4), "Факс");
}

TEST_F(Version1Card, SavedAgainIsANormalVersion2File)
{
    ASSERT_TRUE(load(sample::FileBytes(14288)));
    store.card().setByte("OkvedSource", 1); // a code chosen in the picker
    store.WriteCardFile("v2.crd");

    const Bytes written = TempFolder::readFile("v2.crd");
    ASSERT_EQ(written.size(), 14400u);
    EXPECT_EQ(written[0], 2);
    EXPECT_TRUE(
        std::equal(std::begin(sample::kSignatureBytes), std::end(sample::kSignatureBytes), written.begin() + 1));
    EXPECT_EQ(written[14288], 1);

    boxes.clear();
    card::CardFileStore again;
    ASSERT_TRUE(boxes.show(again.ReadCardFile("v2.crd")));
    EXPECT_TRUE(boxes.shown.empty());
    sample::ExpectInCard(again.card(), /*skipVersionFields=*/true);
}

} // namespace
