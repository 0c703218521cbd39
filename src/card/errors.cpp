#include "card/errors.h"

#include <charconv>

namespace card {

int32_t StrToInt(const std::string& text)
{
    const char* first = text.data();
    const char* last = first + text.size();
    // from_chars takes a '-' of its own, so "+-5" would pass as -5.
    if (first != last && *first == '+' && (first + 1 == last || first[1] != '-'))
        ++first;
    int32_t value = 0;
    auto [end, ec] = std::from_chars(first, last, value);
    if (first == last || ec != std::errc() || end != last)
        throw CardError("'" + text + "' is not a valid integer value");
    return value;
}

int32_t ControlInt(const std::string& control, const std::string& text)
{
    try {
        return StrToInt(text);
    } catch (const CardError& e) {
        throw FieldError(control, e.what());
    }
}

} // namespace card
