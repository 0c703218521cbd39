#include "window/workplace_fields.h"

#include <array>
#include <stdexcept>

namespace workplaces {
namespace {

struct ClassRow {
    int page;
    int block;
    const char* workplacesTotal;  // row-1 labels; their punctuation differs from class to class
    const char* workplacesPeriod;
    bool periodWorkersAsTotal;    // the period column repeats the total's workers label
};

constexpr std::array<ClassRow, kClassCount> kClasses{{
    {3, 0,
     "Количество рабочих мест, оценённых с классом условий труда 1, всего",
     "Количество рабочих мест, оценённых с классом условий труда 1 за отчетный период", false},
    {3, 1,
     "Количество рабочих мест, оценённых с классом условий труда 2, всего",
     "Количество рабочих мест, оценённых с классом условий труда 2, за отчетный период", false},
    {4, 0,
     "Количество рабочих мест, оценённых с классом условий труда 3.1, всего",
     "Количество рабочих мест, оценённых с классом условий труда 3.1 за отчетный период", false},
    {4, 1,
     "Количество рабочих мест, оценённых с классом условий труда 3.2, всего",
     "Количество рабочих мест, оценённых с классом условий труда 3.2 за отчетный период", true},
    {5, 0,
     "Количество рабочих мест, оценённых с классом условий труда 3.3, всего",
     "Количество рабочих мест, оценённых с классом условий труда 3.3 за отчетный период", false},
    {5, 1,
     "Количество рабочих мест, оценённых с классом условий труда 3.4 всего",
     "Количество рабочих мест, оценённых с классом условий труда 3.4 за отчетный период", true},
    {6, 0,
     "Количество рабочих мест, оценённых с классом условий труда 4, всего",
     "Количество рабочих мест, оценённых с классом условий труда 4 за отчетный период", false},
}};

struct QuantityRow {
    const char* label; // rows 2 to 5; row 1 is per class
    const char* unit;
};

constexpr std::array<QuantityRow, kQuantityCount> kQuantities{{
    {nullptr, "мест"},
    {"количество работников, занятых на этих рабочих местах,  всего", "чел."},
    {"из них: женщин", "чел."},
    {"лиц в возрасте до 18 лет", "чел."},
    {"инвалидов", "чел."},
}};

constexpr char kPeriodWorkersLabel[] = "количество работников, занятых на этих рабочих местах";

QString LabelOf(int classIndex, int side, int quantity)
{
    const ClassRow& row = kClasses[classIndex];
    if (quantity == Workplaces)
        return QString::fromUtf8(side == Total ? row.workplacesTotal : row.workplacesPeriod);
    if (quantity == Workers && side == Period && !row.periodWorkersAsTotal)
        return QString::fromUtf8(kPeriodWorkersLabel);
    return QString::fromUtf8(kQuantities[quantity].label);
}

std::vector<CountField> BuildFields()
{
    std::vector<CountField> fields;
    fields.reserve(kClassCount * kSideCount * kQuantityCount);
    for (int c = 0; c < kClassCount; ++c)
        for (int s = 0; s < kSideCount; ++s)
            for (int q = 0; q < kQuantityCount; ++q)
                fields.push_back({c, s, q, card::WorkplaceControlName(c, s, q), LabelOf(c, s, q),
                                  QString::fromUtf8(kQuantities[q].unit)});
    return fields;
}

void CheckIndexes(int classIndex, int side, int quantity)
{
    if (classIndex < 0 || classIndex >= kClassCount || side < 0 || side >= kSideCount || quantity < 0
        || quantity >= kQuantityCount)
        throw std::out_of_range("workplace count index");
}

} // namespace

const std::vector<CountField>& CountFields()
{
    static const std::vector<CountField> fields = BuildFields();
    return fields;
}

const CountField& CountFieldAt(int classIndex, int side, int quantity)
{
    CheckIndexes(classIndex, side, quantity);
    return CountFields()[card::WorkplaceCountIndex(classIndex, side, quantity)];
}

int PageOfClass(int classIndex) { return kClasses.at(classIndex).page; }

int BlockOfClass(int classIndex) { return kClasses.at(classIndex).block; }

std::vector<int> ClassesOnPage(int pageIndex)
{
    std::vector<int> classes;
    for (int block = 0; block < 2; ++block)
        for (int c = 0; c < kClassCount; ++c)
            if (kClasses[c].page == pageIndex && kClasses[c].block == block)
                classes.push_back(c);
    return classes;
}

QString SideHeading(int side)
{
    return side == Total ? QStringLiteral("ВСЕГО") : QStringLiteral("В ОТЧЕТНОМ ПЕРИОДЕ");
}

QString TrainedLabel()
{
    return QStringLiteral("Количество обученных по вопросам охраны труда, в том числе в аккредитованных "
                          "организациях, оказывающих услугу по обучению работодателей и работников "
                          "вопросам охраны труда");
}

} // namespace workplaces
