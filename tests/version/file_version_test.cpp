// The version block: building it, finding it in a file, walking it, and the
// file version text that the window caption shows.
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "support/elf_image.h"
#include "version/elf_section.h"
#include "version/file_version.h"
#include "version/version_block.h"
#include "windres_version_block.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

version_block::Contents SampleContents(std::uint16_t language = 0x0419, std::uint16_t codePage = 0x04E3)
{
    version_block::Contents c;
    c.fileVersion = {3, 4, 5, 6};
    c.productVersion = {3, 4, 0, 0};
    c.language = language;
    c.codePage = codePage;
    c.strings = {{"CompanyName", "Фирма"},
                 {"FileVersion", "3.4.5.6"},
                 {"InternalName", ""},
                 {"ProductVersion", "3.4.0.0"},
                 {"Comments", "+ ОКВЭД, КДЕС2 (ver 2)"}};
    return c;
}

std::uint16_t Word(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)); }

std::string TextAt(std::span<const std::uint8_t> block, const std::string& path)
{
    const auto value = version_block::Query(block, path);
    return value ? version_block::Utf16ToUtf8(*value) : std::string("<none>");
}

std::string WriteFile(const QTemporaryDir& dir, const char* name, const Bytes& bytes)
{
    const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// A file image: junk, then the block at an offset that is not a multiple of 4.
Bytes Embedded(const Bytes& block, std::size_t junkBefore = 1001, std::size_t junkAfter = 333)
{
    // Filled in place rather than by insert: GCC 12 (MinGW, -O2) takes an
    // insert after the junk for a copy past the vector's end.
    Bytes image(junkBefore + block.size() + junkAfter, 0x5A);
    std::fill_n(image.begin(), junkBefore, 0xCC);
    std::copy(block.begin(), block.end(), image.begin() + static_cast<std::ptrdiff_t>(junkBefore));
    return image;
}

} // namespace

class FileVersionTest : public QObject {
    Q_OBJECT
private slots:
    void rootNodeLayout()
    {
        const Bytes block = version_block::Build(SampleContents());
        QCOMPARE(Word(block, 0), block.size()); // the root's length covers the whole block
        QCOMPARE(Word(block, 2), 52);           // the fixed part
        QCOMPARE(Word(block, 4), 0);            // binary value
        QCOMPARE(version_block::Utf16ToUtf8(std::span(block).subspan(6, 30)), std::string("VS_VERSION_INFO"));
        QCOMPARE(Word(block, 40), 0x04BD); // the fixed part's signature 0xFEEF04BD,
        QCOMPARE(Word(block, 42), 0xFEEF); // right after the key, aligned to 32 bits
        QCOMPARE(block.size() % 4, 0u);
    }

    void sameBytesAsTheResourceCompiler()
    {
        version_block::Contents c;
        c.fileVersion = {2, 1, 1, 0};
        c.productVersion = {2, 1, 1, 0};
        c.language = 0x0419;
        c.codePage = 0x04E3;
        const std::string title = "ЮНРА5. Карточка предприятия.";
        const std::string organisation = "Разработчики ЮНРА5";
        c.strings = {{"CompanyName", organisation},
                     {"FileDescription", title},
                     {"FileVersion", "2.1.1.0"},
                     {"InternalName", ""},
                     {"LegalCopyright", organisation},
                     {"LegalTrademarks", ""},
                     {"OriginalFilename", ""},
                     {"ProductName", title},
                     {"ProductVersion", "2.1.0.0"},
                     {"Comments", "+ ОКВЭД, КДЕС2, изменение формата файла карточки (ver 2) Поддержка формата ver.1"}};
        const Bytes reference(std::begin(kWindresVersionBlock), std::end(kWindresVersionBlock));
        QCOMPARE(version_block::Build(c), reference);
        QCOMPARE(TextAt(reference, "\\StringFileInfo\\041904E3\\FileVersion"), std::string("2.1.1.0"));
    }

    void fixedPart()
    {
        const Bytes block = version_block::Build(SampleContents());
        const auto fixed = version_block::Query(block, "\\");
        QVERIFY(fixed);
        QCOMPARE(fixed->size(), 52u);
        const Bytes f(fixed->begin(), fixed->end());
        // File version 3.4.5.6 as two double words (most significant first),
        // product version 3.4.0.0 likewise.
        QCOMPARE(Word(f, 8), 4);
        QCOMPARE(Word(f, 10), 3);
        QCOMPARE(Word(f, 12), 6);
        QCOMPARE(Word(f, 14), 5);
        QCOMPARE(Word(f, 16), 4);
        QCOMPARE(Word(f, 18), 3);
        QCOMPARE(Word(f, 20), 0);
    }

