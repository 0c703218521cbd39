#include "card/workplace_counts.h"

#include <array>
#include <stdexcept>

namespace card {
namespace {

constexpr std::array<std::string_view, kWorkplaceClassCount> kClassNames = {"1", "2", "3.1", "3.2", "3.3", "3.4", "4"};
constexpr std::array<std::string_view, kWorkplaceQuantityCount> kQuantityLetters = {"M", "W", "J", "18", "I"};
constexpr std::array<std::string_view, kWorkplaceSideCount> kSideSuffixes = {"V", "OP"};

struct ClassCaptions {
    std::string_view workplacesTotal;
    std::string_view workplacesPeriod;
    bool periodWorkersAsTotal; // the period column repeats the total's workers caption
};

constexpr std::array<ClassCaptions, kWorkplaceClassCount> kClassCaptions{{
    {"Количество рабочих мест, оценённых с классом условий труда 1, всего",
     "Количество рабочих мест, оценённых с классом условий труда 1 за отчетный период", false},
    {"Количество рабочих мест, оценённых с классом условий труда 2, всего",
     "Количество рабочих мест, оценённых с классом условий труда 2, за отчетный период", false},
    {"Количество рабочих мест, оценённых с классом условий труда 3.1, всего",
     "Количество рабочих мест, оценённых с классом условий труда 3.1 за отчетный период", false},
    {"Количество рабочих мест, оценённых с классом условий труда 3.2, всего",
     "Количество рабочих мест, оценённых с классом условий труда 3.2 за отчетный период", true},
    {"Количество рабочих мест, оценённых с классом условий труда 3.3, всего",
     "Количество рабочих мест, оценённых с классом условий труда 3.3 за отчетный период", false},
    {"Количество рабочих мест, оценённых с классом условий труда 3.4 всего",
     "Количество рабочих мест, оценённых с классом условий труда 3.4 за отчетный период", true},
    {"Количество рабочих мест, оценённых с классом условий труда 4, всего",
     "Количество рабочих мест, оценённых с классом условий труда 4 за отчетный период", false},
}};

// Captions of quantities 1 to 4 (quantity 0 has a caption per class) and the units.
constexpr std::array<std::string_view, kWorkplaceQuantityCount> kQuantityCaptions{
    "", "количество работников, занятых на этих рабочих местах,  всего", "из них: женщин", "лиц в возрасте до 18 лет",
    "инвалидов"};
constexpr std::string_view kPeriodWorkersCaption = "количество работников, занятых на этих рабочих местах";
constexpr std::array<std::string_view, kWorkplaceQuantityCount> kUnits{"мест", "чел.", "чел.", "чел.", "чел."};
constexpr std::array<std::string_view, kWorkplaceSideCount> kSideHeadings{"ВСЕГО", "В ОТЧЕТНОМ ПЕРИОДЕ"};

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

std::string_view WorkplaceCaption(int classIndex, int side, int quantity)
{
    CheckRange(classIndex, kWorkplaceClassCount, "class");
    CheckRange(side, kWorkplaceSideCount, "side");
    CheckRange(quantity, kWorkplaceQuantityCount, "quantity");
    const ClassCaptions& captions = kClassCaptions[classIndex];
    if (quantity == kWorkplaces)
        return side == kWorkplaceTotal ? captions.workplacesTotal : captions.workplacesPeriod;
    if (quantity == kWorkers && side == kWorkplacePeriod && !captions.periodWorkersAsTotal)
        return kPeriodWorkersCaption;
    return kQuantityCaptions[quantity];
}

std::string_view WorkplaceUnit(int quantity)
{
    CheckRange(quantity, kWorkplaceQuantityCount, "quantity");
    return kUnits[quantity];
}

std::string_view WorkplaceSideHeading(int side)
{
    CheckRange(side, kWorkplaceSideCount, "side");
    return kSideHeadings[side];
}

} // namespace card
