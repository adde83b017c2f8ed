#pragma once

// The view options the user chose, kept in kViewOptionsFileName in the program's folder. The
// file is read at start-up and written only when the user changes an option, so a run that
// changes none leaves none behind. A missing or unreadable file, or a value that is not a
// truth value, gives the defaults: the designed window, the usual meter check.

#include "scansion/FileNames.h"

#include <QString>

namespace corvale {

struct ViewOptions {
    bool overview = false;          // the overview of all verse lines is open
    bool strictMeterCheck = false;  // every stressed syllable in a weak place is off the meter
    bool profile = false;           // the verse's profile is open

    // `path` is the file's full path.
    static ViewOptions Read(const QString& path);
    // False when the file could not be written; the options then hold for this run only.
    bool Write(const QString& path) const;
};

}  // namespace corvale