    void queries_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file version") << "\\StringFileInfo\\041904E3\\FileVersion"
                                      << "3.4.5.6";
        QTest::newRow("Cyrillic text") << "\\StringFileInfo\\041904E3\\CompanyName"
                                       << "Фирма";
        QTest::newRow("last string") << "\\StringFileInfo\\041904E3\\Comments"
                                     << "+ ОКВЭД, КДЕС2 (ver 2)";
        QTest::newRow("empty string") << "\\StringFileInfo\\041904E3\\InternalName"
                                      << "";
        QTest::newRow("names ignore case") << "\\stringfileinfo\\041904e3\\fileversion"
                                           << "3.4.5.6";
        QTest::newRow("no leading backslash") << "StringFileInfo\\041904E3\\ProductVersion"
                                              << "3.4.0.0";
        QTest::newRow("missing string") << "\\StringFileInfo\\041904E3\\LegalTrademarks"
                                        << "<none>";
        QTest::newRow("other table") << "\\StringFileInfo\\040904B0\\FileVersion"
                                     << "<none>";
        QTest::newRow("empty key") << "\\StringFileInfo\\\\FileVersion"
                                   << "<none>";
        QTest::newRow("a string's prefix") << "\\StringFileInfo\\041904E3\\File"
                                           << "<none>";
    }

    void queries()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        const Bytes block = version_block::Build(SampleContents());
        QCOMPARE(QString::fromStdString(TextAt(block, path.toStdString())), expected);
    }

    void translationEntryIsLanguageThenCodePage()
    {
        const Bytes block = version_block::Build(SampleContents(0x0409, 0x04B0));
        const auto entry = version_block::Query(block, "\\VarFileInfo\\Translation");
        QVERIFY(entry);
        QCOMPARE(Bytes(entry->begin(), entry->end()), (Bytes{0x09, 0x04, 0xB0, 0x04}));
        QCOMPARE(TextAt(block, "\\StringFileInfo\\040904B0\\FileVersion"), std::string("3.4.5.6"));
    }

    void damagedBlocksYieldNothing_data()
    {
        QTest::addColumn<int>("cutTo");
        QTest::newRow("empty") << 0;
        QTest::newRow("header only") << 6;
        QTest::newRow("cut inside the key") << 20;
        QTest::newRow("cut inside the strings") << 200;
    }

    void damagedBlocksYieldNothing()
    {
        QFETCH(int, cutTo);
        Bytes block = version_block::Build(SampleContents());
        block.resize(static_cast<std::size_t>(cutTo));
        QCOMPARE(TextAt(block, "\\StringFileInfo\\041904E3\\FileVersion"), std::string("<none>"));
    }

    void lengthsPointingPastTheEndAreRefused()
    {
        Bytes block = version_block::Build(SampleContents());
        block[0] = 0xFF; // the root claims more bytes than there are
        block[1] = 0xFF;
        QVERIFY(!version_block::Query(block, "\\StringFileInfo\\041904E3\\FileVersion"));
    }

    void locatedAnywhereInAFile()
    {
        const Bytes block = version_block::Build(SampleContents());
        const Bytes image = Embedded(block);
        const auto found = version_block::Locate(image);
        QCOMPARE(found.size(), block.size());
        QCOMPARE(static_cast<std::size_t>(found.data() - image.data()), 1001u);
    }

    void looseKeyTextIsNotABlock()
    {
        // The key's text alone, without a header and a fixed part, is skipped
        // and the real block after it is found.
        const Bytes block = version_block::Build(SampleContents());
        Bytes image(block.begin() + 6, block.begin() + 38); // "VS_VERSION_INFO" in UTF-16
        image.insert(image.begin(), 8, 0);
        const std::size_t realAt = image.size() + 3;
        image.insert(image.end(), 3, 0x11);
        image.insert(image.end(), block.begin(), block.end());
        const auto found = version_block::Locate(image);
        QCOMPARE(static_cast<std::size_t>(found.data() - image.data()), realAt);
    }

    void utf16RoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << "2.1.1.0";
        QTest::newRow("cyrillic") << "ЮНРА5. Карточка предприятия.";
        QTest::newRow("outside the basic plane") << QString::fromUtf8("\xF0\x9F\x98\x80 ok");
        QTest::newRow("empty") << "";
    }

    void utf16RoundTrip()
    {
        QFETCH(QString, text);
        const Bytes utf16 = version_block::Utf8ToUtf16(text.toStdString());
        QCOMPARE(utf16.size(), static_cast<std::size_t>(text.size()) * 2);
        QCOMPARE(QString::fromStdString(version_block::Utf16ToUtf8(utf16)), text);
    }

    void fileVersionText_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected");
#ifndef _WIN32
        // The block in an ELF section is this build's own form; Windows reads only
        // real version resources (file_version_tests checks those).
        const Bytes ru = version_block::Build(SampleContents());
        const Bytes en = version_block::Build(SampleContents(0x0409, 0x04B0));
        version_block::Contents noFileVersion = SampleContents();
        noFileVersion.strings.erase(noFileVersion.strings.begin() + 1);
        const Bytes missing = version_block::Build(noFileVersion);
        const Bytes code(3000, 0x90);
        auto bytes = [](const Bytes& b) {
            return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<int>(b.size()));
        };
        auto program = [&](const Bytes& block) {
            return bytes(ElfImage({{".text", code}, {version_block::kElfSection, block}, {".data", Bytes(40, 1)}}));
        };
        Bytes headersCut = ElfImage({{version_block::kElfSection, ru}});
        headersCut.resize(headersCut.size() - 10);
        QTest::newRow("Russian table") << program(ru) << "3.4.5.6";
        QTest::newRow("table named by another translation") << program(en) << "3.4.5.6";
        QTest::newRow("no FileVersion string") << program(missing) << "";
        QTest::newRow("block in another section") << bytes(ElfImage({{".rodata", ru}})) << "";
        QTest::newRow("block in a file without sections") << bytes(Embedded(ru)) << "";
        QTest::newRow("section headers cut off") << bytes(headersCut) << "";
