#include "card/workplace_counts.h"

#include <array>
#include <stdexcept>

namespace card {
namespace {

constexpr std::array<std::string_view, kWorkplaceClassCount> kClassNames = {
    "1", "2", "3.1", "3.2", "3.3", "3.4", "4"};
constexpr std::array<std::string_view, kWorkplaceQuantityCount> kQuantityLetters = {
    "M", "W", "J", "18", "I"};
constexpr std::array<std::string_view, kWorkplaceSideCount> kSideSuffixes = {"V", "OP"};

void CheckRange(int value, int count, const char* what)
{
    if (value < 0 || value >= count)
        throw std::out_of_range(std::string("workplace count: bad ") + what);
}

} // namespace

std::string_view WorkplaceClassName(int classIndex)
{
    CheckRange(classIndex, kWorkplaceClassCount, "class");
    return kClassNames[classIndex];
}

std::string WorkplaceControlName(int classIndex, int side, int quantity)
{
    CheckRange(classIndex, kWorkplaceClassCount, "class");
    CheckRange(side, kWorkplaceSideCount, "side");
    CheckRange(quantity, kWorkplaceQuantityCount, "quantity");

    // Classes 1 and 2 sit in lines 14 and 15 of the paper form, all class-3
    // and class-4 rows in line 16.
    std::string name = classIndex == 0 ? "EdN14" : classIndex == 1 ? "EdN15" : "EdN16";
    name += kQuantityLetters[quantity];
    for (char c : kClassNames[classIndex])
        name += c == '.' ? '_' : c;
    name += kSideSuffixes[side];
    return name;
}

std::string WorkplaceControlName(int countIndex)
{
    CheckRange(countIndex, kWorkplaceCountTotal, "index");
    return WorkplaceControlName(countIndex / 10, countIndex % 10 / 5, countIndex % 5);
}

} // namespace card
