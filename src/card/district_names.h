#pragma once
// The texts of the district list CombRn, in item order: the card program
// shows them, the register of cards names districts by them.
#include <cstdint>
#include <string>
#include <string_view>

#include "card/district.h"

namespace card {

// The text of item `itemIndex` (0..kDistrictCount-1), UTF-8; empty beyond.
std::string_view DistrictName(int itemIndex);

// The district a stored code selects, or "код N" for a code that selects
// none (0 stays empty: no district was chosen).
std::string DistrictNameOfCode(std::int32_t code);

} // namespace card
