#pragma once
// A fresh folder made the current directory for one test, removed after it.
// Names are UTF-8 strings: on Windows a narrow path would go through the ANSI
// code page and lose Cyrillic, so they are made paths through char8_t, which
// the library turns into the wide names Windows calls take.
#include <atomic>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "card/utf8_path.h"

class TempFolder {
public:
    TempFolder()
    {
        namespace fs = std::filesystem;
        static std::atomic<int> serial{0};
        const auto base = fs::temp_directory_path();
        for (int attempt = 0;; ++attempt) {
            path_ = base
                / ("unra5-test-" + std::to_string(::time(nullptr)) + "-" + std::to_string(serial++) + "-"
                   + std::to_string(attempt));
            // Test programs run side by side: another may have made this
            // name and already removed it again, which the throwing call
            // reports as an error rather than as a name taken.
            std::error_code taken;
            if (fs::create_directory(path_, taken))
                break;
            if (attempt == 100)
                fs::create_directory(path_); // throws, with the reason
        }
        previous_ = fs::current_path();
        fs::current_path(path_);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Names of everything in the folder.
    std::set<std::string> entries() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.insert(Utf8(entry.path().filename()));
        return names;
    }

    static std::filesystem::path Path(const std::string& utf8) { return card::PathFromUtf8(utf8); }
    static std::string Utf8(const std::filesystem::path& path) { return card::Utf8FromPath(path); }

    static void writeFile(const std::string& name, const std::vector<unsigned char>& bytes)
    {
        std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    static std::vector<unsigned char> readFile(const std::string& name)
    {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};
