#include "scansion/Numbers.h"
#include "scansion/TabFields.h"
#include "scansion/Workspace.h"

namespace corvale {

namespace {

// The leading run of fields that hold more than spaces.
std::int32_t CountMeterSymbols(std::string_view meterLine) {
    std::int32_t count = 0;
    std::string_view rest = meterLine;
    while (!num::IsBlank(s::FirstField(rest))) {
        ++count;
        rest = s::RemoveFirstField(rest);
    }
    return count;
}

}  // namespace

void Workspace::ReadTheMeterFile() {
    std::optional<std::string> bytes;
    if (platform_.IsOrdinaryFile(kMeterFileName).value_or(false)) {
        bytes = platform_.ReadWholeFile(kMeterFileName);
    }
    if (!bytes) {
        platform_.ShowMessage(QStringLiteral(
            "I need a file with your meter in it.  It should be named meter.txt, be in the same "
            "folder as the program, and consist of the symbols of the meter (like S and W) "
            "separated by tabs.  Please add such a file before proceeding."));
        platform_.EndProgram();
    }
    // An empty file has no first row: the meter is then empty.
    RowCursor rows(*bytes);
    MeterLine = rows.AtEnd() ? std::string() : std::string(rows.Next());
    NumberOfMeterSymbols = CountMeterSymbols(MeterLine);
}

}  // namespace corvale
