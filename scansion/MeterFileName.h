#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvale {

// The meter file of a scansion file's own: "NAME.EXT" gives "NAME.meter.txt" in the same
// folder ("poems/ode.txt" gives "poems/ode.meter.txt"; a name without an extension, or a
// hidden one like ".ode", just gains ".meter.txt"). Names are bytes as the program holds them.
std::string OwnMeterFileName(std::string_view scansionFileName);

// A meter file's meter: its first row, and its symbols, the leading run of the row's tab-separated
// fields that hold more than spaces. An empty file has no first row and holds the empty meter.
struct MeterRow {
    std::string line;
    std::int32_t symbols = 0;
};
MeterRow MeterRowOf(std::string_view meterFileBytes);

}  // namespace corvale
