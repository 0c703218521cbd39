#pragma once
// One file in the temporary folder that each input is written to before the
// card file store reads it, as a card file chosen in the load dialog would be.
#include <cstddef>
#include <cstdint>
#include <string>

class ScratchFile {
public:
    ScratchFile();
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Replaces the file's content by exactly these bytes.
    void write(const std::uint8_t* data, std::size_t size);
    const std::string& path() const { return path_; }

private:
    std::string path_;
};
