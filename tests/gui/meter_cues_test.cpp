// The line on screen against the meter, as the user works on Sonnet 116: which columns get a cue,
// what the status says and what assistive technology hears, after start-up and after every step,
// merge, undo, redo, move and change of the rule; F3 and Shift+F3 to the next and previous line
// off the meter, which go on from the other end past either end of the file and say so.

#include "gui/MeterFixture.h"

#include <QAction>
#include <QLineEdit>

#include <functional>
#include <string>
#include <vector>

namespace corvale::test {
namespace {

constexpr char kMaximum[] = "stress maximum in a weak place";
constexpr char kStressed[] = "stressed syllable in a weak place";
constexpr char kStressKeys[] = "Up raises and Down lowers the stress";
constexpr char kOnePlace[] = "1 place off the meter";
constexpr char kTwoPlaces[] = "2 places off the meter";
constexpr char kFits[] = "fits the meter";
constexpr char kLine12Off[] = "1 place off the meter, 1 syllable too many";
constexpr char kWrappedBack[] =
    "past the first line, on from the last: 1 place off the meter, 1 syllable too many";
constexpr char kWrappedOn[] = "past the last line, on from line 1: 2 places off the meter";

class MeterCues : public MeterFixture {
protected:
    // While a cue shows, its column's stress box says what it stands for; once it hides, the
    // box has its own description back.
    void ExpectDescriptions() const {
        const char* what = form->strictMeterCheckAction->isChecked() ? kStressed : kMaximum;
        for (int i = 1; i <= form->Grid().offMeterCues.Count(); ++i) {
            EXPECT_EQ(form->Grid().stressBoxes(i)->accessibleDescription().toStdString(),
                      form->Grid().offMeterCues(i)->isVisible() ? what : kStressKeys)
                << i;
        }
    }
};

// Line 2 has "Love", stress 3, in the weak 7th place. Line 12 splits "e ven": a syllable too
// many, which moves "edge" from the strong 8th place to the weak 9th. Lines 1 and 14 are off
// only to the strict check, line 5 only by its count.
TEST_F(MeterCues, FollowTheLineOnScreenAndTheJumps) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116("2"));
    form->Grid().stressBoxes(7)->setFocus();
    const auto lower = [] { Press(Plain(Qt::Key_Down)); };
    const auto undo = [this] { form->undoAction->trigger(); };
    const auto strict = [this] { form->strictMeterCheckAction->trigger(); };
    const auto next = [] { Press(Plain(Qt::Key_F3)); };
    const auto previous = [] { Press(Qt::SHIFT | Qt::Key_F3); };
    struct Step {
        const char* what;
        std::function<void()> act;
        int line;
        std::vector<int> cues;
        const char* status;
    };
    const std::vector<Step> steps = {
        {"as started", [] {}, 2, {7}, kOnePlace},
        {"Love down to 2: still a maximum", lower, 2, {7}, kOnePlace},
        {"down to 1: fits", lower, 2, {}, kFits},
        {"undo", undo, 2, {7}, kOnePlace},
        {"redo", [this] { form->redoAction->trigger(); }, 2, {}, kFits},
        {"next, past lines 3 and 4",
         next,
         5,
         {},
         "line 2's changes were dropped (never saved with Ctrl+Return): 3 syllables too few"},
        {"previous, the edit dropped",
         previous,
         2,
         {7},
         "Ctrl+Z brings back the changes dropped here: 1 place off the meter"},
        {"none before: on from the last", previous, 12, {9}, kWrappedBack},
        {"back to line 2", [this] { GoTo(QStringLiteral("2")); }, 2, {7}, kOnePlace},
        {"strict check", strict, 2, {3, 7}, kTwoPlaces},
        {"strictly line 1 is off", previous, 1, {1, 9}, kTwoPlaces},
        {"last line", [] { Press(Qt::CTRL | Qt::Key_End); }, 14, {7}, kOnePlace},
        {"none after: on from line 1", next, 1, {1, 9}, kWrappedOn},
        {"back to the last", [] { Press(Qt::CTRL | Qt::Key_End); }, 14, {7}, kOnePlace},
        {"strict check off", strict, 14, {}, kFits},
        {"to line 12", [this] { GoTo(QStringLiteral("12")); }, 12, {9}, kLine12Off},
        {"merge e and ven", [this] { ClickCell("mergeButtons", 5); }, 12, {}, kFits},
        {"undo the merge", undo, 12, {9}, kLine12Off},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(form->Work().CurrentLine(), step.line);
        EXPECT_EQ(Progress(), std::to_string(step.line) + "/14");
        EXPECT_EQ(CuedColumns(), step.cues);
        EXPECT_EQ(Status(), step.status);
        EXPECT_EQ(form->lineStatusLabel->accessibleName().toStdString(), step.status);
        ExpectDescriptions();
    }
    EXPECT_TRUE(platform.Messages().empty());
}

}  // namespace
}  // namespace corvale::test
