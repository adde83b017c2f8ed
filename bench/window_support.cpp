#include "window_support.h"

#include <QApplication>

namespace corvale::bench {

std::unique_ptr<MainWindow> StartedWindow(benchmark::State& state, BenchPlatform& platform,
                                          const std::string& name, const std::string& poem,
                                          const std::string& meterLine) {
    platform.Write(name, poem);
    platform.Write("meter.txt", meterLine + "\r\n");
    platform.Write("RememberEarlierRun.txt",
                   "Filename:\r\n" + name +
                       "\r\nLast line done:\r\n1\r\nMaximum value for stress:\r\n4\r\nMinimum "
                       "value for stress:\r\n1\r\nMaximum value for juncture:\r\n4\r\nMinimum "
                       "value for juncture:\r\n1\r\nSpacing of buttons:\r\n0\r\n");
    auto form = std::make_unique<MainWindow>(platform);
    if (!form->StartUp()) {
        state.SkipWithError("start-up ended the program");
        return nullptr;
    }
    form->show();
    QApplication::processEvents();
    return form;
}

}  // namespace corvale::bench
