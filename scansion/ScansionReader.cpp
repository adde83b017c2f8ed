// The two passes that load a scansion file into the store. The survey sizes the store (verse
// lines, syllable positions) and decides whether the file can be taken at all; it refuses a file
// through RefuseFile before it changes anything. LoadRecords fills the store record by record
// and reports a fault through EndOnBadFile. Either way the program ends before anything is
// written, so a damaged file is never saved over. RecordReader.h reads the bytes.

#include "scansion/Journal.h"
#include "scansion/RecordReader.h"
#include "scansion/Workspace.h"

#include <algorithm>
#include <optional>

namespace corvale {

namespace {

QString TooLargeMessage(const std::string& name) {
    return QStringLiteral("Caution:  your input file ") + DecodeFileName(name) +
           QStringLiteral(
               " is larger than 2 GB, more than Corvale can hold.  Please fix by hand before "
               "proceeding further.");
}

QString UnreadableMessage(const std::string& name) {
    return QStringLiteral("Caution:  your input file ") + DecodeFileName(name) +
           QStringLiteral(
               " exists but cannot be read.  Please check that it is a readable file, or fix by "
               "hand before proceeding further.");
}

QString MessageOf(const Refusal& refusal) {
    return QString::fromStdString(refusal.message);
}

// The whole file, or the message that refuses it.
struct FileRead {
    std::optional<std::string> bytes;
    QString refusal;
};

// The size is asked first, so a huge file is refused without reading a byte of it; the reading
// itself stops at the same limit, should the file grow meanwhile.
FileRead ReadScansionFile(const Platform& platform, const std::string& name) {
    const auto tooLarge = [&] {
        return platform.FileSize(name).value_or(0) > kLargestReadableFile;
    };
    if (tooLarge()) {
        return {std::nullopt, TooLargeMessage(name)};
    }
    std::optional<std::string> bytes = platform.ReadWholeFile(name);
    if (!bytes) {
        return {std::nullopt, tooLarge() ? TooLargeMessage(name) : UnreadableMessage(name)};
    }
    return {std::move(bytes), QString()};
}

}  // namespace

void Workspace::RefuseFile(const QString& message) {
    platform_.ShowMessage(message);
    if (!switchOrigin_) {
        platform_.EndProgram();
    }
    refused_ = true;
}

void Workspace::EndOnBadFile(const QString& message) {
    if (switchOrigin_) {
        // The next start opens the file that was open, instead of failing on this one at
        // every start until it is mended by hand.
        PutBackMemoryFile();
    }
    platform_.ShowMessage(message);
    platform_.EndProgram();
}

void Workspace::SurveyFile() {
    surveyed_ = SurveyedFile();  // an earlier load's file, if its records were never loaded
    if (!platform_.IsOrdinaryFile(WorkingFileName).value_or(false)) {
        NumberOfLines = 0;  // the memory file's cautions have already spoken
        return;
    }
    FileRead read = ReadScansionFile(platform_, WorkingFileName);
    if (!read.bytes) {
        RefuseFile(read.refusal);
        return;
    }
    std::string& bytes = *read.bytes;
    TabIndex index(bytes);
    const auto surveyed = SurveyRecords(bytes, index);
    if (const auto* refusal = std::get_if<Refusal>(&surveyed)) {
        RefuseFile(MessageOf(*refusal));
        return;
    }
    // The file is taken: only now does anything change.
    const RecordSurvey& survey = std::get<RecordSurvey>(surveyed);
    NumberOfLines = survey.verseLines;
    MaximumNumberOfSyllables = std::max(MaximumNumberOfSyllables, survey.positions);
    surveyed_ = SurveyedFile{WorkingFileName, std::move(bytes), std::move(index),
                             survey.encoding, survey.textBytes, survey.texts};
}

void Workspace::LoadRecords() {
    SurveyedFile file = std::move(surveyed_);
    surveyed_ = SurveyedFile();
    if (!platform_.IsOrdinaryFile(WorkingFileName).value_or(false)) {
        fileIdentity_.reset();
        return;  // an empty store
    }
    if (!file.index || file.name != WorkingFileName) {
        FileRead read = ReadScansionFile(platform_, WorkingFileName);
        if (!read.bytes) {
            EndOnBadFile(read.refusal);
            return;
        }
        file.bytes = std::move(*read.bytes);
        file.index.emplace(file.bytes);
        file.encoding = file.index->AllAscii() ? Encoding::Utf8 : DetectEncoding(file.bytes);
        file.textBytes = 0;
        file.texts = 0;
    }
    const std::string bytes = std::move(file.bytes);
    fileIdentity_ = IdentityOf(bytes);
    TextEncoding = file.encoding;
    store_.Reserve(file.textBytes, file.texts);
    RecordReader records(bytes, *file.index, NumberOfLines, TextEncoding);
    ScansionRecord record;
    while (records.Next(record)) {
        store_.SetRecord(record.verseLine, record.lineText, record.comment, record.values);
    }
    if (records.Fault()) {
        EndOnBadFile(MessageOf(*records.Fault()));
    }
}

}  // namespace corvale
