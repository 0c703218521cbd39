#pragma once
// The 70 workplace count edits of pages 3 to 6 (seven working-conditions
// classes x two columns x five quantities), written once: name, label, unit
// and place of every edit. The pages are built from this table, and the card
// conversion walks it in the same order as the card stores the counts.
#include <string>
#include <vector>

#include <QString>

#include "card/workplace_counts.h"

namespace workplaces {

inline constexpr int kClassCount = card::kWorkplaceClassCount; // 1, 2, 3.1, 3.2, 3.3, 3.4, 4
inline constexpr int kSideCount = card::kWorkplaceSideCount;   // "ВСЕГО", "В ОТЧЕТНОМ ПЕРИОДЕ"
inline constexpr int kQuantityCount = card::kWorkplaceQuantityCount; // workplaces .. disabled

enum Side { Total = card::kWorkplaceTotal, Period = card::kWorkplacePeriod };
enum Quantity {
    Workplaces = card::kWorkplaces,
    Workers = card::kWorkers,
    Women = card::kWomen,
    Under18 = card::kUnder18,
    Disabled = card::kDisabled,
};

struct CountField {
    int classIndex;
    int side;
    int quantity;
    std::string name; // objectName of the edit
    QString label;    // text left of the edit
    QString unit;     // text right of the edit
};

// All 70 fields in the card's storage order: field i has
// i == card::WorkplaceCountIndex(class, side, quantity).
const std::vector<CountField>& CountFields();
const CountField& CountFieldAt(int classIndex, int side, int quantity);

// Where a class stands: its page (3 to 6) and block on that page (0 upper, 1 lower).
int PageOfClass(int classIndex);
int BlockOfClass(int classIndex);
// The classes shown on page `pageIndex`, upper block first.
std::vector<int> ClassesOnPage(int pageIndex);

// Column headings and the training count of page 6.
QString SideHeading(int side);
inline constexpr char kTrainedName[] = "EdEduc";
QString TrainedLabel();

} // namespace workplaces
