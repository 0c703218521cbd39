#include "register/message_capture.h"

namespace reg {
namespace {

thread_local MessageCapture* current = nullptr;

class ThreadRouter final : public card::Messages {
public:
    card::Messages* fallback = nullptr;

    void info(const std::string& text) override { target().info(text); }
    card::Answer confirm(const std::string& question, card::Answer byDefault) override
    {
        return target().confirm(question, byDefault);
    }
    void error(const std::string& text) override { target().error(text); }

private:
    card::Messages& target()
    {
        if (current)
            return *current;
        if (fallback)
            return *fallback;
        return silent_;
    }
    class Silent final : public card::Messages {
    public:
        void info(const std::string&) override {}
        card::Answer confirm(const std::string&, card::Answer) override { return card::Answer::Closed; }
        void error(const std::string&) override {}
    } silent_;
};

ThreadRouter router;

} // namespace

void RouteMessagesByThread()
{
    if (&card::messages() != &router)
        router.fallback = card::setMessages(&router);
}

MessageCapture::MessageCapture()
    : outer_(current)
{
    current = this;
}

MessageCapture::~MessageCapture() { current = outer_; }

void MessageCapture::clear()
{
    infos.clear();
    questions.clear();
    errors.clear();
}

} // namespace reg
