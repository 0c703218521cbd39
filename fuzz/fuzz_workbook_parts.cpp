#include "fuzz_workbook_parts.h"

#include <cstdint>
#include <cstring>

#include <expat.h>
#include <zlib.h>

namespace {

std::uint32_t Little(std::string_view bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

std::optional<std::string> Inflated(std::string_view deflated, std::size_t size)
{
    std::string out(size, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) // raw deflate, as zip holds it
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.data()));
    stream.avail_in = static_cast<uInt>(deflated.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && stream.total_out == size;
    inflateEnd(&stream);
    return whole ? std::optional<std::string>(std::move(out)) : std::nullopt;
}

void AppendUtf8(std::string& text, std::uint32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | c >> 6);
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | c >> 12);
        text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Excel's spelling of a character in a workbook's text: _xHHHH_.
std::string Unescaped(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "_x") == 0 && i + 6 < text.size() && text[i + 6] == '_') {
            const std::string hex = text.substr(i + 2, 4);
            if (hex.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos) {
                AppendUtf8(out, static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16)));
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

struct StringTable {
    std::vector<std::string> texts;
    int depthInT = 0;
};

void XMLCALL StartElement(void* data, const XML_Char* name, const XML_Char**)
{
    auto* table = static_cast<StringTable*>(data);
    if (std::strcmp(name, "si") == 0)
        table->texts.emplace_back();
    else if (std::strcmp(name, "t") == 0)
        ++table->depthInT;
}

void XMLCALL EndElement(void* data, const XML_Char* name)
{
    auto* table = static_cast<StringTable*>(data);
    if (std::strcmp(name, "t") == 0)
        --table->depthInT;
}

void XMLCALL CharacterData(void* data, const XML_Char* text, int length)
{
    auto* table = static_cast<StringTable*>(data);
    if (table->depthInT > 0 && !table->texts.empty())
        table->texts.back().append(text, static_cast<std::size_t>(length));
}

bool Parse(std::string_view xml, StringTable* table)
{
    XML_Parser parser = XML_ParserCreate(nullptr);
    if (table) {
        XML_SetUserData(parser, table);
        XML_SetElementHandler(parser, StartElement, EndElement);
        XML_SetCharacterDataHandler(parser, CharacterData);
    }
    const bool ok = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return ok;
}

} // namespace

std::optional<std::map<std::string, std::string>> ZipEntries(std::string_view zip)
{
    // The end of the central directory: 22 bytes and a comment of at most 64 KiB.
    constexpr std::size_t kEnd = 22;
    if (zip.size() < kEnd)
        return std::nullopt;
    std::size_t end = zip.size() - kEnd;
    while (zip.substr(end, 4) != std::string_view("PK\5\6", 4)) {
        if (end == 0 || zip.size() - end > kEnd + 0xFFFF)
            return std::nullopt;
        --end;
    }
    const std::size_t entries = Little(zip, end + 10, 2);
    std::size_t at = Little(zip, end + 16, 4);
    std::map<std::string, std::string> parts;
    for (std::size_t n = 0; n < entries; ++n) {
        if (at + 46 > end || zip.substr(at, 4) != std::string_view("PK\1\2", 4))
            return std::nullopt;
        const std::uint32_t method = Little(zip, at + 10, 2);
        const std::uint32_t crc = Little(zip, at + 16, 4);
        const std::size_t packed = Little(zip, at + 20, 4);
        const std::size_t size = Little(zip, at + 24, 4);
        const std::size_t nameLength = Little(zip, at + 28, 2);
        const std::size_t skip = nameLength + Little(zip, at + 30, 2) + Little(zip, at + 32, 2);
        const std::size_t local = Little(zip, at + 42, 4);
        if (at + 46 + skip > end)
            return std::nullopt;
        std::string name(zip.substr(at + 46, nameLength));
        at += 46 + skip;

        if (local + 30 > zip.size() || zip.substr(local, 4) != std::string_view("PK\3\4", 4))
            return std::nullopt;
        const std::size_t data = local + 30 + Little(zip, local + 26, 2) + Little(zip, local + 28, 2);
        if (data + packed > zip.size())
            return std::nullopt;
        const std::string_view bytes = zip.substr(data, packed);
        std::optional<std::string> content;
        if (method == 0 && packed == size)
            content = std::string(bytes);
        else if (method == 8)
            content = Inflated(bytes, size);
        if (!content
            || crc32(0, reinterpret_cast<const Bytef*>(content->data()), static_cast<uInt>(content->size())) != crc)
            return std::nullopt;
        parts[name] = std::move(*content);
    }
    return parts;
}

bool WellFormedXml(std::string_view xml) { return Parse(xml, nullptr); }

std::optional<std::vector<std::string>> SharedStrings(std::string_view xml)
{
    StringTable table;
    if (!Parse(xml, &table))
        return std::nullopt;
    for (std::string& text : table.texts)
        text = Unescaped(text);
    return table.texts;
}
