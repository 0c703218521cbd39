#include "register/register_reader.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>
#include <thread>

#include "card/file_error.h"
#include "card/outcome.h"
#include "card/text_rules.h"
#include "card/utf8.h"
#include "card/utf8_path.h"
#include "register/file_identity.h"
#include "register/register_summary.h"

namespace reg {
namespace {

namespace fs = std::filesystem;

bool IsCardName(const fs::path& path) { return card::AsciiLower(card::Utf8FromPath(path.extension())) == ".crd"; }

RegisterRow UnreadableFolder(const std::string& shown, const std::error_code& error)
{
    RegisterRow row;
    row.file = card::ValidUtf8(shown);
    const int code = error == std::errc::no_such_file_or_directory ? card::kFileNotFound : card::kFileAccessDenied;
    row.stateText = card::ErrorDisplayText(card::FileErrorText(code));
    return row;
}

// A card file the walk found, with the file it reaches.
struct Listed {
    CardFile file;
    std::optional<FileIdentity> identity;
};

struct Walker {
    const std::atomic<bool>& cancel;
    FoundFiles& found;
    std::vector<Listed> listed;

    // Whether the cancel flag has stopped the walk.
    bool stopped()
    {
        if (!found.cancelled && cancel.load(std::memory_order_relaxed))
            found.cancelled = true;
        return found.cancelled;
    }

    // Lists one folder by hand, so that a folder that cannot be listed is
    // reported and the walk goes on beside it; then its subfolders.
    void walk(const fs::path& folder, const fs::path& root, const std::string& prefix)
    {
        std::error_code error;
        fs::directory_iterator it(folder, error);
        const auto shown = [&](const fs::path& p) {
            const std::u8string relative = p.lexically_relative(root).generic_u8string();
            return prefix + std::string(relative.begin(), relative.end());
        };
        if (error) {
            found.unreadable.push_back(UnreadableFolder(folder == root ? prefix : shown(folder), error));
            return;
        }
        std::vector<fs::path> subfolders;
        std::vector<fs::path> cardNames;
        const std::size_t first = listed.size();
        for (; it != fs::directory_iterator(); it.increment(error)) {
            if (error || stopped())
                break;
            const fs::directory_entry& entry = *it;
            std::error_code typeError;
            if (entry.is_symlink(typeError) && entry.is_directory(typeError))
                continue;
            if (entry.is_directory(typeError)) {
                subfolders.push_back(entry.path());
            } else if (IsCardName(entry.path())) {
                listed.push_back({{card::Utf8FromPath(entry.path()), shown(entry.path()), 0}, std::nullopt});
                cardNames.push_back(entry.path().filename());
            }
        }
        if (stopped())
            return;
        if (error)
            found.unreadable.push_back(UnreadableFolder(folder == root ? prefix : shown(folder), error));
        const auto identities = FileIdentities(folder, cardNames, cancel);
        for (std::size_t i = 0; i < identities.size(); ++i) {
            listed[first + i].identity = identities[i].identity;
            listed[first + i].file.modified = identities[i].modified;
        }
        for (const fs::path& sub : subfolders) {
            if (stopped())
                return;
            walk(sub, root, prefix);
        }
    }
};

} // namespace

FoundFiles FindCardFiles(const std::vector<std::string>& folders, const std::atomic<bool>& cancel)
{
    FoundFiles found;
    Walker walker{cancel, found, {}};
    for (const std::string& folder : folders) {
        if (walker.stopped())
            break;
        std::string prefix;
        if (folders.size() > 1) {
            prefix = folder;
            if (!prefix.empty() && prefix.back() != '/' && prefix.back() != '\\')
                prefix += '/';
        }
        const fs::path root = card::PathFromUtf8(folder);
        std::error_code error;
        if (!fs::is_directory(root, error)) {
            found.unreadable.push_back(
                UnreadableFolder(folder, error ? error : std::make_error_code(std::errc::no_such_file_or_directory)));
            continue;
        }
        walker.walk(root, root, prefix);
    }
    // A file reached by more than one path (folders named twice or inside
    // one another, links, hard links) is read once, under the first of its
    // shown names.
    std::stable_sort(walker.listed.begin(), walker.listed.end(),
                     [](const Listed& a, const Listed& b) { return a.file.shownName < b.file.shownName; });
    std::set<FileIdentity> seen;
    for (Listed& card : walker.listed)
        if (!card.identity || seen.insert(*card.identity).second)
            found.cards.push_back(std::move(card.file));
    // So is a folder that cannot be listed, or is missing, named twice.
    std::set<std::string> reported;
    std::erase_if(found.unreadable, [&](const RegisterRow& row) { return !reported.insert(row.file).second; });
    return found;
}

FoundFiles FindCardFiles(const std::vector<std::string>& folders)
{
    const std::atomic<bool> never{false};
    return FindCardFiles(folders, never);
}

RegisterRow ReadCardFileRow(const CardFile& file)
{
    RegisterRow row = ReadRegisterRow(file.path, file.shownName);
    row.modified = file.modified;
    return row;
}

std::size_t ReadCards(const std::vector<CardFile>& files, unsigned threads, const std::atomic<bool>& cancel,
                      const std::function<void(std::size_t, RegisterRow&&)>& onRow, const RowReader& readRow)
{
    if (threads == 0)
        threads = std::max(1u, std::thread::hardware_concurrency());
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, std::max<std::size_t>(files.size(), 1)));
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    const auto work = [&] {
        for (;;) {
            if (cancel.load(std::memory_order_relaxed))
                return;
            const std::size_t index = next.fetch_add(1);
            if (index >= files.size())
                return;
            onRow(index, readRow(files[index]));
            done.fetch_add(1);
        }
    };
    std::vector<std::thread> workers;
    for (unsigned i = 1; i < threads; ++i)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();
    return done.load();
}

