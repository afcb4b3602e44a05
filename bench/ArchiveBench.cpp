// Extraction throughput and peak memory of the archive reader against a baseline that inflates
// the same blocks with zlib and writes the same bytes. Run by hand, in a Release build:
//
//   archive_bench [WORKDIR]
//
// Given a work directory, it leaves its containers there, so that one extraction can be
// profiled alone: archive_bench --child reader|baseline CONTAINER OUTDIR.
//
// It builds a container of about 270 MB (one large entry, many small ones, text and binary
// mixed), then extracts it in alternating rounds, each extraction in a fresh child process so
// that its peak resident memory is its own, and prints the throughputs and their ratio. The
// outputs of all rounds stay until the end: it needs about 2.5 GB of disk.
#include "BaselineExtractor.h"
#include "BenchData.h"

#include "archive/ArchiveError.h"
#include "archive/ArchiveReader.h"
#include "archive/ArchiveText.h"
#include "tools/ArchiveWriter.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t MiB = 1024 * 1024;
constexpr std::uint64_t LargeEntrySize = 192 * MiB;
constexpr std::uint64_t SmallContainerEntrySize = 8 * MiB;
constexpr int SmallEntries = 1500;
constexpr int Rounds = 4;

struct ContainerSummary {
    std::uint64_t bytes = 0;
    int entries = 0;
};

bool AddGenerated(CArchiveWriter& writer, const std::u16string& name, std::uint64_t size,
                  CBenchData::Kind kind, std::uint32_t seed, ContainerSummary& summary) {
    CBenchData data(seed);
    const ArchiveEntryInfo info{name,
                                ArchiveAttributes::Archive,
                                {125000000000000000, 126000000000000000, 126444736000000000}};
    summary.bytes += size;
    ++summary.entries;
    return writer.AddEntry(info, size, [&](std::uint8_t* buffer, std::uint32_t n) {
        data.Fill(buffer, n, kind);
        return true;
    });
}

