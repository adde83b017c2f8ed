#pragma once

// The verse's profile: how often each place of the meter carries a stress and is followed by a
// word or phrase boundary, with the figures of the file around them, counted over the committed
// verse lines of a store.
//
// It reads lines as the meter rule (meter/MeterCheck.h) does: syllable column k stands in
// place k, a blank column holds no syllable, and a syllable is stressed when its stress is above
// 1. A line is profiled when it shows exactly as many syllables as the meter has places, or one
// more whose last syllable is unstressed (a feminine ending). The per-place figures count the
// profiled lines only, since the places of other lines do not line up; those are counted by how
// many syllables they show and listed.
//
// A file of several meters has a profile per meter, and each verse line counts in the profile
// of the meter it is measured against (meter/LineMeter.h) alone. A meter's lines of another
// length are then its own lines that its places do not hold: for the main meter these include
// the lines no meter fits.
//
// Per place, over the profiled lines that show a syllable there (the place's base): stress 3 or
// more (stressed as spoken), stress above 1 and below 3 (heard because of the place), stress
// above 1, and a juncture after it of 2 or more (a word boundary) and of 3 or more (a phrase
// boundary). Values count by their numeric value; an empty one is 0.
//
// The counts are kept as whole numbers, so a change to one line moves them by that line's old
// and new versions alone, and the same counts always give the same figures.

#include "meter/LineMeter.h"
#include "meter/MeterCheck.h"
#include "scansion/DocumentWatcher.h"
#include "scansion/RecordReader.h"
#include "scansion/Store.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvale::analysis {

// The five figures of a place, in the order tables show them.
enum class PlaceFigure { Spoken, Heard, Stressed, WordBoundary, PhraseBoundary };
inline constexpr std::size_t kPlaceFigures = 5;

struct PlaceCounts {
    std::int64_t lines = 0;  // the base: profiled lines that show a syllable here
    std::array<std::int64_t, kPlaceFigures> figures{};  // by PlaceFigure
    // Weak places only: the profiled lines whose cue flags this place, by meter::Strictness.
    std::array<std::int64_t, 2> flagged{};

    std::int64_t Of(PlaceFigure figure) const { return figures[static_cast<std::size_t>(figure)]; }
    bool operator==(const PlaceCounts&) const = default;
};

struct ProfileCounts {
    std::vector<PlaceCounts> places;  // place i at index i - 1
    std::int64_t verseLines = 0;
    std::int64_t profiled = 0;
    std::array<std::int64_t, 2> fitting{};       // lines that fit the meter, by meter::Strictness
    std::int64_t feminine = 0;                   // profiled lines with a feminine ending
    std::int64_t runOn = 0;                      // lines whose last syllable's juncture is below 3
    std::vector<std::int64_t> syllablesPerLine;  // lines by the syllables they show

    std::int64_t Fitting(meter::Strictness strictness) const {
        return fitting[static_cast<std::size_t>(strictness)];
    }
    // Adds another profile's counts. Both must be of meters with the same number of places.
    ProfileCounts& operator+=(const ProfileCounts& other);
    bool operator==(const ProfileCounts&) const = default;
};

// A line shows the meter's number of syllables, or one more whose last is unstressed. Never
// under the empty meter.
bool IsProfiled(const meter::Meter& meter, const meter::ShownLine& line);
// Where a profiled line departs from the meter in `place`: a stressed syllable in a weak place,
// an unstressed one in a strong place.
bool DepartsAt(const meter::Meter& meter, const meter::ShownLine& line, std::int32_t place);
// The first profiled verse line after row `after` that departs from the meter in `place`, or
// none further on; the search never wraps around.
std::optional<std::int32_t> NextDeparture(const Store& store, const meter::Meter& meter,
                                          std::int32_t place, std::int32_t after);
// The same among the lines measured against meter `number` of `meters` (meter::LineMeter), under
// that meter: the lines its profile counts.
std::optional<std::int32_t> NextDeparture(const Store& store, const meter::Meters& meters,
                                          std::int32_t number, std::int32_t place,
                                          std::int32_t after);

// The profile of one store's verse lines under one meter. Count takes every line afresh; as a
// document's watcher (Document::AddWatcher) it then follows each commit and restore by the
// line's old and new versions. A load makes it uncounted until it is counted again, since the
// meter may have changed with the file; while uncounted, line changes are ignored.
class Profile final : public DocumentWatcher {
public:
    // Every line, under one meter.
    void Count(const Store& store, const meter::Meter& meter);
    // The lines measured against meter `number` of `meters` (1..meters.Count()), under it.
    void Count(const Store& store, const meter::Meters& meters, std::int32_t number);
    bool IsCounted() const { return counted_; }
    const meter::Meter& TheMeter() const { return meter_; }
    // Which of the file's meters this is, and how many the file has.
    std::int32_t MeterNumber() const { return number_; }
    std::int32_t MeterCount() const { return meters_.Count(); }
    const ProfileCounts& Counts() const { return counts_; }
    // The verse lines that are not profiled, ascending.
    const std::vector<std::int32_t>& OtherLengthLines() const { return otherLines_; }

    void LineChanging(const Store& store, std::int32_t j) override;
    void LineChanged(const Store& store, std::int32_t j) override;
    void Loaded(const Store& store) override;

private:
    // Adds verse line j's share of every count, times `sign` (1 or -1).
    void Take(const Store& store, std::int32_t j, std::int64_t sign);
    // The same for the counts of a profiled line alone.
    void TakeProfiled(const Store::RowValues& junctures, std::int64_t sign);

    meter::Meters meters_;
    std::int32_t number_ = 1;
    meter::Meter meter_;
    ProfileCounts counts_;
    std::vector<std::int32_t> otherLines_;
    bool counted_ = false;
    // Room reused from line to line.
    meter::ShownLine line_;
    std::vector<std::int32_t> offColumns_;
};

// A profile per meter of the file, meter 1 first: each line counts in its own meter's.
std::vector<Profile> ProfilesByMeter(const Store& store, const meter::Meters& meters);

// The profile of a file's records, counted as if they were loaded into a store.
Profile ProfileOfRecords(const ScansionRecords& records, const meter::Meter& meter);

// The meter's symbols for places 1..places, trimmed: fields of a meter file's first row.
std::vector<std::string> MeterSymbols(std::string_view meterLine, std::int32_t places);

// A profile with what it was counted from: one file, or several files of the same meter.
struct ProfileSource {
    std::string name;                      // as reports name the file
    std::vector<std::int32_t> otherLines;  // its verse lines that are not profiled, ascending,
    std::size_t otherLineCount = 0;        // or the first of them, and how many there are
    std::int32_t meterNumber = 1;          // which of its file's meters the profile is
    std::int32_t meterCount = 1;           // of how many
};
struct NamedProfile {
    std::vector<std::string> symbols;  // the meter's, place 1 first
    ProfileCounts counts;
    std::vector<ProfileSource> sources;
};
// Names a profile, taking the first `mostListed` lines of another length.
NamedProfile Named(const Profile& profile, std::vector<std::string> symbols, std::string name,
                   std::size_t mostListed = std::numeric_limits<std::size_t>::max());

// Meters are the same when their places are, strong or weak one by one.
bool SameMeter(const std::vector<std::string>& symbols, const std::vector<std::string>& others);
// Adds a file's profile to the group of the same meter, or starts a group for it at the end;
// the group keeps the symbols of its first file. Profiles of different meters are never added
// together.
void AddToGroups(std::vector<NamedProfile>& groups, NamedProfile file);

}  // namespace corvale::analysis
