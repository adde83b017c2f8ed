#include "firstpass/ReadingChoice.h"

#include <algorithm>
#include <tuple>

namespace corvale::firstpass {

Combinations::Combinations(const ReadLine& line, std::size_t most)
    : line_(line), choices_(line.size(), 0) {
    for (std::size_t w = 0; w < line.size(); ++w) {
        const std::size_t readings = line[w]->readings.size();
        if (readings < 2) {
            continue;
        }
        if (count_ * readings > most) {
            break;
        }
        weighed_.push_back(w);
        strides_.push_back(count_);
        count_ *= readings;
    }
    starts_.resize(weighed_.size());
}

const std::vector<std::uint8_t>& Combinations::Values() {
    if (!built_) {
        values_.clear();
        Fill(0, 0);
        built_ = true;
    }
    return values_;
}

bool Combinations::Next() {
    for (std::size_t k = weighed_.size(); k-- > 0;) {
        std::size_t& choice = choices_[weighed_[k]];
        if (choice + 1 < line_[weighed_[k]]->readings.size()) {
            departures_ += choice == 0 ? 1 : 0;
            ++choice;
            number_ += strides_[k];
            if (built_) {
                values_.resize(starts_[k]);
                Fill(weighed_[k], k);
            }
            return true;
        }
        number_ -= choice * strides_[k];
        choice = 0;
        --departures_;
    }
    return false;
}

void Combinations::Fill(std::size_t w, std::size_t k) {
    for (; w < line_.size(); ++w) {
        if (k < weighed_.size() && weighed_[k] == w) {
            starts_[k++] = values_.size();
        }
        for (const Weight weight : line_[w]->readings[choices_[w]].weights) {
            values_.push_back(static_cast<std::uint8_t>(ValueBeforeMeter(weight)));
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
    const std::string_view key = AsBytes(values);
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
    Combinations combinations(line, most);
    std::vector<std::size_t> best = combinations.Choices();
    if (combinations.Count() == 1) {
        return best;
    }
    std::tuple<std::int64_t, std::size_t, std::size_t> bestKey{-1, 0, 0};
    do {
        const std::tuple<std::int64_t, std::size_t, std::size_t> key{
            Cost(combinations.Values()), combinations.Departures(), combinations.Number()};
        if (std::get<0>(bestKey) < 0 || key < bestKey) {
            bestKey = key;
            best = combinations.Choices();
        }
    } while (combinations.Next());
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
