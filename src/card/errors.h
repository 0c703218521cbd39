#pragma once
// Errors that no handler catches: they end the current command and reach the
// error display (see guarded calls in the window layer).
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace card {

class CardError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A CardError in the value of one control (a count that is no integer), so
// the window can bring that control forward.
class FieldError : public CardError {
public:
    FieldError(std::string control, const std::string& message)
        : CardError(message)
        , control_(std::move(control))
    {
    }
    const std::string& control() const { return control_; }

private:
    std::string control_;
};

// The integer in the text of `control`; FieldError (StrToInt's message) when
// there is none.
int32_t ControlInt(const std::string& control, const std::string& text);

// "'%s' is not a valid integer value" for a text that is not a decimal int32.
int32_t StrToInt(const std::string& text);

} // namespace card
