// A zoom change on 100,000 verse lines: View > Zoom In or Zoom Out up to the window repainted,
// every control of the client area placed afresh and the grid redrawn at the new scale. The
// file's size should not matter, since only the line on screen is drawn: the target is 50 ms.

#include "window_support.h"

#include "window/MainWindow.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>

#include <memory>

namespace corvale::bench {
namespace {

constexpr int kManyLines = 100'000;

// Zooms in and out by turns, between 100% and 110%.
void BM_ZoomChange(benchmark::State& state) {
    BenchPlatform platform;
    auto form =
        StartedWindow(state, platform, "poem.txt", GeneratePentameterFile(kManyLines), kPentameter);
    if (!form) {
        return;
    }
    QAction* in = form->Keys().Find(u"zoomInAction");
    QAction* out = form->Keys().Find(u"zoomOutAction");
    QApplication::processEvents();
    bool zoomIn = true;
    for (auto _ : state) {
        (zoomIn ? in : out)->trigger();
        form->repaint();
        zoomIn = !zoomIn;
    }
    state.counters["lines"] = kManyLines;
    state.counters["columns"] = static_cast<double>(form->Grid().Columns());
}
BENCHMARK(BM_ZoomChange)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvale::bench
