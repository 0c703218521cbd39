#pragma once
// Windows-1251, the code page of every text stored in a card file. The
// conversion is exact and table-driven: it depends on neither the locale nor
// any conversion library.
#include <string>
#include <string_view>

namespace card {

// UTF-8 to Windows-1251, one byte per character. A character the code page
// cannot hold, and every byte of a malformed UTF-8 sequence, becomes '?'.
std::string Utf8ToCp1251(std::string_view utf8);

// Whether the code page holds the character (it then survives a save).
bool InCp1251(char32_t codePoint);

// Windows-1251 to UTF-8. Every byte has a character (0x98, unassigned in the
// code page, maps to U+0098), so the two directions round-trip all 256 bytes.
std::string Cp1251ToUtf8(std::string_view cp1251);

} // namespace card
