#include "firstpass/MeterChoice.h"

#include "meter/MeterCheck.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace corvale::firstpass {
namespace {

struct Foot {
    const char* name;
    std::vector<bool> places;
};

std::vector<MeterCandidate> BuildCandidates() {
    const std::array<Foot, 5> feet = {
        Foot{"iambic", {false, true}}, Foot{"trochaic", {true, false}},
        Foot{"anapestic", {false, false, true}}, Foot{"dactylic", {true, false, false}},
        Foot{"amphibrachic", {false, true, false}}};
    const std::array<const char*, 8> lengths = {"monometer",  "dimeter",    "trimeter",
                                                "tetrameter", "pentameter", "hexameter",
                                                "heptameter", "octameter"};
    std::vector<MeterCandidate> all;
    std::uint8_t footBit = 0;
    const auto add = [&all, &footBit](std::string name, std::vector<bool> strong) {
        if (strong.empty()) {
            return;
        }
        for (MeterCandidate& earlier : all) {
            if (earlier.strong == strong) {
                earlier.feet |= footBit;
                earlier.names.emplace(footBit, std::move(name));
                return;
            }
        }
        all.push_back({name, std::move(strong), footBit, {{footBit, name}}});
    };
    for (const char* form : {"", "catalectic ", "headless "}) {
        for (std::size_t f = 0; f < feet.size(); ++f) {
            const Foot& foot = feet[f];
            footBit = static_cast<std::uint8_t>(1U << f);
            for (std::size_t n = 1; n <= lengths.size(); ++n) {
                std::vector<bool> strong;
                for (std::size_t i = 0; i < n; ++i) {
                    strong.insert(strong.end(), foot.places.begin(), foot.places.end());
                }
                const std::string name = std::string(form) + foot.name + ' ' + lengths[n - 1];
                if (form[0] == '\0') {
                    add(name, strong);
                } else if (form[0] == 'c' && !strong.back()) {
                    add(name, {strong.begin(), strong.end() - 1});
                } else if (form[0] == 'h' && !strong.front()) {
                    add(name, {strong.begin() + 1, strong.end()});
                }
            }
        }
    }
    return all;
}

}  // namespace

const std::vector<MeterCandidate>& MeterCandidates() {
    static const std::vector<MeterCandidate> candidates = BuildCandidates();
    return candidates;
}

const std::string& NameBeside(const MeterCandidate& further, const MeterCandidate& main) {
    for (const auto& [foot, name] : further.names) {
        if ((foot & main.feet) != 0) {
            return name;
        }
    }
    return further.name;
}

std::string MeterRow(const std::vector<bool>& strong) {
    std::string row;
    for (bool s : strong) {
        if (!row.empty()) {
            row += '\t';
        }
        row += s ? 'S' : 'W';
    }
    return row;
}

namespace {

// A line form with the place of the meter its first syllable stands in.
struct PlacedForm {
    std::vector<bool> strong;
    std::int32_t start = 1;
};

std::vector<PlacedForm> PlacedForms(const std::vector<bool>& strong) {
    std::vector<PlacedForm> forms = {{strong, 1}};
    const std::size_t n = strong.size();
    std::size_t tail = 0;
    while (tail < 2 && tail + 1 < n && !strong[n - 1 - tail]) {
        forms.push_back({{strong.begin(), strong.end() - static_cast<std::ptrdiff_t>(++tail)}, 1});
    }
    std::size_t head = 0;
    while (head < 2 && head + 1 < n && !strong[head]) {
        ++head;
        forms.push_back({{strong.begin() + static_cast<std::ptrdiff_t>(head), strong.end()},
                         static_cast<std::int32_t>(head) + 1});
    }
    return forms;
}

}  // namespace

std::vector<std::vector<bool>> LineForms(const std::vector<bool>& strong) {
    std::vector<std::vector<bool>> forms;
    for (PlacedForm& form : PlacedForms(strong)) {
        forms.push_back(std::move(form.strong));
    }
    return forms;
}

std::vector<std::int32_t> FormStarts(const std::vector<bool>& strong) {
    std::vector<std::int32_t> starts;
    for (const PlacedForm& form : PlacedForms(strong)) {
        starts.push_back(form.start);
    }
    return starts;
}

namespace {

std::int64_t Misses(const meter::Meter& form, const meter::ShownLine& line,
                    meter::Strictness strictness = meter::Strictness::StressMaxima) {
    const meter::Verdict verdict = meter::JudgeLine(form, line, strictness);
    return verdict.offPlaces + verdict.TooMany() + verdict.TooFew();
}

// Whether a line as long as a form ends on a stressed syllable in the form's last place, a weak
// one. The cue never counts a line's last syllable, which has one neighbour and so is never a
// stress maximum; the choice of a meter counts it, for a line's end carries its rhyme, and a
// stress there stands on a beat: lines that end on a stress are not in a meter that ends them on
// a weak place, as a feminine ending's last syllable is unstressed.
bool EndsStressedOnAWeakPlace(const meter::Meter& form, const meter::ShownLine& line) {
    const auto syllables = line.Syllables();
    const auto length = static_cast<std::int32_t>(syllables.size());
    return length > 1 && length == form.Places() && !form.IsStrong(length) &&
           syllables.back().stress > 1.0;
}

}  // namespace

