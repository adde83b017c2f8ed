#include "scansion/ScansionFile.h"

#include "platform/Platform.h"
#include "scansion/RecordReader.h"
#include "scansion/TabScan.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <string>
#include <utility>

namespace corvale {

namespace {

LoadRefusal Refused(LoadRefusal::Why why, std::string message = {}, std::int64_t row = 0) {
    return LoadRefusal{why, Refusal{std::move(message), row}};
}

// The whole file, or why it cannot be had. The size is asked first, so a huge file is refused
// without reading a byte of it; the reading stops at the same limit, should the file grow.
std::variant<std::string, LoadRefusal> ReadWhole(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return Refused(LoadRefusal::Why::NoSuchFile);
    }
    if (!info.isFile()) {
        return Refused(LoadRefusal::Why::NotAFile);
    }
    if (info.size() > kLargestReadableFile) {
        return Refused(LoadRefusal::Why::TooLarge);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Refused(LoadRefusal::Why::Unreadable, file.errorString().toStdString());
    }
    const QByteArray bytes = file.read(kLargestReadableFile + 1);
    if (file.error() != QFileDevice::NoError) {
        return Refused(LoadRefusal::Why::Unreadable, file.errorString().toStdString());
    }
    if (bytes.size() > kLargestReadableFile) {
        return Refused(LoadRefusal::Why::TooLarge);
    }
    return bytes.toStdString();
}

}  // namespace

std::variant<LoadedScansion, LoadRefusal> ReadScansionBytes(std::string_view bytes,
                                                            const LoadOptions& options) {
    if (options.mustBeginWithRecord && !BeginsWithRecord(bytes)) {
        return Refused(LoadRefusal::Why::NotScansion);
    }
    const TabIndex index(bytes);
    const auto surveyed = SurveyRecords(bytes, index);
    if (const auto* refusal = std::get_if<Refusal>(&surveyed)) {
        return LoadRefusal{LoadRefusal::Why::NotTaken, *refusal};
    }
    const RecordSurvey& survey = std::get<RecordSurvey>(surveyed);
    LoadedScansion file;
    file.encoding = survey.encoding;
    file.positions = survey.positions;
    file.store.Redimension(survey.verseLines, std::max(options.leastPositions, survey.positions));
    file.store.Reserve(survey.textBytes, survey.texts);
    RecordReader records(bytes, index, survey.verseLines, survey.encoding);
    ScansionRecord record;
    while (records.Next(record)) {
        file.store.SetRecord(record.verseLine, record.lineText, record.comment, record.values);
        file.records = record.verseLine;
    }
    if (records.Fault()) {
        return LoadRefusal{LoadRefusal::Why::BadRecord, *records.Fault()};
    }
    file.identity = IdentityOf(bytes);
    return file;
}

std::variant<LoadedScansion, LoadRefusal> LoadScansionFile(const QString& path,
                                                           const LoadOptions& options) {
    const auto read = ReadWhole(path);
    if (const auto* refusal = std::get_if<LoadRefusal>(&read)) {
        return *refusal;
    }
    auto loaded = ReadScansionBytes(std::get<std::string>(read), options);
    if (auto* file = std::get_if<LoadedScansion>(&loaded)) {
        file->meter = ReadMeterOf(path, options.workingFolder);
    }
    return loaded;
}

}  // namespace corvale
