#include "startup/Files.h"

#include "scansion/RecordReader.h"

#include <QDir>
#include <QFile>

namespace corvale::startup {

namespace {

// Enough for the first four rows of any file the program can open: a row holds at most
// kMostPositions values.
constexpr qint64 kFirstRowsBytes = qint64{1} << 20;

}  // namespace

FileKind KindOfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return FileKind::Unreadable;
    }
    const QByteArray start = file.read(kFirstRowsBytes);
    if (file.error() != QFileDevice::NoError) {
        return FileKind::Unreadable;
    }
    return BeginsWithRecord(
               std::string_view(start.constData(), static_cast<std::size_t>(start.size())))
               ? FileKind::Scansion
               : FileKind::Other;
}

std::optional<QString> NewestScansionFile(const QString& folder) {
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Time)) {
        // Kept corrections begin with records too (scansion/Journal.h names them).
        if (name.endsWith(u"meter.txt") || name.contains(u".unsaved-corrections")) {
            continue;
        }
        if (KindOfFile(dir.filePath(name)) == FileKind::Scansion) {
            return name;
        }
    }
    return std::nullopt;
}

}  // namespace corvale::startup
