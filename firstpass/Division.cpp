#include "firstpass/Division.h"

#include <hyphen.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace corvale::firstpass {
namespace {

QChar BaseLetter(QChar c) {
    c = c.toLower();
    const QString decomposition = c.decomposition();
    return decomposition.isEmpty() ? c : decomposition[0];
}

// A letter other than y: a, e, i, o, u, but not the u of "qu"; and a v that older printing
// writes for a vowel u at a word's start before a consonant ("vpon", "vnto").
bool IsVowelOtherThanY(const QString& word, qsizetype i) {
    const QChar c = BaseLetter(word[i]);
    if (c == u'u' && i > 0 && BaseLetter(word[i - 1]) == u'q') {
        return false;
    }
    if (c == u'v' && i == 0 && word.size() > 1 && word[1].isLetter()) {
        return !QStringView(u"aeiouy").contains(BaseLetter(word[1]));
    }
    return QStringView(u"aeiou").contains(c);
}

// A y is a vowel after a consonant, and a consonant after a vowel or at the start: along a run
// of y's the two alternate, from the letter before the run.
bool IsVowelLetter(const QString& word, qsizetype i) {
    if (BaseLetter(word[i]) != u'y') {
        return IsVowelOtherThanY(word, i);
    }
    qsizetype first = i;
    while (first > 0 && BaseLetter(word[first - 1]) == u'y') {
        --first;
    }
    const bool firstIsVowel = first > 0 && !IsVowelOtherThanY(word, first - 1);
    return (i - first) % 2 == 0 ? firstIsVowel : !firstIsVowel;
}

// A vowel group: [begin, end) letter positions.
struct Group {
    qsizetype begin;
    qsizetype end;
};

std::vector<Group> GroupsOf(const QString& word) {
    std::vector<Group> groups;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (!IsVowelLetter(word, i)) {
            continue;
        }
        if (!groups.empty() && groups.back().end == i) {
            groups.back().end = i + 1;
        } else {
            groups.push_back({i, i + 1});
        }
    }
    return groups;
}

bool IsSilentEnding(const QString& word, const Group& last, qsizetype groupsLeft) {
    if (groupsLeft < 2 || last.end - last.begin != 1 || word[last.begin].toLower() != u'e') {
        return false;
    }
    QString tail = word.mid(last.begin).toLower();
    tail.remove(u'\'').remove(QChar(0x2019));
    // Punctuation after the word ("bride,") is no part of its ending.
    while (!tail.isEmpty() && !tail.back().isLetter()) {
        tail.chop(1);
    }
    const QChar before = word[last.begin - 1].toLower();
    if (tail == u"e") {
        return before != u'l' || last.begin < 2 || IsVowelLetter(word, last.begin - 2);
    }
    if (tail == u"es") {
        return !QStringView(u"sxzcgh").contains(before);
    }
    if (tail == u"ed") {
        return before != u't' && before != u'd';
    }
    return false;
}

// Pairs of vowels that may be two syllables; those beginning with i or u are split first.
bool MayBeTwoSyllables(const QString& pair, bool iOrUFirst) {
    static const std::array<QString, 8> kFirst = {"ia", "io", "iu", "ie", "ua", "uo", "ue", "ui"};
    static const std::array<QString, 5> kThen = {"eo", "ea", "oe", "ei", "oi"};
    const QString lower = pair.toLower();
    return std::find(kFirst.begin(), kFirst.end(), lower) != kFirst.end() ||
           (!iOrUFirst && std::find(kThen.begin(), kThen.end(), lower) != kThen.end());
}

