#pragma once
// What the office does with the rows: repeats, filters, totals, the sums per
// district and the one-line account of a reading.
#include <compare>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "register/register_columns.h"
#include "register/register_row.h"

namespace reg {

// What makes two cards repeats: the same INN, year and period. nullopt for a
// row that repeats nothing (not read, or without an INN).
using RepeatKey = std::tuple<std::string, std::int32_t, int>;
std::optional<RepeatKey> RepeatKeyOf(const RegisterRow& row);

// The files the user chose to count among their repeats, by RegisterRow::path
// (the window keeps them per folder).
using RepeatChoice = std::set<std::string>;

// Sets repeatFiles of every read row: the number of rows with the same INN,
// year and period when there is more than one, else 0. Rows without an INN
// repeat nothing. Of each group of repeats one row counts (counted): a
// chosen one, else the one modified last (of equal times the first by its
// shown name); every other row is not counted.
void MarkRepeats(std::vector<RegisterRow>& rows, const RepeatChoice& chosen = {});
// The same over rows held elsewhere (the window's model).
void MarkRepeats(const std::vector<RegisterRow*>& rows, const RepeatChoice& chosen = {});
// The same for one group of rows of one key (a model that keeps its groups).
void MarkRepeatGroup(const std::vector<RegisterRow*>& group, const RepeatChoice& chosen = {});

// The «Повтор» column's tooltip: whether this file counts, and the other
// files of its INN, year and period among `rows` with their times
// ("б.crd, изменён 10.03.2015 09:00, не учтён"); empty for a row that repeats
// nothing.
std::string RepeatToolTip(const RegisterRow& row, const std::vector<const RegisterRow*>& rows);

// A modification time as the office reads it, in local time:
// "10.03.2015 09:00"; empty for an unknown time (0).
std::string ModifiedText(std::int64_t nanosecondsSince1970);

// A report's year and period (period: 0 first half-year, 1 annual).
struct YearPeriod {
    std::int32_t year = 0;
    int period = 1;
    auto operator<=>(const YearPeriod&) const = default;
};
inline constexpr int kAnnual = 1;
inline constexpr int kHalfYear = 0;
// The same period of the year before.
YearPeriod PreviousYearPeriod(YearPeriod current);
// "2014, Годовой", "2014, 1 полугодие".
std::string YearPeriodText(YearPeriod period);

// What the window shows first: the latest year of the read cards, annual
// when that year has annual cards, else the latest period it has; nullopt
// when no card was read.
std::optional<YearPeriod> DefaultYearPeriod(const std::vector<const RegisterRow*>& rows);

// Whether the counted cards among `rows` belong to more than one year or
// period, whose headcounts and other figures must not be added.
bool MixesYearsOrPeriods(const std::vector<const RegisterRow*>& rows);
// What the totals say instead of sums then.
inline constexpr char kChooseYearAndPeriod[] = "выберите год и период";

// The short state column beside the enterprise: «в порядке», «ошибка»,
// «не прочитан», or «повтор» for a file that does not count.
std::string ShortState(const RegisterRow& row);

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

// The totals row over `rows`, of the counted cards only: the first column
// counts them and says how many are faulty, summed columns hold their sums,
// the others stay empty. Over more than one year or period the sums stay
// empty and the first column says so (kChooseYearAndPeriod).
std::vector<Cell> TotalsRow(const std::vector<const RegisterRow*>& rows);
// "Итого карточек: 12, с ошибками: 2" (+ "; суммы: выберите год и период").
std::string TotalsLabel(int cards, int faulty, bool mixed);

// The district view: one row per district of the read cards as the district
// column shows it (in the order of the district list, then one row per code
// outside it, by its value), with the number of counted cards, of faulty
// ones among them and the sums of the summed columns (empty over more than
// one year or period).
std::vector<std::string> DistrictHeaders();
std::vector<std::vector<Cell>> DistrictRows(const std::vector<const RegisterRow*>& rows);

struct ReadingCounts {
    int read = 0;
    int refused = 0;
    int faulty = 0;
    int repeats = 0;       // rows that repeat another
    int notCounted = 0;    // of them, rows that do not count
    int faultyCounted = 0; // faulty rows that count
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

// A row of the district view: a district of the list by its item, then a
// code outside the list by its value. The two kinds never meet, whatever a
// file holds.
using DistrictPlace = std::pair<bool, std::int32_t>; // (outside the list, item or code)
DistrictPlace DistrictPlaceOf(std::int32_t code);
// The district's name, "код 15" outside the list, "без района" for 0.
std::string DistrictLabel(std::int32_t code);

std::vector<const RegisterRow*> Pointers(const std::vector<RegisterRow>& rows);

} // namespace reg
