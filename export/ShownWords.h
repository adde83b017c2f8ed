#pragma once

// The shown syllables of one verse line as both exports walk them.

#include "meter/MeterCheck.h"
#include "scansion/Store.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvale::exports {

struct ShownSyllable {
    std::int32_t column = 0;  // 1-based
    std::int32_t word = 0;    // 1-based, within the line
    bool stressed = false;
    bool endsWord = false;
    std::string_view syllable;  // the store's texts, valid until it changes
    std::string_view stress;
    std::string_view juncture;
};

// Verse line j's shown syllables in column order. `reading` is the meter rule's reading of a
// line, kept by the caller so that a walk over every line reuses its room.
void ReadShownSyllables(const Store& store, std::int32_t j, meter::ShownLine& reading,
                        std::vector<ShownSyllable>& syllables);

// "+" for each stressed syllable and "-" for each other, as TEI's `real` writes them.
std::string RealMarks(const std::vector<ShownSyllable>& syllables);

}  // namespace corvale::exports
