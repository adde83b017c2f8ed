// The overview of the whole poem: its rows, summary and filter, the list's own keys, going to a
// line from it, rows following commits, saves, the strict check and a file switch, and the view
// options remembered in corvale-view.ini only when the user changes one.

#include "gui/MeterFixture.h"
#include "window/ViewOptions.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>

#include <string>
#include <vector>

#include <sys/stat.h>

namespace corvale::test {
namespace {

using Lines = std::vector<int>;

constexpr char kOverviewOpen[] = "[View]\nOverview=true\n";

class OverviewTest : public MeterFixture {
protected:
    void OpenWithF9() {
        Press(Plain(Qt::Key_F9));
        ASSERT_NE(TheOverview(), nullptr);
    }
    OverviewList& List() const { return TheOverview()->List(); }
    std::string Summary() const { return TheOverview()->SummaryLabel().text().toStdString(); }
    // Row `line` of the unfiltered list: "number|text|meter|changed".
    std::string Row(int line) const {
        std::string text;
        for (int column = 0; column < OverviewModel::kColumns; ++column) {
            text += (column == 0 ? "" : "|") +
                    List().model()->index(line - 1, column).data().toString().toStdString();
        }
        return text;
    }
    Lines Listed() const {
        Lines lines;
        for (int row = 0; row < List().model()->rowCount(); ++row) {
            lines.push_back(List().model()->index(row, OverviewModel::kNumber).data().toInt());
        }
        return lines;
    }
    // The line of the selected row, 0 with none.
    int Selected() const {
        const QModelIndexList rows = List().selectionModel()->selectedRows(OverviewModel::kNumber);
        return rows.size() == 1 ? rows.front().data().toInt() : 0;
    }
    std::string ViewFile() const { return platform.ReadFile(kViewOptionsFileName); }
};

// F9 opens the list of every verse line beside the designed window, with the line on screen
// selected. The filter keeps the lines off the meter; the strict check judges every row again.
TEST_F(OverviewTest, ListsEveryVerseLineAndFiltersThoseOffTheMeter) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116());
    ASSERT_NO_FATAL_FAILURE(OpenWithF9());
    EXPECT_EQ(form->dockWidgetArea(TheOverview()), Qt::RightDockWidgetArea);
    EXPECT_EQ(TheOverview()->features(), QDockWidget::DockWidgetClosable);
    EXPECT_EQ(List().accessibleName(), "Verse lines and how they keep to the meter");
    EXPECT_EQ(Focused(), "lstOverview");
    EXPECT_EQ(Summary(), "6 of 14 verse lines off the meter, 0 changed");
    EXPECT_EQ(Row(2), "2|Admit impediments. Love is not love|1 place off the meter|");
    EXPECT_EQ(Row(5), "5|O no! it is an ever-fixed mark|3 syllables too few|");
    EXPECT_EQ(Selected(), 1);

    TheOverview()->OnlyOffBox().click();
    EXPECT_EQ(Listed(), (Lines{2, 5, 6, 7, 8, 12}));
    EXPECT_EQ(Selected(), 0) << "line 1 on screen fits, so it is not listed";
    Press(Plain(Qt::Key_F3));
    EXPECT_EQ(Selected(), 2);
    Press(Plain(Qt::Key_F7));
    EXPECT_EQ(Listed(), (Lines{1, 2, 5, 6, 7, 8, 9, 11, 12, 14}));
    EXPECT_EQ(Summary(), "10 of 14 verse lines off the meter, 0 changed");
    TheOverview()->OnlyOffBox().click();
    EXPECT_EQ(Listed().size(), 14U);
    EXPECT_EQ(Selected(), 2);
}

// In a narrow dock the verse keeps at least the width the judgement has.
TEST_F(OverviewTest, ANarrowDockLeavesTheVerseReadable) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116());
    ASSERT_NO_FATAL_FAILURE(OpenWithF9());
    List().resize(360, List().height());
    const QHeaderView& header = *List().header();
    EXPECT_GE(header.sectionSize(OverviewModel::kText), header.sectionSize(OverviewModel::kMeter));
}

