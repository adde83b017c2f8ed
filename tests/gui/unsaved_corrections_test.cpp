// Leaving a file with unsaved corrections: the title's "*", the close box, the switch to
// another file and Save, as a person meets them in the window.

#include "gui/LineEditorFixture.h"

#include <QAction>
#include <QWindow>

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
        ClickCell("cmdStressUp", 1);
        Click(QStringLiteral("cmdOk"));
        ASSERT_TRUE(form->IsModified());
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
    ClickCell("cmdStressUp", 1);
    EXPECT_EQ(Title(), "Corvale") << "a step alone is not a correction yet";
    Click(QStringLiteral("cmdOk"));
    EXPECT_EQ(Title(), "Corvale*");
    form->mnuSave->trigger();
    EXPECT_EQ(Title(), "Corvale");
    EXPECT_EQ(Progress(), "2/14");
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(UnsavedCorrections, UntouchedCommentIsCommittedAsTheBytesItWas) {
    // A no-break space, which the comment box would give back as a plain space.
    const std::string comment = "half\xc2\xa0time";
    form->GetStore().SetComment(1, comment);
    Click(QStringLiteral("cmdUndo"));
    Click(QStringLiteral("cmdOk"));
    EXPECT_EQ(form->Comments(1), comment);
    EXPECT_FALSE(form->IsModified());
}

// ---- the close box -------------------------------------------------------------------------

struct CloseCase {
    const char* name;
    bool correct;   // commit a correction first
    Answer answer;  // to "Save changes?", when asked
    bool failSave;
    bool closes;
    std::vector<QString> messages;
    bool saved;
};

void PrintTo(const CloseCase& c, std::ostream* out) {
    *out << c.name;
}

class CloseBox : public UnsavedCorrections, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseBox, AsksOnlyWhenCorrectionsAreUnsaved) {
    const CloseCase& c = GetParam();
    if (c.correct) {
        CommitACorrection();
        platform.WillAnswer({c.answer});
    }
    platform.FailWrites(c.failSave);
    form->close();
    EXPECT_EQ(!form->isVisible(), c.closes);
    EXPECT_EQ(platform.MessageTexts(), c.messages);
    EXPECT_EQ(SonnetSaved(), c.saved);
    if (!c.saved) {
        ExpectFilesAsLoaded();
    }
    EXPECT_EQ(form->IsModified(), c.correct && !c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Window, CloseBox,
    ::testing::Values(
        CloseCase{"NothingUnsavedClosesAtOnce", false, Answer::Yes, false, true, {}, false},
        CloseCase{"YesSavesAndCloses", true, Answer::Yes, false, true, {kQuestion}, true},
        CloseCase{"NoClosesWithoutWriting", true, Answer::No, false, true, {kQuestion}, false},
        CloseCase{
            "WithdrawnKeepsTheWindow", true, Answer::Withdrawn, false, false, {kQuestion}, false},
        CloseCase{"FailedSaveKeepsTheWindow",
                  true,
                  Answer::Yes,
                  true,
                  false,
                  {kQuestion, kExitFailed},
                  false}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return info.param.name; });

TEST_F(UnsavedCorrections, AfterAFailedSaveTheCloseBoxStillGivesUpOnNo) {
    CommitACorrection();
    platform.FailWrites(true);
    platform.WillAnswer({Answer::Yes, Answer::No});
    form->close();
    ASSERT_TRUE(form->isVisible());
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(platform.MessageTexts(), (std::vector<QString>{kQuestion, kExitFailed, kQuestion}));
    ExpectFilesAsLoaded();
}

TEST_F(UnsavedCorrections, ExitWithdrawnKeepsEverythingAndClosingAfterExitDoesNotAskAgain) {
    CommitACorrection();
    platform.WillAnswer({Answer::Withdrawn});
    form->mnuExit->trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(platform.Ended());
    EXPECT_TRUE(form->IsModified());

    // Once Exit has ended the program, the window closes without a second question.
    platform.WillAnswer({Answer::No});
    form->mnuExit->trigger();
    EXPECT_TRUE(platform.Ended());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(platform.MessageTexts(), (std::vector<QString>{kQuestion, kQuestion}));
    ExpectFilesAsLoaded();
}

TEST_F(UnsavedCorrections, LastLineCommitWithdrawnStaysOnTheCommittedLine) {
    GoTo(QStringLiteral("14"));
    ClickCell("cmdStressUp", 1);
    platform.WillAnswer({Answer::Withdrawn});
    Click(QStringLiteral("cmdOk"));
    EXPECT_EQ(Progress(), "14/14");
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->IsModified());
    ExpectFilesAsLoaded();
}

// ---- switching to another file -------------------------------------------------------------

struct SwitchCase {
    const char* name;
    Answer answer;
    bool failSave;
    bool switches;
    std::vector<QString> messages;
    bool saved;
};

void PrintTo(const SwitchCase& c, std::ostream* out) {
    *out << c.name;
}

class SwitchGuard : public UnsavedCorrections, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(SwitchGuard, AsksBeforeDroppingCorrections) {
    const SwitchCase& c = GetParam();
    CommitACorrection();
    platform.WillAnswer({c.answer});
    platform.FailWrites(c.failSave);
    OpenFile(QLatin1String(kTyger));
    EXPECT_EQ(platform.MessageTexts(), c.messages);
    EXPECT_EQ(form->WorkingFileName, c.switches ? kTyger : kSonnet);
    EXPECT_EQ(form->NumberOfLines, c.switches ? 24 : 14);
    // A switch that does not happen leaves the typed name in the box.
    EXPECT_EQ(form->txtFileName->text().toStdString(), kTyger);
    EXPECT_EQ(SonnetSaved(), c.saved);
    EXPECT_EQ(form->IsModified(), !c.switches);
    if (!c.switches) {
        EXPECT_EQ(form->Stresses(1, 1), "2");
        EXPECT_EQ(Progress(), "2/14");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Window, SwitchGuard,
    ::testing::Values(
        SwitchCase{"YesSavesThenSwitches", Answer::Yes, false, true, {kQuestion}, true},
        SwitchCase{"NoSwitchesDroppingCorrections", Answer::No, false, true, {kQuestion}, false},
        SwitchCase{"WithdrawnStays", Answer::Withdrawn, false, false, {kQuestion}, false},
        SwitchCase{"FailedSaveStays", Answer::Yes, true, false, {kQuestion, kSaveFailed}, false}),
    [](const ::testing::TestParamInfo<SwitchCase>& info) { return info.param.name; });

TEST_F(UnsavedCorrections, SwitchWithNothingUnsavedAsksNothing) {
    Click(QStringLiteral("cmdOk"));
    OpenFile(QLatin1String(kTyger));
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(form->WorkingFileName, kTyger);
}

}  // namespace
}  // namespace corvale::test
