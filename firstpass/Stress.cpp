#include "firstpass/Stress.h"

#include "meter/MeterCheck.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace corvale::firstpass {
namespace {

// Function words that verse leaves unstressed unless the line's position lifts them between two
// unstressed syllables: articles, the commonest prepositions and conjunctions, possessives.
constexpr auto kClitics = std::to_array<std::string_view>(
    {"a",    "an", "the", "of",  "to",   "and",  "th",  "o",     "in",
     "on",   "at", "by",  "for", "from", "with", "as",  "or",    "nor",
     "than", "my", "thy", "his", "her",  "its",  "our", "their", "your"});

// Monosyllabic function words the phrase weakens: pronouns, auxiliaries, conjunctions,
// demonstratives and question words. A strong place makes them heard.
constexpr auto kWeakened = std::to_array<std::string_view>(
    {"i",      "me",    "thee",  "thou",  "thine", "he",     "him",  "she",     "it",     "we",
     "us",     "you",   "ye",    "they",  "them",  "who",    "whom", "whose",   "which",  "that",
     "this",   "these", "those", "what",  "where", "how",    "then", "through", "thro",   "but",
     "if",     "so",    "yet",   "when",  "while", "though", "till", "lest",    "am",     "is",
     "are",    "was",   "were",  "be",    "been",  "have",   "has",  "hath",    "had",    "do",
     "does",   "doth",  "did",   "shall", "shalt", "will",   "wilt", "would",   "should", "can",
     "canst",  "could", "may",   "might", "must",  "art",    "tis",  "twas",    "such",   "there",
     "whilst", "not",   "no"});

// Prepositions and conjunctions of more than one syllable: the phrase weakens their stress too.
constexpr auto kWeakenedLonger = std::to_array<std::string_view>(
    {"after",   "upon",     "into",    "unto",   "about",   "above",   "before",
     "behind",  "below",    "beneath", "beside", "between", "beyond",  "within",
     "without", "against",  "among",   "across", "along",   "until",   "unless",
     "because", "although", "over",    "under",  "toward",  "towards", "amid"});

template <std::size_t N>
bool Holds(const std::array<std::string_view, N>& list, std::string_view word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

}  // namespace

bool IsMonosyllabicFunctionWord(const std::string& spoken) {
    return Holds(kClitics, spoken) || Holds(kWeakened, spoken);
}

std::vector<Weight> WeighWord(const std::string& spoken, const std::vector<Lexical>& syllables) {
    if (Holds(kClitics, spoken)) {
        return {Weight::Unstressed};
    }
    if (Holds(kWeakened, spoken)) {
        return {Weight::Weakened};
    }
    std::vector<Weight> weights;
    weights.reserve(syllables.size());
    for (Lexical stress : syllables) {
        weights.push_back(stress == Lexical::Primary     ? Weight::Stressed
                          : stress == Lexical::Secondary ? Weight::Secondary
                                                         : Weight::Unstressed);
    }
    if (Holds(kWeakenedLonger, spoken)) {
        std::replace(weights.begin(), weights.end(), Weight::Stressed, Weight::Weakened);
    }
    // A content monosyllable is stressed in its phrase even when the engine, alone, hears none.
    if (weights.size() == 1) {
        weights[0] = Weight::Stressed;
    }
    return weights;
}

std::vector<int> ValuesUnderMeter(const std::vector<Weight>& line, const meter::Meter& meter) {
    std::vector<int> values(line.size(), 1);
    const std::size_t n = line.size();
    for (std::size_t i = 0; i < n; ++i) {
        const bool strong = meter.IsStrong(static_cast<std::int32_t>(i) + 1);
        switch (line[i]) {
            case Weight::Stressed:
                values[i] = 3;
                break;
            case Weight::Secondary:
                values[i] = strong ? 2 : 1;
                break;
            case Weight::Weakened: {
                // A stress beside it outweighs it, even from a weak place.
                const bool beside = (i > 0 && line[i - 1] == Weight::Stressed) ||
                                    (i + 1 < n && line[i + 1] == Weight::Stressed);
                values[i] = strong && !beside ? 2 : 1;
                break;
            }
            case Weight::Unstressed: {
                // The line's end stands for an unstressed neighbour, and so does its start where
                // the beats alternate with single weak places (a triple meter may open on two
                // unstressed syllables).
                const bool after = i == 0 ? meter.IsStrong(3) : ValueBeforeMeter(line[i - 1]) == 1;
                const bool between = after && (i + 1 == n || ValueBeforeMeter(line[i + 1]) == 1);
                values[i] = strong && between ? 2 : 1;
                break;
            }
        }
    }
    // The first foot is the one most often inverted: a weakened word in the line's first weak
    // place takes the beat from an unstressed syllable (a clitic) in the strong place after it.
    if (n >= 2 && line[0] == Weight::Weakened && line[1] == Weight::Unstressed &&
        !meter.IsStrong(1) && meter.IsStrong(2)) {
        values[0] = 2;
        values[1] = 1;
    }
    return values;
}

}  // namespace corvale::firstpass
