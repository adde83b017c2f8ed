// Where the keyboard focus goes: it follows the work from line to line, falls back to the
// nearest shown column when its own is hidden, comes back after Ctrl+G, never follows a mouse
// click, and Tab runs through the boxes as they stand on screen.

#include "gui/KeyboardFixture.h"

#include "navigation/GoTo.h"

#include <QFocusFrame>
#include <QPushButton>

#include <ostream>
#include <string>
#include <vector>

namespace corvale::test {
namespace {

Verse Syllables(const std::string& text, const std::vector<std::string>& syllables) {
    Verse verse{text, syllables, {}, {}, ""};
    verse.stresses.assign(syllables.size(), "1");
    verse.junctures.assign(syllables.size(), "2");
    return verse;
}

// Six columns; lines that hide different columns.
const std::vector<Verse> kLines = {
    Syllables("six", {"a", "b", "c", "d", "e", "f"}),
    Syllables("three", {"g", "h", "i"}),
    Syllables("holes", {"p", "", "", "s", "t"}),
    Syllables("empty", {}),
    Syllables("six again", {"a", "b", "c", "d", "e", "f"}),
    Syllables("blank first", {" ", "q", "r"}),
};

struct FocusCase {
    const char* name;
    int line;
    const char* start;  // the box that has the focus first
    std::vector<QKeyCombination> keys;
    const char* focus;
    const char* progress;
};

void PrintTo(const FocusCase& c, std::ostream* out) {
    *out << c.name;
}

class FocusRules : public KeyboardFixture, public ::testing::WithParamInterface<FocusCase> {
protected:
    void SetUp() override { ASSERT_TRUE(StartWith(kLines, MemoryFile(kPoem, "1"))); }
};

TEST_P(FocusRules, FocusFollowsTheWork) {
    const FocusCase& c = GetParam();
    form->CurrentLine = c.line;
    form->LoadANewLine();
    Activate();
    Find(QLatin1String(c.start))->setFocus();
    for (const QKeyCombination key : c.keys) {
        Press(key);
    }
    EXPECT_EQ(Focused(), c.focus);
    EXPECT_EQ(Progress(), c.progress);
}

INSTANTIATE_TEST_SUITE_P(
    Window, FocusRules,
    ::testing::Values(
        FocusCase{"CommitKeepsTheColumn",
                  1,
                  "txtStress(2)",
                  {Qt::CTRL | Qt::Key_Return},
                  "txtStress(2)",
                  "2/6"},
        FocusCase{
            "ReloadKeepsTheBox", 1, "txtJuncture(4)", {Plain(Qt::Key_F5)}, "txtJuncture(4)", "1/6"},
        FocusCase{"HiddenColumnFallsBackLeft",
                  1,
                  "txtJuncture(5)",
                  {Plain(Qt::Key_PageDown)},
                  "txtJuncture(3)",
                  "2/6"},
        FocusCase{"HiddenRunFallsBackLeft",
                  2,
                  "txtSyllables(3)",
                  {Plain(Qt::Key_PageDown)},
                  "txtSyllables(1)",
                  "3/6"},
        FocusCase{"NothingShownLeftFallsBackRight",
                  5,
                  "txtStress(1)",
                  {Plain(Qt::Key_PageDown)},
                  "txtStress(2)",
                  "6/6"},
        FocusCase{"NothingShownGoesToTheComment",
                  3,
                  "txtStress(4)",
                  {Plain(Qt::Key_PageDown)},
                  "txtComment",
                  "4/6"},
        FocusCase{"BackKeepsTheColumn",
                  3,
                  "txtSyllables(5)",
                  {Plain(Qt::Key_PageUp)},
                  "txtSyllables(3)",
                  "2/6"},
        FocusCase{"LastLineKeepsTheColumn",
                  1,
                  "txtStress(6)",
                  {Qt::CTRL | Qt::Key_End},
                  "txtStress(3)",
                  "6/6"},
        FocusCase{"GoToComesBackToTheCell",
                  1,
                  "txtJuncture(5)",
                  {Qt::CTRL | Qt::Key_G, Plain(Qt::Key_2), Plain(Qt::Key_Return)},
                  "txtJuncture(3)",
                  "2/6"},
        FocusCase{"GoToComesBackToTheComment",
                  1,
                  "txtComment",
                  {Qt::CTRL | Qt::Key_G, Plain(Qt::Key_5), Plain(Qt::Key_Return)},
                  "txtComment",
                  "5/6"},
        FocusCase{"RedoneMergeHidingTheFocusedBoxFallsBackLeft",
                  1,
                  "txtStress(1)",
                  {Qt::CTRL | Qt::Key_M, Qt::CTRL | Qt::Key_Z, Qt::ALT | Qt::Key_Right,
                   Qt::ALT | Qt::Key_Right, Qt::ALT | Qt::Key_Right, Qt::ALT | Qt::Key_Right,
                   Qt::ALT | Qt::Key_Right, Qt::CTRL | Qt::Key_Y},
                  "txtStress(5)",
                  "1/6"}),
    [](const ::testing::TestParamInfo<FocusCase>& info) { return std::string(info.param.name); });

class FocusAndMouse : public KeyboardFixture {
protected:
    void SetUp() override { ASSERT_TRUE(StartWith(kLines, MemoryFile(kPoem, "1"))); }
};

// The toolkit gives a clicked button the focus; the program moves it nowhere after that.
TEST_F(FocusAndMouse, AClickNeverSendsTheFocusBackToACell) {
    Activate();
    form->txtStress(2)->setFocus();
    Click(QStringLiteral("cmdAheadOne"));
    EXPECT_EQ(Progress(), "2/6");
    EXPECT_EQ(Focused(), "cmdAheadOne");
    form->txtStress(1)->setFocus();
    ClickCell("cmdStressUp", 1);
    EXPECT_EQ(CellText("txtStress", 1), "2");
    EXPECT_EQ(Focused(), "cmdStressUp(1)");
}

// The focused cell box is ringed, beyond the style's thin mark; other boxes are not.
TEST_F(FocusAndMouse, TheFocusedCellIsRinged) {
    Activate();
    const auto* ring = form->findChild<QFocusFrame*>(QStringLiteral("CellFocusRing"));
    ASSERT_NE(ring, nullptr);
    form->txtSyllables(2)->setFocus();
    Press(Qt::CTRL | Qt::Key_Down);
    EXPECT_EQ(ring->widget(), form->txtStress(2));
    EXPECT_TRUE(ring->isVisible());
    form->txtComment->setFocus();
    EXPECT_FALSE(ring->isVisible());
}

TEST_F(FocusAndMouse, ARefusedGoToIsReportedOnce) {
    Activate();
    form->txtStress(2)->setFocus();
    Press(Qt::CTRL | Qt::Key_G);
    Type(QStringLiteral("x"));
    Press(QKeyCombination(Qt::Key_Return));
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<QString>{QString::fromLatin1(navigation::kGoToMessage)}));
    EXPECT_EQ(Focused(), "txtGoto");
    EXPECT_EQ(Progress(), "1/6");
    // Corrected and sent again, the go-to still ends where Ctrl+G began.
    Press(QKeyCombination(Qt::Key_Backspace));
    Type(QStringLiteral("2"));
    Press(QKeyCombination(Qt::Key_Return));
    EXPECT_EQ(Progress(), "2/6");
    EXPECT_EQ(Focused(), "txtStress(2)");
}

