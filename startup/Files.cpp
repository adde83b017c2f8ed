#include "startup/Files.h"

#include "scansion/FileNames.h"
#include "scansion/OwnFiles.h"
#include "scansion/RecordReader.h"
#include "scansion/ScansionFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstring>

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

namespace {

// The scansion file beside a meter file "NAME.meter.txt" whose own meter it is: NAME.txt, else
// the first other NAME.EXT that is a scansion file.
std::optional<QString> ScansionFileOfMeter(const QFileInfo& meter) {
    const QString name = meter.fileName();
    const QString stem = name.chopped(static_cast<qsizetype>(std::strlen(kOwnMeterSuffix)));
    const QDir folder = meter.dir();
    QStringList candidates = {stem + QStringLiteral(".txt")};
    // Compared rather than matched as a pattern, which a name's brackets would disturb.
    for (const QString& other : folder.entryList(QDir::Files, QDir::Name)) {
        if (other.startsWith(stem + u'.') && other != name && other != candidates.front() &&
            !IsKeptCorrectionsName(other)) {
            candidates.append(other);
        }
    }
    for (const QString& candidate : candidates) {
        if (KindOfFile(folder.filePath(candidate)) == FileKind::Scansion) {
            return folder.filePath(candidate);
        }
    }
    return std::nullopt;
}

// A scansion file saved in a form the loader does not read: UTF-16 text, or rows that end in CR
// alone. The first pass would find its records and refuse to scan it, so it is told for what it
// is, with the mend, rather than offered to Scan a poem.
std::optional<QString> ScansionInAnotherForm(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const std::optional<std::string> mend = MendOfAnotherForm(View(file.read(kFirstRowsBytes)));
    if (!mend) {
        return std::nullopt;
    }
    return QStringLiteral(
               "%1 is a scansion file in a form Corvale does not read.  Save it %2, and "
               "open it again.")
        .arg(QFileInfo(path).fileName(), QString::fromStdString(*mend));
}

// The memory file keeps the working file's name on a row of its own: a line break in the name
// would shift every row after it.
bool FitsTheMemoryFile(const QString& name) {
    return !name.contains(u'\n') && !name.contains(u'\r');
}

QString KeptForItself(const QString& name, const std::string& what) {
    return QStringLiteral("%1 is %2, which Corvale keeps for itself: it is not a poem to scan.")
        .arg(name, QString::fromStdString(what));
}

QString KeptAside(const QString& name) {
    return QStringLiteral(
               "%1 holds corrections Corvale kept aside when it could not save them: it is not "
               "a file to open.  Compare it with the scansion file and copy over by hand what "
               "you want to keep.")
        .arg(name);
}

}  // namespace

Opening DecideOpening(const QString& path) {
    const QFileInfo file(path);
    if (!FitsTheMemoryFile(file.fileName())) {
        return {Opening::Action::Tell, path,
                QStringLiteral("A file whose name has a line break in it cannot be opened: "
                               "Corvale's memory file keeps the name on a row of its own.  "
                               "Rename it, and open it again.")};
    }
    const std::optional<OwnFile> own = CorvalesOwnFile(path);
    if (!own) {
        if (KindOfFile(path) != FileKind::Other) {
            return {Opening::Action::OpenScansion, path, {}};
        }
        if (const std::optional<QString> mend = ScansionInAnotherForm(path)) {
            return {Opening::Action::Tell, path, *mend};
        }
        return {Opening::Action::OfferScan, path, {}};
    }
    const QString name = file.fileName();
    if (own->kind == OwnFile::Kind::Scansion) {
        return IsKeptCorrectionsName(name) ? Opening{Opening::Action::Tell, path, KeptAside(name)}
                                           : Opening{Opening::Action::OpenScansion, path, {}};
    }
    if (name.endsWith(QLatin1String(kOwnMeterSuffix))) {
        if (const std::optional<QString> scansion = ScansionFileOfMeter(file)) {
            return {Opening::Action::OpenScansion, *scansion, {}};
        }
        return {Opening::Action::Tell, path,
                KeptForItself(name, own->what) +
                    QStringLiteral("  No scansion file beside it has it for its meter.")};
    }
    return {Opening::Action::Tell, path, KeptForItself(name, own->what)};
}

std::optional<QString> OwnFileNotAPoem(const QString& path) {
    const std::optional<OwnFile> own = CorvalesOwnFile(path);
    const QString name = QFileInfo(path).fileName();
    if (!own || (own->kind == OwnFile::Kind::Scansion && !IsKeptCorrectionsName(name))) {
        return std::nullopt;
    }
    return own->kind == OwnFile::Kind::Scansion ? KeptAside(name) : KeptForItself(name, own->what);
}

std::optional<QString> NewestScansionFile(const QString& folder) {
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Time)) {
        // Kept corrections begin with records too (scansion/Journal.h names them).
        if (name.endsWith(QLatin1String(kMeterFileName)) || IsKeptCorrectionsName(name) ||
            !FitsTheMemoryFile(name)) {
            continue;
        }
        if (KindOfFile(dir.filePath(name)) == FileKind::Scansion) {
            return name;
        }
    }
    return std::nullopt;
}

}  // namespace corvale::startup
