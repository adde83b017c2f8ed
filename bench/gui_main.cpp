// The window benchmarks run on Qt's offscreen platform, so they need no display.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>

namespace {

// The offscreen platform warns about window features it lacks; that noise would bury the
// figures.
void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg &&
        !message.contains(QLatin1String("does not support"))) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
