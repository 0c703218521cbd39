#include "card/text_rules.h"

namespace card {

std::string TrimSpaces(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ')
            out.push_back(c);
    return out;
}

} // namespace card
