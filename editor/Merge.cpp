#include "editor/EditRules.h"
#include "editor/WorkingCopy.h"
#include "scansion/Numbers.h"

#include <cstddef>

namespace corvale::editor {

namespace {

bool CanMerge(const WorkingCopy& line, std::int32_t k, std::int32_t m) {
    return k >= 1 && k < m && line.Covers(m);
}

// Position k takes in position k + 1: the texts side by side with exactly one blank, the
// stronger stress (the left one on a tie, texts copied unchanged), the right-hand juncture.
void JoinIntoLeft(WorkingCopy& line, std::size_t k) {
    line.syllables[k] = line.syllables[k] + " " + line.syllables[k + 1];
    if (num::NumericValue(line.stresses[k + 1]) > num::NumericValue(line.stresses[k])) {
        line.stresses[k] = line.stresses[k + 1];
    }
    line.junctures[k] = line.junctures[k + 1];
}

// Moves position i + 1 into position i and notes what an emptied position hides.
void ShiftOne(WorkingCopy& line, std::int32_t i, MergeEffects& effects) {
    const auto at = static_cast<std::size_t>(i);
    line.syllables[at] = line.syllables[at + 1];
    if (line.syllables[at].empty()) {
        effects.hiddenSyllableBoxes.push_back(i);
        effects.hiddenMergeButtons.push_back(i);
        effects.hiddenMergeButtons.push_back(i - 1);
    }
    line.stresses[at] = line.stresses[at + 1];
    if (line.stresses[at].empty()) {
        effects.hiddenStressColumns.push_back(i);
    }
    line.junctures[at] = line.junctures[at + 1];
    if (line.junctures[at].empty()) {
        effects.hiddenJunctureColumns.push_back(i);
    }
}

// The last position is left empty, and with it the merge button before it.
void EmptyLast(WorkingCopy& line, std::int32_t m, MergeEffects& effects) {
    const auto at = static_cast<std::size_t>(m);
    line.syllables[at].clear();
    line.stresses[at].clear();
    line.junctures[at].clear();
    effects.hiddenSyllableBoxes.push_back(m);
    effects.hiddenStressColumns.push_back(m);
    effects.hiddenJunctureColumns.push_back(m);
    effects.hiddenMergeButtons.push_back(m - 1);
}

}  // namespace

MergeEffects Merge(std::vector<std::string>& syllables, std::vector<std::string>& stresses,
                   std::vector<std::string>& junctures, std::int32_t k, std::int32_t m) {
    MergeEffects effects;
    WorkingCopy line{syllables, stresses, junctures};
    if (!CanMerge(line, k, m)) {
        return effects;
    }
    JoinIntoLeft(line, static_cast<std::size_t>(k));
    for (std::int32_t i = k + 1; i <= m - 1; ++i) {
        ShiftOne(line, i, effects);
    }
    EmptyLast(line, m, effects);
    return effects;
}

}  // namespace corvale::editor
