#include "export/ShownWords.h"

namespace corvale::exports {

namespace {

// Only this exact text binds a syllable to the next, as the window draws words.
constexpr std::string_view kBindingJuncture = "1";

}  // namespace

void ReadShownSyllables(const Store& store, std::int32_t j, meter::ShownLine& reading,
                        std::vector<ShownSyllable>& syllables) {
    reading.Read(store, j);
    syllables.clear();
    std::int32_t word = 1;
    for (const meter::ShownLine::Syllable& shown : reading.Syllables()) {
        ShownSyllable& syllable = syllables.emplace_back();
        syllable.column = shown.column;
        syllable.word = word;
        syllable.stressed = shown.stress > 1.0;
        syllable.syllable = store.Value(ValueRow::Syllables, j, shown.column);
        syllable.stress = store.Value(ValueRow::Stresses, j, shown.column);
        syllable.juncture = store.Value(ValueRow::Junctures, j, shown.column);
        syllable.endsWord = syllable.juncture != kBindingJuncture;
        if (syllable.endsWord) {
            ++word;
        }
    }
    if (!syllables.empty()) {
        syllables.back().endsWord = true;
    }
}

std::string RealMarks(const std::vector<ShownSyllable>& syllables) {
    std::string real;
    for (const ShownSyllable& syllable : syllables) {
        real += syllable.stressed ? '+' : '-';
    }
    return real;
}

}  // namespace corvale::exports
