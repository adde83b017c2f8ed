// Leaving a file with unsaved corrections: the title's "*", the close box, the switch to
// another file and Save, as a person meets them in the window.

#include "gui/LineEditorFixture.h"
#include "scansion/ScansionFile.h"

#include <QAction>
#include <QWindow>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace corvale::test {
namespace {

const QString kQuestion = QStringLiteral("Save changes?");
const QString kExitFailed = QStringLiteral(
    "I've hit a problem:  perhaps the file you are working on is open in another program.  If "
    "so, please close that program and try exiting again.  If you need to give up entirely, "
    "click the little X at the top right of the interface.");
const QString kSaveFailed = QStringLiteral(
    "I've hit a problem:  perhaps the file you are working on is open in another program.  If "
    "so, please close that program and try saving again.");

class UnsavedCorrections : public LineEditorFixture {
protected:
    void SetUp() override {
        UseSample("sonnet18", kSonnet);
        platform.WriteFile(kTyger, SampleFile("tyger", kTyger));
        ASSERT_TRUE(Start());
    }
    // Raises the first stress of line 1 and commits it: line 2 is then on screen.
    void CommitACorrection() {
        ClickCell("stressUpButtons", 1);
        Click(QStringLiteral("commitLineButton"));
        ASSERT_TRUE(form->Work().Doc().IsModified());
    }
    std::string Title() const { return form->windowHandle()->title().toStdString(); }
    void ExpectFilesAsLoaded() const {
        EXPECT_EQ(platform.ReadFile(kSonnet), SampleFile("sonnet18", kSonnet));
        EXPECT_EQ(platform.ReadFile(kMemory), SampleFile("sonnet18", kMemory));
    }
    bool SonnetSaved() const {
        return platform.ReadFile(kSonnet) != SampleFile("sonnet18", kSonnet);
    }
};

TEST_F(UnsavedCorrections, TitleShowsAStarOnlyWhileCorrectionsAreUnsaved) {
    EXPECT_EQ(Title(), "Corvale");
    ClickCell("stressUpButtons", 1);
    EXPECT_EQ(Title(), "Corvale") << "a step alone is not a correction yet";
    Click(QStringLiteral("commitLineButton"));
    EXPECT_EQ(Title(), "Corvale*");
    form->saveAction->trigger();
    EXPECT_EQ(Title(), "Corvale");
    EXPECT_EQ(Progress(), "2/14");
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(UnsavedCorrections, UntouchedCommentIsCommittedAsTheBytesItWas) {
    // A no-break space, which the comment box would give back as a plain space.
    const std::string comment = "half\xc2\xa0time";
    const std::string name = form->Work().Settings().WorkingFileName();
    auto file = std::get<LoadedScansion>(ReadScansionBytes(platform.ReadFile(name)));
    file.store.SetComment(1, comment);
    form->Work().Doc().Take(name, std::move(file));
    Click(QStringLiteral("reloadLineButton"));
    Click(QStringLiteral("commitLineButton"));
    EXPECT_EQ(form->Work().Doc().Comment(1), comment);
    EXPECT_FALSE(form->Work().Doc().IsModified());
}

TEST_F(UnsavedCorrections, LastLineCommitWithdrawnStaysOnTheCommittedLine) {
    GoTo(QStringLiteral("14"));
    ClickCell("stressUpButtons", 1);
    platform.WillAnswer({Answer::Withdrawn});
    Click(QStringLiteral("commitLineButton"));
    EXPECT_EQ(Progress(), "14/14");
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->Work().Doc().IsModified());
    ExpectFilesAsLoaded();
}

// A value typed past the bounds is refused as the close box is pressed, and the close goes on
// to its question rather than doing nothing at all.
TEST_F(UnsavedCorrections, ARefusedValueNeverSwallowsTheClose) {
    CommitACorrection();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QLineEdit* box = form->Grid().stressBoxes(1);
    box->setFocus();
    TypeInto(box, QStringLiteral("9"));
    platform.WillAnswer({Answer::No});
    form->close();
    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>{kQuestion});
    EXPECT_FALSE(form->isVisible());
}

