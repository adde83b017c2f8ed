#include "export/ExportFiles.h"

#include "platform/FileAtPath.h"
#include "platform/Platform.h"
#include "scansion/RecordReader.h"

#include <optional>

namespace corvale::exports {

namespace {

Refusal Refused(const char* message) {
    return Refusal{message, 0};
}

}  // namespace

std::variant<LoadedScansion, Refusal> LoadScansionFile(const QString& path) {
    // Named by its bytes as given, and never waiting on a FIFO.
    const std::variant<std::string, ReadFailure> read = ReadFileAtPath(path, kLargestReadableFile);
    if (const auto* failure = std::get_if<ReadFailure>(&read)) {
        return Refusal{"cannot be read: " + failure->Reason(), 0};
    }
    const std::string_view view = std::get<std::string>(read);
    if (!BeginsWithRecord(view)) {
        return Refused(
            "not a scansion file: its first rows are not a record of syllables, stress, juncture "
            "and comment");
    }
    ScansionRecords records = ReadScansionRecords(view);
    if (records.fault) {
        return std::move(*records.fault);
    }
    LoadedScansion loaded;
    loaded.encoding = records.survey.encoding;
    loaded.store.Redimension(records.survey.verseLines, records.survey.positions);
    loaded.store.Reserve(records.survey.textBytes, records.survey.texts);
    for (const ScansionRecord& record : records.records) {
        loaded.store.SetRecord(record.verseLine, record.lineText, record.comment, record.values);
    }
    return loaded;
}

}  // namespace corvale::exports
