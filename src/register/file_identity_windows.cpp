// File identities on Windows: the volume's serial number and the file's index
// (NTFS's file reference number). A folder's files are numbered from one
// listing of the folder, where opening each file would cost as much again as
// reading it (more on a network share); a link, or a file the listing does
// not number, is asked through a handle of its own.
#include "register/file_identity.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <map>
#include <string>

#include "card/utf8_path.h"

namespace reg {
namespace {

namespace fs = std::filesystem;

class Handle {
public:
    explicit Handle(HANDLE handle)
        : handle_(handle)
    {
    }
    ~Handle()
    {
        if (valid())
            CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// Opens a file or a folder to ask about it. Everything is shared: the
// register never stands in the way of a save into the folder.
HANDLE OpenToAsk(const fs::path& path, DWORD access)
{
    try {
        return CreateFileW(card::WindowsPath(card::Utf8FromPath(path)).c_str(), access,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    } catch (...) {
        return INVALID_HANDLE_VALUE;
    }
}

// A file system that does not number its files gives 0 or all ones.
std::optional<FileIdentity> Identity(DWORD volume, std::uint64_t file)
{
    if (file == 0 || file == ~std::uint64_t{0})
        return std::nullopt;
    return FileIdentity{volume, file};
}

// A file time (100 ns since 1601) in nanoseconds since 1970; 0 when unknown.
std::int64_t SinceUnixEpoch(std::uint64_t fileTime)
{
    constexpr std::uint64_t kEpochDifference = 116444736000000000ULL;
    return fileTime > kEpochDifference ? static_cast<std::int64_t>(fileTime - kEpochDifference) * 100 : 0;
}

FileFacts IdentityOf(const fs::path& path)
{
    Handle file(OpenToAsk(path, FILE_READ_ATTRIBUTES));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &info))
        return {};
    return {Identity(info.dwVolumeSerialNumber,
                     (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow),
            SinceUnixEpoch((static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32)
                           | info.ftLastWriteTime.dwLowDateTime)};
}

struct Listed {
    std::uint64_t number = 0;
    std::int64_t modified = 0;
};

// The numbers and times of the folder's entries that are neither folders
// nor links, by name.
std::map<std::wstring, Listed> ListedNumbers(HANDLE folder, const std::atomic<bool>& cancel)
{
    std::map<std::wstring, Listed> numbers;
    std::vector<LONGLONG> buffer(8192); // 64 KiB, aligned for the entries
    const DWORD size = static_cast<DWORD>(buffer.size() * sizeof(LONGLONG));
    while (!cancel.load(std::memory_order_relaxed)
           && GetFileInformationByHandleEx(folder, FileIdBothDirectoryInfo, buffer.data(), size)) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
        for (DWORD offset = 0;;) {
            const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes + offset);
            if (!(entry->FileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
                numbers.emplace(std::wstring(entry->FileName, entry->FileNameLength / sizeof(WCHAR)),
                                Listed{static_cast<std::uint64_t>(entry->FileId.QuadPart),
                                       SinceUnixEpoch(static_cast<std::uint64_t>(entry->LastWriteTime.QuadPart))});
            if (entry->NextEntryOffset == 0)
                break;
            offset += entry->NextEntryOffset;
        }
    }
    return numbers;
}

} // namespace

std::vector<FileFacts> FileIdentities(const fs::path& folder, const std::vector<fs::path>& names,
                                      const std::atomic<bool>& cancel)
{
    std::vector<FileFacts> identities(names.size());
    if (names.empty())
        return identities;
    std::optional<DWORD> volume;
    std::map<std::wstring, Listed> numbers;
    {
        Handle listing(OpenToAsk(folder, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES));
        BY_HANDLE_FILE_INFORMATION info{};
        if (listing.valid() && GetFileInformationByHandle(listing.get(), &info)) {
            volume = info.dwVolumeSerialNumber;
            numbers = ListedNumbers(listing.get(), cancel);
        }
    }
    for (std::size_t i = 0; i < names.size() && !cancel.load(std::memory_order_relaxed); ++i) {
        const auto listed = numbers.find(names[i].native());
        if (volume && listed != numbers.end())
            identities[i] = {Identity(*volume, listed->second.number), listed->second.modified};
        if (!identities[i].identity)
            identities[i] = IdentityOf(folder / names[i]);
    }
    return identities;
}

} // namespace reg
