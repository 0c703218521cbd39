#pragma once
// Replaces the program's message boxes in a test and records what they show.
#include <deque>
#include <string>
#include <vector>

#include "support/dialogue_recorder.h"
#include "widgets/messages_qt.h"

class MessageRecorder final : public MessageBoxes, public MessageLog {
public:
    MessageRecorder() { previous_ = SetBoxes(this); }
    ~MessageRecorder() override { SetBoxes(previous_); }

    void info(const std::string& text) override { shown.push_back({RecordedMessage::Info, text}); }
    card::Answer confirm(const std::string& question, card::Answer byDefault) override
    {
        return answer(question, byDefault);
    }
    void error(const std::string& text) override { shown.push_back({RecordedMessage::Error, text}); }

private:
    MessageBoxes* previous_ = nullptr;
};
