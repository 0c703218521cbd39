#pragma once
// A minimal 64-bit little-endian ELF file image with the named sections
// given, followed by the section-name table and the section headers: enough
// to test readers of section headers without a linker.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

inline std::vector<std::uint8_t>
ElfImage(const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& sections)
{
    using Bytes = std::vector<std::uint8_t>;
    auto put = [](Bytes& b, std::size_t at, std::uint64_t value, int size) {
        for (int i = 0; i < size; ++i)
            b[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    Bytes image(64, 0);
    const std::uint8_t ident[] = {0x7F, 'E', 'L', 'F', 2, 1, 1};
    std::copy(std::begin(ident), std::end(ident), image.begin());
    struct Header {
        std::uint32_t name, type;
        std::uint64_t offset, size;
    };
    std::vector<Header> headers{{0, 0, 0, 0}};
    Bytes names{0};
    for (const auto& [name, bytes] : sections) {
        headers.push_back({static_cast<std::uint32_t>(names.size()), 1, image.size(), bytes.size()});
        names.insert(names.end(), name.begin(), name.end());
        names.push_back(0);
        image.insert(image.end(), bytes.begin(), bytes.end());
    }
    headers.push_back({static_cast<std::uint32_t>(names.size()), 3, image.size(), 0});
    const std::string self = ".shstrtab";
    names.insert(names.end(), self.begin(), self.end());
    names.push_back(0);
    headers.back().size = names.size();
    image.insert(image.end(), names.begin(), names.end());
    const std::size_t tableAt = image.size();
    image.resize(tableAt + 64 * headers.size(), 0);
    for (std::size_t i = 0; i < headers.size(); ++i) {
        const std::size_t at = tableAt + 64 * i;
        put(image, at, headers[i].name, 4);
        put(image, at + 4, headers[i].type, 4);
        put(image, at + 24, headers[i].offset, 8);
        put(image, at + 32, headers[i].size, 8);
    }
    put(image, 40, tableAt, 8);            // e_shoff
    put(image, 52, 64, 2);                 // e_ehsize
    put(image, 58, 64, 2);                 // e_shentsize
    put(image, 60, headers.size(), 2);     // e_shnum
    put(image, 62, headers.size() - 1, 2); // e_shstrndx
    return image;
}
