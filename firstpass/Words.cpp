#include "firstpass/Words.h"

#include "platform/CodePoints.h"

#include "platform/CodePoints.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace corvale::firstpass {
namespace {

bool IsApostrophe(QChar c) {
    return c == u'\'' || c == QChar(0x2019) || c == QChar(0x2018);
}
bool IsDash(QChar c) {
    return c == u'-' || c == QChar(0x2013) || c == QChar(0x2014) || c == QChar(0x2012) ||
           c == QChar(0x2015);
}
bool IsWordChar(QStringView text, qsizetype at) {
    return IsLetterOrNumberAt(text, at);
}
bool HasWordChar(QStringView text) {
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (IsWordChar(text, at)) {
            return true;
        }
    }
    return false;
}

// Words that begin with an elided letter: their leading apostrophe belongs to the word.
bool TakesLeadingApostrophe(const QString& rest) {
    static const std::array<QString, 14> kForms = {"tis",    "twas",  "twere", "twill", "twould",
                                                   "gainst", "neath", "twixt", "tween", "mid",
                                                   "midst",  "em",    "scape", "pon"};
    const QString lower = rest.toLower();
    for (const QString& form : kForms) {
        if (lower == form) {
            return true;
        }
    }
    return false;
}

// Words that end in an elided letter ("th'", "o'", "goin'"): their apostrophe belongs to them.
bool TakesTrailingApostrophe(const QString& core) {
    const QString lower = core.toLower();
    return lower == u"th" || lower == u"o" || lower == u"i" || lower == u"t" ||
           lower.endsWith(u"in");
}

// Cuts a run of text between spaces at its inner dashes ("side--is", "word—word"): the dash stays
// on the left part.
QStringList CutAtDashes(const QString& chunk) {
    if (std::none_of(chunk.begin(), chunk.end(), IsDash)) {
        return {chunk};
    }
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < chunk.size(); ++i) {
        const QChar c = chunk[i];
        const bool longDash = c != u'-' && IsDash(c);
        const bool doubleHyphen = c == u'-' && i + 1 < chunk.size() && chunk[i + 1] == u'-';
        if (!longDash && !doubleHyphen) {
            current += c;
            continue;
        }
        qsizetype end = i;
        while (end < chunk.size() && IsDash(chunk[end])) {
            ++end;
        }
        current += chunk.mid(i, end - i);
        i = end - 1;
        if (HasWordChar(current) && end < chunk.size() && HasWordChar(chunk.mid(end))) {
            parts << current;
            current.clear();
        }
    }
    if (!current.isEmpty()) {
        parts << current;
    }
    return parts;
}

// Splits a part holding letters into lead, core and trail.
Word ShapeWord(const QString& part) {
    Word word;
    qsizetype begin = 0;
    qsizetype end = part.size();
    while (begin < end && !IsWordChar(part, begin)) {
        ++begin;
    }
    while (end > begin && !IsWordChar(part, end - 1)) {
        --end;
    }
    if (begin > 0 && IsApostrophe(part[begin - 1]) &&
        TakesLeadingApostrophe(part.mid(begin, end - begin))) {
        --begin;
    }
    if (end < part.size() && IsApostrophe(part[end]) &&
        TakesTrailingApostrophe(part.mid(begin, end - begin))) {
        ++end;
    }
    word.lead = part.left(begin);
    word.core = part.mid(begin, end - begin);
    word.trail = part.mid(end);
    bool digits = true;
    for (QChar c : word.core) {
        digits = digits && (c.isDigit() || c == u',' || c == u'.');
    }
    if (digits) {
        word.kind = Word::Kind::Number;
    }
    return word;
}

// The words of a run of text between spaces that holds a letter or digit, the first without
// the lead that runs before it may give it.
std::vector<Word> WordsOf(const QString& chunk) {
    std::vector<Word> words;
    for (const QString& piece : CutAtDashes(chunk)) {
        // A hyphen between letters joins the parts of a compound. Each part holds a letter or
        // digit, as each piece does.
        QStringList parts;
        qsizetype start = 0;
        for (qsizetype i = piece.indexOf(u'-', 1); i > 0 && i + 1 < piece.size();
             i = piece.indexOf(u'-', i + 1)) {
            if (IsWordChar(piece, i - 1) && IsWordChar(piece, i + 1)) {
                parts << piece.mid(start, i + 1 - start);
                start = i + 1;
            }
        }
        parts << piece.mid(start);
        for (qsizetype p = 0; p < parts.size(); ++p) {
            Word word = ShapeWord(parts[p]);
            word.compoundPart = p + 1 < parts.size();
            word.compoundTail = p > 0;
            if (word.kind == Word::Kind::Letters) {
                QString core = word.core;
                if (core.endsWith(QStringLiteral("\u00e8d")) && core.size() > 2) {
                    word.gravedEd = true;
                    core.chop(2);
                }
                word.spoken = SpokenForm(core);
            }
            words.push_back(std::move(word));
        }
    }
    return words;
}

