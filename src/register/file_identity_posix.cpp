// File identities on POSIX: the device and inode number of what stat finds,
// each name looked up in its folder, opened once.
#include "register/file_identity.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace reg {

std::vector<FileFacts> FileIdentities(const std::filesystem::path& folder,
                                      const std::vector<std::filesystem::path>& names, const std::atomic<bool>& cancel)
{
    std::vector<FileFacts> identities(names.size());
    if (names.empty())
        return identities;
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return identities;
    for (std::size_t i = 0; i < names.size() && !cancel.load(std::memory_order_relaxed); ++i) {
        struct stat info {};
        if (::fstatat(dir, names[i].c_str(), &info, 0) == 0)
            identities[i]
                = {FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)},
                   static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
    }
    ::close(dir);
    return identities;
}

} // namespace reg
