// Where the keyboard focus goes besides following the work (see cell_keys_test.cpp): nowhere
// after a mouse click, and through the boxes in screen order on Tab, in columns added for a
// wider file too.

#include "gui/KeyboardFixture.h"

#include <string>
#include <vector>

namespace corvale::test {
namespace {

const std::vector<Verse> kSixThenHoles = {Letters("six", {"a", "b", "c", "d", "e", "f"}),
                                          Letters("holes", {"p", "", "", "s", "t"})};

class FocusRules : public KeyboardFixture {
protected:
    void StartAt(int line) {
        ASSERT_TRUE(StartWith(kSixThenHoles, MemoryFile(kPoem, std::to_string(line))));
        Activate();
    }
};

// The toolkit gives a clicked button the focus; the program moves it nowhere after that.
TEST_F(FocusRules, AClickNeverSendsTheFocusBackToACell) {
    StartAt(1);
    form->Grid().stressBoxes(2)->setFocus();
    Click(QStringLiteral("aheadOneButton"));
    EXPECT_EQ(Progress(), "2/2");
    EXPECT_EQ(Focused(), "aheadOneButton");
    form->Grid().stressBoxes(1)->setFocus();
    ClickCell("stressUpButtons", 1);
    EXPECT_EQ(CellText("stressBoxes", 1), "2");
    EXPECT_EQ(Focused(), "stressUpButtons(1)");
}

// Syllables, then the upper block (the juncture block after F6), then the lower, then the rest;
// hidden columns are passed over.
TEST_F(FocusRules, TabRunsRowByRowAsOnScreen) {
    StartAt(2);
    Press(key::F6);
    const std::vector<std::string> expected = {
        "syllableBoxes(1)", "syllableBoxes(4)", "syllableBoxes(5)",    "junctureBoxes(1)",
        "junctureBoxes(4)", "junctureBoxes(5)", "stressBoxes(1)",      "stressBoxes(4)",
        "stressBoxes(5)",   "commentBox",       "commitLineButton",    "goToBox",
        "goToButton",       "backOneButton",    "aheadOneButton",      "reloadLineButton",
        "exitButton",       "fileNameBox",      "commitLineTopButton", "syllableBoxes(1)"};
    form->Grid().syllableBoxes(1)->setFocus();
    std::vector<std::string> visited = {Focused()};
    while (visited.size() < expected.size()) {
        Press(key::Tab);
        visited.push_back(Focused());
    }
    EXPECT_EQ(visited, expected);
}

// Columns built when a wider file is opened take the keys and the tab order as the first did.
TEST_F(FocusRules, ColumnsAddedForAWiderFileTakeTheKeys) {
    platform.WriteFile("wide.txt",
                       ScansionFile({Letters("wide", {"p", "q", "r", "s", "t", "u", "v", "w"})}));
    StartAt(1);
    TypeInto(form->fileNameBox, QStringLiteral("wide.txt"));
    form->fileNameBox->setFocus();
    Press(key::Return);  // in the File box, it opens the file named there
    ASSERT_EQ(form->Grid().Columns(), 8);
    form->Grid().stressBoxes(7)->setFocus();
    Press(key::Up);
    EXPECT_EQ(CellText("stressBoxes", 7), "2");
    Press(key::Right);
    EXPECT_EQ(Focused(), "stressBoxes(8)");
    form->Grid().syllableBoxes(8)->setFocus();
    Press(key::Tab);
    EXPECT_EQ(Focused(), "stressBoxes(1)");
}

}  // namespace
}  // namespace corvale::test
