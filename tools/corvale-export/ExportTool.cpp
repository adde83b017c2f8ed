#include "ExportTool.h"

#include "export/Export.h"
#include "export/ExportFiles.h"
#include "meter/TypedMeter.h"
#include "platform/OutputFile.h"
#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "scansion/MeterFile.h"
#include "scansion/ScansionFile.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <variant>

namespace corvale {

namespace {

using exports::Format;

constexpr char kUsage[] =
    "Usage: corvale-export [--format csv|tei|lines] [--meter \"W S ...\"] [--force]\n"
    "                      [-o DIR|-] FILE...\n"
    "\n"
    "Exports each scansion file for other tools: its syllables as CSV, one row per\n"
    "syllable with a header, to NAME.syllables.csv beside it; its verse lines as TEI P5,\n"
    "<l met=\"...\" real=\"...\">, to NAME.tei.xml; or its verse lines as CSV, one row per\n"
    "line with a header (file, line, text, syllables, meter, met, real, fits,\n"
    "departures, comment), to NAME.lines.csv. Each line is written under the meter it is\n"
    "measured against, and the CSV names that meter's number.\n"
    "\n"
    "  --format csv|tei|lines  what to write; csv when not given\n"
    "  -o, --output-dir DIR  write the exports in DIR instead; \"-o -\" writes them to\n"
    "                        standard output (CSV with one header for all files; TEI for\n"
    "                        one file)\n"
    "  --meter \"W S ...\"     use this meter instead of each file's meter file; several\n"
    "                        meters separated by \";\"\n"
    "  --force               replace exports that exist, never a file this run reads;\n"
    "                        without it such a file is skipped\n"
    "  -h, --help            show this help\n"
    "  --version             show the version\n"
    "\n"
    "A file's meters are NAME.meter.txt beside it, else meter.txt in its folder: the\n"
    "first row, then each further row of the first row's symbols. A file without one is\n"
    "exported without a meter, with a note.\n"
    "\n"
    "Corvale's other files (meter and memory files) are passed over with a note, and\n"
    "a file named twice is exported once.\n"
    "\n"
    "Exit status: 0 when every scansion file was exported; 1 when one was refused,\n"
    "skipped or not written, standard output could not be written or memory ran out;\n"
    "2 on a usage error. A file that is no scansion file at all, such as a poem, is\n"
    "refused, and makes the status 1 only when no file was exported.\n";

// Texts for messages; a path is quoted as the bytes it was given as.
std::string Text(const QString& text) {
    return PathBytes(text);
}

struct Settings {
    Format format = Format::Csv;
    std::optional<std::vector<MeterFileRow>> meters;  // imposed on every file
    bool force = false;
    QString outputFolder;  // empty: beside each file
    bool toStandardOutput = false;
    QStringList files;
};

int UsageError(std::ostream& err, const std::string& message) {
    return tools::UsageError(err, "corvale-export", message);
}

using tools::Complain;

// A name is taken when anything stands there, a link to nothing included.
bool Taken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

class Run {
public:
    Run(const Settings& settings, std::ostream& out, std::ostream& err)
        : settings_(settings), out_(out), err_(err) {}

    int AllFiles() {
        return tools::EachScansionFile(settings_.files, err_, "exported",
                                       [this](const QString& file) { return OneFile(file); });
    }

private:
    QString TargetOf(const QString& file) const {
        const QString name = exports::ExportFileName(file, settings_.format);
        return settings_.outputFolder.isEmpty()
                   ? name
                   : QDir(settings_.outputFolder).filePath(QFileInfo(name).fileName());
    }

    // Why the file is not exported to `target`, or an empty text.
    std::string Obstacle(const QString& target) {
        if (settings_.toStandardOutput) {
            return {};
        }
        if (written_.contains(QFileInfo(target).absoluteFilePath())) {
            return "skipped: " + Text(target) + " was written for another file in this run";
        }
        if (tools::IsOneOf(settings_.files, target)) {
            return "skipped: " + Text(target) + " is a file this run reads";
        }
        if (Taken(target) && QFileInfo(target).isDir()) {
            return "skipped: " + Text(target) + " is a folder";
        }
        if (Taken(target) && !settings_.force) {
            return "skipped: " + Text(target) + " exists (--force replaces it)";
        }
        return {};
    }

    // The file's meters, the main first, or nothing when the file is refused for them.
    std::optional<std::vector<exports::ExportMeter>> MetersOf(const QString& file,
                                                              const MeterAsRead& found) {
        if (settings_.meters) {
            return exports::ExportMeters(*settings_.meters);
        }
        if (found.path.isEmpty()) {
            Complain(err_, file, 0,
                     "note: no meter file (" + Text(QFileInfo(OwnMeterFilePath(file)).fileName()) +
                         " or meter.txt beside it); exported without a meter");
            return std::vector<exports::ExportMeter>(1);
        }
        if (!found.row) {
            Complain(err_, file, 0, "its meter file " + Text(found.path) + " cannot be read");
            return std::nullopt;
        }
        if (found.row->symbols == 0) {
            Complain(err_, file, 0,
                     "note: its meter file " + Text(found.path) +
                         " holds no symbols; exported without a meter");
        }
        tools::NoteRowsLeftAlone(err_, found);
        return exports::ExportMeters(found.rows.meters);
    }

