#pragma once

// What every command line tool of the program does the same way: its main, a usage error with
// the way to the tool's help, a problem with one file as compilers and grep report theirs, and
// the files named on its command line.

#include "scansion/MeterFile.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>

namespace corvale::tools {

// The exit status of a command line the tool cannot run.
inline constexpr int kUsageError = 2;

// A tool's work: its arguments (the program's name first), results on `out`, messages on `err`;
// gives the exit status.
using ToolRun = int (*)(const QStringList& arguments, std::ostream& out, std::ostream& err);

// A tool's main: the arguments as given, each file name's bytes kept (PathFromBytes); the run
// within memory (RunWithinMemory); and standard output checked as it is flushed (CheckedOutput)
// and closed.
int ToolMain(int argc, char* argv[], std::string_view program, ToolRun run);

// Runs a tool's whole work. An allocation that fails anywhere in it, or a thread that cannot be
// started for want of memory, ends the run with "PROGRAM: out of memory" on `err` and exit
// status 1, never with an abort.
int RunWithinMemory(std::ostream& err, std::string_view program, const std::function<int()>& run);

// Flushes `out`. When anything written to it was lost (a full disk, a closed pipe or stream), says
// so on `err` and gives exit status 1, or `status` when that is worse.
int CheckedOutput(std::ostream& out, std::ostream& err, std::string_view program, int status);

// "PROGRAM: message" and "Try 'PROGRAM --help'." on `err`; gives kUsageError.
int UsageError(std::ostream& err, std::string_view program, std::string_view message);

// "file: message", or "file:row: message" for a row above 0; the file as it was named.
void Complain(std::ostream& err, const QString& file, std::int64_t row, std::string_view message);

// Once for a file whose meter file holds rows that are not meters (MeterFileRows::leftAlone), a
// note at the first of them: "meter.txt:3: note: left alone, not a meter: ..."; and one at row 1
// when the meter ends at an empty field with symbols after it (HoldsSymbolsPastItsEnd).
void NoteRowsLeftAlone(std::ostream& err, const MeterAsRead& meter);

// Whether `path` is one of `files`, by any way to it (another path, a link, a hard link): an
// output never replaces a file its own run reads, even with --force.
bool IsOneOf(const QStringList& files, const QString& path);

// The files of one run: a file named twice, by the same path or another way to it (a link, a hard
// link), is done once.
class FilesNamed {
public:
    // True the first time the file at `path` is named.
    bool FirstTime(const QString& path);

private:
    std::set<std::string> met_;  // each file's device and inode, or absolute path when missing
};

// How a tool that takes scansion files treats one named on its command line.
struct Intake {
    enum class Kind {
        Take,         // a scansion file, or a file the tool's reader will refuse for itself
        PassOver,     // another of Corvale's own files, said in `what`
        NotScansion,  // any other file that can be read, such as a poem: the reader refuses it,
                      // but it alone does not fail a run that did other files
    };
    Kind kind = Kind::Take;
    std::string what;
};
Intake IntakeOf(const QString& path);

// The loop of a tool that takes scansion files: each file named once (FilesNamed, a note for the
// second), Corvale's other files passed over with a note, every other file given to `one`, which
// does it and says whether it was done. `done` says what was done: "exported". Gives exit status
// 1 when a file failed, or when the only ones refused were no scansion files and none was done;
// otherwise 0.
int EachScansionFile(const QStringList& files, std::ostream& err, std::string_view done,
                     const std::function<bool(const QString&)>& one);

}  // namespace corvale::tools