std::vector<Group> FittedGroups(const QString& word, int count) {
    std::vector<Group> groups = GroupsOf(word);
    while (std::ssize(groups) > count && IsSilentEnding(word, groups.back(), std::ssize(groups))) {
        groups.pop_back();
    }
    while (std::ssize(groups) > count && groups.size() >= 2) {
        std::size_t closest = 0;
        for (std::size_t i = 1; i + 1 < groups.size(); ++i) {
            if (groups[i + 1].begin - groups[i].end <
                groups[closest + 1].begin - groups[closest].end) {
                closest = i;
            }
        }
        groups[closest].end = groups[closest + 1].end;
        groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(closest) + 1);
    }
    // A final silent "e" counted for a syllable goes where two vowels before it that may be two
    // syllables give that syllable instead: "di|ence", "sci|ence", not "dien|ce".
    const bool pairToPart = std::any_of(groups.begin(), groups.end(), [&word](const Group& g) {
        return g.end - g.begin == 2 && MayBeTwoSyllables(word.mid(g.begin, 2), true);
    });
    if (pairToPart && std::ssize(groups) == count &&
        IsSilentEnding(word, groups.back(), std::ssize(groups))) {
        groups.pop_back();
    }
    for (const bool iOrUFirst : {true, false}) {
        for (std::size_t i = 0; i < groups.size() && std::ssize(groups) < count; ++i) {
            const Group g = groups[i];
            if (g.end - g.begin == 2 && MayBeTwoSyllables(word.mid(g.begin, 2), iOrUFirst)) {
                groups[i].end = g.begin + 1;
                groups.insert(groups.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                              {g.begin + 1, g.end});
            }
        }
    }
    return groups;
}

// Words longer than this are divided without the patterns.
constexpr qsizetype kLongestPatternWord = 64;

// The patterns, loaded once and kept for the process's life; null when they are missing.
HyphenDict* Patterns() {
    static HyphenDict* const dict = hnj_hyphen_load("/usr/share/hyphen/hyph_en_US.dic");
    return dict;
}

// Where the patterns break the word, as flags per position: a break before position i. The
// minimum fragment lengths are 1, so that the patterns alone decide. Letters outside ASCII
// give no breaks; apostrophes are left out of what the patterns see.
std::vector<bool> PatternBreaks(const QString& word) {
    std::vector<bool> breaks(static_cast<std::size_t>(word.size()) + 1, false);
    HyphenDict* const dict = Patterns();
    if (dict == nullptr || word.size() > kLongestPatternWord) {
        return breaks;
    }
    std::string letters;
    std::vector<qsizetype> at;  // the word's position of each letter
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = word[i];
        if (c.unicode() > 0x7f) {
            return breaks;
        }
        if (c.isLetter()) {
            letters += static_cast<char>(c.toLower().unicode());
            at.push_back(i);
        }
    }
    if (letters.size() < 2) {
        return breaks;
    }
    std::string hyphens(letters.size() + 5, '\0');
    char** rep = nullptr;
    int* pos = nullptr;
    int* cut = nullptr;
    hnj_hyphen_hyphenate3(dict, letters.c_str(), static_cast<int>(letters.size()), hyphens.data(),
                          nullptr, &rep, &pos, &cut, 1, 1, 1, 1);
    if (rep != nullptr) {
        // A replacing pattern (none in English) would change the letters: no breaks then.
        for (std::size_t i = 0; i < letters.size(); ++i) {
            free(rep[i]);
        }
        free(rep);
        free(pos);
        free(cut);
        return breaks;
    }
    for (std::size_t i = 0; i + 1 < letters.size(); ++i) {
        if (hyphens[i] & 1) {
            breaks[static_cast<std::size_t>(at[i]) + 1] = true;
        }
    }
    return breaks;
}

// Consonant letters that stand for one sound and never divide.
bool IsDigraph(QStringView pair, bool ngOneSound) {
    static constexpr std::array<std::u16string_view, 8> kDigraphs = {u"th", u"sh", u"ch", u"ph",
                                                                     u"gh", u"wh", u"ck", u"qu"};
    const std::u16string_view view(pair.utf16(), static_cast<std::size_t>(pair.size()));
    return std::find(kDigraphs.begin(), kDigraphs.end(), view) != kDigraphs.end() ||
           (ngOneSound && view == u"ng");
}

