#pragma once
// The save and load commands, apart from the window's own parts (the buttons
// and the file-open dialog).
#include <optional>
#include <string>

#include "card/card_file_store.h"
#include "card/card_form.h"
#include "card/entry_lists.h"
#include "card/outcome.h"

namespace card {

// Validates the card (asking `user` the checks' question), fills the working
// record from the window, writes it into the current folder under its
// generated name and says so. Accepted when the file was written; a failed
// check, a count that is no integer or a file error refuses it. The caller
// shows the outcome's messages, in order, after the questions.
Outcome SaveCard(CardForm& form, EntryLists& lists, CardFileStore& store, Dialogue& user);

// Reads the chosen card file and, when it is accepted, shows it in the
// window. Each message is told to `user` at its moment (the version-1
// notice first, the INN warning while the window fills) and noted in the
// outcome as well; a file error or an unreadable date refuses the card.
Outcome LoadCard(CardForm& form, EntryLists& lists, CardFileStore& store, const std::string& path, Dialogue& user);

// The card the window shows, as the record a save would write from it;
// nullopt when no record can be built (a number edit holding no integer).
// Comparing two of these tells whether the user changed the card.
std::optional<TCardRec> CardInWindow(const CardForm& form, const EntryLists& lists);

// The questions asked before the window drops a card that differs from the
// one last saved or loaded.
inline constexpr char kCloseUnsavedQuestion[] = "Карточка не сохранена. Закрыть программу без сохранения?";
inline constexpr char kLoadUnsavedQuestion[] = "Карточка не сохранена. Загрузить другую карточку без сохранения?";

} // namespace card
