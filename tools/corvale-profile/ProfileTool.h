#pragma once

#include "ToolHabits.h"

#include <QStringList>

#include <ostream>

namespace corvale {

// Exit codes of corvale-profile.
inline constexpr int kProfileDone = 0;
inline constexpr int kProfileSomeRefused = 1;  // a file was refused; the others were profiled
inline constexpr int kProfileUsageError = tools::kUsageError;

// corvale-profile with these arguments (the program's name first): the profiles on `out`,
// refusals on `err` as "file:row: message". Returns the exit code.
int RunProfileTool(const QStringList& arguments, std::ostream& out, std::ostream& err);

}  // namespace corvale
