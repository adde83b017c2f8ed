#include "platform/Platform.h"

#include "platform/TextCodec.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <memory>

namespace corvale {

namespace {

// A name that the file system cannot be asked about at all.
bool IsUntestable(std::string_view name) {
    return name.find('\0') != std::string_view::npos;
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

std::optional<bool> Platform::IsOrdinaryFile(std::string_view name) const {
    if (IsUntestable(name)) {
        return std::nullopt;
    }
    if (name.empty()) {
        return false;
    }
    const QFileInfo info(PathOf(name));
    return info.exists() && info.isFile() && !info.isHidden();
}

std::optional<std::string> Platform::ReadWholeFile(std::string_view name) const {
    if (IsUntestable(name) || name.empty()) {
        return std::nullopt;
    }
    QFile file(PathOf(name));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return std::nullopt;
    }
    // Files can be tens of megabytes: reserve once and copy through a small buffer that
    // stays in cache, rather than zero-filling the whole result first.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(std::max<qint64>(file.size(), 0)));
    std::array<char, 64 * 1024> chunk;
    qint64 read = 0;
    while ((read = file.read(chunk.data(), static_cast<qint64>(chunk.size()))) > 0) {
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
    // A QSaveFile that is not committed removes its temporary file when it goes.
    std::vector<std::unique_ptr<QSaveFile>> saves;
    for (const FileBytes& file : files) {
        if (IsUntestable(file.name) || file.name.empty()) {
            return false;
        }
        auto& save = saves.emplace_back(std::make_unique<QSaveFile>(PathOf(file.name)));
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
