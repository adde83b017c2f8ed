#include "firstpass/Conventions.h"

#include <algorithm>

namespace corvale::firstpass {
namespace {

constexpr std::string_view kFunctionWordValues =
    "0 never stressed, 1 lifted to 2 in a strong place only between unstressed syllables, "
    "2 lifted in a strong place with no stress beside it, 3 lifted in every strong place, "
    "4 always stressed";
constexpr std::string_view kReadingValues =
    "offered to the meter 0 never, 1 in older printing, 2 in older verse (older printing "
    "included), 3 in any verse";

using C = Convention;

constexpr std::array<ConventionInfo, kConventionCount> kTable = {{
    {C::Clash, "clash", 0, 2, 0,
     "a stressed monosyllable in a weak place beside a stress (a clash)",
     "0 both stresses kept, 1 the monosyllable made weak between two stresses, 2 made weak "
     "beside a stress in a strong place"},
    {C::WeakMonosyllable, "weak-monosyllable", 0, 1, 0,
     "a stressed monosyllable alone in a weak place, no stress beside it", "0 kept, 1 made weak"},
    {C::InvertedFirstFoot, "inverted-first-foot", 0, 2, 1,
     "a weakened function word in a weak place taking the beat from an unstressed syllable in "
     "the strong place after it",
     "0 never, 1 at the line's start, 2 anywhere in the line"},
    {C::LiftBetweenUnstressed, "lift-between-unstressed", 0, 3, 2,
     "an unstressed syllable in a strong place between two unstressed ones, lifted to 2",
     "0 never, 1 inside the line only, 2 the line's end counting as unstressed, and its start "
     "in a duple meter, 3 the line's start counting in every meter"},
    {C::SecondaryStress, "secondary-stress", 0, 2, 1, "a word's secondary stress",
     "0 never heard, 1 heard as 2 in a strong place, 2 heard as 2 everywhere"},
    {C::Negation, "negation", 0, 4, 2, "not, no", kFunctionWordValues},
    {C::Demonstrative, "demonstrative", 0, 4, 2, "this, that, these, those, such, there, then",
     kFunctionWordValues},
    {C::Pronoun, "pronoun", 0, 4, 2, "subject and object pronouns: I, me, thou, thee, he, him, ...",
     kFunctionWordValues},
    {C::Possessive, "possessive", 0, 4, 1, "my, thy, his, her, its, our, their, your",
     kFunctionWordValues},
    {C::Auxiliary, "auxiliary", 0, 4, 2, "is, was, be, have, hath, do, shall, will, can, may, ...",
     kFunctionWordValues},
    {C::Preposition, "preposition", 0, 4, 1,
     "of, to, in, on, at, by, for, from, with (through and the longer ones, upon, into, ..., a "
     "step heavier)",
     kFunctionWordValues},
    {C::Conjunction, "conjunction", 0, 4, 2,
     "but, if, so, yet, though, till, while, until, because, ... (and, or, nor, as, than a step "
     "lighter)",
     kFunctionWordValues},
    {C::WhWord, "wh-word", 0, 4, 2, "who, whom, whose, which, what, where, how, when",
     kFunctionWordValues},
    {C::FireInOne, "fire-in-one", 0, 3, 3,
     "a diphthong run into r or a schwa as one syllable: fire, hour, desire", kReadingValues},
    {C::SaidEd, "said-ed", 0, 3, 2,
     "a silent -ed after a consonant other than t or d, said: wish-ed", kReadingValues},
    {C::SaidIon, "said-ion", 0, 3, 2, "the i of -ion, -ious, -ial, -ier, said: na-ti-on",
     kReadingValues},
    {C::EveryInThree, "every-in-three", 0, 3, 2,
     "a vowel the spelling writes before r, said: ev-e-ry, dif-fer-ent", kReadingValues},
    {C::Syncope, "syncope", 0, 3, 1,
     "an unstressed vowel before a lone r, l or n, dropped: mem'ry, wand'ring", kReadingValues},
    {C::HeavenInOne, "heaven-in-one", 0, 3, 1,
     "the vowel between v and a closing n, dropped: heav'n, ev'n, giv'n", kReadingValues},
    {C::Synaeresis, "synaeresis", 0, 3, 1,
     "another vowel run into an unstressed one, as one syllable: glo-rious, va-rious",
     kReadingValues},
}};

constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (static_cast<std::size_t>(kTable[i].convention) != i ||
            kTable[i].byDefault < kTable[i].least || kTable[i].byDefault > kTable[i].most) {
            return false;
        }
    }
    return true;
}
static_assert(InEnumOrder(), "the table follows the enum, each default within its range");

}  // namespace

const std::array<ConventionInfo, kConventionCount>& ConventionTable() {
    return kTable;
}

const ConventionInfo& InfoOf(Convention convention) {
    return kTable[static_cast<std::size_t>(convention)];
}

std::optional<Convention> ConventionNamed(std::string_view name) {
    const auto found =
        std::find_if(kTable.begin(), kTable.end(),
                     [name](const ConventionInfo& info) { return info.name == name; });
    return found == kTable.end() ? std::nullopt : std::optional(found->convention);
}

Conventions::Conventions() {
    for (const ConventionInfo& info : kTable) {
        values_[static_cast<std::size_t>(info.convention)] =
            static_cast<std::int8_t>(info.byDefault);
    }
}

}  // namespace corvale::firstpass
