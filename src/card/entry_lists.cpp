#include "card/entry_lists.h"

#include "card/card_record.h"
#include "card/utf8.h"

namespace card {

template <int C, int W>
bool EntryList<C, W>::isUsed(int index) const
{
    return !slots_.at(index)[0].empty();
}

template <int C, int W>
void EntryList<C, W>::resetCounters()
{
    count_ = 0;
    editIndex_ = 0;
}

template <int C, int W>
bool EntryList<C, W>::beginAdd(DialogMode& mode)
{
    mode = DialogMode::Add;
    return !isFull();
}

template <int C, int W>
bool EntryList<C, W>::beginEdit(int row, DialogMode& mode)
{
    mode = DialogMode::Edit;
    const int index = row - 1;
    if (index < 0 || index >= C || !isUsed(index))
        return false;
    editIndex_ = index;
    return true;
}

template <int C, int W>
bool EntryList<C, W>::accept(DialogMode mode, const Slot& texts, Grid& grid)
{
    int target = mode == DialogMode::Add ? count_ : editIndex_;
    if (target < 0 || target >= C)
        return false;
    for (int i = 0; i < W; ++i)
        slots_[target][i] = CutToChars(texts[i], kSlotTextChars);
    if (mode == DialogMode::Add)
        ++count_;
    showInGrid(grid);
    return true;
}

template <int C, int W>
bool EntryList<C, W>::remove(int row, Grid& grid)
{
    const int index = row - 1;
    if (index < 0 || index >= C || !isUsed(index))
        return false;
    emptySlot(index);
    --count_;
    compact();
    showInGrid(grid);
    return true;
}

template <int C, int W>
void EntryList<C, W>::emptySlot(int index)
{
    for (auto& text : slots_[index])
        text.clear();
}

template <int C, int W>
void EntryList<C, W>::showInGrid(Grid& grid) const
{
    for (int row = 1; row < grid.rowCount(); ++row)
        grid.clearRow(row);
    for (int k = 0; k <= count_ && k < C; ++k) {
        if (k + 1 >= grid.rowCount())
            break;
        for (int col = 0; col < W; ++col)
            grid.setCell(col, k + 1, slots_[k][col]);
    }
}


template <int C, int W>
void EntryList<C, W>::refill(const TCardRec& card, const CardField& slots)
{
    for (int i = 0; i < C; ++i)
        emptySlot(i);
    count_ = 0;
    for (int i = 0; i < C; ++i) {
        if (!card.slotUsed(slots, i))
            continue; // a free card slot is not copied, whatever else it holds
        for (int col = 0; col < W; ++col)
            slots_[i][col] = card.slotText(slots, i, col);
        ++count_;
    }
}

template <int C, int W>
void EntryList<C, W>::store(TCardRec& card, const CardField& slots) const
{
    for (int i = 0; i < C; ++i)
        for (int col = 0; col < W; ++col)
            card.setSlotText(slots, i, col, slots_[i][col]);
}

template class EntryList<kContactSlotCount, kContactSlotTexts>;
template class EntryList<kStaffSlotCount, kStaffSlotTexts>;

void ContactList::refillFromCard(const TCardRec& card, Grid& grid)
{
    refill(card, Field("Contacts"));
    compact();
    showInGrid(grid);
}

void ContactList::storeIntoCard(TCardRec& card) const { store(card, Field("Contacts")); }

void SotrList::refillFromCard(const TCardRec& card, Grid& grid)
{
    // No compaction: every employee keeps the slot index it has in the card.
    refill(card, Field("OtStaff"));
    showInGrid(grid);
}

void SotrList::storeIntoCard(TCardRec& card) const { store(card, Field("OtStaff")); }

void ContactList::compact()
{
    std::array<Slot, kCapacity> gathered; // no {}: see slots_
    int n = 0;
    for (int i = 0; i < kCapacity; ++i) {
        if (isUsed(i)) {
            gathered[n++] = slots_[i];
            emptySlot(i);
        }
    }
    for (int i = 0; i < n; ++i)
        slots_[i] = gathered[i];
}

void SotrList::compact()
{
    std::array<Slot, kCapacity> gathered; // no {}: see slots_
    int n = 0;
    for (int i = 0; i < kCapacity; ++i)
        if (isUsed(i))
            gathered[n++] = slots_[i];
    for (int i = 0; i < kCapacity; ++i)
        emptySlot(i);
    for (int i = 0; i < n; ++i)
        slots_[i] = gathered[i];
}

} // namespace card
