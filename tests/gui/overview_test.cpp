// The overview of the whole poem: its rows, summary and filter, the list's own keys, going to
// a line from it, rows following commits, saves, the strict check, a file switch and a restored
// journal, and the view options remembered in corvale-view.ini only when the user changes one.

#include "gui/MeterFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>

#include <string>
#include <vector>

namespace corvale::test {
namespace {

using Lines = std::vector<int>;

constexpr char kSonnet116OffLines[] = "6 of 14 verse lines off the meter, 0 changed";
const Lines kOffLines = {2, 5, 6, 7, 8, 12};

class OverviewTest : public MeterFixture {
protected:
    void StartOnSonnet116(const char* viewOptions = nullptr) {
        UseSample("sonnet116", "sonnet116.txt");
        if (viewOptions != nullptr) {
            platform.WriteFile(kViewOptionsFileName, viewOptions);
        }
        ASSERT_TRUE(Start());
        Activate();
    }
    void OpenWithF9() {
        Press(QKeyCombination(Qt::Key_F9));
        ASSERT_NE(TheOverview(), nullptr);
    }
    OverviewList& List() const { return TheOverview()->List(); }
    std::string Summary() const { return TheOverview()->SummaryLabel().text().toStdString(); }
    // The row of verse line `line` as listed: "number|text|meter|changed".
    std::string Row(int line) const {
        const QAbstractItemModel& model = *List().model();
        for (int row = 0; row < model.rowCount(); ++row) {
            if (model.index(row, OverviewModel::kNumber).data().toInt() == line) {
                std::string text;
                for (int column = 0; column < OverviewModel::kColumns; ++column) {
                    text += (column == 0 ? "" : "|") +
                            model.index(row, column).data().toString().toStdString();
                }
                return text;
            }
        }
        return "<not listed>";
    }
    Lines Listed() const {
        Lines lines;
        const QAbstractItemModel& model = *List().model();
        for (int row = 0; row < model.rowCount(); ++row) {
            lines.push_back(model.index(row, OverviewModel::kNumber).data().toInt());
        }
        return lines;
    }
    // The line of the selected row, 0 with none.
    int Selected() const {
        const QModelIndexList rows = List().selectionModel()->selectedRows(OverviewModel::kNumber);
        return rows.size() == 1 ? rows.front().data().toInt() : 0;
    }
    void ClickRowOf(int line) const {
        const QAbstractItemModel& model = *List().model();
        for (int row = 0; row < model.rowCount(); ++row) {
            const QModelIndex index = model.index(row, OverviewModel::kText);
            if (model.index(row, OverviewModel::kNumber).data().toInt() == line) {
                List().scrollTo(index);
                QTest::mouseClick(List().viewport(), Qt::LeftButton, {},
                                  List().visualRect(index).center());
                return;
            }
        }
        ADD_FAILURE() << "line " << line << " is not listed";
    }
    void FixLineTwo() {
        form->txtStress(7)->setFocus();  // "Love", 3, in the seventh place, a weak one
        Press(QKeyCombination(Qt::Key_Down));
        Press(QKeyCombination(Qt::Key_Down));
        ASSERT_EQ(Status(), "fits the meter");
    }
};

TEST_F(OverviewTest, ListsEveryVerseLineWithItsVerdict) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116());
    EXPECT_FALSE(form->mnuOverview->isChecked());
    ASSERT_NO_FATAL_FAILURE(OpenWithF9());
    EXPECT_TRUE(form->mnuOverview->isChecked());
    EXPECT_TRUE(TheOverview()->isVisible());
    EXPECT_EQ(form->dockWidgetArea(TheOverview()), Qt::RightDockWidgetArea);
    EXPECT_EQ(TheOverview()->features(), QDockWidget::DockWidgetClosable);
    EXPECT_EQ(List().accessibleName(), "Verse lines and how they keep to the meter");
    EXPECT_EQ(Focused(), "lstOverview");
    EXPECT_EQ(Summary(), kSonnet116OffLines);
    EXPECT_EQ(Listed().size(), 14U);
    EXPECT_EQ(Row(2), "2|Admit impediments. Love is not love|1 place off the meter|");
    EXPECT_EQ(Row(5), "5|O no! it is an ever-fixed mark|3 syllables too few|");
    EXPECT_EQ(Row(14), "14|I never writ, nor no man ever loved.|fits the meter|");
    EXPECT_EQ(Selected(), 1);
}

