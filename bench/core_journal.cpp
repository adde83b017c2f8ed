// The crash journal: identifying a file's content at every load and save, writing one record at
// each commit, and reading and restoring a long journal at start-up.

#include "bench_support.h"
#include "scansion/Journal.h"
#include "scansion/ScansionFile.h"
#include "scansion/Workspace.h"

#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using corvale::AppendJournalRecord;
using corvale::Store;
using corvale::bench::BenchPlatform;
using corvale::bench::GenerateScansionFile;

constexpr std::size_t kLargeFile = 36'000'000;
constexpr int kJournalRecords = 10'000;
constexpr std::int32_t kTypicalPositions = 16;

// A store of `lines` verse lines whose every position holds a syllable, a stress and a
// juncture, and a comment.
Store FullStore(std::int32_t lines, std::int32_t positions) {
    Store store;
    store.Redimension(lines, positions);
    const std::vector<std::string> syllables(static_cast<std::size_t>(positions), "pare");
    const std::vector<std::string> values(static_cast<std::size_t>(positions), "3");
    const std::vector<std::string_view> syllableViews(syllables.begin(), syllables.end());
    const std::vector<std::string_view> valueViews(values.begin(), values.end());
    for (std::int32_t j = 1; j <= lines; ++j) {
        store.SetRecord(j, "Shall I compare thee to a summer's day?", "check the caesura",
                        syllableViews, valueViews, valueViews);
    }
    return store;
}

std::string Journal(std::int32_t records, std::int32_t positions) {
    const Store store = FullStore(records, positions);
    std::string bytes = corvale::JournalHeader({kLargeFile, 0x0123456789abcdefULL});
    for (std::int32_t j = 1; j <= records; ++j) {
        AppendJournalRecord(bytes, store, j, positions, j + 1);
    }
    return bytes;
}

void BM_IdentityOf36MB(benchmark::State& state) {
    std::string bytes = GenerateScansionFile(static_cast<int>(kLargeFile / 300));
    bytes.resize(kLargeFile, 'x');
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvale::IdentityOf(bytes));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_EncodeRecord(benchmark::State& state) {
    const auto positions = static_cast<std::int32_t>(state.range(0));
    const Store store = FullStore(1, positions);
    std::string out;
    for (auto _ : state) {
        out.clear();
        AppendJournalRecord(out, store, 1, positions, 2);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["record_bytes"] = static_cast<double>(out.size());
}

// What a commit adds: one record encoded, appended, flushed and synced to disk.
void BM_CommitAppend(benchmark::State& state) {
    const auto positions = static_cast<std::int32_t>(state.range(0));
    const Store store = FullStore(1, positions);
    BenchPlatform platform;
    std::string out;
    for (auto _ : state) {
        out.clear();
        AppendJournalRecord(out, store, 1, positions, 2);
        if (!platform.AppendToFile(".poem.txt.corvale-journal", out)) {
            state.SkipWithError("the journal could not be appended to");
            break;
        }
    }
}

void BM_ReadJournal(benchmark::State& state) {
    const std::string bytes = Journal(kJournalRecords, kTypicalPositions);
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvale::ReadJournal(bytes).records.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["journal_bytes"] = static_cast<double>(bytes.size());
}

// Start-up with a journal to restore: reading it and putting every record back in the store.
void BM_RestoreJournal(benchmark::State& state) {
    const std::string bytes = Journal(kJournalRecords, kTypicalPositions);
    Store store;
    for (auto _ : state) {
        store.Redimension(kJournalRecords, kTypicalPositions);
        const corvale::JournalContents contents = corvale::ReadJournal(bytes);
        for (const corvale::JournalRecord& record : contents.records) {
            corvale::RestoreRecord(store, record);
        }
        benchmark::DoNotOptimize(store.LineText(kJournalRecords));
    }
}

// The whole offer at a load, as a restart after a crash meets it: a journal of 10,000
// corrections, one for each verse line of the file, read, checked against the file, asked about
// (Yes) and restored into the store. Loading the file itself is not timed.
void BM_OfferJournal(benchmark::State& state) {
    BenchPlatform platform;
    const std::string file = GenerateScansionFile(kJournalRecords);
    platform.Write("poem.txt", file);
    auto corrected = std::get<corvale::LoadedScansion>(corvale::ReadScansionBytes(file));
    std::string journal = corvale::JournalHeader(corvale::IdentityOf(file));
    const std::vector<std::string> stresses(static_cast<std::size_t>(kTypicalPositions), "4");
    for (std::int32_t j = 1; j <= kJournalRecords; ++j) {
        corrected.store.SetValues(j, corvale::ValueRow::Stresses, stresses);
        AppendJournalRecord(journal, corrected.store, j, corrected.store.MaximumPositions(), j + 1);
    }
    for (auto _ : state) {
        state.PauseTiming();
        platform.Write(".poem.txt.corvale-journal", journal);
        corvale::Workspace workspace(platform);
        workspace.Settings().SetWorkingFileName("poem.txt");
        workspace.LoadWorkingFile();
        state.ResumeTiming();
        const std::optional<std::int32_t> line = workspace.Doc().OfferJournal();
        if (!line || workspace.Doc().ChangedLineCount() != kJournalRecords) {
            state.SkipWithError("the journal was not restored");
            return;
        }
    }
}

BENCHMARK(BM_IdentityOf36MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeRecord)->Arg(kTypicalPositions)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CommitAppend)->Arg(kTypicalPositions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadJournal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RestoreJournal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OfferJournal)->Unit(benchmark::kMillisecond);

}  // namespace
