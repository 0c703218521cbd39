#pragma once
// The user of the card core in a test: answers its questions from a list and
// records them, with what it tells and what an outcome says, in the order a
// window would show them.
#include <deque>
#include <string>
#include <vector>

#include "card/outcome.h"

struct RecordedMessage {
    enum Kind { Info, Confirm, Error } kind;
    std::string text;
    bool operator==(const RecordedMessage&) const = default;
};

inline RecordedMessage Recorded(const card::Message& message)
{
    return {message.kind == card::Message::Error ? RecordedMessage::Error : RecordedMessage::Info, message.text};
}

// What a test's user was shown and asked, and the answers it gives: the
// dialogue recorder and the Qt boxes' recorder both keep it this way.
struct MessageLog {
    // Records a question and gives the next answer ("closed" when none is left).
    card::Answer answer(const std::string& question, card::Answer byDefault)
    {
        shown.push_back({RecordedMessage::Confirm, question});
        defaults.push_back(byDefault);
        if (answers.empty())
            return card::Answer::Closed;
        card::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const auto& m : shown)
            out.push_back(m.text);
        return out;
    }
    void clear()
    {
        shown.clear();
        defaults.clear();
    }

    std::vector<RecordedMessage> shown;
    std::vector<card::Answer> defaults; // the default answer of each question
    std::deque<card::Answer> answers;   // answers to the next questions
};

class DialogueRecorder final : public card::Dialogue, public MessageLog {
public:
    card::Answer ask(const std::string& question, card::Answer byDefault) override
    {
        return answer(question, byDefault);
    }
    void tell(const card::Message& message) override { shown.push_back(Recorded(message)); }

    // Shows an outcome's messages as the window does after the command;
    // returns whether it was accepted.
    bool show(const card::Outcome& outcome)
    {
        for (const card::Message& message : outcome.messages)
            shown.push_back(Recorded(message));
        return outcome.accepted;
    }
};
