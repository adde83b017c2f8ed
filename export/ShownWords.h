#pragma once

// The shown syllables of one verse line as the exports walk them.

#include "export/Export.h"
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

// A verse line as the exports walk it: its number, the meter rule's reading of it, its shown
// syllables, and the number and places of the meter it is measured against.
struct WalkedLine {
    std::int32_t number;
    const meter::ShownLine& reading;
    const std::vector<ShownSyllable>& syllables;
    std::int32_t meterNumber;
    const ExportMeter& meter;
};

// Calls visit(const WalkedLine&) for each verse line of the source, in order, reusing the room
// of one line for the next.
template <typename Visit>
void ForEachVerseLine(const Source& source, Visit&& visit) {
    const LineMeters meters(source);
    meter::ShownLine reading;
    std::vector<ShownSyllable> syllables;
    for (std::int32_t j = 1; j <= source.store.NumberOfLines(); ++j) {
        ReadShownSyllables(source.store, j, reading, syllables);
        const std::int32_t number = meters.NumberOf(reading);
        visit(WalkedLine{j, reading, syllables, number, meters.Meter(number)});
    }
}

// "+" for each stressed syllable and "-" for each other, as TEI's `real` writes them.
std::string RealMarks(const std::vector<ShownSyllable>& syllables);

}  // namespace corvale::exports
