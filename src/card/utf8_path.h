#pragma once
// Paths are UTF-8 inside the program. std::filesystem and the system's calls
// take them in the platform's own form: bytes on POSIX, UTF-16 on Windows,
// where a narrow call would read them in the machine's ANSI code page and a
// folder named outside it could not be reached.
#include <filesystem>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <optional>
#endif

namespace card {

inline std::filesystem::path PathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

#ifdef _WIN32
// `utf8` in UTF-16; nullopt for bytes that are no UTF-8.
std::optional<std::wstring> WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// `utf8` as the wide path the system's calls take (one of 248 characters or
// more in its "\\?\" form); throws FileError for a name they cannot take.
std::wstring WindowsPath(const std::string& utf8);
#endif

} // namespace card
