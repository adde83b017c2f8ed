#pragma once

// How much stress each syllable carries before the meter is known, and the values written once
// it is. Only the pronunciation and the conventions decide the first; the meter then adds a 2,
// and where the conventions say so, makes a stressed monosyllable in a weak place weak.

#include "firstpass/Conventions.h"
#include "firstpass/Syllables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvale::meter {
class Meter;
}

namespace corvale::firstpass {

// In order of strength: a reading that runs two syllables into one keeps the stronger.
enum class Weight : std::uint8_t {
    Toneless,    // a function word never stressed, wherever it stands
    Unstressed,  // lexically unstressed, or a clitic ("the", "of", "and")
    Weakened,    // a function word that the phrase weakens ("with", "is"), heard in a strong place
                 // with no stress beside it
    Lifted,      // a function word heard in every strong place
    Secondary,   // a secondary stress of a word
    Stressed,    // the stress of a longer word as spoken, a number, a function word always stressed
    StressedMonosyllable,  // a content word of one syllable, stressed as spoken
};

// Whether a syllable of this weight is stressed before the meter.
inline bool IsStress(Weight weight) {
    return weight >= Weight::Stressed;
}

// A function word's class, and how far its own weight stands from its class's: "through" and
// the longer prepositions weigh a step more than "of", "and" a step less than "but".
struct FunctionWord {
    Convention convention = Convention::Preposition;
    int offset = 0;
};
// The function word `spoken` is (the engine's lower-case form); nullopt for any other word,
// the articles included.
std::optional<FunctionWord> FunctionWordOf(const std::string& spoken);
// The weight a function word's stress takes under the conventions: its class's level plus its
// offset, kept within the levels (FunctionLevel).
Weight FunctionWeight(FunctionWord word, const Conventions& conventions);

// The weights of one word's syllables, and which of them carry a function word's weight (bit i
// for syllable i), so that another set of conventions can weigh them anew.
struct WordWeights {
    std::vector<Weight> weights;
    std::uint32_t byClass = 0;
};

// The weights of one word's syllables from its engine syllables. `spoken` is the word as the
// engine got it (lower case). A function word of one syllable is weighed by its class whatever
// the engine says of it alone, and the stress of a longer one is weighed by its class unless it
// ends its phrase (before a stop, a comma or the line's end), where no object follows it and it
// is an adverb ("left behind", "from above") that keeps its stress as spoken; any other word
// keeps the engine's stresses, a word of one syllable being stressed.
WordWeights WeighWord(const std::string& spoken, const std::vector<Lexical>& syllables,
                      const Conventions& conventions = {}, bool endsItsPhrase = false);

// Whether a function word is one syllable in verse ("our", "your" are, whatever the engine says).
bool IsMonosyllabicFunctionWord(const std::string& spoken);

// The stress value of each syllable before the meter: 3 for a stress, 1 otherwise.
inline int ValueBeforeMeter(Weight weight) {
    return IsStress(weight) ? 3 : 1;
}

// The values written for a line under its meter, column i standing in place i: 3 for a stress;
// 2 for a Secondary syllable in a strong place, for a Lifted one in a strong place, for a
// Weakened one in a strong place with no stress beside it, and for an Unstressed one in a strong
// place between two syllables unstressed before the meter (the line's end counting as one, and
// its start where the place after next is strong); 1 otherwise. An inverted first foot moves the
// 2: a Weakened or Lifted first syllable in a weak place takes it from an Unstressed one in the
// strong place after it. The conventions change each of these rules (Conventions.h); a stressed
// monosyllable in a weak place stays 3 under the defaults.
std::vector<int> ValuesUnderMeter(const std::vector<Weight>& line, const meter::Meter& meter,
                                  const Conventions& conventions = {});

}  // namespace corvale::firstpass
