#pragma once
// Small UTF-8 helpers: the card core holds texts as UTF-8 and counts
// characters (code points), never bytes, when it cuts them.
#include <cstddef>
#include <string>
#include <string_view>

namespace card {

// U+FFFD, which stands where a text could not be read.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// Whether the byte continues a UTF-8 sequence rather than starting one.
constexpr bool IsUtf8Continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Number of characters (code points) in a UTF-8 text.
std::size_t CharCount(std::string_view utf8);
// The first `maxChars` characters of a UTF-8 text.
std::string CutToChars(std::string_view utf8, std::size_t maxChars);
// The last character of a non-empty UTF-8 text (0 for an empty one).
char32_t LastCodePoint(std::string_view utf8);

// Whether the bytes are well-formed UTF-8: no stray or missing continuation
// byte, no overlong form, no surrogate, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view bytes);
// The bytes as well-formed UTF-8, each byte that is not part of a well-formed
// sequence replaced by U+FFFD: a file name in another code page (as Linux
// keeps it, unconverted) stays readable and shows where it could not be read.
std::string ValidUtf8(std::string_view bytes);

} // namespace card
