#include "export/ExportFiles.h"

#include "platform/Platform.h"
#include "scansion/RecordReader.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace corvale::exports {

namespace {

Refusal Refused(const char* message) {
    return Refusal{message, 0};
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

}  // namespace corvale::exports
