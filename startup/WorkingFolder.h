#pragma once

// The working folder: the one folder whose files Corvale reads and writes (the memory file, the
// meter files, the scansion files named in the File box, the journal, the view options and the
// scanned poems). It is chosen before any window opens:
//   - a folder named on the command line, or the folder of a file named there;
//   - else, for an installed Corvale (its executable in the folder the install rules put it in),
//     the folder "Corvale" in the user's home, which the first start fills with a sample poem;
//   - else the executable's own folder, so a copy dropped into a folder of poems works there.

#include <QString>

#include <optional>
#include <variant>
#include <vector>

namespace corvale::startup {

inline constexpr char kHomeFolderName[] = "Corvale";

// What the choice depends on besides the command line. Paths are absolute.
struct FolderPlaces {
    QString executableFolder;  // the folder that holds the running executable
    QString installFolder;     // the folder the install rules put the executable in
    QString home;              // the user's home folder
    QString sampleFolder;      // the files a new home folder starts with
};

// A file named on the command line, in the working folder.
struct StartFile {
    QString name;  // the file's name in its folder
    // Not a scansion file to open (DecideOpening): the window offers a poem to Scan a poem, and
    // says what a file of Corvale's own is.
    bool poem = false;
};

struct WorkingFolder {
    QString path;  // absolute and clean, without a trailing separator (except for "/")
    // How the window's title names the folder: empty for the executable's own folder, else the
    // path with the home folder written "~".
    QString shownName;
    // Sample files that could not be copied into a new home folder; start-up goes on without.
    std::vector<QString> warnings;
    std::optional<StartFile> file;
};

// Why no folder can be worked in; the message is for standard error.
struct FolderRefused {
    QString message;
};

// `argument` is the FOLDER or FILE of the command line, relative to the current folder or
// absolute; a FILE is an ordinary file, and its folder is chosen. An installed Corvale without
// an argument creates its home folder when missing; when that folder has no memory file yet, it
// receives every file of the sample folder whose name is free. No existing file is ever
// replaced.
std::variant<WorkingFolder, FolderRefused> ChooseWorkingFolder(
    const std::optional<QString>& argument, const FolderPlaces& places);

// The path as the title shows it: "~" for the home folder, "~/..." below it, else unchanged.
QString ShownName(const QString& path, const QString& home);
// How the title names a working folder: not at all (empty) for the executable's own folder,
// else as ShownName shows it.
QString NameInTitle(const QString& folder, const QString& executableFolder, const QString& home);

// `path` (absolute, or relative to `folder`) as a name relative to `folder`, reached directly or
// through links; nullopt for a path outside it.
std::optional<QString> NameInFolder(const QString& folder, const QString& path);
// A name relative to the working folder leads through or to a hidden entry (one whose name
// starts with a full stop), which the program never opens.
bool IsHiddenName(const QString& name);

}  // namespace corvale::startup
