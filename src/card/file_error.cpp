#include "card/file_error.h"

namespace card {

std::string FileErrorText(int code)
{
    switch (code) {
    case kFileNotFound: return "File not found";
    case kInvalidFilename: return "Invalid filename";
    case kTooManyOpenFiles: return "Too many open files";
    case kFileAccessDenied: return "File access denied";
    case kReadBeyondEndOfFile: return "Read beyond end of file";
    case kDiskFull: return "Disk full";
    case kInvalidNumericInput: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(code);
    }
}

} // namespace card
