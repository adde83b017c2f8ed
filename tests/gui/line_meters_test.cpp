// The window on a ballad of two meters (fours and threes): what follows each line's own meter.
// Which meter a line takes is the core's rule (meter/LineMeter.h); these test the wiring.

#include "gui/MeterFixture.h"
#include "window/MeterFinder.h"
#include "window/ProfileChart.h"
#include "window/ProfileDock.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace corvale::test {
namespace {

class LineMeters : public MeterFixture {
protected:
    void StartOnMariner(const char* viewOptions = "") {
        UseSample("mariner", "mariner.txt");
        platform.WriteFile(kViewOptionsFileName, viewOptions);
        ASSERT_TRUE(Start());
        Activate();
    }
    // Column 7 of the grid: its symbol under the fours, red beyond the threes.
    std::string Column7() const {
        const QLabel* label = form->Grid().meterLabels(7);
        const bool red = form->Grid().stressBoxes(7)->palette().color(QPalette::Base) == Qt::red;
        return (label->isVisible() ? label->text().toStdString() : "") + (red ? "red" : "");
    }
};

// Line 2 has six syllables. Merges leave line 1 seven (a headless line of the fours), then six (a
// line of the threes); undo brings the fours back.
TEST_F(LineMeters, LabelsRedColumnsAndStatusFollowTheLinesMeter) {
    ASSERT_NO_FATAL_FAILURE(StartOnMariner());
    const auto merge = [this] { ClickCell("mergeButtons", 1); };
    const std::vector<std::tuple<std::function<void()>, const char*, const char*>> steps = {
        {[] {}, "W", "fits meter 1 of 2"},
        {[] { Press(Plain(Qt::Key_PageDown)); }, "red", "fits meter 2 of 2"},
        {[] { Press(Plain(Qt::Key_PageUp)); }, "W", "fits meter 1 of 2"},
        {merge, "W", "1 syllable too few for meter 1 of 2"},
        {merge, "red", "fits meter 2 of 2"},
        {[this] { form->undoAction->trigger(); }, "W", "1 syllable too few for meter 1 of 2"},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        std::get<0>(steps[i])();
        EXPECT_EQ(Column7(), std::get<1>(steps[i])) << "step " << i;
        EXPECT_EQ(Status(), std::get<2>(steps[i])) << "step " << i;
    }
}

// Under the strict cue lines 1, 5, 7, 9 and 11 are off their own meter, the fours; against the
// first row alone every line of three beats would be off too.
TEST_F(LineMeters, F3AndTheOverviewJudgeEachLineByItsMeter) {
    ASSERT_NO_FATAL_FAILURE(StartOnMariner("[View]\nOverview=true\nStrictMeterCheck=true\n"));
    Press(Plain(Qt::Key_F3));
    EXPECT_EQ(Progress(), "5/12");
    Press(Qt::SHIFT | Qt::Key_F3);
    EXPECT_EQ(Progress(), "1/12");
    EXPECT_EQ(TheOverview()->Model().Summary(), "5 of 12 verse lines off the meter, 0 changed");
    EXPECT_EQ(TheOverview()->Model().index(1, OverviewModel::kMeter).data(), "fits meter 2 of 2");
}

// Ctrl+F10 and the selector pick the meter whose chart, table and bars are shown: no line of the
// threes departs from them in place 1, while line 5 of the fours does. The CSV holds both, each
// meter's rows ending in its number.
TEST_F(LineMeters, TheProfilesSelectorPicksTheMeterShown) {
    ASSERT_NO_FATAL_FAILURE(StartOnMariner("[View]\nProfile=true\n"));
    ProfileDock& dock = *form->ProfileView();
    Press(Qt::CTRL | Qt::Key_F10);
    EXPECT_TRUE(dock.MeterChoice().isVisible());
    EXPECT_EQ(dock.Chart().chart()->title(),
              "mariner.txt, meter 2 of 2: W S W S W S<br>6 of 6 verse lines profiled");
    EXPECT_EQ(dock.Model().Places(), 6);
    QTest::mouseClick(dock.Chart().viewport(), Qt::LeftButton, {}, dock.Chart().BarCentre(1));
    EXPECT_EQ(Status(), "no line departs from meter 2 of 2 in place 1");
    dock.MeterChoice().setCurrentIndex(0);
    QTest::mouseClick(dock.Chart().viewport(), Qt::LeftButton, {}, dock.Chart().BarCentre(1));
    EXPECT_EQ(Progress(), "5/12");

    platform.WillChoose({QString::fromStdString(platform.FilePath("figures.csv"))});
    form->saveProfileAction->trigger();
    const std::string csv = platform.ReadFile("figures.csv");  // a header, 8 places and 6
    EXPECT_EQ(std::ranges::count(csv, '\n'), 15);
    EXPECT_TRUE(csv.ends_with(",2\n"));
}

// Export... in the verse lines' format (both CSV formats end in ".csv"), each line under its own
// meter; the next export starts in that format.
TEST_F(LineMeters, ExportWritesTheVerseLinesEachUnderItsOwnMeter) {
    ASSERT_NO_FATAL_FAILURE(StartOnMariner());
    platform.WillChoose({QString::fromStdString(platform.FilePath("ode.csv")), QString()});
    platform.WillShowFormat(QStringLiteral("Verse lines as CSV (*.csv)"));
    form->exportAction->trigger();
    EXPECT_NE(platform.ReadFile("ode.csv").find(",The fur|row fol|lowed free;,2,-+-+-+,"),
              std::string::npos);
    form->exportAction->trigger();
    EXPECT_TRUE(platform.Dialogs().at(1).proposed.endsWith(u"/mariner.lines.csv"));
}

// "Find it from the stresses" takes the first pass's further meters too, the main meter first as
// it chooses it.
TEST(MeterFinderTest, TheStressesOfABalladGiveTwoMeters) {
    const std::vector<std::uint8_t> four = {1, 3, 1, 3, 1, 3, 1, 3}, three = {1, 3, 1, 3, 1, 3};
    EXPECT_EQ(FindMeterFromStresses({four, three, four, three, four, three}).value().row,
              "W\tS\tW\tS\tW\tS\r\nW\tS\tW\tS\tW\tS\tW\tS");
}

}  // namespace
}  // namespace corvale::test
