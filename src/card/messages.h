#pragma once
// The three message boxes of the program, as the card core sees them.
// The window layer installs the real boxes; tests install a recorder.
#include <string>

namespace card {

inline constexpr char kAppTitle[] = "ЮНРА5. Карточка предприятия.";

enum class Answer { Yes, No, Closed };

class Messages {
public:
    virtual ~Messages() = default;
    // Information box: the text, no icon, one OK button.
    virtual void info(const std::string& text) = 0;
    // Confirmation box: question icon, buttons "Да" and "Нет"; `byDefault`
    // (Yes or No) is the one Enter presses.
    virtual Answer confirm(const std::string& question, Answer byDefault) = 0;
    // Error display: stop icon, one OK button. Receives the text exactly as
    // shown, i.e. after ErrorDisplayText.
    virtual void error(const std::string& shownText) = 0;
};

// The boxes currently in use (a silent stand-in until something is installed).
Messages& messages();
// Installs `boxes` (not owned; nullptr restores the silent stand-in) and
// returns what was installed before.
Messages* setMessages(Messages* boxes);

// The error display's rule: a full stop is appended when the last character
// of the message sorts after ".".
std::string ErrorDisplayText(const std::string& message);

// Shows an uncaught error's message in the error display.
void ShowError(const std::string& message);

} // namespace card
