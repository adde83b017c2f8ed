#pragma once

// Exports from files and into them, for the command line and the window. An export may go to
// any folder: it is the one kind of file the program writes outside its working folder.

#include "scansion/Refusal.h"
#include "scansion/ScansionFile.h"

#include <QString>

#include <string_view>

namespace corvale::exports {

// How an export names a file it could not load (scansion/ScansionFile.h): the reader's message
// and row where it found a fault, else what kept the file out, with the row 0.
Refusal ExportRefusal(const LoadRefusal& refused);

enum class Replacing { Allowed, Never };

// Writes the bytes in full under a temporary name beside `path`, then puts them in place: over
// whatever file stands there (QSaveFile), or, with Replacing::Never, only where nothing stands
// yet, even should a file appear meanwhile. A failure leaves no file of the call behind, and
// what stood at `path` untouched. Gives an empty text on success, else why it failed.
QString WriteExportFile(const QString& path, std::string_view bytes, Replacing replacing);

}  // namespace corvale::exports
