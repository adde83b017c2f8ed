#pragma once

#include "bench_support.h"

#include "window/MainWindow.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace corvale::bench {

// Writes a poem under `name`, a meter of `meterLine` and a memory file that opens the poem at
// its first line (bounds 1 to 4, the default spacing), then starts and shows the window as the
// program does. Null, with the benchmark skipped, when start-up ended the program.
std::unique_ptr<MainWindow> StartedWindow(benchmark::State& state, BenchPlatform& platform,
                                          const std::string& name, const std::string& poem,
                                          const std::string& meterLine);

}  // namespace corvale::bench
