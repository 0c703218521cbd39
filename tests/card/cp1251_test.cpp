#include <gtest/gtest.h>

#include "card/cp1251.h"

namespace {

TEST(Cp1251, AllByteValuesRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = card::Cp1251ToUtf8(all);
    EXPECT_EQ(card::Utf8ToCp1251(utf8), all);
}

struct Pair {
    const char* utf8;
    std::string cp1251;
};

void PrintTo(const Pair& p, std::ostream* os) { *os << "'" << p.utf8 << "'"; }

class Cp1251Known : public testing::TestWithParam<Pair> {};

TEST_P(Cp1251Known, BothDirections)
{
    EXPECT_EQ(card::Utf8ToCp1251(GetParam().utf8), GetParam().cp1251);
    EXPECT_EQ(card::Cp1251ToUtf8(GetParam().cp1251), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Cp1251, Cp1251Known,
    testing::Values(Pair{"Карточка предприятия",
                         "\xCA\xE0\xF0\xF2\xEE\xF7\xEA\xE0\x20\xEF\xF0\xE5\xE4\xEF\xF0\xE8\xFF\xF2\xE8\xFF"},
                    Pair{"АЯаяЁё", "\xC0\xDF\xE0\xFF\xA8\xB8"}, Pair{"№«»—–…€", "\xB9\xAB\xBB\x97\x96\x85\x88"},
                    Pair{"ЂЏђџЎўІіЇїЄєҐґ", "\x80\x8F\x90\x9F\xA1\xA2\xB2\xB3\xAF\xBF\xAA\xBA\xA5\xB4"},
                    Pair{"\xC2\xA0\xC2\xAD", "\xA0\xAD"}, Pair{"plain ASCII 0-9", "plain ASCII 0-9"}, Pair{"", ""}));

struct Unmappable {
    const char* utf8;
    const char* cp1251;
};

void PrintTo(const Unmappable& u, std::ostream* os)
{
    for (const char* c = u.utf8; *c; ++c)
        *os << std::hex << (static_cast<unsigned>(*c) & 0xFF) << ' ';
}

class Cp1251Unmappable : public testing::TestWithParam<Unmappable> {};

TEST_P(Cp1251Unmappable, BecomesQuestionMark) { EXPECT_EQ(card::Utf8ToCp1251(GetParam().utf8), GetParam().cp1251); }

INSTANTIATE_TEST_SUITE_P(Cp1251, Cp1251Unmappable,
                         testing::Values(Unmappable{"é", "?"}, Unmappable{"日本", "??"}, Unmappable{"a😀b", "a?b"},
                                         Unmappable{"ǅ", "?"},
                                         // Malformed UTF-8: each bad byte is one '?'.
                                         Unmappable{"\x80x", "?x"}, Unmappable{"\xD0", "?"},
                                         Unmappable{"\xC0\xAF", "??"}, Unmappable{"\xED\xA0\x80", "???"},
                                         Unmappable{"\xD0\xD0\x96", "?\xC6"}));

} // namespace
