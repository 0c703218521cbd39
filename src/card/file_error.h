#pragma once
// A failed file operation: ends the current command and reaches the error
// display with the platform's file-error text.
#include <string>

#include "card/errors.h"

namespace card {

// The file-error codes the program names; any other code is shown as
// "I/O error %d".
enum FileErrorCode : int {
    kFileNotFound = 2,
    kInvalidFilename = 3,
    kTooManyOpenFiles = 4,
    kFileAccessDenied = 5,
    kReadBeyondEndOfFile = 100,
    kDiskFull = 101,
    kInvalidNumericInput = 106,
};

// "File not found", "Invalid filename", ..., "I/O error 32".
std::string FileErrorText(int code);

class FileError : public CardError {
public:
    explicit FileError(int code)
        : CardError(FileErrorText(code))
        , code_(code)
    {
    }
    // For a system error that has no code of its own above: its number is
    // shown as it stands ("I/O error %d"), even where it equals one of them.
    static FileError Unlisted(int systemCode)
    {
        return FileError(systemCode, "I/O error " + std::to_string(systemCode));
    }
    int code() const noexcept { return code_; }

private:
    FileError(int code, const std::string& text)
        : CardError(text)
        , code_(code)
    {
    }
    int code_;
};

} // namespace card
