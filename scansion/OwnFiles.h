#pragma once

// The files Corvale writes itself, told apart from a poem or any other file: a first pass over a
// folder's files passes them over instead of scanning them, and the export and the profile,
// which take scansion files, pass over the others.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace corvale {

struct OwnFile {
    enum class Kind { Scansion, Conventions, Other };
    Kind kind = Kind::Other;
    // "a scansion file" (a kept "*.unsaved-corrections.txt" is one too), "a meter file" (a name
    // ending in "meter.txt" whose rows hold only the meter's symbols, W and S), "the memory file",
    // "the view options", "a conventions file" (BeginsAsConventions).
    std::string what;
};

// The first row of the first pass's conventions file, by which it is known whatever its name.
inline constexpr std::string_view kConventionsFirstRow = "# Corvale's conventions";
// Whether the bytes begin with that row, after any byte order mark; the row may go on.
bool BeginsAsConventions(std::string_view bytes);

// What the file at `path` is when Corvale wrote it; nullopt for any other file, and for one that
// cannot be read, which the caller's own reading then refuses. A scansion file is told by its
// first four rows (BeginsWithRecord).
std::optional<OwnFile> CorvalesOwnFile(const QString& path);

// Corrections kept aside when they could not be saved ("NAME.unsaved-corrections.txt",
// "...-2.txt"): a record of them, in the scansion file's rows, but no file to open.
bool IsKeptCorrectionsName(const QString& fileName);
// A name that only Corvale's own files have, by the name alone (a dialog lists many files and
// reads none): the memory file, the view options, meter files and kept corrections.
bool IsOwnFileName(const QString& fileName);

}  // namespace corvale
