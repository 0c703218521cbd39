#pragma once
// The chain of checks a card must pass before it is saved.
#include "card/card_form.h"
#include "card/entry_lists.h"
#include "card/outcome.h"

namespace card {

// Runs the checks in their fixed order; the first that fails refuses the card
// with its message and the field it concerns, and no later check runs. A
// workplace count that is not an integer refuses it with the error display's
// text. The question about the labour-protection service goes to `user`. The
// only thing it changes in the form is the colour of the INN field.
Outcome ValidateCard(CardForm& form, const SotrList& staff, Dialogue& user);

} // namespace card
