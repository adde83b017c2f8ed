#pragma once

// The line on screen as the user edits it: its syllables, stresses and junctures by position,
// 1..Width(), filled from the document when the line is shown and copied back by a commit. Every
// edit goes through its methods, which keep the three rows the same length. Values stay text,
// since a file may hold values such as "2.5".

#include "editor/EditRules.h"
#include "scansion/Document.h"
#include "scansion/Store.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvale::editor {

class WorkingLine {
public:
    // Row j of the store, positions 1..width; positions a row does not hold are empty.
    void Load(const Store& store, std::int32_t j, std::int32_t width);
    // Every position empty, at this width.
    void Clear(std::int32_t width);
    // More positions, empty, keeping every value; a smaller width changes nothing.
    void Widen(std::int32_t width);
    std::int32_t Width() const { return static_cast<std::int32_t>(syllables_.size()) - 1; }

    // Position k, 1..Width(); any other k reads as empty.
    std::string_view Syllable(std::int32_t k) const { return At(syllables_, k); }
    std::string_view Stress(std::int32_t k) const { return At(stresses_, k); }
    std::string_view Juncture(std::int32_t k) const { return At(junctures_, k); }
    std::string_view Value(ValueRow row, std::int32_t k) const { return At(Row(row), k); }
    // Outside 1..Width() nothing changes.
    void Set(ValueRow row, std::int32_t k, std::string value);

    // One step of the stress or juncture value of position k (EditRules' Step); false when the
    // step is refused, or k is outside the line.
    bool Step(ValueRow row, std::int32_t k, StepDirection direction, std::int32_t bound);
    // Merges position k + 1 into k (EditRules' Merge).
    MergeEffects Merge(std::int32_t k);
    // Splits syllable k at byte `cut` (EditRules' Split); a full line grows by a position.
    SplitOutcome Split(std::int32_t k, std::size_t cut);
    // How syllable box k shows position k.
    CellLook LookOf(std::int32_t k) const;

    // The rows as the meter rule reads them, position 0 first (always empty).
    const std::vector<std::string>& Syllables() const { return syllables_; }
    const std::vector<std::string>& Stresses() const { return stresses_; }
    const std::vector<std::string>& Junctures() const { return junctures_; }
    // Positions 1..Width() of each kind, for a commit.
    LineValues Values() const;

    // The whole line, to put back as it was (an undo).
    struct Contents {
        std::vector<std::string> syllables;
        std::vector<std::string> stresses;
        std::vector<std::string> junctures;
        bool operator==(const Contents&) const = default;
    };
    Contents Copy() const { return {syllables_, stresses_, junctures_}; }
    // The line as it was, at least `width` positions wide.
    void Restore(Contents contents, std::int32_t width);

private:
    static std::string_view At(const std::vector<std::string>& row, std::int32_t k);
    const std::vector<std::string>& Row(ValueRow row) const;
    std::vector<std::string>& Row(ValueRow row);

    // Position 0 first, never a syllable.
    std::vector<std::string> syllables_{1};
    std::vector<std::string> stresses_{1};
    std::vector<std::string> junctures_{1};
};

}  // namespace corvale::editor
