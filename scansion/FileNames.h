#pragma once

// The names of the files Corvale keeps beside the scansion files it works on. Each is spelled
// here once; everything that writes, reads or passes over one of them takes its name from here.

namespace corvale {

// The memory file of a working folder: the file being worked on, the line reached, the bounds
// of the values and the spacing of the columns.
inline constexpr char kMemoryFileName[] = "RememberEarlierRun.txt";
// The meter of every scansion file in its folder that has none of its own.
inline constexpr char kMeterFileName[] = "meter.txt";
// A scansion file's own meter: "NAME.EXT" has "NAME.meter.txt" (scansion/MeterFile.h).
inline constexpr char kOwnMeterSuffix[] = ".meter.txt";
// Corrections kept aside when they could not be saved: "NAME.unsaved-corrections.txt", then
// "NAME.unsaved-corrections-2.txt" and on (scansion/Journal.h).
inline constexpr char kKeptCorrectionsMark[] = ".unsaved-corrections";
// A scansion file's crash journal: "poems/ode.txt" has "poems/.ode.txt.corvale-journal"
// (scansion/Journal.h).
inline constexpr char kJournalSuffix[] = ".corvale-journal";
// The view options of a working folder: which docks are open, how strict the cue is.
inline constexpr char kViewOptionsFileName[] = "corvale-view.ini";
// The first pass's conventions (firstpass/ConventionsFile.h), read in the folder a scan runs
// in when no other file is named. The file is known by its first row, whatever its name.
inline constexpr char kConventionsFileName[] = "conventions.txt";
// The scansion file a folder opens when the one its memory file names is gone.
inline constexpr char kFallbackFileName[] = "in.txt";

}  // namespace corvale
