// Loading and saving whole scansion files, against the floor of merely reading a file and
// walking its rows. The store's memory is reported per verse line and against the file's size.

#include "bench_support.h"
#include "scansion/RecordReader.h"
#include "scansion/Workspace.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using corvale::RowCursor;
using corvale::Workspace;
using corvale::bench::BenchPlatform;
using corvale::bench::GenerateScansionFile;

constexpr char kName[] = "poem.txt";

void Load(Workspace& workspace) {
    workspace.Settings().SetWorkingFileName(kName);
    workspace.LoadWorkingFile();
}

void SetSizeCounters(benchmark::State& state, std::size_t fileBytes) {
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileBytes));
}

void BM_ReadRowsFloor(benchmark::State& state) {
    BenchPlatform platform;
    const std::string bytes = GenerateScansionFile(static_cast<int>(state.range(0)));
    platform.Write(kName, bytes);
    for (auto _ : state) {
        const std::optional<std::string> read = platform.ReadWholeFile(kName);
        RowCursor rows(*read);
        std::size_t touched = 0;
        while (!rows.AtEnd()) {
            const std::string_view row = rows.Next();
            touched += row.size() + (row.empty() ? 0 : static_cast<unsigned char>(row.back()));
        }
        benchmark::DoNotOptimize(touched);
    }
    SetSizeCounters(state, bytes.size());
}

void BM_Load(benchmark::State& state) {
    BenchPlatform platform;
    const std::string bytes = GenerateScansionFile(static_cast<int>(state.range(0)));
    platform.Write(kName, bytes);
    std::size_t memory = 0;
    for (auto _ : state) {
        Workspace workspace(platform);
        Load(workspace);
        memory = workspace.Doc().GetStore().MemoryBytes();
        benchmark::DoNotOptimize(workspace.Doc().NumberOfLines());
    }
    SetSizeCounters(state, bytes.size());
    state.counters["store_bytes_per_line"] =
        static_cast<double>(memory) / static_cast<double>(state.range(0));
    state.counters["store_to_file"] =
        static_cast<double>(memory) / static_cast<double>(bytes.size());
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}

// The two passes apart, to show where loading spends its time.
void BM_FirstPass(benchmark::State& state) {
    BenchPlatform platform;
    const std::string bytes = GenerateScansionFile(static_cast<int>(state.range(0)));
    platform.Write(kName, bytes);
    for (auto _ : state) {
        const corvale::TabIndex index(bytes);
        const auto survey = corvale::SurveyRecords(bytes, index);
        benchmark::DoNotOptimize(std::get<corvale::RecordSurvey>(survey).positions);
    }
    SetSizeCounters(state, bytes.size());
}

void BM_SecondPass(benchmark::State& state) {
    BenchPlatform platform;
    const std::string bytes = GenerateScansionFile(static_cast<int>(state.range(0)));
    platform.Write(kName, bytes);
    const corvale::TabIndex index(bytes);
    const auto survey = std::get<corvale::RecordSurvey>(corvale::SurveyRecords(bytes, index));
    for (auto _ : state) {
        corvale::Store store;
        store.Redimension(survey.verseLines, survey.positions);
        store.Reserve(survey.textBytes, survey.texts);
        corvale::RecordReader records(bytes, index, survey.verseLines, survey.encoding);
        corvale::ScansionRecord record;
        while (records.Next(record)) {
            store.SetRecord(record.verseLine, record.lineText, record.comment, record.values);
        }
        benchmark::DoNotOptimize(store.LineText(1));
    }
    SetSizeCounters(state, bytes.size());
}

void BM_SaveBytes(benchmark::State& state) {
    BenchPlatform platform;
    const std::string bytes = GenerateScansionFile(static_cast<int>(state.range(0)));
    platform.Write(kName, bytes);
    Workspace workspace(platform);
    Load(workspace);
    for (auto _ : state) {
        benchmark::DoNotOptimize(workspace.Doc().ScansionFileBytes());
    }
    SetSizeCounters(state, bytes.size());
}

void BM_Save(benchmark::State& state) {
    BenchPlatform platform;
    const std::string bytes = GenerateScansionFile(static_cast<int>(state.range(0)));
    platform.Write(kName, bytes);
    Workspace workspace(platform);
    Load(workspace);
    for (auto _ : state) {
        if (!platform.ReplaceFile(kName, workspace.Doc().ScansionFileBytes())) {
            state.SkipWithError("the scansion file could not be written");
            break;
        }
    }
    SetSizeCounters(state, bytes.size());
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->RangeMultiplier(10)->Range(1'000, 100'000)->Unit(benchmark::kMillisecond);
    benchmark->Complexity(benchmark::oN);
}

BENCHMARK(BM_ReadRowsFloor)->Apply(Sizes);
BENCHMARK(BM_Load)->Apply(Sizes);
BENCHMARK(BM_FirstPass)->Apply(Sizes);
BENCHMARK(BM_SecondPass)->Apply(Sizes);
BENCHMARK(BM_SaveBytes)->Apply(Sizes);
BENCHMARK(BM_Save)->Apply(Sizes);

}  // namespace
