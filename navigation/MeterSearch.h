#pragma once

#include "meter/LineMeter.h"
#include "meter/MeterCheck.h"
#include "scansion/Store.h"

#include <cstdint>
#include <optional>
#include <vector>

// Finding the verse lines off the meter (meter/MeterCheck.h) in the store, each line judged
// against its own meter among the file's (meter/LineMeter.h). Only committed values are judged:
// an edit to the line on screen counts once it is committed.
namespace corvale::navigation {

// The first verse line after `row` that is off its meter, or none when no line further on is;
// the search never wraps around. From row 0 (or below) it starts at line 1. Under an empty main
// meter nothing is ever off.
std::optional<std::int32_t> NextLineOffTheMeter(const Store& store, const meter::Meters& meters,
                                                meter::Strictness strictness, std::int32_t row);
// The same backwards: the last verse line before `row` that is off its meter. From beyond the
// last verse line it starts at the last one.
std::optional<std::int32_t> PreviousLineOffTheMeter(const Store& store, const meter::Meters& meters,
                                                    meter::Strictness strictness, std::int32_t row);

// Every row's meter and verdict, at its row's index (0..NumberOfLines); row 0, no verse line, is
// never judged, and under an empty main meter no row is.
std::vector<meter::LineVerdict> JudgeEveryLine(const Store& store, const meter::Meters& meters,
                                               meter::Strictness strictness);

}  // namespace corvale::navigation
