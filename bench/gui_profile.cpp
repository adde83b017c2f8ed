// The verse's profile in the window, on 100,000 verse lines: opening the dock by F10 up to its
// first painting, and a commit's handler with the dock open against the same with it closed
// (the repaint that follows in the event loop is not counted).

#include "window_support.h"

#include "window/MainWindow.h"
#include "window/ProfileDock.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace corvale::bench {
namespace {

constexpr int kManyLines = 100'000;

std::unique_ptr<MainWindow> PentameterWindow(benchmark::State& state, BenchPlatform& platform) {
    return StartedWindow(state, platform, "poem.txt", GeneratePentameterFile(kManyLines),
                         kPentameter);
}

void BM_OpenTheProfile(benchmark::State& state) {
    BenchPlatform platform;
    auto form = PentameterWindow(state, platform);
    if (!form) {
        return;
    }
    for (auto _ : state) {
        form->profileAction->trigger();
        QApplication::processEvents();
        state.PauseTiming();
        if (form->ProfileView() == nullptr) {
            state.SkipWithError("the profile did not open");
            break;
        }
        form->profileAction->trigger();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["lines"] = kManyLines;
}
BENCHMARK(BM_OpenTheProfile)->Unit(benchmark::kMillisecond);

// Arg 1 with the dock open, 0 without. Every commit changes its line (the first stress goes up
// and down by turns), so it is journaled and reaches the profile. The step before it, and the
// events after it, are not timed.
void BM_CommitWithTheProfile(benchmark::State& state) {
    BenchPlatform platform;
    auto form = PentameterWindow(state, platform);
    if (!form) {
        return;
    }
    if (state.range(0) == 1) {
        form->profileAction->trigger();
        QApplication::processEvents();
    }
    std::vector<double> seconds;
    bool up = true;
    for (auto _ : state) {
        if (form->Work().CurrentLine() >= kManyLines - 1) {
            form->Work().SetCurrentLine(1);
            form->ShowCurrentLine();
            up = !up;
        }
        form->Run([&] { up ? form->RaiseStress(1) : form->LowerStress(1); });
        const auto start = std::chrono::steady_clock::now();
        form->Run([&] { form->CommitLine(); });
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        state.SetIterationTime(seconds.back());
        QApplication::processEvents();
    }
    std::sort(seconds.begin(), seconds.end());
    if (!seconds.empty()) {
        state.counters["median_ms"] = seconds[seconds.size() / 2] * 1e3;
    }
    state.counters["dock_open"] = form->ProfileView() != nullptr ? 1 : 0;
}
BENCHMARK(BM_CommitWithTheProfile)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvale::bench
