#pragma once
// Moving a card between the window (its controls and the two lists) and the
// card record. Both directions walk the one layout table of the record.
#include <map>
#include <string>

#include "card/card_form.h"
#include "card/card_record.h"
#include "card/entry_lists.h"
#include "card/outcome.h"

namespace card {

// Fills `card` from the controls and both lists. The record is zeroed first,
// so the bytes written depend on the card alone. Throws CardError for a
// number edit whose text is no 32-bit integer (a FieldError naming it).
void CardFromWindow(const CardForm& form, const EntryLists& lists, TCardRec& card);

// CardFromWindow, refusing with the error display's text and the number edit
// instead of throwing.
Outcome RecordFromWindow(const CardForm& form, const EntryLists& lists, TCardRec& card);

// The dates a load of `card` shows (each whose yes/no answer is yes), into
// `dates` by field name. The first that cannot be read refuses the card with
// the error display's text and its date field.
Outcome ReadShownDates(const CardForm& form, const TCardRec& card, std::map<std::string, Date>* dates = nullptr);

// Fills the controls and both lists from `card`, telling `user` the INN
// warning where the INN is shown and, for a card without classifier source,
// the request to choose a code just before the picker opens. A stored date
// that must be shown but cannot be read refuses the card before any control
// changes.
Outcome CardToWindow(CardForm& form, EntryLists& lists, const TCardRec& card, Dialogue& user);

} // namespace card
