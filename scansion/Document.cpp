#include "scansion/Document.h"

#include <algorithm>

namespace corvale {

void DocumentWatcher::LineChanging(const Store&, std::int32_t) {}
void DocumentWatcher::LineChanged(const Store&, std::int32_t) {}
void DocumentWatcher::Loaded(const Store&) {}
void DocumentWatcher::ModifiedChanged(bool) {}

std::string_view Document::Syllable(std::int32_t j, std::int32_t k) const {
    return store_.Value(ValueRow::Syllables, j, k);
}

std::string_view Document::Stress(std::int32_t j, std::int32_t k) const {
    return store_.Value(ValueRow::Stresses, j, k);
}

std::string_view Document::Juncture(std::int32_t j, std::int32_t k) const {
    return store_.Value(ValueRow::Junctures, j, k);
}

void Document::AddWatcher(DocumentWatcher* watcher) {
    if (std::find(watchers_.begin(), watchers_.end(), watcher) == watchers_.end()) {
        watchers_.push_back(watcher);
    }
}

void Document::RemoveWatcher(DocumentWatcher* watcher) {
    std::erase(watchers_, watcher);
}

void Document::Take(std::string name, LoadedScansion&& file) {
    name_ = std::move(name);
    positions_ = std::max(positions_, file.store.MaximumPositions());
    store_ = std::move(file.store);
    store_.Widen(positions_);
    encoding_ = file.encoding;
    identity_ = file.identity;
    Loaded();
}

void Document::TakeNoFile(std::string name) {
    name_ = std::move(name);
    store_.Redimension(0, positions_);
    identity_.reset();
    Loaded();
}

void Document::SetMeters(std::vector<MeterFileRow> meters) {
    meters_ = meters.empty() ? std::vector<MeterFileRow>(1) : std::move(meters);
}

void Document::Close() {
    positions_ = 0;
    TakeNoFile({});
    meters_ = {MeterFileRow()};
}

void Document::Widen(std::int32_t m) {
    if (m > positions_) {
        positions_ = m;
        store_.Widen(m);
    }
}

void Document::Loaded() {
    ForgetChanges();
    committedLines_.assign(changedLines_.size(), false);
    replaced_.clear();
    journal_ = JournalState();
    Tell([&](DocumentWatcher& watcher) { watcher.Loaded(store_); });
}

bool Document::IsLineChanged(std::int32_t j) const {
    return j >= 0 && static_cast<std::size_t>(j) < changedLines_.size() &&
           changedLines_[static_cast<std::size_t>(j)];
}

void Document::SetModified(bool modified) {
    if (modified_ != modified) {
        modified_ = modified;
        Tell([&](DocumentWatcher& watcher) { watcher.ModifiedChanged(modified); });
    }
}

// After a load or a save the store holds what the file holds.
void Document::ForgetChanges() {
    keptIn_.reset();
    changedLines_.assign(static_cast<std::size_t>(std::max<std::int32_t>(NumberOfLines(), 0)) + 1,
                         false);
    changedLineCount_ = 0;
    SetModified(false);
}

void Document::MarkLineChanged(std::int32_t j) {
    keptIn_.reset();
    const auto row = static_cast<std::size_t>(j);
    if (j >= 1 && row < changedLines_.size() && !changedLines_[row]) {
        changedLines_[row] = true;
        ++changedLineCount_;
    }
    SetModified(true);
}

namespace {

// Positions 1..n of one kind, cut at the positions the document holds.
std::span<const std::string> Held(std::span<const std::string> values, std::int32_t positions) {
    return values.first(
        std::min(values.size(), static_cast<std::size_t>(std::max<std::int32_t>(positions, 0))));
}

}  // namespace

bool Document::Differs(std::int32_t j, const LineValues& values, std::string_view comment) const {
    if (comment != Comment(j)) {
        return true;
    }
    const auto differs = [&](std::span<const std::string> held, ValueRow row) {
        for (std::size_t k = 0; k < held.size(); ++k) {
            if (held[k] != store_.Value(row, j, static_cast<std::int32_t>(k) + 1)) {
                return true;
            }
        }
        return false;
    };
    return differs(Held(values.syllables, positions_), ValueRow::Syllables) ||
           differs(Held(values.stresses, positions_), ValueRow::Stresses) ||
           differs(Held(values.junctures, positions_), ValueRow::Junctures);
}

bool Document::Commit(std::int32_t j, const LineValues& values, std::string_view typedComment,
                      std::int32_t lineShownAfter) {
    // The comment may be a view into the store, which the first change below moves.
    const std::string comment(typedComment);
    // Row 0 holds no verse line and is never saved, so nothing there is a correction.
    const bool changes = j >= 1 && j <= NumberOfLines() && Differs(j, values, comment);
    if (j >= 1 && static_cast<std::size_t>(j) < committedLines_.size()) {
        committedLines_[static_cast<std::size_t>(j)] = true;
        replaced_.clear();  // a rescan is undone only before the work goes on
    }
    if (changes) {
        Tell([&](DocumentWatcher& watcher) { watcher.LineChanging(store_, j); });
    }
    store_.SetValues(j, ValueRow::Syllables, Held(values.syllables, positions_));
    store_.SetValues(j, ValueRow::Stresses, Held(values.stresses, positions_));
    store_.SetValues(j, ValueRow::Junctures, Held(values.junctures, positions_));
    store_.SetComment(j, comment);
    if (changes) {
        Tell([&](DocumentWatcher& watcher) { watcher.LineChanged(store_, j); });
        MarkLineChanged(j);
        JournalCommit(j, lineShownAfter);
    }
    return changes;
}

}  // namespace corvale