std::vector<meter::Meter> FormMeters(const std::vector<std::vector<bool>>& forms) {
    std::vector<meter::Meter> meters;
    for (const std::vector<bool>& form : forms) {
        meters.emplace_back(MeterRow(form), static_cast<std::int32_t>(form.size()));
    }
    return meters;
}

std::int64_t LeastCost(const std::vector<meter::Meter>& forms, const meter::ShownLine& line) {
    std::int64_t least = -1;
    for (const meter::Meter& form : forms) {
        const std::int64_t misses = Misses(form, line);
        least = least < 0 ? misses : std::min(least, misses);
    }
    return least;
}

std::size_t BestForm(const std::vector<meter::Meter>& forms, const meter::ShownLine& line) {
    std::size_t best = 0;
    std::int64_t least = -1;
    for (std::size_t f = 0; f < forms.size(); ++f) {
        const std::int64_t misses = Misses(forms[f], line);
        if (least < 0 || misses < least) {
            least = misses;
            best = f;
        }
    }
    return best;
}

std::string_view AsBytes(std::span<const std::uint8_t> values) {
    return {reinterpret_cast<const char*>(values.data()), values.size()};
}

std::size_t MeterEvidence::OfferHash::operator()(const std::vector<std::size_t>& offer) const {
    std::size_t hash = offer.size();
    for (const std::size_t pattern : offer) {
        hash = hash * 1'000'003 ^ pattern;
    }
    return hash;
}

void MeterEvidence::Offer(std::span<const std::uint8_t> values) {
    if (first_) {
        first_ = false;
        counts_ = !values.empty();
        if (counts_) {
            ++lengths_[values.size()];
        }
    }
    if (!counts_) {
        return;
    }
    const std::string_view bytes = AsBytes(values);
    auto found = patterns_.find(bytes);
    if (found == patterns_.end()) {
        found = patterns_.emplace(bytes, shown_.size()).first;
        shown_.emplace_back().Read(values);
    }
    offer_.push_back(found->second);
}

void MeterEvidence::EndLine() {
    if (counts_ && !offer_.empty()) {
        std::sort(offer_.begin(), offer_.end());
        offer_.erase(std::unique(offer_.begin(), offer_.end()), offer_.end());
        ++offers_[offer_];
    }
    offer_.clear();
    first_ = true;
}

std::int64_t MeterEvidence::Lines() const {
    std::int64_t lines = 0;
    for (const auto& [length, count] : lengths_) {
        lines += count;
    }
    return lines;
}

std::size_t ChooseMeter(const MeterEvidence& evidence) {
    const std::vector<meter::ShownLine>& shown = evidence.shown_;
    const std::map<std::size_t, std::int64_t>& lengths = evidence.lengths_;
    std::size_t commonLength = 0;
    std::int64_t most = 0;
    for (const auto& [length, count] : lengths) {
        if (count > most) {
            most = count;
            commonLength = length;
        }
    }
    const std::vector<MeterCandidate>& candidates = MeterCandidates();
    // Compared in order: the cost; the distance from the common length; and, where the stress
    // maxima cannot tell meters apart (a stressed first syllable never is one), every stress in
    // a weak place.
    using Key = std::tuple<std::int64_t, std::size_t, std::int64_t>;
    using Cost = std::pair<std::int64_t, std::int64_t>;
    std::size_t best = 0;
    Key bestKey{-1, 0, 0};
    std::vector<Cost> patternCosts(shown.size());
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        const std::vector<meter::Meter> forms = FormMeters(LineForms(candidates[c].strong));
        for (std::size_t p = 0; p < shown.size(); ++p) {
            Cost least{-1, 0};
            for (const meter::Meter& form : forms) {
                const Cost misses{
                    Misses(form, shown[p]) + (EndsStressedOnAWeakPlace(form, shown[p]) ? 1 : 0),
                    Misses(form, shown[p], meter::Strictness::EveryStress)};
                least = least.first < 0 ? misses : std::min(least, misses);
            }
            patternCosts[p] = least;
        }
        std::int64_t cost = 0;
        std::int64_t strictCost = 0;
        for (const auto& [offer, count] : evidence.offers_) {
            Cost least = patternCosts[offer.front()];
            for (const std::size_t p : offer) {
                least = std::min(least, patternCosts[p]);
            }
            cost += count * least.first;
            strictCost += count * least.second;
        }
        const std::size_t places = candidates[c].strong.size();
        const Key key{cost, places > commonLength ? places - commonLength : commonLength - places,
                      strictCost};
        if (std::get<0>(bestKey) < 0 || key < bestKey) {
            best = c;
            bestKey = key;
        }
    }
    return best;
}

MeterEvidence EvidenceOf(const std::vector<LineReadings>& lines) {
    MeterEvidence evidence;
    for (const LineReadings& line : lines) {
        for (const std::vector<std::uint8_t>& values : line) {
            evidence.Offer(values);
        }
        evidence.EndLine();
    }
    return evidence;
}

std::size_t ChooseMeter(const std::vector<LineReadings>& lines) {
    return ChooseMeter(EvidenceOf(lines));
}

std::size_t ChooseMeter(const std::vector<std::vector<std::uint8_t>>& lines) {
    std::vector<LineReadings> readings;
    readings.reserve(lines.size());
    for (const std::vector<std::uint8_t>& line : lines) {
        readings.push_back({line});
    }
    return ChooseMeter(readings);
}

}  // namespace corvale::firstpass