// Clusters that may begin a syllable inside a word. An s before a stop ends the syllable before
// it ("des|pair", "mod|es|ty").
bool IsOnset(QStringView cluster) {
    static constexpr std::array<std::u16string_view, 30> kOnsets = {
        u"bl", u"br", u"cl", u"cr", u"dr", u"fl",  u"fr",  u"gl",  u"gr",  u"pl",
        u"pr", u"sl", u"sm", u"sn", u"sw", u"tr",  u"tw",  u"th",  u"sh",  u"ch",
        u"ph", u"wh", u"wr", u"qu", u"dw", u"thr", u"shr", u"chr", u"thw", u"phr"};
    const std::u16string_view view(cluster.utf16(), static_cast<std::size_t>(cluster.size()));
    return std::find(kOnsets.begin(), kOnsets.end(), view) != kOnsets.end();
}

// What a word's division looks at: its letters in lower case, its vowel groups, its sound.
struct Divided {
    QString lower;
    std::vector<Group> groups;
    const SpokenWord* sound;  // null, or one syllable per group
    bool ngOneSound;
    std::vector<bool> patternBreaks;

    const SpokenSyllable* Syllable(std::size_t i) const {
        return sound != nullptr ? &sound->syllables[i] : nullptr;
    }
    bool Stressed(std::size_t i) const {
        return Syllable(i) != nullptr && Syllable(i)->stress == Lexical::Primary;
    }
    bool Unstressed(std::size_t i) const {
        return Syllable(i) != nullptr && Syllable(i)->stress == Lexical::None;
    }
    bool IsConsonant(qsizetype at) const {
        return lower[at].isLetter() && !IsVowelLetter(lower, at);
    }
};

// The lengths of the consonant units of a cluster: a digraph is one unit.
std::vector<qsizetype> Units(const Divided& w, qsizetype from, qsizetype to) {
    std::vector<qsizetype> units;
    for (qsizetype i = from; i < to;) {
        const qsizetype length =
            i + 1 < to && IsDigraph(QStringView(w.lower).mid(i, 2), w.ngOneSound) ? 2 : 1;
        units.push_back(length);
        i += length;
    }
    return units;
}

bool IsOnsetOf(const Divided& w, qsizetype from, qsizetype to) {
    const std::vector<qsizetype> units = Units(w, from, to);
    if (units.size() <= 1) {
        // A lone consonant begins a syllable; a digraph only when it may begin a word.
        return units.empty() || units[0] == 1 || IsOnset(QStringView(w.lower).mid(from, to - from));
    }
    return IsOnset(QStringView(w.lower).mid(from, to - from));
}

// A consonant that belongs to the syllable after it whatever the vowel before it: the one
// beginning a final "-le" ("trou|ble"), and a t, s, c, g or x before "i" and a vowel
// ("vi|sion", "na|tion").
bool KeepsOnset(const Divided& w, qsizetype right) {
    const QStringView rest = QStringView(w.lower).mid(right);
    if (rest == u"e" || rest == u"es" || rest == u"ed") {
        return w.lower[right - 1] == u'l';
    }
    return rest.size() >= 2 && rest[0] == u'i' && QStringView(u"aou").contains(rest[1]) &&
           QStringView(u"tscgx").contains(w.lower[right - 1]);
}

// Whether the syllable of group i keeps the first consonant after it: stressed, a vowel of one
// or two letters, short, or coloured by the r that follows.
bool Closes(const Divided& w, std::size_t i) {
    const SpokenSyllable* syllable = w.Syllable(i);
    if (!w.Stressed(i) || w.groups[i].end - w.groups[i].begin > 2) {
        return false;
    }
    const qsizetype left = w.groups[i].end;
    return syllable->Kind() == VowelKind::Short || (syllable->Kind() == VowelKind::BeforeR &&
                                                    left < w.lower.size() && w.lower[left] == u'r');
}