std::vector<RegisterRow> ReadRegister(const std::vector<std::string>& folders, unsigned threads)
{
    FoundFiles found = FindCardFiles(folders);
    std::vector<RegisterRow> rows(found.cards.size());
    const std::atomic<bool> never{false};
    ReadCards(found.cards, threads, never, [&](std::size_t index, RegisterRow&& row) { rows[index] = std::move(row); });
    rows.insert(rows.begin(), std::make_move_iterator(found.unreadable.begin()),
                std::make_move_iterator(found.unreadable.end()));
    MarkRepeats(rows);
    return rows;
}

ReadingJob::~ReadingJob()
{
    cancel();
    wait();
}

void ReadingJob::start(std::vector<std::string> folders, unsigned threads)
{
    wait();
    cancel_ = false;
    finished_ = false;
    total_ = -1;
    allFound_ = true;
    taken_ = 0;
    pending_.clear();
    thread_ = std::thread([this, folders = std::move(folders), threads] {
        FoundFiles found = FindCardFiles(folders, cancel_);
        allFound_ = !found.cancelled;
        {
            std::lock_guard lock(mutex_);
            for (RegisterRow& row : found.unreadable)
                pending_.push_back(std::move(row));
        }
        total_ = static_cast<long>(found.cards.size() + found.unreadable.size());
        ReadCards(
            found.cards, threads, cancel_,
            [this](std::size_t, RegisterRow&& row) {
                std::lock_guard lock(mutex_);
                pending_.push_back(std::move(row));
            },
            readRow_);
        finished_ = true;
    });
}

std::vector<RegisterRow> ReadingJob::takeRows()
{
    std::vector<RegisterRow> rows;
    {
        std::lock_guard lock(mutex_);
        rows.swap(pending_);
    }
    taken_ += rows.size();
    return rows;
}

void ReadingJob::wait()
{
    if (thread_.joinable())
        thread_.join();
}

} // namespace reg
