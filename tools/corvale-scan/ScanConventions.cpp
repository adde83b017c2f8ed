#include "ScanConventions.h"

#include "ToolHabits.h"
#include "firstpass/ConventionsFile.h"
#include "firstpass/Learning.h"
#include "firstpass/PoemReader.h"
#include "platform/OutputFile.h"
#include "platform/TextCodec.h"
#include "scansion/FileNames.h"
#include "scansion/OwnFiles.h"
#include "scansion/ScansionFile.h"

#include <QFileInfo>

#include <cstdio>
#include <vector>

namespace corvale {
namespace {

using firstpass::WithThousands;
using tools::Complain;

std::string Percent(std::int64_t part, std::int64_t whole) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f%%", whole > 0 ? 100.0 * part / whole : 0.0);
    return text;
}

// The conventions to start from: the file named, else the current folder's conventions.txt
// when it is one; nullopt when the file is refused.
std::optional<SettledConventions> Starting(const QString& named, std::ostream& err) {
    const QString file = named.isEmpty() ? QString(kConventionsFileName) : named;
    if (named.isEmpty() && !QFileInfo::exists(file)) {
        return SettledConventions{{}, "default conventions"};
    }
    auto read = firstpass::ReadConventionsFile(file);
    if (const auto* refusal = std::get_if<Refusal>(&read)) {
        // A poem that happens to be called conventions.txt is no conventions file.
        if (named.isEmpty() && refusal->row == 1) {
            Complain(err, file, 0, "note: not Corvale's conventions; default conventions taken");
            return SettledConventions{{}, "default conventions"};
        }
        Complain(err, file, refusal->row, refusal->message);
        return std::nullopt;
    }
    const auto& conventions = std::get<firstpass::ConventionsRead>(read);
    for (const firstpass::Warning& warning : conventions.warnings) {
        Complain(err, file, warning.row, warning.message);
    }
    return SettledConventions{conventions.conventions, "conventions of " + PathBytes(file)};
}

// The corrected files' verse lines; nullopt when one is refused.
std::optional<std::vector<firstpass::CorrectedPoem>> CorrectedPoems(const QStringList& files,
                                                                    std::ostream& err) {
    std::vector<firstpass::CorrectedPoem> poems;
    for (const QString& file : files) {
        auto loaded = LoadScansionFile(file);
        if (const auto* refusal = std::get_if<LoadRefusal>(&loaded)) {
            const std::string message = refusal->why == LoadRefusal::Why::NotScansion
                                            ? "not a scansion file, so nothing is learned from it"
                                            : refusal->refusal.message;
            Complain(err, file, refusal->refusal.row, message);
            return std::nullopt;
        }
        poems.push_back(firstpass::CorrectedPoemOf(std::get<LoadedScansion>(loaded)));
    }
    return poems;
}

void Report(const firstpass::Learned& learned, const firstpass::Conventions& start,
            std::int64_t files, std::ostream& out) {
    out << "learned from " << WithThousands(files) << " corrected file" << (files == 1 ? "" : "s")
        << ", " << WithThousands(learned.lines) << " verse lines: stress agrees on "
        << WithThousands(learned.agreeingBefore) << " of " << WithThousands(learned.syllables)
        << " syllables (" << Percent(learned.agreeingBefore, learned.syllables) << ") before, "
        << WithThousands(learned.agreeingAfter) << " ("
        << Percent(learned.agreeingAfter, learned.syllables) << ") as learned\n";
    char row[96];
    std::snprintf(row, sizeof row, "%-26s %7s %7s\n", "convention", "default", "learned");
    out << row;
    for (const firstpass::ConventionInfo& info : firstpass::ConventionTable()) {
        const int value = learned.conventions[info.convention];
        std::snprintf(row, sizeof row, "%-26s %7d %7d%s\n", std::string(info.name).c_str(),
                      info.byDefault, value, value != start[info.convention] ? "  (moved)" : "");
        out << row;
    }
}

// Only a conventions file is ever replaced, with --force: a name mistyped for a corrected
// scansion file or a meter file would lose it.
bool Save(const QString& file, const firstpass::Conventions& conventions, bool force,
          std::ostream& err) {
    if (const std::optional<OwnFile> own = CorvalesOwnFile(file);
        own && own->kind != OwnFile::Kind::Conventions) {
        Complain(err, file, 0, "not saved: it is " + own->what + ", which is never replaced");
        return false;
    }
    const std::string failure =
        WriteOutputFile(file, firstpass::ConventionsFileBytes(conventions), force);
    if (failure.empty()) {
        return true;
    }
    Complain(err, file, 0,
             "not saved: " + failure + (failure == "it exists" ? " (--force replaces it)" : ""));
    return false;
}

}  // namespace

std::optional<SettledConventions> SettleConventions(const ConventionsRequest& request,
                                                    std::ostream& out, std::ostream& err) {
    std::optional<SettledConventions> settled = Starting(request.file, err);
    if (!settled || request.learnFrom.isEmpty()) {
        return settled;
    }
    const auto poems = CorrectedPoems(request.learnFrom, err);
    if (!poems) {
        return std::nullopt;
    }
    const firstpass::Learned learned = firstpass::Learn(*poems, settled->conventions);
    if (!learned.Enough()) {
        err << "corvale-scan: " << WithThousands(learned.lines) << " corrected verse line"
            << (learned.lines == 1 ? "" : "s") << "; learning needs at least "
            << firstpass::kLeastLinesToLearnFrom << ", so the " << settled->name
            << " stay as they were\n";
        if (!request.saveTo.isEmpty()) {
            Complain(err, request.saveTo, 0, "not saved: nothing was learned");
            settled->allDone = false;
        }
        return settled;
    }
    Report(learned, settled->conventions, request.learnFrom.size(), out);
    settled->conventions = learned.conventions;
    settled->name = "conventions learned from " + WithThousands(request.learnFrom.size()) +
                    " corrected file" + (request.learnFrom.size() == 1 ? "" : "s");
    if (!request.saveTo.isEmpty()) {
        settled->allDone = Save(request.saveTo, learned.conventions, request.force, err);
    }
    return settled;
}

}  // namespace corvale
