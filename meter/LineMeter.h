#pragma once

// Which of a file's meters a verse line is measured against: the one rule the window, the
// tools, the exports, the profile and the first pass all ask. A file of one meter measures
// every line against it, as a file always did.

#include "meter/MeterCheck.h"
#include "scansion/MeterFile.h"

#include <cstdint>
#include <vector>

namespace corvale::meter {

// A file's meters in row order, numbered from 1: meter 1 is the main meter. Never none: a file
// without a meter holds the empty meter, which judges nothing.
class Meters {
public:
    Meters() : meters_(1) {}
    explicit Meters(std::vector<Meter> meters);
    // The meters of a meter file's rows (MeterFileRows::meters), each as Meter reads it.
    static Meters OfRows(const std::vector<MeterFileRow>& rows);

    std::int32_t Count() const { return static_cast<std::int32_t>(meters_.size()); }
    // Meter `number`, 1..Count().
    const Meter& Number(std::int32_t number) const;
    const Meter& Main() const { return meters_.front(); }

private:
    std::vector<Meter> meters_;
};

// Whether a meter's places can hold a line of this length: as many syllables as places; one
// more whose last is unstressed (a feminine ending, as the profile takes it); or one fewer where
// the meter opens on a weak place (a headless line). A line with no syllables fits no meter.
bool FitsByLength(const Meter& meter, const ShownLine& line);

// The number of the meter a line is measured against: among the meters that fit it by length,
// the one where the cue (Strictness::StressMaxima) flags the fewest columns, the earlier on a
// tie; the main meter, 1, when none fits. The line is then judged against that meter as
// against any meter, syllable column k under place k.
std::int32_t LineMeter(const Meters& meters, const ShownLine& line);

// A line judged against its own meter: which meter, and how the line keeps to it.
struct LineVerdict {
    std::int32_t meter = 1;
    Verdict verdict;
    bool operator==(const LineVerdict&) const = default;
};
// LineMeter, then JudgeLine against the meter it gives. When offColumns is given, it receives
// the columns off that meter.
LineVerdict JudgeByItsMeter(const Meters& meters, const ShownLine& line, Strictness strictness,
                            std::vector<std::int32_t>* offColumns = nullptr);

}  // namespace corvale::meter
