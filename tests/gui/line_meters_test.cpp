// A file of several meters in the window, on the ballad sample (rows W S W S W S W S and W S W S W
// S): the labels, red columns and status follow the line on screen's own meter, and F3, the
// overview and the profile's selector use each line's. Which meter a line takes is the core's
// rule (meter/LineMeter.h); these follow the window's wiring of it.

#include "gui/MeterFixture.h"
#include "window/ProfileChart.h"
#include "window/ProfileDock.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPalette>

#include <functional>
#include <string>
#include <vector>

namespace corvale::test {
namespace {

constexpr char kProfileOpen[] = "[View]\nProfile=true\n";
const std::vector<std::string> kFours = {"W", "S", "W", "S", "W", "S", "W", "S"};
const std::vector<std::string> kThrees = {"W", "S", "W", "S", "W", "S", "-", "-"};

class LineMeters : public MeterFixture {
protected:
    void StartOnMariner(const char* line = "1", const char* viewOptions = nullptr) {
        UseSample("mariner", "mariner.txt");
        platform.WriteFile(kMemory, MemoryFile("mariner.txt", line));
        if (viewOptions != nullptr) {
            platform.WriteFile(kViewOptionsFileName, viewOptions);
        }
        ASSERT_TRUE(Start());
        Activate();
    }
    // The shown meter labels' captions, "-" for a hidden one.
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (int i = 1; i <= form->Grid().Columns(); ++i) {
            const QLabel* label = form->Grid().meterLabels(i);
            captions.push_back(label->isVisible() ? label->text().toStdString() : "-");
        }
        return captions;
    }
    std::vector<int> RedColumns() const {
        std::vector<int> red;
        for (int i = 1; i <= form->Grid().Columns(); ++i) {
            if (form->Grid().stressBoxes(i)->palette().color(QPalette::Base) == QColor(255, 0, 0)) {
                red.push_back(i);
            }
        }
        return red;
    }
    ProfileDock& Dock() const { return *form->ProfileView(); }
    std::string ChartTitle() const { return Dock().Chart().chart()->title().toStdString(); }
};

// Line 1 has eight syllables, line 2 six. Merging "The" into "fair" leaves line 1 seven, a
// headless line of the fours; merging once more leaves six, a line of the threes, and undo
// brings the fours back.
TEST_F(LineMeters, LabelsRedColumnsAndStatusFollowTheLinesMeter) {
    ASSERT_NO_FATAL_FAILURE(StartOnMariner());
    const auto merge = [this] { ClickCell("mergeButtons", 1); };
    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> captions;
        std::vector<int> red;
        const char* status;
    };
    const std::vector<Step> steps = {
        {"line 1", [] {}, kFours, {}, "fits meter 1 of 2"},
        {"line 2", [] { Press(Plain(Qt::Key_PageDown)); }, kThrees, {7, 8}, "fits meter 2 of 2"},
        {"back to line 1", [] { Press(Plain(Qt::Key_PageUp)); }, kFours, {}, "fits meter 1 of 2"},
        {"seven syllables", merge, kFours, {}, "1 syllable too few for meter 1 of 2"},
        {"six", merge, kThrees, {7, 8}, "fits meter 2 of 2"},
        {"undo",
         [this] { form->undoAction->trigger(); },
         kFours,
         {},
         "1 syllable too few for meter 1 of 2"},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(Captions(), step.captions) << step.what;
        EXPECT_EQ(RedColumns(), step.red) << step.what;
        EXPECT_EQ(Status(), step.status) << step.what;
    }
}

// Under the cue no line is off its own meter, though every line of three beats is off the first
// row; under the strict cue lines 1, 5, 7, 9 and 11 are, each against the fours.
TEST_F(LineMeters, F3AndTheOverviewJudgeEachLineByItsMeter) {
    ASSERT_NO_FATAL_FAILURE(StartOnMariner("1", "[View]\nOverview=true\n"));
    ASSERT_NE(TheOverview(), nullptr);
    Press(Plain(Qt::Key_F3));
    EXPECT_EQ(Progress(), "1/12");
    EXPECT_EQ(Status(), "no line is off the meter");
    EXPECT_EQ(TheOverview()->Model().Summary().toStdString(),
              "0 of 12 verse lines off the meter, 0 changed");
    EXPECT_EQ(TheOverview()->Model().index(1, OverviewModel::kMeter).data().toString(),
              "fits meter 2 of 2");

    form->strictMeterCheckAction->trigger();
    Press(Plain(Qt::Key_F3));
    EXPECT_EQ(Progress(), "5/12");
    EXPECT_EQ(Focused(), "stressBoxes(1)");
    EXPECT_EQ(Status(), "2 places off meter 1 of 2");
    EXPECT_EQ(TheOverview()->Model().Summary().toStdString(),
              "5 of 12 verse lines off the meter, 0 changed");
    Press(Qt::SHIFT | Qt::Key_F3);
    EXPECT_EQ(Progress(), "1/12");
}

