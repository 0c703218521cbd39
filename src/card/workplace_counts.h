#pragma once
// The 70 workplace counts of a card: seven working-conditions classes, two
// columns ("ВСЕГО" and "В ОТЧЕТНОМ ПЕРИОДЕ"), five quantities each. This header
// is the one place that knows their order, offsets and control names.
#include <string>
#include <string_view>

namespace card {

inline constexpr int kWorkplaceClassCount = 7;    // 1, 2, 3.1, 3.2, 3.3, 3.4, 4
inline constexpr int kWorkplaceSideCount = 2;     // total, in the reporting period
inline constexpr int kWorkplaceQuantityCount = 5; // see WorkplaceQuantity
inline constexpr int kWorkplaceCountTotal = kWorkplaceClassCount * kWorkplaceSideCount * kWorkplaceQuantityCount;
inline constexpr int kWorkplaceCountsOffset = 14004;

// Column index (`side`).
inline constexpr int kWorkplaceTotal = 0;  // "ВСЕГО", control suffix V
inline constexpr int kWorkplacePeriod = 1; // "В ОТЧЕТНОМ ПЕРИОДЕ", control suffix OP

// Quantity index, in storage order.
enum WorkplaceQuantity : int {
    kWorkplaces = 0, // workplaces assessed with this class (letter M)
    kWorkers = 1,    // workers employed at them (W)
    kWomen = 2,      // of them women (J)
    kUnder18 = 3,    // persons under 18 (18)
    kDisabled = 4,   // disabled persons (I)
};

// "1", "2", "3.1", "3.2", "3.3", "3.4", "4" for class index 0..6.
std::string_view WorkplaceClassName(int classIndex);

// Position of one count in storage order (0..69).
constexpr int WorkplaceCountIndex(int classIndex, int side, int quantity)
{
    return 10 * classIndex + 5 * side + quantity;
}

// Offset of one count in the card record.
constexpr int WorkplaceCountOffset(int classIndex, int side, int quantity)
{
    return kWorkplaceCountsOffset + 4 * WorkplaceCountIndex(classIndex, side, quantity);
}

// objectName of the count's edit: prefix EdN14 (class 1), EdN15 (class 2) or
// EdN16 (classes 3.1 to 4), the quantity letter, the class (3.1 written 3_1)
// and V or OP; e.g. EdN14M1V, EdN15182OP, EdN16I3_4V.
std::string WorkplaceControlName(int classIndex, int side, int quantity);

// The same for a position in storage order (0..69).
std::string WorkplaceControlName(int countIndex);

// What the window writes beside a count: the caption left of its edit (the
// workplace captions differ in punctuation from class to class), the unit
// right of it, and the heading of its column.
std::string_view WorkplaceCaption(int classIndex, int side, int quantity);
std::string_view WorkplaceUnit(int quantity);
std::string_view WorkplaceSideHeading(int side);

} // namespace card
