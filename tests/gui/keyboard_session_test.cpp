// The whole correction of the bundled sonnet done with keys alone, each key checked against
// what the window shows, and the store checked after each commit.

#include "gui/KeyboardFixture.h"

#include <string>
#include <vector>

namespace corvale::test {
namespace {

constexpr char kLine1[] = "Shall I compare thee to a summer's day?";
constexpr char kLine14[] = "So long lives this, and this gives life to thee.";

constexpr char kLine1Syllables[] = "Shall|I|com|pare|thee|to|a|sum|mer's|day?";
constexpr char kLine1Merged[] = "Shall|I|com pare|thee|to|a|sum|mer's|day?";
constexpr char kLine1Stepped[] = "2|2|1|3|1|1|1|3|1|3";
constexpr char kLine1MergedStresses[] = "2|2|3|1|1|1|3|1|3";
constexpr char kLine2Syllables[] = "Thou|art|more|love|ly|and|more|temperate:";
constexpr char kLine14Syllables[] = "So|long|lives|this,|and|this|gives|life|to|thee.";

struct KeyStep {
    const char* what;
    std::vector<QKeyCombination> keys;
    const char* typed;  // typed after the keys, one press per character
    const char* focus;
    const char* progress;
    const char* syllables;  // the shown syllable boxes
    const char* stresses;   // the shown stress boxes
    int committed = 0;      // the line a commit just stored, checked against the store
    const char* storedSyllables = "";
    const char* storedStresses = "";
};

const std::vector<KeyStep>& Correction() {
    static const std::vector<KeyStep> steps = {
        {"down to the first stress",
         {Qt::CTRL | Qt::Key_Down},
         "",
         "txtStress(1)",
         "1/14",
         kLine1Syllables,
         "1|1|1|3|1|1|1|3|1|3"},
        {"raise it",
         {Plain(Qt::Key_Up)},
         "",
         "txtStress(1)",
         "1/14",
         kLine1Syllables,
         "2|1|1|3|1|1|1|3|1|3"},
        {"on to the second",
         {Plain(Qt::Key_Right)},
         "",
         "txtStress(2)",
         "1/14",
         kLine1Syllables,
         "2|1|1|3|1|1|1|3|1|3"},
        {"raise it",
         {Plain(Qt::Key_Up)},
         "",
         "txtStress(2)",
         "1/14",
         kLine1Syllables,
         kLine1Stepped},
        {"on to the third",
         {Plain(Qt::Key_Right)},
         "",
         "txtStress(3)",
         "1/14",
         kLine1Syllables,
         kLine1Stepped},
        {"merge com and pare",
         {Qt::CTRL | Qt::Key_M},
         "",
         "txtStress(3)",
         "1/14",
         kLine1Merged,
         kLine1MergedStresses},
        {"undo the merge",
         {Qt::CTRL | Qt::Key_Z},
         "",
         "txtStress(3)",
         "1/14",
         kLine1Syllables,
         kLine1Stepped},
        {"redo it",
         {Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
         "",
         "txtStress(3)",
         "1/14",
         kLine1Merged,
         kLine1MergedStresses},
        {"commit line 1",
         {Qt::CTRL | Qt::Key_Return},
         "",
         "txtStress(3)",
         "2/14",
         kLine2Syllables,
         "1|3|3|3|1|1|3|3",
         1,
         "Shall|I|com pare|thee|to|a|sum|mer's|day?||",
         "2|2|3|1|1|1|3|1|3||"},
        {"to the go-to box",
         {Qt::CTRL | Qt::Key_G},
         "14",
         "txtGoto",
         "2/14",
         kLine2Syllables,
         "1|3|3|3|1|1|3|3"},
        {"go to line 14",
         {Plain(Qt::Key_Return)},
         "",
         "txtStress(3)",
         "14/14",
         kLine14Syllables,
         "1|3|3|1|1|1|3|3|1|1"},
        {"lower lives",
         {Plain(Qt::Key_Down)},
         "",
         "txtStress(3)",
         "14/14",
         kLine14Syllables,
         "1|3|2|1|1|1|3|3|1|1"},
        // The last line's commit asks "Save changes?" (answered Yes) and ends the program.
        {"commit line 14",
         {Qt::CTRL | Qt::Key_Return},
         "",
         "<none>",
         "14/14",
         kLine14Syllables,
         "1|3|2|1|1|1|3|3|1|1",
         14,
         "So|long|lives|this,|and|this|gives|life|to|thee.|",
         "1|3|2|1|1|1|3|3|1|1|"},
    };
    return steps;
}

class KeyboardSession : public KeyboardFixture {};

TEST_F(KeyboardSession, CorrectsTheSonnetWithoutTheMouse) {
    UseSample("sonnet18", kSonnet);
    ASSERT_TRUE(Start());
    Activate();
    ASSERT_EQ(Focused(), "txtSyllables(1)");
    platform.WillAnswer({Answer::Yes});

    for (const KeyStep& step : Correction()) {
        SCOPED_TRACE(step.what);
        for (const QKeyCombination key : step.keys) {
            Press(key);
        }
        if (*step.typed != '\0') {
            Type(QString::fromLatin1(step.typed));
        }
        EXPECT_EQ(Focused(), step.focus);
        EXPECT_EQ(Progress(), step.progress);
        EXPECT_EQ(ShownTexts("txtSyllables"), step.syllables);
        EXPECT_EQ(ShownTexts("txtStress"), step.stresses);
        if (step.committed > 0) {
            EXPECT_EQ(Stored(&Form1::Syllables, step.committed), step.storedSyllables);
            EXPECT_EQ(Stored(&Form1::Stresses, step.committed), step.storedStresses);
        }
    }

    EXPECT_TRUE(platform.Ended());
    const std::string saved = platform.ReadFile(kSonnet);
    EXPECT_NE(saved.find(std::string("1\tsyllables\t") + kLine1 +
                         "\tShall\tI\tcom pare\tthee\tto\ta\tsum\tmer's\tday?\r\n"),
              std::string::npos);
    EXPECT_NE(saved.find(std::string("1\tstress\t") + kLine1 + "\t2\t2\t3\t1\t1\t1\t3\t1\t3\r\n"),
              std::string::npos);
    EXPECT_NE(
        saved.find(std::string("14\tstress\t") + kLine14 + "\t1\t3\t2\t1\t1\t1\t3\t3\t1\t1\r\n"),
        std::string::npos);
    EXPECT_NE(platform.ReadFile("RememberEarlierRun.txt").find("Last line done:\r\n14\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace corvale::test
