#pragma once
// Finding the card files under the chosen folders and reading them on
// several threads.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "register/register_row.h"

namespace reg {

struct CardFile {
    std::string path;          // to open, UTF-8
    std::string shownName;     // the file column: relative to its folder
    std::int64_t modified = 0; // when the walk saw it: nanoseconds since 1970 UTC (0: unknown)
};

struct FoundFiles {
    std::vector<CardFile> cards;         // in the order of their shown names
    std::vector<RegisterRow> unreadable; // folders that could not be listed, as refused rows
    bool cancelled = false;              // the walk stopped at the cancel flag: more files may be there
};

// Every file ending in ".crd" (in any letter case) under the folders (UTF-8
// paths), subfolders included; links to folders are not followed. With more
// than one folder each shown name starts with its folder as given. A file
// that more than one path reaches (the same device and file number) is
// listed once, under the first of its shown names. Once `cancel` is set the
// walk stops at the next entry and returns what it found.
FoundFiles FindCardFiles(const std::vector<std::string>& folders, const std::atomic<bool>& cancel);
FoundFiles FindCardFiles(const std::vector<std::string>& folders);

// How a reading turns one found file into its row: ReadCardFileRow, or in
// tests a stand-in that holds a reading part-way.
using RowReader = std::function<RegisterRow(const CardFile&)>;
RegisterRow ReadCardFileRow(const CardFile& file);

// Reads the files on `threads` threads (0: one per core). `onRow` is called
// on those threads, one call per file read, with the file's index in
// `files`; it must be safe to call concurrently. Once `cancel` is set no new
// file is started; files already started are still delivered. Returns the
// number of files read.
std::size_t ReadCards(const std::vector<CardFile>& files, unsigned threads, const std::atomic<bool>& cancel,
                      const std::function<void(std::size_t, RegisterRow&&)>& onRow,
                      const RowReader& readRow = ReadCardFileRow);

// The whole reading in one call: every row in file order, the unreadable
// folders first, repeats marked.
std::vector<RegisterRow> ReadRegister(const std::vector<std::string>& folders, unsigned threads = 0);

// A reading on a thread of its own, for a window that must stay responsive:
// it finds the files, reads them in parallel and hands the rows over in
// batches whenever asked.
class ReadingJob {
public:
    explicit ReadingJob(RowReader readRow = ReadCardFileRow)
        : readRow_(std::move(readRow))
    {
    }
    ~ReadingJob(); // cancels a reading still under way and waits for it
    ReadingJob(const ReadingJob&) = delete;
    ReadingJob& operator=(const ReadingJob&) = delete;

    // Starts reading `folders` (after the previous reading has ended).
    void start(std::vector<std::string> folders, unsigned threads = 0);
    // The search for files stops at its next entry and no new file is
    // started; the rows of files already started still come.
    void cancel() { cancel_ = true; }
    // The rows that arrived since the last call, unreadable folders first.
    std::vector<RegisterRow> takeRows();
    // Files to read; -1 while they are still being found.
    long total() const { return total_; }
    // Every file under the folders was found (false after a cancel during
    // the search: total() counts what was found until then).
    bool allFound() const { return allFound_; }
    // Rows handed over by takeRows so far.
    std::size_t taken() const { return taken_; }
    // The reading has ended (the last rows may still wait in takeRows).
    bool finished() const { return finished_; }
    bool cancelled() const { return cancel_; }
    // Waits until the reading has ended.
    void wait();

private:
    RowReader readRow_;
    std::thread thread_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> finished_{true};
    std::atomic<long> total_{0};
    std::atomic<bool> allFound_{true};
    std::size_t taken_ = 0;
    std::mutex mutex_;
    std::vector<RegisterRow> pending_;
};

} // namespace reg
