#include "window/workplace_fields.h"

#include <array>
#include <stdexcept>

#include "widgets/field_captions.h"

namespace workplaces {
namespace {

// Where each class stands: its page and block (0 upper, 1 lower).
struct ClassPlace {
    int page;
    int block;
};

constexpr std::array<ClassPlace, kClassCount> kClasses{{{3, 0}, {3, 1}, {4, 0}, {4, 1}, {5, 0}, {5, 1}, {6, 0}}};

std::vector<CountField> BuildFields()
{
    std::vector<CountField> fields;
    fields.reserve(kClassCount * kSideCount * kQuantityCount);
    for (int c = 0; c < kClassCount; ++c)
        for (int s = 0; s < kSideCount; ++s)
            for (int q = 0; q < kQuantityCount; ++q)
                fields.push_back({c, s, q, card::WorkplaceControlName(c, s, q),
                                  CardText(card::WorkplaceCaption(c, s, q)), CardText(card::WorkplaceUnit(q))});
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

QString SideHeading(int side) { return CardText(card::WorkplaceSideHeading(side)); }

QString TrainedLabel() { return CaptionText(kTrainedName); }

} // namespace workplaces
