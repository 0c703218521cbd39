#pragma once
// What the office does with the rows: repeats, filters, totals, the sums per
// district and the one-line account of a reading.
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "register/register_columns.h"
#include "register/register_row.h"

namespace reg {

// What makes two cards repeats: the same INN, year and period. nullopt for a
// row that repeats nothing (not read, or without an INN).
using RepeatKey = std::tuple<std::string, std::int32_t, int>;
std::optional<RepeatKey> RepeatKeyOf(const RegisterRow& row);

// Sets repeatFiles of every read row: the number of rows with the same INN,
// year and period when there is more than one, else 0. Rows without an INN
// repeat nothing.
void MarkRepeats(std::vector<RegisterRow>& rows);
// The same over rows held elsewhere (the window's model).
void MarkRepeats(const std::vector<RegisterRow*>& rows);

enum class StateFilter { Ok, Faulty, Refused, Repeats };

struct RegisterFilter {
    // An item of the district list: the cards whose district column shows it
    // (card::DistrictIndexFromCode, so the last item takes codes 13 and 14).
    std::optional<int> district;
    std::optional<std::int32_t> year;
    std::optional<int> period;
    std::optional<StateFilter> state;
};

bool Matches(const RegisterRow& row, const RegisterFilter& filter);

// The totals row over `rows`: the first column counts the cards, summed
// columns hold their sums, the others stay empty.
std::vector<Cell> TotalsRow(const std::vector<const RegisterRow*>& rows);

// The district view: one row per district of the read cards as the district
// column shows it (in the order of the district list, then one row per code
// outside it, by its value), with the number of cards, of faulty cards and
// the sums of the summed columns.
std::vector<std::string> DistrictHeaders();
std::vector<std::vector<Cell>> DistrictRows(const std::vector<const RegisterRow*>& rows);

struct ReadingCounts {
    int read = 0;
    int refused = 0;
    int faulty = 0;
    int repeats = 0; // rows that repeat another
};
ReadingCounts CountRows(const std::vector<const RegisterRow*>& rows);
// "Прочитано карточек: 12, не прочитано файлов: 2, с ошибками: 5, повторов: 2"
std::string SummaryLine(const ReadingCounts& counts);

// The form of a Russian word that goes with the number `n`: `one` for 1, 21,
// 101…, `few` for 2–4, 22–24…, `many` for 0, 5–20, 25–30, 111–114…
const char* RussianPlural(std::size_t n, const char* one, const char* few, const char* many);

// What a cancelled reading left out, for the summary line and the report of
// an export: "чтение отменено: пропущено 5 файлов из 120" (`skipped` of the
// `found` files were never read), or "чтение отменено при поиске файлов" when
// the search for files had not ended; empty when nothing was left out.
std::string CancelledReadingNote(std::size_t skipped, std::size_t found, bool allFound);

std::vector<const RegisterRow*> Pointers(const std::vector<RegisterRow>& rows);

} // namespace reg
