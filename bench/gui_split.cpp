// A syllable split in two on a full line of a wide file: the line grows a position, the store
// widens and the grid gets a column, all before the next event. Target: under 5 ms a split.
#include "window_support.h"

#include "window/MainWindow.h"

#include <benchmark/benchmark.h>

#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace corvale::bench {
namespace {

constexpr char kSplitPoem[] = "split.txt";
constexpr int kSplitLines = 400;
constexpr int kSplits = 50;
constexpr int kFirstLetters = kSplits + 2;

// The first syllable is long enough to be cut at every timed split.
// Each split leaves its line full again, one position longer, so every timed split grows the
// grid: the first from the file's M to M + 1, the next from M + 1, and so on. Every split cuts
// the last letter off the first syllable, so the whole line moves right; the focus and the caret
// are put back there outside the timing.
void BM_SplitGrowingTheGrid(benchmark::State& state) {
    BenchPlatform platform;
    const auto width = static_cast<int>(state.range(0));
    auto form = StartedWindow(
        state, platform, kSplitPoem,
        GenerateFullWidthFile(kSplitLines, width, std::string(kFirstLetters, 'x'), ""),
        "W\tS\tW\tS");
    if (!form) {
        return;
    }
    std::vector<double> seconds;
    for (auto _ : state) {
        QLineEdit* box = form->Grid().syllableBoxes(1);
        box->setFocus();
        box->setCursorPosition(static_cast<int>(box->text().size()) - 1);
        const std::int32_t before = form->Work().Doc().Positions();
        const auto start = std::chrono::steady_clock::now();
        form->Run([&] { form->SplitSyllable(); });
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        state.SetIterationTime(seconds.back());
        if (form->Work().Doc().Positions() != before + 1) {
            state.SkipWithError(
                ("the split did not grow the grid: " + form->lineStatusLabel->text().toStdString())
                    .c_str());
            break;
        }
    }
    std::sort(seconds.begin(), seconds.end());
    if (!seconds.empty()) {
        state.counters["median_ms"] = seconds[seconds.size() / 2] * 1e3;
        state.counters["worst_ms"] = seconds.back() * 1e3;
    }
    state.counters["columns"] = static_cast<double>(form->Grid().Columns());
}
BENCHMARK(BM_SplitGrowingTheGrid)
    ->Arg(200)
    ->Iterations(kSplits)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvale::bench
