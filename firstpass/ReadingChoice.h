#pragma once

// Which reading each word of a line takes: the combination of its words' readings that fits the
// meter best.

#include "firstpass/MeterChoice.h"
#include "firstpass/Readings.h"
#include "meter/MeterCheck.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace corvale::firstpass {

// The most combinations of readings weighed in one line while the meter is being chosen, and
// once it is.
inline constexpr std::size_t kCombinationsForTheMeter = 16;
inline constexpr std::size_t kCombinationsForTheLine = 256;

// The combinations of a line's readings that are weighed: those of the words with more than one
// reading, taken in line order while the number of combinations stays within `most`; the words
// after keep their spoken reading, so that a line's cost stays linear in its length. They are
// walked one at a time from combination 0, the spoken reading of every word. Each is numbered
// with the weighed words' readings as digits, the first word's the lowest; the walk turns the
// last word's fastest, so that each step rebuilds only the values from the word that changed.
class Combinations {
public:
    Combinations(const ReadLine& line, std::size_t most);

    std::size_t Count() const { return count_; }
    // Moves to the next combination; false once every one has been walked.
    bool Next();

    std::size_t Number() const { return number_; }
    // The reading each word of the line takes.
    const std::vector<std::size_t>& Choices() const { return choices_; }
    // How many words depart from their spoken reading.
    std::size_t Departures() const { return departures_; }
    // The line's stress values before the meter, built when first asked for.
    const std::vector<std::uint8_t>& Values();

private:
    // Appends the values of word w and those after it, weighed word k the first among them.
    void Fill(std::size_t w, std::size_t k);

    const ReadLine& line_;
    std::vector<std::size_t> weighed_;  // the words whose readings are weighed
    std::vector<std::size_t> strides_;  // what a reading of weighed word k adds to the number
    std::vector<std::size_t> starts_;   // where weighed word k's values begin
    std::size_t count_ = 1;
    std::size_t number_ = 0;
    std::size_t departures_ = 0;
    std::vector<std::size_t> choices_;
    std::vector<std::uint8_t> values_;
    bool built_ = false;
};

// The reading each word of a line takes under one meter. A poem's lines offer the same few
// hundred patterns of stress values thousands of times, so what a pattern costs is worked out
// once per chooser.
class ReadingChooser {
public:
    // `forms`: the meter's line forms (LineForms), the meter itself first.
    explicit ReadingChooser(const std::vector<std::vector<bool>>& forms);

    // The combination that costs least (LeastCost, a feminine ending free); on a tie, the one
    // with fewer words departing from their spoken reading, then the earlier one.
    std::vector<std::size_t> Choose(const ReadLine& line,
                                    std::size_t most = kCombinationsForTheLine);

private:
    std::int64_t Cost(const std::vector<std::uint8_t>& values);

    std::vector<meter::Meter> forms_;
    std::unordered_map<std::string, std::int64_t, PatternHash, std::equal_to<>> costs_;
    meter::ShownLine shown_;
};

// The line's comment when words take a reading other than the spoken one, naming each, joined by
// "; ": "heaven: 1 syllable for the meter (2 spoken)". Empty when every word takes its spoken one.
std::string ReadingNote(const ReadLine& line, const std::vector<std::size_t>& choices);

}  // namespace corvale::firstpass
