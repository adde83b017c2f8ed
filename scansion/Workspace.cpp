// Loading the working file and its meter, and committing the line on screen.

#include "scansion/Workspace.h"

#include "platform/FileAtPath.h"
#include "scansion/FileNames.h"
#include "scansion/ScansionFile.h"

#include <QDir>

#include <utility>

namespace corvale {

namespace {

const char kStayed[] = "I have stayed with the file you are working on.";

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

// Why a file the platform could not read cannot be read, as the system tells it now.
QString WhyUnreadable(const QString& path) {
    const auto read = ReadFileBeginning(path, 1);
    const auto* failure = std::get_if<ReadFailure>(&read);
    return failure != nullptr ? QString::fromStdString(failure->Reason())
                              : QStringLiteral("it could not be read whole");
}

QString MessageOf(const Refusal& refusal) {
    return QString::fromStdString(refusal.message);
}

}  // namespace

void Workspace::RefuseFile(const QString& message) {
    platform_.ShowMessage(message);
    if (!switchOrigin_) {
        platform_.EndProgram();
    }
}

void Workspace::EndOnBadFile(const QString& message) {
    if (switchOrigin_) {
        PutBackMemoryFile();
    }
    platform_.ShowMessage(message);
    platform_.EndProgram();
}

// The file is read through the platform, its size asked first, so a huge file is refused
// without reading a byte of it; the reading stops at the same limit, should the file grow.
bool Workspace::LoadWorkingFile() {
    const std::string name = settings_.WorkingFileName();
    if (!platform_.IsOrdinaryFile(name).value_or(false)) {
        document_.TakeNoFile(name);  // the memory file's cautions have already spoken
        return true;
    }
    const auto tooLarge = [&] {
        return platform_.FileSize(name).value_or(0) > kLargestReadableFile;
    };
    if (tooLarge()) {
        RefuseFile(TooLargeMessage(name));
        return false;
    }
    const std::optional<std::string> bytes = platform_.ReadWholeFile(name);
    if (!bytes) {
        RefuseFile(tooLarge() ? TooLargeMessage(name) : UnreadableMessage(name));
        return false;
    }
    LoadOptions options;
    // A file of another kind is told by what the survey finds wrong with it.
    options.mustBeginWithRecord = false;
    options.leastPositions = document_.Positions();
    auto loaded = ReadScansionBytes(*bytes, options);
    if (const auto* refused = std::get_if<LoadRefusal>(&loaded)) {
        if (refused->why == LoadRefusal::Why::BadRecord) {
            EndOnBadFile(MessageOf(refused->refusal));
        }
        RefuseFile(MessageOf(refused->refusal));
        return false;
    }
    document_.Take(name, std::move(std::get<LoadedScansion>(loaded)));
    return true;
}

// The window asks about files through the platform, by their names in the working folder.
Workspace::MeterFound Workspace::FindMeter() const {
    const QDir folder(platform_.ProgramFolder());
    const QString path = platform_.PathInFolder(settings_.WorkingFileName()).value_or(QString());
    for (const QString& candidate : MeterFileCandidates(path, folder.path())) {
        const std::string name = EncodeFileName(folder.relativeFilePath(candidate));
        if (platform_.IsOrdinaryFile(name).value_or(false)) {
            return {name};
        }
    }
    return {};
}

Workspace::MeterRead Workspace::ReadMeterOfWorkingFile() {
    const bool switching = switchOrigin_.has_value();
    const std::string& name = settings_.WorkingFileName();
    MeterFound meter = FindMeter();
    if (!meter.name) {
        const bool scansionFile = platform_.IsOrdinaryFile(name).value_or(false);
        // Only a file to open needs a meter.
        if (!scansionFile && !switching) {
            return {std::vector<MeterFileRow>(1), false};
        }
        if (scansionFile && askForMeter_) {
            if (!askForMeter_(name)) {
                return {std::nullopt, true};
            }
            meter = FindMeter();
        }
    }
    const QString stayed = switching ? QStringLiteral("  ") + QLatin1String(kStayed) : QString();
    if (!meter.name) {
        platform_.ShowMessage(NoMeterMessage(name, platform_.ProgramFolder()) + stayed);
        return {};
    }
    const std::optional<std::string> bytes = platform_.ReadWholeFile(*meter.name);
    if (!bytes) {
        platform_.ShowMessage(QStringLiteral("I couldn't read the meter file %1: %2.%3")
                                  .arg(DecodeFileName(*meter.name),
                                       WhyUnreadable(platform_.PathOf(*meter.name)), stayed));
        return {};
    }
    return {ReadMeterRows(*bytes).meters, false};
}

bool Workspace::ReadMeterFile() {
    MeterRead read = ReadMeterOfWorkingFile();
    if (read.declined) {
        return false;
    }
    if (!read.meters) {
        platform_.EndProgram();
    }
    document_.SetMeters(std::move(*read.meters));
    return true;
}

void Workspace::CloseFile() {
    settings_.SetWorkingFileName({});
    document_.Close();
}

bool Workspace::CommitLine(const LineValues& values, std::string_view comment) {
    const std::int32_t j = currentLine_;
    return document_.Commit(j, values, comment, j < document_.NumberOfLines() ? j + 1 : j);
}

}  // namespace corvale
