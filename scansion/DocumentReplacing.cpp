// Replacing verse lines outright, as a rescan of the lines nobody touched does, and undoing
// that: not commits of the metrist's, but one step of the journal all the same.

#include "scansion/Document.h"

#include <algorithm>

namespace corvale {

namespace {

std::vector<std::string> Texts(Store::RowValues values) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(values.Count()));
    for (std::int32_t k = 1; k <= values.Count(); ++k) {
        texts.emplace_back(values[k]);
    }
    return texts;
}

std::int32_t Widest(const Document::LineRecord& record) {
    return static_cast<std::int32_t>(
        std::max({record.syllables.size(), record.stresses.size(), record.junctures.size()}));
}

}  // namespace

bool Document::IsLineCommittedByHand(std::int32_t j) const {
    return j >= 0 && static_cast<std::size_t>(j) < committedLines_.size() &&
           committedLines_[static_cast<std::size_t>(j)];
}

Document::LineRecord Document::RecordOf(std::int32_t j) const {
    return {j, Texts(store_.Values(ValueRow::Syllables, j)),
            Texts(store_.Values(ValueRow::Stresses, j)),
            Texts(store_.Values(ValueRow::Junctures, j)), std::string(store_.Comment(j))};
}

std::int32_t Document::Replace(std::span<const LineRecord> lines, std::int32_t lineShownAfter) {
    std::vector<LineRecord> before;
    std::vector<std::int32_t> unchanged;
    for (const LineRecord& record : lines) {
        if (record.line >= 1 && record.line <= NumberOfLines()) {
            before.push_back(RecordOf(record.line));
            if (!IsLineChanged(record.line)) {
                unchanged.push_back(record.line);
            }
        }
    }
    const std::int32_t changed = Put(lines, lineShownAfter);
    // Only the lines it changed are put back by an undo.
    std::erase_if(before, [&](const LineRecord& was) { return was == RecordOf(was.line); });
    replaced_ = std::move(before);
    unchangedBeforeReplacing_ = std::move(unchanged);
    return changed;
}

std::int32_t Document::UndoReplacement(std::int32_t lineShownAfter) {
    const std::vector<LineRecord> was = std::move(replaced_);
    replaced_.clear();
    const std::int32_t changed = Put(was, lineShownAfter);
    // A line put back as it stood before the rescan is no line changed since the load or save.
    for (const std::int32_t j : unchangedBeforeReplacing_) {
        const auto row = static_cast<std::size_t>(j);
        if (row < changedLines_.size() && changedLines_[row]) {
            changedLines_[row] = false;
            --changedLineCount_;
        }
    }
    unchangedBeforeReplacing_.clear();
    return changed;
}

std::int32_t Document::Put(std::span<const LineRecord> lines, std::int32_t lineShownAfter) {
    for (const LineRecord& record : lines) {
        Widen(Widest(record));
    }
    std::vector<std::int32_t> changed;
    for (const LineRecord& record : lines) {
        const std::int32_t j = record.line;
        if (j < 1 || j > NumberOfLines() || record == RecordOf(j)) {
            continue;
        }
        Tell([&](DocumentWatcher& watcher) { watcher.LineChanging(store_, j); });
        store_.SetValues(j, ValueRow::Syllables, record.syllables);
        store_.SetValues(j, ValueRow::Stresses, record.stresses);
        store_.SetValues(j, ValueRow::Junctures, record.junctures);
        store_.SetComment(j, record.comment);
        Tell([&](DocumentWatcher& watcher) { watcher.LineChanged(store_, j); });
        MarkLineChanged(j);
        changed.push_back(j);
    }
    JournalLines(changed, lineShownAfter);
    return static_cast<std::int32_t>(changed.size());
}

}  // namespace corvale
