// The meters past the main one: FindMeters (MeterChoice.h).

#include "firstpass/MeterChoice.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace corvale::firstpass {

// The search over a poem's evidence, a round for each meter found.
class FurtherMeters {
public:
    FurtherMeters(const MeterEvidence& evidence, const MeterCosts& costs)
        : shown_(evidence.shown_), offers_(evidence.offers_), costs_(costs) {}

    std::vector<std::size_t> Find(std::size_t main) {
        std::vector<std::size_t> found = {main};
        while (found.size() < kMostMetersFound) {
            Take(found.back());
            const std::vector<OpenLine> open = OpenLines();
            if (open.empty()) {
                break;
            }
            const std::optional<std::size_t> next = Best(found, open);
            if (!next) {
                break;
            }
            found.push_back(*next);
        }
        return found;
    }

private:
    // Lines that call for a further meter, with what each costs so far.
    struct OpenLine {
        const std::vector<std::size_t>* patterns;
        std::int64_t lines;
        std::int64_t cost;
    };

    static std::int32_t Flagged(const meter::Meter& meter, const meter::ShownLine& line) {
        return meter::JudgeLine(meter, line, meter::Strictness::StressMaxima).offPlaces;
    }

    // A meter found: its places and its line forms.
    void Take(std::size_t candidate) {
        const std::vector<bool>& strong = MeterCandidates()[candidate].strong;
        meters_.emplace_back(MeterRow(strong), static_cast<std::int32_t>(strong.size()));
        for (meter::Meter& form : FormMeters(LineForms(strong))) {
            forms_.push_back(std::move(form));
        }
    }

    // What a pattern costs so far, or -1 when its line fits a meter found or is a variant of one.
    std::int64_t PatternCost(const meter::ShownLine& line) const {
        const auto length = static_cast<std::int32_t>(line.Syllables().size());
        std::int64_t cost = costs_.perLine;
        for (const meter::Meter& meter : meters_) {
            if (meter::FitsByLength(meter, line) || std::abs(length - meter.Places()) <= 1) {
                return -1;
            }
        }
        for (const meter::Meter& form : forms_) {
            if (form.Places() == length) {
                cost = std::min<std::int64_t>(cost, Flagged(form, line));
            }
        }
        return cost;
    }

    std::vector<OpenLine> OpenLines() const {
        std::vector<OpenLine> open;
        for (const auto& [patterns, lines] : offers_) {
            std::int64_t cost = costs_.perLine;
            for (const std::size_t p : patterns) {
                const std::int64_t patternCost = PatternCost(shown_[p]);
                if (patternCost < 0) {
                    cost = 0;
                    break;
                }
                cost = std::min(cost, patternCost);
            }
            if (cost > 0) {
                open.push_back({&patterns, lines, cost});
            }
        }
        return open;
    }

    // What a candidate saves on the open lines.
    std::int64_t Saving(const meter::Meter& candidate, const std::vector<OpenLine>& open) const {
        std::int64_t saving = 0;
        for (const OpenLine& line : open) {
            std::int64_t least = line.cost;
            for (const std::size_t p : *line.patterns) {
                if (meter::FitsByLength(candidate, shown_[p])) {
                    least = std::min<std::int64_t>(least, Flagged(candidate, shown_[p]));
                }
            }
            saving += line.lines * (line.cost - least);
        }
        return saving;
    }

    std::optional<std::size_t> Best(const std::vector<std::size_t>& found,
                                    const std::vector<OpenLine>& open) const {
        const std::vector<MeterCandidate>& candidates = MeterCandidates();
        const std::uint8_t mainFeet = candidates[found.front()].feet;
        std::optional<std::size_t> best;
        std::tuple<std::int64_t, bool> bestKey{costs_.perMeter, false};
        for (std::size_t c = 0; c < candidates.size(); ++c) {
            if (std::ranges::find(found, c) != found.end()) {
                continue;
            }
            const std::vector<bool>& strong = candidates[c].strong;
            const meter::Meter candidate(MeterRow(strong),
                                         static_cast<std::int32_t>(strong.size()));
            const std::tuple<std::int64_t, bool> key{Saving(candidate, open),
                                                     (candidates[c].feet & mainFeet) != 0};
            if (key > bestKey && std::get<0>(key) > costs_.perMeter) {
                best = c;
                bestKey = key;
            }
        }
        return best;
    }

    const std::vector<meter::ShownLine>& shown_;
    const std::unordered_map<std::vector<std::size_t>, std::int64_t, MeterEvidence::OfferHash>&
        offers_;
    MeterCosts costs_;
    std::vector<meter::Meter> meters_;  // the meters found
    std::vector<meter::Meter> forms_;   // and their line forms
};

namespace {

// The sonnet: fourteen lines, and in English almost always in iambic pentameter, one meter for
// all its lines. Where the lines' syllables point to a pentameter of another foot, as those of a
// sonnet in sprung rhythm do (nine syllables to sixteen a line), the five beats are the sonnet's
// and the foot is its iambic one; its longer lines are the sonnet's freedom, not a second meter.
constexpr std::int64_t kSonnetLines = 14;
constexpr std::size_t kSonnetBeats = 5;

std::size_t Beats(std::size_t candidate) {
    const std::vector<bool>& strong = MeterCandidates()[candidate].strong;
    return static_cast<std::size_t>(std::count(strong.begin(), strong.end(), true));
}

std::optional<std::size_t> IambicPentameter() {
    const std::vector<bool> places = {false, true,  false, true,  false,
                                      true,  false, true,  false, true};
    const std::vector<MeterCandidate>& candidates = MeterCandidates();
    const auto found = std::ranges::find(candidates, places, &MeterCandidate::strong);
    return found == candidates.end()
               ? std::nullopt
               : std::optional(static_cast<std::size_t>(found - candidates.begin()));
}

}  // namespace

std::vector<std::size_t> FindMeters(const MeterEvidence& evidence, const MeterCosts& costs) {
    const std::size_t main = ChooseMeter(evidence);
    const std::optional<std::size_t> sonnet = IambicPentameter();
    if (evidence.Lines() == kSonnetLines && Beats(main) == kSonnetBeats && sonnet &&
        *sonnet != main) {
        return {*sonnet};
    }
    return FurtherMeters(evidence, costs).Find(main);
}

std::vector<std::size_t> FindMeters(const std::vector<LineReadings>& lines,
                                    const MeterCosts& costs) {
    return FindMeters(EvidenceOf(lines), costs);
}

}  // namespace corvale::firstpass
