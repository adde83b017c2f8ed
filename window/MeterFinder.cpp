#include "window/MeterFinder.h"

#include "firstpass/MeterChoice.h"

#include <algorithm>

namespace corvale {

std::optional<startup::FoundMeter> FindMeterFromStresses(
    const std::vector<std::vector<std::uint8_t>>& lines) {
    if (std::all_of(lines.cbegin(), lines.cend(), [](const auto& line) { return line.empty(); })) {
        return std::nullopt;
    }
    std::vector<firstpass::LineReadings> readings;
    readings.reserve(lines.size());
    for (const std::vector<std::uint8_t>& line : lines) {
        readings.push_back({line});
    }
    const std::vector<std::size_t> found = firstpass::FindMeters(readings);
    const std::vector<firstpass::MeterCandidate>& candidates = firstpass::MeterCandidates();
    const firstpass::MeterCandidate& main = candidates[found.front()];
    startup::FoundMeter meters;
    for (const std::size_t index : found) {
        const firstpass::MeterCandidate& meter = candidates[index];
        meters.name += (meters.name.empty() ? "" : " + ") + firstpass::NameBeside(meter, main);
        meters.row += (meters.row.empty() ? "" : "\r\n") + firstpass::MeterRow(meter.strong);
    }
    return meters;
}

}  // namespace corvale
