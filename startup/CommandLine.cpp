#include "startup/CommandLine.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace corvale::startup {

CommandLine ReadCommandLine(const QStringList& arguments, const QString& version) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Corvale: correct the scansion of a poem by hand, verse line by verse "
                       "line.\nWith a FILE, Corvale works in the file's folder: a scansion file "
                       "opens, and a poem is offered to Scan a poem. Without either, an installed "
                       "Corvale works in ~/Corvale, and one started from any other folder works "
                       "in its own folder."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption checkStart(
        QStringLiteral("check-start"),
        QStringLiteral("Start up, then end at once: exit code 0 when start-up went through "
                       "without a message, 1 otherwise."));
    parser.addOption(checkStart);
    parser.addPositionalArgument(
        QStringLiteral("FOLDER | FILE"),
        QStringLiteral("The folder to work in (its scansion files, meter files and memory "
                       "file), or a file to open in its own folder: a scansion file, or a poem "
                       "to scan."),
        QStringLiteral("[FOLDER | FILE]"));

    CommandLine line;
    const auto usageError = [&line](const QString& error) {
        line.action = CommandLine::Action::UsageError;
        line.text =
            QStringLiteral("corvale: %1\nTry 'corvale --help' for more information.").arg(error);
        return line;
    };
    if (!parser.parse(arguments)) {
        return usageError(parser.errorText());
    }
    if (parser.isSet(help)) {
        line.action = CommandLine::Action::ShowHelp;
        // Named as the program is installed, whatever path it was started by.
        line.text = parser.helpText().replace(QRegularExpression(QStringLiteral("^Usage: \\S+")),
                                              QStringLiteral("Usage: corvale")) +
                    QStringLiteral(
                        "\nExit status: 0 when the window was closed; 1 when start-up ended, or\n"
                        "--check-start met a message or a question; 2 on a wrong command line,\n"
                        "folder or file.\n");
        return line;
    }
    if (parser.isSet(versionOption)) {
        line.action = CommandLine::Action::ShowVersion;
        line.text = QStringLiteral("corvale %1\n").arg(version);
        return line;
    }
    const QStringList paths = parser.positionalArguments();
    if (paths.size() > 1) {
        return usageError(QStringLiteral("only one FOLDER or FILE may be given"));
    }
    if (!paths.isEmpty()) {
        line.path = paths.front();
    }
    line.checkStart = parser.isSet(checkStart);
    return line;
}

}  // namespace corvale::startup
