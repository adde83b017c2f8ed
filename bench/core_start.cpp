// Start-up in a folder without a memory file: finding the scansion file changed most recently
// among the folder's text files, each told by its first rows. The scansion file is the oldest,
// so every poem is looked at first; a long poem costs its first chunk, not its whole length.

#include "bench_support.h"
#include "startup/Files.h"

#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QFile>

#include <string>

namespace {

using corvale::bench::BenchPlatform;
using corvale::bench::GenerateScansionFile;

// A poem of about `bytes` bytes, rows of a verse line each.
std::string Poem(std::size_t bytes) {
    std::string poem;
    while (poem.size() < bytes) {
        poem += "Shall I compare thee to a summer's day?\r\n";
    }
    return poem;
}

// range(0) poems of range(1) KiB each, all newer than the one scansion file.
void BM_NewestScansionFile(benchmark::State& state) {
    BenchPlatform platform;
    platform.Write("ode.txt", GenerateScansionFile(200));
    const std::string poem = Poem(static_cast<std::size_t>(state.range(1)) << 10);
    const QDateTime old = QDateTime::currentDateTime().addDays(-1);
    QFile ode(platform.ProgramFolder() + "/ode.txt");
    ode.open(QIODevice::ReadWrite);
    ode.setFileTime(old, QFileDevice::FileModificationTime);
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        platform.Write("poem" + std::to_string(i) + ".txt", poem);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvale::startup::NewestScansionFile(platform.ProgramFolder()));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_NewestScansionFile)
    ->Args({100, 4})
    ->Args({1000, 4})
    ->Args({100, 4096})
    ->Unit(benchmark::kMillisecond);

}  // namespace
