#pragma once
// The real message boxes: every box carries the application title as caption.
#include <functional>

#include "card/messages.h"

class QtMessages final : public card::Messages {
public:
    void info(const std::string& text) override;
    card::Answer confirm(const std::string& question) override;
    void error(const std::string& shownText) override;
};

// Runs one user command. An error that no handler catches (an invalid integer
// or date, a file error) ends the command here and reaches the error display;
// it never escapes into Qt's event loop.
void RunGuarded(const std::function<void()>& command);
