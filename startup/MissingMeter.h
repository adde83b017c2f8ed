#pragma once

// A scansion file with no meter anywhere. A box offers three answers: find the meter from the
// file's stresses as they stand (the answer shown to confirm), type it as W and S symbols (several
// meters separated by ";"), or cancel, which leaves the file closed. The meter is written to the
// file's own meter file only once the user has confirmed it. Every box goes through the Platform,
// so a start-up check with nobody to answer ends at the first.

#include "platform/Platform.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvale::startup {

struct FoundMeter {
    std::string name;  // "iambic pentameter", ...
    std::string row;   // the meter file's rows: W and S separated by tabs, the rows by CR LF
};
// The meters that fit these lines best, given each line's stress values in order (a value above
// 1 is stressed); nullopt when no line has a syllable.
using MeterFinder =
    std::function<std::optional<FoundMeter>(const std::vector<std::vector<std::uint8_t>>&)>;

// Asks about the scansion file `name` (in the program's folder) until the user gives a meter or
// cancels. True once the file's own meter file holds the meter given.
bool AskForMeter(Platform& platform, const std::string& name, const MeterFinder& find);

}  // namespace corvale::startup
