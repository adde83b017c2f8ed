#include "ScanTool.h"

#include "analysis/Compare.h"
#include "firstpass/FirstPass.h"
#include "firstpass/PoemReader.h"
#include "meter/MeterOption.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <set>
#include <string>
#include <vector>

namespace corvale {

namespace {

using firstpass::WithThousands;

constexpr std::int64_t kProgressAbove = 5000;

constexpr char kUsage[] =
    "Usage: corvale-scan [--meter \"W S ...\"] [--force] [-o DIR] POEM.txt...\n"
    "       corvale-scan --compare REFERENCE.txt OTHER.txt\n"
    "\n"
    "Scans each plain-text poem and writes POEM.scansion.txt and its meter file\n"
    "POEM.scansion.meter.txt beside it, ready to correct in Corvale.\n"
    "\n"
    "  -o, --output-dir DIR  write the outputs in DIR instead\n"
    "  --meter \"W S ...\"     impose this meter instead of choosing one\n"
    "  --force               replace outputs that exist; without it such a poem is skipped\n"
    "  --compare             score OTHER.txt against the scansion REFERENCE.txt: words with\n"
    "                        the same syllable count, syllables with the same stress, lines\n"
    "                        that agree throughout, and the meters when both files have a\n"
    "                        meter file of their own beside them\n"
    "  -h, --help            show this help\n"
    "  --version             show the version\n"
    "\n"
    "Exit status: 0 when every poem was written, 1 when one was refused, skipped or not\n"
    "written (or a compared file cannot be read), 2 on a usage error.\n";

std::string Text(const QString& text) {
    return text.toStdString();
}

// "1 verse line", "2,000 verse lines".
std::string Count(std::int64_t count, const char* noun) {
    return WithThousands(count) + ' ' + noun + (count == 1 ? "" : "s");
}

struct Settings {
    std::vector<std::string> meter;
    bool force = false;
    QString outputFolder;
    QStringList poems;
};

int UsageError(std::ostream& err, const std::string& message) {
    err << "corvale-scan: " << message << "\nTry 'corvale-scan --help'.\n";
    return kToolUsageError;
}

// "file: message" or "file:row: message".
void Complain(std::ostream& err, const QString& file, std::int64_t row,
              const std::string& message) {
    err << Text(file) << ':';
    if (row > 0) {
        err << row << ':';
    }
    err << ' ' << message << '\n';
}

// A name is taken when anything stands there, a link to nothing included.
bool Taken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Writes both outputs completely before either is put in place, so that a failure never leaves
// a half-written file; the meter file goes in first, so a new scansion file never stands
// without its meter. An empty text on success, otherwise what went wrong.
std::string WriteOutputs(const firstpass::OutputNames& names, const firstpass::Scansion& scansion) {
    QSaveFile meter(names.meter);
    QSaveFile records(names.scansion);
    const auto write = [](QSaveFile& file, const std::string& bytes) {
        return file.open(QIODevice::WriteOnly) &&
               file.write(bytes.data(), std::ssize(bytes)) == std::ssize(bytes) && file.flush();
    };
    if (!write(meter, scansion.meterFile)) {
        return Text(names.meter) + " cannot be written: " + Text(meter.errorString());
    }
    if (!write(records, scansion.scansionFile)) {
        return Text(names.scansion) + " cannot be written: " + Text(records.errorString());
    }
    if (!meter.commit()) {
        return Text(names.meter) + " cannot be written: " + Text(meter.errorString());
    }
    if (!records.commit()) {
        return Text(names.scansion) + " cannot be written: " + Text(records.errorString()) +
               " (its meter file " + Text(names.meter) + " was written)";
    }
    return {};
}

class Run {
public:
    Run(const Settings& settings, std::ostream& out, std::ostream& err)
        : settings_(settings), out_(out), err_(err) {}

    int AllPoems() {
        bool allWritten = true;
        for (const QString& poem : settings_.poems) {
            allWritten = OnePoem(poem) && allWritten;
        }
        return allWritten ? kToolDone : kToolSomeFailed;
    }

private:
    firstpass::OutputNames NamesFor(const QString& poem) const {
        firstpass::OutputNames names = firstpass::OutputNamesFor(poem);
        if (!settings_.outputFolder.isEmpty()) {
            const QDir folder(settings_.outputFolder);
            names.scansion = folder.filePath(QFileInfo(names.scansion).fileName());
            names.meter = folder.filePath(QFileInfo(names.meter).fileName());
        }
        return names;
    }

    // Why the outputs may not be written, or an empty text.
    std::string Obstacle(const firstpass::OutputNames& names) const {
        for (const QString& name : {names.scansion, names.meter}) {
            if (written_.contains(QFileInfo(name).absoluteFilePath())) {
                return "skipped: " + Text(name) + " was written for another poem in this run";
            }
            if (Taken(name) && QFileInfo(name).isDir()) {
                return "skipped: " + Text(name) + " is a folder";
            }
            if (Taken(name) && !settings_.force) {
                return "skipped: " + Text(name) + " exists (--force replaces it)";
            }
        }
        return {};
    }

