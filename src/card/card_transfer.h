#pragma once
// Moving a card between the window (its controls and the two lists) and the
// card record. Both directions walk the one layout table of the record.
#include "card/card_form.h"
#include "card/card_record.h"
#include "card/entry_lists.h"

namespace card {

// Fills `card` from the controls and both lists. The record is zeroed first,
// so the bytes written depend on the card alone. Throws CardError for a
// number edit whose text is no 32-bit integer.
void CardFromWindow(const CardForm& form, const EntryLists& lists, TCardRec& card);

// Fills the controls and both lists from `card`, with the INN warning and,
// for a card without classifier source, the request to choose a code. A
// stored date that must be shown but cannot be read throws CardError before
// any control changes.
void CardToWindow(CardForm& form, EntryLists& lists, const TCardRec& card);

} // namespace card
