#pragma once
// Who handed in a card and who did not, matched by INN: the enterprises of
// the reference (the cards of the same period of the year before, or the
// office's own list) without a card for the chosen year and period, and
// those with a card that the reference lacks.
#include <optional>
#include <string>
#include <vector>

#include "register/reference_list.h"
#include "register/register_row.h"
#include "register/register_summary.h"

namespace reg {

struct SubmissionEntry {
    std::string district; // of the enterprise's latest card; empty without one
    std::string name;     // the list's name, else the latest card's
    std::string inn;
    std::string lastFile; // the latest card's file as shown; empty without one
};

struct SubmissionLists {
    YearPeriod current, previous;
    bool byReference = false; // the office's list was the reference
    std::vector<SubmissionEntry> notHandedIn;
    std::vector<SubmissionEntry> newOnes;
};

// The lists narrowed to one item of the district list (as the district
// filter picks cards); nullopt keeps them whole. An entry of the office's
// list without any card belongs to no district: it stays in the lists of all.
SubmissionLists InDistrict(SubmissionLists lists, std::optional<int> district);

// Over the read cards among `rows` (a card without an INN matches nothing).
// Each list runs in the order of the district view, then by name and INN.
SubmissionLists CompareSubmissions(const std::vector<const RegisterRow*>& rows, YearPeriod current,
                                   const ReferenceList* reference = nullptr);

} // namespace reg
