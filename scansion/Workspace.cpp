#include "scansion/Workspace.h"

#include <algorithm>
#include <span>

namespace corvale {

std::string_view Workspace::Syllables(std::int32_t j, std::int32_t k) const {
    return store_.Value(ValueRow::Syllables, j, k);
}

std::string_view Workspace::Stresses(std::int32_t j, std::int32_t k) const {
    return store_.Value(ValueRow::Stresses, j, k);
}

std::string_view Workspace::Junctures(std::int32_t j, std::int32_t k) const {
    return store_.Value(ValueRow::Junctures, j, k);
}

void Workspace::SizeStore() {
    store_.Redimension(NumberOfLines, MaximumNumberOfSyllables);
    const auto size =
        static_cast<std::size_t>(std::max<std::int32_t>(MaximumNumberOfSyllables, 0)) + 1;
    // Fresh vectors, so a wide earlier file leaves no capacity behind.
    CurrentSyllables = std::vector<std::string>(size);
    CurrentStresses = std::vector<std::string>(size);
    CurrentJunctures = std::vector<std::string>(size);
}

void Workspace::WidenLines(std::int32_t m) {
    if (m <= MaximumNumberOfSyllables) {
        return;
    }
    MaximumNumberOfSyllables = m;
    store_.Widen(m);
    const auto size = static_cast<std::size_t>(m) + 1;
    for (std::vector<std::string>* copy :
         {&CurrentSyllables, &CurrentStresses, &CurrentJunctures}) {
        copy->resize(std::max(copy->size(), size));
    }
}

bool Workspace::LoadScansionFile() {
    refused_ = false;
    SurveyFile();
    if (refused_) {
        return false;
    }
    SizeStore();
    LoadRecords();
    ForgetChanges();
    journal_ = JournalState();
    if (lineWatcher_) {
        lineWatcher_->StoreLoaded(store_);
    }
    return true;
}

bool Workspace::IsLineChanged(std::int32_t j) const {
    return j >= 0 && static_cast<std::size_t>(j) < changedLines_.size() &&
           changedLines_[static_cast<std::size_t>(j)];
}

void Workspace::SetModified(bool modified) {
    if (modified_ != modified) {
        modified_ = modified;
        if (modifiedChanged_) {
            modifiedChanged_();
        }
    }
}

// After a load or a save the store holds what the file holds.
void Workspace::ForgetChanges() {
    changedLines_.assign(static_cast<std::size_t>(std::max<std::int32_t>(NumberOfLines, 0)) + 1,
                         false);
    changedLineCount_ = 0;
    SetModified(false);
}

void Workspace::MarkLineChanged(std::int32_t j) {
    const auto row = static_cast<std::size_t>(j);
    if (j >= 1 && row < changedLines_.size() && !changedLines_[row]) {
        changedLines_[row] = true;
        ++changedLineCount_;
    }
    SetModified(true);
}

bool Workspace::WorkingCopyDiffers(std::string_view comment) const {
    if (comment != Comments(CurrentLine)) {
        return true;
    }
    const auto differs = [&](const std::vector<std::string>& copy, ValueRow row) {
        const std::int32_t m = std::min<std::int32_t>(MaximumNumberOfSyllables,
                                                      static_cast<std::int32_t>(copy.size()) - 1);
        for (std::int32_t k = 1; k <= m; ++k) {
            if (copy[static_cast<std::size_t>(k)] != store_.Value(row, CurrentLine, k)) {
                return true;
            }
        }
        return false;
    };
    return differs(CurrentSyllables, ValueRow::Syllables) ||
           differs(CurrentStresses, ValueRow::Stresses) ||
           differs(CurrentJunctures, ValueRow::Junctures);
}

bool Workspace::CommitWorkingCopy(std::string_view typedComment) {
    // The comment may be a view into the store, which the first change below moves.
    const std::string comment(typedComment);
    // Row 0 holds no verse line and is never saved, so nothing there is a correction.
    const bool changes =
        CurrentLine >= 1 && CurrentLine <= NumberOfLines && WorkingCopyDiffers(comment);
    const auto positions = [&](const std::vector<std::string>& copy) {
        const std::size_t wanted =
            static_cast<std::size_t>(std::max<std::int32_t>(MaximumNumberOfSyllables, 0));
        const std::size_t held = copy.empty() ? 0 : std::min(copy.size() - 1, wanted);
        return std::span<const std::string>(copy).subspan(copy.empty() ? 0 : 1, held);
    };
    if (changes && lineWatcher_) {
        lineWatcher_->LineLeaving(store_, CurrentLine);
    }
    store_.SetValues(CurrentLine, ValueRow::Syllables, positions(CurrentSyllables));
    store_.SetValues(CurrentLine, ValueRow::Stresses, positions(CurrentStresses));
    store_.SetValues(CurrentLine, ValueRow::Junctures, positions(CurrentJunctures));
    store_.SetComment(CurrentLine, comment);
    if (changes) {
        if (lineWatcher_) {
            lineWatcher_->LineArrived(store_, CurrentLine);
        }
        MarkLineChanged(CurrentLine);
        JournalCommit(CurrentLine, CurrentLine < NumberOfLines ? CurrentLine + 1 : CurrentLine);
    }
    return changes;
}

}  // namespace corvale
