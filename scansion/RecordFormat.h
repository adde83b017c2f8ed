#pragma once

#include "scansion/Store.h"

#include <cstdint>
#include <string>

namespace corvale {

// Appends verse line j of the store as the scansion file holds it: its syllables, stress,
// juncture and comment rows, each numbered j and ending in CR LF, with the values of positions
// 1..positions. The saved file is these records for j = 1, 2, ... in order.
void AppendRecord(std::string& out, const Store& store, std::int32_t j, std::int32_t positions);

}  // namespace corvale
