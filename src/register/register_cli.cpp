#include "register/register_cli.h"

#include <atomic>
#include <mutex>

#include "register/register_export.h"
#include "register/register_reader.h"
#include "register/register_summary.h"

namespace reg {
namespace {

constexpr char kUsage[] = "Использование: unra5-register --export ФАЙЛ.xlsx|ФАЙЛ.csv ПАПКА…";

} // namespace

bool WantsCommandLine(const std::vector<std::string>& args) { return !args.empty() && args[0].rfind("--", 0) == 0; }

int RunRegisterCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool progressLine)
{
    if (args.size() < 3 || args[0] != "--export") {
        err << kUsage << "\n";
        return 2;
    }
    const std::string target = args[1];
    if (ExportFormatOf(target) == ExportFormat::None) {
        err << ExportTables({}, {}, target) << "\n";
        return 2;
    }
    const std::vector<std::string> folders(args.begin() + 2, args.end());

    FoundFiles found = FindCardFiles(folders);
    std::vector<RegisterRow> rows(found.cards.size());
    std::atomic<std::size_t> done{0};
    std::mutex printing;
    const std::size_t total = found.cards.size();
    const std::atomic<bool> never{false};
    ReadCards(found.cards, 0, never, [&](std::size_t index, RegisterRow&& row) {
        rows[index] = std::move(row);
        const std::size_t n = ++done;
        if (progressLine && (n % 100 == 0 || n == total)) {
            std::lock_guard lock(printing);
            err << "\rПрочитано " << n << " из " << total << std::flush;
        }
    });
    if (progressLine && total > 0)
        err << "\n";
    rows.insert(rows.begin(), std::make_move_iterator(found.unreadable.begin()),
                std::make_move_iterator(found.unreadable.end()));
    MarkRepeats(rows);

    const auto shown = Pointers(rows);
    const std::string failure = ExportTables(CardsTable(shown), DistrictsTable(shown), target);
    const ReadingCounts counts = CountRows(shown);
    out << SummaryLine(counts) << "\n";
    if (!failure.empty()) {
        err << failure << "\n";
        return 1;
    }
    return counts.refused > 0 ? 1 : 0;
}

} // namespace reg
