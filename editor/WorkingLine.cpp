#include "editor/WorkingLine.h"

#include <algorithm>
#include <span>

namespace corvale::editor {

namespace {

std::size_t Size(std::int32_t width) {
    return static_cast<std::size_t>(std::max<std::int32_t>(width, 0)) + 1;
}

}  // namespace

std::string_view WorkingLine::At(const std::vector<std::string>& row, std::int32_t k) {
    return k >= 1 && static_cast<std::size_t>(k) < row.size() ? row[static_cast<std::size_t>(k)]
                                                              : std::string_view();
}

const std::vector<std::string>& WorkingLine::Row(ValueRow row) const {
    switch (row) {
        case ValueRow::Syllables:
            return syllables_;
        case ValueRow::Stresses:
            return stresses_;
        case ValueRow::Junctures:
            break;
    }
    return junctures_;
}

std::vector<std::string>& WorkingLine::Row(ValueRow row) {
    return const_cast<std::vector<std::string>&>(std::as_const(*this).Row(row));
}

void WorkingLine::Load(const Store& store, std::int32_t j, std::int32_t width) {
    Clear(width);
    for (const ValueRow row : {ValueRow::Syllables, ValueRow::Stresses, ValueRow::Junctures}) {
        const Store::RowValues values = store.Values(row, j);
        std::vector<std::string>& held = Row(row);
        const std::int32_t last = std::min(values.Count(), Width());
        for (std::int32_t k = 1; k <= last; ++k) {
            held[static_cast<std::size_t>(k)] = values[k];
        }
    }
}

// Fresh rows, so a wide earlier line leaves no capacity behind.
void WorkingLine::Clear(std::int32_t width) {
    syllables_ = std::vector<std::string>(Size(width));
    stresses_ = std::vector<std::string>(Size(width));
    junctures_ = std::vector<std::string>(Size(width));
}

void WorkingLine::Widen(std::int32_t width) {
    for (std::vector<std::string>* row : {&syllables_, &stresses_, &junctures_}) {
        row->resize(std::max(row->size(), Size(width)));
    }
}

void WorkingLine::Set(ValueRow row, std::int32_t k, std::string value) {
    std::vector<std::string>& held = Row(row);
    if (k >= 1 && static_cast<std::size_t>(k) < held.size()) {
        held[static_cast<std::size_t>(k)] = std::move(value);
    }
}

bool WorkingLine::Step(ValueRow row, std::int32_t k, StepDirection direction, std::int32_t bound) {
    if (row == ValueRow::Syllables || k < 1 || k > Width()) {
        return false;
    }
    std::optional<std::string> stepped = editor::Step(Value(row, k), direction, bound);
    if (!stepped) {
        return false;
    }
    Set(row, k, std::move(*stepped));
    return true;
}

MergeEffects WorkingLine::Merge(std::int32_t k) {
    return editor::Merge(syllables_, stresses_, junctures_, k, Width());
}

SplitOutcome WorkingLine::Split(std::int32_t k, std::size_t cut) {
    return editor::Split(syllables_, stresses_, junctures_, k, cut, Width());
}

CellLook WorkingLine::LookOf(std::int32_t k) const {
    return LookOfCell(syllables_, stresses_, junctures_, k);
}

LineValues WorkingLine::Values() const {
    const auto positions = [](const std::vector<std::string>& row) {
        return std::span<const std::string>(row).subspan(1);
    };
    return {positions(syllables_), positions(stresses_), positions(junctures_)};
}

void WorkingLine::Restore(Contents contents, std::int32_t width) {
    syllables_ = std::move(contents.syllables);
    stresses_ = std::move(contents.stresses);
    junctures_ = std::move(contents.junctures);
    const std::size_t size =
        std::max({syllables_.size(), stresses_.size(), junctures_.size(), Size(width)});
    for (std::vector<std::string>* row : {&syllables_, &stresses_, &junctures_}) {
        row->resize(size);
    }
}

}  // namespace corvale::editor
