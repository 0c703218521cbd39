#include <gtest/gtest.h>

#include "card/utf8.h"

namespace {

// Each byte that is not part of a well-formed sequence shows as U+FFFD; a
// well-formed text stays as it is.
TEST(Utf8, EveryByteOutsideAWellFormedSequenceBecomesTheReplacementCharacter)
{
    const std::string r = "\xEF\xBF\xBD";
    struct Case {
        const char* what;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"Cyrillic and a four-byte character", "Ёлка \xF0\x9F\x8C\xB2", "Ёлка \xF0\x9F\x8C\xB2"},
        {"Windows-1251 \"Ёлка\"", "\xA8\xEB\xEA\xE0", r + r + r + r},
        {"a stray continuation byte",
         "a\x80"
         "b",
         "a" + r + "b"},
        {"an overlong slash", "\xC0\xAF", r + r},
        {"an overlong three-byte form", "\xE0\x80\xAF", r + r + r},
        {"a surrogate", "\xED\xA0\x80", r + r + r},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", r + r + r + r},
        {"a sequence cut short at the end", "\xD0\x90\xD0", "\xD0\x90" + r},
        {"a sequence cut short by a letter", "\xE2\x82z", r + r + "z"},
        {"a NUL is a character", std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(card::ValidUtf8(c.bytes), c.text);
        EXPECT_EQ(card::IsValidUtf8(c.bytes), c.bytes == c.text);
        EXPECT_TRUE(card::IsValidUtf8(c.text));
    }
}

} // namespace
