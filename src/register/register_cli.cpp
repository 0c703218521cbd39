#include "register/register_cli.h"

#include <atomic>
#include <mutex>

#include "card/text_rules.h"
#include "register/reference_list.h"
#include "register/register_export.h"
#include "register/register_reader.h"
#include "register/register_summary.h"

namespace reg {
namespace {

constexpr char kUsage[] = "Использование: unra5-register --export ФАЙЛ.xlsx|ФАЙЛ.csv ПАПКА…";

bool EndsWith(const std::string& path, const std::string& ending)
{
    const std::string text = card::AsciiLower(path);
    return text.size() > ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

std::optional<std::int32_t> YearOf(const std::string& text)
{
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int year = std::stoi(text);
    return year > 0 ? std::optional<std::int32_t>(year) : std::nullopt;
}

// The year and period a run is for: as asked, the missing part as the
// window would choose it.
std::optional<YearPeriod> ChosenPeriod(const CommandOptions& options, const std::vector<const RegisterRow*>& rows)
{
    if (options.year && options.period)
        return YearPeriod{*options.year, *options.period};
    std::vector<const RegisterRow*> fitting;
    for (const RegisterRow* row : rows)
        if (row->read() && (!options.year || row->year == *options.year)
            && (!options.period || row->period == *options.period))
            fitting.push_back(row);
    if (auto period = DefaultYearPeriod(fitting))
        return period;
    if (options.year || options.period)
        return YearPeriod{options.year.value_or(0), options.period.value_or(kAnnual)};
    return std::nullopt;
}

std::vector<RegisterRow> ReadAll(const std::vector<std::string>& folders, std::ostream& err, bool progressLine)
{
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
    return rows;
}

} // namespace

bool WantsCommandLine(const std::vector<std::string>& args) { return !args.empty() && args[0].rfind("--", 0) == 0; }

std::string UsageText()
{
    return std::string(kUsage) + R"(
       unra5-register --help

Читает все карточки (*.crd) в папках и их вложенных папках и сохраняет сводку.
  --export ФАЙЛ      книга Excel (.xlsx: карточки, районы, показатели,
                     сдали и не сдали) или таблица CSV (.csv: карточки)
  --report ФАЙЛ.pdf  отчёт района в PDF
  --year ГОД         год отчёта (по умолчанию последний год карточек)
  --period ПЕРИОД    annual — годовой, half — 1 полугодие (по умолчанию
                     годовой, если есть годовые карточки этого года)
  --reference СПИСОК список предприятий, обязанных отчитываться (.csv или
                     .xlsx со столбцами «ИНН» и «Наименование»); без него
                     «не сдали» считаются от того же периода прошлого года
  --help             эта справка
С --year или --period выгрузка и отчёт содержат карточки этого года и периода.
Коды завершения: 0 — все файлы прочитаны, 1 — есть непрочитанные файлы,
2 — ошибка в параметрах или в списке предприятий, 3 — не удалось записать
выгрузку или отчёт.
)";
}

std::optional<CommandOptions> ParseCommandLine(const std::vector<std::string>& args, std::string& error)
{
    CommandOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }
        if (arg.rfind("--", 0) != 0) {
            options.folders.push_back(arg);
            continue;
        }
        if (i + 1 >= args.size()) {
            error = "Не указано значение параметра " + arg;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (arg == "--export") {
            if (ExportFormatOf(value) == ExportFormat::None) {
                error = "Сохранить можно только в файл .xlsx или .csv: " + value;
                return std::nullopt;
            }
            options.exportPath = value;
        } else if (arg == "--report") {
            if (!EndsWith(value, ".pdf")) {
                error = "Отчёт сохраняется только в файл .pdf: " + value;
                return std::nullopt;
            }
            options.reportPath = value;
        } else if (arg == "--year") {
            options.year = YearOf(value);
            if (!options.year) {
                error = "Неверный год: " + value;
                return std::nullopt;
            }
        } else if (arg == "--period") {
            if (value != "annual" && value != "half") {
                error = "Период — annual (годовой) или half (1 полугодие), а не " + value;
                return std::nullopt;
            }
            options.period = value == "annual" ? kAnnual : kHalfYear;
        } else if (arg == "--reference") {
            options.referencePath = value;
        } else {
            error = "Неизвестный параметр " + arg;
            return std::nullopt;
        }
    }
    if (options.exportPath.empty() && options.reportPath.empty()) {
        error = "Не указано, куда сохранить: --export или --report";
        return std::nullopt;
    }
    if (options.folders.empty()) {
        error = "Не указана папка с карточками";
        return std::nullopt;
    }
    return options;
}

int RunRegisterCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool progressLine,
                       const ReportWriter& writeReport)
{
    std::string error;
    const std::optional<CommandOptions> options = ParseCommandLine(args, error);
    if (!options) {
        err << error << "\n" << kUsage << "\n";
        return kExitUsage;
    }
    if (options->help) {
        out << UsageText();
        return kExitAllRead;
    }
    if (!options->reportPath.empty() && !writeReport) {
        err << "Отчёт в PDF эта сборка программы не составляет: " << options->reportPath << "\n";
        return kExitUsage;
    }
    std::optional<ReferenceList> reference;
    if (!options->referencePath.empty()) {
        ReferenceReading reading = ReadReferenceFile(options->referencePath);
        if (!reading.list) {
            err << reading.error << "\n";
            return kExitUsage;
        }
        reference = std::move(reading.list);
    }

    const std::vector<RegisterRow> rows = ReadAll(options->folders, err, progressLine);
    const auto all = Pointers(rows);
    const std::optional<YearPeriod> period = ChosenPeriod(*options, all);
    const bool narrowed = options->year || options->period;
    std::vector<const RegisterRow*> shown;
    for (const RegisterRow* row : all)
        if (!narrowed || (row->read() && YearPeriod{row->year, row->period} == *period))
            shown.push_back(row);

    ExportContent content{shown, all, reference ? &*reference : nullptr, {}, std::nullopt};
    content.info.folders = options->folders;
    content.info.filter = narrowed ? "год и период " + YearPeriodText(*period) : std::string("все карточки");
    content.info.period = period;
    content.info.reference = options->referencePath;
    bool written = true;
    if (!options->exportPath.empty()) {
        if (const std::string failure = ExportSheetsTo(ExportSheets(content), options->exportPath); !failure.empty()) {
            err << failure << "\n";
            written = false;
        }
    }
    if (!options->reportPath.empty() && !period) {
        err << "Отчёт не составлен: в папках нет прочитанных карточек (" << options->reportPath << ")\n";
        written = false;
    } else if (!options->reportPath.empty()) {
        const ReportInput input{rows,
                                shown,
                                *period,
                                ComputeIndicators(all, *period),
                                CompareSubmissions(all, *period, content.reference),
                                content.info};
        if (const std::string failure = writeReport(input, options->reportPath); !failure.empty()) {
            err << failure << "\n";
            written = false;
        }
    }
    const ReadingCounts counts = CountRows(all);
    out << SummaryLine(counts) << "\n";
    if (!written)
        return kExitNotWritten;
    return counts.refused > 0 ? kExitSomeRefused : kExitAllRead;
}

} // namespace reg
