#pragma once

// The conventions file, conventions.txt: the first pass's conventions as a small text file that
// a metrist may read and edit. Its first row names it (kConventionsFirstRow); then each
// convention stands on a row of its own, "name TAB value", after a comment row that begins with
// "#" and says what the values mean. Blank rows and further comment rows are allowed anywhere.

#include "firstpass/Conventions.h"
#include "firstpass/FirstPass.h"

#include <QString>

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvale::firstpass {

// A conventions file as read: every convention it names, the defaults for the rest, and what
// it held that was passed over (an unknown name, a name given twice).
struct ConventionsRead {
    Conventions conventions;
    std::vector<Warning> warnings;
};

// Reads a conventions file's bytes, UTF-8 with or without a byte order mark, rows ending in LF
// or CR LF. Refuses, naming the row, bytes that do not begin with the first row, a row that is
// neither blank nor a comment and has no tab, and a value that is not a whole number within its
// convention's range; nothing is taken from a file refused.
std::variant<ConventionsRead, Refusal> ReadConventions(std::string_view bytes);
// The same for the file at `path`; also refuses a file that cannot be read, and one larger than
// any conventions file, with row 0.
std::variant<ConventionsRead, Refusal> ReadConventionsFile(const QString& path);

// The file's bytes for these conventions, every convention after its comment row, CR LF.
std::string ConventionsFileBytes(const Conventions& conventions);

}  // namespace corvale::firstpass
