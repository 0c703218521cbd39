#pragma once
// The program's version block in the binary layout of a Windows version
// resource (VS_VERSIONINFO): a tree of nodes, each a header of three 16-bit
// words (length, value length, type), a zero-terminated UTF-16 key and a value,
// padded to 32 bits, followed by its children.
//
// Standard C++ only: the build uses it to make the block that is embedded in
// the program file on platforms without version resources, and the program
// uses it to find the block in a file and read values from it.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace version_block {

// The ELF section that holds the block in the program file, so that the
// block is found from the section headers without reading the whole file.
inline constexpr char kElfSection[] = ".unra5_version";

struct Contents {
    std::array<std::uint16_t, 4> fileVersion{};    // fixed part: a.b.c.d
    std::array<std::uint16_t, 4> productVersion{}; // fixed part
    std::uint16_t language = 0;                    // e.g. 0x0419
    std::uint16_t codePage = 0;                    // e.g. 0x04E3
    // The string table, in order: name and value, UTF-8.
    std::vector<std::pair<std::string, std::string>> strings;
};

// The whole block, starting with the "VS_VERSION_INFO" node.
std::vector<std::uint8_t> Build(const Contents& contents);

// The block inside a file image (or an ELF section): the first
// place where a well-formed "VS_VERSION_INFO" node stands. Empty when none.
std::span<const std::uint8_t> Locate(std::span<const std::uint8_t> image);

// The value of a sub-block, in the manner of VerQueryValue: "\" is the fixed
// part, "\VarFileInfo\Translation" the translation table,
// "\StringFileInfo\041904E3\FileVersion" a string (its UTF-16 characters up
// to, not including, the terminating zero). Names compare without regard to
// ASCII letter case. nullopt when the path leads nowhere or the block is damaged.
std::optional<std::span<const std::uint8_t>> Query(std::span<const std::uint8_t> block, std::string_view subBlock);

// Conversions between the block's UTF-16LE text and UTF-8.
std::string Utf16ToUtf8(std::span<const std::uint8_t> utf16le);
std::vector<std::uint8_t> Utf8ToUtf16(std::string_view utf8);

} // namespace version_block
