#pragma once
// The 70 workplace count edits of pages 3 to 6 (seven working-conditions
// classes x two columns x five quantities), written once: name, label, unit
// and place of every edit. The pages are built from this table, and the card
// conversion walks it in the same order as the card stores the counts.
#include <string>
#include <vector>

#include <QString>

namespace workplaces {

inline constexpr int kClassCount = 7;    // classes 1, 2, 3.1, 3.2, 3.3, 3.4, 4
inline constexpr int kSideCount = 2;     // 0 "ВСЕГО" (total), 1 "В ОТЧЕТНОМ ПЕРИОДЕ"
inline constexpr int kQuantityCount = 5; // workplaces, workers, women, under 18, disabled

enum Side { Total = 0, Period = 1 };
enum Quantity { Workplaces = 0, Workers = 1, Women = 2, Under18 = 3, Disabled = 4 };

struct CountField {
    int classIndex;
    int side;
    int quantity;
    std::string name; // objectName of the edit
    QString label;    // text left of the edit
    QString unit;     // text right of the edit
};

// All 70 fields, class by class, within a class the total column first, within
// a column the quantities in order: field i has i == 10*class + 5*side + quantity.
const std::vector<CountField>& CountFields();
const CountField& CountFieldAt(int classIndex, int side, int quantity);

// The control name of one count edit: "EdN", the class prefix, the quantity
// letter, the class suffix, "V" or "OP" ("EdN14M1V", "EdN16183_2OP").
std::string CountFieldName(int classIndex, int side, int quantity);

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
