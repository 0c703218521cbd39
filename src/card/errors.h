#pragma once
// Errors that no handler catches: they end the current command and reach the
// error display (see guarded calls in the window layer).
#include <cstdint>
#include <stdexcept>
#include <string>

namespace card {

class CardError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "'%s' is not a valid integer value" for a text that is not a decimal int32.
int32_t StrToInt(const std::string& text);

} // namespace card
