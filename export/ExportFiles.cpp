#include "export/ExportFiles.h"

#include "platform/Platform.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <optional>

namespace corvale::exports {

namespace {

Refusal Refused(const char* message) {
    return Refusal{message, 0};
}

// The temporary name a new export is written under before it is put in place.
std::optional<QString> CreateTemporaryBeside(const QString& path, QFile& file) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        file.setFileName(QStringLiteral("%1.%2.part")
                             .arg(path)
                             .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0')));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            return file.fileName();
        }
        if (!file.exists()) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

QString WriteNewFile(const QString& path, std::string_view bytes) {
    QFile file;
    const std::optional<QString> temporary = CreateTemporaryBeside(path, file);
    if (!temporary) {
        return file.errorString();
    }
    const auto size = static_cast<qint64>(bytes.size());
    const bool written = file.write(bytes.data(), size) == size && file.flush();
    const QString error = file.errorString();
    file.close();
    if (written && RenameWithoutReplacing(*temporary, path)) {
        return {};
    }
    QFile::remove(*temporary);
    if (!written) {
        return error;
    }
    const QFileInfo target(path);
    return target.exists() || target.isSymLink() ? QStringLiteral("it exists")
                                                 : QStringLiteral("it cannot be put in place");
}

QString ReplaceFile(const QString& path, std::string_view bytes) {
    QSaveFile file(path);
    const auto size = static_cast<qint64>(bytes.size());
    if (file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size &&
        file.commit()) {
        return {};
    }
    return file.errorString();
}

}  // namespace

Refusal ExportRefusal(const LoadRefusal& refused) {
    using Why = LoadRefusal::Why;
    switch (refused.why) {
        case Why::NoSuchFile:
            return Refused("no such file");
        case Why::NotAFile:
            return Refused("not an ordinary file");
        case Why::TooLarge:
            return Refused("larger than 2 GB, more than Corvale can hold");
        case Why::Unreadable:
            return Refusal{"cannot be read: " + refused.refusal.message, 0};
        case Why::NotScansion:
            return Refused(
                "not a scansion file: its first rows are not a record of syllables, stress, "
                "juncture and comment");
        case Why::NotTaken:
        case Why::BadRecord:
            break;
    }
    return refused.refusal;
}

QString WriteExportFile(const QString& path, std::string_view bytes, Replacing replacing) {
    return replacing == Replacing::Allowed ? ReplaceFile(path, bytes) : WriteNewFile(path, bytes);
}

}  // namespace corvale::exports
