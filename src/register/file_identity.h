#pragma once
// Which file a path reaches, as the operating system numbers its files: two
// paths reach the same file when they give the same identity (a folder
// named twice, one folder inside another, a link, a second hard link).
#include <atomic>
#include <compare>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace reg {

struct FileIdentity {
    std::uint64_t volume = 0; // the device (POSIX) or the volume's serial number (Windows)
    std::uint64_t file = 0;   // the file's number on it
    auto operator<=>(const FileIdentity&) const = default;
};

// What the same look at a file tells besides: when it was last modified,
// in nanoseconds since 1970-01-01 UTC (0: unknown), which decides which of
// several files of one card counts.
struct FileFacts {
    std::optional<FileIdentity> identity;
    std::int64_t modified = 0;
};

// The identities of the files `names` of `folder`, links followed, in the
// order of `names`; nullopt where the system cannot tell one (a broken link,
// a file that went). Windows numbers a folder's files in one listing rather
// than opening each file. Once `cancel` is set the rest stay unknown.
std::vector<FileFacts> FileIdentities(const std::filesystem::path& folder,
                                      const std::vector<std::filesystem::path>& names, const std::atomic<bool>& cancel);

} // namespace reg
