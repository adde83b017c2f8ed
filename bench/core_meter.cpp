// The meter check over a whole store: the jump to the next line off the meter when only the
// last line is (the longest search there is), and a verdict for every line, as the overview
// of all lines needs when it opens; and which of four meters a line is measured against, which
// should stay under 5 microseconds.

#include "bench_support.h"
#include "editor/WorkingLine.h"
#include "meter/LineMeter.h"
#include "navigation/MeterSearch.h"
#include "scansion/Workspace.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using corvale::Workspace;
using corvale::bench::BenchPlatform;
using corvale::bench::GeneratePentameterFile;
using corvale::bench::kPentameter;
using corvale::meter::Meter;
using corvale::meter::Strictness;

constexpr char kName[] = "poem.txt";

// A loaded store of state.range(0) verse lines with only the last off the meter.
struct Pentameters {
    explicit Pentameters(const benchmark::State& state) {
        lines = static_cast<int>(state.range(0));
        platform.Write(kName, GeneratePentameterFile(lines));
        workspace.Settings().SetWorkingFileName(kName);
        workspace.LoadWorkingFile();
    }

    BenchPlatform platform;
    Workspace workspace{platform};
    Meter meter{kPentameter, 10};
    corvale::meter::Meters meters{{meter}};
    int lines = 0;
};

void BM_NextLineOffTheMeter(benchmark::State& state) {
    const Pentameters poem(state);
    const auto strictness = static_cast<Strictness>(state.range(1));
    for (auto _ : state) {
        const auto found = corvale::navigation::NextLineOffTheMeter(poem.workspace.Doc().GetStore(),
                                                                    poem.meters, strictness, 0);
        if (found != poem.lines) {
            state.SkipWithError("the search missed the last line");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_JudgeEveryLine(benchmark::State& state) {
    const Pentameters poem(state);
    const auto strictness = static_cast<Strictness>(state.range(1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvale::navigation::JudgeEveryLine(
            poem.workspace.Doc().GetStore(), poem.meters, strictness));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The line on screen, judged from the working copy after every edit.
void BM_JudgeWorkingCopy(benchmark::State& state) {
    Pentameters poem(state);
    const corvale::Document& document = poem.workspace.Doc();
    corvale::editor::WorkingLine line;
    line.Load(document.GetStore(), 1, document.Positions());
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvale::meter::JudgeLine(
            poem.meter, line.Syllables(), line.Stresses(), Strictness::StressMaxima));
    }
}

// A committed line read from the store and measured against four meters that all fit it by
// length, the main meter last to be judged: the most the rule ever weighs for a line.
void BM_LineMeterOfFour(benchmark::State& state) {
    const Pentameters poem(state);
    const corvale::meter::Meters meters({Meter("S\tW\tS\tW\tS\tW\tS\tW\tS", 9), poem.meter,
                                         Meter("S\tW\tS\tW\tS\tW\tS\tW\tS\tW\tS", 11),
                                         Meter("W\tW\tS\tW\tW\tS\tW\tW\tS\tW", 10)});
    const corvale::Store& store = poem.workspace.Doc().GetStore();
    corvale::meter::ShownLine line;
    std::int32_t j = 0;
    for (auto _ : state) {
        j = j % poem.lines + 1;
        line.Read(store, j);
        benchmark::DoNotOptimize(corvale::meter::LineMeter(meters, line));
    }
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
    for (const auto strictness : {Strictness::StressMaxima, Strictness::EveryStress}) {
        for (const std::int64_t lines : {1'000, 10'000, 100'000}) {
            benchmark->Args({lines, static_cast<std::int64_t>(strictness)});
        }
    }
    benchmark->ArgNames({"lines", "strict"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_NextLineOffTheMeter)->Apply(Sizes);
BENCHMARK(BM_JudgeEveryLine)->Apply(Sizes);
BENCHMARK(BM_JudgeWorkingCopy)->Arg(1)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_LineMeterOfFour)->Arg(1'000)->Unit(benchmark::kNanosecond);

}  // namespace
