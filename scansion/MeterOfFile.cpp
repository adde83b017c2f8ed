#include "scansion/MeterOfFile.h"

#include "platform/Platform.h"
#include "scansion/MeterFileName.h"
#include "scansion/Numbers.h"
#include "scansion/TabFields.h"
#include "scansion/Workspace.h"

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

MeterOfFile FindMeterOf(const QString& scansionPath) {
    MeterOfFile found;
    const QString own = DecodeFileName(OwnMeterFileName(EncodeFileName(scansionPath)));
    const QString shared = QFileInfo(scansionPath).dir().filePath(QLatin1String(kMeterFileName));
    for (const QString& candidate : {own, shared}) {
        if (QFileInfo(candidate).isFile()) {
            found.meterFile = candidate;
            break;
        }
    }
    QFile file(found.meterFile);
    if (!found.meterFile.isEmpty() && file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.read(kMostMeterBytes);
        if (file.error() == QFileDevice::NoError) {
            found.row = ReadMeterRow(std::string_view(bytes.constData(), bytes.size()));
        }
    }
    return found;
}

}  // namespace corvale
