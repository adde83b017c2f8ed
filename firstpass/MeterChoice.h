#pragma once

// Choosing a poem's meter from the stresses its lines carry before any meter is known.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace corvale::meter {
class Meter;
class ShownLine;
}  // namespace corvale::meter

namespace corvale::firstpass {

struct MeterCandidate {
    std::string name;          // "iambic pentameter", "catalectic trochaic tetrameter", ...
    std::vector<bool> strong;  // one entry a place
};

// Every meter the pass considers, in the order that breaks ties: iambic, trochaic, anapestic,
// dactylic and amphibrachic feet, 1 to 8 feet each; then each meter ending in a weak place with
// that place dropped (catalectic); then each meter beginning with a weak place with that place
// dropped (headless). A form whose places equal an earlier one's is left out.
const std::vector<MeterCandidate>& MeterCandidates();

// The meter file's row for a meter: "W" or "S" a place, separated by tabs, without line end.
std::string MeterRow(const std::vector<bool>& strong);

// The forms a line of a meter may take: the meter itself, then without its last weak place
// (catalectic), then without its first weak place (headless). A foot of three places may lose
// both its weak places there: a dactylic line may end on a trochee or a lone stress, an
// anapestic line may open with an iamb or a lone stress. Shortest forms come last.
std::vector<std::vector<bool>> LineForms(const std::vector<bool>& strong);

// What a line costs under the form it fits best: the stress maxima in weak places plus the
// syllables too many or too few.
std::int64_t LeastCost(const std::vector<meter::Meter>& forms, const meter::ShownLine& line);

// The index into `forms` of the form a line fits best: fewest stress maxima in weak places plus
// syllables too many or too few, the earlier form on a tie. `values` are the line's stress
// values before the meter.
std::size_t BestForm(const std::vector<std::vector<bool>>& forms,
                     const std::vector<std::uint8_t>& values);

// A line's stress values before the meter (a value above 1 is stressed) under each of its readings
// that is weighed, the spoken first.
using LineReadings = std::vector<std::vector<std::uint8_t>>;

// The candidate that fits lines best. A line of a meter may also take its catalectic or headless
// form, as verse allows; the line costs the stress maxima in weak places that the meter check
// counts plus the syllables too many or too few, under the reading and the form that cost least.
// A candidate's cost is that of all lines with syllables. Ties go to the candidate whose length is
// nearest the most common length of the spoken lines, then to the one with fewer stressed
// syllables of any kind in weak places, then to the earlier one.
// Returns an index into MeterCandidates().
std::size_t ChooseMeter(const std::vector<LineReadings>& lines);

// The same for lines given one at a time, so that a long poem's lines need not be held: each
// pattern of values is kept once, and lines offering the same patterns are counted together.
class MeterTally {
public:
    MeterTally();
    ~MeterTally();
    void Add(const LineReadings& line);
    std::size_t Choose() const;

private:
    std::map<std::string, std::size_t> patterns_;  // the values as bytes, and their index
    std::vector<meter::ShownLine> shown_;          // each pattern as the meter check reads it
    std::map<std::vector<std::size_t>, std::int64_t> offers_;  // a line's patterns, sorted
    std::map<std::size_t, std::int64_t> lengths_;              // spoken lines by their length
};
// The same for lines of one reading each.
std::size_t ChooseMeter(const std::vector<std::vector<std::uint8_t>>& lines);

}  // namespace corvale::firstpass
