#pragma once
// What a reading, a check or a save did, returned to its caller, who shows it:
// the card window in its boxes, the register in its rows. The core keeps no
// message boxes of its own; a question a command must have answered before
// it goes on is put to the Dialogue its caller hands in.
#include <string>
#include <utility>
#include <vector>

namespace card {

inline constexpr char kAppTitle[] = "ЮНРА5. Карточка предприятия.";

enum class Answer { Yes, No, Closed };

struct Message {
    // Info: the information box (no icon, OK). Error: the error display (stop
    // icon, OK), its text already after ErrorDisplayText.
    enum Kind { Info, Error } kind = Info;
    std::string text;
    bool operator==(const Message&) const = default;
};

// The user, as a command meets them while it runs.
class Dialogue {
public:
    virtual ~Dialogue() = default;
    // A question (question icon, "Да" and "Нет"); `byDefault` is the answer
    // Enter gives.
    virtual Answer ask(const std::string& question, Answer byDefault) = 0;
    // A message that has its moment inside a command (the load's INN warning
    // comes while the window fills), shown as it comes.
    virtual void tell(const Message& message) = 0;
};

struct Outcome {
    bool accepted = true;
    // The version of the card read: 1 (upgraded on reading) or 2; 0 when
    // no card was read.
    int version = 0;
    // Every message, in the order the user sees them; a refusal's is the last.
    std::vector<Message> messages;
    // The questions the command asked, in order.
    std::vector<std::string> questions;
    // The control of the field a refusal concerns (its objectName, so the
    // window can bring it forward); empty when it concerns no single field.
    std::string field;

    void note(Message::Kind kind, std::string text) { messages.push_back({kind, std::move(text)}); }
    // Ends the command: `text` becomes the refusal's message.
    Outcome& refuse(Message::Kind kind, std::string text, std::string concerns = {})
    {
        accepted = false;
        note(kind, std::move(text));
        field = std::move(concerns);
        return *this;
    }
    // The refusal's message; empty for an accepted outcome.
    std::string refusal() const { return accepted || messages.empty() ? std::string() : messages.back().text; }
};

// The error display's rule: a full stop is appended when the last character
// of the message sorts after ".".
std::string ErrorDisplayText(const std::string& message);

} // namespace card
