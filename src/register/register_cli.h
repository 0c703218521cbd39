#pragma once
// The register from a command line (a scheduled run, no window):
//   unra5-register --export ФАЙЛ.xlsx|ФАЙЛ.csv [--report ФАЙЛ.pdf] [--year ГОД]
//                  [--period annual|half] [--reference СПИСОК.csv|xlsx] ПАПКА…
//   unra5-register --help
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "register/register_indicators.h"
#include "register/register_row.h"
#include "register/register_submissions.h"
#include "register/register_table.h"

namespace reg {

// Exit codes.
inline constexpr int kExitAllRead = 0;     // every card file was read
inline constexpr int kExitSomeRefused = 1; // some file could not be read as a card
inline constexpr int kExitUsage = 2;       // arguments not understood, or a list of enterprises unreadable
inline constexpr int kExitNotWritten = 3;  // the export or the report could not be written

// Whether the arguments (without the program's name) ask for the command
// line rather than the window.
bool WantsCommandLine(const std::vector<std::string>& args);

struct CommandOptions {
    bool help = false;
    std::string exportPath; // .xlsx or .csv
    std::string reportPath; // .pdf
    std::optional<std::int32_t> year;
    std::optional<int> period; // kAnnual or kHalfYear
    std::string referencePath;
    std::vector<std::string> folders;
};

// The options, or in `error` what is wrong with them (Russian).
std::optional<CommandOptions> ParseCommandLine(const std::vector<std::string>& args, std::string& error);
// What --help prints.
std::string UsageText();

// What the report is drawn from: everything the export knows.
struct ReportInput {
    const std::vector<RegisterRow>& rows;  // every row read, refused files included
    std::vector<const RegisterRow*> shown; // the cards of the year and period
    YearPeriod period;
    IndicatorTable indicators;
    SubmissionLists submissions;
    ExportInfo info;
};
// Writes the report's PDF to `path`: an empty string on success, else the
// Russian message naming the file and the reason. The window's layer draws
// the report (with Qt) and hands its writer to RunRegisterCommand.
using ReportWriter = std::function<std::string(const ReportInput& input, const std::string& path)>;

// Reads every card under the folders, writes the export (and the report
// through `writeReport`) and one summary line to `out`; messages go to
// `err`, and a progress line when `progressLine`. Returns one of the exit
// codes above; when an output could not be written that is kExitNotWritten,
// whatever the reading found.
int RunRegisterCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool progressLine,
                       const ReportWriter& writeReport = {});

} // namespace reg
