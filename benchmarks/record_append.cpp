// Times one record appended to a workbook holding only its skeleton and to one
// of 50 MB: the tail search reads only the file's end, so both should take
// about as long. Usage: record_append [rounds] [directory]
#include "records/record_files.h"
#include "round_trip_stats.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace teb::bench {
namespace {

constexpr int kDefaultRounds = 200;
constexpr std::uintmax_t kLargeSize = 50u * 1024 * 1024;
constexpr double kTargetRatio = 1.2;

records::RecordEntry fullEntry()
{
    records::RecordEntry entry;
    entry.uid = "E0040100";
    for (records::EntryPage &page : entry.pages)
        page = {true, "30 31 32 33 34 35 36 37", "0 1 2 3 4 5 6 7", true};
    return entry;
}

// A workbook of the given size at least: the skeleton, entries, the tail.
void writeWorkbook(const std::filesystem::path &file, std::uintmax_t size)
{
    const std::string head = records::skeletonHead(records::WorkbookKind::RecordFile);
    const std::string entry = records::entryRows(fullEntry(), " 5/03/26;07:04:09");
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << head;
    for (std::uintmax_t written = head.size(); written < size; written += entry.size())
        out << entry;
    out << records::closingTail();
}

// Appends `rounds` records, each timed; the file is cut back to its old end
// after each (not timed), so every round appends to the same size.
std::vector<Duration> timeAppends(const std::filesystem::path &file, int rounds)
{
    const auto size = static_cast<off_t>(std::filesystem::file_size(file));
    const std::string_view tail = records::closingTail();
    ParameterSet set;
    std::vector<Duration> samples;
    for (int round = 0; round < rounds; ++round) {
        bool jobHeaderPending = false;
        const auto start = std::chrono::steady_clock::now();
        const auto status = records::appendRecord(file, fullEntry(), "Bench", set, jobHeaderPending);
        samples.push_back(std::chrono::steady_clock::now() - start);
        if (!records::appended(status)) {
            std::fprintf(stderr, "append failed\n");
            std::exit(EXIT_FAILURE);
        }
        const int fd = ::open(file.c_str(), O_RDWR);
        const off_t tailAt = size - static_cast<off_t>(tail.size());
        if (fd < 0 || ::pwrite(fd, tail.data(), tail.size(), tailAt) != static_cast<ssize_t>(tail.size()) ||
            ::ftruncate(fd, size) != 0) {
            std::fprintf(stderr, "the workbook could not be cut back\n");
            std::exit(EXIT_FAILURE);
        }
        ::close(fd);
    }
    return samples;
}

int run(int rounds, const std::filesystem::path &directory)
{
    const auto empty = directory / "bench_empty.xml";
    const auto large = directory / "bench_50mb.xml";
    writeWorkbook(empty, 0);
    writeWorkbook(large, kLargeSize);
    const Figures emptyFigures = figuresOf(timeAppends(empty, rounds));
    const Figures largeFigures = figuresOf(timeAppends(large, rounds));
    std::filesystem::remove(empty);
    std::filesystem::remove(large);

    std::printf("%d appends each (written, cut and synced), in %s\n", rounds, directory.c_str());
    std::printf("%s\n", describe("append to the skeleton", emptyFigures).c_str());
    std::printf("%s\n", describe("append to 50 MB", largeFigures).c_str());
    const double ratio = largeFigures.median / emptyFigures.median;
    std::printf("50 MB / skeleton median: %.2f (target: within %.1f) %s\n", ratio, kTargetRatio,
                ratio <= kTargetRatio ? "ok" : "OVER");
    return EXIT_SUCCESS;
}

} // namespace
} // namespace teb::bench

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : teb::bench::kDefaultRounds;
    const std::filesystem::path directory = argc > 2 ? argv[2] : std::filesystem::temp_directory_path();
    return teb::bench::run(rounds > 0 ? rounds : teb::bench::kDefaultRounds, directory);
}
