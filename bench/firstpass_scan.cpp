// The first pass: a long poem scanned line by line (lines a second, which should stay flat from
// 10,000 to 100,000 lines, progress reports included), one line in ten full of words with
// several readings and one in five of a ballad stanza, so that the pass finds several meters;
// and Sonnet 18 scanned by a fresh process, the pronunciation engine's start included.

#include "firstpass/FirstPass.h"

#include <benchmark/benchmark.h>

#include <QStringList>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

using corvale::firstpass::Options;
using corvale::firstpass::Poem;
using corvale::firstpass::Scan;
using corvale::firstpass::Scansion;

// Sonnet 18 as a plain poem.
const std::vector<std::string>& Sonnet18() {
    static const std::vector<std::string> lines = {
        "Shall I compare thee to a summer's day?",
        "Thou art more lovely and more temperate:",
        "Rough winds do shake the darling buds of May,",
        "And summer's lease hath all too short a date;",
        "Sometime too hot the eye of heaven shines,",
        "And often is his gold complexion dimm'd;",
        "And every fair from fair sometime declines,",
        "By chance or nature's changing course untrimm'd;",
        "But thy eternal summer shall not fade,",
        "Nor lose possession of that fair thou ow'st;",
        "Nor shall death brag thou wander'st in his shade,",
        "When in eternal lines to time thou grow'st:",
        "So long as men can breathe or eyes can see,",
        "So long lives this, and this gives life to thee."};
    return lines;
}

// Lines most of whose words have readings besides the spoken one; "vnto" makes the poem one in
// older printing, where every rule of the table is weighed.
const std::vector<std::string>& LinesWithReadings() {
    static const std::vector<std::string> lines = {
        "Desiring fire and every glorious hour, the wandering heaven wished",
        "Vnto the nation's towers, the memory of fire desired, th' eternal",
    };
    return lines;
}

// A stanza of a ballad: four beats and three.
const std::vector<std::string>& BalladStanza() {
    static const std::vector<std::string> lines = {
        "The sun came up upon the left,", "Out of the sea came he!",
        "And he shone bright, and on the right", "Went down into the sea."};
    return lines;
}

// `count` verse lines, each a line of the sonnet, of LinesWithReadings or of the ballad stanza,
// with its words turned round by a step that changes every twenty lines, so that the lines'
// patterns vary as a long poem's do.
Poem LongPoem(std::int64_t count) {
    std::vector<std::string> source = Sonnet18();
    source.insert(source.end(), LinesWithReadings().begin(), LinesWithReadings().end());
    source.insert(source.end(), BalladStanza().begin(), BalladStanza().end());
    const auto size = static_cast<std::int64_t>(source.size());
    Poem poem;
    for (std::int64_t i = 0; i < count; ++i) {
        QStringList words =
            QString::fromStdString(source[static_cast<std::size_t>(i % size)]).split(u' ');
        const qsizetype turn = (i / size) % words.size();
        words = words.mid(turn) + words.mid(0, turn);
        poem.verseLines.push_back(words.join(u' ').toStdString());
    }
    return poem;
}

void BM_ScanLongPoem(benchmark::State& state) {
    const Poem poem = LongPoem(state.range(0));
    std::int64_t reports = 0;
    Options options;
    options.progress = [&reports](std::int64_t, std::int64_t) {
        ++reports;
        return true;
    };
    std::int64_t meters = 0;
    for (auto _ : state) {
        auto result = Scan(poem, options);
        benchmark::DoNotOptimize(result);
        if (const auto* scansion = std::get_if<Scansion>(&result)) {
            meters = std::count(scansion->meterFile.begin(), scansion->meterFile.end(), '\n');
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["reports"] =
        static_cast<double>(reports) / static_cast<double>(state.iterations());
    state.counters["meters"] = static_cast<double>(meters);
}
// Process CPU time, so that the engine's thread counts too.
BENCHMARK(BM_ScanLongPoem)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// Runs this program again to scan the sonnet once, and waits for it. The wall time includes
// starting the process; the counter cpu_ms is the CPU time the child took, which a busy machine
// does not inflate.
void BM_ScanSonnetFromAColdStart(benchmark::State& state) {
    char self[] = "/proc/self/exe";
    char flag[] = "--scan-sonnet-once";
    char* argv[] = {self, flag, nullptr};
    double cpuMilliseconds = 0;
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, self, nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start a second process");
            return;
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        cpuMilliseconds += (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the cold scan failed");
            return;
        }
    }
    state.counters["cpu_ms"] = cpuMilliseconds / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ScanSonnetFromAColdStart)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--scan-sonnet-once") == 0) {
        const auto result = Scan(Poem{Sonnet18()});
        return std::holds_alternative<Scansion>(result) &&
                       std::get<Scansion>(result).verseLines == 14
                   ? 0
                   : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
