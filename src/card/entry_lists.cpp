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
    const int target = mode == DialogMode::Add ? addTarget() : editIndex_;
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

// A new entry goes into slot[count]. After loading a card whose staff has
// gaps, that slot can hold an employee: then the first free slot is taken
// instead, so that adding never overwrites an entry.
template <int C, int W>
int EntryList<C, W>::addTarget() const
{
    if (count_ < 0 || count_ >= C)
        return -1;
    if (!isUsed(count_))
        return count_;
    for (int i = 0; i < C; ++i)
        if (!isUsed(i))
            return i;
    return -1;
}

// The grid shows slots 0 to count (the row after the entries stays empty),
// and further on up to the last used slot, so no held entry is out of sight.
template <int C, int W>
int EntryList<C, W>::lastShownSlot() const
{
    int last = count_;
    for (int i = count_ + 1; i < C; ++i)
        if (isUsed(i))
            last = i;
    return last;
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
    const int last = lastShownSlot();
    for (int k = 0; k <= last && k < C; ++k) {
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
