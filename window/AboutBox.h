#pragma once

// Corvale's identity: what "About Corvale" says, and the window icon.

#include <QIcon>
#include <QString>

namespace corvale {

// The version given to CMake's project().
QString CorvaleVersion();
// Name and version, what Corvale does, and the Qt it was built with and runs on.
QString AboutText();
// The window icon, compiled in at several sizes.
QIcon CorvaleIcon();

}  // namespace corvale
