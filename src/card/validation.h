#pragma once
// The chain of checks a card must pass before it is saved.
#include "card/card_form.h"
#include "card/entry_lists.h"

namespace card {

// Runs the checks in their fixed order; the first that fails shows its
// message and false is returned. The only thing it changes is the colour of
// the INN field. A workplace count that is not an integer throws CardError.
bool ValidateCard(CardForm& form, const SotrList& staff);

} // namespace card
