#pragma once
// One named section of an ELF file (the program files of Linux and the other
// Unix systems), read through the file's section headers: only the headers,
// the section-name table and the section itself are read, never the whole
// file. Standard C++ only.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace elf_section {

// The contents of section `name` of the file at `path`. Empty when the file
// cannot be opened, is no ELF file, has no such section (or one without
// contents in the file), or its headers point outside the file.
std::vector<std::uint8_t> Read(const std::string& path, std::string_view name);

} // namespace elf_section
