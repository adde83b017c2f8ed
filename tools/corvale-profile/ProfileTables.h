#pragma once

#include "analysis/Profile.h"

#include <string>

namespace corvale::profile_tool {

// One profile as an aligned table: a heading naming its files and meter, a row per place with
// each figure's count and share, then the file's figures, each on a row of its own.
std::string ProfileTable(const analysis::NamedProfile& profile);

}  // namespace corvale::profile_tool
