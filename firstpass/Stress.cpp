#include "firstpass/Stress.h"

#include "meter/MeterCheck.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace corvale::firstpass {
namespace {

// Articles, and "o" before a name: verse leaves them unstressed unless the line's position lifts
// them between two unstressed syllables. No reader's convention moves them.
constexpr auto kArticles = std::to_array<std::string_view>({"a", "an", "the", "th", "o"});

// Words of one class that weigh alike, separated by spaces.
struct Group {
    Convention convention;
    int offset;  // how far their level stands from the class's
    std::string_view words;
};

using C = Convention;

// Function words of one syllable, by class. Each class's level is that of most of its words;
// an offset marks the words that weigh a step off it.
constexpr Group kMonosyllables[] = {
    {C::Negation, 0, "not no"},
    {C::Demonstrative, 0, "this these those that such there then"},
    {C::Pronoun, 0, "i me thee thou thine he him she it we us you ye they them"},
    {C::Possessive, 0, "my thy his her its our their your"},
    {C::Auxiliary, 0,
     "am is are was were be been have has hath had do does doth did shall shalt will wilt "
     "would should can canst could may might must art tis twas"},
    {C::Preposition, 0, "of to in on at by for from with"},
    {C::Preposition, 1, "through thro"},
    {C::Conjunction, -1, "and as or nor than"},
    {C::Conjunction, 0, "but if so yet though till lest while whilst"},
    {C::WhWord, 0, "who whom whose which what where how when"},
};

// Prepositions and conjunctions of more than one syllable: the phrase weakens their stress a
// step less than a preposition's of one.
constexpr Group kLonger[] = {
    {C::Preposition, 1,
     "after upon into unto about above before behind below beneath beside between beyond within "
     "without against among across along over under toward towards amid"},
    {C::Conjunction, 0, "until unless because although"},
};

template <std::size_t N>
std::optional<FunctionWord> Find(const Group (&groups)[N], std::string_view word) {
    for (const Group& group : groups) {
        for (std::string_view rest = group.words; !rest.empty();) {
            const std::size_t space = std::min(rest.find(' '), rest.size());
            if (rest.substr(0, space) == word) {
                return FunctionWord{group.convention, group.offset};
            }
            rest.remove_prefix(std::min(space + 1, rest.size()));
        }
    }
    return std::nullopt;
}

bool IsArticle(std::string_view word) {
    return std::find(kArticles.begin(), kArticles.end(), word) != kArticles.end();
}

}  // namespace

std::optional<FunctionWord> FunctionWordOf(const std::string& spoken) {
    const std::optional<FunctionWord> word = Find(kMonosyllables, spoken);
    return word ? word : Find(kLonger, spoken);
}

Weight FunctionWeight(FunctionWord word, const Conventions& conventions) {
    constexpr std::array<Weight, 5> kByLevel = {Weight::Toneless, Weight::Unstressed,
                                                Weight::Weakened, Weight::Lifted, Weight::Stressed};
    const int level =
        std::clamp(conventions[word.convention] + word.offset, static_cast<int>(kNeverStressed),
                   static_cast<int>(kAlwaysStressed));
    return kByLevel[static_cast<std::size_t>(level)];
}

bool IsMonosyllabicFunctionWord(const std::string& spoken) {
    return IsArticle(spoken) || Find(kMonosyllables, spoken).has_value();
}

WordWeights WeighWord(const std::string& spoken, const std::vector<Lexical>& syllables,
                      const Conventions& conventions, bool endsItsPhrase) {
    if (IsArticle(spoken)) {
        return {{Weight::Unstressed}};
    }
    if (const std::optional<FunctionWord> function = Find(kMonosyllables, spoken)) {
        return {{FunctionWeight(*function, conventions)}, 1};
    }
    WordWeights word;
    word.weights.reserve(syllables.size());
    for (Lexical stress : syllables) {
        word.weights.push_back(stress == Lexical::Primary     ? Weight::Stressed
                               : stress == Lexical::Secondary ? Weight::Secondary
                                                              : Weight::Unstressed);
    }
    // A content monosyllable is stressed in its phrase even when the engine, alone, hears none;
    // so is a longer function word that a reading makes one syllable.
    if (word.weights.size() == 1) {
        word.weights[0] = Weight::StressedMonosyllable;
        return word;
    }
    if (const std::optional<FunctionWord> function =
            endsItsPhrase ? std::nullopt : Find(kLonger, spoken)) {
        const Weight weight = FunctionWeight(*function, conventions);
        for (std::size_t i = 0; i < word.weights.size() && i < 32; ++i) {
            if (word.weights[i] == Weight::Stressed) {
                word.weights[i] = weight;
                word.byClass |= std::uint32_t{1} << i;
            }
        }
    }
    return word;
}

