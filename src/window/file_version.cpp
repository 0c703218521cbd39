#include "window/file_version.h"

// Filled by the version-information work: until then no file has a version.
std::string FileVersionText(const std::string&) { return {}; }