// Moves a division at the end of a closing vowel past the first consonant unit.
qsizetype Closed(const Divided& w, std::size_t i, qsizetype cut) {
    const qsizetype left = w.groups[i].end;
    const qsizetype right = w.groups[i + 1].begin;
    if (cut != left || right == left || !Closes(w, i) || KeepsOnset(w, right)) {
        return cut;
    }
    return left + Units(w, left, right).front();
}

std::optional<qsizetype> PatternCut(const Divided& w, std::size_t i) {
    for (qsizetype p = std::max<qsizetype>(w.groups[i].end, 1); p <= w.groups[i + 1].begin; ++p) {
        if (w.patternBreaks[static_cast<std::size_t>(p)]) {
            return Closed(w, i, p);
        }
    }
    return std::nullopt;
}

std::optional<qsizetype> SuffixCut(const Divided& w, std::size_t i) {
    static const std::array<QString, 10> kSuffixes = {"ed", "es", "er",  "est", "ing",
                                                      "ly", "y",  "eth", "ers", "ings"};
    const qsizetype left = w.groups[i].end;
    const qsizetype right = w.groups[i + 1].begin;
    for (const QString& suffix : kSuffixes) {
        qsizetype start = w.lower.size() - suffix.size();
        if (!w.lower.endsWith(suffix) || start < left || start > right || start == 0) {
            continue;
        }
        const bool vowelFirst = suffix[0] != u'l';
        if (vowelFirst && (start != right || !w.IsConsonant(start - 1))) {
            continue;
        }
        const QStringView stem = QStringView(w.lower).left(start);
        if (suffix == u"es" &&
            !(stem.endsWith(u's') || stem.endsWith(u'x') || stem.endsWith(u'z') ||
              stem.endsWith(u'c') || stem.endsWith(u'g') || stem.endsWith(u"ch") ||
              stem.endsWith(u"sh"))) {
            continue;
        }
        // "-y" after an unstressed syllable is no suffix ("e|qua|nim|i|ty"), nor is "-er" after a
        // lone vowel letter and one consonant ("o|ver", "ty|ger").
        if ((suffix == u"y" && w.Unstressed(i)) ||
            (suffix == u"er" && w.groups[i].end - w.groups[i].begin == 1 && right - left == 1)) {
            continue;
        }
        // A stem cannot end in a consonant, or an elided vowel, and r or l ("coun|try",
        // "wan|dring", "ev'|ry").
        const QChar last = stem.back();
        if (stem.size() >= 2 && (last == u'r' || last == u'l') &&
            !IsVowelLetter(w.lower, start - 2) && stem[stem.size() - 2] != u'r' &&
            stem[stem.size() - 2] != u'l') {
            continue;
        }
        // A doubled consonant divides, except those that end words ("roll|ing", "tress|es").
        if (stem.size() >= 2 && last == stem[stem.size() - 2] &&
            !QStringView(u"lsfz").contains(last) && w.IsConsonant(start - 1)) {
            --start;
        }
        if (start >= left) {
            return start;
        }
    }
    return std::nullopt;
}

std::optional<qsizetype> GlideCut(const Divided& w, std::size_t i) {
    const qsizetype left = w.groups[i].end;
    if (w.groups[i + 1].begin - left == 1 && w.Stressed(i) &&
        (w.lower[left] == u'w' || w.lower[left] == u'y')) {
        return left + 1;
    }
    return std::nullopt;
}

std::optional<qsizetype> PrefixCut(const Divided& w) {
    static const std::array<QString, 8> kPrefixes = {"dis", "mis", "un", "up",
                                                     "re",  "de",  "be", "a"};
    const SpokenSyllable* first = w.Syllable(0);
    if (first != nullptr && (first->stress != Lexical::None || first->Kind() == VowelKind::Long)) {
        return std::nullopt;
    }
    for (const QString& prefix : kPrefixes) {
        const qsizetype end = prefix.size();
        if (w.lower.startsWith(prefix) && w.groups[0].end <= end && end <= w.groups[1].begin &&
            IsOnsetOf(w, end, w.groups[1].begin)) {
            return end;
        }
    }
    return std::nullopt;
}

