#include "meter/MeterCheck.h"
#include "scansion/Numbers.h"
#include "scansion/TabFields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvale::meter {
namespace {

using Texts = std::vector<std::string>;
using Columns = std::vector<std::int32_t>;

// The meter as start-up reads it: the places are the leading run of non-blank fields.
Meter MeterOf(std::string_view meterLine) {
    std::int32_t count = 0;
    while (!num::IsBlank(fields::NthField(meterLine, count + 1))) {
        ++count;
    }
    return Meter(meterLine, count);
}

// Positions 1.. given as one text, split at "|".
Texts Positions(std::string_view values) {
    Texts positions;
    for (std::size_t bar = values.find('|'); bar != std::string_view::npos;
         bar = values.find('|')) {
        positions.emplace_back(values.substr(0, bar));
        values.remove_prefix(bar + 1);
    }
    positions.emplace_back(values);
    return positions;
}

struct RuleCase {
    const char* name;
    const char* meterLine;
    const char* syllables;  // positions 1.., split at "|"
    const char* stresses;
    Columns off;
    std::int32_t shown;  // the verdict's syllable count
    Strictness strictness = Strictness::StressMaxima;
    bool judged = true;
};

class MeterRule : public testing::TestWithParam<RuleCase> {};

// The line on screen is judged from its working copy (position 0 unused), every other line from
// its store row, where trailing empty values are not held: both must come to the same verdict.
TEST_P(MeterRule, JudgesTheWorkingCopyAndTheStoreRowAlike) {
    const RuleCase& c = GetParam();
    const Meter meter = MeterOf(c.meterLine);
    Texts syllables = Positions(c.syllables);
    Texts stresses = Positions(c.stresses);
    Store store;
    store.Redimension(1, static_cast<std::int32_t>(std::max(syllables.size(), stresses.size())));
    store.SetRecord(1, "", "", std::vector<std::string_view>(syllables.begin(), syllables.end()),
                    std::vector<std::string_view>(stresses.begin(), stresses.end()), {});
    syllables.insert(syllables.begin(), "");
    stresses.insert(stresses.begin(), "");

    const Judgement judgement = JudgeLine(meter, syllables, stresses, c.strictness);
    EXPECT_EQ(judgement.offColumns, c.off);
    EXPECT_EQ(judgement.verdict.judged, c.judged);
    EXPECT_EQ(judgement.verdict.syllables, c.shown);
    EXPECT_EQ(judgement.verdict.offPlaces, static_cast<std::int32_t>(c.off.size()));
    ShownLine line;
    line.Read(store, 1);
    Columns storeColumns{99};  // replaced, not appended to
    EXPECT_EQ(JudgeLine(meter, line, c.strictness, &storeColumns), judgement.verdict);
    EXPECT_EQ(storeColumns, c.off);
}

constexpr char kIambic5[] = "W\tS\tW\tS\tW";
constexpr char kIambic6[] = "W\tS\tW\tS\tW\tS";
constexpr char kFive[] = "a|b|c|d|e";
constexpr char kSix[] = "a|b|c|d|e|f";
constexpr Strictness kStrict = Strictness::EveryStress;

INSTANTIATE_TEST_SUITE_P(
    Cases, MeterRule,
    testing::Values(
        RuleCase{"StressesInStrongPlacesFit", kIambic6, kSix, "1|3|1|3|1|3", {}, 6},
        // Column 4: an unstressed syllable in a strong place is promotion, never off.
        RuleCase{"MaximumInWeakPlaceIsOff", kIambic6, kSix, "1|3|1|1|3|1", {5}, 6},
        RuleCase{"StressOneIsNotStressed", kIambic6, kSix, "0|0|1|0|1|0", {}, 6},
        RuleCase{"StressOneAndAHalfIsStressed", kIambic6, kSix, "1|3|1|1|1.5|1", {5}, 6},
        RuleCase{"StressTwoIsStressed", kIambic6, kSix, "1|3|1|1|2|1", {5}, 6},
        RuleCase{"EmptyStressesReadAsZero", kIambic6, kSix, "1||2||1|3", {3}, 6},
        RuleCase{"MissingStressReadsAsEmpty", kIambic6, kSix, "1|3|1|1|3", {5}, 6},
        RuleCase{"TrailingLetterKeepsTheNumber", kIambic6, kSix, "1|3|1|2|3x|2", {5}, 6},
        RuleCase{"EqualNeighbourMakesNoMaximum", kIambic6, kSix, "1|3|1|3|3|1", {}, 6},
        RuleCase{"FirstSyllableIsNeverAMaximum", kIambic6, kSix, "3|1|1|3|1|3", {}, 6},
        RuleCase{"LastSyllableIsNeverAMaximum", kIambic5, kFive, "1|3|1|1|3", {}, 5},
        // Column 3 is blank: the neighbours of column 4 are columns 2 and 5, not its stress 4.
        RuleCase{
            "HiddenColumnIsNoNeighbour", "S\tW\tS\tW\tS\tW", "a|b| |d|e|f", "1|1|4|3|1|1", {4}, 5},
        RuleCase{"HiddenColumnIsNeverOff", kIambic6, "a|b|  |d|e|f", "1|3|4|1|1|3", {}, 5, kStrict},
        RuleCase{"SymbolsSAndsAreStrongTrimmed", "W\ts\tW\t S \tW", kFive, "1|3|1|3|1", {}, 5},
        RuleCase{
            "OtherSymbolsAreWeak", "S\tW\tx\tSS\tS", kFive, "3|3|3|3|3", {2, 3, 4}, 5, kStrict},
        // Column 5 lies beyond the meter: its maximum is not judged, the line is too long.
        RuleCase{"LongerThanTheMeter", "W\tS\tW\tS", kSix, "1|3|1|1|3|1", {}, 6},
        RuleCase{"ShorterThanTheMeter", kIambic6, "a|b|c|d", "1|3|1|3", {}, 4},
        // After merging "ev" and "er": one syllable fewer, the last position emptied.
        RuleCase{"MergesCountOnce", kIambic6, "it|is|an|ev er|fixed|mark|", "1|1|1|3|3|3|", {}, 6},
        // Column 5 is below both neighbours and column 1 has only one: by default neither is off.
        RuleCase{"StrictFlagsAnyWeakStress", kIambic6, kSix, "3|3|1|3|2|3", {1, 5}, 6, kStrict},
        RuleCase{"StrictFlagsTheLastSyllable", kIambic5, kFive, "1|3|1|1|3", {5}, 5, kStrict},
        RuleCase{"EmptyMeterJudgesNothing", " \tW", "a|b|c", "3|3|3", {}, 0, kStrict, false}),
    [](const testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

TEST(MeterStatus, SaysWhatIsOffInWords) {
    const std::vector<std::pair<Verdict, std::string>> cases = {
        {{false, 0, 0, 0}, ""},
        {{true, 10, 10, 0}, "fits the meter"},
        {{true, 10, 10, 1}, "1 place off the meter"},
        {{true, 10, 12, 0}, "2 syllables too many"},
        {{true, 10, 11, 1}, "1 place off the meter, 1 syllable too many"},
        {{true, 10, 8, 2}, "2 places off the meter, 2 syllables too few"},
    };
    for (const auto& [verdict, text] : cases) {
        EXPECT_EQ(StatusText(verdict), text);
        EXPECT_EQ(StatusText(verdict, 1, 1), text);
    }
}

// With several meters the status names the line's; a count of syllables alone, after the count.
TEST(MeterStatus, NamesTheLinesMeterAmongSeveral) {
    EXPECT_EQ(StatusText({true, 6, 6, 0}, 2, 3), "fits meter 2 of 3");
    EXPECT_EQ(StatusText({true, 8, 9, 1}, 1, 2), "1 place off meter 1 of 2, 1 syllable too many");
    EXPECT_EQ(StatusText({true, 8, 6, 0}, 2, 2), "2 syllables too few for meter 2 of 2");
}

}  // namespace
}  // namespace corvale::meter
