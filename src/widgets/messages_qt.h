#pragma once
// The program's message boxes: the one place the Qt front ends show a
// message or ask a question. The card core only returns what happened
// (card::Outcome) and asks through the card::Dialogue it is handed; the
// front ends show that here. The start-up installs the real boxes; tests
// install a recorder that answers for the user.
#include <functional>
#include <string>
#include <utility>

#include "card/errors.h"
#include "card/outcome.h"

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Information box: the text, no icon, one OK button.
    virtual void info(const std::string& text) = 0;
    // Confirmation box: question icon, buttons "Да" and "Нет"; `byDefault`
    // (Yes or No) is the one Enter presses.
    virtual card::Answer confirm(const std::string& question, card::Answer byDefault) = 0;
    // Error display: stop icon, one OK button. Receives the text exactly as
    // shown, i.e. after card::ErrorDisplayText.
    virtual void error(const std::string& shownText) = 0;
};

// The boxes currently in use (a silent stand-in until something is installed).
MessageBoxes& Boxes();
// Installs `boxes` (not owned; nullptr restores the silent stand-in) and
// returns what was installed before.
MessageBoxes* SetBoxes(MessageBoxes* boxes);

// The real boxes: every box carries the program's title as caption (the card
// program's unless another is given). A box is shown on the window's thread
// only; a message from any other thread has no one to read it and is dropped
// (a question there is answered "closed").
class QtMessages final : public MessageBoxes {
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

// The boxes as the card core's user: its questions in the confirmation box,
// what it tells in the box of the message's kind.
class BoxDialogue final : public card::Dialogue {
public:
    card::Answer ask(const std::string& question, card::Answer byDefault) override;
    void tell(const card::Message& message) override;
};

// Shows one message in the box of its kind.
void ShowMessage(const card::Message& message);
// Shows an outcome's messages in order.
void ShowMessages(const card::Outcome& outcome);

// Shows an uncaught error's message in the error display.
void ShowError(const std::string& message);

// Runs one user command. An error that no handler catches (an invalid integer
// or date, a file error) ends the command here and reaches the error display;
// it never escapes into Qt's event loop.
void RunGuarded(const std::function<void()>& command);
