#pragma once

// The first pass's reader-dependent choices, gathered into one small set of named weights: how a
// clash is resolved, how much each class of function word weighs, when a strong place lifts an
// unstressed syllable, and which readings of a word the meter may ask for. Readers differ on
// exactly these; everything else the pass decides from the language alone. Each convention is
// a small whole number with a range and a default, and the defaults are the pass as it reads
// without being told otherwise.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace corvale::firstpass {

enum class Convention : std::uint8_t {
    // How the meter and the words settle a stressed content monosyllable in a weak place.
    Clash,             // beside a stress: kept, or made weak
    WeakMonosyllable,  // alone, no stress beside it: kept, or made weak
    // What the meter lifts to 2.
    InvertedFirstFoot,      // a function word taking the beat from the clitic after it
    LiftBetweenUnstressed,  // an unstressed syllable between two unstressed ones
    SecondaryStress,        // a word's secondary stress
    // How much each class of function word weighs (FunctionLevel).
    Negation,
    Demonstrative,
    Pronoun,
    Possessive,
    Auxiliary,
    Preposition,
    Conjunction,
    WhWord,
    // Where each reading of the table in Readings.cpp is offered to the meter (ReadingWhere).
    FireInOne,
    SaidEd,
    SaidIon,
    EveryInThree,
    Syncope,
    HeavenInOne,
    Synaeresis,
};
inline constexpr std::size_t kConventionCount = 20;

// How much a function word weighs, the value of its class's convention.
enum FunctionLevel : int {
    kNeverStressed = 0,     // 1 wherever it stands
    kClitic = 1,            // lifted in a strong place only between two unstressed syllables
    kWeakened = 2,          // lifted in a strong place with no stress beside it
    kLiftedWhenStrong = 3,  // lifted in every strong place
    kAlwaysStressed = 4,    // 3 wherever it stands
};

// Where a reading is offered, the value of its convention. Older verse writes older verb forms
// or elisions; older printing writes v for a vowel u (Readings.h, PoemMarks).
enum ReadingWhere : int {
    kNever = 0,
    kInOlderPrinting = 1,
    kInOlderVerse = 2,  // older printing included
    kInAnyVerse = 3,
};

struct ConventionInfo {
    Convention convention;
    std::string_view name;  // as conventions.txt names it
    int least = 0;
    int most = 0;
    int byDefault = 0;
    std::string_view what;    // what it decides, for a metrist: "a clash: two stresses side..."
    std::string_view values;  // what each value means: "0 both kept, 1 ..."
};

// Every convention in the order of the enum, which is also the order conventions.txt lists them.
const std::array<ConventionInfo, kConventionCount>& ConventionTable();
const ConventionInfo& InfoOf(Convention convention);
std::optional<Convention> ConventionNamed(std::string_view name);

// One value for each convention, each within its range.
class Conventions {
public:
    // The defaults.
    Conventions();

    int operator[](Convention convention) const {
        return values_[static_cast<std::size_t>(convention)];
    }
    // Precondition: `value` lies within the convention's range.
    void Set(Convention convention, int value) {
        values_[static_cast<std::size_t>(convention)] = static_cast<std::int8_t>(value);
    }
    bool operator==(const Conventions&) const = default;

private:
    std::array<std::int8_t, kConventionCount> values_;
};

}  // namespace corvale::firstpass
