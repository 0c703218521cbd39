#pragma once
#include <string>

// The FileVersion string of the version block of the file at `path`, or the
// empty text when the file has no version block, no translation entry or no
// FileVersion string.
std::string FileVersionText(const std::string& path);
