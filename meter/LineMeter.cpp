#include "meter/LineMeter.h"

#include <cstddef>
#include <utility>

namespace corvale::meter {

Meters::Meters(std::vector<Meter> meters) : meters_(std::move(meters)) {
    if (meters_.empty()) {
        meters_.emplace_back();
    }
}

Meters Meters::OfRows(const std::vector<MeterFileRow>& rows) {
    std::vector<Meter> meters;
    meters.reserve(rows.size());
    for (const MeterFileRow& row : rows) {
        meters.emplace_back(row.line, row.symbols);
    }
    return Meters(std::move(meters));
}

const Meter& Meters::Number(std::int32_t number) const {
    return meters_[static_cast<std::size_t>(number) - 1];
}

bool FitsByLength(const Meter& meter, const ShownLine& line) {
    const auto shown = line.Syllables();
    const auto places = static_cast<std::size_t>(meter.Places());
    if (meter.IsEmpty() || shown.empty()) {
        return false;
    }
    return shown.size() == places || (shown.size() == places + 1 && !(shown.back().stress > 1.0)) ||
           (shown.size() + 1 == places && !meter.IsStrong(1));
}

std::int32_t LineMeter(const Meters& meters, const ShownLine& line) {
    if (meters.Count() == 1) {
        return 1;
    }
    std::int32_t chosen = 1;
    std::int32_t fewest = -1;
    for (std::int32_t number = 1; number <= meters.Count(); ++number) {
        const Meter& meter = meters.Number(number);
        if (!FitsByLength(meter, line)) {
            continue;
        }
        const std::int32_t flagged = JudgeLine(meter, line, Strictness::StressMaxima).offPlaces;
        if (fewest < 0 || flagged < fewest) {
            fewest = flagged;
            chosen = number;
        }
    }
    return chosen;
}

LineVerdict JudgeByItsMeter(const Meters& meters, const ShownLine& line, Strictness strictness,
                            std::vector<std::int32_t>* offColumns) {
    const std::int32_t number = LineMeter(meters, line);
    return {number, JudgeLine(meters.Number(number), line, strictness, offColumns)};
}

}  // namespace corvale::meter
