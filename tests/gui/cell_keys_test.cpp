// Which widget a key belongs to: the grid's boxes step, move and merge with their keys and let
// the window's commands through; the comment, go-to and file boxes keep their editing keys.

#include "gui/KeyboardFixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <ostream>
#include <string>
#include <vector>

namespace corvale::test {
namespace {

// The text of a one-line box or of the comment box.
std::string TextIn(const QWidget* box) {
    if (const auto* line = qobject_cast<const QLineEdit*>(box)) {
        return line->text().toStdString();
    }
    if (const auto* comment = qobject_cast<const QPlainTextEdit*>(box)) {
        return comment->toPlainText().toStdString();
    }
    return "<not a text box>";
}

// ---- keys kept by the boxes or let through to the window ------------------------------------

struct RoutingCase {
    const char* name;
    const char* start;  // the focused box, which is typed into first
    const char* typed;
    QKeyCombination key;
    const char* progress;
    const char* focus;
    const char* text;  // of the start box afterwards
};

void PrintTo(const RoutingCase& c, std::ostream* out) {
    *out << c.name;
}

class KeyRouting : public KeyboardFixture, public ::testing::WithParamInterface<RoutingCase> {};

TEST_P(KeyRouting, KeyGoesWhereItBelongs) {
    const RoutingCase& c = GetParam();
    const Verse verse{"verse", {"a", "b"}, {"1", "1"}, {"2", "2"}, ""};
    ASSERT_TRUE(StartWith({verse, verse, verse, verse}, MemoryFile(kPoem, "2")));
    Activate();
    QWidget* start = Find(QLatin1String(c.start));
    start->setFocus();
    Type(QString::fromLatin1(c.typed));
    Press(c.key);
    EXPECT_EQ(Progress(), c.progress);
    EXPECT_EQ(Focused(), c.focus);
    EXPECT_EQ(TextIn(start), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Window, KeyRouting,
    ::testing::Values(RoutingCase{"CommentKeepsReturnForANewLine", "txtComment", "ab",
                                  Plain(Qt::Key_Return), "2/4", "txtComment", "ab\n"},
                      RoutingCase{"CommentKeepsPageDown", "txtComment", "ab",
                                  Plain(Qt::Key_PageDown), "2/4", "txtComment", "ab"},
                      RoutingCase{"CommentKeepsCtrlHome", "txtComment", "ab",
                                  Qt::CTRL | Qt::Key_Home, "2/4", "txtComment", "ab"},
                      RoutingCase{"CommentKeepsItsUndo", "txtComment", "ab", Qt::CTRL | Qt::Key_Z,
                                  "2/4", "txtComment", ""},
                      RoutingCase{"CommentMovesOnWithTab", "txtComment", "ab", Plain(Qt::Key_Tab),
                                  "2/4", "cmdOk", "ab"},
                      RoutingCase{"CommitFromTheComment", "txtComment", "ab",
                                  Qt::CTRL | Qt::Key_Return, "3/4", "txtComment", ""},
                      RoutingCase{"GoToBoxKeepsCtrlHome", "txtGoto", "1", Qt::CTRL | Qt::Key_Home,
                                  "2/4", "txtGoto", "1"},
                      RoutingCase{"GoToBoxLeavesPageDownToTheWindow", "txtGoto", "1",
                                  Plain(Qt::Key_PageDown), "3/4", "txtGoto", "1"},
                      RoutingCase{"CellBoxLeavesCtrlHomeToTheWindow", "txtSyllables(2)", "zz",
                                  Qt::CTRL | Qt::Key_Home, "1/4", "txtSyllables(2)", "b"},
                      RoutingCase{"CellBoxGivesUndoToTheLineEvenWithNothingToUndo", "txtStress(1)",
                                  "9", Qt::CTRL | Qt::Key_Z, "2/4", "txtStress(1)", "19"},
                      RoutingCase{
                          "KeypadEnterCommitsToo", "txtJuncture(2)", "",
                          QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter),
                          "3/4", "txtJuncture(2)", "2"}),
    [](const ::testing::TestParamInfo<RoutingCase>& info) { return std::string(info.param.name); });

// ---- stepping, moving and merging in the grid -------------------------------------------

struct CellKeyCase {
    const char* name;
    int line;
    const char* start;
    int cursor;    // where the text cursor is put first; -1 leaves it at the end
    bool swapped;  // F6 first: the juncture block on top
    QKeyCombination key;
    const char* focus;
    const char* box;  // a box to check afterwards
    const char* text;
};

void PrintTo(const CellKeyCase& c, std::ostream* out) {
    *out << c.name;
}

// Stress bounds 1..3, juncture bounds 0..4.
const std::vector<Verse> kCellLines = {
    {"steps", {"abc", "d", "e", "f"}, {"3", "1", "2", "1"}, {"0", "4", "2", "2"}, ""},
    {"hole", {"g", "", "i"}, {"1", "1", "1"}, {"2", "2", "2"}, ""},
};

class CellKeys : public KeyboardFixture, public ::testing::WithParamInterface<CellKeyCase> {};

TEST_P(CellKeys, StepMoveAndMerge) {
    const CellKeyCase& c = GetParam();
    ASSERT_TRUE(
        StartWith(kCellLines, MemoryFile(kPoem, std::to_string(c.line), "3", "1", "4", "0")));
    Activate();
    auto* start = Find<QLineEdit>(QLatin1String(c.start));
    start->setFocus();
    if (c.cursor >= 0) {
        start->setCursorPosition(c.cursor);
    }
    if (c.swapped) {
        Press(QKeyCombination(Qt::Key_F6));
    }
    Press(c.key);
    EXPECT_EQ(Focused(), c.focus);
    EXPECT_EQ(TextOf(QLatin1String(c.box)), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Window, CellKeys,
    ::testing::Values(
        // name, line, start box, cursor, swapped, key, focus afterwards, box checked, its text
        CellKeyCase{"UpAtTheMaximumStays", 1, "txtStress(1)", -1, false, Plain(Qt::Key_Up),
                    "txtStress(1)", "txtStress(1)", "3"},
        CellKeyCase{"UpStepsTheJuncture", 1, "txtJuncture(3)", -1, false, Plain(Qt::Key_Up),
                    "txtJuncture(3)", "txtJuncture(3)", "3"},
        CellKeyCase{"DownStepsTheStress", 1, "txtStress(3)", -1, false, Plain(Qt::Key_Down),
                    "txtStress(3)", "txtStress(3)", "1"},
        CellKeyCase{"UpInASyllableBoxStepsNothing", 1, "txtSyllables(2)", -1, false,
                    Plain(Qt::Key_Up), "txtSyllables(2)", "txtStress(2)", "1"},
        CellKeyCase{"LeftInsideTheTextMovesTheCursorOnly", 1, "txtSyllables(2)", 1, false,
                    Plain(Qt::Key_Left), "txtSyllables(2)", "txtSyllables(2)", "d"},
        CellKeyCase{"LeftAtTheStartGoesToThePreviousColumn", 1, "txtSyllables(2)", 0, false,
                    Plain(Qt::Key_Left), "txtSyllables(1)", "txtSyllables(1)", "abc"},
        CellKeyCase{"AltLeftGoesFromInsideTheText", 1, "txtStress(3)", -1, false,
                    Qt::ALT | Qt::Key_Left, "txtStress(2)", "txtStress(2)", "1"},
        CellKeyCase{"RightAtTheEndGoesToTheNextColumn", 1, "txtStress(1)", -1, false,
                    Plain(Qt::Key_Right), "txtStress(2)", "txtStress(2)", "1"},
        CellKeyCase{"RightFromTheLastShownColumnStays", 1, "txtStress(4)", -1, false,
                    Plain(Qt::Key_Right), "txtStress(4)", "txtStress(4)", "1"},
        CellKeyCase{"RightPassesOverAHiddenColumn", 2, "txtJuncture(1)", -1, false,
                    Plain(Qt::Key_Right), "txtJuncture(3)", "txtJuncture(3)", "2"},
        CellKeyCase{"CtrlDownGoesToTheUpperBlock", 1, "txtSyllables(2)", -1, false,
                    Qt::CTRL | Qt::Key_Down, "txtStress(2)", "txtStress(2)", "1"},
        CellKeyCase{"CtrlDownFollowsTheSwappedBlocks", 1, "txtSyllables(2)", -1, true,
                    Qt::CTRL | Qt::Key_Down, "txtJuncture(2)", "txtJuncture(2)", "4"},
        CellKeyCase{"CtrlUpFromTheSwappedUpperBlockGoesToTheSyllable", 1, "txtJuncture(2)", -1,
                    true, Qt::CTRL | Qt::Key_Up, "txtSyllables(2)", "txtSyllables(2)", "d"},
        CellKeyCase{"CtrlMMergesTheFocusedColumn", 1, "txtJuncture(2)", -1, false,
                    Qt::CTRL | Qt::Key_M, "txtJuncture(2)", "txtSyllables(2)", "d e"},
        CellKeyCase{"CtrlMWithoutAMergeButtonDoesNothing", 1, "txtStress(4)", -1, false,
                    Qt::CTRL | Qt::Key_M, "txtStress(4)", "txtSyllables(4)", "f"}),
    [](const ::testing::TestParamInfo<CellKeyCase>& info) { return std::string(info.param.name); });

class WiderFile : public KeyboardFixture {};

// Columns built when a wider file is opened take the keys and the tab order as the first did.
TEST_F(WiderFile, AddedColumnsTakeTheKeys) {
    const Verse narrow{"narrow", {"a", "b", "c"}, {"1", "1", "1"}, {"2", "2", "2"}, ""};
    const Verse wide{"wide",
                     {"p", "q", "r", "s", "t", "u"},
                     {"1", "1", "1", "1", "1", "1"},
                     {"2", "2", "2", "2", "2", "2"},
                     ""};
    platform.WriteFile("wide.txt", ScansionFile({wide}));
    ASSERT_TRUE(StartWith({narrow}, MemoryFile(kPoem, "1")));
    Activate();
    form->txtFileName->setFocus();
    form->txtFileName->selectAll();
    Type(QStringLiteral("wide.txt"));
    Press(Qt::CTRL | Qt::Key_O);
    ASSERT_EQ(form->NumberOfCellColumns(), 6);

    form->txtStress(5)->setFocus();
    Press(QKeyCombination(Qt::Key_Up));
    EXPECT_EQ(CellText("txtStress", 5), "2");
    Press(QKeyCombination(Qt::Key_Right));
    EXPECT_EQ(Focused(), "txtStress(6)");
    form->txtSyllables(6)->setFocus();
    Press(QKeyCombination(Qt::Key_Tab));
    EXPECT_EQ(Focused(), "txtStress(1)");
}

}  // namespace
}  // namespace corvale::test
