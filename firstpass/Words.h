#pragma once

// Cutting a verse line into the words the pass scans. Kept free of the pronunciation engine so
// that the rules for punctuation, apostrophes, hyphens and numbers can be tested on their own.

#include <QString>
#include <QStringView>

#include <vector>

namespace corvale::firstpass {

struct Word {
    enum class Kind {
        Letters,    // an ordinary word: spoken by the engine
        Number,     // digits: one syllable, always stressed
        Ampersand,  // "&": spoken as "and"
    };
    Kind kind = Kind::Letters;
    QString lead;    // quotes or brackets before the word, kept on its first syllable
    QString core;    // the word as written, without the punctuation around it
    QString trail;   // punctuation after it, kept on its last syllable ("-" inside a compound)
    QString spoken;  // what the engine is given: lower case letters only
    bool compoundPart = false;  // followed by the next part of a hyphenated compound
    bool compoundTail = false;  // a part after the hyphen of a compound
    bool gravedEd = false;      // ends in "èd": that ending is a syllable of its own
};

// The words of one verse line, in order. A run of characters without a letter or digit (a lone
// dash) joins the trail of the word before it; at the start of a line it joins the lead of the
// next word.
std::vector<Word> SplitIntoWords(const QString& line);

// Whether a run of text between spaces makes words of its own: it holds a letter or digit, or
// is "&". Any other run joins the words beside it (the trail of the word before it, or at the
// line's start the lead of the word after). A line whose runs all make words has just the
// words each run makes alone.
bool HoldsWords(QStringView run);

// The boundary after a word's last syllable: 2 between words, 3 after , ; : or a dash, 4 after
// . ! ? (1 inside a compound). The line's end is always 4 and is set by the caller.
int JunctureAfter(const Word& word);

// What the engine is given for a word as written: apostrophe forms rewritten so that they are
// read as verse reads them ("th'" is "the", "o'er" one syllable), control characters gone,
// lower case, and at most kLongestSpokenWord characters. Empty when nothing speakable remains.
inline constexpr int kLongestSpokenWord = 40;
QString SpokenForm(const QString& core);

// Older printing, which writes v for a vowel u at a word's start ("vnto"), also writes i for the
// consonant j before a vowel there ("ioy", "iust"). In a poem so printed, `spoken` is read with j.
void ModernizeJ(QString& spoken);

}  // namespace corvale::firstpass