TEST_F(OverviewTest, FilterKeepsTheLinesOffTheMeter) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116());
    ASSERT_NO_FATAL_FAILURE(OpenWithF9());
    TheOverview()->OnlyOffBox().click();
    EXPECT_EQ(Listed(), kOffLines);
    EXPECT_EQ(Selected(), 0) << "line 1 on screen fits, so it is not listed";
    Press(QKeyCombination(Qt::Key_F3));
    EXPECT_EQ(Selected(), 2);
    TheOverview()->OnlyOffBox().click();
    EXPECT_EQ(Listed().size(), 14U);
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(Summary(), kSonnet116OffLines);
}

// The list's keys move its selection, never the line on screen; Return and Enter go to the
// selected line, and the list keeps the focus. Undo stays with the line on screen.
TEST_F(OverviewTest, ListKeysSelectAndReturnGoes) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116());
    form->txtStress(2)->setFocus();
    Press(QKeyCombination(Qt::Key_Up));
    ASSERT_EQ(form->CurrentStresses[2], "2");
    ASSERT_NO_FATAL_FAILURE(OpenWithF9());
    Press(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(form->CurrentStresses[2], "1");
    constexpr int kMoved = 0;  // any row but the one selected before
    struct Key {
        QKeyCombination key;
        int selected;
        bool goes;
    };
    const std::vector<Key> keys = {
        {QKeyCombination(Qt::Key_Down), 2, false},
        {QKeyCombination(Qt::Key_End), 14, false},
        {QKeyCombination(Qt::Key_Home), 1, false},
        {Qt::CTRL | Qt::Key_End, 14, false},
        {QKeyCombination(Qt::Key_PageUp), kMoved, false},
        {Qt::CTRL | Qt::Key_Home, 1, false},
        {QKeyCombination(Qt::Key_PageDown), kMoved, false},
        {QKeyCombination(Qt::Key_Return), kMoved, true},
        {QKeyCombination(Qt::Key_Up), kMoved, false},
        {QKeyCombination(Qt::Key_Enter), kMoved, true},
    };
    int line = 1;
    for (const Key& key : keys) {
        SCOPED_TRACE(QKeySequence(key.key).toString().toStdString());
        const int before = Selected();
        Press(key.key);
        EXPECT_EQ(Focused(), "lstOverview");
        if (key.goes) {
            line = before;
            EXPECT_EQ(Selected(), before);
        } else if (key.selected == kMoved) {
            EXPECT_NE(Selected(), before);
        } else {
            EXPECT_EQ(Selected(), key.selected);
        }
        EXPECT_EQ(form->CurrentLine, line);
    }
    EXPECT_GT(line, 1);
}

TEST_F(OverviewTest, ClickGoesToTheLineAsGoToDoes) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116());
    ASSERT_NO_FATAL_FAILURE(OpenWithF9());
    form->txtStress(1)->setFocus();
    Press(QKeyCombination(Qt::Key_Up));
    ClickRowOf(7);
    EXPECT_EQ(form->CurrentLine, 7);
    EXPECT_EQ(Status(), "1 place off the meter, 2 syllables too many");
    EXPECT_EQ(Selected(), 7);
    EXPECT_EQ(form->Stresses(1, 1), "3") << "the uncommitted step is dropped";
    EXPECT_FALSE(form->IsModified());
}

// A commit updates its row and the summary, and a filtered row that now fits leaves the list;
// a save clears the changed marks.
TEST_F(OverviewTest, RowsFollowCommitsAndSaves) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116("[View]\nOverview=true\n"));
    ASSERT_NE(TheOverview(), nullptr);
    TheOverview()->OnlyOffBox().click();
    GoTo(QStringLiteral("2"));
    ASSERT_NO_FATAL_FAILURE(FixLineTwo());
    EXPECT_EQ(Row(2), "2|Admit impediments. Love is not love|1 place off the meter|")
        << "an edit counts once committed";
    Press(Qt::CTRL | Qt::Key_Return);
    EXPECT_EQ(Listed(), (Lines{5, 6, 7, 8, 12}));
    EXPECT_EQ(Summary(), "5 of 14 verse lines off the meter, 1 changed");
    TheOverview()->OnlyOffBox().click();
    EXPECT_EQ(Row(2), "2|Admit impediments. Love is not love|fits the meter|changed");
    EXPECT_EQ(Selected(), 3);
    Press(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(Row(2), "2|Admit impediments. Love is not love|fits the meter|");
    EXPECT_EQ(Summary(), "5 of 14 verse lines off the meter, 0 changed");
}

