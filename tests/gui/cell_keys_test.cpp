// What a key does where the focus is: the grid's boxes step, move and merge with their keys and
// let the window's commands through; the comment and go-to boxes keep their editing keys; and
// after a change of line the focus stays in its column, or goes to the nearest shown one.

#include "gui/KeyboardFixture.h"

#include <ostream>
#include <string>
#include <vector>

namespace corvale::test {
namespace {

// Six columns, and lines that hide different ones. Stresses and junctures step within 1..4.
const std::vector<Verse> kKeyLines = {
    Letters("six", {"a", "b", "c", "d", "e", "f"}),
    Letters("three", {"g", "h", "i"}),
    Letters("holes", {"p", "", "", "s", "t"}),
    Letters("empty", {}),
    Letters("six again", {"a", "b", "c", "d", "e", "f"}),
    Letters("blank first", {" ", "q", "r"}),
};

struct KeyCase {
    const char* name;
    int line;
    const char* start;  // the box that has the focus first, named as Box() reads it
    std::vector<QKeyCombination> keys;
    const char* focus;
    const char* progress;
    const char* text = nullptr;  // then expected in the start box, or in this one
    const char* box = "";
};

void PrintTo(const KeyCase& c, std::ostream* out) {
    *out << c.name;
}

// "syl2", "str2", "jun2" name the syllable, stress and juncture boxes of column 2; "comment"
// and "goto" the comment and go-to boxes; other names are object names.
QString Box(const std::string& name) {
    const std::string array = name.substr(0, 3);
    const std::string column = "(" + name.substr(3) + ")";
    return QString::fromStdString(array == "syl"      ? "syllableBoxes" + column
                                  : array == "str"    ? "stressBoxes" + column
                                  : array == "jun"    ? "junctureBoxes" + column
                                  : name == "comment" ? "commentBox"
                                  : name == "goto"    ? "goToBox"
                                                      : name);
}

class KeysAtWork : public KeyboardFixture, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeysAtWork, DoTheirWorkWhereTheFocusIs) {
    const KeyCase& c = GetParam();
    ASSERT_TRUE(StartWith(kKeyLines, MemoryFile(kPoem, std::to_string(c.line))));
    Activate();
    Find(Box(c.start))->setFocus();
    for (const QKeyCombination key : c.keys) {
        Press(key);
    }
    EXPECT_EQ(Focused(), Box(c.focus).toStdString());
    EXPECT_EQ(Progress(), c.progress);
    if (c.text != nullptr) {
        const QString box = Box(*c.box == '\0' ? c.start : c.box);
        EXPECT_EQ(box == "commentBox" ? Comment() : TextOf(box), c.text);
    }
}

std::vector<KeyCase> KeyCases() {
    using namespace key;
    const QKeyCombination A = Char('A');
    const QKeyCombination B = Char('B');
    const QKeyCombination CtrlHome = Qt::CTRL | Qt::Key_Home;
    const QKeyCombination AltLeft = Qt::ALT | Qt::Key_Left;
    const QKeyCombination AltRight = Qt::ALT | Qt::Key_Right;
    const QKeyCombination AltX = Qt::ALT | Qt::Key_X;  // no menu's key
    const QKeyCombination KeypadEnter(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter);
    return {
        // The focus after a change of line.
        {"CommitKeepsTheColumn", 1, "str2", {Commit}, "str2", "2/6"},
        {"HiddenColumnFallsBackLeft", 1, "jun5", {PgDn}, "jun3", "2/6"},
        {"NothingShownLeftFallsBackRight", 5, "str1", {PgDn}, "str2", "6/6"},
        {"NothingShownGoesToTheComment", 3, "str4", {PgDn}, "comment", "4/6"},
        {"GoToComesBackToTheCell", 1, "jun5", {GoTo, Char('2'), Return}, "jun3", "2/6"},
        {"GoToComesBackToTheComment", 1, "comment", {GoTo, Char('5'), Return}, "comment", "5/6"},
        // Undo shows column 6 again, and redo hides it under the focus.
        {"RedoneMergeHidingTheFocusGoesLeft",
         1,
         "str5",
         {Merge, Undo, AltRight, Redo},
         "str5",
         "1/6"},
        // Moving, stepping and merging in the grid.
        {"LeftInsideTheTextMovesTheCursorOnly", 1, "syl2", {Left}, "syl2", "1/6"},
        {"LeftAtTheStartGoesToThePreviousColumn", 1, "syl2", {Home, Left}, "syl1", "1/6"},
        {"AltLeftGoesFromInsideTheText", 1, "str3", {AltLeft}, "str2", "1/6"},
        {"RightPassesOverAHiddenColumn", 3, "jun1", {Right}, "jun4", "3/6"},
        {"RightFromTheLastShownColumnStays", 2, "str3", {Right}, "str3", "2/6"},
        {"CtrlDownGoesToTheUpperBlock", 1, "syl2", {CtrlDown}, "str2", "1/6"},
        {"CtrlDownFollowsTheSwappedBlocks", 1, "syl2", {F6, CtrlDown}, "jun2", "1/6"},
        {"UpStepsTheStress", 1, "str2", {Up}, "str2", "1/6", "2"},
        {"DownStepsTheJuncture", 1, "jun3", {Down}, "jun3", "1/6", "1"},
        {"UpInASyllableBoxStepsNothing", 1, "syl2", {Up}, "syl2", "1/6", "1", "str2"},
        {"CtrlMMergesTheFocusedColumn", 1, "jun2", {Merge}, "jun2", "1/6", "b c", "syl2"},
        {"CtrlMWithoutAMergeButtonDoesNothing", 1, "str6", {Merge}, "str6", "1/6", "f", "syl6"},
        // Keys the boxes keep, or let through to the window.
        {"CommentKeepsReturnForANewLine", 2, "comment", {A, B, Return}, "comment", "2/6", "ab\n"},
        {"CommentKeepsPageDown", 2, "comment", {A, B, PgDn}, "comment", "2/6", "ab"},
        {"CommentKeepsItsUndo", 2, "comment", {A, B, Undo}, "comment", "2/6", ""},
        {"CommentMovesOnWithTab", 2, "comment", {A, B, Tab}, "commitLineButton", "2/6", "ab"},
        {"CommitFromTheComment", 2, "comment", {A, B, Commit}, "comment", "3/6"},
        {"GoToBoxKeepsCtrlHome", 2, "goto", {Char('1'), CtrlHome}, "goto", "2/6", "1"},
        {"GoToBoxLeavesPageDownToTheWindow", 2, "goto", {Char('1'), PgDn}, "goto", "3/6", "1"},
        {"CellBoxLeavesCtrlHomeToTheWindow", 2, "syl2", {Char('Z'), CtrlHome}, "syl2", "1/6", "b"},
        {"UndoPutsBackTheValueTypedOver", 2, "str1", {Char('9'), Undo}, "str1", "2/6", "1"},
        {"KeypadEnterCommitsToo", 2, "jun1", {KeypadEnter}, "jun1", "3/6", "2"},
        // Alt and a letter is never text.
        {"AltAndALetterLeaveTheSyllable", 2, "syl2", {A, AltX}, "syl2", "2/6", "ha"},
        {"AltAndALetterLeaveTheComment", 2, "comment", {A, AltX}, "comment", "2/6", "a"},
    };
}

INSTANTIATE_TEST_SUITE_P(Window, KeysAtWork, ::testing::ValuesIn(KeyCases()),
                         [](const ::testing::TestParamInfo<KeyCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace corvale::test
