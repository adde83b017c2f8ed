#pragma once

// The scansion files the exports are made from, for the command line. An export itself may go
// to any folder, written through the one output writer (platform/OutputFile.h).

#include "scansion/Refusal.h"
#include "scansion/ScansionFile.h"

#include <QString>

#include <string_view>

namespace corvale::exports {

// How an export names a file it could not load (scansion/ScansionFile.h): the reader's message
// and row where it found a fault, else what kept the file out, with the row 0.
Refusal ExportRefusal(const LoadRefusal& refused);

}  // namespace corvale::exports
