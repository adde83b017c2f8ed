#pragma once

// Which meter file applies to a scansion file, and what the program takes from it. Every part of
// the program that needs a file's meter (the window, the tools, the exports, the comparison)
// finds it by MeterFileFor and reads it by ReadMeterOf.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvale {

// The meter a meter file holds: its first row, whose leading run of tab-separated fields that
// hold more than spaces are the meter's symbols. A byte order mark before it is no part of it,
// and a row without a tab is split at its spaces. An empty file holds a meter of no symbols.
struct MeterFileRow {
    std::string line;  // without its line end
    std::int32_t symbols = 0;
};
MeterFileRow ReadMeterRow(std::string_view meterFileBytes);
// Whether the row holds a symbol past the empty field that ends its meter ("W\tS\t\tS"): such
// a symbol is never counted, though the window shows it.
bool HoldsSymbolsPastItsEnd(const MeterFileRow& row);

// The meters a meter file holds, in row order: the first row's, the main meter, then each further
// non-blank row whose symbols (read as the first row's) are all symbols the first row uses. Other
// rows are left alone, as a reader of the first row alone leaves them: a stored file may keep a
// note there. Meters are numbered in this order from 1, blank and left rows not counted.
struct MeterFileRows {
    std::vector<MeterFileRow> meters;  // the first row always, even one of no symbols
    std::int32_t leftAlone = 0;        // further non-blank rows that are not meters
    std::int64_t firstLeftAlone = 0;   // the row number of the first of them, from 1
};
// Rows past kMostMeters meters are left alone too, so that the meters a line is weighed against
// stay few.
inline constexpr std::size_t kMostMeters = 32;
MeterFileRows ReadMeterRows(std::string_view meterFileBytes);

// A file's name without its extension: "poems/ode.txt" gives "poems/ode". A name without an
// extension, or a hidden one like ".ode", stays whole. Names are bytes as the program holds
// them.
std::string NameWithoutExtension(std::string_view fileName);

// The meter file of a scansion file's own: "NAME.EXT" gives "NAME.meter.txt" in the same
// folder ("poems/ode.txt" gives "poems/ode.meter.txt"; a name without an extension, or a
// hidden one like ".ode", just gains ".meter.txt").
std::string OwnMeterFileName(std::string_view scansionFileName);
QString OwnMeterFilePath(const QString& scansionPath);

// The meter file that applies to the scansion file at `scansionPath`, the first of these that
// is an ordinary file and not hidden:
//   1. its own meter file (OwnMeterFileName), beside it;
//   2. "meter.txt" beside it;
//   3. "meter.txt" in the working folder, when there is one (the window's; the tools have none).
// nullopt when none is. Without a scansion path (no file yet) only the working folder's counts.
std::optional<QString> MeterFileFor(const QString& scansionPath, const QString& workingFolder);
// The paths MeterFileFor tries, in its order, for a caller that asks about files its own way.
QStringList MeterFileCandidates(const QString& scansionPath, const QString& workingFolder);

// The meter of a scansion file as read: where it came from, or why there is none.
struct MeterAsRead {
    enum class Lack { None, NoMeterFile, Unreadable };
    QString path;                     // the meter file that applies; empty when none does
    std::optional<MeterFileRow> row;  // the main meter, when the file could be read
    MeterFileRows rows;               // every meter, when the file could be read
    Lack lack = Lack::NoMeterFile;    // why there is no row
    QString error;                    // when Unreadable: why, in the system's words

    // The meter came from the scansion file's own meter file.
    bool IsOwnOf(const QString& scansionPath) const;
};
MeterAsRead ReadMeterOf(const QString& scansionPath, const QString& workingFolder);

// What the program says of a scansion file without a meter: the two meter files it looked for,
// its own and "meter.txt" in `folder`, the program's.
QString NoMeterMessage(std::string_view scansionFileName, const QString& folder);

}  // namespace corvale
