#pragma once

// The ways verse may say a word: the spoken reading first, then those that rules over its
// pronunciation and its spelling allow, each with a syllable count of its own, its division and
// its syllables' weights. The line's meter chooses among them (ReadingChoice.h).

#include "firstpass/Conventions.h"
#include "firstpass/Stress.h"
#include "firstpass/Syllables.h"
#include "firstpass/VerseLines.h"
#include "firstpass/Words.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvale::firstpass {

// What the rules know of the poem beyond the word, from its spelling.
struct PoemMarks {
    bool saidEd = false;         // marks a said "-ed" as "-èd", so an unmarked one is silent
    bool olderVerse = false;     // writes older verb forms ("hath", "doth", "wilt", "shalt") or
                                 // elisions ("o'er", "'tis", "lov'd")
    bool olderPrinting = false;  // writes v for a vowel u at a word's start ("vnto", "vpon")
};

// The marks of a poem's verse lines (UTF-8).
PoemMarks MarksOf(const VerseLines& verseLines);

// The rules of the table of readings that the conventions offer in a poem with these marks: bit
// k for the table's rule k, in the order of the reading conventions (FireInOne, SaidEd, ...).
std::uint8_t RulesOffered(const Conventions& conventions, const PoemMarks& marks);

// A reading: its syllables and the written word divided into them, piece i being syllable i.
struct Reading {
    SpokenWord sound;
    QStringList pieces;
    std::uint8_t rules = 0;  // the rules that offer a reading of its count; 0 for the spoken one
};

// The readings of a written word (without a marked "-èd") whose spoken syllables are `spoken`:
// the spoken reading, then one reading per rule of the table that the conventions offer in the
// poem (RulesOffered), in the table's order, each of a count no earlier reading has; a later
// rule of the same count is added to that reading's rules. A word whose apostrophe marks an
// elision ("heav'n", "o'er", "lov'd") keeps its spoken reading only, in which the vowels on
// either side of an apostrophe between two ("e'en", "ta'en") are one syllable.
std::vector<Reading> ReadingsOf(const QString& written, const SpokenWord& spoken,
                                const PoemMarks& marks, const Conventions& conventions = {});

// One reading of a word as the line takes it.
struct WordReading {
    std::string syllables;  // each piece after a tab, UTF-8, the word's punctuation on its ends
    std::vector<Weight> weights;  // one a piece
    std::uint32_t byClass = 0;    // the pieces weighed by the word's class (WordWeights)
    std::uint8_t rules = 0;       // the rules offering it (Reading::rules); 0: always offered
};

// A word of a line with its readings.
struct ReadWord {
    std::vector<WordReading> readings;  // the spoken first
    QString written;                    // as written, for the line's comment
    int juncture = 2;                   // after its last syllable
    std::optional<FunctionWord> function;
};

// A line's words with their readings. A poem reads each distinct word once (PoemWords.h), and
// every line that holds it shares that reading.
using ReadLine = std::vector<const ReadWord*>;

// "th'" and "t'" before a word that begins with a vowel join its first syllable ("th'eternal"):
// that is their only reading. In a text in older printing, "the" and "to" there gain that
// reading after their spoken one.
enum class Elision : std::uint8_t { None, Only, Also };

// What a word's readings take from where it stands in its line.
struct WordPlace {
    bool last = false;  // ends the line
    Elision elision = Elision::None;
    bool operator==(const WordPlace&) const = default;
};

// The place of `word`, `next` being the word after it in its line (nullptr at the line's end).
WordPlace PlaceOf(const Word& word, const Word* next, const PoemMarks& marks);

// Whether the engine is asked for the word: letters in Latin script, and no function word (their
// weight and single syllable come from their class). The engine spells other scripts out letter
// by letter anyway, and espeak-ng 1.51 reads freed memory on some Hangul jamo (U+11A7, U+11C3,
// U+11F9 to U+11FF); such words are divided by their vowel groups instead.
bool AsksTheEngine(const Word& word);

// A word's readings, from the engine's phonemes for it (empty when it was not asked or said
// nothing).
ReadWord ReadWordOf(const Word& word, const std::string& phonemes, WordPlace place,
                    const PoemMarks& marks, const Conventions& conventions = {});

}  // namespace corvale::firstpass
