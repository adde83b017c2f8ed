#include "ProfileTool.h"

#include "ProfileTables.h"
#include "analysis/ProfileReport.h"
#include "meter/TypedMeter.h"
#include "platform/TextCodec.h"
#include "scansion/ScansionFile.h"

#include <QCommandLineParser>

#include <algorithm>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace corvale {

namespace {

using analysis::NamedProfile;

constexpr char kUsage[] =
    "Usage: corvale-profile [--meter \"W S ...[; W S ...]\"] [--csv] [--by-file] FILE...\n"
    "\n"
    "Prints the verse's profile of corrected scansion files: for each place of the meter,\n"
    "the share of lines stressed there and followed by a word or a phrase boundary, then\n"
    "the file's figures. Places count the lines that show the meter's number of\n"
    "syllables, or one more that is unstressed (a feminine ending); other lines are\n"
    "counted by their length and listed. A file of several meters has a profile per\n"
    "meter, each line in the profile of the meter it is measured against. Meters of the\n"
    "same places are added together across files, other meters get a profile of their\n"
    "own. A file's meters are NAME.meter.txt beside it, else meter.txt in its folder.\n"
    "\n"
    "  --meter \"W S ...\"  use this meter for every file; several meters separated by \";\"\n"
    "  --csv              write tidy CSV instead: one row per file (or meter group)\n"
    "                     and place, with a header; the column files lists the files,\n"
    "                     the last, meter_number, which of each file's meters it is\n"
    "  --by-file          keep each file's profile apart: a table (or CSV rows) each\n"
    "  -h, --help         show this help\n"
    "  --version          show the version\n"
    "\n"
    "Corvale's other files (meter and memory files) are passed over with a note, and\n"
    "a file named twice is profiled once.\n"
    "\n"
    "Exit status: 0 when every scansion file was profiled; 1 when one was refused (the\n"
    "others are still profiled), standard output could not be written or memory ran\n"
    "out; 2 on a usage error. A file that is no scansion file at all, such as a poem,\n"
    "is refused, and makes the status 1 only when no file was profiled.\n";

// How the profile names a file it could not load.
Refusal ProfileRefusal(const LoadRefusal& refused) {
    using Why = LoadRefusal::Why;
    switch (refused.why) {
        case Why::NoSuchFile:
        case Why::NotAFile:
        case Why::TooLarge:
        case Why::Unreadable:
            return {"cannot be read: " + refused.refusal.message, 0};
        case Why::NotScansion:
            return {
                "is not a scansion file: its first rows are not a verse line's syllables, "
                "stress, juncture and comment rows",
                0};
        case Why::InAnotherForm:
        case Why::NotTaken:
        case Why::BadRecord:
            break;
    }
    return refused.refusal;
}

// The meters a loaded file is profiled under, or why it has none.
std::variant<std::vector<MeterFileRow>, Refusal> MetersOf(const QString& path,
                                                          const MeterAsRead& meter) {
    if (meter.path.isEmpty()) {
        const QStringList looked = MeterFileCandidates(path, QString());
        return Refusal{"has no meter: neither " + PathBytes(looked.at(0)) + " nor " +
                           PathBytes(looked.at(1)) + " is a file (--meter gives one)",
                       0};
    }
    const std::string where = "its meter file " + PathBytes(meter.path);
    if (!meter.row) {
        return Refusal{where + " cannot be read: " + meter.error.toStdString(), 0};
    }
    if (meter.row->symbols == 0) {
        return Refusal{where + " holds no meter symbols", 0};
    }
    return meter.rows.meters;
}

// The profiles of one scansion file, a profile per meter, named as `path` was given, under its
// meters or under `imposed`, a meter file's rows, when there are any.
std::variant<std::vector<NamedProfile>, Refusal> ProfileFile(
    const QString& path, const std::optional<std::vector<MeterFileRow>>& imposed,
    std::ostream& err) {
    const auto loaded = LoadScansionFile(path);
    if (const auto* refused = std::get_if<LoadRefusal>(&loaded)) {
        return ProfileRefusal(*refused);
    }
    const LoadedScansion& file = std::get<LoadedScansion>(loaded);
    auto meters = imposed ? std::variant<std::vector<MeterFileRow>, Refusal>(*imposed)
                          : MetersOf(path, file.meter);
    if (auto* refusal = std::get_if<Refusal>(&meters)) {
        return std::move(*refusal);
    }
    if (!imposed) {
        tools::NoteRowsLeftAlone(err, file.meter);
    }
    const std::vector<MeterFileRow>& rows = std::get<std::vector<MeterFileRow>>(meters);
    const meter::Meters rule = meter::Meters::OfRows(rows);
    std::vector<NamedProfile> named;
    const std::vector<analysis::Profile> profiles = analysis::ProfilesByMeter(file.store, rule);
    for (std::size_t m = 0; m < profiles.size(); ++m) {
        named.push_back(analysis::Named(
            profiles[m], analysis::MeterSymbols(rows[m].line, profiles[m].TheMeter().Places()),
            PathBytes(path)));
    }
    return named;
}

int UsageError(std::ostream& err, const std::string& message) {
    return tools::UsageError(err, "corvale-profile", message);
}

// The files' profiles by meter: for each meter every file added together, or with `byFile` the
// files of a meter one by one.
std::vector<std::vector<NamedProfile>> Tables(std::vector<NamedProfile> files, bool byFile) {
    std::vector<std::vector<NamedProfile>> tables;
    for (NamedProfile& file : files) {
        auto table = std::find_if(tables.begin(), tables.end(), [&](const auto& table) {
            return analysis::SameMeter(table.front().symbols, file.symbols);
        });
        if (table == tables.end()) {
            tables.push_back({std::move(file)});
        } else if (byFile) {
            table->push_back(std::move(file));
        } else {
            analysis::AddToGroups(*table, std::move(file));
        }
    }
    return tables;
}

void Print(std::ostream& out, const std::vector<std::vector<NamedProfile>>& tables, bool csv) {
    if (csv) {
        std::vector<NamedProfile> all;
        for (const auto& table : tables) {
            all.insert(all.end(), table.begin(), table.end());
        }
        out << analysis::ProfileCsv(all, meter::Strictness::StressMaxima);
        return;
    }
    // A table per profile: per meter group, or with --by-file per file, in the groups' order.
    bool first = true;
    for (const auto& table : tables) {
        for (const NamedProfile& profile : table) {
            out << (first ? "" : "\n") << profile_tool::ProfileTable(profile);
            first = false;
        }
    }
}

}  // namespace

