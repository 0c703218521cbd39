#pragma once
// The card core speaks through one program-wide set of message boxes. The
// register reads many cards at once on several threads, so each reading
// thread catches what the core says to it in a MessageCapture of its own.
#include <string>
#include <vector>

#include "card/messages.h"

namespace reg {

// Routes the card core's messages to the capture of the calling thread (or,
// on a thread without one, to the boxes installed before). Call it on one
// thread before reading threads start; calling it again does nothing.
void RouteMessagesByThread();

class MessageCapture final : public card::Messages {
public:
    MessageCapture(); // becomes the calling thread's capture
    ~MessageCapture() override;
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    void info(const std::string& text) override { infos.push_back(text); }
    // A question does not stop the card: it is noted and answered "Да".
    card::Answer confirm(const std::string& question, card::Answer) override
    {
        questions.push_back(question);
        return card::Answer::Yes;
    }
    void error(const std::string& text) override { errors.push_back(text); }
    void clear();

    std::vector<std::string> infos;
    std::vector<std::string> questions;
    std::vector<std::string> errors;

private:
    MessageCapture* outer_;
};

} // namespace reg
