#include "firstpass/FirstPass.h"
#include "startup/CommandLine.h"
#include "startup/WorkingFolder.h"
#include "window/MainWindow.h"
#include "window/QtPlatform.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <iostream>
#include <variant>

namespace {

using namespace corvale::startup;

struct Start {
    WorkingFolder folder;
    bool checkStart = false;
};

// Everything that ends before a window may open: --help, --version, a wrong command line or a
// folder or file that cannot be worked on. It runs under a plain QCoreApplication, which needs no
// display; the result is an exit code or the start to make.
std::variant<int, Start> ReadTheStart(int& argc, char** argv) {
    const QCoreApplication core(argc, argv);
    const CommandLine line =
        ReadCommandLine(QCoreApplication::arguments(), QStringLiteral(CORVALE_VERSION));
    switch (line.action) {
        case CommandLine::Action::ShowHelp:
        case CommandLine::Action::ShowVersion:
            std::cout << line.text.toStdString() << std::flush;
            if (!std::cout) {
                std::cerr << "corvale: write error on standard output\n";
                return kExitStartFailed;
            }
            return kExitFine;
        case CommandLine::Action::UsageError:
            std::cerr << line.text.toStdString() << '\n';
            return kExitUsage;
        case CommandLine::Action::Run:
            break;
    }
    const FolderPlaces places{QCoreApplication::applicationDirPath(),
                              QStringLiteral(CORVALE_INSTALL_BINDIR), QDir::homePath(),
                              QStringLiteral(CORVALE_SAMPLE_DIR)};
    auto chosen = ChooseWorkingFolder(line.path, places);
    if (const auto* refused = std::get_if<FolderRefused>(&chosen)) {
        std::cerr << refused->message.toStdString() << '\n';
        return kExitUsage;
    }
    auto& folder = std::get<WorkingFolder>(chosen);
    for (const QString& warning : folder.warnings) {
        std::cerr << warning.toStdString() << '\n';
    }
    return Start{std::move(folder), line.checkStart};
}

}  // namespace

int main(int argc, char** argv) {
    const std::variant<int, Start> start = ReadTheStart(argc, argv);
    if (const int* code = std::get_if<int>(&start)) {
        return *code;
    }
    const auto& [folder, checkStart] = std::get<Start>(start);
    // The first pass's engine sets the process's locale as it starts: it must be running before
    // any other thread may read the locale.
    corvale::firstpass::StartPronunciationEngine();

    QApplication app(argc, argv);
    // Desktops match the window to its launcher, and so to its icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(CORVALE_APP_ID));
    // The recent files span working folders, so they are kept for the user.
    corvale::QtPlatform platform(
        folder.path, folder.shownName,
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    // A check decides and reports what start-up would, and changes no file.
    if (checkStart) {
        platform.SpeakOnStandardError();
        platform.WriteNothing();
    }
    corvale::MainWindow window(platform);
    platform.SetWindow(&window);
    // Start-up ends the program only when there is nothing it can work on.
    if (!window.StartUp(folder.file)) {
        return kExitStartFailed;
    }
    window.show();
    window.OfferStartPoem();
    if (platform.HasEnded()) {
        return kExitStartFailed;
    }
    if (checkStart) {
        QCoreApplication::processEvents();
        std::cout << "corvale: started in " << folder.path.toStdString() << '\n';
        return platform.HasSpoken() ? kExitStartFailed : kExitFine;
    }
    return QApplication::exec();
}
