// Start-up to the window on screen, against the plain load of the scansion file, and showing
// one line in the cell grid.
#include "bench_support.h"

#include "window/MainWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <initializer_list>
#include <memory>
#include <string>

namespace corvale::bench {
namespace {

constexpr char kPoem[] = "poem.txt";

std::string Rows(std::initializer_list<std::string> rows) {
    std::string out;
    for (const auto& row : rows) {
        out += row + "\r\n";
    }
    return out;
}

// A poem folder: the scansion file, a ten-symbol meter and a memory file naming the poem.
void WriteFolder(BenchPlatform& platform, const std::string& scansion) {
    platform.Write(kPoem, scansion);
    platform.Write("meter.txt", Rows({"W\tS\tW\tS\tW\tS\tW\tS\tW\tS"}));
    platform.Write("RememberEarlierRun.txt",
                   Rows({"Filename:", kPoem, "Last line done:", "1", "Maximum value for stress:",
                         "4", "Minimum value for stress:", "1", "Maximum value for juncture:", "4",
                         "Minimum value for juncture:", "1", "Spacing of buttons:", "0"}));
}

// Verse lines of exactly `width` syllables, so the grid gets that many columns.
std::string WideScansionFile(int lines, int width) {
    std::string out;
    for (int i = 1; i <= lines; ++i) {
        std::string syllables;
        std::string stresses;
        std::string junctures;
        for (int k = 1; k <= width; ++k) {
            syllables += "\tsyl" + std::to_string(k);
            stresses += (k + i) % 2 ? "\t3" : "\t1";
            junctures += k % 3 ? "\t1" : "\t2";
        }
        const std::string head = std::to_string(i) + "\t";
        const std::string text = "verse line " + std::to_string(i);
        out += head + "syllables\t" + text + syllables + "\r\n";
        out += head + "stress\t" + text + stresses + "\r\n";
        out += head + "juncture\t" + text + junctures + "\r\n";
        out += head + "comment\t" + text + "\tnote " + std::to_string(i) + "\r\n";
    }
    return out;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The three procedures that load a scansion file, without any window.
double LoadSeconds(BenchPlatform& platform) {
    Workspace workspace(platform);
    workspace.Settings().SetWorkingFileName(kPoem);
    const auto start = std::chrono::steady_clock::now();
    workspace.LoadWorkingFile();
    return SecondsSince(start);
}

void BM_LoadScansionFile(benchmark::State& state) {
    BenchPlatform platform;
    WriteFolder(platform, GenerateScansionFile(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        state.SetIterationTime(LoadSeconds(platform));
    }
    state.counters["lines"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_LoadScansionFile)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// From an unbuilt window to the window shown: construction, StartUp and show. The first
// paint happens later, in the event loop, and is left out. The counter load_ratio compares
// the time with that of the bare load of the same file, measured here too.
void BM_StartUpToWindowShown(benchmark::State& state) {
    BenchPlatform platform;
    WriteFolder(platform, GenerateScansionFile(static_cast<int>(state.range(0))));
    double startUp = 0;
    double load = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto form = std::make_unique<MainWindow>(platform);
        if (!form->StartUp()) {
            state.SkipWithError("start-up ended the program");
            break;
        }
        form->show();
        const double seconds = SecondsSince(start);
        state.SetIterationTime(seconds);
        startUp += seconds;
        state.PauseTiming();
        QApplication::processEvents();
        form.reset();
        load += LoadSeconds(platform);
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(state.range(0));
    state.counters["load_ratio"] = load > 0 ? startUp / load : 0;
}
BENCHMARK(BM_StartUpToWindowShown)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// One call of the line display on a started window, stepping through the file.
void BM_ShowCurrentLine(benchmark::State& state) {
    constexpr int kLines = 50;
    BenchPlatform platform;
    WriteFolder(platform, WideScansionFile(kLines, static_cast<int>(state.range(0))));
    MainWindow form(platform);
    if (!form.StartUp()) {
        state.SkipWithError("start-up ended the program");
        return;
    }
    form.show();
    QApplication::processEvents();
    std::int32_t line = 0;
    for (auto _ : state) {
        form.Work().SetCurrentLine(line % kLines + 1);
        form.ShowCurrentLine();
        ++line;
    }
    state.counters["columns"] = static_cast<double>(form.Grid().Columns());
}
BENCHMARK(BM_ShowCurrentLine)->Arg(16)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvale::bench
