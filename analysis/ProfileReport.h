#pragma once

// The profile (Profile.h) in words and as CSV, the same in the window and in corvale-profile.

#include "analysis/Profile.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvale::analysis {

struct FigureName {
    std::string_view heading;  // over a table's column: "stressed"
    std::string_view phrase;   // what the lines counted are: "stressed"
    std::string_view csv;      // the CSV column: "stressed"
};
const FigureName& NameOf(PlaceFigure figure);

// "84.6%", "-" for a base of 0.
std::string Percent(std::int64_t count, std::int64_t base);
// "12 (84.6%)": a place's figure as tables show it.
std::string CountAndPercent(std::int64_t count, std::int64_t base);
// What a figure stands for, as a tooltip says it: "place 4: 212 of 240 lines stressed".
std::string FigureTip(std::int32_t place, PlaceFigure figure, const PlaceCounts& counts);

// A chart's title, on two rows: the file and the meter, then the lines the places count, e.g.
// "sonnet18.txt, meter W S W S W S W S W S\n10 of 14 verse lines profiled". The profile of one
// of a file's several meters says which: "mariner.txt, meter 2 of 2: W S W S W S\n...". Without
// a verse line, or under a meter without places, it says why the chart is empty instead.
std::string ChartTitle(const NamedProfile& profile);

// One of the file's figures: "lines profiled", "13 of 14 (92.9%)". The lines that fit count
// under `strictness`; each source lists at most `mostListed` lines of another length.
struct FileFigure {
    std::string label;
    std::string value;
};
std::vector<FileFigure> FileFigures(
    const NamedProfile& profile, meter::Strictness strictness,
    std::size_t mostListed = std::numeric_limits<std::size_t>::max());

// Tidy CSV with a header row: one row per profile and place, with the place's counts and
// shares (fractions; empty for a base of 0), the weak places' cue counts, the file's counts
// repeated on each row, the files counted, separated by "; ", and last which of their file's
// meters the profile is (its number; each file's, separated by "; ", when they differ). A profile
// of several files added together is one group, its source "group 1", "group 2" and so on: one row
// per file would repeat the group's counts, and a sum over the rows would count them twice. Rows
// end in LF.
std::string ProfileCsv(std::span<const NamedProfile> profiles, meter::Strictness strictness);

}  // namespace corvale::analysis
