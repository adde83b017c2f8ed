#pragma once

#include "ToolHabits.h"

#include <QStringList>

#include <ostream>

namespace corvale {

// Exit codes of corvale-scan.
inline constexpr int kToolDone = 0;
inline constexpr int kToolSomeFailed = 1;  // a poem refused, skipped or not written; a comparison
                                           // whose file cannot be read
inline constexpr int kToolUsageError = tools::kUsageError;

// corvale-scan with these arguments (the program's name first): results on `out`, messages and
// progress on `err`. Returns the exit code.
int RunScanTool(const QStringList& arguments, std::ostream& out, std::ostream& err);

}  // namespace corvale
