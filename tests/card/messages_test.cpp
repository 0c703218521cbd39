#include <gtest/gtest.h>

#include "card/outcome.h"

namespace {

struct Case {
    const char* message;
    const char* shown;
};

class ErrorDisplayRule : public testing::TestWithParam<Case> {};

TEST_P(ErrorDisplayRule, AppendsPeriodOnlyAfterCharactersSortingAfterDot)
{
    EXPECT_EQ(card::ErrorDisplayText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Messages, ErrorDisplayRule,
                         testing::Values(Case{"'' is not a valid integer value", "'' is not a valid integer value."},
                                         Case{"File not found", "File not found."},
                                         Case{"Ends with dot.", "Ends with dot."},
                                         Case{"Ends with quote'", "Ends with quote'"}, Case{"", ""},
                                         Case{"Кириллица", "Кириллица."}, Case{"digit 5", "digit 5."},
                                         Case{"slash/", "slash/."}));

} // namespace
