// The machine's file system behind card::FileSystem: the only file of the
// card core that calls the operating system. POSIX and Windows each map their
// error numbers onto the program's file-error codes by meaning.
#include "card/file_system.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace card {
namespace {

#ifdef _WIN32

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

// File names are UTF-8 inside the program; the wide API takes them whatever
// the machine's ANSI code page is.
std::wstring Widen(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int n
        = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (n <= 0)
        throw FileError(kInvalidFilename);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    CheckNameLengths(wide);
    return wide;
}

// Windows takes a path of 260 characters or more (248 for a folder) only in
// its "\\?\" form, which must be absolute: without it a card in a deep
// folder, or one with a long official name in "Документы\ЮНРА5 Карточки",
// could not be saved. Shorter paths are handed on as they are.
std::wstring WidePath(const std::string& utf8)
{
    std::wstring path = Widen(utf8);
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

std::string Narrow(const std::wstring& wide)
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
        HANDLE h
            = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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
        HANDLE h = CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
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
        const std::wstring source = WidePath(from);
        const std::wstring target = WidePath(to);
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
            DeleteFileW(WidePath(path).c_str());
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
            const std::wstring pattern = WidePath(folder + prefix + "*");
            WIN32_FIND_DATAW found{};
            HANDLE search = FindFirstFileW(pattern.c_str(), &found);
            if (search == INVALID_HANDLE_VALUE)
                return files;
            do {
                if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
                    continue;
                files.push_back({Narrow(found.cFileName), TimeOf(found.ftLastWriteTime)});
            } while (FindNextFileW(search, &found));
            FindClose(search);
        } catch (...) {
        }
        return files;
    }
};

#else // POSIX

enum class Action { Open, Create, Other };

FileError SystemError(int error, Action action)
{
    switch (error) {
    case ENOENT:
        // Creating fails this way only when the folder is missing, which the
        // Windows side reports as an invalid name ("path not found").
        return FileError(action == Action::Create ? kInvalidFilename : kFileNotFound);
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
    case EILSEQ: return FileError(kInvalidFilename);
    case EMFILE:
    case ENFILE: return FileError(kTooManyOpenFiles);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EBUSY:
    case ETXTBSY: return FileError(kFileAccessDenied);
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG: return FileError(kDiskFull);
    default: return FileError::Unlisted(error);
    }
}

class PosixFile final : public OpenFile {
public:
    explicit PosixFile(int fd)
        : fd_(fd)
    {
    }
    ~PosixFile() override
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

    std::size_t read(void* into, std::size_t size) override
    {
        auto* out = static_cast<char*>(into);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t got = ::read(fd_, out + done, size - done);
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                throw SystemError(errno, Action::Other);
            }
            if (got == 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

    void write(const void* from, std::size_t size) override
    {
        const auto* in = static_cast<const char*>(from);
        while (size > 0) {
            const ssize_t put = ::write(fd_, in, size);
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                throw SystemError(errno, Action::Other);
            }
            if (put == 0)
                throw FileError(kDiskFull);
            in += put;
            size -= static_cast<std::size_t>(put);
        }
    }

    void syncToDisk() override
    {
        if (::fsync(fd_) != 0)
            throw SystemError(errno, Action::Other);
    }

    void close() override
    {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 && errno != EINTR)
            throw SystemError(errno, Action::Other);
    }

private:
    int fd_;
};

// How many symbolic links a save follows before taking the chain for a loop.
constexpr int kMaxLinkHops = 40;

bool IsFileOrFolder(const struct stat& info) { return S_ISREG(info.st_mode) || S_ISDIR(info.st_mode); }

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

class PosixFileSystem final : public FileSystem {
public:
    std::unique_ptr<OpenFile> openForReading(const std::string& path) override
    {
        // A pipe would block the opening and the read, and opening a device
        // may act on it: look first, open without waiting, and look again at
        // what was opened, which may have been swapped in between.
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && !IsFileOrFolder(info))
            return nullptr;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            throw SystemError(errno, Action::Open);
        auto file = std::make_unique<PosixFile>(fd);
        if (::fstat(fd, &info) != 0)
            throw SystemError(errno, Action::Other);
        // A folder opens here but not on Windows; refuse it the same way.
        if (S_ISDIR(info.st_mode))
            throw FileError(kFileAccessDenied);
        if (!S_ISREG(info.st_mode))
            return nullptr;
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0)
            ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
        return file;
    }

    std::unique_ptr<OpenFile> createNew(const std::string& path) override
    {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                return nullptr;
            throw SystemError(errno, Action::Create);
        }
        return std::make_unique<PosixFile>(fd);
    }

    void replace(const std::string& from, const std::string& to) override
    {
        // A card made readable by its owner alone stays so. Where the file
        // system has no permission bits to set, there are none to keep.
        struct stat old {};
        if (::stat(to.c_str(), &old) == 0 && S_ISREG(old.st_mode))
            ::chmod(from.c_str(), old.st_mode & 0777);
        if (::rename(from.c_str(), to.c_str()) != 0)
            throw SystemError(errno, Action::Other);
        // Make the rename itself durable; a folder that cannot be synced
        // still holds the complete new file.
        const int dir = ::open(FolderOf(to).c_str(), O_RDONLY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }

    void remove(const std::string& path) noexcept override { ::unlink(path.c_str()); }

    std::string linkTarget(const std::string& path) override
    {
        std::string current = path;
        for (int hop = 0; hop < kMaxLinkHops; ++hop) {
            struct stat info {};
            if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
                return current; // missing files are created where the chain ends
            char target[PATH_MAX];
            const ssize_t size = ::readlink(current.c_str(), target, sizeof target);
            if (size < 0)
                throw SystemError(errno, Action::Other);
            if (size == 0 || static_cast<std::size_t>(size) == sizeof target)
                throw FileError(kInvalidFilename);
            const std::string next(target, static_cast<std::size_t>(size));
            current = next.front() == '/' ? next : FolderPart(current) + next;
        }
        throw FileError(kInvalidFilename); // as the system's own ELOOP
    }

    std::vector<FolderFile> listFiles(const std::string& folder, const std::string& prefix) noexcept override
    {
        std::vector<FolderFile> files;
        DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
        if (!dir)
            return files;
        try {
            while (const dirent* entry = ::readdir(dir)) {
                struct stat info {};
                if (!std::string_view(entry->d_name).starts_with(prefix)
                    || ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0
                    || !S_ISREG(info.st_mode))
                    continue;
                files.push_back({entry->d_name, std::chrono::system_clock::from_time_t(info.st_mtime)});
            }
        } catch (...) {
        }
        ::closedir(dir);
        return files;
    }
};

#endif

} // namespace

std::size_t FileNameUnits(std::string_view utf8)
{
#ifdef _WIN32
    // One UTF-16 unit per character, two for one beyond the BMP (a 4-byte
    // UTF-8 sequence).
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80)
            units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
#else
    return utf8.size();
#endif
}

#ifdef _WIN32
std::wstring WindowsPath(const std::string& utf8) { return WidePath(utf8); }
#endif

FileSystem& RealFileSystem()
{
#ifdef _WIN32
    static WindowsFileSystem files;
#else
    static PosixFileSystem files;
#endif
    return files;
}

} // namespace card
