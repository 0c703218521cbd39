#pragma once
// The columns of the register, written once: the window, the totals, the
// district view and both exports take their headers, cells and numbers from
// this table.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "register/register_row.h"

namespace reg {

enum class ColumnKind { Text, Number };

// A number cell keeps its text empty unless the number was typed as text
// (the spending); ShownText gives what is shown either way.
struct Cell {
    std::string text;
    std::optional<double> number;
    bool operator==(const Cell&) const = default;
};

std::string ShownText(const Cell& cell);

struct RegisterColumn {
    std::string header;
    ColumnKind kind = ColumnKind::Text;
    bool summed = false; // its total and district sums are shown
    int width = 10;      // characters, for the exports and the window
    Cell (*cell)(const RegisterRow&) = nullptr;
    // Sums add whole units of 1/sumScale (a kopeck of the thousands of
    // roubles of the spending), so a total carries no float noise.
    std::int64_t sumScale = 1;
};

const std::vector<RegisterColumn>& RegisterColumns();

// Named columns the window treats specially.
enum : int { kColumnFile = 0, kColumnDistrict = 1, kColumnOrgName = 3, kColumnShortState = 4, kColumnInn = 5 };
int StateColumn();
int RepeatColumn();

// A number as the office writes it: integers plain, fractions with a
// decimal comma and without trailing zeros ("15,6").
std::string FormatNumber(double value);

// A typed amount such as "15,6", "1 200", "-3.5"; nullopt for anything that
// is no number.
std::optional<double> ParseAmount(const std::string& text);
// The same amount as a plain number with all its digits: "-" when negative,
// the digits, a decimal comma ("1 200.5" gives "1200,5"); nullopt likewise.
std::optional<std::string> PlainAmount(const std::string& text);

// A typed amount in whole units of 1/scale, rounded half away from zero
// ("15,5" at 100000 gives 1550000); nullopt for what is no number or too
// large for 64 bits.
std::optional<std::int64_t> AmountUnits(const std::string& text, std::int64_t scale);

// The text without the spaces at its ends (card::TrimSpaces drops them all).
std::string TrimmedEnds(std::string_view text);

// A message as one line: its line breaks become single spaces.
std::string OneLine(const std::string& text);

} // namespace reg
