#pragma once
#include <string_view>

namespace card {

// The check-digit test of a 10- or 12-digit INN. Never throws, shows nothing.
bool InnCheck(std::string_view text);

} // namespace card
