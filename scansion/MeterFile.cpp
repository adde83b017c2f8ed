#include "scansion/MeterFileName.h"
#include "scansion/MeterOfFile.h"
#include "scansion/Workspace.h"

namespace corvale {

namespace {

const char kStayed[] = "I have stayed with the file you are working on.";

}  // namespace

std::optional<std::string> Workspace::MeterFileFor(std::string_view scansionFileName) const {
    std::string own = OwnMeterFileName(scansionFileName);
    if (!scansionFileName.empty() && platform_.IsOrdinaryFile(own).value_or(false)) {
        return own;
    }
    if (platform_.IsOrdinaryFile(kMeterFileName).value_or(false)) {
        return std::string(kMeterFileName);
    }
    return std::nullopt;
}

Workspace::MeterRead Workspace::ReadMeterOfWorkingFile() {
    const bool switching = switchOrigin_.has_value();
    std::optional<std::string> name = MeterFileFor(WorkingFileName);
    if (!name) {
        const bool scansionFile =
            !WorkingFileName.empty() && platform_.IsOrdinaryFile(WorkingFileName).value_or(false);
        // Only a file to open needs a meter.
        if (!scansionFile && !switching) {
            return {MeterRow{}, false};
        }
        if (scansionFile && askForMeter_) {
            if (!askForMeter_(WorkingFileName)) {
                return {std::nullopt, true};
            }
            name = MeterFileFor(WorkingFileName);
        }
    }
    if (!name) {
        const QString message = NoMeterMessage(WorkingFileName, platform_.ProgramFolder());
        platform_.ShowMessage(switching ? message + QStringLiteral("  ") + QLatin1String(kStayed)
                                        : message);
        return {};
    }
    const std::optional<std::string> bytes = platform_.ReadWholeFile(*name);
    if (!bytes) {
        platform_.ShowMessage(
            QStringLiteral("I couldn't read the meter file %1.  Perhaps it is open in another "
                           "program.%2")
                .arg(DecodeFileName(*name),
                     switching ? QStringLiteral("  ") + QLatin1String(kStayed) : QString()));
        return {};
    }
    MeterFileRow read = ReadMeterRow(*bytes);
    return {MeterRow{std::move(read.line), read.symbols}, false};
}

bool Workspace::ReadMeterFile() {
    MeterRead read = ReadMeterOfWorkingFile();
    if (read.declined) {
        return false;
    }
    if (!read.row) {
        platform_.EndProgram();
    }
    MeterLine = std::move(read.row->line);
    NumberOfMeterSymbols = read.row->symbols;
    return true;
}

void Workspace::CloseFile() {
    WorkingFileName.clear();
    MaximumNumberOfSyllables = 0;
    LoadScansionFile();
    MeterLine.clear();
    NumberOfMeterSymbols = 0;
}

}  // namespace corvale
