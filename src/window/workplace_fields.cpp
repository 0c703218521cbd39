#include "window/workplace_fields.h"

#include <array>
#include <stdexcept>

namespace workplaces {
namespace {

struct ClassRow {
    const char* prefix;   // name part before the quantity letter
    const char* suffix;   // name part after it
    int page;
    int block;
    const char* workplacesTotal;  // row-1 labels; their punctuation differs from class to class
    const char* workplacesPeriod;
    bool periodWorkersAsTotal;    // the period column repeats the total's workers label
};

constexpr std::array<ClassRow, kClassCount> kClasses{{
    {"EdN14", "1", 3, 0,
     "Количество рабочих мест, оценённых с классом условий труда 1, всего",
     "Количество рабочих мест, оценённых с классом условий труда 1 за отчетный период", false},
    {"EdN15", "2", 3, 1,
     "Количество рабочих мест, оценённых с классом условий труда 2, всего",
     "Количество рабочих мест, оценённых с классом условий труда 2, за отчетный период", false},
    {"EdN16", "3_1", 4, 0,
     "Количество рабочих мест, оценённых с классом условий труда 3.1, всего",
     "Количество рабочих мест, оценённых с классом условий труда 3.1 за отчетный период", false},
    {"EdN16", "3_2", 4, 1,
     "Количество рабочих мест, оценённых с классом условий труда 3.2, всего",
     "Количество рабочих мест, оценённых с классом условий труда 3.2 за отчетный период", true},
    {"EdN16", "3_3", 5, 0,
     "Количество рабочих мест, оценённых с классом условий труда 3.3, всего",
     "Количество рабочих мест, оценённых с классом условий труда 3.3 за отчетный период", false},
    {"EdN16", "3_4", 5, 1,
     "Количество рабочих мест, оценённых с классом условий труда 3.4 всего",
     "Количество рабочих мест, оценённых с классом условий труда 3.4 за отчетный период", true},
    {"EdN16", "4", 6, 0,
     "Количество рабочих мест, оценённых с классом условий труда 4, всего",
     "Количество рабочих мест, оценённых с классом условий труда 4 за отчетный период", false},
}};

struct QuantityRow {
    const char* letter;
    const char* label; // rows 2 to 5; row 1 is per class
    const char* unit;
};

constexpr std::array<QuantityRow, kQuantityCount> kQuantities{{
    {"M", nullptr, "мест"},
    {"W", "количество работников, занятых на этих рабочих местах,  всего", "чел."},
    {"J", "из них: женщин", "чел."},
    {"18", "лиц в возрасте до 18 лет", "чел."},
    {"I", "инвалидов", "чел."},
}};

constexpr char kPeriodWorkersLabel[] = "количество работников, занятых на этих рабочих местах";

constexpr std::array<const char*, kSideCount> kSideLetters{"V", "OP"};

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
                fields.push_back({c, s, q, CountFieldName(c, s, q), LabelOf(c, s, q),
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
    return CountFields()[10 * classIndex + 5 * side + quantity];
}

std::string CountFieldName(int classIndex, int side, int quantity)
{
    CheckIndexes(classIndex, side, quantity);
    const ClassRow& row = kClasses[classIndex];
    return std::string(row.prefix) + kQuantities[quantity].letter + row.suffix + kSideLetters[side];
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
