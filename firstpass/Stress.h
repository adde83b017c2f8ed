#pragma once

// How much stress each syllable carries before the meter is known, and the values written once
// it is. Only the pronunciation decides the first; the meter only ever adds a 2.

#include "firstpass/Syllables.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvale::meter {
class Meter;
}

namespace corvale::firstpass {

enum class Weight : std::uint8_t {
    Unstressed,  // lexically unstressed, or a clitic ("the", "of", "and")
    Weakened,    // a monosyllable that the phrase weakens ("with", "my", "is")
    Secondary,   // a secondary stress of a word
    Stressed,    // the stress of a word or phrase as spoken
};

// The weights of one word's syllables from its engine syllables. `spoken` is the word as the
// engine got it (lower case). A function word of one syllable is weighed by its class whatever
// the engine says of it alone; any other word keeps the engine's stresses.
std::vector<Weight> WeighWord(const std::string& spoken, const std::vector<Lexical>& syllables);

// Whether a function word is one syllable in verse ("our", "your" are, whatever the engine says).
bool IsMonosyllabicFunctionWord(const std::string& spoken);

// The stress value of each syllable before the meter: 3 for Stressed, 1 otherwise.
inline int ValueBeforeMeter(Weight weight) {
    return weight == Weight::Stressed ? 3 : 1;
}

// The values written for a line under its meter, column i standing in place i:
// 3 for Stressed; 2 for a Secondary syllable in a strong place, for a Weakened one in a strong
// place with no Stressed syllable beside it, and for an Unstressed one in a strong place between
// two syllables unstressed before the meter (the line's end counting as one, and its start where
// the place after next is strong); 1 otherwise. An inverted first foot moves the 2: a Weakened
// first syllable in a weak place takes it from an Unstressed one in the strong place after it.
std::vector<int> ValuesUnderMeter(const std::vector<Weight>& line, const meter::Meter& meter);

}  // namespace corvale::firstpass