// Adds a run of text between spaces that makes no words of its own to the word before it, or
// keeps it as a lead for the word after it.
void AddMarks(QStringView chunk, std::vector<Word>& words, QString& pendingLead) {
    if (words.empty()) {
        pendingLead += chunk;
        pendingLead += u' ';
    } else {
        words.back().trail += u' ';
        words.back().trail += chunk;
    }
}

// Older printing uses "v" for a vowel u at a word's start ("vnto") and "u" for the consonant v
// between vowels ("grieues", "loue"); the engine reads the modern spelling.
void ModernizeUV(QString& word) {
    const auto vowel = [&word](qsizetype i) {
        return i >= 0 && i < word.size() && QStringView(u"aeio").contains(word[i]);
    };
    if (word.size() > 1 && word[0] == u'v' && !vowel(1) && word[1] != u'u' && word[1].isLetter()) {
        word[0] = u'u';
    }
    for (qsizetype i = 1; i + 1 < word.size(); ++i) {
        if (word[i] == u'u' && vowel(i - 1) && vowel(i + 1) && word[i - 1] != u'q') {
            word[i] = u'v';
        }
    }
}

}  // namespace

bool HoldsWords(QStringView run) {
    return run == u"&" || HasWordChar(run);
}

std::vector<Word> SplitIntoWords(const QString& line) {
    std::vector<Word> words;
    QString pendingLead;
    for (const QStringView chunk : QStringView(line).tokenize(u' ', Qt::SkipEmptyParts)) {
        if (!HoldsWords(chunk)) {
            AddMarks(chunk, words, pendingLead);
            continue;
        }
        const std::size_t first = words.size();
        if (chunk == u"&") {
            Word word;
            word.kind = Word::Kind::Ampersand;
            word.core = chunk.toString();
            word.spoken = QStringLiteral("and");
            words.push_back(std::move(word));
        } else {
            for (Word& word : WordsOf(chunk.toString())) {
                words.push_back(std::move(word));
            }
        }
        words[first].lead.prepend(pendingLead);
        pendingLead.clear();
    }
    return words;
}

int JunctureAfter(const Word& word) {
    if (word.compoundPart) {
        return 1;
    }
    int juncture = 2;
    for (QChar c : word.trail) {
        if (c == u'.' || c == u'!' || c == u'?' || c == QChar(0x2026)) {
            return 4;
        }
        if (c == u',' || c == u';' || c == u':' || IsDash(c)) {
            juncture = 3;
        }
    }
    return juncture;
}

void ModernizeJ(QString& spoken) {
    // Read through at(), which leaves a string shared with others undetached.
    if (spoken.size() > 2 && spoken.at(0) == u'i' && QStringView(u"aeou").contains(spoken.at(1))) {
        spoken[0] = u'j';
    }
}

QString SpokenForm(const QString& core) {
    // Letters written in another form of the same letter (mathematical bold, full width, a
    // ligature, the long s) are given to the engine as the plain letters it knows.
    const QString plain = core.normalized(QString::NormalizationForm_KC);
    QString lower;
    lower.reserve(plain.size());
    for (qsizetype at = 0; at < plain.size(); ++at) {
        if (IsApostrophe(plain[at])) {
            lower += u'\'';
        } else if (IsLetterAt(plain, at)) {
            lower += plain[at];
        }
    }
    lower = lower.toLower();
    while (lower.startsWith(u'\'')) {
        lower.remove(0, 1);
    }
    // The engine spells these out letter by letter; verse reads them as the words they shorten.
    if (lower == u"th'") {
        return QStringLiteral("the");
    }
    if (lower == u"t'") {
        return QStringLiteral("to");
    }
    if (lower == u"i'") {
        return QStringLiteral("in");
    }
    if (lower == u"o'") {
        return QStringLiteral("of");
    }
    while (lower.endsWith(u'\'')) {
        lower.chop(1);
    }
    ModernizeUV(lower);
    // Never half a surrogate pair.
    const qsizetype length =
        lower.size() > kLongestSpokenWord && lower[kLongestSpokenWord].isLowSurrogate()
            ? kLongestSpokenWord - 1
            : kLongestSpokenWord;
    return lower.left(length);
}

}  // namespace corvale::firstpass
