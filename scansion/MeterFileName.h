#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace corvale {

// A file's name without its extension: "poems/ode.txt" gives "poems/ode". A name without an
// extension, or a hidden one like ".ode", stays whole. Names are bytes as the program holds
// them.
std::string NameWithoutExtension(std::string_view fileName);

// The meter file of a scansion file's own: "NAME.EXT" gives "NAME.meter.txt" in the same
// folder ("poems/ode.txt" gives "poems/ode.meter.txt"; a name without an extension, or a
// hidden one like ".ode", just gains ".meter.txt").
std::string OwnMeterFileName(std::string_view scansionFileName);

// What the program says of a scansion file without a meter: the two meter files it looked for,
// its own and "meter.txt" in `folder`, the program's.
QString NoMeterMessage(std::string_view scansionFileName, const QString& folder);

}  // namespace corvale
