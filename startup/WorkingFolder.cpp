#include "startup/WorkingFolder.h"

#include "platform/TextCodec.h"
#include "scansion/FileNames.h"
#include "startup/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace corvale::startup {

namespace {

QString Absolute(const QString& path) {
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

// The same folder, reached through links or not.
bool SameFolder(const QString& a, const QString& b) {
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    const QString canonicalB = QFileInfo(b).canonicalFilePath();
    if (canonicalA.isEmpty() || canonicalB.isEmpty()) {
        return Absolute(a) == Absolute(b);
    }
    return canonicalA == canonicalB;
}

// Why nothing is found at `path`: nothing is there, or the way to it is barred (a folder this
// user may not enter, a loop of links). What was meant, a folder or a file, cannot be told.
QString WhyNotThere(const QString& path) {
    struct stat status {};
    if (::stat(PathBytes(path).c_str(), &status) != 0 && errno != ENOENT && errno != ENOTDIR) {
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    return QStringLiteral("there is no such file or folder");
}

FolderRefused Refusal(const QString& folder, const QString& reason) {
    return {QStringLiteral("corvale: cannot work in \"%1\": %2").arg(folder, reason)};
}

WorkingFolder Chosen(const QString& path, const FolderPlaces& places) {
    return {path, NameInTitle(path, places.executableFolder, places.home), {}, {}};
}

std::variant<WorkingFolder, FolderRefused> NamedFolder(const QString& argument,
                                                       const FolderPlaces& places) {
    if (argument.isEmpty()) {
        return Refusal(argument, QStringLiteral("no folder is named"));
    }
    const QString path = Absolute(argument);
    const QFileInfo info(path);
    if (!info.exists()) {
        return Refusal(argument, WhyNotThere(path));
    }
    if (info.isFile()) {
        // A meter file opens its scansion file; the window tells what any other file of
        // Corvale's own is, and offers a poem to Scan a poem.
        const Opening opening = DecideOpening(path);
        const bool poem = opening.action != Opening::Action::OpenScansion;
        const QFileInfo opened(opening.path);
        // A poem is only read; a scansion file is worked on, and hidden ones never are.
        if (!poem && IsHiddenName(opened.fileName())) {
            return Refusal(argument, QStringLiteral("Corvale opens no hidden file"));
        }
        WorkingFolder chosen = Chosen(opened.absolutePath(), places);
        chosen.file = StartFile{opened.fileName(), poem};
        return chosen;
    }
    if (!info.isDir()) {
        return Refusal(argument, QStringLiteral("it is neither a folder nor a file"));
    }
    // A folder that cannot be listed would look empty, and nothing could be saved in it.
    if (::access(PathBytes(path).c_str(), R_OK | X_OK) != 0) {
        return Refusal(argument, QString::fromLocal8Bit(std::strerror(errno)));
    }
    return Chosen(path, places);
}

// A folder that has no memory file has not been worked in: it receives the sample's files,
// each only where its name is free.
std::vector<QString> StartWithSample(const QString& folder, const QString& sampleFolder) {
    if (QFileInfo(QDir(folder).filePath(QString::fromLatin1(kMemoryFileName))).exists()) {
        return {};
    }
    const QDir sample(sampleFolder);
    const QStringList names = sample.entryList(QDir::Files, QDir::Name);
    if (names.isEmpty()) {
        return {QStringLiteral("corvale: no sample poem found in \"%1\"").arg(sampleFolder)};
    }
    std::vector<QString> warnings;
    for (const QString& name : names) {
        const QString target = QDir(folder).filePath(name);
        const QFileInfo existing(target);
        if (existing.exists() || existing.isSymLink()) {
            continue;
        }
        // QFile::copy never replaces a file that exists.
        if (!QFile::copy(sample.filePath(name), target)) {
            warnings.push_back(
                QStringLiteral("corvale: could not copy the sample \"%1\" into \"%2\"")
                    .arg(name, folder));
        }
    }
    return warnings;
}

std::variant<WorkingFolder, FolderRefused> HomeFolder(const FolderPlaces& places) {
    const QString path =
        QDir::cleanPath(places.home + QLatin1Char('/') + QLatin1String(kHomeFolderName));
    const QFileInfo info(path);
    if (info.exists() && !info.isDir()) {
        return Refusal(path, QStringLiteral("it is not a folder"));
    }
    if (!info.exists() && !QDir().mkdir(path)) {
        return Refusal(path, QStringLiteral("it could not be created"));
    }
    WorkingFolder chosen = Chosen(path, places);
    chosen.warnings = StartWithSample(path, places.sampleFolder);
    return chosen;
}

}  // namespace

std::variant<WorkingFolder, FolderRefused> ChooseWorkingFolder(
    const std::optional<QString>& argument, const FolderPlaces& places) {
    if (argument) {
        return NamedFolder(*argument, places);
    }
    if (SameFolder(places.executableFolder, places.installFolder)) {
        return HomeFolder(places);
    }
    return Chosen(Absolute(places.executableFolder), places);
}

QString ShownName(const QString& path, const QString& home) {
    const QString cleanHome = QDir::cleanPath(home);
    if (cleanHome.isEmpty() || cleanHome == QLatin1String("/")) {
        return path;
    }
    if (path == cleanHome) {
        return QStringLiteral("~");
    }
    if (path.startsWith(cleanHome + QLatin1Char('/'))) {
        return QLatin1Char('~') + path.mid(cleanHome.size());
    }
    return path;
}

QString NameInTitle(const QString& folder, const QString& executableFolder, const QString& home) {
    return SameFolder(folder, executableFolder) ? QString() : ShownName(folder, home);
}

namespace {

std::optional<QString> RelativeName(const QString& folder, const QString& file) {
    const QString relative = QDir(folder).relativeFilePath(file);
    if (relative.isEmpty() || relative == u".." || relative.startsWith(u"../") ||
        QDir::isAbsolutePath(relative)) {
        return std::nullopt;
    }
    return relative;
}

}  // namespace

std::optional<QString> NameInFolder(const QString& folder, const QString& path) {
    const QString absolute = QDir::cleanPath(QDir(folder).absoluteFilePath(path));
    if (std::optional<QString> name = RelativeName(folder, absolute)) {
        return name;
    }
    // The path may reach the folder another way, through a link.
    const QFileInfo file(absolute);
    const QString parent = QFileInfo(file.absolutePath()).canonicalFilePath();
    const QString base = QFileInfo(folder).canonicalFilePath();
    if (parent.isEmpty() || base.isEmpty()) {
        return std::nullopt;
    }
    return RelativeName(base, parent + u'/' + file.fileName());
}

bool IsHiddenName(const QString& name) {
    const QStringList parts = name.split(u'/');
    return std::any_of(parts.cbegin(), parts.cend(),
                       [](const QString& part) { return part.startsWith(u'.'); });
}

}  // namespace corvale::startup
