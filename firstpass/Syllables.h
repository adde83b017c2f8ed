#pragma once

// A word's syllables as the engine speaks them: how many, how stressed, and the sounds around
// each vowel that the division and the readings look at.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvale::firstpass {

enum class Lexical { None, Secondary, Primary };

// What a vowel's length does to where the word divides: a short vowel keeps the consonant after
// it ("riv|er"), a vowel coloured by a following r keeps that r ("for|est"), a long one keeps
// none ("o|pen"), and a reduced one ("a|cross") is where a prefix ends. Unknown for a syllable
// the engine did not speak.
enum class VowelKind : std::uint8_t { Short, BeforeR, Long, Reduced, Unknown };

struct SpokenSyllable {
    Lexical stress = Lexical::None;
    std::string vowel;       // the engine's name for it ("E", "aI", "@"); empty when unknown
    std::string consonants;  // the consonants between the previous vowel and this one, "s|t|"
    VowelKind Kind() const;
};

struct SpokenWord {
    std::vector<SpokenSyllable> syllables;
    std::string coda;  // the consonants after the last vowel, "n|d|"
    std::vector<Lexical> Stresses() const;
};

// The engine's phonemes of one word, a syllable a vowel phoneme, its mark (' primary, ,
// secondary) its stress. A vowel the engine runs into a following r or schwa ("fire", "flower",
// "curious", "idea") is two syllables, as verse mostly counts them: the second a schwa with no
// consonant before it. No syllables when the phonemes hold no vowel.
SpokenWord ReadPhonemes(std::string_view phonemes);

// The syllables of a word the engine did not speak: `count` of unknown sound, the first primary.
SpokenWord UnspokenWord(int count);

}  // namespace corvale::firstpass
