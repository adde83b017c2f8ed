#pragma once

// A batch of verse lines read into words and their readings: one trip to the pronunciation
// engine for the batch. The scan's passes each read the poem's lines afresh, batch by batch, so
// that only a batch is ever held; the words read are remembered across batches and passes,
// since a long poem repeats most of its words.

#include "firstpass/FirstPass.h"
#include "firstpass/Readings.h"

#include <QHash>
#include <QString>

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvale::firstpass {

// Verse lines read and spoken together: one trip to the engine's thread, then a progress report.
inline constexpr std::size_t kLinesAtATime = 256;

struct ScannedLine {
    std::string text;
    std::vector<ReadWord> words;
    // The readings the line takes, once the meter has chosen them.
    std::string syllables;  // each syllable after a tab
    std::string junctures;  // one digit a syllable
    std::vector<Weight> weights;
    std::string comment;
};

class LineScanner {
public:
    explicit LineScanner(const PoemMarks& marks) : marks_(marks) {}

    // The batch's lines, the first of them verse line `first`; a refusal when one holds more
    // syllables than a line can hold.
    std::variant<std::vector<ScannedLine>, Refusal> Scan(const std::vector<std::string_view>& batch,
                                                         std::size_t first);

private:
    // Words read so far, by their shape and place; forgotten all at once past a bound.
    static constexpr qsizetype kMostRemembered = 20'000;
    static QString KeyOf(const Word& word, bool lastInLine);

    PoemMarks marks_;
    QHash<QString, ReadWord> read_;
};

}  // namespace corvale::firstpass