#endif
        QTest::newRow("no block") << QByteArray(5000, 'x') << "";
        QTest::newRow("empty file") << QByteArray() << "";
    }

    void fileVersionText()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const std::string path = WriteFile(dir, "program", Bytes(file.begin(), file.end()));
        QCOMPARE(QString::fromStdString(FileVersionText(path)), expected);
    }

    void sectionHeadersPointingOutsideTheFile_data()
    {
        // Offsets of the header fields damaged: e_shoff, e_shnum, e_shstrndx.
        QTest::addColumn<int>("at");
        QTest::addColumn<int>("value");
        QTest::newRow("table past the end") << 40 << 0x7FFFFFF0;
        QTest::newRow("more headers than the file holds") << 60 << 0xFFFF;
        QTest::newRow("name table index past the headers") << 62 << 200;
    }

    void sectionHeadersPointingOutsideTheFile()
    {
        QFETCH(int, at);
        QFETCH(int, value);
        Bytes image = ElfImage({{version_block::kElfSection, version_block::Build(SampleContents())}});
        for (int i = 0; i < 4 && at + i < 64; ++i)
            image[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        QTemporaryDir dir;
        QVERIFY(elf_section::Read(WriteFile(dir, "program", image), version_block::kElfSection).empty());
    }

    void builtProgramKeepsItsBlockInItsOwnSection()
    {
        const Bytes section = elf_section::Read(UNRA5_CARD_EXE, version_block::kElfSection);
        QCOMPARE(version_block::Locate(section).data(), section.data());
    }

    void missingFileGivesEmptyText()
    {
        QTemporaryDir dir;
        QCOMPARE(FileVersionText(dir.filePath(QStringLiteral("absent")).toStdString()), std::string());
    }

    void builtProgramCarriesItsVersion()
    {
        QCOMPARE(QString::fromStdString(FileVersionText(UNRA5_CARD_EXE)), QStringLiteral("2.1.1.0"));
    }

    void builtProgramBlock_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("FileVersion") << "FileVersion"
                                     << "2.1.1.0";
        QTest::newRow("ProductVersion") << "ProductVersion"
                                        << "2.1.0.0";
        QTest::newRow("FileDescription") << "FileDescription"
                                         << "ЮНРА5. Карточка предприятия.";
        QTest::newRow("ProductName") << "ProductName"
                                     << "ЮНРА5. Карточка предприятия.";
        QTest::newRow("Comments") << "Comments"
                                  << "+ ОКВЭД, КДЕС2, изменение формата файла карточки (ver 2) Поддержка формата ver.1";
        QTest::newRow("InternalName") << "InternalName"
                                      << "";
        QTest::newRow("LegalTrademarks") << "LegalTrademarks"
                                         << "";
        QTest::newRow("OriginalFilename") << "OriginalFilename"
                                          << "";
    }

    void builtProgramBlock()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        std::ifstream file(UNRA5_CARD_EXE, std::ios::binary);
        const Bytes image{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        const auto block = version_block::Locate(image);
        QVERIFY(!block.empty());
        QCOMPARE(QString::fromStdString(TextAt(block, "\\StringFileInfo\\041904E3\\" + name.toStdString())), expected);
        const auto translation = version_block::Query(block, "\\VarFileInfo\\Translation");
        QVERIFY(translation);
        QCOMPARE(Bytes(translation->begin(), translation->end()), (Bytes{0x19, 0x04, 0xE3, 0x04}));
        // The organisation's name stands in both the company and the legal notice.
        const std::string company = TextAt(block, "\\StringFileInfo\\041904E3\\CompanyName");
        QVERIFY(!company.empty() && company != "<none>");
        QCOMPARE(TextAt(block, "\\StringFileInfo\\041904E3\\LegalCopyright"), company);
    }

    void builtProgramFixedPart()
    {
        std::ifstream file(UNRA5_CARD_EXE, std::ios::binary);
        const Bytes image{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        const auto fixed = version_block::Query(version_block::Locate(image), "\\");
        QVERIFY(fixed && fixed->size() == 52);
        const Bytes f(fixed->begin(), fixed->end());
        // File and product version both 2.1.1.0.
        for (std::size_t at : {8u, 16u}) {
            QCOMPARE(Word(f, at), 1);
            QCOMPARE(Word(f, at + 2), 2);
            QCOMPARE(Word(f, at + 4), 0);
            QCOMPARE(Word(f, at + 6), 1);
        }
    }
};

QTEST_MAIN(FileVersionTest)
#include "file_version_test.moc"
