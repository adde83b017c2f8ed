#pragma once

#include "startup/MissingMeter.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace corvale {

// The first pass's meter choice over the stress values a scansion file holds: the meter asked
// for by "Find it from the stresses" (startup/MissingMeter.h).
std::optional<startup::FoundMeter> FindMeterFromStresses(
    const std::vector<std::vector<std::uint8_t>>& lines);

}  // namespace corvale
