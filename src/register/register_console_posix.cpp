// A POSIX program writes to the terminal or file it was started with.
#include <unistd.h>

#include "register/register_console.h"

namespace reg {

ConsoleOutput::ConsoleOutput() = default;

ConsoleOutput::~ConsoleOutput() = default;

bool ErrorIsTerminal() { return isatty(2) != 0; }

} // namespace reg
