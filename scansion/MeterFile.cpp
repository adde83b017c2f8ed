#include "scansion/MeterFileName.h"
#include "scansion/Numbers.h"
#include "scansion/TabFields.h"
#include "scansion/Workspace.h"

namespace corvale {

namespace {

const char kStayed[] = "I have stayed with the file you are working on.";

// The leading run of fields that hold more than spaces.
std::int32_t CountMeterSymbols(std::string_view meterLine) {
    std::int32_t count = 0;
    std::string_view rest = meterLine;
    while (!num::IsBlank(fields::FirstField(rest))) {
        ++count;
        rest = fields::RemoveFirstField(rest);
    }
    return count;
}

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
    // An empty file has no first row: the meter is then empty.
    RowCursor rows(*bytes);
    MeterRow row;
    row.line = rows.AtEnd() ? std::string() : std::string(rows.Next());
    row.symbols = CountMeterSymbols(row.line);
    return {std::move(row), false};
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
