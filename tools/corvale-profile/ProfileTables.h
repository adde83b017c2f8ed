#pragma once

#include "analysis/Profile.h"

#include <span>
#include <string>

namespace corvale::profile_tool {

// One profile as an aligned table: a heading naming its files and meter, a row per place with
// each figure's count and share, then the file's figures, each on a row of its own.
std::string ProfileTable(const analysis::NamedProfile& profile);
// Profiles of one meter side by side, to compare them: a row per place with each profile's
// shares, then the file's figures with a column per profile.
std::string SideBySide(std::span<const analysis::NamedProfile> profiles);

}  // namespace corvale::profile_tool
