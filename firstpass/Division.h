#pragma once

// Where a written word divides into its syllables, as a dictionary divides it ("riv|er",
// "for|ests", "shroud|ed", "a|cross").

#include "firstpass/Syllables.h"

#include <QString>
#include <QStringList>

namespace corvale::firstpass {

// The written word in as many pieces as `sound` has syllables, in order, joined again giving the
// word. The pieces stand on the word's vowel groups ("y" after a consonant is a vowel, "u" after
// "q" is not; a final silent "e", "es" or "ed" is no group of its own, also where the count
// would take it for one but a pair of vowels before it may be two syllables: "sci|ence"): when
// there are too many, the closest are joined; when too few, a pair of vowels that may be two
// syllables is split ("ia", "io" before "ea", "ei"), and then the longest piece. Between two
// groups the word divides, in this order of precedence:
// - where the hyphenation patterns break it. A stressed short vowel keeps one consonant there;
// - before a suffix in the last place ("-ed", "-es", "-er", "-est", "-ing", "-ly", "-y"...): the
//   stem keeps its consonants ("deep|er", "shroud|ed"), but a doubled one splits ("bid|ding");
// - after a "w" or "y" that ends a stressed vowel ("flow|er", "roy|al");
// - after an unstressed prefix that a consonant cluster follows ("a|cross", "re|plies");
// - before the longest cluster that may begin a syllable, a digraph (th, sh, ch, ph, gh, wh,
//   ck, qu, and ng where it is one sound) never split: "oth|er", "a|thwart". A stressed short
//   vowel keeps the first consonant ("riv|er"), unless that consonant begins "-le" or "-tion".
// A word of fewer letters than syllables gives one piece a letter.
QStringList SplitWritten(const QString& word, const SpokenWord& sound);
// The same without the word's sound: the count's syllables, stress and length unknown.
QStringList SplitWritten(const QString& word, int count);

// Vowel groups of a written word, by the rule above: the syllable count when the engine has
// none.
int VowelGroups(const QString& word);

// Whether each piece of `word` (its pieces in order, as SplitWritten gives them) holds a vowel
// letter: "de|si|r|ing" does not.
bool EachPieceHasAVowel(const QString& word, const QStringList& pieces);

// The word in lower case letter by letter, so that each position stays the word's (QString's
// own toLower may lengthen a word: "İ" becomes two letters).
QString LowerCase(QString word);

// An apostrophe inside a written word, straight or curly, standing for an elided letter.
bool IsApostrophe(QChar c);

// Loads the hyphenation patterns now rather than at the first word that needs them.
void LoadHyphenationPatterns();

}  // namespace corvale::firstpass
