// The verse's profile of 100,000 verse lines: counted afresh, as when the dock opens or another
// file or meter comes; and kept after one commit, by the committed line's old and new versions.

#include "analysis/Profile.h"
#include "bench_support.h"
#include "scansion/Workspace.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using corvale::Workspace;
using corvale::analysis::Profile;
using corvale::bench::BenchPlatform;
using corvale::meter::Meter;

constexpr char kName[] = "poem.txt";
constexpr int kLines = 100'000;

// Arg 0: lines of ten syllables that fit the pentameter; arg 1: lines of about twelve
// syllables, most of another length.
struct LoadedPoem {
    explicit LoadedPoem(const benchmark::State& state) {
        platform.Write(kName, state.range(0) == 0 ? corvale::bench::GeneratePentameterFile(kLines)
                                                  : corvale::bench::GenerateScansionFile(kLines));
        workspace.Settings().SetWorkingFileName(kName);
        workspace.LoadWorkingFile();
    }

    BenchPlatform platform;
    Workspace workspace{platform};
    Meter meter{corvale::bench::kPentameter, 10};
};

void BM_ProfileCountedAfresh(benchmark::State& state) {
    const LoadedPoem poem(state);
    Profile profile;
    for (auto _ : state) {
        profile.Count(poem.workspace.Doc().GetStore(), poem.meter);
        benchmark::DoNotOptimize(profile.Counts().profiled);
    }
    state.counters["lines"] = kLines;
    state.counters["profiled"] = static_cast<double>(profile.Counts().profiled);
}
BENCHMARK(BM_ProfileCountedAfresh)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What a commit costs the profile: the line's old version taken away and its new one added
// (here the same, which costs what any version of its length does), at lines all over the file.
void BM_ProfileAfterACommit(benchmark::State& state) {
    const LoadedPoem poem(state);
    Profile profile;
    profile.Count(poem.workspace.Doc().GetStore(), poem.meter);
    std::int32_t line = 0;
    for (auto _ : state) {
        line = line % kLines + 1;
        profile.LineChanging(poem.workspace.Doc().GetStore(), line);
        profile.LineChanged(poem.workspace.Doc().GetStore(), line);
    }
    benchmark::DoNotOptimize(profile.Counts().profiled);
}
BENCHMARK(BM_ProfileAfterACommit)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
