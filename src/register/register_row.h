#pragma once
// One row of the register: what the office needs to see of one card file,
// read with the card core's own reader and judged by its own checks.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "card/card_record.h"
#include "card/workplace_counts.h"

namespace reg {

inline constexpr char kStateOk[] = "в порядке";

enum class CardState {
    Ok,      // the card program would save it as it stands
    Faulty,  // read, but the card program would refuse to save it (or to show it)
    Refused, // the card reader refused the file
};

// Workplaces assessed per class: class by class, the total, then the period.
inline constexpr int kWorkplaceColumns = card::kWorkplaceClassCount * card::kWorkplaceSideCount;

struct RegisterRow {
    std::string file; // as shown: the path relative to the chosen folder, UTF-8 (other bytes as U+FFFD)
    std::string path; // to open the file again: as the reader found it (a Linux name's bytes as they are)
    CardState state = CardState::Refused;
    std::string stateText;            // kStateOk, the first refusal, or the reader's message
    std::vector<std::string> remarks; // questions the card program would ask on saving

    // The card (empty for a refused file).
    int version = 0; // 1 or 2
    std::int32_t districtCode = 0;
    std::string legalForm;
    std::string orgName;
    std::string inn;
    bool innValid = false;
    std::string okvedCode;
    int okvedSource = 0; // 0 none, 1 OKVED, 2 KDES2
    std::int32_t year = 0;
    int period = 0; // item of the period group: 0 first half-year, 1 annual
    std::int32_t headcount = 0;
    std::int32_t injured = 0;
    std::int32_t fatal = 0;
    std::int32_t lostDays = 0;
    std::string spending; // as typed, decimal comma
    std::array<std::int32_t, kWorkplaceColumns> workplaces{};
    std::int32_t trained = 0;
    bool hasService = false;
    int serviceStaff = 0;

    // The yes/no answers of the state page, in its order (a stored byte
    // beyond "Да" shows "Да", as in the card window); a date only when its
    // answer is "Да", as stored.
    bool collectiveAgreement = false;
    bool improvementMeasures = false;
    bool managementCertified = false;
    bool otCommission = false;
    bool otOffice = false;
    bool assessmentDone = false;
    std::string assessmentDate;
    bool expertiseDone = false;
    std::string expertiseDate;

    // When the file was last modified: nanoseconds since 1970 UTC (0: unknown).
    std::int64_t modified = 0;
    // Files holding a card of the same INN, year and period (0: no repeat),
    // and whether this one is the file of them that counts in every sum.
    int repeatFiles = 0;
    bool counted = true;

    bool read() const { return state != CardState::Refused; }
    // Whether the row goes into sums, indicators and the exports' sums.
    bool summed() const { return read() && counted; }
};

// Index into RegisterRow::workplaces.
constexpr int WorkplaceColumn(int classIndex, int side) { return classIndex * card::kWorkplaceSideCount + side; }

// Reads the card file `path` (UTF-8; on Linux any bytes) and makes its row,
// `shownName` being the file column, in its readable form (card::ValidUtf8). Never throws for anything a file may hold; never writes.
RegisterRow ReadRegisterRow(const std::string& path, const std::string& shownName);

// The row of an accepted card record (state and remarks included).
void FillRegisterRow(const card::TCardRec& card, RegisterRow& row);

} // namespace reg
