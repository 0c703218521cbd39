// The machine's file system behind card::FileSystem on Windows: with
// platform_files_posix.cpp the only code of the card core that calls the
// operating system. Error numbers map onto the program's file-error codes by
// meaning, as the POSIX side maps its own. Every path goes to the
// wide-character calls in the form WindowsPath gives it.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "card/file_system.h"
#include "card/utf8_path.h"

namespace card {
namespace {

FileError SystemError(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND: return FileError(kFileNotFound);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY: return FileError(kInvalidFilename);
    case ERROR_TOO_MANY_OPEN_FILES: return FileError(kTooManyOpenFiles);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return FileError(kFileAccessDenied);
    case ERROR_HANDLE_EOF: return FileError(kReadBeyondEndOfFile);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return FileError(kDiskFull);
    default: return FileError::Unlisted(static_cast<int>(error));
    }
}

FileError LastError() { return SystemError(GetLastError()); }

// FILETIME counts 100-nanosecond steps from 1601-01-01.
std::chrono::system_clock::time_point TimeOf(const FILETIME& time)
{
    const auto ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    constexpr std::uint64_t kTicksTo1970 = 116444736000000000ULL;
    const auto sinceEpoch = std::chrono::microseconds((static_cast<std::int64_t>(ticks - kTicksTo1970)) / 10);
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(sinceEpoch));
}

// MinGW's headers declare this class only for a newer Windows than the
// program asks for; its number is fixed.
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);

// Renames `source` over `target` as POSIX rename does (Windows 10 1607 and
// later, on NTFS): a target that other programs hold open, all with delete
// sharing, is replaced. false where it did not rename (an older system, a
// file system without it, any failure).
bool PosixRename(const std::wstring& source, const std::wstring& target)
{
    HANDLE h = CreateFileW(source.c_str(), DELETE | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const std::size_t nameBytes = target.size() * sizeof(wchar_t);
    // The name runs on past the structure's one-character array; the
    // buffer, from operator new, is aligned for the structure.
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->Flags = FILE_RENAME_FLAG_REPLACE_IF_EXISTS | FILE_RENAME_FLAG_POSIX_SEMANTICS;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(info->FileName, target.c_str(), nameBytes + sizeof(wchar_t));
    const BOOL renamed = SetFileInformationByHandle(h, kFileRenameInfoEx, info, static_cast<DWORD>(buffer.size()));
    CloseHandle(h);
    return renamed;
}

class WindowsFile final : public OpenFile {
public:
    explicit WindowsFile(HANDLE handle)
        : handle_(handle)
    {
    }
    ~WindowsFile() override
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }

    std::size_t read(void* into, std::size_t size) override
    {
        auto* out = static_cast<char*>(into);
        std::size_t done = 0;
        while (done < size) {
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
            if (!ReadFile(handle_, out + done, want, &got, nullptr))
                throw LastError();
            if (got == 0)
                break;
            done += got;
        }
        return done;
    }

    void write(const void* from, std::size_t size) override
    {
        const auto* in = static_cast<const char*>(from);
        while (size > 0) {
            DWORD put = 0;
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
            if (!WriteFile(handle_, in, want, &put, nullptr))
                throw LastError();
            if (put == 0)
                throw FileError(kDiskFull);
            in += put;
            size -= put;
        }
    }

    void syncToDisk() override
    {
        if (!FlushFileBuffers(handle_))
            throw LastError();
    }

    void close() override
    {
        HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        if (!CloseHandle(handle))
            throw LastError();
    }

private:
    HANDLE handle_;
};

class WindowsFileSystem final : public FileSystem {
public:
    std::unique_ptr<OpenFile> openForReading(const std::string& path) override
    {
        // Delete sharing lets a save replace the card while it is being read
        // (the register reads a folder the card program saves into); this
        // handle goes on reading the card it opened.
        HANDLE h = CreateFileW(WindowsPath(path).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            throw LastError();
        auto file = std::make_unique<WindowsFile>(h);
        // A pipe or a device (NUL, CON, COM1) would make the read wait.
        if (GetFileType(h) != FILE_TYPE_DISK)
            return nullptr;
        return file;
    }

    std::unique_ptr<OpenFile> createNew(const std::string& path) override
    {
        HANDLE h = CreateFileW(WindowsPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
                return nullptr;
            throw SystemError(error);
        }
        return std::make_unique<WindowsFile>(h);
    }

    void replace(const std::string& from, const std::string& to) override
    {
        const std::wstring source = WindowsPath(from);
        const std::wstring target = WindowsPath(to);
        if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return;
        const DWORD error = GetLastError();
        // NTFS does not rename over a file that is open, even where every
        // handle shares deleting (the register reading the card): the POSIX
        // rename does. A read-only card is refused by both.
        if (error == ERROR_ACCESS_DENIED && PosixRename(source, target))
            return;
        throw SystemError(error);
    }

    void remove(const std::string& path) noexcept override
    {
        try {
            DeleteFileW(WindowsPath(path).c_str());
        } catch (...) {
        }
    }

    // Links to files need privileges on Windows that the program's users do
    // not have; a save replaces the name it is given.
    std::string linkTarget(const std::string& path) override { return path; }

    std::vector<FolderFile> listFiles(const std::string& folder, const std::string& prefix) noexcept override
    {
        std::vector<FolderFile> files;
        try {
            const std::wstring pattern = WindowsPath(folder + prefix + "*");
            WIN32_FIND_DATAW found{};
            HANDLE search = FindFirstFileW(pattern.c_str(), &found);
            if (search == INVALID_HANDLE_VALUE)
                return files;
            do {
                if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
                    continue;
                files.push_back({Utf8FromWide(found.cFileName), TimeOf(found.ftLastWriteTime)});
            } while (FindNextFileW(search, &found));
            FindClose(search);
        } catch (...) {
        }
        return files;
    }
};

} // namespace

std::size_t FileNameUnits(std::string_view utf8)
{
    // One UTF-16 unit per character, two for one beyond the BMP (a 4-byte
    // UTF-8 sequence).
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80)
            units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

FileSystem& RealFileSystem()
{
    static WindowsFileSystem files;
    return files;
}

} // namespace card
