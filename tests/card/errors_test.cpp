#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "card/errors.h"

namespace {

struct IntCase {
    std::string text;
    std::optional<int32_t> value; // nullopt: refused
};

void PrintTo(const IntCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class StrToIntOf : public testing::TestWithParam<IntCase> {};

// Exactly an optional sign, then decimal digits, within 32 bits.
TEST_P(StrToIntOf, TakesASignAndDigitsOnly)
{
    const IntCase& c = GetParam();
    if (c.value) {
        EXPECT_EQ(card::StrToInt(c.text), *c.value);
        return;
    }
    try {
        card::StrToInt(c.text);
        FAIL() << "accepted";
    } catch (const card::CardError& e) {
        EXPECT_EQ(e.what(), "'" + c.text + "' is not a valid integer value");
    }
}

INSTANTIATE_TEST_SUITE_P(Errors, StrToIntOf,
                         testing::Values(IntCase{"5", 5}, IntCase{"+5", 5}, IntCase{"-5", -5}, IntCase{"007", 7},
                                         IntCase{"2147483647", 2147483647}, IntCase{"-2147483648", INT32_MIN},
                                         IntCase{"+-5", {}}, IntCase{"-+5", {}}, IntCase{"--5", {}}, IntCase{"+", {}},
                                         IntCase{"-", {}}, IntCase{"", {}}, IntCase{" 5", {}}, IntCase{"5 ", {}},
                                         IntCase{"2147483648", {}}, IntCase{"0x10", {}}, IntCase{"1e3", {}}));

} // namespace
