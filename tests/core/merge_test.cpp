#include "editor/EditRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvale::editor {
namespace {

using Texts = std::vector<std::string>;
using Columns = std::vector<std::int32_t>;

// A working copy given by positions 1..m; position 0 is the unused empty element.
struct Line {
    Texts syllables;
    Texts stresses;
    Texts junctures;

    static Line From(const Texts& syl, const Texts& str, const Texts& jun) {
        Line line{{""}, {""}, {""}};
        line.syllables.insert(line.syllables.end(), syl.begin(), syl.end());
        line.stresses.insert(line.stresses.end(), str.begin(), str.end());
        line.junctures.insert(line.junctures.end(), jun.begin(), jun.end());
        return line;
    }
    std::int32_t M() const { return static_cast<std::int32_t>(syllables.size()) - 1; }
    MergeEffects MergeAt(std::int32_t k) { return Merge(syllables, stresses, junctures, k, M()); }
    bool operator==(const Line&) const = default;
};

void PrintTo(const Line& line, std::ostream* os) {
    for (const Texts* row : {&line.syllables, &line.stresses, &line.junctures}) {
        *os << "[";
        for (const auto& t : *row) {
            *os << '"' << t << "\" ";
        }
        *os << "] ";
    }
}

TEST(Merge, ExampleOfSixColumnsMergedAtColumnTwo) {
    Line line = Line::From({"a", "b", "c", "d", "", ""}, {"1", "1", "3", "1", "", ""},
                           {"0", "0", "1", "2", "", ""});
    const MergeEffects effects = line.MergeAt(2);

    EXPECT_EQ(line, Line::From({"a", "b c", "d", "", "", ""}, {"1", "3", "1", "", "", ""},
                               {"0", "1", "2", "", "", ""}));
    EXPECT_EQ(effects.hiddenSyllableBoxes, (Columns{4, 5, 6}));
    EXPECT_EQ(effects.hiddenStressColumns, (Columns{4, 5, 6}));
    EXPECT_EQ(effects.hiddenJunctureColumns, (Columns{4, 5, 6}));
    // Column 4 lost its syllable: the buttons on both its sides go; 1 and 2 stay.
    EXPECT_EQ(effects.hiddenMergeButtons, (Columns{4, 3, 5, 4, 5}));
}

TEST(Merge, AtTheLastButOneColumnOfAFullLine) {
    Line line = Line::From({"a", "b", "c", "d"}, {"1", "2", "1", "3"}, {"2", "1", "2", "4"});
    const MergeEffects effects = line.MergeAt(3);

    EXPECT_EQ(line, Line::From({"a", "b", "c d", ""}, {"1", "2", "3", ""}, {"2", "1", "4", ""}));
    EXPECT_EQ(effects.hiddenSyllableBoxes, (Columns{4}));
    EXPECT_EQ(effects.hiddenStressColumns, (Columns{4}));
    EXPECT_EQ(effects.hiddenJunctureColumns, (Columns{4}));
    EXPECT_EQ(effects.hiddenMergeButtons, (Columns{3}));
}

TEST(Merge, TwoColumnsLeaveOneSyllable) {
    Line line = Line::From({"a", "b"}, {"1", "2"}, {"1", "4"});
    const MergeEffects effects = line.MergeAt(1);
    EXPECT_EQ(line, Line::From({"a b", ""}, {"2", ""}, {"4", ""}));
    EXPECT_EQ(effects.hiddenMergeButtons, (Columns{1}));
}

TEST(Merge, RepeatedUntilOneSyllableIsLeft) {
    Line line = Line::From({"a", "b", "c"}, {"1", "3", "2"}, {"1", "1", "4"});
    line.MergeAt(1);
    line.MergeAt(1);
    EXPECT_EQ(line, Line::From({"a b c", "", ""}, {"3", "", ""}, {"4", "", ""}));
}

// Which stress text the merged cell keeps, left against right.
struct StressCase {
    const char* name;
    const char* left;
    const char* right;
    const char* kept;
};

class MergeStress : public ::testing::TestWithParam<StressCase> {};

TEST_P(MergeStress, KeepsTheHigherNumberAsWritten) {
    const StressCase& c = GetParam();
    Line line = Line::From({"x", "y"}, {c.left, c.right}, {"2", "4"});
    line.MergeAt(1);
    EXPECT_EQ(line.stresses[1], c.kept);
}

INSTANTIATE_TEST_SUITE_P(
    Merge, MergeStress,
    ::testing::Values(StressCase{"TenBeatsNineAsNumbers", "9", "10", "10"},
                      StressCase{"LeftHigherStays", "3", "1", "3"},
                      StressCase{"TieKeepsLeftText", "2", "2.0", "2"},
                      StressCase{"RightTextCopiedUnchanged", "1", " 2.50", " 2.50"},
                      StressCase{"EmptyRightBeatsNegativeLeft", "-1", "", ""},
                      StressCase{"WordRightBeatsNegativeLeft", "-1", "n/a", "n/a"},
                      StressCase{"EmptyRightLosesToZeroLeftTie", "0", "", "0"},
                      StressCase{"LeadingNumberOfTextCounts", "3x", "2", "3x"},
                      StressCase{"EmptyLeftLosesToPositiveRight", "", "1", "1"}),
    [](const ::testing::TestParamInfo<StressCase>& info) { return std::string(info.param.name); });

TEST(Merge, JunctureIsAlwaysTheRightHandOne) {
    for (const char* right : {"0", "4", "", "x"}) {
        Line line = Line::From({"x", "y", "z"}, {"1", "1", "1"}, {"2", right, "4"});
        line.MergeAt(1);
        EXPECT_EQ(line.junctures[1], right) << "right-hand juncture " << right;
        EXPECT_EQ(line.junctures[2], "4");
    }
}

TEST(Merge, JoinsWithExactlyOneBlankWhateverTheTexts) {
    const struct {
        const char* left;
        const char* right;
        const char* joined;
    } cases[] = {
        {"", "b", " b"}, {"a", "", "a "}, {"a ", "b", "a  b"}, {"", "", " "}, {"%", "c", "% c"}};
    for (const auto& c : cases) {
        Line line = Line::From({c.left, c.right}, {"1", "1"}, {"1", "1"});
        line.MergeAt(1);
        EXPECT_EQ(line.syllables[1], c.joined) << '"' << c.left << "\" + \"" << c.right << '"';
    }
}

TEST(Merge, BlankSyllableInsideTheLineMovesLeftWithoutBeingHidden) {
    // Column 2 is hidden on screen (blank); after merging 1 the "c" moves into it. A merge
    // never shows a control, and column 2 is not among those it hides.
    Line line = Line::From({"a", "", "c", "d"}, {"1", "1", "3", "1"}, {"2", "2", "2", "4"});
    const MergeEffects effects = line.MergeAt(1);
    EXPECT_EQ(line.syllables, (Texts{"", "a ", "c", "d", ""}));
    EXPECT_EQ(effects.hiddenSyllableBoxes, (Columns{4}));
    EXPECT_EQ(effects.hiddenMergeButtons, (Columns{3}));
}

TEST(Merge, ValueRowShorterThanSyllablesHidesOnlyThatBlock) {
    Line line = Line::From({"a", "b", "c"}, {"1", "1", ""}, {"2", "2", "4"});
    const MergeEffects effects = line.MergeAt(1);
    EXPECT_EQ(line.stresses, (Texts{"", "1", "", ""}));
    EXPECT_EQ(effects.hiddenSyllableBoxes, (Columns{3}));
    EXPECT_EQ(effects.hiddenStressColumns, (Columns{2, 3}));
    EXPECT_EQ(effects.hiddenJunctureColumns, (Columns{3}));
}

TEST(Merge, PositionZeroIsNeverTouched) {
    Line line = Line::From({"a", "b"}, {"1", "2"}, {"1", "4"});
    line.syllables[0] = "zero";
    line.MergeAt(1);
    EXPECT_EQ(line.syllables[0], "zero");
    EXPECT_EQ(line.junctures[0], "");
}

TEST(Merge, OutOfRangeColumnChangesNothing) {
    const Line before = Line::From({"a", "b", "c"}, {"1", "2", "3"}, {"1", "2", "4"});
    for (const std::int32_t k : {-1, 0, 3, 4, 32767}) {
        Line line = before;
        const MergeEffects effects = line.MergeAt(k);
        EXPECT_EQ(line, before) << "k = " << k;
        EXPECT_TRUE(effects.hiddenSyllableBoxes.empty() && effects.hiddenMergeButtons.empty() &&
                    effects.hiddenStressColumns.empty() && effects.hiddenJunctureColumns.empty())
            << "k = " << k;
    }
}

TEST(Merge, WorkingCopyShorterThanTheColumnsChangesNothing) {
    Line line = Line::From({"a", "b"}, {"1", "2"}, {"1", "4"});
    line.junctures.pop_back();
    const Line before = line;
    const MergeEffects effects = Merge(line.syllables, line.stresses, line.junctures, 1, 2);
    EXPECT_EQ(line, before);
    EXPECT_TRUE(effects.hiddenSyllableBoxes.empty());
}

}  // namespace
}  // namespace corvale::editor