qsizetype OnsetCut(const Divided& w, std::size_t i) {
    const qsizetype left = w.groups[i].end;
    const qsizetype right = w.groups[i + 1].begin;
    qsizetype cut = left;
    for (const qsizetype unit : Units(w, left, right)) {
        if (IsOnsetOf(w, cut, right)) {
            break;
        }
        cut += unit;
    }
    return Closed(w, i, cut);
}

qsizetype FirstCut(const Divided& w, std::size_t i) {
    if (auto cut = PatternCut(w, i)) {
        return *cut;
    }
    if (i + 2 == w.groups.size()) {
        if (auto cut = SuffixCut(w, i)) {
            return *cut;
        }
    }
    if (auto cut = GlideCut(w, i)) {
        return *cut;
    }
    if (i == 0) {
        if (auto cut = PrefixCut(w)) {
            return *cut;
        }
    }
    return OnsetCut(w, i);
}

// An apostrophe inside a word stands for an elided vowel, said with the consonants after it: a
// division never ends a piece with one ("ev|'ry", "wan|d'ring"), nor with the one consonant
// between it and a vowel ("ev|'ning").
qsizetype CutBetween(const Divided& w, std::size_t i) {
    const qsizetype cut = FirstCut(w, i);
    if (cut > w.groups[i].end && IsApostrophe(w.lower[cut - 1])) {
        return cut - 1;
    }
    if (cut - 2 >= w.groups[i].end && cut == w.groups[i + 1].begin &&
        IsApostrophe(w.lower[cut - 2]) && w.IsConsonant(cut - 1)) {
        return cut - 2;
    }
    return cut;
}

bool NgIsOneSound(const SpokenWord* sound) {
    if (sound == nullptr) {
        return true;
    }
    std::string consonants;
    for (const SpokenSyllable& syllable : sound->syllables) {
        consonants += syllable.consonants;
    }
    consonants += sound->coda;
    return consonants.find("N|g|") == std::string::npos;
}

// Where a piece that holds one syllable too few divides: before a syllabic consonant that ends
// it after another ("chas|m"); after the first of two vowels ("ri|ous", "ho|ur"); after its
// vowel where a consonant follows ("si|r" of "de|si|r|ing", the r the engine hears as a
// syllable); and otherwise in half.
qsizetype CutWithoutAVowel(const QString& piece) {
    const auto consonant = [&piece](qsizetype i) {
        return piece[i].isLetter() && !IsVowelLetter(piece, i);
    };
    const qsizetype last = piece.size() - 1;
    if (last >= 2 && consonant(last) && consonant(last - 1)) {
        return last;
    }
    for (const bool twoVowels : {true, false}) {
        for (qsizetype i = 1; i < piece.size(); ++i) {
            if (IsVowelLetter(piece, i - 1) &&
                (twoVowels ? IsVowelLetter(piece, i) : consonant(i))) {
                return i;
            }
        }
    }
    return piece.size() / 2;
}

// A cut that would part the two halves of a surrogate pair moves to the pair's start, or past
// the pair when the piece would be left empty.
qsizetype WholeCharacters(const QString& piece, qsizetype cut) {
    if (cut <= 0 || cut >= piece.size() || !piece[cut].isLowSurrogate() ||
        !piece[cut - 1].isHighSurrogate()) {
        return cut;
    }
    return cut > 1 ? cut - 1 : cut + 1;
}

