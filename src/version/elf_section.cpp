#include "version/elf_section.h"

#include <algorithm>
#include <fstream>
#include <optional>

namespace elf_section {

namespace {

// Sections this program looks for are small; a header claiming more is
// damaged, and is refused before anything is allocated for it.
constexpr std::uint64_t kMostSectionBytes = 1 << 20;
constexpr std::uint32_t kNoBits = 8; // SHT_NOBITS: a section with no bytes in the file

struct Layout {
    bool wide = false;      // ELFCLASS64
    bool bigEndian = false; // ELFDATA2MSB
};

std::uint64_t Number(const std::uint8_t* at, int size, bool bigEndian)
{
    std::uint64_t value = 0;
    for (int i = 0; i < size; ++i) {
        const int shift = bigEndian ? 8 * (size - 1 - i) : 8 * i;
        value |= static_cast<std::uint64_t>(at[i]) << shift;
    }
    return value;
}

class File {
public:
    explicit File(const std::string& path)
        : in_(path, std::ios::binary | std::ios::ate)
    {
        if (in_)
            size_ = static_cast<std::uint64_t>(std::max<std::streamoff>(0, in_.tellg()));
    }

    // `count` bytes at `offset`, or nullopt when they do not all lie in the file.
    std::optional<std::vector<std::uint8_t>> bytes(std::uint64_t offset, std::uint64_t count)
    {
        if (!in_ || offset > size_ || count > size_ - offset || count > kMostSectionBytes)
            return std::nullopt;
        std::vector<std::uint8_t> out(static_cast<std::size_t>(count));
        in_.seekg(static_cast<std::streamoff>(offset));
        if (!in_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(count)))
            return std::nullopt;
        return out;
    }

private:
    std::ifstream in_;
    std::uint64_t size_ = 0;
};

struct Section {
    std::uint32_t name = 0;
    std::uint32_t type = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

Section SectionAt(const std::uint8_t* header, const Layout& elf)
{
    const bool be = elf.bigEndian;
    if (elf.wide)
        return {static_cast<std::uint32_t>(Number(header, 4, be)),
                static_cast<std::uint32_t>(Number(header + 4, 4, be)), Number(header + 24, 8, be),
                Number(header + 32, 8, be)};
    return {static_cast<std::uint32_t>(Number(header, 4, be)), static_cast<std::uint32_t>(Number(header + 4, 4, be)),
            Number(header + 16, 4, be), Number(header + 20, 4, be)};
}

} // namespace

std::vector<std::uint8_t> Read(const std::string& path, std::string_view name)
{
    File file(path);
    const auto ident = file.bytes(0, 64);
    if (!ident || (*ident)[0] != 0x7F || (*ident)[1] != 'E' || (*ident)[2] != 'L' || (*ident)[3] != 'F')
        return {};
    Layout elf;
    elf.wide = (*ident)[4] == 2;
    elf.bigEndian = (*ident)[5] == 2;
    if (((*ident)[4] != 1 && !elf.wide) || ((*ident)[5] != 1 && !elf.bigEndian))
        return {};
    const std::uint8_t* h = ident->data();
    const bool be = elf.bigEndian;
    const std::uint64_t tableAt = elf.wide ? Number(h + 40, 8, be) : Number(h + 32, 4, be);
    const std::uint64_t entrySize = Number(h + (elf.wide ? 58 : 46), 2, be);
    const std::uint64_t count = Number(h + (elf.wide ? 60 : 48), 2, be);
    const std::uint64_t namesIndex = Number(h + (elf.wide ? 62 : 50), 2, be);
    if (entrySize < (elf.wide ? 64u : 40u) || namesIndex >= count)
        return {};
    const auto table = file.bytes(tableAt, entrySize * count);
    if (!table)
        return {};
    const Section names = SectionAt(table->data() + namesIndex * entrySize, elf);
    const auto nameText = file.bytes(names.offset, names.size);
    if (!nameText)
        return {};
    for (std::uint64_t i = 0; i < count; ++i) {
        const Section section = SectionAt(table->data() + i * entrySize, elf);
        if (section.name >= nameText->size() || section.type == kNoBits)
            continue;
        const std::string_view rest(reinterpret_cast<const char*>(nameText->data()) + section.name,
                                    nameText->size() - section.name);
        if (rest.substr(0, rest.find('\0')) == name)
            return file.bytes(section.offset, section.size).value_or(std::vector<std::uint8_t>());
    }
    return {};
}

} // namespace elf_section
