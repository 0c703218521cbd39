#include "register/xlsx_reading.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <zlib.h>

#include "card/utf8.h"

namespace reg {
namespace {

// ---- The zip container ------------------------------------------------------

std::uint32_t Le(std::string_view bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// Whether `size` bytes at `at` lie inside `bytes`.
bool Inside(std::string_view bytes, std::size_t at, std::size_t size)
{
    return at <= bytes.size() && size <= bytes.size() - at;
}

constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr std::uint32_t kDirectoryEntry = 0x02014b50;
constexpr std::uint32_t kLocalHeader = 0x04034b50;

std::optional<std::string> Inflate(std::string_view packed, std::size_t size)
{
    std::string out(size, '\0');
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = static_cast<uInt>(packed.size());
    char spare = 0; // one byte past the promised size tells a lie apart
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(size);
    int result = inflate(&z, Z_FINISH);
    if (result != Z_STREAM_END && z.avail_out == 0) {
        z.next_out = reinterpret_cast<Bytef*>(&spare);
        z.avail_out = 1;
        result = inflate(&z, Z_FINISH);
    }
    const bool whole = result == Z_STREAM_END && z.total_out == size;
    inflateEnd(&z);
    if (!whole)
        return std::nullopt;
    return out;
}

// ---- XML --------------------------------------------------------------------

// A name without its namespace prefix ("x:si" is "si").
std::string_view LocalName(std::string_view name)
{
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

void AppendUtf8(std::string& out, std::uint32_t c)
{
    if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        out += card::kReplacementCharacter;
    } else if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Text with the five named entities and character references read; any
// other reference stays as written (no entity of a document is expanded).
std::string Unescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        const std::size_t end = text.find(';', i);
        if (end == std::string_view::npos || end - i > 12) {
            out += text[i];
            continue;
        }
        const std::string_view name = text.substr(i + 1, end - i - 1);
        if (name == "lt")
            out += '<';
        else if (name == "gt")
            out += '>';
        else if (name == "amp")
            out += '&';
        else if (name == "quot")
            out += '"';
        else if (name == "apos")
            out += '\'';
        else if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            const std::string digits(name.substr(hex ? 2 : 1));
            char* stop = nullptr;
            const unsigned long code = std::strtoul(digits.c_str(), &stop, hex ? 16 : 10);
            if (digits.empty() || *stop != '\0') {
                out += text[i];
                continue;
            }
            AppendUtf8(out, code > 0x10FFFF ? 0xFFFD : static_cast<std::uint32_t>(code));
        } else {
            out += text[i];
            continue;
        }
        i = end;
    }
    return out;
}

// One piece of a document: a tag or the text before the next one.
struct XmlPiece {
    enum Kind { Text, Open, Close, End } kind = End;
    std::string_view name;  // a tag's local name
    std::string_view attrs; // an opening tag's attributes, as written
    bool empty = false;     // <tag/>
    std::string text;       // a text's characters, unescaped
};

// Reads a document piece by piece: declarations, comments and doctypes are
// passed over, CDATA is text.
class XmlReader {
public:
    explicit XmlReader(std::string_view xml)
        : xml_(xml)
    {
    }

