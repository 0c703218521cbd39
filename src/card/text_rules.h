#pragma once
#include <string>
#include <string_view>

namespace card {

// The text with every space character (code 32) deleted; a required text
// counts as filled when this is not empty. Tabs and other blanks stay.
std::string TrimSpaces(std::string_view text);

} // namespace card
