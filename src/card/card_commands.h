#pragma once
// The save and load commands, apart from the window's own parts (the buttons
// and the file-open dialog).
#include <string>

#include "card/card_file_store.h"
#include "card/card_form.h"
#include "card/entry_lists.h"

namespace card {

// Validates the card, fills the working record from the window, writes it
// into the current folder under its generated name and says so. Conversion
// and file errors are thrown (CardError) and end the command.
void SaveCard(CardForm& form, EntryLists& lists, CardFileStore& store);

// Reads the chosen card file and, when it is accepted, shows it in the
// window. Returns whether the card was shown.
bool LoadCard(CardForm& form, EntryLists& lists, CardFileStore& store, const std::string& path);

} // namespace card