    bool OneFile(const QString& file) {
        const QString target = TargetOf(file);
        if (const std::string obstacle = Obstacle(target); !obstacle.empty()) {
            Complain(err_, file, 0, obstacle);
            return false;
        }
        auto loaded = LoadScansionFile(file);
        if (const auto* refused = std::get_if<LoadRefusal>(&loaded)) {
            const Refusal refusal = exports::ExportRefusal(*refused);
            Complain(err_, file, refusal.row, refusal.message);
            return false;
        }
        const auto& scansion = std::get<LoadedScansion>(loaded);
        std::optional<std::vector<exports::ExportMeter>> meters = MetersOf(file, scansion.meter);
        if (!meters) {
            return false;
        }
        const exports::Source source{scansion.store,
                                     scansion.encoding,
                                     file,
                                     meters->front(),
                                     {std::next(meters->begin()), meters->end()}};
        if (settings_.toStandardOutput) {
            Print(source);
            return true;
        }
        return Write(source, target);
    }

    // The exports one after the other, CSV under one header.
    void Print(const exports::Source& source) {
        const bool lines = settings_.format == Format::Lines;
        if (settings_.format == Format::Tei) {
            out_ << exports::TeiDocument(source);
            return;
        }
        if (!headerPrinted_) {
            out_ << (lines ? exports::LinesHeader() : exports::CsvHeader());
            headerPrinted_ = true;
        }
        out_ << (lines ? exports::LinesRows(source) : exports::CsvRows(source));
    }

    bool Write(const exports::Source& source, const QString& target) {
        const std::string failure =
            WriteOutputFile(target, exports::ExportFile(source, settings_.format), settings_.force);
        if (!failure.empty()) {
            // A file that appeared at the name since the check is skipped like any other.
            Complain(err_, source.fileName, 0,
                     !settings_.force && Taken(target)
                         ? "skipped: " + Text(target) + " exists (--force replaces it)"
                         : Text(target) + " cannot be written: " + failure);
            return false;
        }
        written_.insert(QFileInfo(target).absoluteFilePath());
        const std::int32_t lines = source.store.NumberOfLines();
        out_ << Text(source.fileName) << ": " << lines << " verse line" << (lines == 1 ? "" : "s")
             << "; wrote " << Text(target) << '\n';
        return true;
    }

    const Settings& settings_;
    std::ostream& out_;
    std::ostream& err_;
    std::set<QString> written_;
    bool headerPrinted_ = false;
};

// The settings the options give, or the usage error they make.
std::variant<Settings, std::string> Read(const QCommandLineParser& parser) {
    Settings settings;
    settings.files = parser.positionalArguments();
    if (settings.files.isEmpty()) {
        return std::string("no scansion file named");
    }
    const QString format = parser.value(QStringLiteral("format"));
    if (format == u"tei") {
        settings.format = Format::Tei;
    } else if (format == u"lines") {
        settings.format = Format::Lines;
    } else if (!format.isEmpty() && format != u"csv") {
        return std::string("--format takes csv, tei or lines");
    }
    if (parser.isSet(QStringLiteral("meter"))) {
        auto symbols = meter::ReadMeterOption(parser.value(QStringLiteral("meter")));
        if (auto* usage = std::get_if<std::string>(&symbols)) {
            return std::move(*usage);
        }
        settings.meters =
            ReadMeterRows(
                meter::MeterFileText(std::get<std::vector<std::vector<std::string>>>(symbols)))
                .meters;
    }
    settings.force = parser.isSet(QStringLiteral("force"));
    const QString output = parser.value(QStringLiteral("output-dir"));
    settings.toStandardOutput = output == u"-";
    if (settings.toStandardOutput && settings.format == Format::Tei && settings.files.size() > 1) {
        return std::string("-o - writes one TEI document: name one file");
    }
    if (!output.isEmpty() && !settings.toStandardOutput) {
        if (!QFileInfo(output).isDir()) {
            return Text(output) + (Taken(output) ? ": not a folder" : ": no such folder");
        }
        settings.outputFolder = output;
    }
    return settings;
}

}  // namespace

int RunExportTool(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    const QCommandLineOption help({"h", "help"}, "");
    const QCommandLineOption version("version", "");
    parser.addOptions({help, version, QCommandLineOption("format", "", "csv|tei|lines"),
                       QCommandLineOption("meter", "", "symbols"), QCommandLineOption("force", ""),
                       QCommandLineOption({"o", "output-dir"}, "", "folder")});
    if (!parser.parse(arguments)) {
        return UsageError(err, Text(parser.errorText()));
    }
    if (parser.isSet(help)) {
        out << kUsage;
        return kExportDone;
    }
    if (parser.isSet(version)) {
        out << "corvale-export " << CORVALE_VERSION << '\n';
        return kExportDone;
    }
    auto settings = Read(parser);
    if (const auto* message = std::get_if<std::string>(&settings)) {
        return UsageError(err, *message);
    }
    return Run(std::get<Settings>(settings), out, err).AllFiles();
}

}  // namespace corvale
