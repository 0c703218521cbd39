#include <gtest/gtest.h>

#include <set>
#include <string>

#include "card/workplace_counts.h"

namespace {

// The count edits as they appear on the workplace pages, in storage order:
// one row per class and column, quantities M, W, J, 18, I.
struct Row {
    int classIndex;
    int side;
    int firstOffset;
    const char* names[5];
};

const Row kRows[] = {
    {0, 0, 14004, {"EdN14M1V", "EdN14W1V", "EdN14J1V", "EdN14181V", "EdN14I1V"}},
    {0, 1, 14024, {"EdN14M1OP", "EdN14W1OP", "EdN14J1OP", "EdN14181OP", "EdN14I1OP"}},
    {1, 0, 14044, {"EdN15M2V", "EdN15W2V", "EdN15J2V", "EdN15182V", "EdN15I2V"}},
    {1, 1, 14064, {"EdN15M2OP", "EdN15W2OP", "EdN15J2OP", "EdN15182OP", "EdN15I2OP"}},
    {2, 0, 14084, {"EdN16M3_1V", "EdN16W3_1V", "EdN16J3_1V", "EdN16183_1V", "EdN16I3_1V"}},
    {2, 1, 14104, {"EdN16M3_1OP", "EdN16W3_1OP", "EdN16J3_1OP", "EdN16183_1OP", "EdN16I3_1OP"}},
    {3, 0, 14124, {"EdN16M3_2V", "EdN16W3_2V", "EdN16J3_2V", "EdN16183_2V", "EdN16I3_2V"}},
    {3, 1, 14144, {"EdN16M3_2OP", "EdN16W3_2OP", "EdN16J3_2OP", "EdN16183_2OP", "EdN16I3_2OP"}},
    {4, 0, 14164, {"EdN16M3_3V", "EdN16W3_3V", "EdN16J3_3V", "EdN16183_3V", "EdN16I3_3V"}},
    {4, 1, 14184, {"EdN16M3_3OP", "EdN16W3_3OP", "EdN16J3_3OP", "EdN16183_3OP", "EdN16I3_3OP"}},
    {5, 0, 14204, {"EdN16M3_4V", "EdN16W3_4V", "EdN16J3_4V", "EdN16183_4V", "EdN16I3_4V"}},
    {5, 1, 14224, {"EdN16M3_4OP", "EdN16W3_4OP", "EdN16J3_4OP", "EdN16183_4OP", "EdN16I3_4OP"}},
    {6, 0, 14244, {"EdN16M4V", "EdN16W4V", "EdN16J4V", "EdN16184V", "EdN16I4V"}},
    {6, 1, 14264, {"EdN16M4OP", "EdN16W4OP", "EdN16J4OP", "EdN16184OP", "EdN16I4OP"}},
};

void PrintTo(const Row& r, std::ostream* os) { *os << r.names[0]; }

class WorkplaceRow : public testing::TestWithParam<Row> {};

TEST_P(WorkplaceRow, NamesAndOffsetsFollowThePagesInStorageOrder)
{
    const Row& row = GetParam();
    for (int q = 0; q < card::kWorkplaceQuantityCount; ++q) {
        SCOPED_TRACE(row.names[q]);
        EXPECT_EQ(card::WorkplaceControlName(row.classIndex, row.side, q), row.names[q]);
        EXPECT_EQ(card::WorkplaceCountOffset(row.classIndex, row.side, q), row.firstOffset + 4 * q);
        const int index = card::WorkplaceCountIndex(row.classIndex, row.side, q);
        EXPECT_EQ(card::WorkplaceControlName(index), row.names[q]);
    }
}

INSTANTIATE_TEST_SUITE_P(WorkplaceCounts, WorkplaceRow, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.names[0]); });

TEST(WorkplaceCounts, SeventyDistinctNamesEndingBeforeTrainedCount)
{
    std::set<std::string> names;
    for (int i = 0; i < card::kWorkplaceCountTotal; ++i)
        names.insert(card::WorkplaceControlName(i));
    EXPECT_EQ(names.size(), 70u);
    EXPECT_EQ(card::WorkplaceCountOffset(6, 1, 4) + 4, 14284);
    EXPECT_EQ(card::WorkplaceClassName(2), "3.1");
    EXPECT_THROW(card::WorkplaceControlName(7, 0, 0), std::out_of_range);
    EXPECT_THROW(card::WorkplaceControlName(70), std::out_of_range);
}

} // namespace
