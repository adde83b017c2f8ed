// The whole correction of the bundled sonnet done with keys alone: the boxes are checked after
// each key, and after each commit the store must hold what the boxes showed before it.

#include "gui/KeyboardFixture.h"

#include <functional>
#include <string>
#include <vector>

namespace corvale::test {
namespace {

constexpr char kSyllables1[] = "Shall|I|com|pare|thee|to|a|sum|mer's|day?";
constexpr char kMerged1[] = "Shall|I|com pare|thee|to|a|sum|mer's|day?";
constexpr char kStresses1[] = "1|1|1|3|1|1|1|3|1|3";
constexpr char kRaisedOnce[] = "2|1|1|3|1|1|1|3|1|3";
constexpr char kRaisedTwice[] = "2|2|1|3|1|1|1|3|1|3";
constexpr char kRaisedMerged[] = "2|2|3|1|1|1|3|1|3";
constexpr char kSyllables2[] = "Thou|art|more|love|ly|and|more|temperate:";
constexpr char kStresses2[] = "1|3|3|3|1|1|3|3";
constexpr char kSyllables14[] = "So|long|lives|this,|and|this|gives|life|to|thee.";
constexpr char kStresses14[] = "1|3|3|1|1|1|3|3|1|1";
constexpr char kLowered14[] = "1|3|2|1|1|1|3|3|1|1";

struct KeyStep {
    const char* what;
    std::vector<QKeyCombination> keys;
    const char* focus;
    const char* progress;
    const char* syllables;  // the shown syllable boxes, "|" between them
    const char* stresses;   // the shown stress boxes
    bool commits = false;
};

// The last commit asks "Save changes?", is answered Yes, and ends the program.
const std::vector<KeyStep> kCorrection = {
    {"down to the first stress",
     {key::CtrlDown},
     "stressBoxes(1)",
     "1/14",
     kSyllables1,
     kStresses1},
    {"raise it", {key::Up}, "stressBoxes(1)", "1/14", kSyllables1, kRaisedOnce},
    {"on to the second", {key::Right}, "stressBoxes(2)", "1/14", kSyllables1, kRaisedOnce},
    {"raise it", {key::Up}, "stressBoxes(2)", "1/14", kSyllables1, kRaisedTwice},
    {"on to the third", {key::Right}, "stressBoxes(3)", "1/14", kSyllables1, kRaisedTwice},
    {"merge com and pare", {key::Merge}, "stressBoxes(3)", "1/14", kMerged1, kRaisedMerged},
    {"undo the merge", {key::Undo}, "stressBoxes(3)", "1/14", kSyllables1, kRaisedTwice},
    {"redo it", {key::Redo}, "stressBoxes(3)", "1/14", kMerged1, kRaisedMerged},
    {"commit line 1", {key::Commit}, "stressBoxes(3)", "2/14", kSyllables2, kStresses2, true},
    {"to the go-to box", {key::GoTo}, "goToBox", "2/14", kSyllables2, kStresses2},
    {"type 14", {key::Char('1'), key::Char('4')}, "goToBox", "2/14", kSyllables2, kStresses2},
    {"go to line 14", {key::Return}, "stressBoxes(3)", "14/14", kSyllables14, kStresses14},
    {"lower lives", {key::Down}, "stressBoxes(3)", "14/14", kSyllables14, kLowered14},
    {"commit line 14", {key::Commit}, "<none>", "14/14", kSyllables14, kLowered14, true},
};

class KeyboardRun : public KeyboardFixture {
protected:
    // The texts of the shown boxes of a row of the grid, left to right, "|" between them.
    std::string ShownTexts(const char* array) const {
        std::string texts;
        for (int i = 1; i <= form->Grid().Columns(); ++i) {
            if (!Find(Cell(array, i))->isHidden()) {
                texts += (texts.empty() ? "" : "|") + CellText(array, i);
            }
        }
        return texts;
    }
    // A store row of a verse line, "|" between positions, the empty ones at the end left off.
    template <typename Row>
    std::string Stored(Row row, int line) const {
        std::string texts;
        for (int i = 1; i <= form->Work().Doc().Positions(); ++i) {
            texts += std::string(i == 1 ? "" : "|") +
                     std::string(std::invoke(row, form->Work().Doc(), line, i));
        }
        return texts.erase(texts.find_last_not_of('|') + 1);
    }
};

TEST_F(KeyboardRun, CorrectsTheSonnetWithoutTheMouse) {
    UseSample("sonnet18", kSonnet);
    ASSERT_TRUE(Start());
    Activate();
    ASSERT_EQ(Focused(), "syllableBoxes(1)");
    platform.WillAnswer({Answer::Yes});

    for (const KeyStep& step : kCorrection) {
        SCOPED_TRACE(step.what);
        const int line = form->Work().CurrentLine();
        const std::string syllables = ShownTexts("syllableBoxes");
        const std::string stresses = ShownTexts("stressBoxes");
        for (const QKeyCombination key : step.keys) {
            Press(key);
        }
        EXPECT_EQ(Focused(), step.focus);
        EXPECT_EQ(Progress(), step.progress);
        EXPECT_EQ(ShownTexts("syllableBoxes"), step.syllables);
        EXPECT_EQ(ShownTexts("stressBoxes"), step.stresses);
        if (step.commits) {
            EXPECT_EQ(Stored(&Document::Syllable, line), syllables);
            EXPECT_EQ(Stored(&Document::Stress, line), stresses);
        }
    }

    EXPECT_TRUE(platform.Ended());
    const std::string saved = platform.ReadFile(kSonnet);
    for (const char* row :
         {"1\tsyllables\tShall I compare thee to a summer's day?\tShall\tI\tcom pare\tthee\tto\ta"
          "\tsum\tmer's\tday?\r\n",
          "1\tstress\tShall I compare thee to a summer's day?\t2\t2\t3\t1\t1\t1\t3\t1\t3\r\n",
          "14\tstress\tSo long lives this, and this gives life to thee.\t1\t3\t2\t1\t1\t1\t3\t3\t1"
          "\t1\r\n"}) {
        EXPECT_NE(saved.find(row), std::string::npos) << row;
    }
    EXPECT_NE(platform.ReadFile(kMemory).find("Last line done:\r\n14\r\n"), std::string::npos);
}

}  // namespace
}  // namespace corvale::test
