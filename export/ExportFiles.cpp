#include "export/ExportFiles.h"

#include "platform/Platform.h"
#include "scansion/RecordReader.h"

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

std::variant<LoadedScansion, Refusal> LoadScansionFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return Refused("no such file");
    }
    if (!info.isFile()) {
        return Refused("not an ordinary file");
    }
    if (info.size() > kLargestReadableFile) {
        return Refused("larger than 2 GB, more than Corvale can hold");
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Refusal{"cannot be read: " + file.errorString().toStdString(), 0};
    }
    const QByteArray bytes = file.readAll();
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (file.error() != QFileDevice::NoError || bytes.size() > kLargestReadableFile) {
        return Refused("cannot be read whole");
    }
    if (!BeginsWithRecord(view)) {
        return Refused(
            "not a scansion file: its first rows are not a record of syllables, stress, juncture "
            "and comment");
    }
    ScansionRecords read = ReadScansionRecords(view);
    if (read.fault) {
        return std::move(*read.fault);
    }
    LoadedScansion loaded;
    loaded.encoding = read.survey.encoding;
    loaded.store.Redimension(read.survey.verseLines, read.survey.positions);
    loaded.store.Reserve(read.survey.textBytes, read.survey.texts);
    for (const ScansionRecord& record : read.records) {
        loaded.store.SetRecord(record.verseLine, record.lineText, record.comment, record.values);
    }
    return loaded;
}

QString WriteExportFile(const QString& path, std::string_view bytes, Replacing replacing) {
    return replacing == Replacing::Allowed ? ReplaceFile(path, bytes) : WriteNewFile(path, bytes);
}

}  // namespace corvale::exports