    XmlPiece next()
    {
        XmlPiece piece;
        while (at_ < xml_.size()) {
            if (xml_[at_] != '<') {
                const std::size_t end = std::min(xml_.find('<', at_), xml_.size());
                piece.kind = XmlPiece::Text;
                piece.text = Unescape(xml_.substr(at_, end - at_));
                at_ = end;
                return piece;
            }
            if (xml_.compare(at_, 9, "<![CDATA[") == 0) {
                const std::size_t end = std::min(xml_.find("]]>", at_ + 9), xml_.size());
                piece.kind = XmlPiece::Text;
                piece.text = std::string(xml_.substr(at_ + 9, end - at_ - 9));
                at_ = std::min(end + 3, xml_.size());
                return piece;
            }
            if (xml_.compare(at_, 4, "<!--") == 0) {
                at_ = std::min(xml_.find("-->", at_ + 4), xml_.size() - 3) + 3;
                continue;
            }
            const std::size_t end = xml_.find('>', at_);
            if (end == std::string_view::npos) {
                at_ = xml_.size();
                break;
            }
            std::string_view tag = xml_.substr(at_ + 1, end - at_ - 1);
            at_ = end + 1;
            if (tag.empty() || tag[0] == '?' || tag[0] == '!')
                continue;
            if (tag[0] == '/') {
                piece.kind = XmlPiece::Close;
                piece.name = LocalName(Trimmed(tag.substr(1)));
                return piece;
            }
            piece.kind = XmlPiece::Open;
            if (tag.back() == '/') {
                piece.empty = true;
                tag.remove_suffix(1);
            }
            const std::size_t space = tag.find_first_of(" \t\r\n");
            piece.name = LocalName(tag.substr(0, space));
            piece.attrs = space == std::string_view::npos ? std::string_view() : tag.substr(space);
            return piece;
        }
        return piece;
    }

private:
    static std::string_view Trimmed(std::string_view text)
    {
        while (!text.empty()
               && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n'))
            text.remove_suffix(1);
        return text;
    }

    std::string_view xml_;
    std::size_t at_ = 0;
};

// The value of the attribute whose local name is `name` ("r:id" answers "id").
std::optional<std::string> Attribute(std::string_view attrs, std::string_view name)
{
    std::size_t i = 0;
    while (i < attrs.size()) {
        while (i < attrs.size() && (attrs[i] == ' ' || attrs[i] == '\t' || attrs[i] == '\r' || attrs[i] == '\n'))
            ++i;
        const std::size_t eq = attrs.find('=', i);
        if (eq == std::string_view::npos)
            return std::nullopt;
        std::string_view key = attrs.substr(i, eq - i);
        while (!key.empty() && key.back() == ' ')
            key.remove_suffix(1);
        std::size_t q = eq + 1;
        while (q < attrs.size() && attrs[q] == ' ')
            ++q;
        if (q >= attrs.size() || (attrs[q] != '"' && attrs[q] != '\''))
            return std::nullopt;
        const std::size_t close = attrs.find(attrs[q], q + 1);
        if (close == std::string_view::npos)
            return std::nullopt;
        if (LocalName(key) == name)
            return Unescape(attrs.substr(q + 1, close - q - 1));
        i = close + 1;
    }
    return std::nullopt;
}

// The shared strings: each <si>'s texts joined, phonetic runs left out.
std::vector<std::string> SharedStrings(std::string_view xml)
{
    std::vector<std::string> strings;
    XmlReader reader(xml);
    int inSi = 0, inT = 0, inPhonetic = 0;
    for (XmlPiece p = reader.next(); p.kind != XmlPiece::End; p = reader.next()) {
        if (p.kind == XmlPiece::Open && !p.empty) {
            if (p.name == "si") {
                inSi = 1;
                strings.emplace_back();
            }
            inT += p.name == "t";
            inPhonetic += p.name == "rPh";
        } else if (p.kind == XmlPiece::Open && p.name == "si") {
            strings.emplace_back();
        } else if (p.kind == XmlPiece::Close) {
            if (p.name == "si")
                inSi = 0;
            if (p.name == "t" && inT > 0)
                --inT;
            if (p.name == "rPh" && inPhonetic > 0)
                --inPhonetic;
        } else if (p.kind == XmlPiece::Text && inSi && inT && !inPhonetic && strings.back().size() < 32768) {
            strings.back() += p.text;
        }
        if (strings.size() > kMaxSheetCells)
            break;
    }
    return strings;
}

// "BC12" is column 54 (from 0); -1 when no letters lead.
int ColumnOfReference(std::string_view reference)
{
    int column = 0, letters = 0;
    for (char c : reference) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z')
            break;
        if (++letters > 3)
            return -1;
        column = column * 26 + (c - 'A' + 1);
    }
    return letters == 0 ? -1 : column - 1;
}

// A number as the sheet writes it, a whole one without its exponent or ".0".
std::string NumberText(const std::string& text)
{
    if (text.find_first_of("eE.") == std::string::npos)
        return text;
    char* stop = nullptr;
    const double value = std::strtod(text.c_str(), &stop);
    if (stop == text.c_str() || *stop != '\0' || !std::isfinite(value) || std::fabs(value) >= 1e15
        || std::nearbyint(value) != value)
        return text;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    return buffer;
}

std::vector<SheetRow> SheetRows(std::string_view xml, const std::vector<std::string>& shared)
{
    std::vector<SheetRow> rows;
    XmlReader reader(xml);
    std::size_t cells = 0;
    bool inCell = false, inValue = false, inInline = false;
    std::string type, value;
    int column = -1, nextColumn = 0;
    for (XmlPiece p = reader.next(); p.kind != XmlPiece::End && cells < kMaxSheetCells; p = reader.next()) {
        if (p.kind == XmlPiece::Open) {
            if (p.name == "row") {
                if (rows.size() >= kMaxSheetCells)
                    break;
                rows.emplace_back();
                nextColumn = 0;
            } else if (p.name == "c" && !rows.empty()) {
                const auto reference = Attribute(p.attrs, "r");
                column = reference ? ColumnOfReference(*reference) : nextColumn;
                nextColumn = column + 1;
                type = Attribute(p.attrs, "t").value_or("n");
                value.clear();
                inCell = !p.empty;
            } else if (inCell && (p.name == "v" || (p.name == "t" && inInline)) && !p.empty) {
                inValue = true;
            } else if (inCell && p.name == "is" && !p.empty) {
                inInline = true;
            }
        } else if (p.kind == XmlPiece::Text && inValue && value.size() < 32768) {
            value += p.text;
        } else if (p.kind == XmlPiece::Close) {
            if (p.name == "v" || p.name == "t") {
                inValue = false;
            } else if (p.name == "is") {
                inInline = false;
            } else if (p.name == "c" && inCell) {
                inCell = false;
                std::string text;
                if (type == "s") {
                    char* stop = nullptr;
                    const unsigned long index = std::strtoul(value.c_str(), &stop, 10);
                    if (!value.empty() && *stop == '\0' && index < shared.size())
                        text = shared[index];
                } else if (type == "n") {
                    text = NumberText(value);
                } else {
                    text = value; // str, inlineStr, b, e
                }
                if (column >= 0 && column < kMaxSheetColumns && !text.empty()) {
                    rows.back().emplace_back(column, card::ValidUtf8(text));
                    ++cells;
                }
            }
        }
    }
    return rows;
}

// The path inside the archive of the workbook's first sheet.
std::string FirstSheetPath(std::string_view zip)
{
    const std::string fallback = "xl/worksheets/sheet1.xml";
    const auto workbook = ZipEntry(zip, "xl/workbook.xml");
    const auto relations = ZipEntry(zip, "xl/_rels/workbook.xml.rels");
    if (!workbook || !relations)
        return fallback;
    std::optional<std::string> id;
    XmlReader sheets(*workbook);
    for (XmlPiece p = sheets.next(); p.kind != XmlPiece::End && !id; p = sheets.next())
        if (p.kind == XmlPiece::Open && p.name == "sheet")
            id = Attribute(p.attrs, "id");
    if (!id)
        return fallback;
    XmlReader links(*relations);
    for (XmlPiece p = links.next(); p.kind != XmlPiece::End; p = links.next()) {
        if (p.kind != XmlPiece::Open || p.name != "Relationship" || Attribute(p.attrs, "Id") != id)
            continue;
        const std::string target = Attribute(p.attrs, "Target").value_or("");
        if (target.empty())
            return fallback;
        return target[0] == '/' ? target.substr(1) : "xl/" + target;
    }
    return fallback;
}

} // namespace

