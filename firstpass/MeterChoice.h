#pragma once

// Choosing a poem's meters from the stresses its lines carry before any meter is known.

#include "meter/LineMeter.h"
#include "meter/MeterCheck.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvale::firstpass {

struct MeterCandidate {
    std::string name;          // "iambic pentameter", "catalectic trochaic tetrameter", ...
    std::vector<bool> strong;  // one entry a place
    // The feet whose lines, whole, catalectic or headless, take these places, a bit each in the
    // order MeterCandidates names them: "+-+-+" is trochaic and iambic alike.
    std::uint8_t feet = 0;
    // The name under each of those feet, by its bit: "catalectic trochaic trimeter", "headless
    // iambic trimeter".
    std::map<std::uint8_t, std::string> names;
};

// What a poem's further meter is called beside its main meter: its name under the main meter's
// foot when it has one ("headless iambic trimeter" beside "iambic pentameter"), else its name.
const std::string& NameBeside(const MeterCandidate& further, const MeterCandidate& main);

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
// The place of the meter where a line of each of its forms (LineForms, in order) begins: 1, and
// for a headless form the place after the weak places it drops, so that its syllables stand
// under the places they keep.
std::vector<std::int32_t> FormStarts(const std::vector<bool>& strong);

// The meters of a meter's line forms, in order.
std::vector<meter::Meter> FormMeters(const std::vector<std::vector<bool>>& forms);

// What a line costs under the form it fits best: the stress maxima in weak places plus the
// syllables too many or too few.
std::int64_t LeastCost(const std::vector<meter::Meter>& forms, const meter::ShownLine& line);

// The index into `forms` of the form a line fits best: fewest stress maxima in weak places plus
// syllables too many or too few, the earlier form on a tie. `line` holds the line's stress
// values before the meter.
std::size_t BestForm(const std::vector<meter::Meter>& forms, const meter::ShownLine& line);

// A line's stress values before the meter (a value above 1 is stressed) under each of its readings
// that is weighed, the spoken first.
using LineReadings = std::vector<std::vector<std::uint8_t>>;

// A pattern of values as the bytes it is held in, to find it by, with the hash that finds it
// without making a string of it.
std::string_view AsBytes(std::span<const std::uint8_t> values);
struct PatternHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view bytes) const {
        return std::hash<std::string_view>()(bytes);
    }
};

// What a poem's lines offer the meter's choice, gathered line by line: each pattern of values is
// kept once, to be judged once, and lines that offer the same patterns are counted together.
class MeterEvidence {
public:
    // Adds a pattern of the current line; its first is the line's spoken reading. A line whose
    // spoken reading has no syllables counts for nothing.
    void Offer(std::span<const std::uint8_t> values);
    // Closes the current line.
    void EndLine();
    // The lines that count so far.
    std::int64_t Lines() const;

private:
    friend std::size_t ChooseMeter(const MeterEvidence& evidence);
    friend class FurtherMeters;

    struct OfferHash {
        std::size_t operator()(const std::vector<std::size_t>& offer) const;
    };

    // Each pattern (the values as bytes) and its index into shown_.
    std::unordered_map<std::string, std::size_t, PatternHash, std::equal_to<>> patterns_;
    std::vector<meter::ShownLine> shown_;
    // A line's patterns, sorted, and the lines that offer them.
    std::unordered_map<std::vector<std::size_t>, std::int64_t, OfferHash> offers_;
    std::map<std::size_t, std::int64_t> lengths_;  // the spoken readings' syllables, and lines
    std::vector<std::size_t> offer_;               // the current line's
    bool first_ = true;                            // no pattern of the current line yet
    bool counts_ = true;                           // whether the current line counts
};

// The evidence of lines given whole.
MeterEvidence EvidenceOf(const std::vector<LineReadings>& lines);

// The candidate that fits lines best. A line of a meter may also take its catalectic or headless
// form, as verse allows; the line costs the stress maxima in weak places that the meter check
// counts plus the syllables too many or too few, and one more where a line as long as the form
// ends on a stressed syllable in its weak last place (a stress at the line's end stands on a
// beat), under the reading and the form that cost least.
// A candidate's cost is that of all lines with syllables. Ties go to the candidate whose length is
// nearest the most common length of the spoken lines, then to the one with fewer stressed
// syllables of any kind in weak places, then to the earlier one.
// Returns an index into MeterCandidates().
std::size_t ChooseMeter(const MeterEvidence& evidence);
// The same for lines given whole.
std::size_t ChooseMeter(const std::vector<LineReadings>& lines);
// The same for lines of one reading each.
std::size_t ChooseMeter(const std::vector<std::vector<std::uint8_t>>& lines);

// What a further meter has to save to be found (FindMeters), in the units of the cue's count: a
// line that fits no meter found costs perLine at most, a further meter perMeter. With these, a
// further meter takes at least two such lines that it holds with no column flagged. They were
// chosen by bench/choose_meter_costs.cpp on the dev poems of the readers' scansions, each poem
// left out in turn: every poem but one is measured best under them when it is left out, a poem
// of one meter keeps one, and a ballad in fours and threes gets two.
struct MeterCosts {
    std::int64_t perLine = 1;
    std::int64_t perMeter = 1;
};
// A poem's meters are at most this many, the main meter among them.
inline constexpr std::size_t kMostMetersFound = 4;

// The meters a poem is written in, as indices into MeterCandidates(): the main meter first, as
// ChooseMeter chooses it, then each further meter in the order found. A further meter is found
// only for lines that fit no meter found so far by length (meter::FitsByLength), and that are no
// variants of one either: a line within one syllable of a meter's places is taken for a line of
// that meter with a syllable more or less, as a pentameter's eleven syllables are. Such a line
// costs what the cue counts in the form of a meter found (LineForms) of its length, or
// costs.perLine when that is more or there is none; a candidate saves what the cue counts less in
// it, where it fits the line by length. The candidate that saves most is found when it saves more
// than costs.perMeter, on a tie one of the main meter's foot, then the earlier; the search ends
// when none does, or at kMostMetersFound meters. A sonnet, fourteen lines whose main meter is a
// pentameter of another foot than the iamb, is in iambic pentameter alone.
std::vector<std::size_t> FindMeters(const MeterEvidence& evidence, const MeterCosts& costs = {});
// The same for lines given whole.
std::vector<std::size_t> FindMeters(const std::vector<LineReadings>& lines,
                                    const MeterCosts& costs = {});

}  // namespace corvale::firstpass
