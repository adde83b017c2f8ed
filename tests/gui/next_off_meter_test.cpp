// Line > "Save and go to the next line off the meter" and F3 on small poems under a meter of
// four places, W S W S: the keys, the commit, where the line and the focus go, and what the
// status says. A line of stresses 1 1 3 1 is off the meter in its third column.

#include "gui/KeyboardFixture.h"

#include <string>
#include <vector>

namespace corvale::test {
namespace {

constexpr QKeyCombination kSaveAndNextOff = Qt::CTRL | Qt::SHIFT | Qt::Key_Return;
constexpr QKeyCombination kSaveAndNextOffByEnter = Qt::CTRL | Qt::SHIFT | Qt::Key_Enter;

struct NextOffCase {
    const char* name;
    std::vector<std::string> lines;  // each line's four stresses, e.g. "1131"
    int start;
    const char* focus;  // the box with the focus first
    std::vector<QKeyCombination> keys;
    int line;               // then the line on screen
    const char* focused;    // the box with the focus
    std::string status;     // the line status
    std::string committed;  // the start line's stresses as stored
    std::string shown;      // the stresses on screen
};

void PrintTo(const NextOffCase& c, std::ostream* out) {
    *out << c.name;
}

class NextOffMeter : public KeyboardFixture, public ::testing::WithParamInterface<NextOffCase> {
protected:
    void StartOn(const std::vector<std::string>& lines, int start) {
        std::vector<Verse> verses;
        for (const std::string& stresses : lines) {
            Verse verse = Letters("a b c d", {"a", "b", "c", "d"});
            for (std::size_t k = 0; k < stresses.size(); ++k) {
                verse.stresses[k] = std::string(1, stresses[k]);
            }
            verses.push_back(verse);
        }
        platform.WriteFile(kPoem, ScansionFile(verses));
        platform.WriteFile("meter.txt", Rows({"W\tS\tW\tS"}));
        platform.WriteFile(kMemory, MemoryFile(kPoem, std::to_string(start)));
        ASSERT_TRUE(Start());
        Activate();
    }
    std::string Stresses(int line) const {
        std::string stresses;
        for (int k = 1; k <= 4; ++k) {
            stresses += form->Work().Doc().Stress(line, k);
        }
        return stresses;
    }
    std::string Shown() const {
        std::string stresses;
        for (int k = 1; k <= 4; ++k) {
            stresses += form->Line().Stress(k);
        }
        return stresses;
    }
};

TEST_P(NextOffMeter, CommitsThenGoesOnAsF3Does) {
    const NextOffCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartOn(c.lines, c.start));
    Find(QLatin1String(c.focus))->setFocus();
    for (const QKeyCombination key : c.keys) {
        Press(key);
    }
    EXPECT_EQ(form->Work().CurrentLine(), c.line);
    EXPECT_EQ(Focused(), c.focused);
    EXPECT_EQ(form->lineStatusLabel->text().toStdString(), c.status);
    EXPECT_EQ(Stresses(c.start), c.committed);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_TRUE(platform.Messages().empty()) << "never the exit question";
}

const std::vector<std::string> kTwoOff = {"1313", "1131", "1313", "1131"};
const std::vector<std::string> kNoneOff = {"1313", "1313", "1313"};

INSTANTIATE_TEST_SUITE_P(
    Window, NextOffMeter,
    ::testing::Values(NextOffCase{"CommitsAndGoesToTheColumnOff",
                                  kTwoOff,
                                  1,
                                  "stressBoxes(1)",
                                  {key::Up, kSaveAndNextOff},
                                  2,
                                  "stressBoxes(3)",
                                  "1 place off the meter",
                                  "2313",
                                  "1131"},
                      // A stress swap from where the last line's command left the focus: four keys.
                      NextOffCase{"AStressSwapInFourKeys",
                                  kTwoOff,
                                  2,
                                  "stressBoxes(3)",
                                  {key::Char('1'), key::Right, key::Char('3'), kSaveAndNextOff},
                                  4,
                                  "stressBoxes(3)",
                                  "1 place off the meter",
                                  "1113",
                                  "1131"},
                      NextOffCase{"OnTheLastLineWrapsWithoutAsking",
                                  kTwoOff,
                                  4,
                                  "stressBoxes(1)",
                                  {kSaveAndNextOffByEnter},
                                  2,
                                  "stressBoxes(3)",
                                  "past the last line, on from line 1: 1 place off the meter",
                                  "1131",
                                  "1131"},
                      NextOffCase{"NoLineOffShowsTheNextLine",
                                  kNoneOff,
                                  1,
                                  "stressBoxes(2)",
                                  {kSaveAndNextOff},
                                  2,
                                  "stressBoxes(2)",
                                  "no line is off the meter",
                                  "1313",
                                  "1313"},
                      NextOffCase{"NoLineOffTheLastLineStays",
                                  kNoneOff,
                                  3,
                                  "stressBoxes(2)",
                                  {key::Down, kSaveAndNextOff},
                                  3,
                                  "stressBoxes(2)",
                                  "no line is off the meter",
                                  "1213",
                                  "1213"},
                      NextOffCase{"OnlyThisLineOff",
                                  {"1313", "1131", "1313"},
                                  2,
                                  "stressBoxes(1)",
                                  {kSaveAndNextOff},
                                  3,
                                  "stressBoxes(1)",
                                  "no other line is off the meter",
                                  "1131",
                                  "1313"},
                      // F3 with nowhere to go leaves the line on screen, edits and all.
                      NextOffCase{"F3WithNoneKeepsTheEdits",
                                  kNoneOff,
                                  1,
                                  "stressBoxes(1)",
                                  {key::Up, QKeyCombination(Qt::Key_F3)},
                                  1,
                                  "stressBoxes(1)",
                                  "no line is off the meter",
                                  "1313",
                                  "2313"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::test
