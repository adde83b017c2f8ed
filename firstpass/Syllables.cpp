#include "firstpass/Syllables.h"

#include <algorithm>
#include <array>

namespace corvale::firstpass {
namespace {

// A vowel, or a consonant the engine marks as a syllable of its own: the n of "written" and
// "button" ("n-"), and an m or l so marked.
bool IsVowelPhoneme(std::string_view name) {
    if (name == "n-" || name == "m-" || name == "l-") {
        return true;
    }
    return !name.empty() &&
           std::string_view("aeiouAEIOUV@30").find(name[0]) != std::string_view::npos;
}

// Pauses and marks between phonemes ("_:", ";") are no sounds.
bool IsConsonantPhoneme(std::string_view name) {
    return !name.empty() && name[0] != '_' && name[0] != ';' && !IsVowelPhoneme(name);
}

// A vowel that verse hears as two syllables: its first part and the schwa that follows.
struct RunOn {
    std::string_view name;
    std::string_view first;
    std::string_view second;
};
constexpr std::array<RunOn, 6> kRunOns = {{{"aI3", "aI", "3"},
                                           {"aU3", "aU", "3"},
                                           {"aI@", "aI", "@"},
                                           {"aU@", "aU", "@"},
                                           {"aI@3", "aI", "@3"},
                                           {"i@", "i", "@"}}};

}  // namespace

VowelKind SpokenSyllable::Kind() const {
    static constexpr auto kShort =
        std::to_array<std::string_view>({"a", "aa", "a#", "E", "I", "0", "V", "U", "O2"});
    static constexpr auto kBeforeR =
        std::to_array<std::string_view>({"O:", "A:", "o@", "O@", "A@", "e@", "3:"});
    static constexpr auto kLong = std::to_array<std::string_view>(
        {"i:", "u:", "eI", "aI", "OI", "oU", "aU", "i@", "U@", "i@3", "aI@", "aU@", "aI3", "aU3"});
    if (vowel.empty()) {
        return VowelKind::Unknown;
    }
    if (std::find(kShort.begin(), kShort.end(), vowel) != kShort.end()) {
        return VowelKind::Short;
    }
    if (std::find(kBeforeR.begin(), kBeforeR.end(), vowel) != kBeforeR.end()) {
        return VowelKind::BeforeR;
    }
    return std::find(kLong.begin(), kLong.end(), vowel) != kLong.end() ? VowelKind::Long
                                                                       : VowelKind::Reduced;
}

SpokenWord ReadPhonemes(std::string_view phonemes) {
    SpokenWord word;
    std::string consonants;
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
        if (IsConsonantPhoneme(name)) {
            consonants.append(name).push_back('|');
            continue;
        }
        if (!IsVowelPhoneme(name)) {
            continue;
        }
        // i@ is i and schwa, except the stressed vowel of "hero", "period" before its r.
        const bool nearBeforeR =
            name == "i@" && stress != Lexical::None && phonemes.substr(i, 1) == "r";
        const auto runOn = std::find_if(kRunOns.begin(), kRunOns.end(),
                                        [name](const RunOn& r) { return r.name == name; });
        if (runOn == kRunOns.end() || nearBeforeR) {
            word.syllables.push_back({stress, std::string(name), std::move(consonants)});
        } else {
            word.syllables.push_back({stress, std::string(runOn->first), std::move(consonants)});
            word.syllables.push_back({Lexical::None, std::string(runOn->second), {}});
        }
        consonants.clear();
    }
    word.coda = std::move(consonants);
    return word;
}

std::vector<Lexical> SpokenWord::Stresses() const {
    std::vector<Lexical> stresses;
    stresses.reserve(syllables.size());
    for (const SpokenSyllable& syllable : syllables) {
        stresses.push_back(syllable.stress);
    }
    return stresses;
}

SpokenWord UnspokenWord(int count) {
    SpokenWord word;
    word.syllables.resize(static_cast<std::size_t>(std::max(count, 1)));
    word.syllables[0].stress = Lexical::Primary;
    return word;
}

}  // namespace corvale::firstpass
