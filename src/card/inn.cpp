#include "card/inn.h"

#include <array>
#include <cstdint>

namespace card {
namespace {

constexpr std::array<std::uint8_t, 9> kWeights10 = {2, 4, 10, 3, 5, 9, 4, 6, 8};
constexpr std::array<std::uint8_t, 10> kWeights12First = {7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
constexpr std::array<std::uint8_t, 11> kWeights12Second = {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int Digit(std::string_view text, std::size_t i) { return text[i] - '0'; }

// The check digit that the weighted sum of the leading digits calls for.
template <std::size_t N>
int CheckDigit(std::string_view text, const std::array<std::uint8_t, N>& weights)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < N; ++i)
        sum += weights[i] * Digit(text, i);
    return static_cast<int>(sum % 11 % 10);
}

} // namespace

bool InnCheck(std::string_view text)
{
    if (text.size() != 10 && text.size() != 12)
        return false;
    for (char c : text)
        if (!IsDigit(c))
            return false;
    if (text.size() == 10)
        return CheckDigit(text, kWeights10) == Digit(text, 9);
    return CheckDigit(text, kWeights12First) == Digit(text, 10)
        && CheckDigit(text, kWeights12Second) == Digit(text, 11);
}

} // namespace card
