#include "gui/LineEditorFixture.h"

#include "editor/EditRules.h"
#include "window/Layout.h"

#include <QAction>
#include <QLineEdit>

#include <string>
#include <vector>

namespace corvale::test {
namespace {

// Stress bounds 1..3, juncture bounds 0..4; six columns.
const std::vector<Verse> kPoemLines = {
    {"Merge example",
     {"a", "b", "c", "d"},
     {"1", "1", "3", "1"},
     {"0", "0", "1", "2"},
     "stored comment"},
    {"Full line",
     {"p", "q", "r", "s", "t", "u"},
     {"1", "2", "1", "2", "1", "3"},
     {"2", "2", "2", "2", "1", "4"},
     ""},
    {"Odd values",
     {"g", "h", "i", "j", "k"},
     {"5", " 2 ", "2.5", "abc"},
     {"-2", "0", "1", "4", "4"},
     ""},
    {"Blank inside", {"a", "b", "", "d"}, {"1", "1", "1", "1"}, {"2", "2", "2", "4"}, ""},
};

class Editing : public LineEditorFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartWith(kPoemLines, MemoryFile(kPoem, "1", "3", "1", "4", "0", "0")));
    }
    void ShowLine(int line) { GoTo(QString::number(line)); }
    std::vector<std::string> Texts(const char* array) const {
        std::vector<std::string> texts;
        for (int i = 1; i <= form->Work().Doc().Positions(); ++i) {
            texts.push_back(CellText(array, i));
        }
        return texts;
    }
    QLineEdit* SyllableBox(int i) const { return form->Grid().syllableBoxes(i); }
};

// ---- stepping -------------------------------------------------------------------------------

TEST_F(Editing, StressStepsStopAtTheBounds) {
    const std::vector<std::string> expectedUp = {"2", "3", "3"};
    for (const auto& expected : expectedUp) {
        ClickCell("stressUpButtons", 1);
        EXPECT_EQ(CellText("stressBoxes", 1), expected);
    }
    const std::vector<std::string> expectedDown = {"2", "1", "1"};
    for (const auto& expected : expectedDown) {
        ClickCell("stressDownButtons", 1);
        EXPECT_EQ(CellText("stressBoxes", 1), expected);
    }
    EXPECT_EQ(form->Line().Stress(1), "1");
}

TEST_F(Editing, StepChangesOnlyTheWorkingCopyAndItsBox) {
    ClickCell("stressUpButtons", 2);
    EXPECT_EQ(form->Line().Stress(2), "2");
    EXPECT_EQ(form->Work().Doc().Stress(1, 2), "1");
    EXPECT_EQ(CellText("stressBoxes", 1), "1");
    EXPECT_EQ(CellText("junctureBoxes", 2), "0");
    EXPECT_EQ(Texts("syllableBoxes"), (std::vector<std::string>{"a", "b", "c", "d", "", ""}));
}

