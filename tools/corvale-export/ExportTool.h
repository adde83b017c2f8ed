#pragma once

#include "ToolHabits.h"

#include <QStringList>

#include <ostream>

namespace corvale {

// Exit codes of corvale-export.
inline constexpr int kExportDone = 0;
inline constexpr int kExportSomeFailed = 1;  // a file refused, skipped or not written
inline constexpr int kExportUsageError = tools::kUsageError;

// corvale-export with these arguments (the program's name first): summaries, or the exports
// themselves with "-o -", on `out`; messages on `err`. Returns the exit code.
int RunExportTool(const QStringList& arguments, std::ostream& out, std::ostream& err);

}  // namespace corvale
