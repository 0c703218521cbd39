#include "register/register_submissions.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "card/card_captions.h"
#include "card/text_rules.h"

namespace reg {
namespace {

// The latest card of an INN: the latest year and period, then the one that
// counts, then the one modified last.
bool Later(const RegisterRow& a, const RegisterRow& b)
{
    return std::make_tuple(a.year, a.period, a.counted, a.modified)
        > std::make_tuple(b.year, b.period, b.counted, b.modified);
}

struct Enterprise {
    const RegisterRow* latest = nullptr;
    bool current = false;
    bool previous = false;
};

SubmissionEntry EntryOf(const std::string& inn, const Enterprise* enterprise, const std::string& listName)
{
    SubmissionEntry entry;
    entry.inn = inn;
    entry.name = listName;
    if (enterprise && enterprise->latest) {
        const RegisterRow& card = *enterprise->latest;
        entry.district = DistrictLabel(card.districtCode);
        if (entry.name.empty())
            entry.name = card.orgName;
        entry.lastFile = card.file;
    }
    return entry;
}

void Sort(std::vector<SubmissionEntry>& entries, const std::map<std::string, Enterprise>& byInn)
{
    const auto place = [&](const SubmissionEntry& e) {
        const auto it = byInn.find(e.inn);
        // Entries without a card come last.
        if (it == byInn.end() || !it->second.latest)
            return std::make_pair(true, DistrictPlace{true, INT32_MAX});
        return std::make_pair(false, DistrictPlaceOf(it->second.latest->districtCode));
    };
    std::stable_sort(entries.begin(), entries.end(), [&](const SubmissionEntry& a, const SubmissionEntry& b) {
        return std::make_tuple(place(a), a.name, a.inn) < std::make_tuple(place(b), b.name, b.inn);
    });
}

} // namespace

SubmissionLists CompareSubmissions(const std::vector<const RegisterRow*>& rows, YearPeriod current,
                                   const ReferenceList* reference)
{
    SubmissionLists lists;
    lists.current = current;
    lists.previous = PreviousYearPeriod(current);
    lists.byReference = reference != nullptr;
    std::map<std::string, Enterprise> byInn;
    for (const RegisterRow* row : rows) {
        if (!row->read())
            continue;
        const std::string inn = card::TrimSpaces(row->inn);
        if (inn.empty())
            continue;
        Enterprise& enterprise = byInn[inn];
        if (!enterprise.latest || Later(*row, *enterprise.latest))
            enterprise.latest = row;
        const YearPeriod period{row->year, row->period};
        enterprise.current |= period == lists.current;
        enterprise.previous |= period == lists.previous;
    }
    if (reference) {
        std::set<std::string> listed;
        for (const ReferenceEntry& entry : reference->entries) {
            listed.insert(entry.inn);
            const auto it = byInn.find(entry.inn);
            if (it == byInn.end() || !it->second.current)
                lists.notHandedIn.push_back(EntryOf(entry.inn, it == byInn.end() ? nullptr : &it->second, entry.name));
        }
        for (const auto& [inn, enterprise] : byInn)
            if (enterprise.current && !listed.count(inn))
                lists.newOnes.push_back(EntryOf(inn, &enterprise, {}));
    } else {
        for (const auto& [inn, enterprise] : byInn) {
            if (enterprise.previous && !enterprise.current)
                lists.notHandedIn.push_back(EntryOf(inn, &enterprise, {}));
            if (enterprise.current && !enterprise.previous)
                lists.newOnes.push_back(EntryOf(inn, &enterprise, {}));
        }
    }
    Sort(lists.notHandedIn, byInn);
    Sort(lists.newOnes, byInn);
    return lists;
}

SubmissionLists InDistrict(SubmissionLists lists, std::optional<int> district)
{
    if (!district)
        return lists;
    const bool known = *district >= 0 && *district < static_cast<int>(card::kDistrictNames.size());
    const auto elsewhere = [&](const SubmissionEntry& entry) {
        return !known || entry.district != card::kDistrictNames[static_cast<std::size_t>(*district)];
    };
    std::erase_if(lists.notHandedIn, elsewhere);
    std::erase_if(lists.newOnes, elsewhere);
    return lists;
}

} // namespace reg
