#include "scansion/ScansionFile.h"

#include "platform/FileAtPath.h"
#include "platform/Platform.h"
#include "scansion/RecordReader.h"
#include "scansion/TabScan.h"

#include <QByteArray>
#include <QStringDecoder>

#include <algorithm>
#include <string>
#include <utility>

namespace corvale {

namespace {

LoadRefusal Refused(LoadRefusal::Why why, std::string message = {}, std::int64_t row = 0) {
    return LoadRefusal{why, Refusal{std::move(message), row}};
}

// The whole file, or why it cannot be had, in the reader's words (platform/FileAtPath.h).
std::variant<std::string, LoadRefusal> ReadWhole(const QString& path) {
    std::variant<std::string, ReadFailure> read = ReadFileAtPath(path, kLargestReadableFile);
    const auto* failure = std::get_if<ReadFailure>(&read);
    if (failure == nullptr) {
        return std::move(std::get<std::string>(read));
    }
    using Read = ReadFailure::Why;
    const LoadRefusal::Why why = [&] {
        switch (failure->why) {
            case Read::NotNamed:
            case Read::Missing:
                return LoadRefusal::Why::NoSuchFile;
            case Read::Folder:
            case Read::NotOrdinary:
                return LoadRefusal::Why::NotAFile;
            case Read::TooLarge:
                return LoadRefusal::Why::TooLarge;
            case Read::System:
                break;
        }
        return LoadRefusal::Why::Unreadable;
    }();
    return Refused(why, failure->Reason());
}

}  // namespace

std::optional<std::string> MendOfAnotherForm(std::string_view firstBytes) {
    // The first rows of any scansion file lie well within this.
    const std::string_view first = firstBytes.substr(0, std::size_t{1} << 20);
    QByteArray start(first.data(), static_cast<qsizetype>(first.size()));
    std::string mends;
    if (start.startsWith("\xff\xfe") || start.startsWith("\xfe\xff")) {
        start = QString(QStringDecoder(QStringDecoder::Utf16)(start)).toUtf8();
        mends = "as UTF-8";
    }
    if (!start.contains('\n') && start.contains('\r')) {
        start.replace('\r', '\n');
        mends += (mends.empty() ? "" : " and ") + std::string("with LF or CR LF row ends");
    }
    if (mends.empty() ||
        !BeginsWithRecord({start.constData(), static_cast<std::size_t>(start.size())})) {
        return std::nullopt;
    }
    return mends;
}

std::variant<LoadedScansion, LoadRefusal> ReadScansionBytes(std::string_view bytes,
                                                            const LoadOptions& options) {
    if (options.mustBeginWithRecord && !BeginsWithRecord(bytes)) {
        if (const std::optional<std::string> mend = MendOfAnotherForm(bytes)) {
            return Refused(LoadRefusal::Why::InAnotherForm,
                           "a scansion file in a form Corvale does not read: save it " + *mend);
        }
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
