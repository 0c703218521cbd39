#include "version/file_version.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "card/utf8_path.h"
#else
#include "version/elf_section.h"
#include "version/version_block.h"
#endif

// The version information of a file is read in three steps, as Windows offers
// them: the size of its version block, the block itself, and values queried
// by sub-block path. On Windows these are the system's own functions; on
// other systems the block is the one the build keeps in an ELF section of
// the program file, read from there alone and walked by version_block.
namespace {

#ifdef _WIN32

// Paths and queries go through the wide-character functions: a program
// folder may be named in characters outside the machine's ANSI code page.
std::vector<std::uint8_t> ReadVersionInfo(const std::string& path)
{
    const std::optional<std::wstring> wide = card::WideFromUtf8(path);
    if (!wide)
        return {};
    const std::wstring& widePath = *wide;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &handle);
    if (size == 0)
        return {};
    std::vector<std::uint8_t> block(size);
    if (!GetFileVersionInfoW(widePath.c_str(), 0, size, block.data()))
        return {};
    return block;
}

// A sub-block path is ASCII, so it always converts.
std::wstring WideSubBlock(const std::string& subBlock) { return card::WideFromUtf8(subBlock).value_or(std::wstring()); }

std::optional<std::vector<std::uint8_t>> QueryBytes(std::vector<std::uint8_t>& block, const std::string& subBlock)
{
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), WideSubBlock(subBlock).c_str(), &value, &length) || !value)
        return std::nullopt;
    const auto* bytes = static_cast<const std::uint8_t*>(value);
    return std::vector<std::uint8_t>(bytes, bytes + length);
}

std::optional<std::string> QueryText(std::vector<std::uint8_t>& block, const std::string& subBlock)
{
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), WideSubBlock(subBlock).c_str(), &value, &length) || !value)
        return std::nullopt;
    return card::Utf8FromWide(static_cast<const wchar_t*>(value));
}

#else

std::vector<std::uint8_t> ReadVersionInfo(const std::string& path)
{
    const std::vector<std::uint8_t> section = elf_section::Read(path, version_block::kElfSection);
    const std::span<const std::uint8_t> block = version_block::Locate(section);
    return {block.begin(), block.end()};
}

std::optional<std::vector<std::uint8_t>> QueryBytes(std::vector<std::uint8_t>& block, const std::string& subBlock)
{
    const auto value = version_block::Query(block, subBlock);
    if (!value)
        return std::nullopt;
    return std::vector<std::uint8_t>(value->begin(), value->end());
}

std::optional<std::string> QueryText(std::vector<std::uint8_t>& block, const std::string& subBlock)
{
    const auto value = version_block::Query(block, subBlock);
    if (!value)
        return std::nullopt;
    return version_block::Utf16ToUtf8(*value);
}

#endif

// The string-table key of a translation entry: language, then code page, as
// eight upper-case hexadecimal digits.
std::string TranslationKey(const std::vector<std::uint8_t>& entry)
{
    const unsigned language = entry[0] | (entry[1] << 8);
    const unsigned codePage = entry[2] | (entry[3] << 8);
    char key[9];
    std::snprintf(key, sizeof key, "%04X%04X", language, codePage);
    return key;
}

} // namespace

std::string FileVersionText(const std::string& path)
{
    std::vector<std::uint8_t> block = ReadVersionInfo(path);
    if (block.empty())
        return {};
    std::string key;
    if (const auto translation = QueryBytes(block, "\\VarFileInfo\\Translation");
        translation && translation->size() >= 4)
        key = TranslationKey(*translation);
    return QueryText(block, "\\StringFileInfo\\" + key + "\\FileVersion").value_or(std::string());
}
