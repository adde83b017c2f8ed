#include "window/MeterFinder.h"

#include "firstpass/MeterChoice.h"

#include <algorithm>

namespace corvale {

std::optional<startup::FoundMeter> FindMeterFromStresses(
    const std::vector<std::vector<std::uint8_t>>& lines) {
    if (std::all_of(lines.cbegin(), lines.cend(), [](const auto& line) { return line.empty(); })) {
        return std::nullopt;
    }
    const firstpass::MeterCandidate& chosen =
        firstpass::MeterCandidates()[firstpass::ChooseMeter(lines)];
    return startup::FoundMeter{chosen.name, firstpass::MeterRow(chosen.strong)};
}

}  // namespace corvale