// ---- tab order ------------------------------------------------------------------------------

struct TabCase {
    const char* name;
    int line;
    bool junctureOnTop;
    std::vector<const char*> chain;  // from the first syllable box round to it again
};

void PrintTo(const TabCase& c, std::ostream* out) {
    *out << c.name;
}

const std::vector<const char*> kBottom = {"txtComment",  "cmdOk",       "txtGoto",        "cmdGoTo",
                                          "cmdBackOne",  "cmdAheadOne", "cmdUndo",        "cmdQuit",
                                          "txtFileName", "cmdAlsoSave", "txtSyllables(1)"};

std::vector<const char*> Chain(std::vector<const char*> cells) {
    cells.insert(cells.end(), kBottom.begin(), kBottom.end());
    return cells;
}

class TabOrder : public KeyboardFixture, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabOrder, RunsRowByRowAsOnScreen) {
    const TabCase& c = GetParam();
    ASSERT_TRUE(StartWith({Syllables("three", {"a", "b", "c"}), Syllables("two", {"d", "e"})},
                          MemoryFile(kPoem, std::to_string(c.line))));
    Activate();
    if (c.junctureOnTop) {
        Press(QKeyCombination(Qt::Key_F6));
    }
    form->txtSyllables(1)->setFocus();
    std::vector<std::string> visited = {Focused()};
    for (std::size_t k = 1; k < c.chain.size(); ++k) {
        Press(QKeyCombination(Qt::Key_Tab));
        visited.push_back(Focused());
    }
    EXPECT_EQ(visited, std::vector<std::string>(c.chain.begin(), c.chain.end()));
}

INSTANTIATE_TEST_SUITE_P(
    Window, TabOrder,
    ::testing::Values(TabCase{"StressBlockOnTop", 1, false,
                              Chain({"txtSyllables(1)", "txtSyllables(2)", "txtSyllables(3)",
                                     "txtStress(1)", "txtStress(2)", "txtStress(3)",
                                     "txtJuncture(1)", "txtJuncture(2)", "txtJuncture(3)"})},
                      TabCase{"JunctureBlockOnTop", 1, true,
                              Chain({"txtSyllables(1)", "txtSyllables(2)", "txtSyllables(3)",
                                     "txtJuncture(1)", "txtJuncture(2)", "txtJuncture(3)",
                                     "txtStress(1)", "txtStress(2)", "txtStress(3)"})},
                      TabCase{"HiddenColumnIsPassedOver", 2, false,
                              Chain({"txtSyllables(1)", "txtSyllables(2)", "txtStress(1)",
                                     "txtStress(2)", "txtJuncture(1)", "txtJuncture(2)"})}),
    [](const ::testing::TestParamInfo<TabCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::test
