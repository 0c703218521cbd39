#pragma once
#include "card/card_record.h"

namespace card {

// Converts a version-1 card into a version-2 one. Every field the two formats
// share is copied (texts cut to their N), contact and staff slots only when
// used; then version 2, the signature and classifier source 0 are set. Bytes
// of `to` that no copied value covers keep what they held.
void UpgradeCardV1(const TCardRecV1& from, TCardRec& to);

} // namespace card