// ---- leaving by Exit, by the close box, or by switching to another file ---------------------

enum class Leave { Exit, CloseBox, Switch };

struct LeaveCase {
    const char* name;
    Leave how;
    std::vector<Answer> answers;  // to "Save changes?", one a try; none: nothing to correct
    bool failSave;
    bool left;
    std::vector<QString> messages;
};

void PrintTo(const LeaveCase& c, std::ostream* out) {
    *out << c.name;
}

class Leaving : public UnsavedCorrections, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(Leaving, AsksOnlyWhenCorrectionsAreUnsaved) {
    const LeaveCase& c = GetParam();
    if (!c.answers.empty()) {
        CommitACorrection();
    }
    platform.WillAnswer(c.answers);
    platform.FailWrites(c.failSave);
    for (std::size_t tries = 0; tries < std::max<std::size_t>(1, c.answers.size()); ++tries) {
        if (c.how == Leave::Switch) {
            OpenFile(QLatin1String(kTyger));
        } else {
            c.how == Leave::Exit ? form->exitAction->trigger() : void(form->close());
        }
    }
    EXPECT_EQ(platform.MessageTexts(), c.messages);
    // Only a Yes that could write saves the corrections.
    const bool saved = !c.failSave && std::ranges::count(c.answers, Answer::Yes) > 0;
    EXPECT_EQ(SonnetSaved(), saved);
    // A switch that happens moves the memory file on to the new file.
    if (!saved && (c.how != Leave::Switch || !c.left)) {
        ExpectFilesAsLoaded();
    }
    if (c.how != Leave::Switch) {
        EXPECT_EQ(!form->isVisible(), c.left);
        EXPECT_EQ(platform.Ended(), c.left && c.how == Leave::Exit);
    } else {
        EXPECT_EQ(form->Work().Settings().WorkingFileName(), c.left ? kTyger : kSonnet);
        // A switch that does not happen leaves the typed name in the box.
        EXPECT_EQ(form->fileNameBox->text().toStdString(), kTyger);
    }
    if (!c.left) {
        EXPECT_EQ(Title(), "Corvale*");
        EXPECT_TRUE(form->Work().Doc().IsModified());
        EXPECT_EQ(form->Work().Doc().Stress(1, 1), "2");
        EXPECT_EQ(Progress(), "2/14");
    }
}

std::vector<LeaveCase> LeaveCases() {
    using enum Answer;
    using enum Leave;
    const QString& q = kQuestion;
    return {
        // Exit withdrawn, then ended: the window closes without a third question.
        {"ExitNoAfterWithdrawnClosesAskingNoMore", Exit, {Withdrawn, No}, false, true, {q, q}},
        {"CloseWithNothingUnsaved", CloseBox, {}, false, true, {}},
        {"CloseYesSaves", CloseBox, {Yes}, false, true, {q}},
        {"CloseNoWritesNothing", CloseBox, {No}, false, true, {q}},
        {"CloseWithdrawnStays", CloseBox, {Withdrawn}, false, false, {q}},
        {"CloseWithAFailedSaveStays", CloseBox, {Yes}, true, false, {q, kExitFailed}},
        {"CloseNoAfterAFailedSave", CloseBox, {Yes, No}, true, true, {q, kExitFailed, q}},
        {"SwitchYesSaves", Switch, {Yes}, false, true, {q}},
        {"SwitchNoDropsTheCorrections", Switch, {No}, false, true, {q}},
        {"SwitchWithdrawnStays", Switch, {Withdrawn}, false, false, {q}},
        {"SwitchWithAFailedSaveStays", Switch, {Yes}, true, false, {q, kSaveFailed}},
    };
}

INSTANTIATE_TEST_SUITE_P(Window, Leaving, ::testing::ValuesIn(LeaveCases()),
                         [](const ::testing::TestParamInfo<LeaveCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace corvale::test
