#include "fuzz_window_view.h"

#include <algorithm>
#include <string>

#include "card/card_layout.h"
#include "card/district.h"
#include "card/errors.h"
#include "card/inn.h"
#include "card/short_date.h"
#include "fuzz_expect.h"
#include "support/fake_form.h"

namespace {

// The steps a loaded card passes through, each on its own fresh window.
constexpr LoadStep kLoadSteps[] = {
    ShowFieldByField,
};

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
    Expect(form.contactsGrid.rowCount() == card::kContactSlotCount + 1 &&
               form.staffGrid.rowCount() == card::kStaffSlotCount + 1,
           "the grids keep their rows");
}

} // namespace

void ShowInWindow(const card::TCardRec& card)
{
    for (const LoadStep step : kLoadSteps) {
        FakeForm form;
        card::EntryLists lists;
        try {
            step(form, lists, card);
        } catch (const card::CardError&) {
            // Ends the load with the error display; what was shown so far stays.
        }
        CheckShown(form, lists);
    }
}

void ShowFieldByField(card::CardForm& form, card::EntryLists& lists, const card::TCardRec& card)
{
    using card::Conversion;
    for (const card::CardField& field : card::CardFields()) {
        switch (field.conversion) {
        case Conversion::None:
        case Conversion::Fixed: break;
        case Conversion::EditText:
        case Conversion::ActivityCode: form.setText(field.control, card.text(field)); break;
        case Conversion::Int32Edit: form.setText(field.control, std::to_string(card.int32(field))); break;
        case Conversion::RadioByte:
            form.setItemIndex(field.control, std::min<int>(card.byte(field), form.itemCount(field.control) - 1));
            break;
        case Conversion::Date:
            if (card.byte(field.shownWhenYes) != 0)
                form.setDate(field.control, card::StrToDate(card.text(field)));
            break;
        case Conversion::District:
            form.setItemIndex(field.control, card::DistrictIndexFromCode(card.int32(field)));
            break;
        case Conversion::ContactSlots: lists.contacts.refillFromCard(card, form.grid("StrGridKont")); break;
        case Conversion::StaffSlots: lists.staff.refillFromCard(card, form.grid("StrGridSOT")); break;
        case Conversion::ClassifierSource: form.setOkvedSource(card.byte(field)); break;
        }
    }
    form.markInvalid("Ed_inn", !card::InnCheck(form.text("Ed_inn")));
}
