// The line on screen against the meter: which columns get a cue, what the status says, what
// assistive technology hears, after a display, a step, a merge, an undo and a change of the
// rule; and that the cues and the status fit the designed layout at every pitch.

#include "gui/MeterFixture.h"

#include "window/Placement.h"

#include <QAction>
#include <QLineEdit>

#include <functional>

#include <string>
#include <vector>

namespace corvale::test {
namespace {

using Columns = std::vector<int>;

constexpr char kMaximum[] = "stress maximum in a weak place";
constexpr char kStressed[] = "stressed syllable in a weak place";
constexpr char kStressKeys[] = "Up raises and Down lowers the stress";

// Lines off the meter of W S W S W S in each of the ways there are.
std::vector<Verse> CuePoem() {
    return {
        Stressed("1|3|1|3|1|3"),    // 1 fits
        Stressed("1|1|3|1|1|3"),    // 2 a maximum in weak place 3
        Stressed("1|3|1|1|3|1|1"),  // 3 that, and a syllable too many
        Stressed("3|1|1|3|3|1"),    // 4 an inverted first foot and a spondee
    };
}

class MeterCues : public MeterFixture {
protected:
    // The cues' own texts and those of every stress box agree with the columns cued.
    void ExpectDescriptions(const char* cueText) const {
        for (int i = 1; i <= form->lblOffMeter.Count(); ++i) {
            SCOPED_TRACE(i);
            const MeterCue* cue = form->lblOffMeter(i);
            const std::string stressBox = form->txtStress(i)->accessibleDescription().toStdString();
            if (cue->IsShown()) {
                EXPECT_EQ(cue->toolTip().toStdString(), cueText);
                EXPECT_EQ(cue->accessibleDescription().toStdString(), cueText);
                EXPECT_EQ(stressBox, cueText);
            } else {
                EXPECT_EQ(stressBox, kStressKeys);
            }
        }
    }
};

struct DisplayCase {
    const char* name;
    const char* meterLine;
    const char* line;  // as the memory file gives it
    bool strict;
    Columns cues;
    const char* status;
};

class LineShown : public MeterCues, public ::testing::WithParamInterface<DisplayCase> {};

TEST_P(LineShown, GetsItsCuesAndStatus) {
    const DisplayCase& c = GetParam();
    if (c.strict) {
        platform.WriteFile(kViewOptionsFileName, "[View]\nStrictMeterCheck=true\n");
    }
    ASSERT_TRUE(StartPoem(CuePoem(), c.meterLine, c.line));
    EXPECT_EQ(form->mnuStrictMeterCheck->isChecked(), c.strict);
    EXPECT_EQ(CuedColumns(), c.cues);
    EXPECT_EQ(Status(), c.status);
    EXPECT_EQ(form->lblMeterStatus->accessibleName().toStdString(), c.status);
    ExpectDescriptions(c.strict ? kStressed : kMaximum);
    for (const int i : c.cues) {
        EXPECT_TRUE(Shown(Cell("lblOffMeter", i))) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineShown,
    ::testing::Values(
        DisplayCase{"MaximumInAWeakPlace", kIambic6, "2", false, {3}, "1 place off the meter"},
        DisplayCase{"OffAndTooMany",
                    kIambic6,
                    "3",
                    false,
                    {5},
                    "1 place off the meter, 1 syllable too many"},
        DisplayCase{"StrictFlagsFirstSyllableAndSpondee",
                    kIambic6,
                    "4",
                    true,
                    {1, 5},
                    "2 places off the meter"},
        // Columns beyond a four-place meter are red, never cued; only the count is off.
        DisplayCase{"ShortMeterCountsOnly",
                    "W\tS\tW\tS",
                    "2",
                    false,
                    {3},
                    "1 place off the meter, 2 syllables too many"},
        DisplayCase{"RowZeroIsNoVerseLine", kIambic6, "0", false, {}, ""},
        DisplayCase{"EmptyMeterJudgesNothing", "", "2", false, {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Each edit of the line on screen is judged at once, and undo and redo with it; the syllable
// boxes' bold stays as the display left it.
TEST_F(MeterCues, FollowEveryStepUndoAndRedo) {
    ASSERT_TRUE(StartPoem(CuePoem(), kIambic6, "2"));
    struct Edit {
        const char* what;
        std::function<void()> edit;
        Columns cues;
        const char* status;
    };
    const auto lowerThird = [this] { ClickCell("cmdStressDown", 3); };
    const auto undo = [this] { form->mnuUndo->trigger(); };
    const std::vector<Edit> edits = {
        {"stress 3 down to 2: still a maximum", lowerThird, {3}, "1 place off the meter"},
        {"down to 1: fits", lowerThird, {}, "fits the meter"},
        {"undo: 2 again", undo, {3}, "1 place off the meter"},
        {"redo: 1 again", [this] { form->mnuRedo->trigger(); }, {}, "fits the meter"},
        {"a juncture step changes nothing",
         [this] { ClickCell("cmdJunctureUp", 3); },
         {},
         "fits the meter"},
        {"undo three times: as loaded",
         [&] {
             undo();
             undo();
             undo();
         },
         {3},
         "1 place off the meter"},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.what);
        edit.edit();
        EXPECT_EQ(CuedColumns(), edit.cues);
        EXPECT_EQ(Status(), edit.status);
        ExpectDescriptions(kMaximum);
    }
    EXPECT_TRUE(form->txtSyllables(3)->font().bold());
}

TEST_F(MeterCues, FollowAMergeAndItsUndo) {
    ASSERT_TRUE(StartPoem(CuePoem(), kIambic6, "3"));
    ClickCell("cmdMerge", 6);
    EXPECT_EQ(CuedColumns(), Columns{5});
    EXPECT_EQ(Status(), "1 place off the meter");
    form->mnuUndo->trigger();
    EXPECT_EQ(Status(), "1 place off the meter, 1 syllable too many");
    // Merging the first two syllables moves the maximum from place 5 to place 4, a strong one.
    ClickCell("cmdMerge", 1);
    EXPECT_EQ(CuedColumns(), Columns{});
    EXPECT_EQ(Status(), "fits the meter");
}

TEST_F(MeterCues, StrictCheckJudgesAgainAtOnce) {
    ASSERT_TRUE(StartPoem(CuePoem(), kIambic6, "4"));
    form->mnuStrictMeterCheck->trigger();
    EXPECT_EQ(CuedColumns(), (Columns{1, 5}));
    EXPECT_EQ(Status(), "2 places off the meter");
    ExpectDescriptions(kStressed);
    form->mnuStrictMeterCheck->trigger();
    EXPECT_EQ(CuedColumns(), Columns{});
    EXPECT_EQ(Status(), "fits the meter");
    ExpectDescriptions(kMaximum);
}

// --- Geometry ------------------------------------------------------------------------------

struct PitchCase {
    const char* name;
    int columns;
    const char* spacing;
};

class CuesFitTheLayout : public MeterFixture, public ::testing::WithParamInterface<PitchCase> {
protected:
    // Every control of the client area but the given one, with the place it was put at.
    std::vector<std::pair<QString, QRectF>> OthersThan(const QWidget* control) const {
        std::vector<std::pair<QString, QRectF>> others;
        for (const QWidget* other : form->ClientArea()->findChildren<QWidget*>()) {
            const QVariant twips = other->property(placement::kTwipsProperty);
            if (other != control && twips.isValid()) {
                others.emplace_back(other->objectName(), twips.toRectF());
            }
        }
        return others;
    }
};

// A cue lies over its meter label alone, between the next line's text and the syllable
// boxes; the status lies in the band right of the comment's heading, over nothing.
TEST_P(CuesFitTheLayout, InTheFreeSpace) {
    const PitchCase& c = GetParam();
    std::string meterLine = "W";
    std::string stresses = "3";
    for (int i = 2; i <= c.columns; ++i) {
        meterLine += i % 2 ? "\tW" : "\tS";
        stresses += "|3";
    }
    ASSERT_TRUE(StartPoem({Stressed(stresses)}, meterLine, "1", c.spacing));
    ASSERT_EQ(form->lblOffMeter.Count(), c.columns);
    for (int i = 1; i <= c.columns; ++i) {
        SCOPED_TRACE(i);
        const MeterCue* cue = form->lblOffMeter(i);
        const QRectF place = cue->property(placement::kTwipsProperty).toRectF();
        const QRectF label = form->lblMeter(i)->property(placement::kTwipsProperty).toRectF();
        EXPECT_EQ(place, QRectF(label.left(), 855, label.width(), 465));
        for (const auto& [name, other] : OthersThan(cue)) {
            if (!name.startsWith(QLatin1String("lblMeter(")) &&
                !name.startsWith(QLatin1String("lblOffMeter("))) {
                EXPECT_FALSE(place.intersects(other)) << name.toStdString();
            }
        }
        EXPECT_LE(cue->geometry().bottom(), form->txtSyllables(i)->geometry().top() - 1);
        EXPECT_GE(cue->geometry().top(), form->lblTextNextLine->geometry().bottom() + 1);
    }
    const QRectF status = form->lblMeterStatus->property(placement::kTwipsProperty).toRectF();
    EXPECT_EQ(status, QRectF(2400, 6000, 8295, 375));
    for (const auto& [name, other] : OthersThan(form->lblMeterStatus)) {
        EXPECT_FALSE(status.intersects(other)) << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Pitches, CuesFitTheLayout,
                         ::testing::Values(PitchCase{"OneColumn", 1, "0"},
                                           PitchCase{"TenColumns", 10, "0"},
                                           PitchCase{"ThirteenColumns", 13, "0"},
                                           PitchCase{"SeventeenColumns", 17, "0"},
                                           PitchCase{"NegativePitch", 10, "-500"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::test
