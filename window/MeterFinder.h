#pragma once

#include "startup/MissingMeter.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace corvale {

// The first pass's choice of meters (firstpass::FindMeters, with the costs it scans with) over
// the stress values a scansion file holds: the meters asked for by "Find it from the stresses"
// (startup/MissingMeter.h), the main meter first. Each line weighs its values as they stand, its
// one reading.
std::optional<startup::FoundMeter> FindMeterFromStresses(
    const std::vector<std::vector<std::uint8_t>>& lines);

}  // namespace corvale
