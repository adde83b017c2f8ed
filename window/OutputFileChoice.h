#pragma once

// Choosing the file that a copy for other tools goes to (an export, a saved profile), in any
// folder. The dialog offers the formats; a name ending in the extension of the format shown is
// written in that format, one ending in another format's extension in that format (the first
// listed, where several share it), and any other name gains the extension of the format shown,
// as a dialog's default suffix does. The scansion file being worked on and folders are
// refused with a message and asked for again; a file that exists is replaced only once the user
// agrees.

#include "platform/Platform.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace corvale {

struct OutputFormats {
    QStringList filters;     // the dialog's, by index: "Syllables as CSV (*.csv)"
    QStringList extensions;  // by the same index: ".csv"
};

// The index of the format that a file's name asks for by its extension, if any: `shown` when its
// extension is the name's, else the first listed whose extension is.
std::optional<int> FormatIndexOfName(const OutputFormats& formats, const QString& path,
                                     int shown = -1);

// What to ask: the dialog's caption, what the file holds in a message's words ("the export"),
// the path proposed under each format, and the format the dialog starts with.
struct OutputQuestion {
    QString caption;
    QString what;
    QStringList proposed;
    int format = 0;
};

// The file chosen and the index of its format; an empty path when the user cancels.
Platform::FileChoice ChooseOutputFile(Platform& platform, const OutputFormats& formats,
                                      const OutputQuestion& question,
                                      const std::string& workingFileName);

}  // namespace corvale
