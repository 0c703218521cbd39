#pragma once
// The card core's message boxes in the register's window, under the register's
// title. The reading threads keep their own captures: install these before the
// first reading starts, so that the routing of the threads hands the window's
// thread to them.
#include "card/messages.h"

class RegisterMessages final : public card::Messages {
public:
    void info(const std::string& text) override;
    card::Answer confirm(const std::string& question) override;
    void error(const std::string& shownText) override;
};
