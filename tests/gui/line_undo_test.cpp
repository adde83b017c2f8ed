// Undo and redo of single steps and merges: undoing puts back exactly what the line showed and
// held before the edit, redoing exactly what it showed after, whether a key or a button made
// it; showing a line in any way leaves nothing to undo.

#include "gui/KeyboardFixture.h"

#include <QAction>

#include <ostream>
#include <string>
#include <vector>

namespace corvale::test {
namespace {

// Stress bounds 1..3, juncture bounds 0..4; six columns.
const std::vector<Verse> kUndoLines = {
    {"merge example", {"a", "b", "c", "d"}, {"1", "1", "3", "1"}, {"0", "0", "1", "2"}, ""},
    {"blank inside", {"a", "b", "", "d"}, {"1", "2", "1", "1"}, {"2", "1", "1", "4"}, ""},
    {"full",
     {"p", "q", "r", "s", "t", "u"},
     {"1", "2", "1", "2", "1", "3"},
     {"2", "2", "2", "2", "1", "4"},
     ""},
};

// All that the line editor shows and holds of the line: every control of the grid, and the
// working copy.
std::vector<std::string> WholeLine(const MainWindow& form) {
    std::vector<std::string> state;
    for (const QWidget* control : form.findChildren<QWidget*>()) {
        if (!control->objectName().contains(QLatin1Char('('))) {
            continue;
        }
        std::string seen =
            control->objectName().toStdString() + (control->isHidden() ? " -" : " +");
        if (const auto* box = qobject_cast<const QLineEdit*>(control)) {
            seen += " '" + box->text().toStdString() + "' " +
                    std::to_string(box->alignment().toInt()) + (box->font().bold() ? " bold" : "");
        }
        state.push_back(seen);
    }
    for (std::size_t k = 1; k <= static_cast<std::size_t>(form.Grid().Columns()); ++k) {
        const auto i = static_cast<std::int32_t>(k);
        state.push_back("working copy '" + std::string(form.Line().Syllable(i)) + "' '" +
                        std::string(form.Line().Stress(i)) + "' '" +
                        std::string(form.Line().Juncture(i)) + "'");
    }
    return state;
}

// A key pressed, or a button clicked.
struct Input {
    Input(QKeyCombination pressed) : key(pressed) {}
    Input(const char* clicked) : button(clicked) {}
    QKeyCombination key;
    const char* button = nullptr;
};

struct UndoCase {
    const char* name;
    int line;
    const char* focus;
    std::vector<Input> edits;
    int commands;               // how many of the edits can then be undone
    const char* typedBox = "";  // typed into before the line is taken as it was
    const char* typed = "";
};

void PrintTo(const UndoCase& c, std::ostream* out) {
    *out << c.name;
}

class UndoRedo : public KeyboardFixture, public ::testing::WithParamInterface<UndoCase> {
protected:
    // Presses the key while the command can run, then once more; returns how often it ran.
    int PressWhileEnabled(QKeyCombination key, const QAction* command) {
        int ran = 0;
        for (; command->isEnabled() && ran < 20; ++ran) {
            Press(key);
        }
        Press(key);
        return ran;
    }
};

TEST_P(UndoRedo, RestoreTheWholeLine) {
    const UndoCase& c = GetParam();
    ASSERT_TRUE(
        StartWith(kUndoLines, MemoryFile(kPoem, std::to_string(c.line), "3", "1", "4", "0")));
    Activate();
    if (*c.typedBox != '\0') {
        TypeInto(Find<QLineEdit>(QLatin1String(c.typedBox)), QLatin1String(c.typed));
    }
    Find(QLatin1String(c.focus))->setFocus();
    platform.WillAnswer({Answer::No});  // an open asks about the changes on screen
    const std::vector<std::string> before = WholeLine(*form);
    for (const Input& input : c.edits) {
        input.button != nullptr ? Click(QLatin1String(input.button)) : Press(input.key);
    }
    const std::vector<std::string> after = WholeLine(*form);
    if (c.commands > 0) {
        EXPECT_NE(after, before);
    }

    EXPECT_EQ(PressWhileEnabled(key::Undo, form->undoAction), c.commands);
    EXPECT_EQ(WholeLine(*form), c.commands > 0 ? before : after);
    EXPECT_EQ(PressWhileEnabled(key::Redo, form->redoAction), c.commands);
    EXPECT_EQ(WholeLine(*form), after);
}

INSTANTIATE_TEST_SUITE_P(
    Window, UndoRedo,
    ::testing::Values(
        // A value typed is one edit and the step after it another; a refused one stops the step.
        UndoCase{"TypedValueThenAStep", 1, "stressBoxes(1)", {key::Char('2'), key::Up}, 2},
        UndoCase{"RefusedTypedValueStopsTheStep",
                 1,
                 "stressBoxes(1)",
                 {key::Up},
                 0,
                 "stressBoxes(1)",
                 "1xx"},
        UndoCase{"RefusedStepLeavesNothingToUndo", 1, "stressBoxes(3)", {key::Up}, 0},
        UndoCase{"MergeBeforeAHiddenColumn", 2, "stressBoxes(1)", {"mergeButtons(1)"}, 1},
        UndoCase{"MergeOfTheLastPairOfAFullLine", 3, "stressBoxes(5)", {key::Merge}, 1},
        // Text typed into a box that no edit touches is shown again as typed.
        UndoCase{
            "StepsAndMergesMixed",
            3,
            "stressBoxes(1)",
            {key::Up, key::Merge, "junctureUpButtons(2)", "mergeButtons(1)", "mergeButtons(2)"},
            5,
            "junctureBoxes(6)",
            "typed"},
        // Every showing of a line empties the stack.
        UndoCase{"CommitLeavesNothingToUndo", 2, "stressBoxes(1)", {key::Up, key::Commit}, 0},
        UndoCase{"ReloadWithNothingChangedLeavesNothingToUndo", 2, "stressBoxes(1)", {key::F5}, 0},
        UndoCase{"OpenLeavesNothingToUndo", 2, "stressBoxes(1)", {key::Up, key::OpenNamed}, 0}),
    [](const ::testing::TestParamInfo<UndoCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::test
