#include "ScanTool.h"

#include "ScanConventions.h"
#include "analysis/Compare.h"
#include "firstpass/FirstPass.h"
#include "firstpass/OutputWriter.h"
#include "firstpass/PoemReader.h"
#include "meter/TypedMeter.h"
#include "platform/TextCodec.h"
#include "scansion/OwnFiles.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace corvale {

namespace {

using firstpass::WithThousands;

constexpr std::int64_t kProgressAbove = 5000;

constexpr char kUsage[] =
    "Usage: corvale-scan [--meter \"W S ...[; W S ...]\"] [--force] [-o DIR]\n"
    "                    [--conventions FILE] [--learn-from CORRECTED.txt]...\n"
    "                    [--save-conventions FILE] POEM.txt...\n"
    "       corvale-scan --compare REFERENCE.txt OTHER.txt\n"
    "\n"
    "Scans each poem, plain text or TEI, and writes POEM.scansion.txt and its meter\n"
    "file POEM.scansion.meter.txt beside it, ready to correct in Corvale. The meter file\n"
    "holds the meters found, a row each, the main meter first; each line is scanned\n"
    "against the meter it is measured against. Files that Corvale wrote itself\n"
    "(scansion, meter, memory and conventions files) are passed over, and a poem named\n"
    "twice is scanned once.\n"
    "\n"
    "  -o, --output-dir DIR  write the outputs in DIR instead\n"
    "  --meter \"W S ...\"     impose this meter instead of finding the meters; several\n"
    "                        meters separated by \";\", the main meter first\n"
    "  --force               replace outputs that exist, never a file this run reads (and\n"
    "                        the file --save-conventions names, unless it is a scansion\n"
    "                        or meter file); without it such a poem is skipped\n"
    "  --conventions FILE    read the poems by the conventions FILE holds; without it by\n"
    "                        conventions.txt in the current folder, else by the defaults\n"
    "  --learn-from FILE     learn the conventions from the verse lines of a corrected\n"
    "                        scansion file (once per file; 8 lines at least), report each\n"
    "                        convention's default and learned value, and scan by them; with\n"
    "                        no poem named, only learn and report\n"
    "  --save-conventions FILE  write the conventions learned to FILE\n"
    "  --compare             score OTHER.txt against the scansion REFERENCE.txt: words with\n"
    "                        the same syllable count, syllables with the same stress, lines\n"
    "                        that agree throughout, and the meters, row by row, when both\n"
    "                        files have a meter file of their own beside them; warns when\n"
    "                        the two files' verse texts differ on more than half their\n"
    "                        lines\n"
    "  -h, --help            show this help\n"
    "  --version             show the version\n"
    "\n"
    "Exit status: 0 when every poem was written; 1 when one was refused, skipped or\n"
    "not written, a compared, conventions or corrected file cannot be read, the\n"
    "conventions learned were not saved, standard output could not be written or\n"
    "memory ran out; 2 on a usage error.\n";

// Texts for messages; a path is quoted as the bytes it was given as.
std::string Text(const QString& text) {
    return PathBytes(text);
}

// "1 verse line", "2,000 verse lines".
std::string Count(std::int64_t count, const char* noun) {
    return WithThousands(count) + ' ' + noun + (count == 1 ? "" : "s");
}

struct Settings {
    std::vector<std::vector<std::string>> meters;
    SettledConventions conventions;
    bool force = false;
    QString outputFolder;
    QStringList poems;
    QStringList reads;  // every file the run reads: the poems, the corrected files, conventions
};

int UsageError(std::ostream& err, const std::string& message) {
    return tools::UsageError(err, "corvale-scan", message);
}

using tools::Complain;

const std::vector<firstpass::Warning>& NoWarnings() {
    static const std::vector<firstpass::Warning> none;
    return none;
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
            if (QFileInfo(name).isDir()) {
                return "skipped: " + Text(name) + " is a folder";
            }
            if (tools::IsOneOf(settings_.reads, name)) {
                return "skipped: " + Text(name) + " is a file this run reads";
            }
        }
        const std::optional<QString> taken = firstpass::BlockingOutput(names);
        return taken && !settings_.force ? Taken(*taken) : std::string();
    }

    static std::string Taken(const QString& name) {
        return "skipped: " + Text(name) + " exists (--force replaces it)";
    }

    // Files Corvale wrote are passed over with a note, and a poem named twice is scanned once.
    bool PassOver(const QString& poemFile) {
        if (!named_.FirstTime(poemFile)) {
            Complain(err_, poemFile, 0, "note: named twice, scanned once");
            return true;
        }
        if (const std::optional<OwnFile> own = CorvalesOwnFile(poemFile)) {
            Complain(err_, poemFile, 0,
                     "passed over: " + own->what + " is Corvale's own, not a poem");
            return true;
        }
        return false;
    }

    bool OnePoem(const QString& poemFile) {
        if (PassOver(poemFile)) {
            return true;
        }
        const firstpass::OutputNames names = NamesFor(poemFile);
        if (const std::string obstacle = Obstacle(names); !obstacle.empty()) {
            Complain(err_, poemFile, 0, obstacle);
            return false;
        }
        firstpass::Options options;
        options.meters = settings_.meters;
        options.progress = Progress(poemFile);
        options.conventions = settings_.conventions.conventions;
        // The outputs are written as the poem is scanned, and put in place only once whole.
        firstpass::ScanOutputs outputs(names);
        auto scanned = firstpass::ScanPoemFileInto(poemFile, options, outputs);
        if (const auto* refusal = std::get_if<firstpass::Refusal>(&scanned)) {
            Complain(err_, poemFile, refusal->row, refusal->message);
            return false;
        }
        if (std::holds_alternative<firstpass::Cancelled>(scanned) && !outputs.HasFailed()) {
            Complain(err_, poemFile, 0, "the scan was cancelled; nothing was written");
            return false;
        }
        const auto* scansion = std::get_if<firstpass::ScanSummary>(&scanned);
        for (const firstpass::Warning& warning : scansion ? scansion->warnings : NoWarnings()) {
            Complain(err_, poemFile, warning.row, warning.message);
        }
        // A scan cut short by a failed write is reported as that failure.
        if (!Write(poemFile, names, outputs)) {
            return false;
        }
        written_.insert(QFileInfo(names.scansion).absoluteFilePath());
        written_.insert(QFileInfo(names.meter).absoluteFilePath());
        Summarise(poemFile, names, *scansion);
        return true;
    }

    bool Write(const QString& poemFile, const firstpass::OutputNames& names,
               firstpass::ScanOutputs& outputs) {
        const firstpass::WriteResult result = outputs.PutInPlace(
            settings_.force ? firstpass::WhenTaken::Replace : firstpass::WhenTaken::Skip);
        switch (result.outcome) {
            case firstpass::WriteResult::Outcome::Taken:
                Complain(err_, poemFile, 0, Taken(result.file));
                return false;
            case firstpass::WriteResult::Outcome::Failed:
                Complain(err_, poemFile, 0,
                         Text(result.file) + " cannot be written: " + result.reason);
                return false;
            case firstpass::WriteResult::Outcome::Written:
                break;
        }
        if (result.replacedOrphan) {
            Complain(err_, poemFile, 0,
                     "replaced the meter file " + Text(names.meter) +
                         ", whose scansion file was missing");
        }
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
                   const firstpass::ScanSummary& scansion) {
        out_ << Text(poemFile) << ": " << Count(scansion.verseLines, "verse line") << ", "
             << Count(scansion.syllables, "syllable") << ", " << scansion.meterName << ", "
             << WithThousands(scansion.linesFitting) << " of " << Count(scansion.verseLines, "line")
             << " fit, " << settings_.conventions.name << "; wrote " << Text(names.scansion)
             << '\n';
    }

    const Settings& settings_;
    std::ostream& out_;
    std::ostream& err_;
    std::set<QString> written_;
    tools::FilesNamed named_;
};

