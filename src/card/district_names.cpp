#include "card/district_names.h"

#include "card/card_captions.h"

namespace card {

std::string_view DistrictName(int itemIndex)
{
    if (itemIndex < 0 || itemIndex >= kDistrictCount)
        return {};
    return kDistrictNames[static_cast<std::size_t>(itemIndex)];
}

std::string DistrictNameOfCode(std::int32_t code)
{
    const int index = DistrictIndexFromCode(code);
    if (index >= 0)
        return std::string(DistrictName(index));
    return code == 0 ? std::string() : "код " + std::to_string(code);
}

} // namespace card
