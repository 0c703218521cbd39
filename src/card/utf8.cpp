#include "card/utf8.h"

namespace card {
namespace {

// The length of the well-formed sequence `bytes` starts with, 0 when it
// starts with none (Unicode's table of well-formed UTF-8 byte sequences).
std::size_t SequenceLength(std::string_view bytes)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // overlong
        high = lead == 0xED ? 0x9F : 0xBF; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;  // overlong
        high = lead == 0xF4 ? 0x8F : 0xBF; // beyond U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() < length || at(1) < low || at(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!IsUtf8Continuation(bytes[i]))
            return 0;
    return length;
}

} // namespace

bool IsValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = SequenceLength(bytes.substr(i));
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string ValidUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = SequenceLength(bytes.substr(i));
        if (n == 0) {
            text += kReplacementCharacter;
            ++i;
        } else {
            text.append(bytes.substr(i, n));
            i += n;
        }
    }
    return text;
}

std::size_t CharCount(std::string_view utf8)
{
    std::size_t n = 0;
    for (const char c : utf8)
        if (!IsUtf8Continuation(c))
            ++n;
    return n;
}

std::string CutToChars(std::string_view utf8, std::size_t maxChars)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (!IsUtf8Continuation(utf8[i])) {
            if (chars == maxChars)
                return std::string(utf8.substr(0, i));
            ++chars;
        }
    }
    return std::string(utf8);
}

char32_t LastCodePoint(std::string_view utf8)
{
    if (utf8.empty())
        return 0;
    std::size_t start = utf8.size() - 1;
    while (start > 0 && IsUtf8Continuation(utf8[start]))
        --start;
    auto lead = static_cast<unsigned char>(utf8[start]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (std::size_t i = start + 1; i < utf8.size(); ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    return cp;
}

} // namespace card