std::optional<std::string> ZipEntry(std::string_view zip, std::string_view name)
{
    constexpr std::size_t kEndSize = 22;
    if (zip.size() < kEndSize)
        return std::nullopt;
    // The end record stands in the last 22 bytes and a comment of up to 65535.
    std::size_t end = zip.size() - kEndSize;
    const std::size_t lowest = zip.size() > kEndSize + 65535 ? zip.size() - kEndSize - 65535 : 0;
    while (Le(zip, end, 4) != kEndOfDirectory) {
        if (end == lowest)
            return std::nullopt;
        --end;
    }
    const std::size_t entries = Le(zip, end + 10, 2);
    std::size_t at = Le(zip, end + 16, 4);
    for (std::size_t e = 0; e < entries; ++e) {
        if (!Inside(zip, at, 46) || Le(zip, at, 4) != kDirectoryEntry)
            return std::nullopt;
        const std::uint32_t flags = Le(zip, at + 8, 2);
        const std::uint32_t method = Le(zip, at + 10, 2);
        const std::uint32_t crc = Le(zip, at + 16, 4);
        const std::size_t packedSize = Le(zip, at + 20, 4);
        const std::size_t size = Le(zip, at + 24, 4);
        const std::size_t nameLength = Le(zip, at + 28, 2);
        const std::size_t extra = Le(zip, at + 30, 2);
        const std::size_t comment = Le(zip, at + 32, 2);
        const std::size_t local = Le(zip, at + 42, 4);
        if (!Inside(zip, at + 46, nameLength))
            return std::nullopt;
        const std::string_view entryName = zip.substr(at + 46, nameLength);
        at += 46 + nameLength + extra + comment;
        if (entryName != name)
            continue;
        if ((flags & 1) || size > kMaxZipEntryBytes || !Inside(zip, local, 30) || Le(zip, local, 4) != kLocalHeader)
            return std::nullopt;
        const std::size_t data = local + 30 + Le(zip, local + 26, 2) + Le(zip, local + 28, 2);
        if (!Inside(zip, data, packedSize))
            return std::nullopt;
        const std::string_view packed = zip.substr(data, packedSize);
        std::optional<std::string> bytes;
        if (method == 0 && packedSize == size)
            bytes = std::string(packed);
        else if (method == 8)
            bytes = Inflate(packed, size);
        if (!bytes || crc32(0L, reinterpret_cast<const Bytef*>(bytes->data()), static_cast<uInt>(bytes->size())) != crc)
            return std::nullopt;
        return bytes;
    }
    return std::nullopt;
}

std::optional<std::vector<SheetRow>> FirstSheetRows(std::string_view xlsx)
{
    const auto sheet = ZipEntry(xlsx, FirstSheetPath(xlsx));
    if (!sheet)
        return std::nullopt;
    const auto shared = ZipEntry(xlsx, "xl/sharedStrings.xml");
    return SheetRows(*sheet, shared ? SharedStrings(*shared) : std::vector<std::string>{});
}

} // namespace reg
