// F3 and Shift+F3: to the next and previous line off the meter, judged from the store, reached
// as "go to #" reaches a line; with none further the line stays, edits and all, and the status
// says so until the next edit or move.

#include "gui/MeterFixture.h"

#include <QAction>
#include <QLineEdit>

#include <string>
#include <vector>

namespace corvale::test {
namespace {

constexpr char kNoFurther[] = "no further line off the meter";

std::vector<Verse> JumpPoem() {
    return {
        Stressed("1|3|1|3|1|3"),  // 1 fits
        Stressed("1|1|3|1|1|3"),  // 2 a maximum in weak place 3
        Stressed("1|3|1|3|1|3"),  // 3 fits
        Stressed("3|1|1|3|1|3"),  // 4 an inverted first foot: off only to the strict check
        Stressed("1|3|1|3"),      // 5 two syllables too few
        Stressed("1|3|1|3|1|3"),  // 6 fits
    };
}

class MeterJumps : public MeterFixture {
protected:
    void StartAt(const char* line, bool strict = false) {
        if (strict) {
            platform.WriteFile(kViewOptionsFileName, "[View]\nStrictMeterCheck=true\n");
        }
        ASSERT_TRUE(StartPoem(JumpPoem(), kIambic6, line));
        Activate();
    }
    static void Next() { Press(QKeyCombination(Qt::Key_F3)); }
    static void Previous() { Press(Qt::SHIFT | Qt::Key_F3); }
};

struct JumpCase {
    const char* name;
    const char* start;
    std::string keys;  // "n" for F3, "p" for Shift+F3
    std::int32_t line;
    const char* status;
    bool strict = false;
};

class Jump : public MeterJumps, public ::testing::WithParamInterface<JumpCase> {};

TEST_P(Jump, ReachesTheLineOrSaysThereIsNone) {
    const JumpCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartAt(c.start, c.strict));
    for (const char key : c.keys) {
        key == 'n' ? Next() : Previous();
    }
    EXPECT_EQ(form->CurrentLine, c.line);
    EXPECT_EQ(Progress(), std::to_string(c.line) + "/6");
    EXPECT_EQ(Status(), c.status);
    EXPECT_TRUE(platform.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Jump,
    ::testing::Values(JumpCase{"NextFromTheFirstLine", "1", "n", 2, "1 place off the meter"},
                      JumpCase{"NextPassesLinesThatFit", "2", "n", 5, "2 syllables too few"},
                      JumpCase{"NoneAfterTheLastOff", "5", "n", 5, kNoFurther},
                      JumpCase{"PreviousPassesLinesThatFit", "5", "p", 2, "1 place off the meter"},
                      JumpCase{"NoneBeforeTheFirstOff", "2", "p", 2, kNoFurther},
                      JumpCase{"NextFromRowZero", "0", "n", 2, "1 place off the meter"},
                      JumpCase{"NoneBeforeRowZero", "0", "p", 0, kNoFurther},
                      JumpCase{"StrictFindsTheInvertedFoot", "3", "n", 4, "1 place off the meter",
                               true}),
    [](const auto& info) { return std::string(info.param.name); });

// Moving drops uncommitted edits and the undo history, as "go to #" does, and the focus
// stays in its box, or the nearest shown one of its row.
TEST_F(MeterJumps, MoveAsGoToDoes) {
    ASSERT_NO_FATAL_FAILURE(StartAt("1"));
    form->txtStress(6)->setFocus();
    Press(QKeyCombination(Qt::Key_Up));
    ASSERT_EQ(form->CurrentStresses[6], "4");
    Next();
    EXPECT_EQ(form->CurrentLine, 2);
    EXPECT_EQ(form->Stresses(1, 6), "3");
    EXPECT_FALSE(form->IsModified());
    EXPECT_FALSE(form->mnuUndo->isEnabled());
    EXPECT_EQ(Focused(), "txtStress(6)");
    Next();
    EXPECT_EQ(form->CurrentLine, 5);
    EXPECT_EQ(Focused(), "txtStress(4)");
}

// With none further nothing is dropped; the next edit, or the next move, shows the line's
// own status again.
TEST_F(MeterJumps, StayingKeepsTheEditsUntilTheNextEditOrMove) {
    ASSERT_NO_FATAL_FAILURE(StartAt("5"));
    form->txtStress(1)->setFocus();
    Press(QKeyCombination(Qt::Key_Up));
    Next();
    EXPECT_EQ(Status(), kNoFurther);
    EXPECT_EQ(form->CurrentStresses[1], "2");
    EXPECT_TRUE(form->mnuUndo->isEnabled());
    Press(QKeyCombination(Qt::Key_Up));
    EXPECT_EQ(Status(), "2 syllables too few");
    Next();
    Press(QKeyCombination(Qt::Key_PageUp));
    EXPECT_EQ(form->CurrentLine, 4);
    EXPECT_EQ(Status(), "fits the meter");
}

// A line fixed on screen counts once it is committed.
TEST_F(MeterJumps, OtherLinesAreJudgedAsCommitted) {
    ASSERT_NO_FATAL_FAILURE(StartAt("2"));
    form->txtStress(3)->setFocus();
    Press(QKeyCombination(Qt::Key_Down));
    Press(QKeyCombination(Qt::Key_Down));
    ASSERT_EQ(Status(), "fits the meter");
    Press(QKeyCombination(Qt::Key_PageDown));
    Previous();
    EXPECT_EQ(form->CurrentLine, 2) << "the fix was not committed";
    Press(QKeyCombination(Qt::Key_Down));
    Press(QKeyCombination(Qt::Key_Down));
    Press(Qt::CTRL | Qt::Key_Return);
    ASSERT_EQ(form->CurrentLine, 3);
    Previous();
    EXPECT_EQ(form->CurrentLine, 3);
    EXPECT_EQ(Status(), kNoFurther);
}

TEST_F(MeterJumps, EmptyMeterFindsNothingAndSaysNothing) {
    ASSERT_TRUE(StartPoem(JumpPoem(), "", "1"));
    Activate();
    Next();
    Previous();
    EXPECT_EQ(form->CurrentLine, 1);
    EXPECT_EQ(Status(), "");
    EXPECT_TRUE(platform.Messages().empty());
}

}  // namespace
}  // namespace corvale::test
