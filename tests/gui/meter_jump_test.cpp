// F3 and Shift+F3 move as "go to #" does, to the column off the meter. Where they lead is
// followed in meter_cues_test.cpp, and a search that finds no other line in
// next_off_meter_test.cpp.

#include "gui/MeterFixture.h"

#include <QAction>
#include <QLineEdit>

namespace corvale::test {
namespace {

class MeterJumps : public MeterFixture {};

// A jump drops the uncommitted edits and the undo history, as "go to #" does, and the focus goes
// to the first column off the meter of the line reached. Past the last line it goes on from
// line 1, and the status says so until the next edit or move.
TEST_F(MeterJumps, MoveAsGoToDoesToTheColumnOffTheMeter) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116("8"));
    form->Grid().stressBoxes(11)->setFocus();
    Press(Plain(Qt::Key_Up));
    Press(Plain(Qt::Key_F3));
    EXPECT_EQ(form->Work().CurrentLine(), 12);
    EXPECT_EQ(form->Work().Doc().Stress(8, 11), "1") << "the uncommitted step is dropped";
    EXPECT_FALSE(form->Work().Doc().IsModified());
    EXPECT_FALSE(form->undoAction->isEnabled());
    EXPECT_EQ(Focused(), "stressBoxes(9)");

    Press(Plain(Qt::Key_Up));
    Press(Plain(Qt::Key_F3));
    EXPECT_EQ(form->Work().CurrentLine(), 2);
    EXPECT_EQ(Status(),
              "past the last line, on from line 1: line 12's changes were dropped (never "
              "saved with Ctrl+Return): 1 place off the meter");
    EXPECT_FALSE(form->Work().Doc().IsModified());
    EXPECT_EQ(Focused(), "stressBoxes(7)");
    Press(Plain(Qt::Key_Down));
    EXPECT_EQ(Status(), "1 place off the meter");
}

}  // namespace
}  // namespace corvale::test
