#include "fuzz_scratch_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include <unistd.h>

#include "fuzz_expect.h"

ScratchFile::ScratchFile()
    // One name per process: parallel fuzzing jobs must not share the file.
    : path_((std::filesystem::temp_directory_path() / ("unra5-fuzz-" + std::to_string(::getpid()) + ".crd")).string())
{
}

ScratchFile::~ScratchFile()
{
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

ScratchFolder::ScratchFolder()
    : path_((std::filesystem::temp_directory_path() / ("unra5-fuzz-" + std::to_string(::getpid()))).string())
{
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::write(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    std::error_code ignored;
    if (!file_.empty())
        std::filesystem::remove(file_, ignored);
    // POSIX paths are bytes: the name goes to the file system as it is.
    file_ = path_ + "/" + name;
    std::ofstream out(file_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    Expect(out.good(), "the scratch file can be written under its name");
    return file_;
}

void ScratchFile::write(const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    Expect(out.good(), "the scratch card file can be written");
}
