// Each scansion file shows its own meter: NAME.meter.txt beside it, or the folder's meter.txt.
// A switch brings the whole meter of the new file with it, and leaves none of the old behind.

#include "gui/MeterFixture.h"

#include <QPalette>

#include <string>
#include <vector>

namespace corvale::test {
namespace {

// Three lines of six syllables. Under "W S W S" (ode.txt's own) every line has too many
// syllables and the first a stress maximum in a weak place, at column 3; under the folder's
// "S W S W S W" only the third is off, at column 2.
Verse SixSyllables(const char* text, std::vector<std::string> stresses) {
    return {text,
            {"a", "b", "c", "d", "e", "f"},
            std::move(stresses),
            {"1", "2", "1", "2", "1", "4"},
            ""};
}
const std::vector<Verse> kSixes = {SixSyllables("one", {"1", "1", "3", "1", "1", "1"}),
                                   SixSyllables("two", {"3", "1", "3", "1", "3", "1"}),
                                   SixSyllables("three", {"1", "3", "1", "1", "1", "1"})};

// What the window shows of its meter.
struct MeterView {
    std::vector<std::string> captions;  // of the shown meter labels, "-" for a hidden one
    std::vector<int> bold;              // columns with a bold symbol
    std::vector<int> red;               // columns whose boxes are red
    std::vector<int> cued;
    std::string status;
    std::string afterF3;  // the position F3 reaches from line 1
    QString overview;
    bool operator==(const MeterView&) const = default;
};

void PrintTo(const MeterView& view, std::ostream* out) {
    *out << "captions";
    for (const std::string& caption : view.captions) {
        *out << ' ' << caption;
    }
    *out << ", " << view.red.size() << " red, " << view.cued.size() << " cued, status "
         << view.status << ", F3 " << view.afterF3 << ", " << view.overview.toStdString();
}

const MeterView kOdeView{{"W", "S", "W", "S", "-", "-"},
                         {2, 4},
                         {5, 6},
                         {3},
                         "1 place off the meter, 2 syllables too many",
                         "2/3",
                         "3 of 3 verse lines off the meter"};
const MeterView kFolderView{
    {"S", "W", "S", "W", "S", "W"},    {1, 3, 5}, {}, {}, "fits the meter", "3/3",
    "1 of 3 verse lines off the meter"};

class OwnMeterWindow : public MeterFixture {
protected:
    void SetUp() override {
        for (const char* name : {"ode.txt", "elegy.txt", "bare.txt"}) {
            platform.WriteFile(name, ScansionFile(kSixes));
        }
        platform.WriteFile("ode.meter.txt", Rows({"W\tS\tW\tS"}));
        platform.WriteFile(kMemory, MemoryFile("ode.txt", "1"));
    }
    void StartOnOde() {
        ASSERT_TRUE(Start());
        Activate();
        form->overviewAction->trigger();
    }
    void Switch(const char* name) {
        GoTo(QStringLiteral("1"));
        OpenFile(QLatin1String(name));
    }
    MeterView View() {
        MeterView view;
        for (int i = 1; i <= form->Grid().Columns(); ++i) {
            const QLabel* label = form->Grid().meterLabels(i);
            view.captions.push_back(label->isVisible() ? label->text().toStdString() : "-");
            if (label->font().bold()) {
                view.bold.push_back(i);
            }
            if (form->Grid().stressBoxes(i)->palette().color(QPalette::Base) == QColor(255, 0, 0)) {
                view.red.push_back(i);
            }
        }
        view.cued = CuedColumns();
        view.status = Status();
        // The lines off the meter, without the count of changed ones.
        view.overview = TheOverview() != nullptr
                            ? TheOverview()->Model().Summary().section(u',', 0, 0)
                            : QString();
        form->GoToNextOffTheMeter();
        view.afterF3 = Progress();
        GoTo(QStringLiteral("1"));
        return view;
    }
};

TEST_F(OwnMeterWindow, EachFileShowsItsOwnMeterBothWays) {
    platform.WriteFile("meter.txt", Rows({"S\tW\tS\tW\tS\tW"}));
    StartOnOde();
    EXPECT_EQ(View(), kOdeView);
    Switch("elegy.txt");
    EXPECT_EQ(View(), kFolderView);
    Switch("ode.txt");
    EXPECT_EQ(View(), kOdeView);
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(OwnMeterWindow, ALongerMeterGetsCuesForItsFurtherPlaces) {
    platform.WriteFile("meter.txt", Rows({"S\tW\tS\tW\tS\tW"}));
    platform.WriteFile("elegy.meter.txt", Rows({"W\tS\tW\tS\tW\tS"}));
    StartOnOde();
    Switch("elegy.txt");
    GoTo(QStringLiteral("2"));
    // Stresses 3 1 3 1 3 1 under W S W S W S: maxima in the weak places after the first.
    EXPECT_EQ(CuedColumns(), (std::vector<int>{3, 5}));
    EXPECT_EQ(form->Grid().offMeterCues.Count(), 6);
}

TEST_F(OwnMeterWindow, ASwitchToAFileWithoutAMeterStaysPut) {
    StartOnOde();
    GoTo(QStringLiteral("2"));
    ClickCell("stressUpButtons", 2);
    Click(QStringLiteral("commitLineButton"));  // an unsaved correction, now on line 3
    const std::vector<std::string> files = platform.FileNames();
    platform.WillAnswer({Answer::No});
    platform.WillPick({2});  // the no-meter box cancelled
    OpenFile(QStringLiteral("bare.txt"));

    ASSERT_EQ(platform.Messages().size(), 2U);
    EXPECT_EQ(platform.Messages()[0].text, "Save changes?");
    EXPECT_EQ(platform.Messages()[1].kind, ScriptedPlatform::Kind::Choice);
    EXPECT_FALSE(platform.Ended());
    EXPECT_EQ(form->Work().Settings().WorkingFileName(), "ode.txt");
    EXPECT_EQ(Progress(), "3/3");
    EXPECT_EQ(form->Work().Doc().Stress(2, 2), "2");
    EXPECT_TRUE(form->Work().Doc().IsModified());
    EXPECT_EQ(platform.ReadFile(kMemory), MemoryFile("ode.txt", "3", "4", "1", "4", "1", "2167"));
    EXPECT_EQ(platform.FileNames(), files);
    GoTo(QStringLiteral("1"));
    EXPECT_EQ(View(), kOdeView);
}

}  // namespace
}  // namespace corvale::test
