#pragma once

// The files Corvale writes itself, which are never poems: a first pass over a folder's files
// passes them over instead of scanning them, or scanning its own outputs again.

#include <QString>

#include <optional>
#include <string>

namespace corvale::firstpass {

// What the file at `path` is when Corvale wrote it: "a scansion file" (a kept
// "*.unsaved-corrections.txt" is one too), "a meter file" (a name ending in "meter.txt" whose
// rows hold only the meter's symbols, W and S) or "the memory file". nullopt for any other
// file, and for one that cannot be read, which the poem reader then refuses.
std::optional<std::string> CorvalesOwnFile(const QString& path);

}  // namespace corvale::firstpass
