// Learning the conventions from corrected lines: the long poem's lines as a reader of other
// conventions would have corrected them, their words spoken by the engine included. Learning
// from 1,000 lines should take well under 2 s.

#include "firstpass/FirstPass.h"
#include "firstpass/Learning.h"
#include "firstpass_poems.h"
#include "scansion/ScansionFile.h"

#include <benchmark/benchmark.h>

namespace {

using namespace corvale::firstpass;

// The long poem as the first pass scans it for a reader who keeps clashes to the meter and
// always stresses pronouns.
CorrectedPoem CorrectedLongPoem(std::int64_t lines) {
    Options options;
    options.conventions.Set(Convention::Clash, 2);
    options.conventions.Set(Convention::Pronoun, 4);
    const auto scanned = Scan(corvale::bench::LongPoem(lines), options);
    const auto& scansion = std::get<Scansion>(scanned);
    const auto file =
        std::get<corvale::LoadedScansion>(corvale::ReadScansionBytes(scansion.scansionFile));
    return CorrectedPoemOf(file.store, file.encoding, 1, file.records,
                           corvale::ReadMeterRows(scansion.meterFile).meters);
}

void BM_LearnFromCorrectedLines(benchmark::State& state) {
    const CorrectedPoem corrected = CorrectedLongPoem(state.range(0));
    for (auto _ : state) {
        const Learned learned = Learn({corrected});
        benchmark::DoNotOptimize(learned);
        if (learned.conventions[Convention::Pronoun] != 4) {
            state.SkipWithError("the reader was not found");
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
// Process CPU time, so that the engine's thread counts too.
BENCHMARK(BM_LearnFromCorrectedLines)
    ->Arg(1'000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