namespace {

// Whether a stressed monosyllable in the weak place i is made weak (Clash, WeakMonosyllable).
bool MadeWeak(const std::vector<Weight>& line, std::size_t i, const meter::Meter& meter,
              const Conventions& conventions) {
    const bool before = i > 0 && IsStress(line[i - 1]);
    const bool after = i + 1 < line.size() && IsStress(line[i + 1]);
    if (!before && !after) {
        return conventions[Convention::WeakMonosyllable] == 1;
    }
    switch (conventions[Convention::Clash]) {
        case 1:
            return before && after;
        case 2: {
            const auto place = static_cast<std::int32_t>(i) + 1;
            return (before && meter.IsStrong(place - 1)) || (after && meter.IsStrong(place + 1));
        }
        default:
            return false;
    }
}

// Whether an unstressed syllable at i stands between two syllables unstressed before the meter
// (LiftBetweenUnstressed): the line's end counts as one from level 2 on, and its start where
// the beats alternate with single weak places (a triple meter may open on two unstressed
// syllables), or from level 3 on in every meter.
bool BetweenUnstressed(const std::vector<Weight>& line, std::size_t i, const meter::Meter& meter,
                       int lift) {
    const std::size_t n = line.size();
    const bool start = lift >= 3 || (lift == 2 && meter.IsStrong(3));
    const bool before = i == 0 ? start : ValueBeforeMeter(line[i - 1]) == 1;
    const bool after = i + 1 == n ? lift >= 2 : ValueBeforeMeter(line[i + 1]) == 1;
    return lift > 0 && before && after;
}

// The inverted foot: a weakened or lifted word in a weak place takes the beat from an
// unstressed syllable (a clitic) in the strong place after it. The first foot is the one most
// often inverted.
void InvertFeet(const std::vector<Weight>& line, const meter::Meter& meter, int inversion,
                std::vector<int>& values) {
    const std::size_t last = inversion >= 2 ? line.size() : std::min<std::size_t>(line.size(), 1);
    for (std::size_t i = 0; inversion > 0 && i + 1 < line.size() && i < last; ++i) {
        const auto place = static_cast<std::int32_t>(i) + 1;
        if ((line[i] == Weight::Weakened || line[i] == Weight::Lifted) &&
            line[i + 1] == Weight::Unstressed && !meter.IsStrong(place) &&
            meter.IsStrong(place + 1)) {
            values[i] = 2;
            values[i + 1] = 1;
        }
    }
}

}  // namespace

std::vector<int> ValuesUnderMeter(const std::vector<Weight>& line, const meter::Meter& meter,
                                  const Conventions& conventions) {
    std::vector<int> values(line.size(), 1);
    const std::size_t n = line.size();
    const int secondary = conventions[Convention::SecondaryStress];
    const int lift = conventions[Convention::LiftBetweenUnstressed];
    for (std::size_t i = 0; i < n; ++i) {
        const bool strong = meter.IsStrong(static_cast<std::int32_t>(i) + 1);
        switch (line[i]) {
            case Weight::Stressed:
                values[i] = 3;
                break;
            case Weight::StressedMonosyllable:
                values[i] = strong || !MadeWeak(line, i, meter, conventions) ? 3 : 1;
                break;
            case Weight::Secondary:
                values[i] = secondary == 2 || (secondary == 1 && strong) ? 2 : 1;
                break;
            case Weight::Lifted:
                values[i] = strong ? 2 : 1;
                break;
            case Weight::Weakened: {
                // A stress beside it outweighs it, even from a weak place.
                const bool beside =
                    (i > 0 && IsStress(line[i - 1])) || (i + 1 < n && IsStress(line[i + 1]));
                values[i] = strong && !beside ? 2 : 1;
                break;
            }
            case Weight::Unstressed:
                values[i] = strong && BetweenUnstressed(line, i, meter, lift) ? 2 : 1;
                break;
            case Weight::Toneless:
                break;
        }
    }
    InvertFeet(line, meter, conventions[Convention::InvertedFirstFoot], values);
    return values;
}

}  // namespace corvale::firstpass
