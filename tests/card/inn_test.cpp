#include <gtest/gtest.h>

#include "card/inn.h"

namespace {

struct InnCase {
    const char* text;
    bool valid;
};

void PrintTo(const InnCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class InnCheckOf : public testing::TestWithParam<InnCase> {};

TEST_P(InnCheckOf, Decides) { EXPECT_EQ(card::InnCheck(GetParam().text), GetParam().valid) << GetParam().text; }

INSTANTIATE_TEST_SUITE_P(
    Inn, InnCheckOf,
    testing::Values(InnCase{"", false}, InnCase{"123456789", false}, InnCase{"12345678901", false},
                    InnCase{"1234567890123", false}, InnCase{"0000000000", true}, InnCase{"000000000000", true},
                    // S = 10: remainder 10 calls for check digit 0.
                    InnCase{"5000000000", true}, InnCase{"5000000001", false}, InnCase{"100000000074", true},
                    InnCase{"100000000075", false}, InnCase{"100000000064", false},
                    // Only one of the two check digits matches.
                    InnCase{"100000000070", false}, InnCase{"100000000004", false},
                    // Non-digits anywhere, never an error.
                    InnCase{"770708389 ", false}, InnCase{" 770708389", false}, InnCase{"77070838-3", false},
                    InnCase{"+707083893", false}, InnCase{"770708389З", false}, InnCase{"10000000007a", false},
                    InnCase{"7707 083893", false}, InnCase{"７707083893", false}));

// Published taxpayer numbers of large companies (10 digits) and the worked
// example of the 12-digit scheme.
// Their check digits are not 0 (see below).
const char* const kRealWorld[] = {"7707083893", "7736050003", "7708004767", "7712040126",
                                  "7736207543", "7702070139", "7728168971", "500100732259"};

class RealWorldInn : public testing::TestWithParam<const char*> {};

TEST_P(RealWorldInn, IsValid) { EXPECT_TRUE(card::InnCheck(GetParam())); }

TEST(Inn, RealWorldWithCheckDigitZeroIsValid) { EXPECT_TRUE(card::InnCheck("7706107510")); }

// With non-zero check digits, every single-digit change breaks a check: a
// changed leading digit moves its weighted sum's remainder (the weights are
// prime to 11), and a changed check digit no longer matches it. (A check
// digit 0 stands for remainders 0 and 10 alike, so there one change in eleven
// would go unnoticed.)
TEST_P(RealWorldInn, EverySingleDigitChangeIsInvalid)
{
    const std::string inn = GetParam();
    for (std::size_t pos = 0; pos < inn.size(); ++pos) {
        for (char d = '0'; d <= '9'; ++d) {
            if (d == inn[pos])
                continue;
            std::string changed = inn;
            changed[pos] = d;
            EXPECT_FALSE(card::InnCheck(changed)) << changed;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Inn, RealWorldInn, testing::ValuesIn(kRealWorld));

TEST(Inn, SwappedNeighboursAreCaught)
{
    EXPECT_FALSE(card::InnCheck("7707038893"));
    EXPECT_FALSE(card::InnCheck("500010732259"));
    EXPECT_FALSE(card::InnCheck("500100732295"));
}

} // namespace
