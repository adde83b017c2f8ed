#pragma once

// Exports from files and into them, for the command line and the window. An export may go to
// any folder: it is the one kind of file the program writes outside its working folder.

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

enum class Replacing { Allowed, Never };

// Writes the bytes in full under a temporary name beside `path`, then puts them in place: over
// whatever file stands there (QSaveFile), or, with Replacing::Never, only where nothing stands
// yet, even should a file appear meanwhile. A failure leaves no file of the call behind, and
// what stood at `path` untouched. Gives an empty text on success, else why it failed.
QString WriteExportFile(const QString& path, std::string_view bytes, Replacing replacing);

}  // namespace corvale::exports
