#pragma once
// The few file operations the card file store needs, behind an interface so
// that tests can make any of them fail. Every failure is thrown as FileError.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

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

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Opens an existing file for reading only, without waiting on it;
    // nullptr when `path` is not a regular file (a pipe, a device).
    virtual std::unique_ptr<OpenFile> openForReading(const std::string& path) = 0;
    // Creates a new file for writing; nullptr when `path` already exists.
    virtual std::unique_ptr<OpenFile> createNew(const std::string& path) = 0;
    // Renames `from` to `to`, replacing an existing `to` in one step.
    virtual void replace(const std::string& from, const std::string& to) = 0;
    // Deletes a file; failures are ignored (used only to clean up).
    virtual void remove(const std::string& path) noexcept = 0;
};

// The machine's file system (POSIX or Windows).
FileSystem& RealFileSystem();

// The longest name of one file this platform takes, and a UTF-8 name's
// length in the units it counts: bytes on POSIX, UTF-16 units on Windows.
inline constexpr std::size_t kMaxFileNameUnits = 255;
std::size_t FileNameUnits(std::string_view utf8);

} // namespace card
