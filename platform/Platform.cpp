#include "platform/Platform.h"

#include "platform/TextCodec.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>

namespace corvale {

namespace {

// A name that the file system cannot be asked about at all.
bool IsUntestable(std::string_view name) {
    return name.find('\0') != std::string_view::npos;
}

// Qt has no call that has a file's data, or a folder's entries, reach the disk: these are
// fdatasync and fsync, tried again when a signal interrupts them.
bool Synced(int (*sync)(int), int descriptor) {
    int result = 0;
    do {
        result = sync(descriptor);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool SyncFolder(const QString& folder) {
    const int descriptor =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    const bool synced = Synced(::fsync, descriptor);
    ::close(descriptor);
    return synced;
}

// Every byte written through an unbuffered file, then on disk.
bool WriteAndSync(QFile& file, std::string_view bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    return file.write(bytes.data(), size) == size && file.flush() &&
           Synced(::fdatasync, file.handle());
}

}  // namespace

bool RenameWithoutReplacing(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
#endif
    if (::link(source.constData(), target.constData()) != 0) {
        return false;
    }
    if (::unlink(source.constData()) != 0) {
        ::unlink(target.constData());  // one name, the old one, as before the call
        return false;
    }
    return true;
}

namespace {

// Something stands under this path, even a link to nothing: a new file must not go there.
bool IsTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
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

Platform::Platform() = default;
Platform::~Platform() = default;

bool Platform::Hold(std::string_view name) {
    held_.reset();
    const std::optional<QString> path = PathInFolder(name);
    if (!path || writesNothing_) {
        return true;
    }
    held_ = std::make_unique<QLockFile>(*path);
    held_->setStaleLockTime(0);  // only a hold whose run has ended is stale, however old
    if (held_->tryLock(0)) {
        return true;
    }
    // A folder where no hold can be made (read-only, say) keeps no journal either; that is said
    // where the journal fails.
    const bool heldElsewhere = held_->error() == QLockFile::LockFailedError;
    held_.reset();
    return !heldElsewhere;
}

std::size_t Platform::AskChoice(const QString& /*text*/, const std::vector<QString>& answers) {
    return answers.empty() ? 0 : answers.size() - 1;
}

std::optional<QString> Platform::AskText(const QString& /*text*/, const QString& /*initial*/) {
    return std::nullopt;
}

bool Platform::MoveToFolder(const QString& /*folder*/, const QString& /*folderInTitle*/) {
    return false;
}

QString Platform::ChooseFileToRead(const QString& /*caption*/, const QString& /*filter*/,
                                   const QString& /*startFolder*/,
                                   const NameTest& /*firstFilterLeavesOut*/) {
    return {};
}

QString Platform::ChooseFileToWrite(const QString& /*caption*/, const QString& /*proposed*/) {
    return {};
}

Platform::FileChoice Platform::ChooseFileToWriteAs(const QString& /*caption*/,
                                                   const QStringList& /*proposed*/,
                                                   const QStringList& /*formats*/, int /*format*/) {
    return {};
}

void Platform::EndProgram() {
    ended_ = true;
    held_.reset();
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
    const FileBytes file{name, bytes};
    return ReplaceFiles(std::span<const FileBytes>(&file, 1));
}

bool Platform::ReplaceFiles(std::span<const FileBytes> files) {
    if (writesNothing_) {
        return true;
    }
    // A QSaveFile that is not committed removes its temporary file when it goes.
    std::vector<std::unique_ptr<QSaveFile>> saves;
    for (const FileBytes& file : files) {
        const std::optional<QString> path = PathInFolder(file.name);
        if (!path) {
            return false;
        }
        auto& save = saves.emplace_back(std::make_unique<QSaveFile>(*path));
        // Flushed here, so that every file's bytes reach the system before anything is renamed.
        if (!save->open(QIODevice::WriteOnly) || !WriteAll(*save, file.bytes) || !save->flush()) {
            return false;
        }
    }
    for (auto& save : saves) {
        if (!save->commit()) {
            return false;
        }
    }
    return true;
}

bool Platform::WriteAll(QIODevice& file, std::string_view bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    return file.write(bytes.data(), size) == size;
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

Platform::Occupant Platform::WhatIsAt(std::string_view name) const {
    const std::optional<QString> path = PathInFolder(name);
    if (!path) {
        return Occupant::Other;
    }
    const QFileInfo info(*path);
    if (!IsTaken(*path)) {
        return Occupant::Nothing;
    }
    return info.isFile() ? Occupant::OrdinaryFile : Occupant::Other;
}

bool Platform::AppendToFile(std::string_view name, std::string_view bytes) {
    if (writesNothing_) {
        return true;
    }
    const std::optional<QString> path = PathInFolder(name);
    if (!path) {
        return false;
    }
    QFile file(*path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        return false;
    }
    const qint64 before = file.size();
    if (WriteAndSync(file, bytes)) {
        return true;
    }
    file.resize(before);  // at best: a torn append must not stand before the next one
    return false;
}

bool Platform::SyncFolderOf(std::string_view name) {
    if (writesNothing_) {
        return true;
    }
    const std::optional<QString> path = PathInFolder(name);
    return path && SyncFolder(QFileInfo(*path).absolutePath());
}

bool Platform::RemoveFile(std::string_view name) {
    if (writesNothing_) {
        return true;
    }
    const std::optional<QString> path = PathInFolder(name);
    if (!path) {
        return false;
    }
    return QFile::remove(*path) || !IsTaken(*path);
}

std::optional<std::string> Platform::RenameToFreeName(std::string_view name,
                                                      std::span<const std::string> candidates) {
    const std::optional<QString> from = PathInFolder(name);
    if (!from || !QFileInfo(*from).isFile()) {
        return std::nullopt;
    }
    if (writesNothing_) {
        return FirstFree(candidates);
    }
    for (const std::string& candidate : candidates) {
        const std::optional<QString> to = PathInFolder(candidate);
        if (!to) {
            return std::nullopt;
        }
        if (RenameWithoutReplacing(*from, *to)) {
            return candidate;
        }
        if (!IsTaken(*to)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<std::string> Platform::CreateNewFile(std::span<const std::string> candidates,
                                                   std::string_view bytes) {
    if (writesNothing_) {
        return FirstFree(candidates);
    }
    for (const std::string& candidate : candidates) {
        const std::optional<QString> path = PathInFolder(candidate);
        if (!path) {
            return std::nullopt;
        }
        QFile file(*path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            if (IsTaken(*path)) {
                continue;
            }
            return std::nullopt;
        }
        if (WriteAndSync(file, bytes)) {
            return candidate;
        }
        file.close();
        file.remove();
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> Platform::FirstFree(std::span<const std::string> candidates) const {
    for (const std::string& candidate : candidates) {
        const std::optional<QString> path = PathInFolder(candidate);
        if (!path) {
            return std::nullopt;
        }
        if (!IsTaken(*path)) {
            return candidate;
        }
    }
    return std::nullopt;
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

QString NameForFormat(const QStringList& proposed, int from, int to, const QString& shownName) {
    const QString fromName = QFileInfo(proposed.value(from)).completeBaseName();
    const QString toName = QFileInfo(proposed.value(to)).fileName();
    return !fromName.isEmpty() && !toName.isEmpty() &&
                   QFileInfo(shownName).completeBaseName() == fromName
               ? toName
               : shownName;
}

}  // namespace corvale
