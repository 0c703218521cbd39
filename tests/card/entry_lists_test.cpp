#include <gtest/gtest.h>

#include "card/card_record.h"
#include "card/entry_lists.h"
#include "support/string_grid.h"

namespace {

using card::DialogMode;

// --- Behaviour shared by both lists ------------------------------------------------

template <typename List>
class AnyList : public testing::Test {
protected:
    static constexpr int kCap = List::kCapacity;
    static constexpr int kW = List::kWidth;

    typename List::Slot entry(const std::string& first)
    {
        typename List::Slot texts{};
        texts[0] = first;
        for (int c = 1; c < kW; ++c)
            texts[c] = first + "/" + std::to_string(c);
        return texts;
    }

    void add(const std::string& first)
    {
        ASSERT_TRUE(list.beginAdd(mode));
        ASSERT_TRUE(list.accept(mode, entry(first), grid));
    }

    List list;
    DialogMode mode = DialogMode::Edit;
    StringGrid grid{List::kCapacity + 1, List::kWidth};
};

using ListTypes = testing::Types<card::ContactList, card::SotrList>;
TYPED_TEST_SUITE(AnyList, ListTypes);

TYPED_TEST(AnyList, FullListRefusesAddWithoutTouchingAnySlot)
{
    for (int i = 0; i < this->kCap; ++i)
        this->add("e" + std::to_string(i));
    EXPECT_TRUE(this->list.isFull());
    EXPECT_FALSE(this->list.beginAdd(this->mode));
    EXPECT_EQ(this->mode, DialogMode::Add);

    // An accept in add mode reaching a full list (the dialog was already open).
    const auto before = this->list;
    EXPECT_FALSE(this->list.accept(DialogMode::Add, this->entry("extra"), this->grid));
    EXPECT_EQ(this->list.count(), this->kCap);
    for (int i = 0; i < this->kCap; ++i)
        EXPECT_EQ(this->list.slot(i), before.slot(i));

    // Rows 1 to capacity are filled; editing still works.
    EXPECT_EQ(this->grid.cell(0, this->kCap), "e" + std::to_string(this->kCap - 1));
    ASSERT_TRUE(this->list.beginEdit(this->kCap, this->mode));
    EXPECT_TRUE(this->list.accept(this->mode, this->entry("last"), this->grid));
    EXPECT_EQ(this->list.slot(this->kCap - 1)[0], "last");
    EXPECT_EQ(this->grid.cell(0, this->kCap), "last");
}

TYPED_TEST(AnyList, EditAndDeleteIgnoreRowsOfFreeSlots)
{
    this->add("one");
    this->mode = DialogMode::Add;
    EXPECT_FALSE(this->list.beginEdit(2, this->mode));
    EXPECT_EQ(this->mode, DialogMode::Edit);           // set even when no dialog opens
    EXPECT_FALSE(this->list.beginEdit(0, this->mode)); // the header row
    EXPECT_FALSE(this->list.beginEdit(this->kCap + 1, this->mode));
    EXPECT_FALSE(this->list.remove(2, this->grid));
    EXPECT_FALSE(this->list.remove(0, this->grid));
    EXPECT_FALSE(this->list.remove(this->kCap + 5, this->grid));
    EXPECT_EQ(this->list.count(), 1);
    EXPECT_EQ(this->list.editIndex(), 0);
}

TYPED_TEST(AnyList, TextsAreCutTo100Characters)
{
    this->add(std::string(120, 'x'));
    auto texts = this->entry("");
    for (int i = 0; i < 105; ++i)
        texts[0] += "Ж"; // characters, not bytes, are counted
    ASSERT_TRUE(this->list.beginAdd(this->mode));
    ASSERT_TRUE(this->list.accept(this->mode, texts, this->grid));
    EXPECT_EQ(this->list.slot(0)[0], std::string(100, 'x'));
    std::string hundred;
    for (int i = 0; i < 100; ++i)
        hundred += "Ж";
    EXPECT_EQ(this->list.slot(1)[0], hundred);
}

TYPED_TEST(AnyList, GridRowsBeyondTheGridAreNotShown)
{
    StringGrid small(3, this->kW);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(this->list.beginAdd(this->mode));
        ASSERT_TRUE(this->list.accept(this->mode, this->entry("e" + std::to_string(i)), small));
    }
    EXPECT_EQ(small.cell(0, 1), "e0");
    EXPECT_EQ(small.cell(0, 2), "e1");
}

TYPED_TEST(AnyList, ShowInGridClearsOldRows)
{
    this->add("a");
    this->add("b");
    this->grid.setCell(0, 5, "stale");
    ASSERT_TRUE(this->list.remove(1, this->grid));
    EXPECT_EQ(this->grid.cell(0, 1), "b");
    EXPECT_TRUE(this->grid.rowEmpty(2));
    EXPECT_TRUE(this->grid.rowEmpty(5));
    EXPECT_EQ(this->grid.row(0), std::vector<std::string>(this->kW)); // header row untouched
}

// --- Contacts -------------------------------------------------------------------------

