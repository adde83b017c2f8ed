#pragma once

// The view options the user chose, kept in kViewOptionsFileName in the program's folder. The
// file is read at start-up and written only when the user changes an option, so a run that
// changes none leaves none behind. A missing or unreadable file, or a value that is not a
// truth value, gives the defaults: the designed window, the usual meter check.

#include "scansion/FileNames.h"

#include <QByteArray>
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

// The zoom of the client area, in percent, the docks' places and where poems were last found.
// They belong to the screen and the user rather than to a folder, so they are kept for the user,
// beside the recent files: "view.ini" in the user's folder (Platform::UserFolder), written only
// when they change. A missing or unreadable file, or a value that is no zoom, gives 100; one past
// the bounds is taken to the nearest.
struct UserViewOptions {
    int zoom = 100;
    // Where the docks stood and how large they were as the window last closed
    // (QMainWindow::saveState); empty when none is kept. Write leaves a kept one alone when empty.
    QByteArray docks;
    // The folder the last poem was scanned from, where Scan a poem looks first; empty when none
    // is kept. Write leaves a kept one alone when empty.
    QString poemFolder;
    // The folder an export or the profile was last written to, where those dialogs look first
    // in a run that has written none yet; empty when none is kept. Write leaves a kept one
    // alone when empty.
    QString outputFolder;

    // Nothing is read or written without a user folder.
    static UserViewOptions Read(const QString& userFolder);
    bool Write(const QString& userFolder) const;
};

}  // namespace corvale
