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

void Workspace::RedimensionArrays() {
    store_.Redimension(NumberOfLines, MaximumNumberOfSyllables);
    const auto size =
        static_cast<std::size_t>(std::max<std::int32_t>(MaximumNumberOfSyllables, 0)) + 1;
    // Fresh vectors, so a wide earlier file leaves no capacity behind.
    CurrentSyllables = std::vector<std::string>(size);
    CurrentStresses = std::vector<std::string>(size);
    CurrentJunctures = std::vector<std::string>(size);
}

void Workspace::LoadScansionFile() {
    FindMaximumNumberOfSyllables();
    RedimensionArrays();
    LookUpData();
}

void Workspace::CommitWorkingCopy(std::string_view comment) {
    const auto positions = [&](const std::vector<std::string>& copy) {
        const std::size_t wanted =
            static_cast<std::size_t>(std::max<std::int32_t>(MaximumNumberOfSyllables, 0));
        const std::size_t held = copy.empty() ? 0 : std::min(copy.size() - 1, wanted);
        return std::span<const std::string>(copy).subspan(copy.empty() ? 0 : 1, held);
    };
    store_.SetValues(CurrentLine, ValueRow::Syllables, positions(CurrentSyllables));
    store_.SetValues(CurrentLine, ValueRow::Stresses, positions(CurrentStresses));
    store_.SetValues(CurrentLine, ValueRow::Junctures, positions(CurrentJunctures));
    store_.SetComment(CurrentLine, comment);
}

}  // namespace corvale
