// F3 and Shift+F3 move as "go to #" does; with no line further off the meter the line stays,
// edits and all. Where they lead is followed in meter_cues_test.cpp.

#include "gui/MeterFixture.h"

#include <QAction>
#include <QLineEdit>

namespace corvale::test {
namespace {

class MeterJumps : public MeterFixture {};

// A jump drops the uncommitted edits and the undo history, as "go to #" does, and the focus
// stays in its box, or goes to the nearest shown one of its row. With none further nothing is
// dropped, and the next edit, or the next move, shows the line's own status again.
TEST_F(MeterJumps, MoveAsGoToDoesOrStayWithTheEdits) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116("8"));
    form->Grid().stressBoxes(11)->setFocus();
    Press(Plain(Qt::Key_Up));
    Press(Plain(Qt::Key_F3));
    EXPECT_EQ(form->Work().CurrentLine(), 12);
    EXPECT_EQ(form->Work().Doc().Stress(8, 11), "1") << "the uncommitted step is dropped";
    EXPECT_FALSE(form->Work().Doc().IsModified());
    EXPECT_FALSE(form->undoAction->isEnabled());
    EXPECT_EQ(Focused(), "stressBoxes(11)");

    Press(Plain(Qt::Key_Up));
    Press(Plain(Qt::Key_F3));
    EXPECT_EQ(form->Work().CurrentLine(), 12);
    EXPECT_EQ(Status(), "no further line off the meter");
    EXPECT_EQ(form->Line().Stress(11), "4");
    EXPECT_TRUE(form->undoAction->isEnabled());
    Press(Plain(Qt::Key_Down));
    EXPECT_EQ(Status(), "1 place off the meter, 1 syllable too many");
    Press(Plain(Qt::Key_F3));
    Press(Plain(Qt::Key_PageUp));
    EXPECT_EQ(form->Work().CurrentLine(), 11);
    EXPECT_EQ(Status(), "fits the meter");
    EXPECT_EQ(Focused(), "stressBoxes(10)");
}

}  // namespace
}  // namespace corvale::test
