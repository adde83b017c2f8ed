#include "editor/MeterCheck.h"
#include "scansion/Numbers.h"
#include "scansion/TabFields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvale::meter {
namespace {

using Texts = std::vector<std::string>;
using Columns = std::vector<std::int32_t>;

constexpr char kIambic6[] = "W\tS\tW\tS\tW\tS";

// The meter as start-up reads it: the places are the leading run of non-blank fields.
Meter MeterOf(std::string_view meterLine) {
    std::int32_t count = 0;
    while (!num::IsBlank(s::NthField(meterLine, count + 1))) {
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

// A working copy: position 0 unused, then the given positions.
Texts WorkingCopy(const Texts& positions) {
    Texts copy{""};
    copy.insert(copy.end(), positions.begin(), positions.end());
    return copy;
}

struct RuleCase {
    const char* name;
    const char* meterLine;
    const char* syllables;  // positions 1.., split at "|"
    const char* stresses;
    Columns off;
    std::int32_t shown = 0;  // the verdict's syllable count
    Strictness strictness = Strictness::StressMaxima;
    bool judged = true;
};

class MeterRule : public testing::TestWithParam<RuleCase> {};

TEST_P(MeterRule, JudgesTheWorkingCopyAndTheStoreRowAlike) {
    const RuleCase& c = GetParam();
    const Meter meter = MeterOf(c.meterLine);
    const Texts syllableTexts = Positions(c.syllables);
    const Texts stressTexts = Positions(c.stresses);
    const Judgement judgement =
        JudgeLine(meter, WorkingCopy(syllableTexts), WorkingCopy(stressTexts), c.strictness);
    EXPECT_EQ(judgement.offColumns, c.off);
    EXPECT_EQ(judgement.verdict.judged, c.judged);
    EXPECT_EQ(judgement.verdict.syllables, c.shown);
    EXPECT_EQ(judgement.verdict.offPlaces, static_cast<std::int32_t>(c.off.size()));

    // The same values committed to a store row, where trailing empty values are not held.
    Store store;
    const std::vector<std::string_view> syllables(syllableTexts.begin(), syllableTexts.end());
    const std::vector<std::string_view> stresses(stressTexts.begin(), stressTexts.end());
    store.Redimension(1, static_cast<std::int32_t>(std::max(syllables.size(), stresses.size())));
    store.SetRecord(1, "", "", syllables, stresses, {});
    ShownLine line;
    line.Read(store, 1);
    Columns storeColumns{99};  // replaced, not appended to
    EXPECT_EQ(JudgeLine(meter, line, c.strictness, &storeColumns), judgement.verdict);
    EXPECT_EQ(storeColumns, c.off);
}

constexpr Strictness kStrict = Strictness::EveryStress;
constexpr char kSix[] = "a|b|c|d|e|f";

INSTANTIATE_TEST_SUITE_P(
    Cases, MeterRule,
    testing::Values(
        RuleCase{"StressesInStrongPlacesFit", kIambic6, kSix, "1|3|1|3|1|3", {}, 6},
        RuleCase{"MaximumInWeakPlaceIsOff", kIambic6, kSix, "1|3|1|1|3|1", {5}, 6},
        // Column 4 above: an unstressed syllable in a strong place is promotion, never off.
        RuleCase{"StressOneIsNotStressed", kIambic6, kSix, "0|0|1|0|1|0", {}, 6},
        RuleCase{"StressOneAndAHalfIsStressed", kIambic6, kSix, "1|3|1|1|1.5|1", {5}, 6},
        RuleCase{"StressTwoIsStressed", kIambic6, kSix, "1|3|1|1|2|1", {5}, 6},
        RuleCase{"EmptyStressesReadAsZero", kIambic6, kSix, "1||2||1|3", {3}, 6},
        RuleCase{"TrailingLetterKeepsTheNumber", kIambic6, kSix, "1|3|1|2|3x|2", {5}, 6},
        RuleCase{"EqualNeighbourMakesNoMaximum", kIambic6, kSix, "1|3|1|3|3|1", {}, 6},
        RuleCase{"FirstSyllableIsNeverAMaximum", kIambic6, kSix, "3|1|1|3|1|3", {}, 6},
        RuleCase{"LastSyllableIsNeverAMaximum", "W\tS\tW\tS\tW", "a|b|c|d|e", "1|3|1|1|3", {}, 5},
        RuleCase{"MissingStressReadsAsEmpty", kIambic6, kSix, "1|3|1|1|3", {5}, 6},
        // Column 3 is blank: the neighbours of column 4 are columns 2 and 5, not its stress 4.
        RuleCase{"HiddenColumnIsNoNeighbour",
                 "S\tW\tS\tW\tS\tW",
                 "a|b|   |d|e|f",
                 "1|1|4|3|1|1",
                 {4},
                 5},
        RuleCase{"HiddenColumnIsNeverOff", kIambic6, "a|b|  |d|e|f", "1|3|4|1|1|3", {}, 5, kStrict},
        // The symbol of the middle place decides whether its lone stress is off.
        RuleCase{"SymbolLowerCaseSIsStrong", "W\ts\tW", "a|b|c", "1|3|1", {}, 3},
        RuleCase{"SymbolCapitalSIsStrong", "W\tS\tW", "a|b|c", "1|3|1", {}, 3},
        RuleCase{"SymbolWithSpacesIsTrimmed", "W\t S \tW", "a|b|c", "1|3|1", {}, 3},
        RuleCase{"SymbolWIsWeak", "W\tW\tW", "a|b|c", "1|3|1", {2}, 3},
        RuleCase{"AnyOtherSymbolIsWeak", "W\tx\tW", "a|b|c", "1|3|1", {2}, 3},
        RuleCase{"SymbolSsIsWeak", "W\tSS\tW", "a|b|c", "1|3|1", {2}, 3},
        RuleCase{"BlankSymbolEndsTheMeter", "W\tS\t \tW", "a|b|c|d", "1|3|1|1", {}, 4},
        // Column 5 lies beyond the meter: its maximum is not judged, the line is too long.
        RuleCase{"LongerThanTheMeter", "W\tS\tW\tS", kSix, "1|3|1|1|3|1", {}, 6},
        RuleCase{"ShorterThanTheMeter", kIambic6, "a|b|c|d", "1|3|1|3", {}, 4},
        // After merging "ev" and "er": one syllable fewer, the last position emptied.
        RuleCase{"MergedSyllablesCountOnce",
                 kIambic6,
                 "it|is|an|ev er|fixed|mark|",
                 "1|1|1|3|3|3|",
                 {},
                 6},
        RuleCase{"DefaultSkipsFirstAndLowerStress", kIambic6, kSix, "3|3|1|3|2|3", {}, 6},
        RuleCase{"StrictFlagsEveryStressInAWeakPlace",
                 kIambic6,
                 kSix,
                 "3|3|1|3|2|3",
                 {1, 5},
                 6,
                 kStrict},
        RuleCase{"StrictFlagsTheLastSyllable",
                 "W\tS\tW\tS\tW",
                 "a|b|c|d|e",
                 "1|3|1|1|3",
                 {5},
                 5,
                 kStrict},
        RuleCase{
            "StrictFlagsStressBesideEqualStress", kIambic6, kSix, "1|3|1|3|3|1", {5}, 6, kStrict},
        RuleCase{"StrictLeavesStressOneAlone", kIambic6, kSix, "1|3|1|3|1|3", {}, 6, kStrict},
        RuleCase{"EmptyMeterJudgesNothing",
                 "",
                 "a|b|c",
                 "1|3|1",
                 {},
                 0,
                 Strictness::StressMaxima,
                 false},
        RuleCase{
            "EmptyMeterJudgesNothingStrictly", " \tW", "a|b|c", "3|3|3", {}, 0, kStrict, false}),
    [](const testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

TEST(MeterPlaces, StopAtTheRowsLastField) {
    const Meter meter("W\tS", 5);
    EXPECT_EQ(meter.Places(), 2);
    EXPECT_TRUE(meter.IsStrong(2));
    EXPECT_FALSE(meter.IsStrong(3));
}

struct StatusCase {
    const char* name;
    Verdict verdict;
    const char* text;
};

class MeterStatus : public testing::TestWithParam<StatusCase> {};

TEST_P(MeterStatus, SaysWhatIsOff) {
    EXPECT_EQ(StatusText(GetParam().verdict), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Wording, MeterStatus,
    testing::Values(StatusCase{"NotJudged", {false, 0, 0, 0}, ""},
                    StatusCase{"Fits", {true, 10, 10, 0}, "fits the meter"},
                    StatusCase{"OnePlaceOff", {true, 10, 10, 1}, "1 place off the meter"},
                    StatusCase{"TwoPlacesOff", {true, 10, 10, 2}, "2 places off the meter"},
                    StatusCase{"OneTooMany", {true, 10, 11, 0}, "1 syllable too many"},
                    StatusCase{"TwoTooMany", {true, 10, 12, 0}, "2 syllables too many"},
                    StatusCase{"OneTooFew", {true, 10, 9, 0}, "1 syllable too few"},
                    StatusCase{"ThreeTooFew", {true, 10, 7, 0}, "3 syllables too few"},
                    StatusCase{"PlaceOffAndTooMany",
                               {true, 10, 11, 1},
                               "1 place off the meter, 1 syllable too many"},
                    StatusCase{"PlacesOffAndTooFew",
                               {true, 10, 8, 2},
                               "2 places off the meter, 2 syllables too few"}),
    [](const testing::TestParamInfo<StatusCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::meter
