#include "fuzz_window_view.h"

#include "card/card_layout.h"
#include "card/card_transfer.h"
#include "card/errors.h"
#include "card/short_date.h"
#include "fuzz_expect.h"
#include "support/dialogue_recorder.h"
#include "support/fake_form.h"

namespace {

void CheckShown(const FakeForm& form, const card::EntryLists& lists)
{
    Expect(lists.contacts.count() >= 0 && lists.contacts.count() <= card::kContactSlotCount,
           "the contact count stays within the list");
    Expect(lists.staff.count() >= 0 && lists.staff.count() <= card::kStaffSlotCount,
           "the staff count stays within the list");
    for (const auto& [control, index] : form.indexes)
        Expect(index >= -1 && index < form.itemCount(control), "a list or radio group shows one of its items");
    for (const auto& [control, date] : form.dates)
        Expect(card::IsValidDate(date), "a date picker holds a calendar date");
    Expect(form.contactsGrid.rowCount() == card::kContactSlotCount + 1
               && form.staffGrid.rowCount() == card::kStaffSlotCount + 1,
           "the grids keep their rows");
}

} // namespace

void ShowInWindow(const card::TCardRec& card)
{
    FakeForm form;
    card::EntryLists lists;
    DialogueRecorder user; // an unreadable date refuses the card before it is shown
    card::CardToWindow(form, lists, card, user);
    CheckShown(form, lists);
}
