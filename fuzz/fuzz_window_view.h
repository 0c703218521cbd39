#pragma once
// An accepted card on its way into the main window: every load step runs on a
// map-based card form and fresh entry lists, as the load command would run it
// on the real window.
#include "card/card_form.h"
#include "card/card_record.h"
#include "card/entry_lists.h"

// A load step: fills the form and the lists from the card. It may end with a
// card::CardError (a stored date that is no date), as the load command may.
using LoadStep = void (*)(card::CardForm& form, card::EntryLists& lists, const card::TCardRec& card);

// Runs every load step on the card, each on a fresh form, and checks what the
// form and the lists then hold.
void ShowInWindow(const card::TCardRec& card);

// The load step built from the card core's field conversions alone: walks the
// layout table and shows every field in its control.
void ShowFieldByField(card::CardForm& form, card::EntryLists& lists, const card::TCardRec& card);
