#include "card/utf8.h"

namespace card {
namespace {
bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
} // namespace

std::size_t CharCount(std::string_view utf8)
{
    std::size_t n = 0;
    for (unsigned char c : utf8)
        if (!IsContinuation(c))
            ++n;
    return n;
}

std::string CutToChars(std::string_view utf8, std::size_t maxChars)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (!IsContinuation(static_cast<unsigned char>(utf8[i]))) {
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
    while (start > 0 && IsContinuation(static_cast<unsigned char>(utf8[start])))
        --start;
    auto lead = static_cast<unsigned char>(utf8[start]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (std::size_t i = start + 1; i < utf8.size(); ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    return cp;
}

} // namespace card
