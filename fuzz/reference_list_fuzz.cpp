// The office's list of enterprises as the register meets it: any bytes, read
// both as a workbook (the zip container, zlib's inflate, the shared strings
// and the first sheet's XML) and as CSV. Besides crashes, out-of-bounds
// reads, hangs and runaway memory the target checks what the reading
// promises: a list or a message, never both or neither; every INN of the
// list is there once and holds no space; every name is UTF-8.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "card/utf8.h"
#include "fuzz_expect.h"
#include "register/reference_list.h"
#include "register/xlsx_reading.h"

namespace {

void Check(const reg::ReferenceReading& reading)
{
    Expect(reading.list.has_value() == reading.error.empty(), "a list or a message, never both or neither");
    if (!reading.list)
        return;
    std::set<std::string> inns;
    for (const reg::ReferenceEntry& entry : reading.list->entries) {
        Expect(!entry.inn.empty(), "every entry has an INN");
        Expect(entry.inn.find(' ') == std::string::npos, "an INN holds no space");
        Expect(inns.insert(entry.inn).second, "every INN stands once");
        Expect(card::IsValidUtf8(entry.name) && card::IsValidUtf8(entry.inn), "names and INNs are UTF-8");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(reg::ReferenceFromBytes(bytes, true, "список.xlsx"));
    Check(reg::ReferenceFromBytes(bytes, false, "список.csv"));
    if (const auto rows = reg::FirstSheetRows(bytes))
        for (const reg::SheetRow& row : *rows)
            for (const auto& [column, text] : row)
                Expect(column >= 0 && column < reg::kMaxSheetColumns && !text.empty() && card::IsValidUtf8(text),
                       "a sheet's cells stand in its columns, not empty, as UTF-8");
    return 0;
}
