#include "card/district_names.h"

namespace card {
namespace {

constexpr std::string_view kNames[kDistrictCount] = {
    "Г. НАЛЬЧИК",     "Г. БАКСАН",         "Г. ПРОХЛАДНЫЙ", "БАКСАНСКИЙ Р-Н",  "ЗОЛЬСКИЙ Р-Н",
    "ЛЕСКЕНСКИЙ Р-Н", "МАЙСКИЙ Р-Н",       "ПРОХЛАДНЕНСКИЙ Р-Н", "ТЕРСКИЙ Р-Н", "УРВАНСКИЙ Р-Н",
    "ЧЕГЕМСКИЙ Р-Н",  "ЧЕРЕКСКИЙ Р-Н",     "ЭЛЬБРУССКИЙ Р-Н",
};

} // namespace

std::string_view DistrictName(int itemIndex)
{
    if (itemIndex < 0 || itemIndex >= kDistrictCount)
        return {};
    return kNames[itemIndex];
}

std::string DistrictNameOfCode(std::int32_t code)
{
    const int index = DistrictIndexFromCode(code);
    if (index >= 0)
        return std::string(DistrictName(index));
    return code == 0 ? std::string() : "код " + std::to_string(code);
}

} // namespace card
