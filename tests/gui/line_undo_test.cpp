// Undo and redo of single steps and merges: undoing puts back exactly what the line showed and
// held before the edit, redoing exactly what it showed after, whether a key or a button made
// it; showing a line in any way leaves nothing to undo.

#include "gui/KeyboardFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <ostream>
#include <string>
#include <vector>

namespace corvale::test {
namespace {

// Stress bounds 1..3, juncture bounds 0..4; six columns.
const std::vector<Verse> kLines = {
    {"merge example", {"a", "b", "c", "d"}, {"1", "1", "3", "1"}, {"0", "0", "1", "2"}, ""},
    {"blank inside", {"a", "b", "", "d"}, {"1", "2", "1", "1"}, {"2", "1", "1", "4"}, ""},
    {"full",
     {"p", "q", "r", "s", "t", "u"},
     {"1", "2", "1", "2", "1", "3"},
     {"2", "2", "2", "2", "1", "4"},
     ""},
};

const char* AlignmentName(Qt::Alignment alignment) {
    if (alignment & Qt::AlignLeft) {
        return "left";
    }
    return (alignment & Qt::AlignRight) ? "right" : "centred";
}

// All that the line editor shows and holds of the line, one text per column.
std::vector<std::string> WholeLine(const Form1& form) {
    std::vector<std::string> columns;
    for (int i = 1; i <= form.NumberOfCellColumns(); ++i) {
        const QLineEdit* syllable = form.txtSyllables(i);
        std::string shown;
        for (const QWidget* control :
             {static_cast<const QWidget*>(syllable), static_cast<const QWidget*>(form.txtStress(i)),
              static_cast<const QWidget*>(form.txtJuncture(i)),
              static_cast<const QWidget*>(form.cmdStressUp(i)),
              static_cast<const QWidget*>(form.cmdStressDown(i)),
              static_cast<const QWidget*>(form.cmdJunctureUp(i)),
              static_cast<const QWidget*>(form.cmdJunctureDown(i)),
              static_cast<const QWidget*>(form.cmdMerge(i))}) {
            shown += control->isHidden() ? '-' : '+';
        }
        const auto k = static_cast<std::size_t>(i);
        columns.push_back(std::to_string(i) + ": '" + syllable->text().toStdString() + "' " +
                          AlignmentName(syllable->alignment()) +
                          (syllable->font().bold() ? " bold" : "") + ", boxes '" +
                          form.txtStress(i)->text().toStdString() + "' '" +
                          form.txtJuncture(i)->text().toStdString() + "', shown " + shown +
                          ", working copy '" + form.CurrentSyllables[k] + "' '" +
                          form.CurrentStresses[k] + "' '" + form.CurrentJunctures[k] + "'");
    }
    return columns;
}

struct Input {
    enum class Kind { Key, Click, Type } kind;
    QKeyCombination key;
    const char* target = "";  // the button clicked or the box typed into
    const char* text = "";
};

Input Key(QKeyCombination key) {
    return {Input::Kind::Key, key};
}
Input Key(Qt::Key key) {
    return {Input::Kind::Key, QKeyCombination(key)};
}
Input ClickOn(const char* button) {
    return {Input::Kind::Click, {}, button};
}
Input TypeInto(const char* box, const char* text) {
    return {Input::Kind::Type, {}, box, text};
}

struct UndoCase {
    const char* name;
    int line;
    const char* focus;
    std::vector<Input> setup;  // before the line is taken as it was
    std::vector<Input> edits;
    int commands;  // how many of the edits can be undone
};

void PrintTo(const UndoCase& c, std::ostream* out) {
    *out << c.name;
}

class LineUndoFixture : public KeyboardFixture {
protected:
    void StartAt(int line) {
        ASSERT_TRUE(StartWith(kLines, MemoryFile(kPoem, std::to_string(line), "3", "1", "4", "0")));
        Activate();
    }
    void Apply(const std::vector<Input>& inputs) {
        for (const Input& input : inputs) {
            switch (input.kind) {
                case Input::Kind::Key:
                    Press(input.key);
                    break;
                case Input::Kind::Click:
                    Click(QLatin1String(input.target));
                    break;
                case Input::Kind::Type:
                    TypeInto(Find<QLineEdit>(QLatin1String(input.target)),
                             QString::fromLatin1(input.text));
                    break;
            }
        }
    }
    // Presses the key while the command can run; returns how often it ran.
    int PressWhileEnabled(QKeyCombination key, const QAction* command) {
        int pressed = 0;
        while (command->isEnabled() && pressed < 20) {
            Press(key);
            ++pressed;
        }
        return pressed;
    }
};

class LineUndo : public LineUndoFixture, public ::testing::WithParamInterface<UndoCase> {};

TEST_P(LineUndo, UndoAndRedoRestoreTheWholeLine) {
    const UndoCase& c = GetParam();
    StartAt(c.line);
    Apply(c.setup);
    Find(QLatin1String(c.focus))->setFocus();
    const std::vector<std::string> before = WholeLine(*form);
    Apply(c.edits);
    const std::vector<std::string> after = WholeLine(*form);
    if (c.commands > 0) {
        EXPECT_NE(after, before);
    }

    EXPECT_EQ(PressWhileEnabled(Qt::CTRL | Qt::Key_Z, form->mnuUndo), c.commands);
    EXPECT_EQ(WholeLine(*form), before);
    EXPECT_EQ(PressWhileEnabled(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, form->mnuRedo), c.commands);
    EXPECT_EQ(WholeLine(*form), after);
}

INSTANTIATE_TEST_SUITE_P(
    Window, LineUndo,
    ::testing::Values(
        UndoCase{"StepByKey", 1, "txtStress(2)", {}, {Key(Qt::Key_Up)}, 1},
        UndoCase{"StepByButton", 1, "txtStress(2)", {}, {ClickOn("cmdJunctureUp(1)")}, 1},
        UndoCase{"StepOverTypedText",
                 1,
                 "txtStress(1)",
                 {TypeInto("txtStress(1)", "1xx")},
                 {Key(Qt::Key_Up)},
                 1},
        UndoCase{"RefusedStepLeavesNothingToUndo", 1, "txtStress(3)", {}, {Key(Qt::Key_Up)}, 0},
        UndoCase{"MergeByKey", 1, "txtSyllables(1)", {}, {Key(Qt::CTRL | Qt::Key_M)}, 1},
        UndoCase{"MergeByButton", 1, "txtStress(2)", {}, {ClickOn("cmdMerge(2)")}, 1},
        UndoCase{"MergeBeforeAHiddenColumn", 2, "txtStress(1)", {}, {ClickOn("cmdMerge(1)")}, 1},
        UndoCase{
            "MergeOfTheLastPairOfAFullLine", 3, "txtStress(5)", {}, {Key(Qt::CTRL | Qt::Key_M)}, 1},
        UndoCase{"StepsAndMergesMixed",
                 3,
                 "txtStress(1)",
                 {TypeInto("txtJuncture(6)", "typed")},
                 {Key(Qt::Key_Up), Key(Qt::CTRL | Qt::Key_M), Key(Qt::ALT | Qt::Key_Right),
                  Key(Qt::Key_Up), ClickOn("cmdMerge(1)"), ClickOn("cmdMerge(2)")},
                 5}),
    [](const ::testing::TestParamInfo<UndoCase>& info) { return std::string(info.param.name); });

// ---- every display of a line empties the stack ----------------------------------------------

struct ShowCase {
    const char* name;
    std::vector<Input> keys;
    const char* progress;
};

void PrintTo(const ShowCase& c, std::ostream* out) {
    *out << c.name;
}

class ShowingALine : public LineUndoFixture, public ::testing::WithParamInterface<ShowCase> {};

TEST_P(ShowingALine, LeavesNothingToUndo) {
    const ShowCase& c = GetParam();
    StartAt(2);
    form->txtStress(1)->setFocus();
    Press(QKeyCombination(Qt::Key_Up));
    ASSERT_TRUE(form->mnuUndo->isEnabled());
    Apply(c.keys);
    EXPECT_EQ(Progress(), c.progress);
    EXPECT_FALSE(form->mnuUndo->isEnabled());
    EXPECT_FALSE(form->mnuRedo->isEnabled());
    EXPECT_EQ(form->mnuUndo->text(), "Undo");
    form->txtStress(1)->setFocus();
    const std::vector<std::string> shown = WholeLine(*form);
    Press(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(WholeLine(*form), shown);
}

INSTANTIATE_TEST_SUITE_P(
    Window, ShowingALine,
    ::testing::Values(
        ShowCase{"Commit", {Key(Qt::CTRL | Qt::Key_Return)}, "3/3"},
        ShowCase{"Reload", {Key(Qt::Key_F5)}, "2/3"},
        ShowCase{"AheadOne", {Key(Qt::Key_PageDown)}, "3/3"},
        ShowCase{"GoTo", {Key(Qt::CTRL | Qt::Key_G), Key(Qt::Key_2), Key(Qt::Key_Return)}, "2/3"},
        ShowCase{"OpenTheFile", {Key(Qt::CTRL | Qt::Key_O)}, "2/3"}),
    [](const ::testing::TestParamInfo<ShowCase>& info) { return std::string(info.param.name); });

TEST_F(LineUndoFixture, TheMenuSaysWhatItUndoes) {
    StartAt(1);
    form->txtStress(2)->setFocus();
    Press(QKeyCombination(Qt::Key_Up));
    EXPECT_EQ(form->mnuUndo->text(), "Undo Stress up 2");
    Press(Qt::CTRL | Qt::Key_M);
    EXPECT_EQ(form->mnuUndo->text(), "Undo Merge 2");
    Press(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(form->mnuRedo->text(), "Redo Merge 2");
}

}  // namespace
}  // namespace corvale::test
