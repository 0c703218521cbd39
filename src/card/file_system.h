#pragma once
// The few file operations the card file store needs, behind an interface so
// that tests can make any of them fail. Every failure is thrown as FileError.
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "card/file_error.h"

namespace card {

class OpenFile {
public:
    virtual ~OpenFile() = default; // closes quietly if close() was not called
    // Reads up to `size` bytes at the current position; returns the number
    // read, 0 at the end of the file.
    virtual std::size_t read(void* into, std::size_t size) = 0;
    // Writes all `size` bytes.
    virtual void write(const void* from, std::size_t size) = 0;
    // Makes the written bytes durable (fsync / FlushFileBuffers).
    virtual void syncToDisk() = 0;
    virtual void close() = 0;
};

// A regular file of a folder, as listed for the clean-up of old temporaries.
struct FolderFile {
    std::string name;
    std::chrono::system_clock::time_point modified;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Opens an existing file for reading only, without waiting on it;
    // nullptr when `path` is not a regular file (a pipe, a device).
    virtual std::unique_ptr<OpenFile> openForReading(const std::string& path) = 0;
    // Creates a new file for writing; nullptr when `path` already exists.
    virtual std::unique_ptr<OpenFile> createNew(const std::string& path) = 0;
    // Renames `from` to `to`, replacing an existing `to` in one step; the
    // new file takes the permission bits of the file it replaces.
    virtual void replace(const std::string& from, const std::string& to) = 0;
    // Deletes a file; failures are ignored (used only to clean up).
    virtual void remove(const std::string& path) noexcept = 0;
    // The file a save to `path` replaces: `path` itself, or where the chain
    // of symbolic links starting at it ends (which may not exist yet).
    virtual std::string linkTarget(const std::string& path) = 0;
    // The regular files of `folder` ("" for the current one) whose names
    // start with `prefix`, links left out; empty when the folder cannot be
    // read.
    virtual std::vector<FolderFile> listFiles(const std::string& folder, const std::string& prefix) noexcept = 0;
};

// The machine's file system (POSIX or Windows).
FileSystem& RealFileSystem();

// "dir/sub/" of "dir/sub/card.crd"; empty for a name without a folder.
inline std::string FolderPart(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The longest name of one file this platform takes, and a UTF-8 name's
// length in the units it counts: bytes on POSIX, UTF-16 units on Windows.
inline constexpr std::size_t kMaxFileNameUnits = 255;
std::size_t FileNameUnits(std::string_view utf8);

} // namespace card
