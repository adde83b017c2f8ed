#include "window/ValuesMeaning.h"

namespace corvale {

QString ValuesMeaningHeading() {
    return QStringLiteral("What the values mean");
}

QStringList ValuesMeaning() {
    return {
        QStringLiteral("Stress: 1 is an unstressed syllable, 2 a secondary or promoted stress (a "
                       "light syllable lifted by a strong place), 3 and above a full stress. The "
                       "meter check counts every value above 1 as stressed."),
        QStringLiteral("Juncture, the boundary after a syllable: 1 inside a word, 2 between "
                       "words, 3 at a phrase break, 4 at the end of a sentence or of a line."),
        QStringLiteral("The cue, a red zigzag under a meter symbol, flags a weak place (W) that "
                       "holds a stress maximum: a stressed syllable above the syllables on both "
                       "sides of it, so never the first or the last. Under View, Strict meter "
                       "check flags every stressed syllable in a weak place."),
        QStringLiteral("\"fits the meter\" says only that no column is flagged and that the line "
                       "has as many syllables as the meter has places. It asks nothing of the "
                       "strong places (S): a line with every syllable at 3 fits. Otherwise the "
                       "status counts the places off the meter and the syllables too many or too "
                       "few."),
        QStringLiteral("In a file of several meters (a row each in the meter file, the main meter "
                       "first), each line is measured against the meter it fits best: among those "
                       "whose places fit its syllables, the one the cue flags least, the earlier "
                       "row on a tie. The symbols over the grid and the red columns beyond the "
                       "meter are that line's meter's, so they change from line to line, and the "
                       "status names it: \"fits meter 2 of 2\", \"1 place off meter 1 of 2\"."),
    };
}

}  // namespace corvale
