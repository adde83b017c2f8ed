// Per-call cost of the edits on a started window: committing a line and moving on to the next,
// merging two syllables and stepping a value, for a narrow and a very wide grid; and showing a
// line while a cell box has the focus, which the display keeps in place.
#include "window_support.h"

#include "window/MainWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace corvale::bench {
namespace {

constexpr char kPoem[] = "edit.txt";
constexpr int kLines = 400;

std::unique_ptr<MainWindow> StartedWindow(benchmark::State& state, BenchPlatform& platform,
                                          int width) {
    return bench::StartedWindow(state, platform, kPoem,
                                GenerateFullWidthFile(kLines, width, "s1", "checked"),
                                "W\tS\tW\tS\tW\tS\tW\tS\tW\tS");
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// "Save changes to this line": commit and show the next line. The walk starts over before
// the last line, whose commit would end the program.
void BM_CommitAndNext(benchmark::State& state) {
    BenchPlatform platform;
    auto form = StartedWindow(state, platform, static_cast<int>(state.range(0)));
    if (!form) {
        return;
    }
    for (auto _ : state) {
        if (form->Work().CurrentLine() >= kLines - 1) {
            form->Work().SetCurrentLine(1);
            form->ShowCurrentLine();
        }
        const auto start = std::chrono::steady_clock::now();
        form->Run([&] { form->CommitLine(); });
        state.SetIterationTime(SecondsSince(start));
    }
    state.counters["columns"] = static_cast<double>(form->Grid().Columns());
}
BENCHMARK(BM_CommitAndNext)->Arg(16)->Arg(200)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A commit that changes its line, so it is journaled: the correction is written to the journal
// and synced to disk before the next line is shown. The step before it is not timed. Besides
// the median, the worst commit of the run is reported: the first writes the journal whole.
void BM_CommitAndNextJournaled(benchmark::State& state) {
    BenchPlatform platform;
    auto form = StartedWindow(state, platform, static_cast<int>(state.range(0)));
    if (!form) {
        return;
    }
    std::vector<double> seconds;
    for (auto _ : state) {
        if (form->Work().CurrentLine() >= kLines - 1) {
            form->Work().SetCurrentLine(1);
            form->ShowCurrentLine();
        }
        // Alternating between two values, so that every commit changes its line.
        const bool up = (form->Work().CurrentLine() / (kLines - 2)) % 2 == 0;
        form->Run([&] { up ? form->RaiseStress(1) : form->LowerStress(1); });
        const auto start = std::chrono::steady_clock::now();
        form->Run([&] { form->CommitLine(); });
        seconds.push_back(SecondsSince(start));
        state.SetIterationTime(seconds.back());
    }
    std::sort(seconds.begin(), seconds.end());
    if (!seconds.empty()) {
        state.counters["median_ms"] = seconds[seconds.size() / 2] * 1e3;
        state.counters["worst_ms"] = seconds.back() * 1e3;
    }
    state.counters["columns"] = static_cast<double>(form->Grid().Columns());
}
BENCHMARK(BM_CommitAndNextJournaled)
    ->Arg(16)
    ->Arg(200)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Merging the first two syllables of a full line, which shifts every column; the line is
// shown afresh, outside the timing, before each merge.
void BM_MergeFirstColumn(benchmark::State& state) {
    BenchPlatform platform;
    auto form = StartedWindow(state, platform, static_cast<int>(state.range(0)));
    if (!form) {
        return;
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        form->Run([&] { form->MergeWithNext(1); });
        state.SetIterationTime(SecondsSince(start));
        form->Run([&] { form->ReloadLine(); });
    }
    state.counters["columns"] = static_cast<double>(form->Grid().Columns());
}
BENCHMARK(BM_MergeFirstColumn)->Arg(16)->Arg(200)->UseManualTime()->Unit(benchmark::kMicrosecond);

// One step of a stress value with its handler, as Up in a stress box runs it: the value, the
// box, the undo history, and the look of the line (bold, cues, status) that follows every edit.
// The first column goes up and down by turns between 1 and 2.
void BM_StepAValue(benchmark::State& state) {
    BenchPlatform platform;
    auto form = StartedWindow(state, platform, static_cast<int>(state.range(0)));
    if (!form) {
        return;
    }
    bool up = true;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        form->Run([&] { up ? form->RaiseStress(1) : form->LowerStress(1); });
        state.SetIterationTime(SecondsSince(start));
        up = !up;
    }
    state.counters["columns"] = static_cast<double>(form->Grid().Columns());
}
BENCHMARK(BM_StepAValue)->Arg(16)->Arg(200)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The line display as the keyboard meets it: a stress box has the focus, which the display
// hands back after the redraw, and a step waits to be undone, which the display forgets.
void BM_ShowCurrentLineFocusInACell(benchmark::State& state) {
    BenchPlatform platform;
    auto form = StartedWindow(state, platform, static_cast<int>(state.range(0)));
    if (!form) {
        return;
    }
    std::int32_t line = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form->Grid().stressBoxes(2)->setFocus();
        form->Run([&] { form->RaiseStress(2); });
        form->Work().SetCurrentLine(line % (kLines - 1) + 1);
        ++line;
        state.ResumeTiming();
        form->ShowCurrentLine();
    }
    state.counters["columns"] = static_cast<double>(form->Grid().Columns());
    state.counters["focus_kept"] = form->focusWidget() == form->Grid().stressBoxes(2) ? 1 : 0;
}
BENCHMARK(BM_ShowCurrentLineFocusInACell)->Arg(16)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvale::bench
