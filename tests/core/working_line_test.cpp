// The line on screen: loaded from a row at the document's width, handed back for a commit as
// positions 1..width, and put back whole by an undo.

#include "editor/WorkingLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using corvale::Store;
using corvale::ValueRow;
using corvale::editor::WorkingLine;

Store OneRow() {
    Store store;
    store.Redimension(1, 4);
    const std::vector<std::string_view> syllables = {"a", "b"}, stresses = {"3"};
    store.SetRecord(1, "a b", "", syllables, stresses, {});
    return store;
}

TEST(WorkingLineTest, LoadsARowAtTheDocumentsWidth) {
    WorkingLine line;
    line.Load(OneRow(), 1, 4);
    EXPECT_EQ(line.Width(), 4);
    EXPECT_EQ(line.Syllable(2), "b");
    EXPECT_EQ(line.Stress(2), "") << "a position the row does not hold is empty";
    EXPECT_EQ(line.Syllable(5), "") << "outside the line reads as empty";
    const corvale::LineValues values = line.Values();
    EXPECT_EQ(values.syllables.size(), 4u);
    EXPECT_EQ(values.stresses.front(), "3");
}

TEST(WorkingLineTest, EditsOutsideTheLineChangeNothing) {
    WorkingLine line;
    line.Load(OneRow(), 1, 2);
    line.Set(ValueRow::Stresses, 3, "9");
    line.Set(ValueRow::Stresses, 0, "9");
    EXPECT_FALSE(line.Step(ValueRow::Stresses, 3, corvale::editor::StepDirection::Up, 4));
    EXPECT_FALSE(line.Step(ValueRow::Syllables, 1, corvale::editor::StepDirection::Up, 4));
    EXPECT_EQ(line.Copy(), (WorkingLine::Contents{{"", "a", "b"}, {"", "3", ""}, {"", "", ""}}));
}

TEST(WorkingLineTest, RestoreKeepsTheRowsOneLengthAndAtLeastTheWidth) {
    WorkingLine line;
    line.Restore({{"", "a"}, {"", "1", "2"}, {}}, 3);
    EXPECT_EQ(line.Width(), 3);
    EXPECT_EQ(line.Stresses().size(), 4u);
    EXPECT_EQ(line.Junctures().size(), 4u);
    EXPECT_EQ(line.Stress(2), "2");
}

}  // namespace
