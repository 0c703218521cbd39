#pragma once
// Reading a workbook back for the register's fuzz target: its parts out of
// the zip container (stored or deflated, through zlib) and each part checked
// as XML by expat, a parser that refuses what is not well-formed.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The archive's entries by name; nullopt when the archive cannot be read: a
// damaged directory, an entry that does not inflate to its size and CRC.
std::optional<std::map<std::string, std::string>> ZipEntries(std::string_view zip);

// Whether `xml` is a well-formed XML document.
bool WellFormedXml(std::string_view xml);

// The texts of a shared-string table (xl/sharedStrings.xml), each _xHHHH_
// read as the character it spells, as Excel reads it; nullopt when the table
// is not well-formed.
std::optional<std::vector<std::string>> SharedStrings(std::string_view xml);