// A click or Return goes to a line as "go to #" does, dropping the uncommitted edits. The list's
// keys, also those that are the window's elsewhere, move its selection only and keep the focus;
// undo and redo reach the line on screen.
TEST_F(OverviewTest, ClickAndReturnGoAndTheListKeepsItsKeys) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116());
    form->Grid().stressBoxes(1)->setFocus();
    Press(Plain(Qt::Key_Up));
    ASSERT_NO_FATAL_FAILURE(OpenWithF9());
    Press(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(form->Line().Stress(1), "3");
    Press(Qt::CTRL | Qt::Key_Y);
    EXPECT_EQ(form->Line().Stress(1), "4");
    const QModelIndex seven = List().model()->index(6, OverviewModel::kText);
    List().scrollTo(seven);
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, List().visualRect(seven).center());
    EXPECT_EQ(form->Work().CurrentLine(), 7);
    EXPECT_EQ(Selected(), 7);
    EXPECT_EQ(form->Work().Doc().Stress(1, 1), "3") << "the uncommitted step is dropped";
    EXPECT_FALSE(form->Work().Doc().IsModified());
    Press(Plain(Qt::Key_PageDown));
    EXPECT_NE(Selected(), 7);
    Press(Qt::CTRL | Qt::Key_Home);
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(form->Work().CurrentLine(), 7);
    Press(Plain(Qt::Key_Return));
    EXPECT_EQ(form->Work().CurrentLine(), 1);
    EXPECT_EQ(Focused(), "lstOverview");
}

// A commit updates its row and the summary, and a filtered row that now fits leaves the list;
// a save clears the changed marks. A file switch lists the new file.
TEST_F(OverviewTest, RowsFollowCommitsSavesAndFileSwitches) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116("1", kOverviewOpen));
    TheOverview()->OnlyOffBox().click();
    GoTo(QStringLiteral("2"));
    form->Grid().stressBoxes(7)->setFocus();  // "Love", 3, in the weak 7th place
    Press(Plain(Qt::Key_Down));
    Press(Plain(Qt::Key_Down));
    ASSERT_EQ(Status(), "fits the meter");
    EXPECT_EQ(Listed(), (Lines{2, 5, 6, 7, 8, 12})) << "an edit counts once committed";
    Press(Qt::CTRL | Qt::Key_Return);
    EXPECT_EQ(Listed(), (Lines{5, 6, 7, 8, 12}));
    EXPECT_EQ(Summary(), "5 of 14 verse lines off the meter, 1 changed");
    TheOverview()->OnlyOffBox().click();
    EXPECT_EQ(Row(2), "2|Admit impediments. Love is not love|fits the meter|changed");
    EXPECT_EQ(Selected(), 3);
    Press(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(Row(2), "2|Admit impediments. Love is not love|fits the meter|");
    EXPECT_EQ(Summary(), "5 of 14 verse lines off the meter, 0 changed");

    platform.WriteFile("sonnet18.txt", SampleFile("sonnet18", "sonnet18.txt"));
    OpenFile(QStringLiteral("sonnet18.txt"));
    EXPECT_EQ(Summary(), "4 of 14 verse lines off the meter, 0 changed");
    EXPECT_EQ(Row(1), "1|Shall I compare thee to a summer's day?|fits the meter|");
    EXPECT_EQ(Selected(), form->Work().CurrentLine());
}

