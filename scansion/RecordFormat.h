#pragma once

#include "scansion/Store.h"

#include <cstdint>
#include <string>

namespace corvale {

// A verse line holds at most this many syllable positions; the reader refuses wider files.
// Real verse lines have under a hundred syllables, and the window cannot lay out thousands of
// columns.
inline constexpr std::int32_t kMostPositions = 1000;

// Appends verse line j of the store as the scansion file holds it: its syllables, stress,
// juncture and comment rows, each numbered j and ending in CR LF, with the values of positions
// 1..positions. The saved file is these records for j = 1, 2, ... in order.
void AppendRecord(std::string& out, const Store& store, std::int32_t j, std::int32_t positions);

}  // namespace corvale
