// Values typed into the stress and juncture boxes, and steps the bounds stop: the wiring between
// the boxes, the keys and the core's verdicts (editor/EditRules.h).

#include "gui/KeyboardFixture.h"

#include "editor/EditRules.h"

#include "window/BoundsDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <string>
#include <vector>

namespace corvale::test {
namespace {

const std::vector<Verse> kTypingLines = {
    Letters("one two three", {"one", "two", "three"}),
    Letters("four five", {"four", "five"}),
};

struct TypingCase {
    const char* name;
    const char* start;  // the box with the focus first
    std::vector<QKeyCombination> keys;
    const char* stored;  // then stress 1 of line 1 in the document
    const char* shown;   // and the text of the first box
    std::string status;  // and the line status, when it says something
};

void PrintTo(const TypingCase& c, std::ostream* out) {
    *out << c.name;
}

class TypingWindow : public KeyboardFixture {
protected:
    // The lines above under a meter of three places, with these bounds.
    void StartTyping(const std::string& memory) {
        platform.WriteFile(kPoem, ScansionFile(kTypingLines));
        platform.WriteFile("meter.txt", Rows({"W\tS\tW"}));
        platform.WriteFile("RememberEarlierRun.txt", memory);
        ASSERT_TRUE(Start());
        Activate();
    }
};

class TypedValues : public TypingWindow, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(TypedValues, AreTakenOrRefusedNeverDropped) {
    const TypingCase& c = GetParam();
    StartTyping(MemoryFile(kPoem, "1"));
    Find(QLatin1String(c.start))->setFocus();
    for (const QKeyCombination key : c.keys) {
        Press(key);
    }
    EXPECT_EQ(form->Work().Doc().Stress(1, 1), c.stored);
    EXPECT_EQ(TextOf(QLatin1String(c.start)), c.shown);
    if (!c.status.empty()) {
        EXPECT_EQ(form->lineStatusLabel->text().toStdString(), c.status);
    }
}

const std::string kRange = "Stress is a number from 1 to 4";
const QKeyCombination kPageUp{Qt::Key_PageUp};
const std::string kDropped =
    "line 1's changes were dropped (never saved with Ctrl+Return): 1 syllable too few";

// The focus selects the value, so one digit replaces it, also after a merge or a refusal; the
// commit takes it, and so does a save. Left leaves the box at once. A move names the changes it
// drops; a reload's are undone.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Window, TypedValues, ::testing::Values(
    TypingCase{"CommitTakesTheDigitTyped", "stressBoxes(1)", {key::Char('3'), key::Commit, kPageUp}, "3", "3", ""},
    TypingCase{"RefusedWhenTheFocusLeaves", "stressBoxes(1)", {key::Char('7'), key::Tab}, "1", "1", kRange},
    TypingCase{"RefusedValueStopsTheCommit", "stressBoxes(1)", {key::Char('X'), key::Commit}, "1", "1", kRange},
    TypingCase{"DigitReplacesTheMergedValue", "stressBoxes(1)", {key::Merge, key::Char('3'), key::Commit, kPageUp}, "3", "3", ""},
    TypingCase{"DigitReplacesARefusedValue", "stressBoxes(1)", {key::Char('7'), key::Commit, key::Char('3'), key::Commit, kPageUp}, "3", "3", ""},
    TypingCase{"LeftLeavesAValueBoxAtOnce", "stressBoxes(2)", {key::Char('3'), key::Left, key::Char('2'), key::Commit, kPageUp}, "2", "3", ""},
    TypingCase{"SaveTakesTheChangesOnScreen", "stressBoxes(1)", {key::Up, Qt::CTRL | Qt::Key_S}, "2", "2", "saved in poem.txt: fits the meter"},
    TypingCase{"ReloadIsUndone", "stressBoxes(1)", {key::Up, key::F5, key::Undo}, "1", "2", ""},
    TypingCase{"MovingOffNamesChangesDropped", "stressBoxes(1)", {key::Up, key::PgDn}, "1", "1", kDropped}),
    [](const ::testing::TestParamInfo<TypingCase>& info) { return std::string(info.param.name); });
// clang-format on

// A typed value makes the syllable bold at once, as a step does.
TEST_F(TypingWindow, TypedStressShowsBoldAtOnce) {
    StartTyping(MemoryFile(kPoem, "1"));
    form->Grid().stressBoxes(2)->setFocus();
    Press(key::Char('3'));
    Press(Qt::ALT | Qt::Key_Left);
    EXPECT_TRUE(form->Grid().syllableBoxes(2)->font().bold());
}

// Bounds that leave no room say so where a step is refused, and name the command that mends them.
TEST_F(TypingWindow, StepsStoppedByBoundsWithoutRoomSaySo) {
    StartTyping(MemoryFile(kPoem, "1", "0", "0", "0", "0"));
    form->Grid().stressBoxes(1)->setFocus();
    Press(key::Up);
    EXPECT_EQ(form->Line().Stress(1), "1");
    EXPECT_EQ(form->lineStatusLabel->text().toStdString(),
              editor::StuckBoundsMessage(ValueRow::Stresses, editor::StepDirection::Up,
                                         form->Work().Settings().Bounds()));
}

// Edit > Value bounds...: OK only for bounds with room; once accepted they are the memory file's
// and the line on screen's.
TEST_F(TypingWindow, ValueBoundsAreWrittenAndApplyAtOnce) {
    StartTyping(MemoryFile(kPoem, "1", "3", "1", "4", "1", "900"));
    form->valueBoundsAction->trigger();
    auto* dialog = form->findChild<BoundsDialog*>();
    ASSERT_NE(dialog, nullptr);
    QPushButton* ok = dialog->Buttons().button(QDialogButtonBox::Ok);
    dialog->Box(1).setValue(3);
    EXPECT_FALSE(ok->isEnabled());
    dialog->Box(1).setValue(1);
    dialog->Box(0).setValue(5);
    ASSERT_TRUE(ok->isEnabled());
    ok->click();
    EXPECT_EQ(platform.ReadFile("RememberEarlierRun.txt"),
              MemoryFile(kPoem, "1", "5", "1", "4", "1", "900"));
    form->Grid().stressBoxes(1)->setFocus();
    for (int press = 0; press < 4; ++press) {
        Press(key::Up);
    }
    EXPECT_EQ(form->Line().Stress(1), "5");
}

}  // namespace
}  // namespace corvale::test