TEST_F(OverviewTest, StrictCheckJudgesEveryRowAgain) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116());
    ASSERT_NO_FATAL_FAILURE(OpenWithF9());
    Press(QKeyCombination(Qt::Key_F7));
    EXPECT_EQ(Summary(), "10 of 14 verse lines off the meter, 0 changed");
    EXPECT_EQ(Row(1), "1|Let me not to the marriage of true minds|2 places off the meter|");
    EXPECT_EQ(Selected(), 1);
}

TEST_F(OverviewTest, FileSwitchListsTheNewFile) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116());
    ASSERT_NO_FATAL_FAILURE(OpenWithF9());
    platform.WriteFile("sonnet18.txt", SampleFile("sonnet18", "sonnet18.txt"));
    OpenFile(QStringLiteral("sonnet18.txt"));
    EXPECT_EQ(Summary(), "4 of 14 verse lines off the meter, 0 changed");
    EXPECT_EQ(Row(1), "1|Shall I compare thee to a summer's day?|fits the meter|");
    EXPECT_EQ(Selected(), form->CurrentLine);
}

// A crash after a commit: the restored line counts as changed.
TEST_F(OverviewTest, RestoredJournalMarksItsLines) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116("[View]\nOverview=true\n"));
    GoTo(QStringLiteral("2"));
    ASSERT_NO_FATAL_FAILURE(FixLineTwo());
    Press(Qt::CTRL | Qt::Key_Return);
    form.reset();
    platform.WillAnswer({Answer::Yes});
    ASSERT_TRUE(Start());
    ASSERT_NE(TheOverview(), nullptr);
    EXPECT_EQ(Summary(), "5 of 14 verse lines off the meter, 1 changed");
    EXPECT_EQ(Row(2), "2|Admit impediments. Love is not love|fits the meter|changed");
}

TEST_F(OverviewTest, EmptyMeterShowsNoJudgement) {
    UseSample("sonnet116", "sonnet116.txt");
    platform.WriteFile("meter.txt", "");
    platform.WriteFile(kViewOptionsFileName, "[View]\nOverview=true\n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(Summary(), "14 verse lines, 0 changed");
    EXPECT_EQ(Row(2), "2|Admit impediments. Love is not love||");
    TheOverview()->OnlyOffBox().click();
    EXPECT_EQ(Listed(), Lines{});
}

// --- The view options file -----------------------------------------------------------------

TEST_F(OverviewTest, CloseButtonUnchecksTheCommandAndIsRemembered) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116());
    ASSERT_NO_FATAL_FAILURE(OpenWithF9());
    EXPECT_EQ(ViewFile(), "[View]\nOverview=true\nStrictMeterCheck=false\n");
    TheOverview()->close();  // what its close button does
    EXPECT_EQ(Focused(), "txtSyllables(1)");
    EXPECT_FALSE(form->mnuOverview->isChecked());
    EXPECT_EQ(TheOverview(), nullptr);
    EXPECT_EQ(ViewFile(), "[View]\nOverview=false\nStrictMeterCheck=false\n");
    Press(QKeyCombination(Qt::Key_F9));
    ASSERT_NE(TheOverview(), nullptr);
    EXPECT_EQ(Selected(), 1);
}

struct OptionsCase {
    const char* name;
    const char* file;  // before the session; nullptr for none
    bool overview;     // as the window starts
    bool strict;
};

class ViewOptionsAtStart : public OverviewTest,
                           public ::testing::WithParamInterface<OptionsCase> {};

// Whatever the file holds, a session in which the user changes no option leaves it as it was,
// or leaves none.
TEST_P(ViewOptionsAtStart, AreAppliedAndNeverWrittenUnchanged) {
    const OptionsCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116(c.file));
    EXPECT_EQ(form->mnuOverview->isChecked(), c.overview);
    EXPECT_EQ(TheOverview() != nullptr, c.overview);
    EXPECT_EQ(form->mnuStrictMeterCheck->isChecked(), c.strict);
    Press(QKeyCombination(Qt::Key_F3));
    Press(QKeyCombination(Qt::Key_Down));
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
        OptionsCase{"OverviewOpen", "[View]\nOverview=true\nStrictMeterCheck=false\n", true, false},
        OptionsCase{"StrictCheck", "[View]\nStrictMeterCheck=true\n", false, true},
        OptionsCase{"NotTruthValues", "[View]\nOverview=yes please\nStrictMeterCheck=1x\n", false,
                    false},
        OptionsCase{"NotAnIniFile", "\x01\x02 garbage \xff\n[[[\n=", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::test
