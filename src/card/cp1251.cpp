#include "card/cp1251.h"

#include <array>
#include <cstdint>

namespace card {
namespace {

// Code points of bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F (А..я).
constexpr std::array<char16_t, 64> kHighTable = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

constexpr char32_t kCyrillicA = 0x0410;
constexpr char32_t kCyrillicYa = 0x044F;

char32_t ByteToCodePoint(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return kCyrillicA + (byte - 0xC0);
    return kHighTable[byte - 0x80];
}

char CodePointToByte(char32_t cp)
{
    if (cp < 0x80)
        return static_cast<char>(cp);
    if (cp >= kCyrillicA && cp <= kCyrillicYa)
        return static_cast<char>(0xC0 + (cp - kCyrillicA));
    for (std::size_t i = 0; i < kHighTable.size(); ++i)
        if (kHighTable[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

constexpr char32_t kMalformed = 0xFFFFFFFF;

// Decodes one UTF-8 sequence at `pos` and advances `pos` past it. A malformed
// sequence (overlong, surrogate, truncated, stray continuation byte) gives
// kMalformed after consuming only its first byte, so each bad byte becomes
// one '?'.

char32_t DecodeUtf8(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    int extra;
    char32_t cp;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return kMalformed;
    }
    if (pos + extra > text.size())
        return kMalformed;
    for (int i = 0; i < extra; ++i) {
        const auto c = static_cast<unsigned char>(text[pos + i]);
        if ((c & 0xC0) != 0x80)
            return kMalformed;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return kMalformed;
    pos += extra;
    return cp;
}

} // namespace

bool InCp1251(char32_t codePoint) { return codePoint == U'?' || CodePointToByte(codePoint) != '?'; }

std::string Utf8ToCp1251(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t cp = DecodeUtf8(utf8, pos);
        out += cp == kMalformed ? '?' : CodePointToByte(cp);
    }
    return out;
}

std::string Cp1251ToUtf8(std::string_view cp1251)
{
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (char c : cp1251)
        AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

} // namespace card
