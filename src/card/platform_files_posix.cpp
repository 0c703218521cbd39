// The machine's file system behind card::FileSystem on POSIX systems: with
// platform_files_windows.cpp the only code of the card core that calls the
// operating system. Error numbers map onto the program's file-error codes by
// meaning, as the Windows side maps its own.
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "card/file_system.h"

namespace card {
namespace {

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

} // namespace

std::size_t FileNameUnits(std::string_view utf8) { return utf8.size(); }

FileSystem& RealFileSystem()
{
    static PosixFileSystem files;
    return files;
}

} // namespace card
