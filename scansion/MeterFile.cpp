#include "scansion/MeterFileName.h"
#include "scansion/Numbers.h"
#include "scansion/TabFields.h"
#include "scansion/Workspace.h"

namespace corvale {

namespace {

const char kNoMeterAtStart[] =
    "I need a file with your meter in it.  It should be named meter.txt, be in the same folder "
    "as the program, and consist of the symbols of the meter (like S and W) separated by tabs.  "
    "Please add such a file before proceeding.";
const char kStayed[] = "I have stayed with the file you are working on.";

QString NoMeterForSwitch(const std::string& scansionFileName) {
    return QStringLiteral(
               "There is no meter for %1.  I need %2 beside it, or meter.txt in the same folder "
               "as the program, holding the symbols of the meter (like S and W) separated by "
               "tabs.  %3")
        .arg(DecodeFileName(scansionFileName), DecodeFileName(OwnMeterFileName(scansionFileName)),
             QLatin1String(kStayed));
}

}  // namespace

MeterRow MeterRowOf(std::string_view meterFileBytes) {
    RowCursor rows(meterFileBytes);
    MeterRow row;
    row.line = rows.AtEnd() ? std::string() : std::string(rows.Next());
    std::string_view rest = row.line;
    while (!num::IsBlank(fields::FirstField(rest))) {
        ++row.symbols;
        rest = fields::RemoveFirstField(rest);
    }
    return row;
}

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

std::optional<MeterRow> Workspace::ReadMeterOfWorkingFile() {
    const bool switching = switchOrigin_.has_value();
    const std::optional<std::string> name = MeterFileFor(WorkingFileName);
    if (!name) {
        platform_.ShowMessage(switching ? NoMeterForSwitch(WorkingFileName)
                                        : QString::fromLatin1(kNoMeterAtStart));
        return std::nullopt;
    }
    const std::optional<std::string> bytes = platform_.ReadWholeFile(*name);
    if (!bytes) {
        platform_.ShowMessage(
            QStringLiteral("I couldn't read the meter file %1.  Perhaps it is open in another "
                           "program.%2")
                .arg(DecodeFileName(*name),
                     switching ? QStringLiteral("  ") + QLatin1String(kStayed) : QString()));
        return std::nullopt;
    }
    return MeterRowOf(*bytes);
}

void Workspace::ReadMeterFile() {
    std::optional<MeterRow> row = ReadMeterOfWorkingFile();
    if (!row) {
        platform_.EndProgram();
    }
    MeterLine = std::move(row->line);
    NumberOfMeterSymbols = row->symbols;
}

}  // namespace corvale
