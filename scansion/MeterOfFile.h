#pragma once

// What the program takes from a meter file, and which meter file a scansion file named by a path
// has, as the command line tools find it.

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvale {

// The meter a meter file holds: its first row, whose leading run of tab-separated fields that
// hold more than spaces are the meter's symbols. An empty file holds a meter of no symbols.
struct MeterFileRow {
    std::string line;  // without its line end
    std::int32_t symbols = 0;
};
MeterFileRow ReadMeterRow(std::string_view meterFileBytes);

// The meter of the scansion file at `scansionPath`: its own meter file (OwnMeterFileName) when
// that is an ordinary file, else "meter.txt" in the same folder when that is one.
struct MeterOfFile {
    QString meterFile;                // the meter file that applies; empty when there is none
    std::optional<MeterFileRow> row;  // nullopt when there is none, or it cannot be read
};
MeterOfFile FindMeterOf(const QString& scansionPath);

}  // namespace corvale