// The selector, and Ctrl+F10, pick the meter whose chart, table and bars are shown. No line of
// the threes departs from them in place 1; under the fours, line 5 is the next after line 1.
TEST_F(LineMeters, TheProfilesSelectorPicksTheMeterShown) {
    ASSERT_NO_FATAL_FAILURE(StartOnMariner("1", kProfileOpen));
    QComboBox& choice = Dock().MeterChoice();
    EXPECT_TRUE(choice.isVisible());
    EXPECT_EQ(choice.count(), 2);
    EXPECT_EQ(choice.itemText(1).toStdString(), "meter 2 of 2: W S W S W S");
    EXPECT_EQ(ChartTitle(),
              "mariner.txt, meter 1 of 2: W S W S W S W S<br>6 of 6 verse lines profiled");
    EXPECT_EQ(Dock().Model().Places(), 8);

    Press(Qt::CTRL | Qt::Key_F10);
    EXPECT_EQ(choice.currentIndex(), 1);
    EXPECT_EQ(ChartTitle(),
              "mariner.txt, meter 2 of 2: W S W S W S<br>6 of 6 verse lines profiled");
    EXPECT_EQ(Dock().Model().Places(), 6);
    ProfileChart& chart = Dock().Chart();
    QTest::mouseClick(chart.viewport(), Qt::LeftButton, {}, chart.BarCentre(1));
    EXPECT_EQ(Progress(), "1/12");
    EXPECT_EQ(Status(), "no line departs from meter 2 of 2 in place 1");

    choice.setCurrentIndex(0);
    EXPECT_EQ(Dock().Model().Places(), 8);
    QTest::mouseClick(chart.viewport(), Qt::LeftButton, {}, chart.BarCentre(1));
    EXPECT_EQ(Progress(), "5/12");
    EXPECT_NE(choice.toolTip().indexOf(QStringLiteral("Ctrl+F10")), -1);
}

// The CSV holds every meter, as corvale-profile --csv writes the file: each meter's places, its
// number last.
TEST_F(LineMeters, TheSavedCsvHoldsEveryMeter) {
    ASSERT_NO_FATAL_FAILURE(StartOnMariner("1", kProfileOpen));
    const QString path = QString::fromStdString(platform.FilePath("figures.csv"));
    platform.WillChoose({path});
    form->saveProfileAction->trigger();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    // A header, eight places and six, and the empty text after the last LF.
    ASSERT_EQ(rows.size(), 16);
    EXPECT_TRUE(rows[8].endsWith(",1"));
    EXPECT_TRUE(rows[9].endsWith(",2"));
}

// "Find it from the stresses" on a ballad without a meter file offers both its meters, in the
// order the first pass finds them from these stresses: the threes first.
TEST_F(LineMeters, TheStressesOfABalladGiveTwoMeters) {
    platform.WriteFile("mariner.txt", SampleFile("mariner", "mariner.txt"));
    platform.WriteFile(kMemory, MemoryFile("mariner.txt", "1"));
    platform.WillPick({0});
    platform.WillAnswer({Answer::Yes});
    ASSERT_TRUE(Start());
    ASSERT_EQ(platform.Messages().size(), 2U);
    EXPECT_TRUE(platform.Messages()[1].text.contains(
        "iambic trimeter + iambic tetrameter best:\n\nW S W S W S; W S W S W S W S\n\nWrite "
        "these meters to mariner.meter.txt?"))
        << platform.Messages()[1].text.toStdString();
    EXPECT_EQ(platform.ReadFile("mariner.meter.txt"),
              Rows({"W\tS\tW\tS\tW\tS", "W\tS\tW\tS\tW\tS\tW\tS"}));
    EXPECT_EQ(Status(), "fits meter 2 of 2");
}

}  // namespace
}  // namespace corvale::test
