#include "register/reference_list.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <set>

#include "card/cp1251.h"
#include "card/text_rules.h"
#include "card/utf8.h"
#include "card/utf8_path.h"
#include "register/register_columns.h"
#include "register/xlsx_reading.h"

namespace reg {
namespace {

constexpr std::size_t kMaxListBytes = 64u << 20;
// The header row stands among the first rows (a title may come before it).
constexpr std::size_t kHeaderRows = 50;

// Russian and Latin capitals in lower case, the rest as it is.
std::string LowerCase(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (b >= 'A' && b <= 'Z') {
            out += static_cast<char>(b + 32);
        } else if (b == 0xD0 && next >= 0x90 && next <= 0x9F) { // А–П
            out += '\xD0';
            out += static_cast<char>(next + 0x20);
            ++i;
        } else if (b == 0xD0 && next >= 0xA0 && next <= 0xAF) { // Р–Я
            out += '\xD1';
            out += static_cast<char>(next - 0x20);
            ++i;
        } else if (b == 0xD0 && next == 0x81) { // Ё
            out += "\xD1\x91";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool IsInnHeader(const std::string& cell) { return LowerCase(card::TrimSpaces(cell)).rfind("инн", 0) == 0; }

bool IsNameHeader(const std::string& cell)
{
    static const std::array<std::string_view, 4> kWords = {"наименование", "название", "предприятие", "организация"};
    const std::string text = LowerCase(cell);
    return std::any_of(kWords.begin(), kWords.end(),
                       [&](std::string_view word) { return text.find(word) != std::string::npos; });
}

// Rows of delimited text, with quoted cells as spreadsheets write them.
std::vector<SheetRow> DelimitedRows(std::string_view text, char separator)
{
    std::vector<SheetRow> rows(1);
    std::string cell;
    int column = 0;
    bool quoted = false;
    const auto endCell = [&] {
        if (!cell.empty())
            rows.back().emplace_back(column, cell);
        cell.clear();
        ++column;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == separator) {
            endCell();
        } else if (c == '\n' || c == '\r') {
            endCell();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            rows.emplace_back();
            column = 0;
        } else {
            cell += c;
        }
    }
    endCell();
    return rows;
}

// The column of the first cell of `row` that `is` accepts; -1 for none.
int ColumnWhere(const SheetRow& row, bool (*is)(const std::string&))
{
    for (const auto& [column, text] : row)
        if (is(text))
            return column;
    return -1;
}

const std::string* CellAt(const SheetRow& row, int column)
{
    for (const auto& cell : row)
        if (cell.first == column)
            return &cell.second;
    return nullptr;
}

// The list from its rows; nullopt when no row among the first is a header
// with an INN column.
std::optional<ReferenceList> ListFromRows(const std::vector<SheetRow>& rows, const std::string& file)
{
    for (std::size_t h = 0; h < rows.size() && h < kHeaderRows; ++h) {
        const int innColumn = ColumnWhere(rows[h], IsInnHeader);
        if (innColumn < 0)
            continue;
        const int nameColumn = ColumnWhere(rows[h], IsNameHeader);
        ReferenceList list;
        list.file = file;
        std::set<std::string> seen;
        for (std::size_t r = h + 1; r < rows.size(); ++r) {
            const std::string* inn = CellAt(rows[r], innColumn);
            if (!inn)
                continue;
            ReferenceEntry entry{NormalizedInn(*inn), {}};
            if (entry.inn.empty() || !seen.insert(entry.inn).second)
                continue;
            if (const std::string* name = CellAt(rows[r], nameColumn))
                entry.name = TrimmedEnds(*name);
            list.entries.push_back(std::move(entry));
        }
        return list;
    }
    return std::nullopt;
}

// The separator an office's spreadsheet chose: of ";", "," and tab, the one
// the header line (the first that names the INN) holds most of.
char SeparatorOf(std::string_view text)
{
    for (std::size_t start = 0, lines = 0; start < text.size() && lines < kHeaderRows; ++lines) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (LowerCase(line).find("инн") == std::string::npos)
            continue;
        char best = ';';
        long most = 0;
        for (char separator : {';', ',', '\t'}) {
            const long n = std::count(line.begin(), line.end(), separator);
            if (n > most) {
                best = separator;
                most = n;
            }
        }
        return best;
    }
    return ';';
}

bool EndsWithXlsx(const std::string& path)
{
    const std::string lower = card::AsciiLower(path);
    return lower.size() > 5 && lower.compare(lower.size() - 5, 5, ".xlsx") == 0;
}

} // namespace

std::string NormalizedInn(std::string_view text)
{
    std::string inn;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' || text[i] == '\t')
            continue;
        if (text.compare(i, 2, "\xC2\xA0") == 0) {
            ++i;
            continue;
        }
        inn += text[i];
    }
    const bool digits
        = !inn.empty() && std::all_of(inn.begin(), inn.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits && (inn.size() == 9 || inn.size() == 11))
        inn.insert(0, 1, '0');
    return inn;
}

ReferenceReading ReferenceFromBytes(std::string_view bytes, bool xlsx, const std::string& file)
{
    ReferenceReading reading;
    std::optional<ReferenceList> list;
    if (xlsx) {
        const auto rows = FirstSheetRows(bytes);
        if (!rows) {
            reading.error = "Файл " + file + " не читается как книга Excel (.xlsx)";
            return reading;
        }
        list = ListFromRows(*rows, file);
    } else {
        std::string text(bytes);
        // A byte-order mark says UTF-8 (bytes that are none show as U+FFFD);
        // without one, text that is no UTF-8 is the office's Windows-1251.
        if (text.rfind("\xEF\xBB\xBF", 0) == 0)
            text = card::ValidUtf8(std::string_view(text).substr(3));
        else if (!card::IsValidUtf8(text))
            text = card::Cp1251ToUtf8(text);
        list = ListFromRows(DelimitedRows(text, SeparatorOf(text)), file);
    }
    if (!list)
        reading.error = "В списке предприятий " + file + " не найден столбец «ИНН»";
    reading.list = std::move(list);
    return reading;
}

ReferenceReading ReadReferenceFile(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path file = card::PathFromUtf8(path);
    const auto size = std::filesystem::file_size(file, error);
    if (error)
        return {std::nullopt, "Не удалось открыть список предприятий " + path};
    if (size > kMaxListBytes)
        return {std::nullopt, "Список предприятий " + path + " слишком велик"};
    std::ifstream in(file, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        return {std::nullopt, "Не удалось прочитать список предприятий " + path};
    return ReferenceFromBytes(bytes, EndsWithXlsx(path), path);
}

} // namespace reg
