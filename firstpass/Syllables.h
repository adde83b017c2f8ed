#pragma once

// A word's syllables: how many and how stressed, from the engine's phonemes, and where the
// written word splits into that many pieces.

#include <QString>
#include <QStringList>

#include <string_view>
#include <vector>

namespace corvale::firstpass {

enum class Lexical { None, Secondary, Primary };

// One entry per syllable, from the engine's phonemes of one word: a vowel phoneme begins a
// syllable, and its mark (' primary, , secondary) its stress. A vowel the engine runs into a
// following r or schwa ("fire", "flower", "curious", "idea") counts two syllables, as verse
// counts them. Empty when the phonemes hold no vowel.
std::vector<Lexical> SyllablesOfPhonemes(std::string_view phonemes);

// The written word in `count` pieces, in order, joined again giving the word. Where the
// hyphenation patterns split the word into exactly `count` pieces, their splits are taken.
// Otherwise the pieces are its vowel groups ("y" after a consonant is a vowel; a final silent
// "e", "es" or "ed" is no group of its own), each consonant cluster between two groups split so
// that the second piece begins with the longest onset English allows ("bl", "str"...). When the
// groups are too many, the closest ones are joined; when too few, a group of two vowels that
// may be two syllables ("ia", "eo", "ua") is split, and then the longest piece, since splitting
// is easier to mend than joining. A word of fewer letters than `count` gives one piece a letter.
QStringList SplitWritten(const QString& word, int count);

// Loads the hyphenation patterns now rather than at the first word that needs them.
void LoadHyphenationPatterns();

// Vowel groups of a written word, by the rule above: the syllable count when the engine has
// none.
int VowelGroups(const QString& word);

}  // namespace corvale::firstpass