// The look of the line follows a step at once, and its undo.
TEST_F(Editing, StepsReAlignTheSyllableBoxesAtOnce) {
    const bool boldBefore = SyllableBox(1)->font().bold();
    const Qt::Alignment alignmentBefore = SyllableBox(1)->alignment();
    ClickCell("stressUpButtons", 1);
    ClickCell("stressUpButtons", 1);
    ClickCell("junctureUpButtons", 1);
    EXPECT_EQ(form->Line().Juncture(1), "1");
    EXPECT_TRUE(SyllableBox(1)->font().bold());
    EXPECT_EQ(SyllableBox(1)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    for (int undo = 0; undo < 3; ++undo) {
        form->undoAction->trigger();
    }
    EXPECT_EQ(SyllableBox(1)->font().bold(), boldBefore);
    EXPECT_EQ(SyllableBox(1)->alignment(), alignmentBefore);
}

TEST_F(Editing, JunctureStepsStopAtTheBounds) {
    ShowLine(3);
    ClickCell("junctureDownButtons", 1);  // -2 lies below the minimum 0
    EXPECT_EQ(CellText("junctureBoxes", 1), "-2");
    ClickCell("junctureUpButtons", 1);
    EXPECT_EQ(CellText("junctureBoxes", 1), "-1");
    ClickCell("junctureDownButtons", 2);  // at the minimum
    EXPECT_EQ(CellText("junctureBoxes", 2), "0");
    ClickCell("junctureUpButtons", 4);  // at the maximum
    EXPECT_EQ(CellText("junctureBoxes", 4), "4");
    ClickCell("junctureDownButtons", 4);
    EXPECT_EQ(CellText("junctureBoxes", 4), "3");
}

TEST_F(Editing, ValuesFromTheFileStepByTheirNumber) {
    struct Case {
        const char* what;
        const char* button;
        int column;
        int clicks;
        const char* shown;
    };
    const Case cases[] = {
        {"beyond the maximum does not rise", "stressUpButtons", 1, 1, "5"},
        {"beyond the maximum still falls", "stressDownButtons", 1, 1, "4"},
        {"spaces around are accepted and dropped", "stressUpButtons", 2, 1, "3"},
        {"a half rises past the bound once", "stressUpButtons", 3, 3, "3.5"},
        {"a word does not rise", "stressUpButtons", 4, 1, "abc"},
        {"a word does not fall", "stressDownButtons", 4, 1, "abc"},
        {"a missing value is filled in from 0", "stressUpButtons", 5, 1, "1"},
        {"a missing value stays below the minimum", "stressDownButtons", 5, 1, ""},
    };
    ShowLine(3);
    for (const Case& c : cases) {
        Click(QStringLiteral("reloadLineButton"));
        ASSERT_TRUE(CellShown(c.button, c.column)) << c.what;
        for (int n = 0; n < c.clicks; ++n) {
            ClickCell(c.button, c.column);
        }
        EXPECT_EQ(CellText("stressBoxes", c.column), c.shown) << c.what;
        EXPECT_EQ(form->Line().Stress(static_cast<std::size_t>(c.column)), c.shown) << c.what;
    }
}

TEST_F(Editing, RedoThrowsStepsAway) {
    ClickCell("stressUpButtons", 3);
    ClickCell("junctureUpButtons", 4);
    Click(QStringLiteral("reloadLineButton"));
    EXPECT_EQ(CellText("stressBoxes", 3), "3");
    EXPECT_EQ(CellText("junctureBoxes", 4), "2");
    EXPECT_EQ(form->Line().Stress(3), "3");
    EXPECT_EQ(form->Line().Juncture(4), "2");
}

TEST_F(Editing, StepOnAColumnThatIsNotThereDoesNothing) {
    const auto stresses = form->Line().Stresses();
    const auto junctures = form->Line().Junctures();
    form->Run([&] {
        for (const std::int16_t i :
             {std::int16_t{0}, std::int16_t{-1}, std::int16_t{7}, std::int16_t{32767}}) {
            form->RaiseStress(i);
            form->LowerStress(i);
            form->RaiseJuncture(i);
            form->LowerJuncture(i);
        }
    });
    EXPECT_EQ(form->Line().Stresses(), stresses);
    EXPECT_EQ(form->Line().Junctures(), junctures);
    EXPECT_EQ(CellText("stressBoxes", 0), "");
    EXPECT_FALSE(platform.Ended());
}

// ---- block order ----------------------------------------------------------------------------

class BlockOrder : public Editing {
protected:
    // Every column that exists, shown or hidden, and the two headings sit in these slots;
    // element 0 stays where it was designed.
    void ExpectBlocks(const layout::BlockTops& stress, const layout::BlockTops& juncture) const {
        EXPECT_EQ(TopOf(QStringLiteral("stressHeading")), stress.heading);
        EXPECT_EQ(TopOf(QStringLiteral("junctureHeading")), juncture.heading);
        for (int i = 1; i <= form->Grid().Columns(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(TopOf(Cell("stressBoxes", i)), stress.box);
            EXPECT_EQ(TopOf(Cell("stressUpButtons", i)), stress.up);
            EXPECT_EQ(TopOf(Cell("stressDownButtons", i)), stress.down);
            EXPECT_EQ(TopOf(Cell("junctureBoxes", i)), juncture.box);
            EXPECT_EQ(TopOf(Cell("junctureUpButtons", i)), juncture.up);
            EXPECT_EQ(TopOf(Cell("junctureDownButtons", i)), juncture.down);
            EXPECT_EQ(form->Grid().junctureBoxes(i)->y(), layout::ToPixels(juncture.box));
            EXPECT_EQ(form->Grid().stressBoxes(i)->y(), layout::ToPixels(stress.box));
        }
        EXPECT_EQ(TopOf(Cell("stressBoxes", 0)), layout::kUpperSlot.box);
        EXPECT_EQ(TopOf(Cell("junctureBoxes", 0)), layout::kLowerSlot.box);
    }
};

TEST_F(BlockOrder, StartsWithStressOnTop) {
    ExpectBlocks(layout::kUpperSlot, layout::kLowerSlot);
}

TEST_F(BlockOrder, JunctureHeadingBringsItsBlockUpIncludingHiddenColumns) {
    ASSERT_FALSE(CellShown("junctureBoxes", 6));
    const double leftBefore = placement::PlaceOf(form->Grid().junctureBoxes(2)).left;
    const double heightBefore = placement::PlaceOf(form->Grid().junctureBoxes(2)).height;
    ClickLabel(form->Grid().junctureHeading);
    ExpectBlocks(layout::kLowerSlot, layout::kUpperSlot);
    EXPECT_EQ(placement::PlaceOf(form->Grid().junctureBoxes(2)).left, leftBefore);
    EXPECT_EQ(placement::PlaceOf(form->Grid().junctureBoxes(2)).height, heightBefore);
    EXPECT_FALSE(CellShown("junctureBoxes", 6));
}

TEST_F(BlockOrder, ClickingTwiceKeepsTheArrangement) {
    ClickLabel(form->Grid().junctureHeading);
    ClickLabel(form->Grid().junctureHeading);
    ExpectBlocks(layout::kLowerSlot, layout::kUpperSlot);
}

TEST_F(BlockOrder, StressHeadingRestoresTheDesignedOrder) {
    ClickLabel(form->Grid().junctureHeading);
    ClickLabel(form->Grid().stressHeading);
    ExpectBlocks(layout::kUpperSlot, layout::kLowerSlot);
    ClickLabel(form->Grid().stressHeading);
    ExpectBlocks(layout::kUpperSlot, layout::kLowerSlot);
}

TEST_F(BlockOrder, ArrangementOutlastsANewLineAndButtonsKeepTheirBlock) {
    ClickLabel(form->Grid().junctureHeading);
    Click(QStringLiteral("aheadOneButton"));
    ExpectBlocks(layout::kLowerSlot, layout::kUpperSlot);
    EXPECT_EQ(CellText("syllableBoxes", 6), "u");
    ClickCell("stressUpButtons", 1);
    EXPECT_EQ(CellText("stressBoxes", 1), "2");
    EXPECT_EQ(CellText("junctureBoxes", 1), "2");
    ClickCell("junctureDownButtons", 1);
    EXPECT_EQ(CellText("junctureBoxes", 1), "1");
    EXPECT_EQ(CellText("stressBoxes", 1), "2");
}

// ---- merging --------------------------------------------------------------------------------

TEST_F(Editing, MergeExampleThroughTheButtons) {
    ClickCell("mergeButtons", 2);

    EXPECT_EQ(Texts("syllableBoxes"), (std::vector<std::string>{"a", "b c", "d", "", "", ""}));
    EXPECT_EQ(Texts("stressBoxes"), (std::vector<std::string>{"1", "3", "1", "", "", ""}));
    EXPECT_EQ(Texts("junctureBoxes"), (std::vector<std::string>{"0", "1", "2", "", "", ""}));
    EXPECT_EQ(form->Line().Syllables(),
              (std::vector<std::string>{"", "a", "b c", "d", "", "", ""}));
    for (const char* array : {"syllableBoxes", "stressBoxes", "junctureBoxes", "stressUpButtons",
                              "stressDownButtons", "junctureUpButtons", "junctureDownButtons"}) {
        EXPECT_TRUE(CellShown(array, 3)) << array;
        EXPECT_FALSE(CellShown(array, 4)) << array;
    }
    EXPECT_TRUE(CellShown("mergeButtons", 1));
    EXPECT_TRUE(CellShown("mergeButtons", 2));
    EXPECT_FALSE(CellShown("mergeButtons", 3));
    EXPECT_FALSE(CellShown("mergeButtons", 4));
    // Re-aligned: "b c" now binds to "d" through the juncture 1 it took over, and is bold.
    EXPECT_TRUE(SyllableBox(2)->alignment().testFlag(Qt::AlignRight));
    EXPECT_TRUE(SyllableBox(3)->alignment().testFlag(Qt::AlignLeft));
    EXPECT_TRUE(SyllableBox(2)->font().bold());
    // The store keeps the line as it was.
    EXPECT_EQ(form->Work().Doc().Syllable(1, 2), "b");
    EXPECT_EQ(form->Work().Doc().Syllable(1, 4), "d");
}

TEST_F(Editing, RedoAfterAMergeBringsBackTheUnmergedLine) {
    ClickCell("mergeButtons", 2);
    Click(QStringLiteral("reloadLineButton"));
    EXPECT_EQ(Texts("syllableBoxes"), (std::vector<std::string>{"a", "b", "c", "d", "", ""}));
    EXPECT_EQ(Texts("stressBoxes"), (std::vector<std::string>{"1", "1", "3", "1", "", ""}));
    EXPECT_EQ(Texts("junctureBoxes"), (std::vector<std::string>{"0", "0", "1", "2", "", ""}));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(CellShown("mergeButtons", i)) << i;
    }
    EXPECT_TRUE(CellShown("syllableBoxes", 4));
    EXPECT_TRUE(CellShown("junctureDownButtons", 4));
    EXPECT_FALSE(SyllableBox(2)->font().bold());
}

TEST_F(Editing, MergingTheLastTwoOfAFullLine) {
    ShowLine(2);
    ClickCell("mergeButtons", 5);
    EXPECT_EQ(CellText("syllableBoxes", 5), "t u");
    EXPECT_EQ(CellText("stressBoxes", 5), "3");
    EXPECT_EQ(CellText("junctureBoxes", 5), "4");
    EXPECT_FALSE(CellShown("syllableBoxes", 6));
    EXPECT_FALSE(CellShown("stressUpButtons", 6));
    EXPECT_FALSE(CellShown("mergeButtons", 5));
    EXPECT_TRUE(CellShown("mergeButtons", 4));
    EXPECT_EQ(form->Line().Syllable(6), "");
}

TEST_F(Editing, MergeNeverShowsAHiddenColumn) {
    ShowLine(4);
    ASSERT_FALSE(CellShown("syllableBoxes", 3));
    ClickCell("mergeButtons", 1);
    EXPECT_EQ(CellText("syllableBoxes", 1), "a b");
    // The blank moved into column 2 and "d" into the hidden column 3, which stays hidden.
    EXPECT_FALSE(CellShown("syllableBoxes", 2));
    EXPECT_EQ(form->Line().Syllable(3), "d");
    EXPECT_FALSE(CellShown("syllableBoxes", 3));
    EXPECT_FALSE(CellShown("syllableBoxes", 4));
}

TEST_F(Editing, CommitStoresTheMergedLineWithEmptiedPositions) {
    ClickCell("mergeButtons", 2);
    Click(QStringLiteral("commitLineButton"));
    EXPECT_EQ(Progress(), "2/4");
    const std::vector<std::string> syllables = {"a", "b c", "d", "", "", ""};
    const std::vector<std::string> stresses = {"1", "3", "1", "", "", ""};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(form->Work().Doc().Syllable(1, i), syllables[static_cast<std::size_t>(i - 1)])
            << i;
        EXPECT_EQ(form->Work().Doc().Stress(1, i), stresses[static_cast<std::size_t>(i - 1)]) << i;
    }
    Click(QStringLiteral("backOneButton"));
    EXPECT_EQ(CellText("syllableBoxes", 2), "b c");
    EXPECT_FALSE(CellShown("syllableBoxes", 4));
    EXPECT_FALSE(CellShown("mergeButtons", 3));
}

