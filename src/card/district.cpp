#include "card/district.h"

namespace card {

std::int32_t DistrictCodeFromIndex(int itemIndex)
{
    if (itemIndex < 0)
        return 0;
    return itemIndex >= kDistrictCount ? itemIndex + 2 : itemIndex + 1;
}

int DistrictIndexFromCode(std::int32_t code)
{
    // Code 14 is shown on the last entry as well, so both 13 and 14 select it.
    if (code == kDistrictCount + 1)
        return kDistrictCount - 1;
    if (code < 1 || code > kDistrictCount)
        return -1;
    return code - 1;
}

} // namespace card
