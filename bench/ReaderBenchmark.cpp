// Load-and-parse benchmark of CIniFile against inih and SimpleIni on generated
// settings files of 1 KiB, 1 MiB and 16 MiB. For each file and reader it takes
// - the first load in a process: each timed load runs in a new process of this
//   binary, so it pays for every page of memory it touches, as the launcher's
//   own loads do;
// - repeated loads in this process, into a fresh reader each time (destruction
//   is not timed), with freed memory kept for reuse, which measures the
//   reader's own parsing and allocation work;
// - the peak live heap bytes of one load, and a check that the reader kept
//   every entry of the file.
// It ends with a summary table of all figures.
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdlib.h>
#include <string>
#include <vector>

#include "FirstLoad.h"
#include "HeapPolicy.h"
#include "HeapTracker.h"
#include "ResultTable.h"
#include "SettingsGenerator.h"
#include "SettingsReader.h"

namespace {

namespace fs = std::filesystem;

struct FileSize {
    const char* label;
    std::size_t maxBytes;
    benchmark::TimeUnit unit;
    // Each first load starts a process, so their number is fixed rather than
    // grown until the minimum time is reached.
    benchmark::IterationCount firstLoads;
};

const FileSize kSizes[] = {
    {"1KiB", 1024, benchmark::kMicrosecond, 300},
    {"1MiB", 1024 * 1024, benchmark::kMillisecond, 60},
    {"16MiB", 16 * 1024 * 1024, benchmark::kMillisecond, 12},
};

const double kWarmUpSeconds = 1.0;
const double kMinSeconds = 2.0;

struct SettingsFile {
    std::string label;
    std::string path;
    std::size_t bytes;
    std::size_t entries;
};

bench::ResultTable g_table;

double MibPerSecond(const SettingsFile& file, benchmark::IterationCount loads, double seconds)
{
    return static_cast<double>(file.bytes) * static_cast<double>(loads) / (1024.0 * 1024.0) / seconds;
}

// Peak heap of one load, taken before the entries are counted, since counting
// may allocate.
std::size_t PeakHeapOfLoad(const bench::ReaderKind& reader, const SettingsFile& file, std::size_t& entries)
{
    std::unique_ptr<bench::SettingsReader> settings;
    std::size_t peak = 0;
    {
        const bench::PeakHeapScope scope;
        settings = reader.make();
        if (!settings->Load(file.path.c_str()))
            return 0;
        peak = scope.PeakBytes();
    }
    entries = settings->EntryCount();
    return peak;
}

void BenchmarkFirstLoad(benchmark::State& state, const bench::ReaderKind& reader, const SettingsFile& file)
{
    double seconds = 0.0;
    long pageFaults = 0;
    for (auto _ : state) {
        const bench::FirstLoadResult result = bench::RunFirstLoad(reader.name, file.path);
        if (!result.loaded) {
            state.SkipWithError("the first load failed");
            return;
        }
        state.SetIterationTime(result.seconds);
        seconds += result.seconds;
        pageFaults += result.pageFaults;
    }
    const double mibPerSecond = MibPerSecond(file, state.iterations(), seconds);
    const long faultsPerLoad = pageFaults / static_cast<long>(state.iterations());
    state.counters["MiB/s"] = mibPerSecond;
    state.counters["faults"] = static_cast<double>(faultsPerLoad);
    g_table.RecordFirstLoad(file.label, reader.name, mibPerSecond, faultsPerLoad);
}

void BenchmarkRepeatedLoads(benchmark::State& state, const bench::ReaderKind& reader, const SettingsFile& file)
{
    using Clock = std::chrono::steady_clock;
    double seconds = 0.0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        std::unique_ptr<bench::SettingsReader> settings = reader.make();
        const bool loaded = settings->Load(file.path.c_str());
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        if (!loaded) {
            state.SkipWithError("the file could not be loaded");
            return;
        }
        state.SetIterationTime(elapsed);
        seconds += elapsed;
    }
    std::size_t entries = 0;
    const std::size_t peak = PeakHeapOfLoad(reader, file, entries);
    if (entries != file.entries) {
        state.SkipWithError("the reader kept a different number of entries than the file holds");
        return;
    }
    const double mibPerSecond = MibPerSecond(file, state.iterations(), seconds);
    state.counters["MiB/s"] = mibPerSecond;
    state.counters["peak_MiB"] = static_cast<double>(peak) / (1024.0 * 1024.0);
    state.counters["entries"] = static_cast<double>(entries);
    g_table.RecordRepeatedLoads(file.label, reader.name, file.bytes, mibPerSecond, peak);
}

std::vector<SettingsFile> WriteSettingsFiles(const fs::path& directory)
{
    std::vector<SettingsFile> files;
    for (const FileSize& size : kSizes) {
        const bench::SettingsText settings = bench::GenerateSettings(size.maxBytes);
        const fs::path path = directory / (std::string(size.label) + ".ini");
        std::ofstream(path, std::ios::binary).write(settings.text.data(), static_cast<std::streamsize>(settings.text.size()));
        files.push_back({size.label, path.string(), settings.text.size(), settings.entries});
    }
    return files;
}

void RegisterBenchmarks(const std::vector<SettingsFile>& files)
{
    for (std::size_t i = 0; i < files.size(); ++i) {
        for (const bench::ReaderKind& reader : bench::AllReaders()) {
            benchmark::RegisterBenchmark(("FirstLoad/" + files[i].label + "/" + reader.name).c_str(),
                                         BenchmarkFirstLoad, reader, files[i])
                ->UseManualTime()
                ->Iterations(kSizes[i].firstLoads)
                ->Unit(kSizes[i].unit);
        }
        for (const bench::ReaderKind& reader : bench::AllReaders()) {
            benchmark::RegisterBenchmark(("RepeatedLoads/" + files[i].label + "/" + reader.name).c_str(),
                                         BenchmarkRepeatedLoads, reader, files[i])
                ->UseManualTime()
                ->MinWarmUpTime(kWarmUpSeconds)
                ->MinTime(kMinSeconds)
                ->Unit(kSizes[i].unit);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    bench::ServeFirstLoadIfAsked(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    bench::KeepFreedMemoryInProcess();

    std::string pattern = (fs::temp_directory_path() / "ini-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("ini_bench: temporary directory");
        return 1;
    }
    const fs::path directory = pattern;
    RegisterBenchmarks(WriteSettingsFiles(directory));
    benchmark::RunSpecifiedBenchmarks();
    g_table.Print(stdout);
    benchmark::Shutdown();
    fs::remove_all(directory);
    return 0;
}
