#pragma once

// Characters of UTF-16 text, as Unicode counts them: a letter outside the Basic Multilingual
// Plane (Gothic, mathematical bold) is a surrogate pair, two code units that are one character.
// Each unit of a pair answers for the whole character, so a loop over the units that asks
// about each keeps or drops both halves together.

#include <QChar>
#include <QStringView>

namespace corvale {

// The character the unit at `at` belongs to; a lone surrogate stands for itself.
inline char32_t CodePointAt(QStringView text, qsizetype at) {
    const QChar unit = text[at];
    if (unit.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
        return QChar::surrogateToUcs4(unit, text[at + 1]);
    }
    if (unit.isLowSurrogate() && at > 0 && text[at - 1].isHighSurrogate()) {
        return QChar::surrogateToUcs4(text[at - 1], unit);
    }
    return unit.unicode();
}

inline bool IsLetterAt(QStringView text, qsizetype at) {
    return QChar::isLetter(CodePointAt(text, at));
}

inline bool IsLetterOrNumberAt(QStringView text, qsizetype at) {
    return QChar::isLetterOrNumber(CodePointAt(text, at));
}

}  // namespace corvale
