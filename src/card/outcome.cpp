#include "card/outcome.h"

#include "card/utf8.h"

namespace card {

std::string ErrorDisplayText(const std::string& message)
{
    if (message.empty())
        return message;
    if (LastCodePoint(message) > U'.')
        return message + ".";
    return message;
}

} // namespace card
