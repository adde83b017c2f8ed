#include "scansion/MeterFile.h"

#include "platform/FileAtPath.h"
#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "scansion/FileNames.h"
#include "scansion/Numbers.h"
#include "scansion/TabFields.h"

#include <QDir>

#include <algorithm>

#include <sys/stat.h>

namespace corvale {

namespace {

// The meters are read from the file's beginning, and no file of meters comes near this.
constexpr qint64 kMostMeterBytes = qint64{1} << 20;

// An ordinary file, through links, whose name does not begin with a dot; the path's bytes are
// asked about as they stand (PathBytes).
bool IsVisibleFile(const QString& path) {
    struct stat status {};
    const qsizetype slash = path.lastIndexOf(u'/');
    return !path.sliced(slash + 1).startsWith(u'.') &&
           ::stat(PathBytes(path).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

namespace {

// The file's bytes past a leading UTF-8 byte order mark, which is no part of its first row.
std::string_view WithoutByteOrderMark(std::string_view bytes) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    return bytes;
}

// A row as tab-separated fields: a row typed with spaces between its symbols, and no tab, means
// the same meter, so it is split at its runs of spaces.
std::string AsFields(std::string_view row) {
    if (row.find('\t') != std::string_view::npos) {
        return std::string(row);
    }
    std::string fields;
    for (std::string_view rest = row; !rest.empty();) {
        const std::size_t end = std::min(rest.find(' '), rest.size());
        if (end > 0) {
            fields.append(fields.empty() ? "" : "\t").append(rest.substr(0, end));
        }
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return fields;
}

// A row's leading run of symbols, each trimmed.
std::vector<std::string_view> SymbolsOf(std::string_view row) {
    std::vector<std::string_view> symbols;
    for (std::string_view rest = row; !num::IsBlank(fields::FirstField(rest));
         rest = fields::RemoveFirstField(rest)) {
        symbols.push_back(num::Trim(fields::FirstField(rest)));
    }
    return symbols;
}

MeterFileRow RowOf(std::string fields, std::size_t symbols) {
    return {std::move(fields), static_cast<std::int32_t>(symbols)};
}

}  // namespace

MeterFileRow ReadMeterRow(std::string_view meterFileBytes) {
    RowCursor rows(WithoutByteOrderMark(meterFileBytes));
    std::string first = AsFields(rows.AtEnd() ? std::string_view() : rows.Next());
    const std::size_t symbols = SymbolsOf(first).size();
    return RowOf(std::move(first), symbols);
}

bool HoldsSymbolsPastItsEnd(const MeterFileRow& row) {
    std::string_view rest = row.line;
    for (std::int32_t field = 0; field < row.symbols; ++field) {
        rest = fields::RemoveFirstField(rest);
    }
    return rest.find_first_not_of(" \t") != std::string_view::npos;
}

MeterFileRows ReadMeterRows(std::string_view meterFileBytes) {
    RowCursor rows(WithoutByteOrderMark(meterFileBytes));
    const std::string first = AsFields(rows.AtEnd() ? std::string_view() : rows.Next());
    const std::vector<std::string_view> used = SymbolsOf(first);
    MeterFileRows read{{RowOf(first, used.size())}};
    for (std::int64_t number = 2; !rows.AtEnd(); ++number) {
        const std::string_view row = rows.Next();
        if (fields::StripTrailingTabsAndSpaces(row).empty()) {
            continue;
        }
        std::string fields = AsFields(row);
        const std::vector<std::string_view> symbols = SymbolsOf(fields);
        const bool known = !symbols.empty() && std::ranges::all_of(symbols, [&](auto symbol) {
            return std::ranges::find(used, symbol) != used.end();
        });
        if (known && read.meters.size() < kMostMeters) {
            read.meters.push_back(RowOf(std::move(fields), symbols.size()));
        } else if (read.leftAlone++ == 0) {
            read.firstLeftAlone = number;
        }
    }
    return read;
}

std::string NameWithoutExtension(std::string_view fileName) {
    const std::size_t slash = fileName.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = fileName.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && dot > nameStart;
    return std::string(hasExtension ? fileName.substr(0, dot) : fileName);
}

std::string OwnMeterFileName(std::string_view scansionFileName) {
    return NameWithoutExtension(scansionFileName) + kOwnMeterSuffix;
}

QString OwnMeterFilePath(const QString& scansionPath) {
    return PathFromBytes(OwnMeterFileName(PathBytes(scansionPath)));
}

QStringList MeterFileCandidates(const QString& scansionPath, const QString& workingFolder) {
    QStringList candidates;
    if (!scansionPath.isEmpty()) {
        const qsizetype slash = scansionPath.lastIndexOf(u'/');
        const QString beside = slash < 0 ? QString() : scansionPath.first(slash + 1);
        candidates = {OwnMeterFilePath(scansionPath), beside + QLatin1String(kMeterFileName)};
    }
    if (!workingFolder.isEmpty()) {
        candidates.append(QDir(workingFolder).filePath(QLatin1String(kMeterFileName)));
    }
    return candidates;
}

std::optional<QString> MeterFileFor(const QString& scansionPath, const QString& workingFolder) {
    for (const QString& candidate : MeterFileCandidates(scansionPath, workingFolder)) {
        if (IsVisibleFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

bool MeterAsRead::IsOwnOf(const QString& scansionPath) const {
    return !path.isEmpty() && path == OwnMeterFilePath(scansionPath);
}

MeterAsRead ReadMeterOf(const QString& scansionPath, const QString& workingFolder) {
    MeterAsRead meter;
    const std::optional<QString> path = MeterFileFor(scansionPath, workingFolder);
    if (!path) {
        return meter;
    }
    meter.path = *path;
    const std::variant<std::string, ReadFailure> read = ReadFileBeginning(*path, kMostMeterBytes);
    if (const auto* failure = std::get_if<ReadFailure>(&read)) {
        meter.lack = MeterAsRead::Lack::Unreadable;
        meter.error = QString::fromStdString(failure->Reason());
        return meter;
    }
    meter.rows = ReadMeterRows(std::get<std::string>(read));
    meter.row = meter.rows.meters.front();
    meter.lack = MeterAsRead::Lack::None;
    return meter;
}

QString NoMeterMessage(std::string_view scansionFileName, const QString& folder) {
    return QStringLiteral(
               "There is no meter for %1.  I need %2 beside it, or meter.txt in %3, holding the "
               "symbols of the meter (like S and W) separated by tabs.")
        .arg(DecodeFileName(scansionFileName), DecodeFileName(OwnMeterFileName(scansionFileName)),
             folder);
}

}  // namespace corvale
