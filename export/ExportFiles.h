#pragma once

// The scansion files the exports are made from, for the command line. An export itself may go
// to any folder, written through the one output writer (platform/OutputFile.h).

#include "platform/TextCodec.h"
#include "scansion/Refusal.h"
#include "scansion/Store.h"

#include <QString>

#include <cstdint>
#include <string_view>
#include <variant>

namespace corvale::exports {

// A scansion file read whole, as the program loads one.
struct LoadedScansion {
    Store store;
    Encoding encoding = Encoding::Utf8;
};

// Reads the scansion file at `path` through the record reader. Refused: a file that cannot be
// read, is not an ordinary file, holds more than kLargestReadableFile bytes or is not a
// scansion file, and one whose records the reader finds a fault in (with the reader's message
// and row).
std::variant<LoadedScansion, Refusal> LoadScansionFile(const QString& path);

}  // namespace corvale::exports
