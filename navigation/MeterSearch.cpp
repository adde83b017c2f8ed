#include "navigation/MeterSearch.h"

#include <algorithm>
#include <cstddef>

namespace corvale::navigation {

namespace {

// Lines first, first + step, ... up to and including last, judged with one reused line.
std::optional<std::int32_t> FirstLineOff(const Store& store, const meter::Meters& meters,
                                         meter::Strictness strictness, std::int32_t first,
                                         std::int32_t last, std::int32_t step) {
    if (meters.Main().IsEmpty()) {
        return std::nullopt;
    }
    meter::ShownLine line;
    for (std::int32_t j = first; step > 0 ? j <= last : j >= last; j += step) {
        line.Read(store, j);
        if (meter::JudgeByItsMeter(meters, line, strictness).verdict.IsOff()) {
            return j;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::int32_t> NextLineOffTheMeter(const Store& store, const meter::Meters& meters,
                                                meter::Strictness strictness, std::int32_t row) {
    const std::int32_t lines = store.NumberOfLines();
    return FirstLineOff(store, meters, strictness, std::clamp(row, 0, lines) + 1, lines, 1);
}

std::optional<std::int32_t> PreviousLineOffTheMeter(const Store& store, const meter::Meters& meters,
                                                    meter::Strictness strictness,
                                                    std::int32_t row) {
    const std::int32_t lines = store.NumberOfLines();
    return FirstLineOff(store, meters, strictness, std::clamp(row, 1, lines + 1) - 1, 1, -1);
}

std::vector<meter::LineVerdict> JudgeEveryLine(const Store& store, const meter::Meters& meters,
                                               meter::Strictness strictness) {
    const std::int32_t lines = store.NumberOfLines();
    std::vector<meter::LineVerdict> verdicts(static_cast<std::size_t>(lines) + 1);
    if (meters.Main().IsEmpty()) {
        return verdicts;
    }
    meter::ShownLine line;
    for (std::int32_t j = 1; j <= lines; ++j) {
        line.Read(store, j);
        verdicts[static_cast<std::size_t>(j)] = meter::JudgeByItsMeter(meters, line, strictness);
    }
    return verdicts;
}

}  // namespace corvale::navigation
