#include "editor/EditRules.h"

#include "scansion/Numbers.h"

namespace corvale::editor {

namespace {

// Only this exact text binds two syllables into one word: " 1", "01" or "1.0" do not.
constexpr std::string_view kBindingJuncture = "1";

std::string_view At(const std::vector<std::string>& texts, std::int32_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= texts.size()) {
        return {};
    }
    return texts[static_cast<std::size_t>(i)];
}

std::string DisplayText(std::string_view syllable) {
    std::string text;
    text.reserve(syllable.size());
    for (const char c : syllable) {
        if (c == '%') {
            text += "--";
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace

CellLook LookOfCell(const std::vector<std::string>& syllables,
                    const std::vector<std::string>& stresses,
                    const std::vector<std::string>& junctures, std::int32_t i) {
    const bool joinedToPrevious = i >= 2 && At(junctures, i - 1) == kBindingJuncture;
    const bool joinedToNext = At(junctures, i) == kBindingJuncture;

    CellLook look;
    look.text = DisplayText(At(syllables, i));
    if (joinedToPrevious && joinedToNext) {
        look.text += '-';
    }
    if (joinedToPrevious) {
        look.alignment = CellAlignment::Left;
    } else if (joinedToNext) {
        look.alignment = CellAlignment::Right;
    }
    look.bold = num::NumericValue(At(stresses, i)) > 1;
    return look;
}

}  // namespace corvale::editor
