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

// Only the first row counts, and no meter's row comes near this.
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

MeterFileRow ReadMeterRow(std::string_view meterFileBytes) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (meterFileBytes.starts_with(kByteOrderMark)) {
        meterFileBytes.remove_prefix(kByteOrderMark.size());
    }
    RowCursor rows(meterFileBytes);
    MeterFileRow row;
    row.line = rows.AtEnd() ? std::string() : std::string(rows.Next());
    // A row typed with spaces between its symbols, and no tab, means the same meter.
    if (row.line.find('\t') == std::string::npos) {
        std::string fields;
        for (std::string_view rest = row.line; !rest.empty();) {
            const std::size_t end = std::min(rest.find(' '), rest.size());
            if (end > 0) {
                fields.append(fields.empty() ? "" : "\t").append(rest.substr(0, end));
            }
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
        row.line = std::move(fields);
    }
    for (std::string_view rest = row.line; !num::IsBlank(fields::FirstField(rest));
         rest = fields::RemoveFirstField(rest)) {
        ++row.symbols;
    }
    return row;
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
    meter.row = ReadMeterRow(std::get<std::string>(read));
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
