#pragma once
// An accepted card on its way into the main window: every load step runs on a
// map-based card form and fresh entry lists, as the load command would run it
// on the real window.
#include "card/card_form.h"
#include "card/card_record.h"
#include "card/entry_lists.h"

// Shows the card in a map-based window as the load command would (the
// window's own load step), and checks what the form and the lists then hold.
void ShowInWindow(const card::TCardRec& card);
