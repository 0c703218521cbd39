// A card file under any name, as the register meets it in a folder: the
// input's bytes up to the first NUL are the file's name (on Linux any bytes
// but "/"), the rest the file. The file is read into the register's row,
// which goes into the CSV table and the workbook. Besides crashes,
// out-of-bounds reads and hangs the target checks what each step promises:
// the row shows a readable name and opens the file again by the path it
// keeps; every text is UTF-8; the CSV reads back to the same cells, and no
// text in it starts the way a spreadsheet would run it; the workbook is a
// zip whose XML parts are well-formed and whose shared strings hold the
// texts.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "card/card_file_store.h"
#include "card/utf8.h"
#include "fuzz_expect.h"
#include "fuzz_scratch_file.h"
#include "fuzz_workbook_parts.h"
#include "register/register_export.h"
#include "register/register_row.h"
#include "register/register_table.h"
#include "support/csv_reading.h"

namespace {

// A name one folder can hold: "/" cannot stand in it, nor can it be empty,
// "." or ".."; long names are cut well below the 255 bytes of a name.
std::string FileName(std::string name)
{
    std::replace(name.begin(), name.end(), '/', '_');
    if (name.size() > 200)
        name.resize(200);
    if (name.empty() || name == "." || name == "..")
        name = "card" + name;
    return name;
}

void CheckRow(const reg::RegisterRow& row, const std::string& path, const std::string& name)
{
    Expect(row.path == path, "the row keeps the path the file was read from");
    Expect(card::IsValidUtf8(row.file), "the row shows its file name as UTF-8");
    if (card::IsValidUtf8(name))
        Expect(row.file == name, "a UTF-8 name is shown as it is");
    // The reprint reads the card again by the row's path.
    card::CardFileStore store;
    bool again = false;
    try {
        again = store.ReadCardFile(row.path).accepted;
    } catch (const card::CardError&) {
    }
    Expect(again == row.read(), "the card of a row is read again by the row's path");
}

bool StartsWithFormula(const std::string& field)
{
    const std::size_t first = field.find_first_not_of(' ');
    return first != std::string::npos && std::string_view("=+-@\t\r\n").find(field[first]) != std::string_view::npos;
}

bool IsPlainNumber(const std::string& field)
{
    const std::size_t i = field.rfind('-', 0) == 0 ? 1 : 0;
    const std::size_t comma = field.find(',');
    const std::string whole = field.substr(i, comma == std::string::npos ? std::string::npos : comma - i);
    const std::string fraction = comma == std::string::npos ? "1" : field.substr(comma + 1);
    const auto digits
        = [](const std::string& s) { return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos; };
    return digits(whole) && digits(fraction);
}

void CheckCsv(const reg::ExportTable& table)
{
    std::ostringstream out;
    reg::WriteCsv(table, out);
    const std::string text = out.str();
    Expect(text.rfind("\xEF\xBB\xBF", 0) == 0, "the CSV starts with the byte-order mark");
    const auto parsed = csvread::ParseCsv(std::string_view(text).substr(3));
    Expect(parsed.has_value(), "the CSV is well-formed");
    Expect(parsed->size() == table.rows.size() + 1, "the CSV has the header line and one line per row");
    Expect(parsed->front() == table.headers, "the CSV's header line holds the headers");
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::vector<std::string>& fields = (*parsed)[r + 1];
        Expect(fields.size() == table.rows[r].size(), "every CSV line has every cell");
        for (std::size_t c = 0; c < fields.size(); ++c) {
            const reg::Cell& cell = table.rows[r][c];
            const std::string& field = fields[c];
            if (cell.number) {
                Expect(IsPlainNumber(field), "a number is written as a plain number");
                const double read = reg::ParseAmount(field).value_or(NAN);
                if (!cell.text.empty())
                    Expect(read == *cell.number, "a typed amount keeps every digit");
                else
                    Expect(std::fabs(read - *cell.number) <= 1e-6 + 1e-12 * std::fabs(*cell.number),
                           "a number reads back as itself");
                continue;
            }
            Expect(card::IsValidUtf8(cell.text), "every text of the table is UTF-8");
            Expect(csvread::TextOfCell(field) == cell.text, "every text reads back from the CSV as it is");
            const bool guarded = field.rfind("=\"", 0) == 0 || field.rfind('\'', 0) == 0;
            Expect(!StartsWithFormula(field) || field.rfind("=\"", 0) == 0,
                   "no CSV text starts with a formula other than its guard");
            Expect(guarded == reg::SpreadsheetReadsAsValue(cell.text),
                   "exactly the texts a spreadsheet would read as values are guarded");
        }
    }
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void CheckWorkbook(const std::vector<reg::ExportTable>& tables, const std::string& book)
{
    Expect(reg::WriteXlsx(tables, book).empty(), "the workbook is written");
    const auto parts = ZipEntries(ReadAll(book));
    Expect(parts.has_value(), "the workbook is a zip archive that unpacks");
    Expect(parts->count("[Content_Types].xml") && parts->count("xl/sharedStrings.xml"),
           "the workbook has its content types and its shared strings");
    for (const auto& [name, content] : *parts)
        Expect(WellFormedXml(content), "every part of the workbook is well-formed XML");
    const auto strings = SharedStrings(parts->at("xl/sharedStrings.xml"));
    const std::set<std::string> held(strings->begin(), strings->end());
    for (const reg::ExportTable& table : tables)
        for (const auto& row : table.rows)
            for (const reg::Cell& cell : row) {
                // The workbook shows these as U+FFFD; every other text stands whole.
                const bool replaced = cell.text.find('\0') != std::string::npos
                    || cell.text.find("\xEF\xBF\xBE") != std::string::npos
                    || cell.text.find("\xEF\xBF\xBF") != std::string::npos;
                if (!cell.number && !cell.text.empty() && !replaced)
                    Expect(held.count(cell.text) == 1, "the workbook holds every text whole");
            }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static ScratchFolder folder;
    static const std::string book
        = (std::filesystem::temp_directory_path() / ("unra5-fuzz-" + std::to_string(::getpid()) + ".xlsx")).string();

    const auto* nul = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    const std::size_t nameSize = nul ? static_cast<std::size_t>(nul - data) : size;
    const std::string name = FileName(std::string(reinterpret_cast<const char*>(data), nameSize));
    const std::size_t skip = nul ? nameSize + 1 : size;
    const std::string path = folder.write(name, data + skip, size - skip);

    const reg::RegisterRow row = reg::ReadRegisterRow(path, name);
    CheckRow(row, path, name);
    const reg::ExportTable cards = reg::CardsTable({&row});
    CheckCsv(cards);
    CheckWorkbook({cards, reg::DistrictsTable({&row})}, book);
    std::filesystem::remove(book);
    return 0;
}
