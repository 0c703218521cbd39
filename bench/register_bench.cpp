// The register's reading: 10,000 generated cards (about 140 MB) read and
// checked from a warm file cache, beside the bare reading of the same files'
// bytes in the same run, on the same number of threads.
//   register_bench [cards] [threads]
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "register/register_cards.h"
#include "register/register_reader.h"
#include "register/register_summary.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Opens each file, reads all its bytes, closes it: what any reading costs.
std::size_t BareRead(const std::vector<reg::CardFile>& files, unsigned threads)
{
    std::atomic<std::size_t> next{0}, bytes{0};
    const auto work = [&] {
        std::vector<char> buffer(16384);
        for (std::size_t i; (i = next++) < files.size();) {
            std::ifstream in(regtest::U8Path(files[i].path), std::ios::binary);
            in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            bytes += static_cast<std::size_t>(in.gcount());
        }
    };
    std::vector<std::thread> workers;
    for (unsigned t = 1; t < threads; ++t)
        workers.emplace_back(work);
    work();
    for (auto& w : workers)
        w.join();
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    const int cards = argc > 1 ? std::atoi(argv[1]) : 10000;
    const unsigned threads
        = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : std::max(1u, std::thread::hardware_concurrency());
    const fs::path root = fs::temp_directory_path() / "unra5-register-bench";
    fs::remove_all(root);
    for (int i = 0; i < cards; ++i) {
        card::TCardRec rec = regtest::GoodCard("Предприятие " + std::to_string(i), i % 7 ? "7707083893" : "123",
                                               2010 + i % 10, i % 2, 1 + i % 13, i % 500);
        regtest::WriteCard(root / regtest::U8Path("Район " + std::to_string(i % 50))
                               / regtest::U8Path(std::to_string(i) + "_Предприятие_" + std::to_string(i) + ".crd"),
                           rec, i % 10 ? card::kCardRecSize : card::kCardRecV1Size);
    }
    const std::string folder = root.string();

    auto start = Clock::now();
    const reg::FoundFiles found = reg::FindCardFiles({folder});
    const double findTime = Seconds(start);

    BareRead(found.cards, threads); // warms the file cache
    double bare = 1e9, bareOne = 1e9, full = 1e9;
    std::size_t bytes = 0;
    int faulty = 0;
    for (int round = 0; round < 3; ++round) {
        start = Clock::now();
        bytes = BareRead(found.cards, threads);
        bare = std::min(bare, Seconds(start));

        start = Clock::now();
        BareRead(found.cards, 1);
        bareOne = std::min(bareOne, Seconds(start));

        std::vector<reg::RegisterRow> rows(found.cards.size());
        const std::atomic<bool> never{false};
        start = Clock::now();
        reg::ReadCards(found.cards, threads, never,
                       [&](std::size_t i, reg::RegisterRow&& row) { rows[i] = std::move(row); });
        reg::MarkRepeats(rows);
        full = std::min(full, Seconds(start));
        faulty = reg::CountRows(reg::Pointers(rows)).faulty;
    }
    std::printf("cards: %zu files, %.1f MB, %u threads, %d faulty\n", found.cards.size(), bytes / 1e6, threads, faulty);
    std::printf("finding the files:           %.3f s\n", findTime);
    std::printf("bare read, 1 thread:         %.3f s\n", bareOne);
    std::printf("bare read, %u threads:        %.3f s\n", threads, bare);
    std::printf("read + check + repeats:      %.3f s  (%.2f x the bare read on %u threads)\n", full, full / bare,
                threads);
    fs::remove_all(root);
    return 0;
}
