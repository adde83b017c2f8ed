// The verse's profile in the window, on 100,000 verse lines: opening the dock by F10 up to its
// first painting, and a step and a commit's handler with the dock open against the same with it
// closed, and with a file of two meters (the repaint that follows in the event loop is not
// counted).

#include "window_support.h"

#include "window/MainWindow.h"
#include "window/ProfileDock.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace corvale::bench {
namespace {

constexpr int kManyLines = 100'000;

// A second meter that fits every line by length too, so that each line is weighed against both:
// the most a second meter costs the rule.
constexpr char kTrochees[] = "S\tW\tS\tW\tS\tW\tS\tW\tS\tW";

std::unique_ptr<MainWindow> PentameterWindow(benchmark::State& state, BenchPlatform& platform,
                                             int meters = 1) {
    return StartedWindow(
        state, platform, "poem.txt", GeneratePentameterFile(kManyLines),
        std::string(kPentameter) + (meters > 1 ? std::string("\r\n") + kTrochees : ""));
}

double Median(std::vector<double> seconds) {
    std::sort(seconds.begin(), seconds.end());
    return seconds.empty() ? 0.0 : seconds[seconds.size() / 2] * 1e3;
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

// Arguments: 1 with the dock open, 0 without; the file's meters, 1 or 2. Every commit changes its
// line (the first stress goes up and down by turns), so it is journaled and reaches the profile.
// The step before it is timed apart (step_median_ms), the events after it not at all.
void BM_CommitWithTheProfile(benchmark::State& state) {
    BenchPlatform platform;
    auto form = PentameterWindow(state, platform, static_cast<int>(state.range(1)));
    if (!form) {
        return;
    }
    if (state.range(0) == 1) {
        form->profileAction->trigger();
        QApplication::processEvents();
    }
    std::vector<double> seconds;
    std::vector<double> steps;
    bool up = true;
    for (auto _ : state) {
        if (form->Work().CurrentLine() >= kManyLines - 1) {
            form->Work().SetCurrentLine(1);
            form->ShowCurrentLine();
            up = !up;
        }
        const auto stepStart = std::chrono::steady_clock::now();
        form->Run([&] { up ? form->RaiseStress(1) : form->LowerStress(1); });
        const auto start = std::chrono::steady_clock::now();
        form->Run([&] { form->CommitLine(); });
        const auto end = std::chrono::steady_clock::now();
        steps.push_back(std::chrono::duration<double>(start - stepStart).count());
        seconds.push_back(std::chrono::duration<double>(end - start).count());
        state.SetIterationTime(seconds.back());
        QApplication::processEvents();
    }
    state.counters["median_ms"] = Median(seconds);
    state.counters["step_median_ms"] = Median(steps);
    state.counters["dock_open"] = form->ProfileView() != nullptr ? 1 : 0;
    state.counters["meters"] = form->TheMeters().Count();
}
BENCHMARK(BM_CommitWithTheProfile)
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({1, 2})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvale::bench
