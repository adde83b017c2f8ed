// Line > "Save and go to the next line off the meter" and F3 on small poems under a meter of
// four places, W S W S: the keys, the commit, where the line and the focus go, and what the
// status says. A line of stresses 1 1 3 1 is off the meter in its third column.

#include "gui/KeyboardFixture.h"

#include <functional>
#include <string>
#include <vector>

namespace corvale::test {
namespace {

struct NextOffCase {
    const char* name;
    std::vector<std::string> lines;  // each line's four stresses, e.g. "1131"
    int start;                       // the line shown first, its stress box `column` focused
    int column;
    std::vector<QKeyCombination> keys;
    int line;  // then the line on screen, its stress box `focused` focused
    int focused;
    std::string status;
    std::string committed;  // the start line's stresses as stored
    std::string shown;      // the stresses on screen
};

void PrintTo(const NextOffCase& c, std::ostream* out) {
    *out << c.name;
}

class NextOffMeter : public KeyboardFixture, public ::testing::WithParamInterface<NextOffCase> {
protected:
    static std::string Joined(const std::function<std::string(int)>& stress) {
        std::string stresses;
        for (int k = 1; k <= 4; ++k) {
            stresses += stress(k);
        }
        return stresses;
    }
};

TEST_P(NextOffMeter, CommitsThenGoesOnAsF3Does) {
    const NextOffCase& c = GetParam();
    std::vector<Verse> verses;
    for (const std::string& stresses : c.lines) {
        verses.push_back(Letters("a b c d", {"a", "b", "c", "d"}));
        for (std::size_t k = 0; k < stresses.size(); ++k) {
            verses.back().stresses[k] = std::string(1, stresses[k]);
        }
    }
    platform.WriteFile(kPoem, ScansionFile(verses));
    platform.WriteFile("meter.txt", Rows({"W\tS\tW\tS"}));
    platform.WriteFile(kMemory, MemoryFile(kPoem, std::to_string(c.start)));
    ASSERT_TRUE(Start());
    Activate();
    form->Grid().stressBoxes(c.column)->setFocus();
    for (const QKeyCombination key : c.keys) {
        Press(key);
    }
    EXPECT_EQ(form->Work().CurrentLine(), c.line);
    EXPECT_EQ(Focused(), Cell("stressBoxes", c.focused).toStdString());
    EXPECT_EQ(form->lineStatusLabel->text().toStdString(), c.status);
    EXPECT_EQ(Joined([&](int k) { return std::string(form->Work().Doc().Stress(c.start, k)); }),
              c.committed);
    EXPECT_EQ(Joined([&](int k) { return std::string(form->Line().Stress(k)); }), c.shown);
    EXPECT_TRUE(platform.Messages().empty()) << "never the exit question";
}

const std::vector<std::string> kTwoOff = {"1313", "1131", "1313", "1131"};
const std::vector<std::string> kNoneOff = {"1313", "1313", "1313"};
const QKeyCombination kNextOff = Qt::CTRL | Qt::SHIFT | Qt::Key_Return;
const QKeyCombination kNextOffByEnter = Qt::CTRL | Qt::SHIFT | Qt::Key_Enter;
const QKeyCombination kF3{Qt::Key_F3};
const std::string kOff = "1 place off the meter";
const std::string kNone = "no line is off the meter";

// A stress swap from where the last line's command left the focus takes four keys. F3 with
// nowhere to go leaves the line on screen, edits and all.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Window, NextOffMeter, ::testing::Values(
    NextOffCase{"CommitsAndGoesToTheColumnOff", kTwoOff, 1, 1, {key::Up, kNextOff}, 2, 3, kOff, "2313", "1131"},
    NextOffCase{"AStressSwapInFourKeys", kTwoOff, 2, 3, {key::Char('1'), key::Right, key::Char('3'), kNextOff},
                4, 3, kOff, "1113", "1131"},
    NextOffCase{"OnTheLastLineWrapsWithoutAsking", kTwoOff, 4, 1, {kNextOffByEnter}, 2, 3,
                "past the last line, on from line 1: " + kOff, "1131", "1131"},
    NextOffCase{"NoLineOffShowsTheNextLine", kNoneOff, 1, 2, {kNextOff}, 2, 2, kNone, "1313", "1313"},
    NextOffCase{"NoLineOffTheLastLineStays", kNoneOff, 3, 2, {key::Down, kNextOff}, 3, 2, kNone, "1213", "1213"},
    NextOffCase{"OnlyThisLineOff", {"1313", "1131", "1313"}, 2, 1, {kNextOff}, 3, 1,
                "no other line is off the meter", "1131", "1313"},
    NextOffCase{"F3WithNoneKeepsTheEdits", kNoneOff, 1, 1, {key::Up, kF3}, 1, 1, kNone, "1313", "2313"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace corvale::test
