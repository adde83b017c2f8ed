#include "platform/Platform.h"

#include "platform/TextCodec.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <array>

namespace corvale {

namespace {

// A name that the file system cannot be asked about at all.
bool IsUntestable(std::string_view name) {
    return name.find('\0') != std::string_view::npos;
}

// Qt reads a leading ":" as its resource marker; for a file name here it is an ordinary
// character, so only a root (or, where there are drives, a drive) makes a name absolute.
bool IsAbsolute(const QString& name) {
    return name.startsWith(QLatin1Char('/')) ||
           (QDir::isAbsolutePath(name) && !name.startsWith(QLatin1Char(':')));
}

bool LeavesFolder(const QString& name) {
    const QString plain = QDir::fromNativeSeparators(name);
    return IsAbsolute(plain) || plain.split(QLatin1Char('/')).contains(QStringLiteral(".."));
}

}  // namespace

void Platform::EndProgram() {
    ended_ = true;
    OnEnd();
    throw ProgramEnded{};
}

QString Platform::PathOf(std::string_view name) const {
    return ProgramFolder() + QLatin1Char('/') + DecodeFileName(name);
}

std::optional<QString> Platform::PathInFolder(std::string_view name) const {
    if (name.empty() || IsUntestable(name) || LeavesFolder(DecodeFileName(name))) {
        return std::nullopt;
    }
    return PathOf(name);
}

std::optional<bool> Platform::IsOrdinaryFile(std::string_view name) const {
    if (IsUntestable(name)) {
        return std::nullopt;
    }
    const std::optional<QString> path = PathInFolder(name);
    if (!path) {
        return false;
    }
    const QFileInfo info(*path);
    return info.exists() && info.isFile() && !info.isHidden();
}

std::optional<std::int64_t> Platform::FileSize(std::string_view name) const {
    const std::optional<QString> path = PathInFolder(name);
    if (!path) {
        return std::nullopt;
    }
    const QFileInfo info(*path);
    if (!info.isFile()) {
        return std::nullopt;
    }
    return info.size();
}

std::optional<std::string> Platform::ReadWholeFile(std::string_view name) const {
    return ReadAtMost(name, kLargestReadableFile);
}

std::optional<std::string> Platform::ReadAtMost(std::string_view name,
                                                std::int64_t mostBytes) const {
    const std::optional<QString> path = PathInFolder(name);
    if (!path) {
        return std::nullopt;
    }
    // Only an ordinary file: opening a FIFO would wait for a writer, and a device may never end.
    QFile file(*path);
    const QFileInfo info(file);
    if (!info.isFile() || info.size() > mostBytes ||
        !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return std::nullopt;
    }
    // Files can be tens of megabytes: reserve once and copy through a small buffer that
    // stays in cache, rather than zero-filling the whole result first.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(std::clamp<qint64>(file.size(), 0, mostBytes)));
    std::array<char, 64 * 1024> chunk;
    qint64 read = 0;
    while ((read = file.read(chunk.data(), static_cast<qint64>(chunk.size()))) > 0) {
        if (static_cast<std::int64_t>(bytes.size()) + read > mostBytes) {
            return std::nullopt;  // it grew past the limit while being read
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(read));
    }
    if (read < 0) {
        return std::nullopt;
    }
    return bytes;
}

bool Platform::ReplaceFile(std::string_view name, std::string_view bytes) {
    const std::optional<QString> path = PathInFolder(name);
    if (!path) {
        return false;
    }
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        file.cancelWriting();  // the temporary file goes with `file`; the old one stays
        return false;
    }
    return file.commit();
}

bool Platform::WriteRows(std::string_view name, const std::vector<std::string>& rows) {
    std::size_t size = 0;
    for (const auto& row : rows) {
        size += row.size() + 2;
    }
    std::string bytes;
    bytes.reserve(size);
    for (const auto& row : rows) {
        bytes += row;
        bytes += "\r\n";
    }
    return ReplaceFile(name, bytes);
}

std::string_view RowCursor::Next() {
    const std::size_t lineFeed = rest_.find('\n');
    std::string_view row = rest_.substr(0, lineFeed);
    if (lineFeed == std::string_view::npos) {
        rest_ = {};
        return row;
    }
    rest_.remove_prefix(lineFeed + 1);
    if (!row.empty() && row.back() == '\r') {
        row.remove_suffix(1);
    }
    return row;
}

QString DecodeFileName(std::string_view name) {
    return Decode(name, DetectEncoding(name));
}

std::string EncodeFileName(const QString& name) {
    return Encode(name, Encoding::Utf8);
}

}  // namespace corvale
