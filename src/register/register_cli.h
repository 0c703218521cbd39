#pragma once
// The register from a command line:
//   unra5-register --export register.xlsx|register.csv FOLDER...
#include <ostream>
#include <string>
#include <vector>

namespace reg {

// Whether the arguments (without the program's name) ask for the command
// line rather than the window.
bool WantsCommandLine(const std::vector<std::string>& args);

// Reads every card under the folders, writes the export and one summary
// line to `out`. A progress line goes to `err` when it is a terminal.
// Returns 0 when every file was read, 1 when a file was refused or the
// export failed, 2 for arguments it does not understand.
int RunRegisterCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool progressLine);

} // namespace reg
