#pragma once
// Replaces the program's message boxes in a test and records what they show.
#include <deque>
#include <string>
#include <vector>

#include "support/dialogue_recorder.h"
#include "widgets/messages_qt.h"

class MessageRecorder final : public MessageBoxes {
public:
    MessageRecorder() { previous_ = SetBoxes(this); }
    ~MessageRecorder() override { SetBoxes(previous_); }

    void info(const std::string& text) override { shown.push_back({RecordedMessage::Info, text}); }
    card::Answer confirm(const std::string& question, card::Answer byDefault) override
    {
        shown.push_back({RecordedMessage::Confirm, question});
        defaults.push_back(byDefault);
        if (answers.empty())
            return card::Answer::Closed;
        card::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void error(const std::string& text) override { shown.push_back({RecordedMessage::Error, text}); }

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
    std::vector<card::Answer> defaults; // the default answer of each confirmation box
    std::deque<card::Answer> answers;   // answers to the next confirmation boxes
private:
    MessageBoxes* previous_ = nullptr;
};
