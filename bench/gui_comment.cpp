// A line shown whose comment is one long run of text without a space (a pasted block, or a
// hostile file) against prose of the same length: the comment box lays its text out as the
// line is shown. Target: the run within twice the prose's time (laid out only at spaces, 300,000
// characters of one run took 9 s to show, against 0.2 s of prose).
#include "window_support.h"

#include "window/MainWindow.h"

#include <benchmark/benchmark.h>

#include <QPlainTextEdit>

#include <cstddef>
#include <memory>
#include <string>

namespace corvale::bench {
namespace {

// Prose: words of seven letters, each after a space.
std::string Comment(std::size_t length, bool prose) {
    std::string comment(length, 'x');
    for (std::size_t i = 7; prose && i < length; i += 8) {
        comment[i] = ' ';
    }
    return comment;
}

// Each iteration shows the other of two lines that hold the same comment, so the box takes it
// anew every time.
void BM_ShowLineWithLongComment(benchmark::State& state) {
    BenchPlatform platform;
    const auto length = static_cast<std::size_t>(state.range(0));
    const bool prose = state.range(1) != 0;
    auto form =
        StartedWindow(state, platform, "comment.txt",
                      GenerateFullWidthFile(2, 4, "a", Comment(length, prose)), "W\tS\tW\tS");
    if (!form) {
        return;
    }
    std::int32_t line = 1;
    for (auto _ : state) {
        line = 3 - line;
        form->Work().SetCurrentLine(line);
        form->ShowCurrentLine();
        benchmark::DoNotOptimize(form->Grid().commentBox->blockCount());
    }
    state.SetLabel(prose ? "prose" : "one run");
}
BENCHMARK(BM_ShowLineWithLongComment)
    ->Args({300000, 0})
    ->Args({300000, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvale::bench
