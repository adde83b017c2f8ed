#include "startup/Files.h"

#include "scansion/FileNames.h"
#include "scansion/RecordReader.h"

#include <QDir>
#include <QFile>

namespace corvale::startup {

namespace {

// Enough for the first four rows of any file the program can open: a row holds at most
// kMostPositions values. Most files are told by their first chunk.
constexpr qint64 kFirstRowsBytes = qint64{1} << 20;
constexpr qint64 kChunk = qint64{64} << 10;

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// The bytes hold four whole rows that are not blank: nothing further changes the kind.
bool HoldsFourRows(std::string_view bytes) {
    int rows = 0;
    for (std::size_t from = 0; rows < 4;) {
        const std::size_t lineFeed = bytes.find('\n', from);
        if (lineFeed == std::string_view::npos) {
            return false;
        }
        const std::string_view row = bytes.substr(from, lineFeed - from);
        if (row.find_first_not_of(" \t\r") != std::string_view::npos) {
            ++rows;
        }
        from = lineFeed + 1;
    }
    return true;
}

}  // namespace

FileKind KindOfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return FileKind::Unreadable;
    }
    QByteArray start;
    while (start.size() < kFirstRowsBytes && !HoldsFourRows(View(start))) {
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty()) {
            break;
        }
        start += chunk;
    }
    if (file.error() != QFileDevice::NoError) {
        return FileKind::Unreadable;
    }
    return BeginsWithRecord(View(start)) ? FileKind::Scansion : FileKind::Other;
}

std::optional<QString> NewestScansionFile(const QString& folder) {
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Time)) {
        // Kept corrections begin with records too (scansion/Journal.h names them).
        if (name.endsWith(QLatin1String(kMeterFileName)) ||
            name.contains(QLatin1String(kKeptCorrectionsMark))) {
            continue;
        }
        if (KindOfFile(dir.filePath(name)) == FileKind::Scansion) {
            return name;
        }
    }
    return std::nullopt;
}

}  // namespace corvale::startup
