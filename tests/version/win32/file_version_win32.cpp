// FileVersionText on Windows, through the system's own version functions
// (GetFileVersionInfoSizeW, GetFileVersionInfoW, VerQueryValueW). This program
// carries the version resource that the resource compiler makes from the
// program's resource script (cmake/version_info.rc.in) and reads it from its
// own file; three small libraries carry other version resources.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "card/utf8_path.h"
#include "version/file_version.h"

namespace {

std::string Utf8(const std::wstring& wide) { return card::Utf8FromWide(wide); }

// The full name of this program's file, as argument 0 gives it.
std::wstring OwnPathWide()
{
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path;
}

std::string OwnPath() { return Utf8(OwnPathWide()); }

// A file beside this program.
std::string Beside(const std::string& name)
{
    const std::string own = OwnPath();
    return own.substr(0, own.find_last_of("\\/") + 1) + name;
}

TEST(FileVersionWindows, OwnFileCarriesTheProgramsFileVersion) { EXPECT_EQ(FileVersionText(OwnPath()), "2.1.1.0"); }

struct VersionCase {
    const char* what;
    std::string (*path)();
    const char* expected;
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.what; }

class FileVersionOf : public testing::TestWithParam<VersionCase> {};

TEST_P(FileVersionOf, IsReadThroughTheTranslationEntry)
{
    EXPECT_EQ(FileVersionText(GetParam().path()), GetParam().expected);
}

// A copy of this program in a folder whose name lies outside any ANSI code
// page, as a per-user install under a Cyrillic user name may be.
std::string CopyInUnicodeFolder()
{
    const std::wstring own = OwnPathWide();
    const std::wstring folder = own.substr(0, own.find_last_of(L"\\/") + 1) + L"\u042e\u041d\u0420\u04105 \u6f22\u5b57";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\unra5-card.exe";
    CopyFileW(own.c_str(), copy.c_str(), FALSE);
    return Utf8(copy);
}

std::string TextFile()
{
    const std::string path = Beside("not_a_program.txt");
    std::ofstream(path) << "2.1.1.0 VS_VERSION_INFO FileVersion\n";
    return path;
}

INSTANTIATE_TEST_SUITE_P(
    FileVersionWindows, FileVersionOf,
    testing::Values(
        // Key from the translation entry, language first: "040904B0".
        VersionCase{"otherTranslation", [] { return Beside("version_other_translation.dll"); }, "9.8.7.6"},
        // A string table but no translation entry: the key is empty.
        VersionCase{"noTranslation", [] { return Beside("version_no_translation.dll"); }, ""},
        // A translation entry, but no FileVersion in its table.
        VersionCase{"noFileVersion", [] { return Beside("version_no_file_version.dll"); }, ""},
        VersionCase{"ownCopyInUnicodeFolder", CopyInUnicodeFolder, "2.1.1.0"}, VersionCase{"textFile", TextFile, ""},
        VersionCase{"missingFile", [] { return Beside("absent.exe"); }, ""}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
