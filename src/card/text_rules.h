#pragma once
#include <string>
#include <string_view>

namespace card {

// The text with every space character (code 32) deleted; a required text
// counts as filled when this is not empty. Tabs and other blanks stay.
std::string TrimSpaces(std::string_view text);

// The text with A-Z made a-z and every other byte as it is: file name
// endings (".crd", ".xlsx") are matched in any letter case.
std::string AsciiLower(std::string_view text);

} // namespace card
