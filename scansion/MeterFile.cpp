#include "scansion/MeterFile.h"

#include "platform/Platform.h"
#include "scansion/FileNames.h"
#include "scansion/Numbers.h"
#include "scansion/TabFields.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace corvale {

namespace {

// Only the first row counts, and no meter's row comes near this.
constexpr qint64 kMostMeterBytes = qint64{1} << 20;

}  // namespace

MeterFileRow ReadMeterRow(std::string_view meterFileBytes) {
    RowCursor rows(meterFileBytes);
    MeterFileRow row;
    row.line = rows.AtEnd() ? std::string() : std::string(rows.Next());
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
    return DecodeFileName(OwnMeterFileName(EncodeFileName(scansionPath)));
}

QStringList MeterFileCandidates(const QString& scansionPath, const QString& workingFolder) {
    QStringList candidates;
    if (!scansionPath.isEmpty()) {
        candidates = {OwnMeterFilePath(scansionPath),
                      QFileInfo(scansionPath).dir().filePath(QLatin1String(kMeterFileName))};
    }
    if (!workingFolder.isEmpty()) {
        candidates.append(QDir(workingFolder).filePath(QLatin1String(kMeterFileName)));
    }
    return candidates;
}

std::optional<QString> MeterFileFor(const QString& scansionPath, const QString& workingFolder) {
    for (const QString& candidate : MeterFileCandidates(scansionPath, workingFolder)) {
        const QFileInfo info(candidate);
        if (info.isFile() && !info.isHidden()) {
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
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        meter.lack = MeterAsRead::Lack::Unreadable;
        meter.error = file.errorString();
        return meter;
    }
    const QByteArray bytes = file.read(kMostMeterBytes);
    if (file.error() != QFileDevice::NoError) {
        meter.lack = MeterAsRead::Lack::Unreadable;
        meter.error = file.errorString();
        return meter;
    }
    meter.row = ReadMeterRow(std::string_view(bytes.constData(), bytes.size()));
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
