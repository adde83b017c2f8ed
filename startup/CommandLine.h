#pragma once

// The command line of the window program: `corvale [--check-start] [FOLDER | FILE]`,
// `corvale --help` and `corvale --version`. Reading it opens no window, so a wrong one ends
// before any.

#include <QString>
#include <QStringList>

#include <optional>

namespace corvale::startup {

struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, UsageError };
    Action action = Action::Run;
    std::optional<QString> path;  // the FOLDER to work in or the FILE to open, as given
    // Start up as usual, then end instead of waiting for the user: a check that the program
    // starts, for scripts.
    bool checkStart = false;
    // For ShowHelp and ShowVersion the text for standard output; for UsageError the message for
    // standard error.
    QString text;
};

// `arguments` includes the program's name first, as main receives it.
CommandLine ReadCommandLine(const QStringList& arguments, const QString& version);

// Exit codes of the window program.
inline constexpr int kExitFine = 0;
inline constexpr int kExitStartFailed = 1;  // start-up ended; --check-start: or had to speak
inline constexpr int kExitUsage = 2;        // a wrong command line, folder or file

}  // namespace corvale::startup