class Contacts : public testing::Test {
protected:
    void add(const std::string& type, const std::string& data)
    {
        ASSERT_TRUE(lists.contacts.beginAdd(lists.dialogMode));
        ASSERT_TRUE(lists.contacts.accept(lists.dialogMode, {type, data}, grid));
    }

    card::EntryLists lists;
    StringGrid grid{12, 2};
};

TEST_F(Contacts, DeletingTheMiddleOfThreeClosesTheGap)
{
    add("Телефон", "1");
    add("Факс", "2");
    add("E-mail", "3");
    ASSERT_TRUE(lists.contacts.remove(2, grid));
    EXPECT_EQ(lists.contacts.count(), 2);
    EXPECT_EQ(lists.contacts.slot(1)[0], "E-mail");
    EXPECT_EQ(grid.row(1), (std::vector<std::string>{"Телефон", "1"}));
    EXPECT_EQ(grid.row(2), (std::vector<std::string>{"E-mail", "3"}));
    EXPECT_TRUE(grid.rowEmpty(3));
}

TEST_F(Contacts, EntryWithEmptyTypeKeepsItsDataUntilOverwritten)
{
    add("", "lonely data");
    EXPECT_EQ(lists.contacts.count(), 1);
    EXPECT_EQ(grid.cell(1, 1), "lonely data");
    EXPECT_FALSE(lists.contacts.beginEdit(1, lists.dialogMode));
    EXPECT_FALSE(lists.contacts.remove(1, grid));

    add("Телефон", "5");
    ASSERT_TRUE(lists.contacts.remove(2, grid));
    // Compaction gathered nothing: slot 0 still holds its data and shows it
    // (count 1, so rows 1 and 2 are written).
    EXPECT_EQ(lists.contacts.count(), 1);
    EXPECT_EQ(lists.contacts.slot(0)[1], "lonely data");
    EXPECT_EQ(grid.cell(1, 1), "lonely data");

    add("Факс", "6"); // goes to slot[count] = slot 1
    add("E-mail", "7");
    ASSERT_TRUE(lists.contacts.remove(2, grid));
    // Now the e-mail entry moved forward over slot 0.
    EXPECT_EQ(lists.contacts.slot(0), (card::ContactList::Slot{"E-mail", "7"}));
    EXPECT_EQ(lists.contacts.count(), 2);
}

TEST_F(Contacts, EditingTheTypeEmptyFreesTheSlot)
{
    add("Телефон", "1");
    add("Факс", "2");
    ASSERT_TRUE(lists.contacts.beginEdit(1, lists.dialogMode));
    EXPECT_EQ(lists.dialogMode, DialogMode::Edit);
    EXPECT_EQ(lists.contacts.editIndex(), 0);
    ASSERT_TRUE(lists.contacts.accept(lists.dialogMode, {"", "1"}, grid));
    EXPECT_EQ(lists.contacts.count(), 2);
    EXPECT_EQ(grid.row(1), (std::vector<std::string>{"", "1"}));
    EXPECT_FALSE(lists.contacts.beginEdit(1, lists.dialogMode));
    EXPECT_FALSE(lists.contacts.remove(1, grid));
}

TEST_F(Contacts, RefillCompactsTheCardsContacts)
{
    card::TCardRec rec;
    const auto& slots = card::Field("Contacts");
    rec.setSlotText(slots, 0, 0, "A");
    rec.setSlotText(slots, 3, 0, "B");
    rec.setSlotText(slots, 3, 1, "b");
    rec.setSlotText(slots, 7, 0, "C");
    rec.setSlotText(slots, 5, 1, "free slot data"); // not copied

    add("old", "entry");
    lists.contacts.refillFromCard(rec, grid);
    EXPECT_EQ(lists.contacts.count(), 3);
    EXPECT_EQ(lists.contacts.slot(0)[0], "A");
    EXPECT_EQ(lists.contacts.slot(1), (card::ContactList::Slot{"B", "b"}));
    EXPECT_EQ(lists.contacts.slot(2)[0], "C");
    for (int i = 3; i < 11; ++i)
        EXPECT_EQ(lists.contacts.slot(i), card::ContactList::Slot{}) << i;
    EXPECT_EQ(grid.cell(0, 3), "C");
    EXPECT_TRUE(grid.rowEmpty(4));
}

TEST_F(Contacts, StoreIntoCardCopiesFreeSlotsToo)
{
    add("", "kept data");
    add("Телефон", "1");
    card::TCardRec rec;
    rec.setSlotText(card::Field("Contacts"), 10, 0, "old card");
    lists.contacts.storeIntoCard(rec);
    const auto& slots = card::Field("Contacts");
    EXPECT_EQ(rec.slotText(slots, 0, 1), "kept data");
    EXPECT_FALSE(rec.slotUsed(slots, 0));
    EXPECT_EQ(rec.slotText(slots, 1, 0), "Телефон");
    EXPECT_EQ(rec.slotText(slots, 10, 0), ""); // the list's free slot 10 overwrites it

    // A later load does not count the entry with the empty type.
    card::EntryLists loaded;
    loaded.contacts.refillFromCard(rec, grid);
    EXPECT_EQ(loaded.contacts.count(), 1);
    EXPECT_EQ(loaded.contacts.slot(0)[0], "Телефон");
}