QStringList Split(const QString& word, int count, const SpokenWord* sound) {
    if (count <= 1 || word.size() < 2) {
        return {word};
    }
    Divided w{LowerCase(word), FittedGroups(word, count), nullptr, NgIsOneSound(sound), {}};
    if (sound != nullptr && w.groups.size() == sound->syllables.size()) {
        w.sound = sound;
    }
    w.patternBreaks = PatternBreaks(word);
    QStringList pieces;
    qsizetype start = 0;
    for (std::size_t i = 0; i + 1 < w.groups.size(); ++i) {
        const qsizetype cut = CutBetween(w, i);
        pieces << word.mid(start, cut - start);
        start = cut;
    }
    pieces << word.mid(start);
    while (pieces.size() < count) {
        qsizetype longest = 0;
        for (qsizetype i = 1; i < pieces.size(); ++i) {
            if (pieces[i].size() > pieces[longest].size()) {
                longest = i;
            }
        }
        const QString piece = pieces[longest];
        if (piece.size() < 2 || (piece.size() == 2 && piece[0].isHighSurrogate())) {
            break;
        }
        const qsizetype cut = WholeCharacters(piece, CutWithoutAVowel(piece));
        pieces[longest] = piece.left(cut);
        pieces.insert(longest + 1, piece.mid(cut));
    }
    return pieces;
}

// The word's letters in their plain forms, one character each ("\U0001D41C" as "c"), when it
// holds letters outside the Basic Multilingual Plane that have such forms.
std::optional<QString> PlainLetters(const QString& word) {
    if (std::none_of(word.begin(), word.end(), [](QChar c) { return c.isSurrogate(); })) {
        return std::nullopt;
    }
    QString plain;
    for (const char32_t character : word.toUcs4()) {
        const QString one =
            QString::fromUcs4(&character, 1).normalized(QString::NormalizationForm_KC);
        if (one.size() != 1) {
            return std::nullopt;
        }
        plain += one;
    }
    return plain;
}

// Mathematical bold and the like divide as their plain letters do, each piece keeping the
// letters as written; other words divide as written.
QStringList SplitAsRead(const QString& word, int count, const SpokenWord* sound) {
    const std::optional<QString> plain = PlainLetters(word);
    if (!plain) {
        return Split(word, count, sound);
    }
    QStringList pieces;
    qsizetype at = 0;
    for (const QString& piece : Split(*plain, count, sound)) {
        const qsizetype start = at;
        for (qsizetype n = 0; n < piece.size(); ++n) {
            at += word[at].isHighSurrogate() ? 2 : 1;
        }
        pieces << word.mid(start, at - start);
    }
    return pieces;
}

}  // namespace

QString LowerCase(QString word) {
    for (QChar& c : word) {
        c = c.toLower();
    }
    return word;
}

void LoadHyphenationPatterns() {
    Patterns();
}

int VowelGroups(const QString& word) {
    std::vector<Group> groups = GroupsOf(word);
    if (groups.empty()) {
        return 1;
    }
    while (IsSilentEnding(word, groups.back(), std::ssize(groups))) {
        groups.pop_back();
    }
    return std::max<int>(1, static_cast<int>(groups.size()));
}

bool EachPieceHasAVowel(const QString& word, const QStringList& pieces) {
    qsizetype at = 0;
    for (const QString& piece : pieces) {
        const qsizetype end = std::min(word.size(), at + piece.size());
        bool vowel = false;
        for (qsizetype i = at; i < end && !vowel; ++i) {
            vowel = IsVowelLetter(word, i);
        }
        if (!vowel) {
            return false;
        }
        at = end;
    }
    return true;
}

QStringList SplitWritten(const QString& word, const SpokenWord& sound) {
    return SplitAsRead(word, static_cast<int>(sound.syllables.size()), &sound);
}

QStringList SplitWritten(const QString& word, int count) {
    return SplitAsRead(word, count, nullptr);
}

bool IsApostrophe(QChar c) {
    return c == u'\'' || c == QChar(0x2019);
}

}  // namespace corvale::firstpass
