#pragma once

// The poems the first pass's benchmarks read.

#include "firstpass/FirstPass.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvale::bench {

// Sonnet 18 as a plain poem.
const std::vector<std::string>& Sonnet18();

// `count` verse lines, each a line of the sonnet, of two lines most of whose words have readings
// besides the spoken one ("vnto" makes the poem one in older printing, where every rule of the
// table is weighed) or of a ballad stanza, with its words turned round by a step that changes
// every twenty lines, so that the lines' patterns vary as a long poem's do.
firstpass::Poem LongPoem(std::int64_t count);

}  // namespace corvale::bench
