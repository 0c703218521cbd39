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

void ScratchFile::write(const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    Expect(out.good(), "the scratch card file can be written");
}
