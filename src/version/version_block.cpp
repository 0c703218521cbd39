#include "version/version_block.h"

#include <algorithm>
#include <functional>

namespace version_block {
namespace {

constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::uint16_t kFixedInfoSize = 52;
constexpr std::uint16_t kBinaryValue = 0;
constexpr std::uint16_t kTextValue = 1;
constexpr std::size_t kHeaderSize = 6;

std::size_t Align4(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

std::uint16_t Read16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return Read16(bytes, at) | (static_cast<std::uint32_t>(Read16(bytes, at + 2)) << 16);
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

void PadTo4(std::vector<std::uint8_t>& out)
{
    while (out.size() % 4 != 0)
        out.push_back(0);
}

// ---- building ------------------------------------------------------------

struct Node {
    std::string key;
    std::vector<std::uint8_t> value;
    std::uint16_t valueLength = 0; // characters for text (with the zero), bytes otherwise
    std::uint16_t type = kBinaryValue;
    std::vector<Node> children;
};

// Nodes start on 32-bit boundaries counted from the start of the block, which
// is why the block is always built from offset 0 of `out`.
void Emit(const Node& node, std::vector<std::uint8_t>& out)
{
    PadTo4(out);
    const std::size_t start = out.size();
    Put16(out, 0); // length, patched below
    Put16(out, node.valueLength);
    Put16(out, node.type);
    const std::vector<std::uint8_t> key = Utf8ToUtf16(node.key);
    out.insert(out.end(), key.begin(), key.end());
    Put16(out, 0);
    if (!node.value.empty()) {
        PadTo4(out);
        out.insert(out.end(), node.value.begin(), node.value.end());
    }
    for (const Node& child : node.children)
        Emit(child, out);
    const std::size_t length = out.size() - start;
    out[start] = static_cast<std::uint8_t>(length & 0xFF);
    out[start + 1] = static_cast<std::uint8_t>(length >> 8);
}

std::uint32_t High(const std::array<std::uint16_t, 4>& v) { return (std::uint32_t{v[0]} << 16) | v[1]; }
std::uint32_t Low(const std::array<std::uint16_t, 4>& v) { return (std::uint32_t{v[2]} << 16) | v[3]; }

std::vector<std::uint8_t> FixedInfo(const Contents& contents)
{
    std::vector<std::uint8_t> fixed;
    Put32(fixed, kFixedSignature);
    Put32(fixed, 0x00010000); // structure version 1.0
    Put32(fixed, High(contents.fileVersion));
    Put32(fixed, Low(contents.fileVersion));
    Put32(fixed, High(contents.productVersion));
    Put32(fixed, Low(contents.productVersion));
    Put32(fixed, 0x3F);       // flags mask
    Put32(fixed, 0);          // flags
    Put32(fixed, 0x00040004); // VOS_NT_WINDOWS32
    Put32(fixed, 0x00000001); // VFT_APP
    Put32(fixed, 0);          // subtype
    Put32(fixed, 0);          // date, high
    Put32(fixed, 0);          // date, low
    return fixed;
}

std::string HexKey(std::uint16_t language, std::uint16_t codePage)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string key;
    for (std::uint16_t word : {language, codePage})
        for (int shift = 12; shift >= 0; shift -= 4)
            key.push_back(kDigits[(word >> shift) & 0xF]);
    return key;
}

// ---- reading -------------------------------------------------------------

struct Parsed {
    std::size_t end = 0;      // just past the node's own length
    std::size_t keyStart = 0; // first byte of the key
    std::size_t keyBytes = 0; // without the terminating zero
    std::size_t valueStart = 0;
    std::size_t valueBytes = 0;
    std::size_t childrenStart = 0;
    std::uint16_t type = 0;
};

std::optional<Parsed> ParseNode(std::span<const std::uint8_t> block, std::size_t at, std::size_t limit)
{
    if (at + kHeaderSize > limit)
        return std::nullopt;
    const std::uint16_t length = Read16(block, at);
    if (length < kHeaderSize + 2 || at + length > limit)
        return std::nullopt;
    Parsed node;
    node.end = at + length;
    node.type = Read16(block, at + 4);
    const std::uint16_t valueLength = Read16(block, at + 2);
    node.keyStart = at + kHeaderSize;
    std::size_t pos = node.keyStart;
    while (pos + 1 < node.end && Read16(block, pos) != 0)
        pos += 2;
    if (pos + 1 >= node.end)
        return std::nullopt; // key without its terminating zero
    node.keyBytes = pos - node.keyStart;
    node.valueStart = std::min(Align4(pos + 2), node.end);
    const std::size_t wanted = node.type == kTextValue ? std::size_t{valueLength} * 2 : valueLength;
    node.valueBytes = std::min(wanted, node.end - node.valueStart);
    node.childrenStart = Align4(node.valueStart + node.valueBytes);
    return node;
}

bool KeyEquals(std::span<const std::uint8_t> block, const Parsed& node, std::string_view name)
{
    const std::vector<std::uint8_t> wanted = Utf8ToUtf16(name);
    if (wanted.size() != node.keyBytes)
        return false;
    auto fold = [](std::uint16_t c) -> std::uint16_t { return c >= 'a' && c <= 'z' ? c - 32 : c; };
    for (std::size_t i = 0; i < wanted.size(); i += 2) {
        const std::uint16_t have = Read16(block, node.keyStart + i);
        const std::uint16_t want = static_cast<std::uint16_t>(wanted[i] | (wanted[i + 1] << 8));
        if (fold(have) != fold(want))
            return false;
    }
    return true;
}

std::optional<Parsed> FindChild(std::span<const std::uint8_t> block, const Parsed& parent, std::string_view name)
{
    std::size_t pos = parent.childrenStart;
    while (pos < parent.end) {
        const std::optional<Parsed> child = ParseNode(block, pos, parent.end);
        if (!child)
            return std::nullopt;
        if (KeyEquals(block, *child, name))
            return child;
        pos = Align4(child->end);
    }
    return std::nullopt;
}

std::vector<std::string_view> PathParts(std::string_view path)
{
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const std::size_t slash = path.find('\\');
        const std::string_view part = path.substr(0, slash);
        if (!part.empty())
            parts.push_back(part);
        if (slash == std::string_view::npos)
            break;
        path.remove_prefix(slash + 1);
    }
    return parts;
}

} // namespace

