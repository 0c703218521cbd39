#pragma once
// The two fixed-capacity working lists of a card: contacts (11 slots of two
// texts) and the labour-protection service staff (21 slots of five texts),
// and the add/edit flag both entry dialogs read.
//
// A slot is used when its first text is non-empty. Grid row r shows slot r-1;
// row 0 is the grid's header. Texts are UTF-8 and are cut to 100 characters
// when stored into a slot.
#include <array>
#include <cstdint>
#include <string>

#include "card/card_layout.h"
#include "card/grid.h"

namespace card {

class TCardRec;

enum class DialogMode : std::uint8_t { Edit = 0, Add = 1 };

template <int Capacity, int Width>
class EntryList {
public:
    static constexpr int kCapacity = Capacity;
    static constexpr int kWidth = Width;
    using Slot = std::array<std::string, Width>;

    virtual ~EntryList() = default;

    int count() const { return count_; }
    int editIndex() const { return editIndex_; }
    const Slot& slot(int index) const { return slots_.at(index); }
    bool isUsed(int index) const;
    bool isFull() const { return count_ >= Capacity; }

    // Count and edit index back to 0 (the main window does this when created).
    void resetCounters();

    // Begin add: mode := Add. Returns whether the entry dialog may open:
    // false on a full list, where nothing else changes.
    bool beginAdd(DialogMode& mode);
    // Begin edit on grid row `row`: mode := Edit; when slot row-1 is used the
    // edit index becomes row-1 and true is returned (open the dialog).
    bool beginEdit(int row, DialogMode& mode);
    // Accept the dialog's texts: Add stores into slot[count] and counts it,
    // Edit stores into slot[edit index]. Then the grid is refilled. An add on
    // a full list is refused (false) without touching any slot.
    bool accept(DialogMode mode, const Slot& texts, Grid& grid);
    // Delete on grid row `row`: when slot row-1 is used its texts are emptied,
    // the count falls by one, the list is compacted and the grid refilled.
    bool remove(int row, Grid& grid);
    // Writes the list into its grid.
    void showInGrid(Grid& grid) const;

protected:
    void emptySlot(int index);
    int addTarget() const;
    int lastShownSlot() const;
    virtual void compact() = 0;
    // Empties the list, then copies each used slot of the card's array into
    // the slot of the same index and counts it.
    void refill(const TCardRec& card, const CardField& slots);
    // Copies every slot, used or free, into the card's array.
    void store(TCardRec& card, const CardField& slots) const;

    // Not brace-initialised: clang 14 crashes on value-initialising nested
    // arrays of strings in C++20; the strings start empty either way.
    std::array<Slot, Capacity> slots_;
    int count_ = 0;
    int editIndex_ = 0;
};

class ContactList final : public EntryList<kContactSlotCount, kContactSlotTexts> {
public:
    enum Column { TypeK = 0, DataK = 1 };
    // Replaces the list by the used contact slots of the card, compacted,
    // and refills the grid.
    void refillFromCard(const TCardRec& card, Grid& grid);
    // Copies every slot, used or free, into the card's contact array.
    void storeIntoCard(TCardRec& card) const;

private:
    void compact() override;
};

class SotrList final : public EntryList<kStaffSlotCount, kStaffSlotTexts> {
public:
    enum Column { Doljn = 0, FIO = 1, NUd = 2, DatUd = 3, Org = 4 };
    // Replaces the list by the used staff slots of the card, each keeping its
    // slot index (no compaction), and refills the grid.
    void refillFromCard(const TCardRec& card, Grid& grid);
    void storeIntoCard(TCardRec& card) const;

private:
    void compact() override;
};

// The program-wide list state: both lists and the shared dialog flag.
struct EntryLists {
    ContactList contacts;
    SotrList staff;
    DialogMode dialogMode = DialogMode::Edit;
};

} // namespace card