    bool OnePoem(const QString& poemFile) {
        const firstpass::OutputNames names = NamesFor(poemFile);
        if (const std::string obstacle = Obstacle(names); !obstacle.empty()) {
            Complain(err_, poemFile, 0, obstacle);
            return false;
        }
        firstpass::Options options;
        options.meter = settings_.meter;
        options.progress = Progress(poemFile);
        auto scanned = firstpass::ScanPoemFile(poemFile, options);
        if (const auto* refusal = std::get_if<firstpass::Refusal>(&scanned)) {
            Complain(err_, poemFile, refusal->row, refusal->message);
            return false;
        }
        if (!std::holds_alternative<firstpass::Scansion>(scanned)) {
            Complain(err_, poemFile, 0, "the scan was cancelled; nothing was written");
            return false;
        }
        const auto& scansion = std::get<firstpass::Scansion>(scanned);
        if (const std::string failure = WriteOutputs(names, scansion); !failure.empty()) {
            Complain(err_, poemFile, 0, failure);
            return false;
        }
        written_.insert(QFileInfo(names.scansion).absoluteFilePath());
        written_.insert(QFileInfo(names.meter).absoluteFilePath());
        Summarise(poemFile, names, scansion);
        return true;
    }

    // Progress on stderr at every tenth of a poem longer than kProgressAbove verse lines.
    firstpass::Progress Progress(const QString& poemFile) {
        return [this, poemFile, shown = std::int64_t{-1}](std::int64_t done,
                                                          std::int64_t total) mutable {
            const std::int64_t tenth = total > 0 ? done * 10 / total : 10;
            if (total > kProgressAbove && tenth != shown) {
                shown = tenth;
                err_ << Text(poemFile) << ": scanning, " << WithThousands(done) << " of "
                     << WithThousands(total) << " verse lines\n";
            }
            return true;
        };
    }

    void Summarise(const QString& poemFile, const firstpass::OutputNames& names,
                   const firstpass::Scansion& scansion) {
        out_ << Text(poemFile) << ": " << Count(scansion.verseLines, "verse line") << ", "
             << Count(scansion.syllables, "syllable") << ", " << scansion.meterName << ", "
             << WithThousands(scansion.linesFitting) << " of " << Count(scansion.verseLines, "line")
             << " fit; wrote " << Text(names.scansion) << '\n';
    }

    const Settings& settings_;
    std::ostream& out_;
    std::ostream& err_;
    std::set<QString> written_;
};

int Compare(const QStringList& files, std::ostream& out, std::ostream& err) {
    auto compared = analysis::CompareFiles(files[0], files[1]);
    if (const auto* refusal = std::get_if<firstpass::Refusal>(&compared)) {
        err << "corvale-scan: " << refusal->message << '\n';
        return kToolSomeFailed;
    }
    out << "reference " << Text(files[0]) << ", compared " << Text(files[1]) << '\n'
        << analysis::ComparisonReport(std::get<analysis::Comparison>(compared));
    return kToolDone;
}

}  // namespace

int RunScanTool(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    const QCommandLineOption help({"h", "help"}, "");
    const QCommandLineOption version("version", "");
    const QCommandLineOption meter("meter", "", "symbols");
    const QCommandLineOption force("force", "");
    const QCommandLineOption output({"o", "output-dir"}, "", "folder");
    const QCommandLineOption compare("compare", "");
    parser.addOptions({help, version, meter, force, output, compare});
    if (!parser.parse(arguments)) {
        return UsageError(err, Text(parser.errorText()));
    }
    if (parser.isSet(help)) {
        out << kUsage;
        return kToolDone;
    }
    if (parser.isSet(version)) {
        out << "corvale-scan " << CORVALE_VERSION << '\n';
        return kToolDone;
    }
    Settings settings;
    settings.poems = parser.positionalArguments();
    if (parser.isSet(compare)) {
        if (parser.isSet(meter) || parser.isSet(force) || parser.isSet(output)) {
            return UsageError(err, "--compare takes no other option");
        }
        if (settings.poems.size() != 2) {
            return UsageError(err, "--compare takes two scansion files: REFERENCE.txt OTHER.txt");
        }
        return Compare(settings.poems, out, err);
    }
    if (settings.poems.isEmpty()) {
        return UsageError(err, "no poem named");
    }
    if (parser.isSet(meter)) {
        const std::optional<std::vector<std::string>> symbols =
            meter::ParseMeterOption(parser.value(meter));
        if (!symbols) {
            return UsageError(err, meter::kMeterOptionUsage);
        }
        settings.meter = *symbols;
    }
    settings.force = parser.isSet(force);
    if (parser.isSet(output)) {
        settings.outputFolder = parser.value(output);
        if (!QFileInfo(settings.outputFolder).isDir()) {
            return UsageError(err, Text(settings.outputFolder) + ": no such folder");
        }
    }
    return Run(settings, out, err).AllPoems();
}

}  // namespace corvale