// Small entries from 1 KB to 256 KB, spread evenly on a logarithmic scale.
bool BuildContainer(const fs::path& path, bool withSmallEntries, std::uint64_t largeSize,
                    ContainerSummary& summary) {
    CArchiveWriter writer;
    if (!writer.Create(Utf8ToUtf16(path.string())) ||
        !AddGenerated(writer, u"I386\\SYSTEM\\LARGE.CAB", largeSize, CBenchData::Kind::Mixed, 1,
                      summary)) {
        return false;
    }
    CBenchData sizes(99);
    for (int i = 0; withSmallEntries && i < SmallEntries; ++i) {
        const double exponent = 10 + 8.0 * (sizes.Next() % 1000) / 1000;
        const auto size = static_cast<std::uint64_t>(std::pow(2.0, exponent));
        const auto kind = i % 3 == 0 ? CBenchData::Kind::Binary : CBenchData::Kind::Text;
        const std::string name = "WINDOWS\\SYSTEM32\\DIR" + std::to_string(i % 40) + "\\FILE" +
                                 std::to_string(i) +
                                 (kind == CBenchData::Kind::Text ? ".INF" : ".DLL");
        if (!AddGenerated(writer, Utf8ToUtf16(name), size, kind, 1000 + i, summary)) {
            return false;
        }
    }
    return writer.Finish();
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Child process: one extraction; prints its seconds and bytes.
int RunChild(const std::string& mode, const std::string& container, const std::string& out) {
    const auto start = std::chrono::steady_clock::now();
    std::int64_t bytes = 0;
    if (mode == "baseline") {
        bytes = BaselineExtract(container, out);
    } else {
        CArchiveReader reader;
        if (!reader.Open(Utf8ToUtf16(container))) {
            bytes = -1;
        }
        while (bytes >= 0 && reader.ExtractEntry(Utf8ToUtf16(out))) {
            bytes += static_cast<std::int64_t>(reader.GetFileSize());
        }
        if (GetArchiveLastError() != ArchiveError::NoMoreItems) {
            std::fprintf(stderr, "reader: %s\n", ArchiveErrorName(GetArchiveLastError()).c_str());
            bytes = -1;
        }
    }
    const double seconds = Seconds(std::chrono::steady_clock::now() - start);
    std::printf("%.6f %lld\n", seconds, static_cast<long long>(bytes));
    return bytes < 0 ? 1 : 0;
}

// One extraction: wall-clock seconds as the child measured them, processor seconds (user and
// system) as the system counted them, which other load on the machine disturbs less.
struct Run {
    double seconds = 0;
    double cpuSeconds = 0;
    std::int64_t bytes = 0;
    double peakMiB = 0;
    double Throughput() const { return bytes / seconds / 1e6; }
    double CpuThroughput() const { return bytes / cpuSeconds / 1e6; }
};

double SecondsOf(const struct timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
}

// Runs one extraction in a child process and collects its timing and peak memory.
bool Measure(const std::string& mode, const fs::path& container, const fs::path& out, Run& run) {
    sync(); // earlier writes must not be flushed during this run
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    std::vector<std::string> args = {self, "--child", mode, container.string(), out.string()};
    std::vector<char*> argv;
    for (auto& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    char text[128] = {};
    const ssize_t n = spawned == 0 ? read(pipeFds[0], text, sizeof text - 1) : -1;
    close(pipeFds[0]);
    int status = 0;
    struct rusage usage {};
    if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || n <= 0 || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return false;
    }
    long long bytes = 0;
    std::sscanf(text, "%lf %lld", &run.seconds, &bytes);
    run.bytes = bytes;
    run.cpuSeconds = SecondsOf(usage.ru_utime) + SecondsOf(usage.ru_stime);
    run.peakMiB = usage.ru_maxrss / 1024.0;
    return true;
}

bool SameFiles(const fs::path& a, const fs::path& b) {
    std::ifstream first(a, std::ios::binary);
    std::ifstream second(b, std::ios::binary);
    std::vector<char> x(MiB);
    std::vector<char> y(MiB);
    while (first && second) {
        first.read(x.data(), static_cast<std::streamsize>(x.size()));
        second.read(y.data(), static_cast<std::streamsize>(y.size()));
        if (first.gcount() != second.gcount() ||
            !std::equal(x.begin(), x.begin() + first.gcount(), y.begin())) {
            return false;
        }
    }
    return first.eof() && second.eof();
}

bool SameTrees(const fs::path& a, const fs::path& b) {
    for (const auto& entry : fs::recursive_directory_iterator(a)) {
        if (entry.is_regular_file() &&
            !SameFiles(entry.path(), b / fs::relative(entry.path(), a))) {
            return false;
        }
    }
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int Fail(const char* what) {
    std::fprintf(stderr, "archive_bench: %s\n", what);
    return 1;
}

// With 'keep', the containers stay in the work directory for profiling the child runs.
int RunBenchmark(const fs::path& work, bool keep) {
    const fs::path container = work / "bench.inp";
    const fs::path smallContainer = work / "bench-small.inp";
    ContainerSummary summary;
    ContainerSummary smallSummary;
    const auto buildStart = std::chrono::steady_clock::now();
    if (!BuildContainer(container, true, LargeEntrySize, summary) ||
        !BuildContainer(smallContainer, false, SmallContainerEntrySize, smallSummary)) {
        return Fail("cannot build the containers");
    }
    sync();
    std::printf("container: %d entries, %.1f MB (one of %.1f MB, %d of 1 KB to 256 KB), "
                "%.1f MB stored; built in %.1f s\n",
                summary.entries, summary.bytes / 1e6, LargeEntrySize / 1e6, SmallEntries,
                fs::file_size(container) / 1e6,
                Seconds(std::chrono::steady_clock::now() - buildStart));

    // Rounds in alternating order, each run into a directory of its own: deleting earlier
    // output would make the file system's inode allocation slower for whichever runs later.
    // Totals over all rounds cancel a steady drift of the machine's speed; the best runs are
    // the ones least disturbed by other load.
    std::vector<double> ratios;
    Run best[2];
    Run total[2];
    for (int round = 1; round <= Rounds; ++round) {
        Run baseline;
        Run reader;
        const std::string suffix = "-" + std::to_string(round);
        const bool baselineFirst = round % 2 == 1;
        if ((baselineFirst &&
             !Measure("baseline", container, work / ("out-baseline" + suffix), baseline)) ||
            !Measure("reader", container, work / ("out-reader" + suffix), reader) ||
            (!baselineFirst &&
             !Measure("baseline", container, work / ("out-baseline" + suffix), baseline))) {
            return Fail("an extraction failed");
        }
        if (round == 1 && (baseline.bytes != reader.bytes ||
                           !SameTrees(work / "out-baseline-1", work / "out-reader-1"))) {
            return Fail("the reader's output differs from the baseline's");
        }
        std::printf("round %d: baseline %.3f s (%.1f MB/s, cpu %.3f s), "
                    "reader %.3f s (%.1f MB/s, cpu %.3f s)\n",
                    round, baseline.seconds, baseline.Throughput(), baseline.cpuSeconds,
                    reader.seconds, reader.Throughput(), reader.cpuSeconds);
        ratios.push_back(reader.Throughput() / baseline.Throughput());
        for (int side = 0; side < 2; ++side) {
            const Run& run = side == 0 ? baseline : reader;
            best[side].seconds =
                round == 1 ? run.seconds : std::min(best[side].seconds, run.seconds);
            best[side].cpuSeconds =
                round == 1 ? run.cpuSeconds : std::min(best[side].cpuSeconds, run.cpuSeconds);
            best[side].bytes = run.bytes;
            best[side].peakMiB = std::max(best[side].peakMiB, run.peakMiB);
            total[side].seconds += run.seconds;
            total[side].cpuSeconds += run.cpuSeconds;
            total[side].bytes += run.bytes;
        }
    }
    Run small;
    if (!Measure("reader", smallContainer, work / "out-small", small)) {
        return Fail("the small extraction failed");
    }
    for (int round = 1; round <= Rounds; ++round) {
        fs::remove_all(work / ("out-baseline-" + std::to_string(round)));
        fs::remove_all(work / ("out-reader-" + std::to_string(round)));
    }
    fs::remove_all(work / "out-small");
    if (!keep) {
        fs::remove(container);
        fs::remove(smallContainer);
    }

    std::printf("all rounds: baseline %.1f MB/s, reader %.1f MB/s: ratio %.3f (goal at least "
                "0.9); median of the rounds' ratios %.3f\n",
                total[0].Throughput(), total[1].Throughput(),
                total[1].Throughput() / total[0].Throughput(), Median(ratios));
    std::printf("processor time, all rounds: ratio %.3f; best runs: baseline %.1f MB/s, reader "
                "%.1f MB/s: ratio %.3f\n",
                total[1].CpuThroughput() / total[0].CpuThroughput(), best[0].Throughput(),
                best[1].Throughput(), best[1].Throughput() / best[0].Throughput());
    std::printf("peak resident memory: baseline %.1f MiB, reader %.1f MiB; the reader with a "
                "%.0f MB entry alone %.1f MiB, with the %.0f MB one %.1f MiB\n",
                best[0].peakMiB, best[1].peakMiB, SmallContainerEntrySize / 1e6, small.peakMiB,
                LargeEntrySize / 1e6, best[1].peakMiB);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--child") == 0) {
        return RunChild(argv[2], argv[3], argv[4]);
    }
    if (argc > 2) {
        std::fprintf(stderr, "usage: archive_bench [WORKDIR]\n");
        return 2;
    }
    const fs::path work = argc == 2 ? fs::path(argv[1])
                                    : fs::temp_directory_path() /
                                          ("melvorin-archive-bench-" + std::to_string(getpid()));
    fs::create_directories(work);
    const int result = RunBenchmark(work, argc == 2);
    if (argc == 1) {
        fs::remove_all(work);
    }
    return result;
}
