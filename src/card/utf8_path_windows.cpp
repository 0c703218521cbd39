// UTF-8 paths in the form the wide-character calls of Windows take.
#include <string>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "card/file_error.h"
#include "card/utf8_path.h"

namespace card {
namespace {

// Windows refuses a path component longer than 255 characters as an invalid
// name, but Wine on a Linux file system reports it as "file not found";
// checking the length here gives the same answer on both.
constexpr std::size_t kMaxNameChars = 255;

void CheckNameLengths(const std::wstring& path)
{
    std::size_t run = 0;
    for (const wchar_t c : path) {
        run = (c == L'\\' || c == L'/') ? 0 : run + 1;
        if (run > kMaxNameChars)
            throw FileError(kInvalidFilename);
    }
}

} // namespace

std::optional<std::wstring> WideFromUtf8(std::string_view utf8)
{
    if (utf8.empty())
        return std::wstring();
    const int n
        = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (n <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Utf8FromWide(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int n
        = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return {};
    std::string utf8(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

// Windows takes a path of 260 characters or more (248 for a folder) only in
// its "\\?\" form, which must be absolute: without it a card in a deep
// folder, or one with a long official name in "Документы\ЮНРА5 Карточки",
// could not be saved. Shorter paths are handed on as they are.
std::wstring WindowsPath(const std::string& utf8)
{
    std::optional<std::wstring> wide = WideFromUtf8(utf8);
    if (!wide)
        throw FileError(kInvalidFilename);
    std::wstring path = std::move(*wide);
    CheckNameLengths(path);
    constexpr std::size_t kPlainPathLimit = 248;
    if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\"))
        return path;
    const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return path;
    std::wstring full(n, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
    if (written == 0 || written >= n)
        return path;
    full.resize(written);
    if (full.size() < kPlainPathLimit)
        return path;
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

} // namespace card