// The Line menu's merge acts on the column in focus, and says where to be when it has no next.
TEST_F(Editing, MergeFromTheMenuTakesTheColumnInFocus) {
    QAction* merge = form->findChild<QAction*>(QStringLiteral("mergeAction"));
    ASSERT_NE(merge, nullptr);
    form->Grid().stressBoxes(4)->setFocus();
    merge->trigger();
    EXPECT_EQ(form->lineStatusLabel->text(), QLatin1String(editor::kMergeWhereMessage));
    form->Grid().stressBoxes(2)->setFocus();
    merge->trigger();
    EXPECT_EQ(Texts("syllableBoxes"), (std::vector<std::string>{"a", "b c", "d", "", "", ""}));
}

TEST_F(Editing, MergeOnAButtonThatShouldNotBeThereDoesNothing) {
    const auto syllables = form->Line().Syllables();
    form->Run([&] {
        for (const std::int16_t k :
             {std::int16_t{0}, std::int16_t{-3}, std::int16_t{6}, std::int16_t{100}}) {
            form->MergeWithNext(k);
        }
    });
    EXPECT_EQ(form->Line().Syllables(), syllables);
    EXPECT_EQ(Texts("syllableBoxes"), (std::vector<std::string>{"a", "b", "c", "d", "", ""}));
}

}  // namespace
}  // namespace corvale::test
