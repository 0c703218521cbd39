// The workbook on Windows: libxlsxwriter built with MinGW opens its files
// with the narrow fopen, so the name it is given must be one the ANSI code
// page can spell.
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <system_error>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "card/utf8_path.h"
#include "register/register_export.h"
#include "register/workbook_file.h"

namespace reg {
namespace {

namespace fs = std::filesystem;

bool IsAscii(const std::wstring& text)
{
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c > 0 && c < 0x80; });
}

// A name of `folder` made of ASCII characters only: the folder's own, or
// its short (8.3) name; empty when it has neither.
std::wstring AsciiFolderName(const fs::path& folder)
{
    const std::wstring name = folder.wstring();
    if (name.empty() || IsAscii(name))
        return name;
    const DWORD n = GetShortPathNameW(name.c_str(), nullptr, 0);
    if (n == 0)
        return {};
    std::wstring shortName(n, L'\0');
    const DWORD written = GetShortPathNameW(name.c_str(), shortName.data(), n);
    if (written == 0 || written >= n)
        return {};
    shortName.resize(written);
    return IsAscii(shortName) ? shortName : std::wstring();
}

// Why the finished workbook could not take the target's place.
std::string MoveFailureReason(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED: return "нет доступа";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return "файл открыт в другой программе";
    case ERROR_PATH_NOT_FOUND: return "нет такой папки";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "на диске нет места";
    case ERROR_WRITE_PROTECT: return "диск только для чтения";
    default: return "ошибка записи (код " + std::to_string(error) + ")";
    }
}

// libxlsxwriter built with MinGW opens its files with the narrow fopen,
// which takes a name in the machine's ANSI code page: a folder or file name
// with other characters cannot be opened that way, and a Cyrillic one only
// where the code page is Cyrillic. The workbook is therefore written under
// an ASCII name, beside the target or in the temporary folder, and moved
// into place with the wide-character call.
std::string WriteXlsxThroughAsciiName(const std::vector<ExportTable>& tables, const std::string& path)
{
    std::error_code error;
    const fs::path target = fs::absolute(card::PathFromUtf8(path), error);
    std::wstring folder;
    if (!error)
        folder = AsciiFolderName(target.parent_path());
    if (folder.empty())
        folder = AsciiFolderName(fs::temp_directory_path(error));
    if (folder.empty())
        return SaveFailedText(path, "нет папки для временного файла");
    if (folder.back() == L'\\' || folder.back() == L'/')
        folder.pop_back();

    static std::atomic<unsigned> serial{0};
    const std::wstring temporary = folder + L"\\unra5-register-" + std::to_wstring(GetCurrentProcessId()) + L"-"
        + std::to_wstring(serial++) + L".xlsx.tmp";
    std::string tmpdir(folder.begin(), folder.end());
    std::string reason;
    bool written = WriteWorkbook(tables, std::string(temporary.begin(), temporary.end()), tmpdir.data(), reason);
    if (written
        && !MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH)) {
        written = false;
        reason = MoveFailureReason(GetLastError());
    }
    if (!written) {
        DeleteFileW(temporary.c_str());
        return SaveFailedText(path, reason);
    }
    return {};
}

} // namespace

std::string WriteXlsx(const std::vector<ExportTable>& tables, const std::string& path)
{
    return WriteXlsxThroughAsciiName(tables, path);
}

} // namespace reg
