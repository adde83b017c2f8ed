// The profile dock's wiring on Sonnet 116: F10 and the menu open it, a commit redraws it (an
// edit does not), a bar's click and Return on a table row go to the next line departing from the
// meter there, and the saved chart and figures load back. The figures themselves are the core's.

#include "gui/MeterFixture.h"
#include "window/ProfileChart.h"
#include "window/ProfileDock.h"

#include <QAction>
#include <QApplication>
#include <QBarSet>
#include <QFile>
#include <QImage>
#include <QStackedBarSeries>
#include <QTest>
#include <QValueAxis>
#include <QXmlStreamReader>

#include <functional>
#include <string>

namespace corvale::test {
namespace {

constexpr char kProfileOpen[] = "[View]\nProfile=true\n";
constexpr int kPlace7 = 6;  // its row in the table and its index in the chart

class ProfileDockTest : public MeterFixture {
protected:
    ProfileDock& Dock() const { return *form->ProfileView(); }
    std::string Figure(int row, int column) const {
        return Dock().Model().index(row, column).data().toString().toStdString();
    }
    // Place 7's share of lines stressed as spoken, as its weak bar stands.
    double WeakSpokenBar() const {
        const auto* bars =
            qobject_cast<QStackedBarSeries*>(Dock().Chart().chart()->series().front());
        return bars->barSets().at(2)->at(kPlace7);
    }
};

TEST_F(ProfileDockTest, OpensByF10AndByTheMenu) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116());
    Press(Plain(Qt::Key_F10));
    ASSERT_NE(form->ProfileView(), nullptr);
    EXPECT_EQ(form->dockWidgetArea(form->ProfileView()), Qt::RightDockWidgetArea);
    EXPECT_EQ(Focused(), "tblProfile");
    EXPECT_FALSE(Dock().accessibleName().isEmpty());
    EXPECT_FALSE(Dock().Chart().accessibleName().isEmpty());
    EXPECT_NE(platform.ReadFile(kViewOptionsFileName).find("Profile=true"), std::string::npos);
    Press(Plain(Qt::Key_F10));
    EXPECT_EQ(form->ProfileView(), nullptr);
    EXPECT_EQ(Focused(), "syllableBoxes(1)");
    form->profileAction->trigger();
    EXPECT_NE(form->ProfileView(), nullptr);
}

TEST_F(ProfileDockTest, RedrawsAfterACommitNotAnEdit) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116("2", kProfileOpen));
    const std::string before = Figure(kPlace7, ProfileModel::kFirstFigure + 2);  // stressed
    const double bar = WeakSpokenBar();
    EXPECT_EQ(before, "4 (36.4%)");
    form->Grid().stressBoxes(7)->setFocus();  // "Love", 3, in weak place 7
    Press(Plain(Qt::Key_Down));
    Press(Plain(Qt::Key_Down));
    EXPECT_EQ(Figure(kPlace7, ProfileModel::kFirstFigure + 2), before);
    EXPECT_EQ(WeakSpokenBar(), bar);
    Press(Qt::CTRL | Qt::Key_Return);
    EXPECT_EQ(Figure(kPlace7, ProfileModel::kFirstFigure + 2), "3 (27.3%)");
    EXPECT_LT(WeakSpokenBar(), bar);
}

// From line 1 a click on weak place 9 finds line 6, stressed there; Return on strong place 2's
// row then finds line 9, unstressed there. Weak place 5 is stressed in no profiled line after 9,
// so Return on its row goes on from line 1, to line 8. Each puts the focus in the place's column.
TEST_F(ProfileDockTest, ABarClickAndReturnOnARowGoToTheNextDeparture) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116("1", kProfileOpen));
    ProfileChart& chart = Dock().Chart();
    QTest::mouseClick(chart.viewport(), Qt::LeftButton, {}, chart.BarCentre(9));
    EXPECT_EQ(form->Work().CurrentLine(), 6);
    EXPECT_EQ(Focused(), "stressBoxes(9)");
    ProfileTable& table = Dock().Table();
    table.setFocus();
    table.setCurrentIndex(Dock().Model().index(1, ProfileModel::kPlace));
    Press(Plain(Qt::Key_Return));
    EXPECT_EQ(form->Work().CurrentLine(), 9);
    EXPECT_EQ(Focused(), "stressBoxes(2)");
    table.setFocus();
    table.setCurrentIndex(Dock().Model().index(4, ProfileModel::kPlace));
    Press(Plain(Qt::Key_Return));
    EXPECT_EQ(form->Work().CurrentLine(), 8);
    EXPECT_EQ(Status(), "past the last line, on from line 1: 1 syllable too many");
    EXPECT_EQ(Focused(), "stressBoxes(5)");
}

