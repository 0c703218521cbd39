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

// A folder of its own in the temporary folder, holding one file at a time
// under any name the input gives, as a folder of card files copied from
// elsewhere would.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Replaces the folder's file by one named `name` (one name of a folder,
    // any bytes but "/" and NUL) holding exactly these bytes; its path.
    std::string write(const std::string& name, const std::uint8_t* data, std::size_t size);
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string file_; // the file written last
};