int Compare(const QStringList& files, std::ostream& out, std::ostream& err) {
    auto compared = analysis::CompareFiles(files[0], files[1]);
    if (const auto* refusal = std::get_if<firstpass::Refusal>(&compared)) {
        err << "corvale-scan: " << refusal->message << '\n';
        return kToolSomeFailed;
    }
    const auto& comparison = std::get<analysis::Comparison>(compared);
    const std::int64_t lines = std::max(comparison.referenceLines, comparison.otherLines);
    if (2 * comparison.linesOfOtherText > lines) {
        err << "corvale-scan: warning: the verse text differs on "
            << WithThousands(comparison.linesOfOtherText) << " of " << Count(lines, "line")
            << ": are these scansions of the same poem?\n";
    }
    out << "reference " << Text(files[0]) << ", compared " << Text(files[1]) << '\n'
        << analysis::ComparisonReport(comparison);
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
    const QCommandLineOption conventions("conventions", "", "file");
    const QCommandLineOption learnFrom("learn-from", "", "file");
    const QCommandLineOption saveConventions("save-conventions", "", "file");
    parser.addOptions(
        {help, version, meter, force, output, compare, conventions, learnFrom, saveConventions});
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
        if (parser.isSet(meter) || parser.isSet(force) || parser.isSet(output) ||
            parser.isSet(conventions) || parser.isSet(learnFrom) || parser.isSet(saveConventions)) {
            return UsageError(err, "--compare takes no other option");
        }
        if (settings.poems.size() != 2) {
            return UsageError(err, "--compare takes two scansion files: REFERENCE.txt OTHER.txt");
        }
        return Compare(settings.poems, out, err);
    }
    const ConventionsRequest request{parser.value(conventions), parser.values(learnFrom),
                                     parser.value(saveConventions), parser.isSet(force)};
    if (settings.poems.isEmpty() && request.learnFrom.isEmpty()) {
        return UsageError(err, "no poem named");
    }
    if (!request.saveTo.isEmpty() && request.learnFrom.isEmpty()) {
        return UsageError(err, "--save-conventions saves what --learn-from learns");
    }
    settings.reads = settings.poems + request.learnFrom;
    if (!request.file.isEmpty()) {
        settings.reads.append(request.file);
    }
    if (!request.saveTo.isEmpty() && tools::IsOneOf(settings.reads, request.saveTo)) {
        return UsageError(
            err, "--save-conventions names a file this run reads: " + Text(request.saveTo));
    }
    if (parser.isSet(meter)) {
        auto symbols = meter::ReadMeterOption(parser.value(meter));
        if (const auto* usage = std::get_if<std::string>(&symbols)) {
            return UsageError(err, *usage);
        }
        settings.meters = std::move(std::get<std::vector<std::vector<std::string>>>(symbols));
    }
    settings.force = parser.isSet(force);
    if (parser.isSet(output)) {
        settings.outputFolder = parser.value(output);
        const QFileInfo folder(settings.outputFolder);
        if (!folder.isDir()) {
            return UsageError(err, Text(settings.outputFolder) +
                                       (folder.exists() ? ": not a folder" : ": no such folder"));
        }
    }
    std::optional<SettledConventions> settled = SettleConventions(request, out, err);
    if (!settled) {
        return kToolSomeFailed;
    }
    settings.conventions = std::move(*settled);
    const int status = settings.poems.isEmpty() ? kToolDone : Run(settings, out, err).AllPoems();
    return settings.conventions.allDone ? status : kToolSomeFailed;
}

}  // namespace corvale