// The chart takes three fifths of the dock and grows with it; its value axis is titled and has
// room above 100%, and its title names the file, the meter and the lines profiled.
TEST_F(ProfileDockTest, TheChartIsBuiltForReading) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116("1", kProfileOpen));
    form->showNormal();
    form->resize(1024, 700);
    QApplication::processEvents();
    const ProfileChart& chart = Dock().Chart();
    const int dockHeight = chart.parentWidget()->height();
    EXPECT_GE(chart.height(), dockHeight / 2);
    form->resize(1024, 1000);
    QApplication::processEvents();
    EXPECT_GT(chart.height(), dockHeight * 3 / 5);
    const auto* axis = qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Vertical).front());
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->titleText(), "share of lines");
    EXPECT_GT(axis->max(), 100);
    EXPECT_EQ(chart.chart()->title(),
              "sonnet116.txt, meter W S W S W S W S W S<br>11 of 14 verse lines profiled");
}

struct SaveCase {
    const char* name;
    const char* file;
    std::vector<QString> typed;  // into the box that asks a PNG's width
    std::size_t messages;
    std::function<bool(const QString& path)> loadsBack;
};

class ProfileSaved : public ProfileDockTest, public testing::WithParamInterface<SaveCase> {};

// Ctrl+Shift+E opens the closed dock and saves what it shows, drawn afresh at a size of its
// own: a PNG 1600 pixels wide unless the user types another width.
TEST_P(ProfileSaved, LoadsBack) {
    const SaveCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116());
    const QString path = QString::fromStdString(platform.FilePath(c.file));
    platform.WillChoose({path});
    platform.WillType(c.typed);
    Press(Qt::CTRL | Qt::SHIFT | Qt::Key_E);
    ASSERT_NE(form->ProfileView(), nullptr);
    EXPECT_TRUE(c.loadsBack(path));
    ASSERT_EQ(platform.Messages().size(), c.messages);
    if (!c.typed.empty()) {
        EXPECT_EQ(platform.TextInitials(), std::vector<QString>{"1600"});
    }
    EXPECT_EQ(platform.Dialogs().back().proposed,
              QString::fromStdString(platform.FilePath("sonnet116.profile.svg")));
}

QByteArray SavedBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Ink in the figure's right fifth, where a chart left at its hidden widget's first size draws none.
bool InkOnTheRight(const QImage& figure) {
    QImage blank(figure.width() / 5, figure.height(), figure.format());
    blank.fill(Qt::white);
    return figure.copy(figure.width() - blank.width(), 0, blank.width(), blank.height()) != blank;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, ProfileSaved, testing::Values(
    SaveCase{"Csv", "figures.CSV", {}, 0, [](const QString& path) {
        const QList<QByteArray> rows = SavedBytes(path).split('\n');
        // A header, ten places, and the empty text after the last LF.
        return rows.size() == 12 && rows[1].count(',') == rows[0].count(',');
    }},
    SaveCase{"SvgWithItsTitle", "chart.svg", {}, 0, [](const QString& path) {
        const QByteArray svg = SavedBytes(path);
        QXmlStreamReader xml(svg);
        bool valid = xml.readNextStartElement() && xml.name() == u"svg";
        while (!xml.atEnd()) {
            xml.readNext();
        }
        return valid && !xml.hasError() &&
               svg.contains("<title>sonnet116.txt, meter W S W S W S W S W S, ");
    }},
    SaveCase{"PngForPrint", "chart.png", {"1600"}, 1,
             [](const QString& path) {
                 const QImage png(path);
                 return png.size() == QSize(1600, 1000) && InkOnTheRight(png);
             }},
    SaveCase{"PngOfTheWidthTyped", "chart.png", {" 2400 "}, 1,
             [](const QString& path) { return QImage(path).width() == 2400; }},
    SaveCase{"PngTooNarrowIsNotSaved", "chart.png", {"12"}, 2,
             [](const QString& path) { return !QFile::exists(path); }}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// A name that is taken is asked about; No leaves the file alone and asks for another.
TEST_F(ProfileDockTest, AsksBeforeReplacingAFile) {
    ASSERT_NO_FATAL_FAILURE(StartOnSonnet116("1", kProfileOpen));
    platform.WriteFile("taken.csv", "mine");
    platform.WillChoose({QString::fromStdString(platform.FilePath("taken.csv")), QString()});
    platform.WillAnswer({Answer::No});
    form->saveProfileAction->trigger();
    EXPECT_EQ(platform.ReadFile("taken.csv"), "mine");
    ASSERT_EQ(platform.Messages().size(), 1U);
    EXPECT_TRUE(platform.Messages().front().text.endsWith("taken.csv exists.  Replace it?"));
}

}  // namespace
}  // namespace corvale::test
