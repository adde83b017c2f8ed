#include "gui/LineEditorFixture.h"

#include "navigation/GoTo.h"

#include <QLineEdit>

#include <string>
#include <vector>

namespace corvale::test {
namespace {

class Navigation : public LineEditorFixture {
protected:
    void SetUp() override {
        UseSample("sonnet18", kSonnet);
        originalPoem = platform.ReadFile(kSonnet);
        originalMemory = platform.ReadFile(kMemory);
        ASSERT_TRUE(Start());
        ASSERT_EQ(Progress(), "1/14");
    }
    void ExpectFilesUntouched() const {
        EXPECT_EQ(platform.ReadFile(kSonnet), originalPoem);
        EXPECT_EQ(platform.ReadFile(kMemory), originalMemory);
    }
    std::string LineText() const { return form->lineTextLabel->text().toStdString(); }

    std::string originalPoem;
    std::string originalMemory;
};

// ---- commit and undo ------------------------------------------------------------------------

TEST_F(Navigation, CommitShowsTheNextLineAndKeepsTheEdits) {
    ClickCell("stressUpButtons", 1);
    ClickCell("junctureDownButtons", 1);
    TypeComment(QStringLiteral("opening spondee?"));
    Click(QStringLiteral("commitLineButton"));

    EXPECT_EQ(Progress(), "2/14");
    EXPECT_EQ(LineText(), kSonnetLine2);
    EXPECT_EQ(Comment(), "");
    EXPECT_EQ(form->Work().Doc().Stress(1, 1), "2");
    EXPECT_EQ(form->Work().Doc().Juncture(1, 1), "1");
    EXPECT_EQ(form->Work().Doc().Comment(1), "opening spondee?");

    Click(QStringLiteral("backOneButton"));
    EXPECT_EQ(CellText("stressBoxes", 1), "2");
    EXPECT_EQ(CellText("junctureBoxes", 1), "1");
    EXPECT_EQ(Comment(), "opening spondee?");
    ExpectFilesUntouched();
}

TEST_F(Navigation, BothSaveButtonsDoTheSame) {
    for (const char* button : {"commitLineButton", "commitLineTopButton"}) {
        const int line = form->Work().CurrentLine();
        ClickCell("stressUpButtons", 2);
        TypeComment(QLatin1String(button));
        Click(QLatin1String(button));
        EXPECT_EQ(form->Work().CurrentLine(), line + 1) << button;
        EXPECT_EQ(form->Work().Doc().Stress(line, 2), line == 1 ? "2" : "4") << button;
        EXPECT_EQ(form->Work().Doc().Comment(line), button);
    }
}

TEST_F(Navigation, RedoRightAfterDisplayChangesNothing) {
    std::vector<std::string> before;
    std::vector<bool> shownBefore;
    for (int i = 1; i <= form->Work().Doc().Positions(); ++i) {
        before.push_back(CellText("syllableBoxes", i) + "|" + CellText("stressBoxes", i));
        shownBefore.push_back(CellShown("mergeButtons", i));
    }
    Click(QStringLiteral("reloadLineButton"));
    for (int i = 1; i <= form->Work().Doc().Positions(); ++i) {
        const auto at = static_cast<std::size_t>(i - 1);
        EXPECT_EQ(CellText("syllableBoxes", i) + "|" + CellText("stressBoxes", i), before[at]);
        EXPECT_EQ(CellShown("mergeButtons", i), shownBefore[at]) << i;
    }
    EXPECT_EQ(Progress(), "1/14");
}

TEST_F(Navigation, RedoPutsBackTheStoredComment) {
    TypeComment(QStringLiteral("a thought"));
    ASSERT_EQ(Comment(), "a thought");
    Click(QStringLiteral("reloadLineButton"));
    EXPECT_EQ(Comment(), "");
    EXPECT_EQ(form->Work().Doc().Comment(1), "");
}

TEST_F(Navigation, CommitOnRowZeroWritesThatRowAndShowsLineOne) {
    GoTo(QString());
    ASSERT_EQ(Progress(), "0/14");
    TypeComment(QStringLiteral("nowhere"));
    Click(QStringLiteral("commitLineButton"));
    EXPECT_EQ(Progress(), "1/14");
    EXPECT_EQ(form->Work().Doc().Comment(0), "nowhere");
    EXPECT_EQ(form->Work().Doc().Comment(1), "");
}

TEST_F(Navigation, CommittingTheLastLineAndAnsweringYesSavesBothFiles) {
    GoTo(QStringLiteral("14"));
    ClickCell("stressUpButtons", 1);
    platform.WillAnswer({Answer::Yes});
    Click(QStringLiteral("commitLineButton"));

    ASSERT_EQ(platform.MessageTexts(), (std::vector<QString>{QStringLiteral("Save changes?")}));
    EXPECT_TRUE(platform.Ended());
    std::string expected = originalPoem;
    const std::string row = "14\tstress\tSo long lives this, and this gives life to thee.\t";
    const auto at = expected.find(row + "1\t3");
    ASSERT_NE(at, std::string::npos);
    expected[at + row.size()] = '2';
    EXPECT_EQ(platform.ReadFile(kSonnet), expected);
    EXPECT_EQ(platform.ReadFile(kMemory), MemoryFile(kSonnet, "14", "4", "1", "4", "1", "1182"));
}

TEST_F(Navigation, CommittingTheLastLineAndAnsweringNoWritesNothing) {
    GoTo(QStringLiteral("14"));
    ClickCell("stressUpButtons", 1);
    platform.WillAnswer({Answer::No});
    Click(QStringLiteral("commitLineTopButton"));
    EXPECT_TRUE(platform.Ended());
    ExpectFilesUntouched();
    // The correction's safety copy went with the No.
    EXPECT_EQ(platform.FileNames(), (std::vector<std::string>{kMemory, "meter.txt", kSonnet}));
}

TEST_F(Navigation, FailedSaveAfterTheLastLineKeepsTheCommitAndTheLine) {
    GoTo(QStringLiteral("14"));
    ClickCell("stressUpButtons", 1);
    platform.FailWrites(true);
    platform.WillAnswer({Answer::Yes});
    Click(QStringLiteral("commitLineButton"));
    EXPECT_FALSE(platform.Ended());
    // The failing disk keeps the safety copy from being written too, and says so first.
    ASSERT_EQ(platform.Messages().size(), 3U);
    EXPECT_TRUE(platform.Messages()[0].text.startsWith("Corvale cannot keep a safety copy"));
    EXPECT_EQ(platform.Messages()[1].text, "Save changes?");
    EXPECT_EQ(Progress(), "14/14");
    EXPECT_EQ(form->Work().Doc().Stress(14, 1), "2");
    ExpectFilesUntouched();
}

TEST_F(Navigation, CloseBoxWithNothingUnsavedEndsWithoutAskingOrWriting) {
    Click(QStringLiteral("commitLineButton"));  // a commit that changes nothing
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(platform.WriteCount(), 0);
    ExpectFilesUntouched();
}

// ---- back and ahead -------------------------------------------------------------------------

TEST_F(Navigation, BackOnTheFirstLineKeepsUncommittedChanges) {
    ClickCell("stressUpButtons", 1);
    Click(QStringLiteral("backOneButton"));
    EXPECT_EQ(Progress(), "1/14");
    EXPECT_EQ(CellText("stressBoxes", 1), "2");
    EXPECT_EQ(form->Line().Stress(1), "2");
}

TEST_F(Navigation, AheadOnTheLastLineKeepsUncommittedChanges) {
    GoTo(QStringLiteral("14"));
    ClickCell("mergeButtons", 1);
    Click(QStringLiteral("aheadOneButton"));
    EXPECT_EQ(Progress(), "14/14");
    EXPECT_EQ(CellText("syllableBoxes", 1), "So long");
}

TEST_F(Navigation, MovingAwayDropsUncommittedChanges) {
    ClickCell("stressUpButtons", 1);
    TypeComment(QStringLiteral("lost"));
    Click(QStringLiteral("aheadOneButton"));
    EXPECT_EQ(LineText(), kSonnetLine2);
    EXPECT_EQ(form->nextLineTextLabel->text().toStdString(),
              "Rough winds do shake the darling buds of May,");
    Click(QStringLiteral("backOneButton"));
    EXPECT_EQ(CellText("stressBoxes", 1), "1");
    EXPECT_EQ(Comment(), "");
    EXPECT_EQ(form->Work().Doc().Stress(1, 1), "1");
}

// ---- go to ----------------------------------------------------------------------------------

struct GoToCase {
    const char* name;
    const char* typed;
    const char* progress;  // after the click
    bool refused;          // the message is shown and the box keeps the text
};

class GoToInput : public Navigation, public ::testing::WithParamInterface<GoToCase> {};

TEST_P(GoToInput, MovesOrRefuses) {
    const GoToCase& c = GetParam();
    GoTo(QStringLiteral("3"));
    ClickCell("stressUpButtons", 1);  // uncommitted; survives only a refusal
    GoTo(QString::fromUtf8(c.typed));

    EXPECT_EQ(Progress(), c.progress);
    if (c.refused) {
        EXPECT_EQ(platform.MessageTexts(),
                  (std::vector<QString>{QString::fromLatin1(navigation::kGoToMessage)}));
        EXPECT_EQ(form->Grid().goToBox->text().toStdString(), c.typed);
        EXPECT_EQ(CellText("stressBoxes", 1), "4");
    } else {
        EXPECT_TRUE(platform.Messages().empty());
        EXPECT_EQ(form->Grid().goToBox->text(), QString());
        EXPECT_LE(form->Work().CurrentLine(), form->Work().Doc().NumberOfLines());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Navigation, GoToInput,
    ::testing::Values(GoToCase{"SpacesAround", "  7  ", "7/14", false},
                      GoToCase{"LastLine", "14", "14/14", false},
                      GoToCase{"SameLineReloads", "3", "3/14", false},
                      GoToCase{"Empty", "", "0/14", false}, GoToCase{"Zero", "0", "0/14", false},
                      GoToCase{"DoubleZero", "00", "0/14", false},
                      GoToCase{"BeyondTheFile", "15", "14/14", false},
                      GoToCase{"HugeNumber", "12345678901234567890", "14/14", false},
                      GoToCase{"TrailingLetter", "7a", "3/14", true},
                      GoToCase{"Minus", "-7", "3/14", true}, GoToCase{"Plus", "+7", "3/14", true},
                      GoToCase{"Decimal", "7.5", "3/14", true}),
    [](const ::testing::TestParamInfo<GoToCase>& info) { return std::string(info.param.name); });

TEST_F(Navigation, GoingToTheLineOnScreenDropsItsChanges) {
    ClickCell("stressUpButtons", 1);
    GoTo(QStringLiteral("1"));
    EXPECT_EQ(CellText("stressBoxes", 1), "1");
}

TEST_F(Navigation, RowZeroHidesEveryColumnAndLeadsToLineOne) {
    GoTo(QStringLiteral("0"));
    for (int i = 1; i <= form->Work().Doc().Positions(); ++i) {
        EXPECT_FALSE(CellShown("syllableBoxes", i)) << i;
        EXPECT_FALSE(CellShown("stressUpButtons", i)) << i;
    }
    EXPECT_EQ(LineText(), "");
    Click(QStringLiteral("backOneButton"));
    EXPECT_EQ(Progress(), "0/14");
    Click(QStringLiteral("aheadOneButton"));
    EXPECT_EQ(Progress(), "1/14");
    EXPECT_EQ(LineText(), "Shall I compare thee to a summer's day?");
}

}  // namespace
}  // namespace corvale::test
