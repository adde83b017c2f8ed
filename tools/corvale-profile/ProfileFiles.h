#pragma once

#include "analysis/Profile.h"
#include "scansion/Refusal.h"

#include <QString>

#include <optional>
#include <string>
#include <variant>

namespace corvale::profile_tool {

// The profile of one scansion file, named as `path` was given, under the meter of its meter
// file (NAME.meter.txt beside it, else meter.txt in its folder) or under `imposedMeter`, a
// meter file's row, when there is one. A file that cannot be read or is not a scansion file, a
// fault the record reader finds, and a meter file that is missing, unreadable or holds no
// symbol are refused; a fault's refusal names the file's row.
std::variant<analysis::NamedProfile, Refusal> ProfileFile(
    const QString& path, const std::optional<std::string>& imposedMeter);

}  // namespace corvale::profile_tool
