#include "editor/EditRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvale::editor {
namespace {

// One position of a working copy, with its neighbours' junctures where they matter.
struct LookCase {
    std::string name;
    std::vector<std::string> syllables;  // position 0 first
    std::vector<std::string> stresses;
    std::vector<std::string> junctures;
    std::int32_t position;
    std::string text;
    CellAlignment alignment;
    bool bold;
};

class LookOfCellTest : public ::testing::TestWithParam<LookCase> {};

TEST_P(LookOfCellTest, ShowsTheSyllableAsTheReaderExpects) {
    const LookCase& c = GetParam();
    const CellLook look = LookOfCell(c.syllables, c.stresses, c.junctures, c.position);
    EXPECT_EQ(look.text, c.text);
    EXPECT_EQ(look.alignment, c.alignment);
    EXPECT_EQ(look.bold, c.bold);
}

using enum CellAlignment;

INSTANTIATE_TEST_SUITE_P(
    Joining, LookOfCellTest,
    ::testing::Values(
        LookCase{
            "FreeSyllableIsCentred", {"", "art"}, {"", "1"}, {"", "2"}, 1, "art", Centred, false},
        LookCase{"FirstOfWordLeansRight",
                 {"", "love", "ly"},
                 {"", "3", "1"},
                 {"", "1", "2"},
                 1,
                 "love",
                 Right,
                 true},
        LookCase{"LastOfWordLeansLeft",
                 {"", "love", "ly"},
                 {"", "3", "1"},
                 {"", "1", "2"},
                 2,
                 "ly",
                 Left,
                 false},
        LookCase{"MiddleOfThreeGetsHyphen",
                 {"", "tem", "per", "ate"},
                 {"", "3", "1", "1"},
                 {"", "1", "1", "4"},
                 2,
                 "per-",
                 Left,
                 false},
        LookCase{"FirstOfThree",
                 {"", "tem", "per", "ate"},
                 {"", "3", "1", "1"},
                 {"", "1", "1", "4"},
                 1,
                 "tem",
                 Right,
                 true},
        LookCase{"LastOfThree",
                 {"", "tem", "per", "ate"},
                 {"", "3", "1", "1"},
                 {"", "1", "1", "4"},
                 3,
                 "ate",
                 Left,
                 false},
        // Position 0 is no syllable, so a "1" there binds nothing.
        LookCase{"FirstSyllableNeverJoinedToPrevious",
                 {"", "Shall"},
                 {"", "1"},
                 {"1", "2"},
                 1,
                 "Shall",
                 Centred,
                 false},
        LookCase{"FirstSyllableNeverHyphenated",
                 {"", "Shall", "I"},
                 {"", "1", "1"},
                 {"1", "1", "2"},
                 1,
                 "Shall",
                 Right,
                 false},
        LookCase{"JunctureAfterLastSyllableCounts",
                 {"", "a", "b"},
                 {"", "", ""},
                 {"", "1", "1"},
                 2,
                 "b-",
                 Left,
                 false},
        LookCase{"EmptySyllableBoundOnBothSides",
                 {"", "a", "", "c"},
                 {"", "", "", ""},
                 {"", "1", "1", "2"},
                 2,
                 "-",
                 Left,
                 false},
        LookCase{"SpaceBeforeOneDoesNotBind",
                 {"", "a", "b"},
                 {"", "", ""},
                 {"", " 1", "2"},
                 2,
                 "b",
                 Centred,
                 false},
        LookCase{"LeadingZeroDoesNotBind",
                 {"", "a", "b"},
                 {"", "", ""},
                 {"", "01", "2"},
                 1,
                 "a",
                 Centred,
                 false},
        LookCase{"DecimalOneDoesNotBind",
                 {"", "a", "b"},
                 {"", "", ""},
                 {"", "1.0", "2"},
                 2,
                 "b",
                 Centred,
                 false},
        LookCase{"TrailingSpaceDoesNotBind",
                 {"", "a", "b"},
                 {"", "", ""},
                 {"", "1 ", "2"},
                 1,
                 "a",
                 Centred,
                 false}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Texts, LookOfCellTest,
    ::testing::Values(
        LookCase{
            "PercentAloneBecomesDashes", {"", "%"}, {"", ""}, {"", ""}, 1, "--", Centred, false},
        LookCase{
            "PercentInsideAWord", {"", "o%er"}, {"", ""}, {"", ""}, 1, "o--er", Centred, false},
        LookCase{"EveryPercentIsReplaced",
                 {"", "%a%%"},
                 {"", ""},
                 {"", ""},
                 1,
                 "--a----",
                 Centred,
                 false},
        LookCase{"PercentAndHyphen",
                 {"", "x", "%", "y"},
                 {"", "", "", ""},
                 {"", "1", "1", ""},
                 2,
                 "---",
                 Left,
                 false},
        LookCase{"SpacesAreKept", {"", "  "}, {"", ""}, {"", ""}, 1, "  ", Centred, false},
        LookCase{"HighBytesPassUnchanged",
                 {"", "\xE9t\xE9"},
                 {"", ""},
                 {"", ""},
                 1,
                 "\xE9t\xE9",
                 Centred,
                 false},
        LookCase{"PositionBeyondTheCopyIsEmpty",
                 {"", "a"},
                 {"", "2"},
                 {"", "1"},
                 5,
                 "",
                 Centred,
                 false}),
    [](const auto& info) { return info.param.name; });

struct BoldCase {
    std::string name;
    std::string stress;
    bool bold;
};

class StressBoldnessTest : public ::testing::TestWithParam<BoldCase> {};

TEST_P(StressBoldnessTest, BoldOnlyAboveOne) {
    const std::vector<std::string> syllables = {"", "day"};
    const std::vector<std::string> stresses = {"", GetParam().stress};
    const std::vector<std::string> junctures = {"", ""};
    EXPECT_EQ(LookOfCell(syllables, stresses, junctures, 1).bold, GetParam().bold);
}

INSTANTIATE_TEST_SUITE_P(
    Stresses, StressBoldnessTest,
    ::testing::Values(BoldCase{"Two", "2", true}, BoldCase{"OneAndAHalf", "1.5", true},
                      BoldCase{"JustAboveOne", "1.001", true}, BoldCase{"One", "1", false},
                      BoldCase{"OnePointZero", "1.0", false}, BoldCase{"Zero", "0", false},
                      BoldCase{"MinusOne", "-1", false}, BoldCase{"Empty", "", false},
                      BoldCase{"NoNumber", "x3", false}, BoldCase{"NumberThenText", "3x", true},
                      BoldCase{"LeadingBlanks", "  4", true}, BoldCase{"Exponent", "1e1", true}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace corvale::editor
