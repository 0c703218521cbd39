#include "card/messages.h"

#include "card/utf8.h"

namespace card {
namespace {

class SilentMessages final : public Messages {
public:
    void info(const std::string&) override {}
    Answer confirm(const std::string&, Answer) override { return Answer::Closed; }
    void error(const std::string&) override {}
};

SilentMessages silent;
Messages* current = &silent;

} // namespace

Messages& messages() { return *current; }

Messages* setMessages(Messages* boxes)
{
    Messages* previous = current == &silent ? nullptr : current;
    current = boxes ? boxes : &silent;
    return previous;
}

std::string ErrorDisplayText(const std::string& message)
{
    if (message.empty())
        return message;
    if (LastCodePoint(message) > U'.')
        return message + ".";
    return message;
}

void ShowError(const std::string& message) { messages().error(ErrorDisplayText(message)); }

} // namespace card