int RunProfileTool(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    const QCommandLineOption help({"h", "help"}, "");
    const QCommandLineOption version("version", "");
    const QCommandLineOption meter("meter", "", "symbols");
    const QCommandLineOption csv("csv", "");
    const QCommandLineOption byFile("by-file", "");
    parser.addOptions({help, version, meter, csv, byFile});
    if (!parser.parse(arguments)) {
        return UsageError(err, parser.errorText().toStdString());
    }
    if (parser.isSet(help)) {
        out << kUsage;
        return kProfileDone;
    }
    if (parser.isSet(version)) {
        out << "corvale-profile " << CORVALE_VERSION << '\n';
        return kProfileDone;
    }
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        return UsageError(err, "no scansion file named");
    }
    std::optional<std::vector<MeterFileRow>> imposed;
    if (parser.isSet(meter)) {
        const auto symbols = meter::ReadMeterOption(parser.value(meter));
        if (const auto* usage = std::get_if<std::string>(&symbols)) {
            return UsageError(err, *usage);
        }
        imposed = ReadMeterRows(meter::MeterFileText(
                                    std::get<std::vector<std::vector<std::string>>>(symbols)))
                      .meters;
    }
    std::vector<NamedProfile> profiles;
    const int status = tools::EachScansionFile(files, err, "profiled", [&](const QString& file) {
        auto profiled = ProfileFile(file, imposed, err);
        if (const auto* refusal = std::get_if<Refusal>(&profiled)) {
            tools::Complain(err, file, refusal->row, refusal->message);
            return false;
        }
        for (NamedProfile& profile : std::get<std::vector<NamedProfile>>(profiled)) {
            profiles.push_back(std::move(profile));
        }
        return true;
    });
    if (!profiles.empty()) {
        Print(out, Tables(std::move(profiles), parser.isSet(byFile)), parser.isSet(csv));
    }
    return status == 0 ? kProfileDone : kProfileSomeRefused;
}

}  // namespace corvale
