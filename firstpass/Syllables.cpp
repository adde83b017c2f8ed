#include "firstpass/Syllables.h"

#include <hyphen.h>

#include <algorithm>
#include <array>
#include <string>

namespace corvale::firstpass {
namespace {

bool IsVowelPhoneme(std::string_view name) {
    return !name.empty() &&
           std::string_view("aeiouAEIOUV@30").find(name[0]) != std::string_view::npos;
}

bool IsVowelLetter(const QString& word, qsizetype i) {
    const QChar c = word[i].toLower();
    if (c == u'y') {
        return i > 0 && !IsVowelLetter(word, i - 1);
    }
    const QChar base = c.decompositionTag() == QChar::NoDecomposition || c.decomposition().isEmpty()
                           ? c
                           : c.decomposition()[0];
    return QStringView(u"aeiou").contains(base);
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
    const QString tail = word.mid(last.begin).toLower();
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

bool MayBeTwoSyllables(const QString& pair) {
    static const std::array<QString, 9> kHiatus = {"ia", "io", "eo", "ua", "uo",
                                                   "iu", "ea", "ie", "oe"};
    return std::find(kHiatus.begin(), kHiatus.end(), pair.toLower()) != kHiatus.end();
}

bool IsOnset(const QString& cluster) {
    static const std::array<QString, 36> kOnsets = {
        "bl", "br", "cl", "cr", "dr",  "fl",  "fr",  "gl",  "gr",  "pl",  "pr",  "sc",
        "sk", "sl", "sm", "sn", "sp",  "st",  "sw",  "tr",  "tw",  "th",  "sh",  "ch",
        "ph", "wh", "wr", "qu", "str", "spr", "scr", "spl", "thr", "shr", "squ", "chr"};
    if (cluster.size() <= 1) {
        return true;
    }
    return std::find(kOnsets.begin(), kOnsets.end(), cluster.toLower()) != kOnsets.end();
}

// Where a piece ends between two vowel groups: after the coda, before the longest onset.
qsizetype SplitBetween(const QString& word, const Group& left, const Group& right) {
    const qsizetype consonants = right.begin - left.end;
    if (consonants == 0) {
        return right.begin;
    }
    if (consonants == 1) {
        return word[left.end].toLower() == u'x' ? right.begin : left.end;
    }
    for (qsizetype onset = consonants - 1; onset >= 1; --onset) {
        if (IsOnset(word.mid(right.begin - onset, onset))) {
            return right.begin - onset;
        }
    }
    return right.begin;
}

// Words longer than this are split by their vowel groups alone.
constexpr qsizetype kLongestPatternWord = 64;

// The patterns, loaded once and kept for the process's life; null when they are missing.
HyphenDict* Patterns() {
    static HyphenDict* const dict = hnj_hyphen_load("/usr/share/hyphen/hyph_en_US.dic");
    return dict;
}

QStringList FromHyphenation(const QString& word, int count) {
    HyphenDict* const dict = Patterns();
    if (dict == nullptr || word.size() < 4 || word.size() > kLongestPatternWord) {
        return {};
    }
    for (QChar c : word) {
        if (c.unicode() > 0x7f || !c.isLetter()) {
            return {};
        }
    }
    const std::string lower = word.toLower().toStdString();
    std::string hyphens(lower.size() + 5, '\0');
    char** rep = nullptr;
    int* pos = nullptr;
    int* cut = nullptr;
    hnj_hyphen_hyphenate2(dict, lower.c_str(), static_cast<int>(lower.size()), hyphens.data(),
                          nullptr, &rep, &pos, &cut);
    if (rep != nullptr) {
        for (std::size_t i = 0; i < lower.size(); ++i) {
            free(rep[i]);
        }
        free(rep);
        free(pos);
        free(cut);
        return {};
    }
    QStringList pieces;
    qsizetype start = 0;
    for (std::size_t i = 0; i + 1 < lower.size(); ++i) {
        if (hyphens[i] & 1) {
            pieces << word.mid(start, static_cast<qsizetype>(i) + 1 - start);
            start = static_cast<qsizetype>(i) + 1;
        }
    }
    pieces << word.mid(start);
    return pieces.size() == count ? pieces : QStringList();
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
    for (std::size_t i = 0; i < groups.size() && std::ssize(groups) < count; ++i) {
        const Group g = groups[i];
        if (g.end - g.begin == 2 && MayBeTwoSyllables(word.mid(g.begin, 2))) {
            groups[i].end = g.begin + 1;
            groups.insert(groups.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                          {g.begin + 1, g.end});
        }
    }
    return groups;
}

}  // namespace

void LoadHyphenationPatterns() {
    Patterns();
}

std::vector<Lexical> SyllablesOfPhonemes(std::string_view phonemes) {
    std::vector<Lexical> syllables;
    std::size_t i = 0;
    while (i < phonemes.size()) {
        const std::size_t end = phonemes.find_first_of("| ", i);
        std::string_view name = phonemes.substr(i, end == std::string_view::npos ? end : end - i);
        i = end == std::string_view::npos ? phonemes.size() : end + 1;
        Lexical stress = Lexical::None;
        while (!name.empty() &&
               (name[0] == '\'' || name[0] == ',' || name[0] == '%' || name[0] == '=')) {
            stress = name[0] == '\''  ? Lexical::Primary
                     : name[0] == ',' ? Lexical::Secondary
                                      : stress;
            name.remove_prefix(1);
        }
        if (!IsVowelPhoneme(name)) {
            continue;
        }
        syllables.push_back(stress);
        // i@ is i and schwa, except the stressed vowel of "hero", "period" before its r.
        const bool nearBeforeR =
            name == "i@" && stress != Lexical::None && phonemes.substr(i, 1) == "r";
        if (name == "aI3" || name == "aU3" || name == "aI@" || name == "aU@" || name == "aI@3" ||
            (name == "i@" && !nearBeforeR)) {
            syllables.push_back(Lexical::None);
        }
    }
    return syllables;
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

QStringList SplitWritten(const QString& word, int count) {
    if (count <= 1 || word.size() < 2) {
        return {word};
    }
    if (QStringList pieces = FromHyphenation(word, count); !pieces.isEmpty()) {
        return pieces;
    }
    const std::vector<Group> groups = FittedGroups(word, count);
    QStringList pieces;
    qsizetype start = 0;
    for (std::size_t i = 0; i + 1 < groups.size(); ++i) {
        const qsizetype split = SplitBetween(word, groups[i], groups[i + 1]);
        pieces << word.mid(start, split - start);
        start = split;
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
        if (piece.size() < 2) {
            break;
        }
        pieces[longest] = piece.left(piece.size() / 2);
        pieces.insert(longest + 1, piece.mid(piece.size() / 2));
    }
    return pieces;
}

}  // namespace corvale::firstpass
