#include "startup/RecentFiles.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace corvale::startup {

namespace {

constexpr char kFileName[] = "recent-files.txt";
// A list of eight rows is far below this; anything larger is not the program's.
constexpr qint64 kLargestList = 64 * 1024;

QString ListPath(const QString& userFolder) {
    return QDir(userFolder).filePath(QLatin1String(kFileName));
}

}  // namespace

RecentFiles RecentFiles::Read(const QString& userFolder) {
    RecentFiles recent;
    QFile file(ListPath(userFolder));
    if (userFolder.isEmpty() || file.size() > kLargestList || !file.open(QIODevice::ReadOnly)) {
        return recent;
    }
    const QStringList rows = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& row : rows) {
        const qsizetype tab = row.indexOf(u'\t');
        bool isNumber = false;
        const int line = row.left(tab).toInt(&isNumber);
        QString path = row.mid(tab + 1);
        if (path.endsWith(u'\r')) {
            path.chop(1);
        }
        path = QDir::cleanPath(path);
        if (tab > 0 && isNumber && line >= 0 && QDir::isAbsolutePath(path) &&
            !recent.LineOf(path) && recent.entries_.size() < kMost) {
            recent.entries_.push_back({path, line});
        }
    }
    return recent;
}

bool RecentFiles::Write(const QString& userFolder) const {
    if (userFolder.isEmpty() || !QDir().mkpath(userFolder)) {
        return false;
    }
    QString text;
    for (const Entry& entry : entries_) {
        text += QStringLiteral("%1\t%2\n").arg(entry.line).arg(entry.path);
    }
    QSaveFile file(ListPath(userFolder));
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit();
}

void RecentFiles::Put(const QString& path, std::int32_t line) {
    // A row holds one path: a name with a row end in it is not kept.
    if (path.contains(u'\n') || path.contains(u'\r')) {
        return;
    }
    const QString clean = QDir::cleanPath(path);
    Remove(clean);
    entries_.insert(entries_.begin(), {clean, line});
    if (entries_.size() > kMost) {
        entries_.resize(kMost);
    }
}

void RecentFiles::Remove(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    std::erase_if(entries_, [&clean](const Entry& entry) { return entry.path == clean; });
}

std::optional<std::int32_t> RecentFiles::LineOf(const QString& path) const {
    const QString clean = QDir::cleanPath(path);
    const auto found = std::find_if(entries_.cbegin(), entries_.cend(),
                                    [&clean](const Entry& entry) { return entry.path == clean; });
    if (found == entries_.cend()) {
        return std::nullopt;
    }
    return found->line;
}

}  // namespace corvale::startup
