#pragma once

#include "scansion/Store.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Whether a verse line keeps to the poem's meter: the one rule behind the cues under the meter
// symbols, the line's status, the jumps to lines off the meter and the overview of all lines.
// Free of widgets; texts are bytes as the store holds them.
//
// Columns are judged by their number: column i stands in place i of the meter. A column is shown
// when its syllable is not blank. A shown column within the meter is a strong place when its
// symbol, trimmed, is "S" or "s", a weak place otherwise. A syllable is stressed when the numeric
// value of its stress is above 1. A column is off the meter when a stressed syllable stands in a
// weak place and, by default, is also a stress maximum: above both its neighbours, the nearest
// shown syllables on either side, so the first and last syllables never are. A line is off the
// meter when a column is, or when it shows more or fewer syllables than the meter has places.
namespace corvale::meter {

enum class Strictness {
    StressMaxima,  // the default: only stress maxima in weak places
    EveryStress,   // every stressed syllable in a weak place, first and last included
};

// A meter symbol of a strong place: "S" or "s", spaces around allowed. The window shows it
// bold.
bool IsStrongSymbol(std::string_view symbol);
// The numeric value of a stress or juncture as the rule reads it; an empty value is 0.
double ValueOf(std::string_view value);

// The meter's places, strong or weak, read once from the meter file's row.
class Meter {
public:
    // The empty meter: it judges nothing.
    Meter() = default;
    // Places 1..numberOfMeterSymbols, symbol i being field i of the row. A count beyond the
    // row's fields stops at its last field; a count below 1 gives the empty meter.
    Meter(std::string_view meterLine, std::int32_t numberOfMeterSymbols);

    std::int32_t Places() const { return static_cast<std::int32_t>(strong_.size()); }
    bool IsEmpty() const { return strong_.empty(); }
    // False for a weak place and outside 1..Places().
    bool IsStrong(std::int32_t place) const {
        return place >= 1 && place <= Places() && strong_[static_cast<std::size_t>(place) - 1];
    }

private:
    std::vector<std::uint8_t> strong_;  // place i at index i - 1; 1 for strong
};

// The shown syllables of one line, in column order, with the numeric values of their stresses:
// all the rule reads of a line. Reading again reuses the room, so a walk over every line of a
// store allocates only while the longest line so far grows.
class ShownLine {
public:
    struct Syllable {
        std::int32_t column = 0;  // 1-based
        double stress = 0.0;      // numeric value; an empty stress is 0
    };

    // The working copy of the line on screen: index 0 unused, positions 1..size - 1. A stress
    // missing from a shorter vector reads as empty.
    void Read(const std::vector<std::string>& syllables, const std::vector<std::string>& stresses);
    // The committed values of store row j; a row outside the store reads as a line of nothing.
    void Read(const Store& store, std::int32_t j);
    // A line of stress values alone, every column from firstColumn on shown: column
    // firstColumn + i holds values[i], and any columns before it are blank.
    void Read(std::span<const std::uint8_t> values, std::int32_t firstColumn = 1);

    std::span<const Syllable> Syllables() const { return syllables_; }

private:
    void Add(std::int32_t column, std::string_view syllable, std::string_view stress);

    std::vector<Syllable> syllables_;
};

// What a line's judgement comes to, small enough to keep for every line of a file.
struct Verdict {
    bool judged = false;         // false under the empty meter: no verdict, every count 0
    std::int32_t places = 0;     // the meter's places
    std::int32_t syllables = 0;  // shown syllables
    std::int32_t offPlaces = 0;  // columns off the meter

    bool IsOff() const { return judged && (offPlaces > 0 || syllables != places); }
    bool Fits() const { return judged && !IsOff(); }
    std::int32_t TooMany() const { return judged && syllables > places ? syllables - places : 0; }
    std::int32_t TooFew() const { return judged && syllables < places ? places - syllables : 0; }
    bool operator==(const Verdict&) const = default;
};

// A verdict with the columns it counts, for the cues under the line on screen.
struct Judgement {
    Verdict verdict;
    std::vector<std::int32_t> offColumns;  // 1-based, ascending
};

// The rule. When offColumns is given, it is cleared and receives the columns off the meter.
Verdict JudgeLine(const Meter& meter, const ShownLine& line, Strictness strictness,
                  std::vector<std::int32_t>* offColumns = nullptr);
// The working copy of the line on screen (index 0 unused), as ShownLine::Read takes it.
Judgement JudgeLine(const Meter& meter, const std::vector<std::string>& syllables,
                    const std::vector<std::string>& stresses, Strictness strictness);

// The line's status, UTF-8: "fits the meter", or what is off, such as "1 place off the meter,
// 1 syllable too many". Empty when the line was not judged.
std::string StatusText(const Verdict& verdict);
// The same for a line of a file of `meterCount` meters, judged against meter `meterNumber`. With
// one meter it is StatusText(verdict); with several, the meter is named where the text names it,
// or after the count of syllables: "fits meter 2 of 3", "1 place off meter 1 of 2, 1 syllable too
// many", "2 syllables too few for meter 2 of 2".
std::string StatusText(const Verdict& verdict, std::int32_t meterNumber, std::int32_t meterCount);
// What a cue under a column off the meter stands for.
std::string_view CueText(Strictness strictness);

}  // namespace corvale::meter
