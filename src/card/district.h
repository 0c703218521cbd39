#pragma once
// The district code stored in a card and the item of the district list
// CombRn (13 entries) that shows it.
#include <cstdint>

namespace card {

inline constexpr int kDistrictCount = 13;

// Storing: item index i gives i + 2 from index 13 on, otherwise i + 1; no
// selection (-1) gives 0.
std::int32_t DistrictCodeFromIndex(int itemIndex);

// Showing: code 14 selects the last entry (index 12), any other code c index
// c - 1. A code that selects no entry of the list (0, negative, above 14)
// gives -1: no selection.
int DistrictIndexFromCode(std::int32_t code);

} // namespace card