// An empty meter judges nothing: no judgement in the overview, and an empty status that F3
// leaves empty.
TEST_F(OverviewTest, EmptyMeterJudgesNothing) {
    UseSonnet116("1", kOverviewOpen);
    platform.WriteFile("meter.txt", "");
    ASSERT_TRUE(Start());
    EXPECT_EQ(Summary(), "14 verse lines, 0 changed");
    EXPECT_EQ(Row(2), "2|Admit impediments. Love is not love||");
    TheOverview()->OnlyOffBox().click();
    EXPECT_EQ(Listed(), Lines{});
    form->Keys().Find(QStringLiteral("nextOffTheMeterAction"))->trigger();
    EXPECT_EQ(form->Work().CurrentLine(), 1);
    EXPECT_EQ(Status(), "");
}

// --- The view options file -----------------------------------------------------------------

// An option the user changes is written at once. The close button unchecks "Overview" and gives
// the focus back to the grid.
TEST_F(OverviewTest, ChangedOptionsAreRemembered) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116());
    ASSERT_NO_FATAL_FAILURE(OpenWithF9());
    EXPECT_EQ(ViewFile(), "[View]\nOverview=true\nProfile=false\nStrictMeterCheck=false\n");
    Press(Plain(Qt::Key_F7));
    EXPECT_EQ(ViewFile(), "[View]\nOverview=true\nProfile=false\nStrictMeterCheck=true\n");
    TheOverview()->close();  // what its close button does
    EXPECT_EQ(Focused(), "syllableBoxes(1)");
    EXPECT_FALSE(form->overviewAction->isChecked());
    EXPECT_EQ(TheOverview(), nullptr);
    EXPECT_EQ(ViewFile(), "[View]\nOverview=false\nProfile=false\nStrictMeterCheck=true\n");
    ASSERT_NO_FATAL_FAILURE(OpenWithF9());
    EXPECT_EQ(Selected(), 1);
}

struct OptionsCase {
    const char* name;
    const char* file;  // before the run; nullptr for none
    bool overview;     // as the window starts
    bool strict;
};

class ViewOptionsAtStart : public OverviewTest,
                           public ::testing::WithParamInterface<OptionsCase> {};

// Whatever the file holds, a run in which the user changes no option leaves it as it was,
// or leaves none.
TEST_P(ViewOptionsAtStart, AreAppliedAndNeverWrittenUnchanged) {
    const OptionsCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116("1", c.file));
    EXPECT_EQ(form->overviewAction->isChecked(), c.overview);
    EXPECT_EQ(TheOverview() != nullptr, c.overview);
    EXPECT_EQ(form->strictMeterCheckAction->isChecked(), c.strict);
    EXPECT_EQ(Status(), c.strict ? "2 places off the meter" : "fits the meter");
    Press(Plain(Qt::Key_F3));
    Press(Plain(Qt::Key_Down));
    Press(Qt::CTRL | Qt::Key_Return);
    platform.WillAnswer({Answer::No});
    form->close();
    ASSERT_TRUE(platform.Ended() || !form->isVisible());
    if (c.file == nullptr) {
        EXPECT_FALSE(platform.Exists(kViewOptionsFileName));
    } else {
        EXPECT_EQ(ViewFile(), c.file);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ViewOptionsAtStart,
    ::testing::Values(
        OptionsCase{"NoFile", nullptr, false, false},
        OptionsCase{"BothOn", "[View]\nOverview=true\nStrictMeterCheck=true\n", true, true},
        OptionsCase{"NotTruthValues", "[View]\nOverview=yes please\nStrictMeterCheck=1x\n", false,
                    false},
        OptionsCase{"NotAnIniFile", "\x01\x02 garbage \xff\n[[[\n=", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A FIFO in the options' place is not read: reading it would block the start.
TEST_F(OverviewTest, AFifoInPlaceOfTheViewOptionsIsNotRead) {
    ASSERT_EQ(::mkfifo(platform.FilePath("fifo.ini").c_str(), 0600), 0);
    EXPECT_FALSE(ViewOptions::Read(QString::fromStdString(platform.FilePath("fifo.ini"))).overview);
}

}  // namespace
}  // namespace corvale::test
