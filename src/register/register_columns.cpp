#include "register/register_columns.h"

#include <cmath>
#include <cstdio>

#include "card/card_file_store.h"
#include "card/district_names.h"
#include "register/register_summary.h"

namespace reg {
namespace {

// The spending is typed in thousands of roubles: a kopeck is 1/100000 of it.
constexpr std::int64_t kSpendingUnits = 100000;

Cell Text(std::string text) { return {std::move(text), std::nullopt}; }

// A yes/no answer of a card that was read.
Cell YesNo(const RegisterRow& row, bool yes) { return row.read() ? Text(yes ? "Да" : "Нет") : Cell{}; }

// Number cells of a refused file stay empty.
Cell Number(const RegisterRow& row, double value)
{
    if (!row.read())
        return {};
    return {std::string(), value};
}

const char* ClassifierName(int source)
{
    switch (source) {
    case 1: return "ОКВЭД";
    case 2: return "КДЕС2";
    default: return "";
    }
}

std::string JoinRemarks(const std::vector<std::string>& remarks)
{
    std::string all;
    for (const std::string& remark : remarks)
        all += (all.empty() ? "" : " ") + OneLine(remark);
    return all;
}

std::vector<RegisterColumn> BuildColumns()
{
    using K = ColumnKind;
    std::vector<RegisterColumn> columns = {
        {"Файл", K::Text, false, 44, [](const RegisterRow& r) { return Text(r.file); }},
        {"Район", K::Text, false, 20,
         [](const RegisterRow& r) { return r.read() ? Text(card::DistrictNameOfCode(r.districtCode)) : Cell{}; }},
        {"ОПФ", K::Text, false, 8, [](const RegisterRow& r) { return Text(r.legalForm); }},
        {"Предприятие", K::Text, false, 36, [](const RegisterRow& r) { return Text(r.orgName); }},
        {"Статус", K::Text, false, 11, [](const RegisterRow& r) { return Text(ShortState(r)); }},
        {"ИНН", K::Text, false, 16, [](const RegisterRow& r) { return Text(r.inn); }},
        {"Код ОКВЭД", K::Text, false, 10, [](const RegisterRow& r) { return Text(r.okvedCode); }},
        {"Справочник", K::Text, false, 10, [](const RegisterRow& r) { return Text(ClassifierName(r.okvedSource)); }},
        {"Год", K::Number, false, 6, [](const RegisterRow& r) { return Number(r, r.year); }},
        {"Период", K::Text, false, 12,
         [](const RegisterRow& r) {
             return r.read() ? Text(TrimmedEnds(card::kReportPeriodItems[r.period])) : Cell{};
         }},
        {"Среднесписочная численность", K::Number, true, 12,
         [](const RegisterRow& r) { return Number(r, r.headcount); }},
        {"Пострадавшие", K::Number, true, 10, [](const RegisterRow& r) { return Number(r, r.injured); }},
        {"Из них со смертельным исходом", K::Number, true, 10, [](const RegisterRow& r) { return Number(r, r.fatal); }},
        {"Дней нетрудоспособности", K::Number, true, 12, [](const RegisterRow& r) { return Number(r, r.lostDays); }},
        {"Затраты на ОТ, тыс. руб.", K::Number, true, 12,
         [](const RegisterRow& r) {
             const std::optional<double> amount = ParseAmount(r.spending);
             return amount ? Cell{r.spending, amount} : Text(r.spending);
         },
         kSpendingUnits},
    };
    // One column per class and side; a capture-less cell function cannot
    // carry the index, so the fourteen are spelled out by a table of lambdas.
    static constexpr Cell (*kWorkplaceCells[kWorkplaceColumns])(const RegisterRow&) = {
#define UNRA5_WP(i) [](const RegisterRow& r) { return Number(r, r.workplaces[i]); }
        UNRA5_WP(0), UNRA5_WP(1), UNRA5_WP(2), UNRA5_WP(3),  UNRA5_WP(4),  UNRA5_WP(5),  UNRA5_WP(6),
        UNRA5_WP(7), UNRA5_WP(8), UNRA5_WP(9), UNRA5_WP(10), UNRA5_WP(11), UNRA5_WP(12), UNRA5_WP(13),
#undef UNRA5_WP
    };
    for (int c = 0; c < card::kWorkplaceClassCount; ++c) {
        const std::string cls(card::WorkplaceClassName(c));
        columns.push_back({"Раб. мест кл. " + cls + " всего", K::Number, true, 9,
                           kWorkplaceCells[WorkplaceColumn(c, card::kWorkplaceTotal)]});
        columns.push_back({"Раб. мест кл. " + cls + " в периоде", K::Number, true, 9,
                           kWorkplaceCells[WorkplaceColumn(c, card::kWorkplacePeriod)]});
    }
    const std::vector<RegisterColumn> tail = {
        {"Обучено по ОТ", K::Number, true, 10, [](const RegisterRow& r) { return Number(r, r.trained); }},
        {"Служба ОТ", K::Text, false, 8,
         [](const RegisterRow& r) { return r.read() ? Text(r.hasService ? "Да" : "Нет") : Cell{}; }},
        {"Работников службы ОТ", K::Number, true, 10, [](const RegisterRow& r) { return Number(r, r.serviceStaff); }},
        {"Коллективный договор", K::Text, false, 11,
         [](const RegisterRow& r) { return YesNo(r, r.collectiveAgreement); }},
        {"Мероприятия по улучшению условий труда", K::Text, false, 12,
         [](const RegisterRow& r) { return YesNo(r, r.improvementMeasures); }},
        {"Руководство аттестовано по ОТ", K::Text, false, 11,
         [](const RegisterRow& r) { return YesNo(r, r.managementCertified); }},
        {"Комиссия по ОТ", K::Text, false, 9, [](const RegisterRow& r) { return YesNo(r, r.otCommission); }},
        {"Кабинет ОТ", K::Text, false, 8, [](const RegisterRow& r) { return YesNo(r, r.otOffice); }},
        {"Спецоценка завершена", K::Text, false, 11, [](const RegisterRow& r) { return YesNo(r, r.assessmentDone); }},
        {"Дата приказа о спецоценке", K::Text, false, 11, [](const RegisterRow& r) { return Text(r.assessmentDate); }},
        {"Госэкспертиза спецоценки", K::Text, false, 12,
         [](const RegisterRow& r) { return YesNo(r, r.expertiseDone); }},
        {"Дата заключения экспертизы", K::Text, false, 11, [](const RegisterRow& r) { return Text(r.expertiseDate); }},
        {"Версия", K::Number, false, 7, [](const RegisterRow& r) { return Number(r, r.version); }},
        {"Повтор", K::Text, false, 10,
         [](const RegisterRow& r) { return r.repeatFiles > 1 ? Text(r.counted ? "учтён" : "не учтён") : Cell{}; }},
        {"Состояние", K::Text, false, 50, [](const RegisterRow& r) { return Text(OneLine(r.stateText)); }},
        {"Замечания", K::Text, false, 40, [](const RegisterRow& r) { return Text(JoinRemarks(r.remarks)); }},
    };
    columns.insert(columns.end(), tail.begin(), tail.end());
    return columns;
}

} // namespace

std::string ShownText(const Cell& cell)
{
    if (cell.text.empty() && cell.number)
        return FormatNumber(*cell.number);
    return cell.text;
}

const std::vector<RegisterColumn>& RegisterColumns()
{
    static const std::vector<RegisterColumn> columns = BuildColumns();
    return columns;
}

namespace {

int ColumnOf(const std::string& header)
{
    const auto& columns = RegisterColumns();
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        if (columns[i].header == header)
            return i;
    return -1;
}

} // namespace

int StateColumn()
{
    static const int column = ColumnOf("Состояние");
    return column;
}

int RepeatColumn()
{
    static const int column = ColumnOf("Повтор");
    return column;
}

std::string FormatNumber(double value)
{
    if (std::nearbyint(value) == value && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", value);
    std::string text = buffer;
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    for (char& c : text)
        if (c == '.')
            c = ',';
    return text;
}

namespace {

// A typed amount taken apart: the sign and the digits before and after the
// decimal comma or point (spaces and no-break spaces between thousands
// left out); nullopt for anything that is no number.
struct AmountDigits {
    bool negative = false;
    std::string whole, fraction;
};

std::optional<AmountDigits> SplitAmount(const std::string& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ')
            continue;
        if (text.compare(i, 2, "\xC2\xA0") == 0) { // no-break space between thousands
            ++i;
            continue;
        }
        plain += text[i];
    }
    AmountDigits amount;
    std::size_t i = 0;
    if (i < plain.size() && (plain[i] == '-' || plain[i] == '+'))
        amount.negative = plain[i++] == '-';
    for (; i < plain.size() && plain[i] >= '0' && plain[i] <= '9'; ++i)
        amount.whole += plain[i];
    if (i < plain.size() && (plain[i] == ',' || plain[i] == '.'))
        for (++i; i < plain.size() && plain[i] >= '0' && plain[i] <= '9'; ++i)
            amount.fraction += plain[i];
    if (amount.whole.empty() && amount.fraction.empty())
        return std::nullopt;
    if (i != plain.size())
        return std::nullopt;
    return amount;
}

} // namespace

std::optional<double> ParseAmount(const std::string& text)
{
    const std::optional<AmountDigits> amount = SplitAmount(text);
    if (!amount)
        return std::nullopt;
    double value = 0;
    for (char digit : amount->whole)
        value = value * 10 + (digit - '0');
    double scale = 0.1;
    for (char digit : amount->fraction) {
        value += (digit - '0') * scale;
        scale /= 10;
    }
    return amount->negative ? -value : value;
}

std::optional<std::int64_t> AmountUnits(const std::string& text, std::int64_t scale)
{
    const std::optional<AmountDigits> amount = SplitAmount(text);
    if (!amount || scale <= 0)
        return std::nullopt;
    constexpr std::int64_t kLimit = INT64_MAX / 10;
    std::int64_t units = 0;
    for (char digit : amount->whole) {
        if (units > kLimit / scale)
            return std::nullopt;
        units = units * 10 + (digit - '0');
    }
    if (units > kLimit / scale)
        return std::nullopt;
    units *= scale;
    // The fraction's digits, each worth a tenth of the one before.
    std::int64_t place = scale;
    bool roundUp = false;
    for (char digit : amount->fraction) {
        if (place >= 10) {
            place /= 10;
            units += (digit - '0') * place;
        } else if (place == 1) {
            roundUp = digit >= '5';
            place = 0;
        }
    }
    units += roundUp;
    return amount->negative ? -units : units;
}

std::optional<std::string> PlainAmount(const std::string& text)
{
    const std::optional<AmountDigits> amount = SplitAmount(text);
    if (!amount)
        return std::nullopt;
    return (amount->negative ? "-" : "") + (amount->whole.empty() ? "0" : amount->whole)
        + (amount->fraction.empty() ? "" : "," + amount->fraction);
}

std::string TrimmedEnds(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string OneLine(const std::string& text)
{
    std::string line;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '\n' && text[i] != '\r') {
            line += text[i++];
            continue;
        }
        while (i < text.size() && (text[i] == '\n' || text[i] == '\r' || text[i] == ' '))
            ++i;
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        if (!line.empty() && i < text.size())
            line += ' ';
    }
    return line;
}

} // namespace reg
