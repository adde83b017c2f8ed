// The meter in the window: F3 through the window's own path when only the last of 100,000 verse
// lines is off the meter; opening the overview on 100,000 verse lines, to its first painting;
// and showing a line whose cues change at every display, in a grid of 16 columns.
#include "window_support.h"

#include "window/MainWindow.h"
#include "window/MeterCue.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>

#include <memory>
#include <string>

namespace corvale::bench {
namespace {

constexpr char kPoem[] = "poem.txt";

std::unique_ptr<MainWindow> StartedWindow(benchmark::State& state, BenchPlatform& platform,
                                          const std::string& poem, const std::string& meterLine) {
    return bench::StartedWindow(state, platform, kPoem, poem, meterLine);
}

constexpr int kManyLines = 100'000;

void BM_NextLineOffTheMeterInTheWindow(benchmark::State& state) {
    BenchPlatform platform;
    auto form = StartedWindow(state, platform, GeneratePentameterFile(kManyLines), kPentameter);
    if (!form) {
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        form->Work().SetCurrentLine(1);
        form->ShowCurrentLine();
        state.ResumeTiming();
        form->Run([&] { form->GoToNextOffTheMeter(); });
        if (form->Work().CurrentLine() != kManyLines) {
            state.SkipWithError("F3 missed the last line");
            break;
        }
    }
    state.counters["lines"] = kManyLines;
}
BENCHMARK(BM_NextLineOffTheMeterInTheWindow)->Unit(benchmark::kMillisecond);

// F9 as the user presses it, up to the dock's first painting; closing it again is not timed.
void BM_OpenTheOverview(benchmark::State& state) {
    BenchPlatform platform;
    auto form = StartedWindow(state, platform, GeneratePentameterFile(kManyLines), kPentameter);
    if (!form) {
        return;
    }
    for (auto _ : state) {
        form->overviewAction->trigger();
        QApplication::processEvents();
        state.PauseTiming();
        if (form->OverviewDock() == nullptr) {
            state.SkipWithError("the overview did not open");
            break;
        }
        form->overviewAction->trigger();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["lines"] = kManyLines;
}
BENCHMARK(BM_OpenTheOverview)->Unit(benchmark::kMillisecond);

// Sixteen places; even lines fit, odd ones have stress maxima in weak places 3, 7, 11 and 15,
// so every display hides or shows four cues.
std::string SixteenPlacePoem(int lines) {
    std::string out;
    for (int i = 1; i <= lines; ++i) {
        std::string syllables;
        std::string stresses;
        for (int k = 1; k <= 16; ++k) {
            syllables += "\tsy" + std::to_string(k);
            const bool strong = k % 2 == 0;
            const bool offHere = i % 2 == 1 && k % 4 == 3;
            stresses += strong || offHere ? "\t3" : "\t1";
            if (offHere) {
                stresses.back() = '4';
            }
        }
        const std::string head = std::to_string(i) + "\t";
        const std::string text = "line " + std::to_string(i);
        out += head + "syllables\t" + text + syllables + "\r\n";
        out += head + "stress\t" + text + stresses + "\r\n";
        out += head + "juncture\t" + text + "\t2\t2\t2\t2\t2\t2\t2\t2\t2\t2\t2\t2\t2\t2\t2\t4\r\n";
        out += head + "comment\t" + text + "\t\r\n";
    }
    return out;
}

void BM_ShowCurrentLineWithCues(benchmark::State& state) {
    constexpr int kLines = 400;
    BenchPlatform platform;
    std::string meterLine = "W";
    for (int k = 2; k <= 16; ++k) {
        meterLine += k % 2 == 0 ? "\tS" : "\tW";
    }
    auto form = StartedWindow(state, platform, SixteenPlacePoem(kLines), meterLine);
    if (!form) {
        return;
    }
    std::int32_t line = 0;
    std::int64_t cues = 0;
    for (auto _ : state) {
        form->Work().SetCurrentLine(line % kLines + 1);
        ++line;
        form->ShowCurrentLine();
        state.PauseTiming();
        for (std::int32_t i = 1; i <= form->Grid().offMeterCues.Count(); ++i) {
            cues += form->Grid().offMeterCues(i)->IsShown() ? 1 : 0;
        }
        state.ResumeTiming();
    }
    state.counters["columns"] = static_cast<double>(form->Grid().Columns());
    state.counters["cues_per_line"] =
        static_cast<double>(cues) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ShowCurrentLineWithCues)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvale::bench
