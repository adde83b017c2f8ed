#include "firstpass/ReadingChoice.h"

#include "firstpass/MeterChoice.h"
#include "meter/MeterCheck.h"

#include <algorithm>
#include <tuple>

namespace corvale::firstpass {

Combinations::Combinations(const ReadLine& line, std::size_t most) : line_(line) {
    for (std::size_t w = 0; w < line.size(); ++w) {
        const std::size_t readings = line[w]->readings.size();
        if (readings < 2) {
            continue;
        }
        if (count_ * readings > most) {
            break;
        }
        weighed_.push_back(w);
        count_ *= readings;
    }
}

std::size_t Combinations::Choices(std::size_t c, std::vector<std::size_t>& choices) const {
    choices.assign(line_.size(), 0);
    std::size_t departures = 0;
    for (const std::size_t w : weighed_) {
        const std::size_t readings = line_[w]->readings.size();
        choices[w] = c % readings;
        departures += choices[w] == 0 ? 0 : 1;
        c /= readings;
    }
    return departures;
}

void Combinations::Values(const std::vector<std::size_t>& choices,
                          std::vector<std::uint8_t>& values) const {
    values.clear();
    for (std::size_t w = 0; w < line_.size(); ++w) {
        const std::vector<Weight>& weights = line_[w]->readings[choices[w]].weights;
        for (const Weight weight : weights) {
            values.push_back(static_cast<std::uint8_t>(ValueBeforeMeter(weight)));
        }
    }
}

namespace {

// What a line costs under its meter's forms (LeastCost), where an unstressed last syllable after
// a form's last place, ending strong, is a feminine ending and costs nothing: the meter then
// gains nothing from a reading that takes a syllable from the line's last word.
std::int64_t LineCost(const std::vector<meter::Meter>& forms,
                      const std::vector<std::uint8_t>& values, const meter::ShownLine& shown) {
    std::int64_t cost = LeastCost(forms, shown);
    if (cost == 0 || values.size() < 2 || values.back() > 1) {
        return cost;
    }
    meter::ShownLine withoutLast;
    withoutLast.Read(std::span(values).first(values.size() - 1));
    for (const meter::Meter& form : forms) {
        if (form.Places() + 1 == std::ssize(values) && form.IsStrong(form.Places())) {
            cost = std::min(cost, LeastCost({form}, withoutLast));
        }
    }
    return cost;
}

// Patterns remembered by one chooser at most; past that it starts again, so that a long poem
// of ever new patterns keeps its memory bounded.
constexpr std::size_t kMostPatterns = 1 << 16;

}  // namespace

ReadingChooser::ReadingChooser(const std::vector<std::vector<bool>>& forms)
    : forms_(FormMeters(forms)) {}

std::int64_t ReadingChooser::Cost(const std::vector<std::uint8_t>& values) {
    const std::string_view key(reinterpret_cast<const char*>(values.data()), values.size());
    const auto found = costs_.find(key);
    if (found != costs_.end()) {
        return found->second;
    }
    if (costs_.size() >= kMostPatterns) {
        costs_.clear();
    }
    shown_.Read(values);
    return costs_.emplace(key, LineCost(forms_, values, shown_)).first->second;
}

std::vector<std::size_t> ReadingChooser::Choose(const ReadLine& line, std::size_t most) {
    const Combinations combinations(line, most);
    std::vector<std::size_t> choices;
    std::vector<std::size_t> best;
    combinations.Choices(0, best);
    if (combinations.Count() == 1) {
        return best;
    }
    std::vector<std::uint8_t> values;
    std::tuple<std::int64_t, std::size_t> bestKey{-1, 0};
    for (std::size_t c = 0; c < combinations.Count(); ++c) {
        const std::size_t departures = combinations.Choices(c, choices);
        combinations.Values(choices, values);
        const std::tuple<std::int64_t, std::size_t> key{Cost(values), departures};
        if (std::get<0>(bestKey) < 0 || key < bestKey) {
            bestKey = key;
            best = choices;
        }
    }
    return best;
}

namespace {

std::string Syllables(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " syllable" : " syllables");
}

}  // namespace

std::string ReadingNote(const ReadLine& line, const std::vector<std::size_t>& choices) {
    std::string note;
    for (std::size_t w = 0; w < line.size(); ++w) {
        if (choices[w] == 0) {
            continue;
        }
        const std::vector<WordReading>& readings = line[w]->readings;
        note += (note.empty() ? "" : "; ") + line[w]->written.toStdString() + ": " +
                Syllables(readings[choices[w]].weights.size()) + " for the meter (" +
                std::to_string(readings[0].weights.size()) + " spoken)";
    }
    return note;
}

}  // namespace corvale::firstpass
