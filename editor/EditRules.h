#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The edit rules of the line editor, free of widgets: stepping a value, how a syllable box
// looks, and merging two syllables of the working copy.
namespace corvale::editor {

enum class StepDirection { Up, Down };

// The value after one step of exactly 1, or nullopt when the step is refused: the value's
// number (the whole text, spaces around allowed) is at or beyond the bound in that direction,
// or the text is not a number. An empty or all-space value steps as if it were 0, so a
// missing value can be filled in.
std::optional<std::string> Step(std::string_view value, StepDirection direction,
                                std::int32_t bound);

enum class CellAlignment { Centred, Left, Right };

struct CellLook {
    std::string text;  // bytes to show: "%" becomes "--", a syllable bound on both sides gets "-"
    CellAlignment alignment = CellAlignment::Centred;
    bool bold = false;  // the stress's numeric value is above 1
};

// How syllable box i (1-based) shows position i of the working copy. A juncture of exactly "1"
// binds the syllables on both sides of it; the first syllable is never bound to a previous one.
// Precondition: the three vectors have more than i elements.
CellLook LookOfCell(const std::vector<std::string>& syllables,
                    const std::vector<std::string>& stresses,
                    const std::vector<std::string>& junctures, std::int32_t i);

// Which controls a merge hides, by column, in the order they are to be hidden.
struct MergeEffects {
    std::vector<std::int32_t> hiddenSyllableBoxes;
    std::vector<std::int32_t> hiddenStressColumns;    // box and both buttons
    std::vector<std::int32_t> hiddenJunctureColumns;  // box and both buttons
    std::vector<std::int32_t> hiddenMergeButtons;
};

// Merges position k + 1 into position k of a working copy with positions 1..m: syllables joined
// with one blank, the numerically higher stress text kept (ties keep the left), the right-hand
// juncture, the rest shifted left and position m emptied. A merge only ever hides controls.
// Outside 1 <= k < m, or with vectors shorter than m + 1, nothing changes.
MergeEffects Merge(std::vector<std::string>& syllables, std::vector<std::string>& stresses,
                   std::vector<std::string>& junctures, std::int32_t k, std::int32_t m);

}  // namespace corvale::editor