std::vector<std::uint8_t> Build(const Contents& contents)
{
    Node table{HexKey(contents.language, contents.codePage), {}, 0, kTextValue, {}};
    for (const auto& [name, text] : contents.strings) {
        std::vector<std::uint8_t> value = Utf8ToUtf16(text);
        Put16(value, 0);
        table.children.push_back({name, value, static_cast<std::uint16_t>(value.size() / 2), kTextValue, {}});
    }
    std::vector<std::uint8_t> translation;
    Put16(translation, contents.language);
    Put16(translation, contents.codePage);

    Node root{"VS_VERSION_INFO", FixedInfo(contents), kFixedInfoSize, kBinaryValue, {}};
    root.children.push_back({"StringFileInfo", {}, 0, kTextValue, {table}});
    root.children.push_back({"VarFileInfo", {}, 0, kTextValue, {{"Translation", translation, 4, kBinaryValue, {}}}});
    std::vector<std::uint8_t> out;
    Emit(root, out);
    return out;
}

std::span<const std::uint8_t> Locate(std::span<const std::uint8_t> image)
{
    // The root key as it stands in the file. Built here rather than written as
    // a UTF-16 literal, so that the reader itself holds no copy of it.
    const std::vector<std::uint8_t> key = [] {
        std::vector<std::uint8_t> k = Utf8ToUtf16("VS_VERSION_INFO");
        Put16(k, 0);
        return k;
    }();
    const std::boyer_moore_horspool_searcher searcher(key.begin(), key.end());
    auto from = image.begin();
    while (true) {
        const auto hit = std::search(from, image.end(), searcher);
        if (hit == image.end())
            return {};
        const auto at = static_cast<std::size_t>(hit - image.begin());
        if (at >= kHeaderSize) {
            const std::size_t start = at - kHeaderSize;
            const std::size_t fixedAt = start + Align4(kHeaderSize + key.size());
            const std::size_t length = Read16(image, start);
            if (Read16(image, start + 2) == kFixedInfoSize && Read16(image, start + 4) == kBinaryValue
                && length >= fixedAt - start + kFixedInfoSize && start + length <= image.size()
                && Read32(image, fixedAt) == kFixedSignature)
                return image.subspan(start, length);
        }
        from = hit + 1;
    }
}

std::optional<std::span<const std::uint8_t>> Query(std::span<const std::uint8_t> block, std::string_view subBlock)
{
    std::optional<Parsed> node = ParseNode(block, 0, block.size());
    for (std::string_view part : PathParts(subBlock)) {
        if (!node)
            return std::nullopt;
        node = FindChild(block, *node, part);
    }
    if (!node)
        return std::nullopt;
    std::span<const std::uint8_t> value = block.subspan(node->valueStart, node->valueBytes);
    if (node->type == kTextValue) {
        std::size_t chars = 0;
        while (chars * 2 + 1 < value.size() && Read16(value, chars * 2) != 0)
            ++chars;
        value = value.first(chars * 2);
    }
    return value;
}

std::string Utf16ToUtf8(std::span<const std::uint8_t> utf16le)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < utf16le.size(); i += 2) {
        char32_t c = Read16(utf16le, i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < utf16le.size()) {
            const char32_t low = Read16(utf16le, i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::vector<std::uint8_t> Utf8ToUtf16(std::string_view utf8)
{
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
        if (extra < 0 || (extra > 0 && i + extra >= utf8.size())) {
            Put16(out, 0xFFFD); // a stray or cut-off byte
            ++i;
            continue;
        }
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += extra + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            Put16(out, static_cast<std::uint16_t>(0xD800 + (c >> 10)));
            Put16(out, static_cast<std::uint16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            Put16(out, static_cast<std::uint16_t>(c));
        }
    }
    return out;
}

} // namespace version_block
