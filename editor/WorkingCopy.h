#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The three rows of a working copy, as the edits that move whole positions see them.
namespace corvale::editor {

struct WorkingCopy {
    std::vector<std::string>& syllables;
    std::vector<std::string>& stresses;
    std::vector<std::string>& junctures;

    // Every row holds positions 0..m.
    bool Covers(std::int32_t m) const {
        const auto needed = static_cast<std::size_t>(m) + 1;
        return syllables.size() >= needed && stresses.size() >= needed &&
               junctures.size() >= needed;
    }
};

}  // namespace corvale::editor
