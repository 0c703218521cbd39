#pragma once
// The real message boxes: every box carries the program's title as caption
// (the card program's unless another is given). A box is shown on the
// window's thread only; a message from any other thread has no one to read
// it and is dropped (a question there is answered "closed").
#include <functional>
#include <string>
#include <utility>

#include "card/errors.h"
#include "card/messages.h"

class QtMessages final : public card::Messages {
public:
    explicit QtMessages(std::string caption = card::kAppTitle)
        : caption_(std::move(caption))
    {
    }

    void info(const std::string& text) override;
    card::Answer confirm(const std::string& question, card::Answer byDefault) override;
    void error(const std::string& shownText) override;

private:
    std::string caption_;
};

// Runs one user command. An error that no handler catches (an invalid integer
// or date, a file error) ends the command here and reaches the error display;
// it never escapes into Qt's event loop.
void RunGuarded(const std::function<void()>& command);