// --- Staff ------------------------------------------------------------------------------

class Staff : public testing::Test {
protected:
    card::SotrList::Slot employee(const std::string& position)
    {
        return {position, "ФИО " + position, "№1", "05.03.2014", "Орг"};
    }
    void add(const std::string& position)
    {
        ASSERT_TRUE(lists.staff.beginAdd(lists.dialogMode));
        ASSERT_TRUE(lists.staff.accept(lists.dialogMode, employee(position), grid));
    }
    card::TCardRec cardWithStaffIn(std::initializer_list<int> used)
    {
        card::TCardRec rec;
        for (int s : used)
            for (int c = 0; c < 5; ++c)
                rec.setSlotText(card::Field("OtStaff"), s, c, employee("p" + std::to_string(s))[c]);
        return rec;
    }

    card::EntryLists lists;
    StringGrid grid{22, 5};
};

TEST_F(Staff, RefillKeepsSlotIndexesAndShowsCountPlusOneRows)
{
    lists.staff.refillFromCard(cardWithStaffIn({0, 2}), grid);
    EXPECT_EQ(lists.staff.count(), 2);
    EXPECT_EQ(grid.cell(0, 1), "p0");
    EXPECT_TRUE(grid.rowEmpty(2));
    EXPECT_EQ(grid.cell(0, 3), "p2");
    EXPECT_EQ(grid.cell(4, 3), "Орг");

    ASSERT_TRUE(lists.staff.beginEdit(3, lists.dialogMode));
    EXPECT_EQ(lists.staff.editIndex(), 2);
    ASSERT_TRUE(lists.staff.remove(3, grid));
    EXPECT_EQ(lists.staff.count(), 1);
}

// A card whose staff has a gap beyond count: the employee behind the gap is
// shown, and adding fills the free slots without overwriting anybody.
TEST_F(Staff, AnEmployeeBehindAGapIsShownAndNeverOverwritten)
{
    lists.staff.refillFromCard(cardWithStaffIn({0, 3}), grid);
    EXPECT_EQ(lists.staff.count(), 2);
    EXPECT_EQ(grid.cell(0, 1), "p0");
    EXPECT_TRUE(grid.rowEmpty(2));
    EXPECT_TRUE(grid.rowEmpty(3));
    EXPECT_EQ(grid.cell(0, 4), "p3");

    add("new1"); // slot[count] = slot 2 is free
    add("new2"); // slot[count] = slot 3 is taken: the first free slot, 1
    EXPECT_EQ(lists.staff.count(), 4);
    EXPECT_EQ(lists.staff.slot(1)[0], "new2");
    EXPECT_EQ(lists.staff.slot(2)[0], "new1");
    EXPECT_EQ(lists.staff.slot(3)[0], "p3");

    card::TCardRec saved;
    lists.staff.storeIntoCard(saved);
    EXPECT_EQ(saved.slotText(card::Field("OtStaff"), 3, 0), "p3");
}

TEST_F(Staff, CompactionEmptiesEverythingButTheGatheredEntries)
{
    add(""); // counted, not used
    add("b");
    add("c");
    ASSERT_TRUE(lists.staff.remove(2, grid));
    EXPECT_EQ(lists.staff.count(), 2);
    EXPECT_EQ(lists.staff.slot(0)[0], "c");
    EXPECT_EQ(lists.staff.slot(1), card::SotrList::Slot{}); // the free entry's texts are gone
    EXPECT_EQ(grid.cell(0, 1), "c");
    EXPECT_TRUE(grid.rowEmpty(2));
}

TEST_F(Staff, LoadingReplacesEveryEarlierEntry)
{
    add("typed in");
    add("also typed");
    lists.staff.refillFromCard(cardWithStaffIn({5}), grid);
    EXPECT_EQ(lists.staff.count(), 1);
    for (int i = 0; i < 21; ++i) {
        if (i != 5) {
            EXPECT_EQ(lists.staff.slot(i), card::SotrList::Slot{}) << i;
        }
    }
    lists.staff.refillFromCard(card::TCardRec{}, grid);
    EXPECT_EQ(lists.staff.count(), 0);
    EXPECT_TRUE(grid.rowEmpty(1));
}

TEST_F(Staff, StoreAndRefillRoundTrip)
{
    for (int i = 0; i < 21; ++i)
        add("p" + std::to_string(i));
    card::TCardRec rec;
    lists.staff.storeIntoCard(rec);
    card::EntryLists loaded;
    loaded.staff.refillFromCard(rec, grid);
    EXPECT_EQ(loaded.staff.count(), 21);
    for (int i = 0; i < 21; ++i)
        EXPECT_EQ(loaded.staff.slot(i), lists.staff.slot(i)) << i;
    EXPECT_EQ(grid.cell(0, 21), "p20");
}

} // namespace
