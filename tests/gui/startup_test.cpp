#include "GridFixture.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace corvale::test {
namespace {

const QString kNotFound =
    "Caution:  the file listed in RememberEarlierRun cannot be found.  Please enter a "
    "legitimate file name in the box at the bottom of the interface.";
const QString kNothingToOpen =
    "Can't find a file to open; please edit RememberEarlierRun.txt, installing a legitimate "
    "file name on the first line.";
const QString kNoFileHint = "Scan a poem (Ctrl+Shift+O) or open a scansion file (Ctrl+O)";

using StartupTest = GridFixture;

TEST_F(StartupTest, ShowsTheRememberedLineWithEveryPatternHidden) {
    ASSERT_TRUE(StartWith({Plain(3, "one"), Plain(4, "two"), Plain(2, "three")}, "W\tS", "0", "2"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(form->Work().CurrentLine(), 2);
    EXPECT_EQ(form->lineTextLabel->text(), "two");
    EXPECT_EQ(form->progressLabel->text(), "2/3");
    EXPECT_EQ(form->fileNameBox->text(), "poem.txt");
    for (const char* array :
         {"meterLabels", "syllableBoxes", "mergeButtons", "stressBoxes", "junctureBoxes",
          "junctureDownButtons", "junctureUpButtons", "stressDownButtons", "stressUpButtons"}) {
        EXPECT_FALSE(Shown(Cell(array, 0))) << array;
    }
}

// corvale --check-start decides and reports only: a junk journal is reported kept, not renamed,
// and the recent list is not rewritten.
TEST_F(StartupTest, ACheckOfTheStartWritesNothing) {
    WritePoem({Plain(2)}, "W\tS");
    platform.WriteFile(".poem.txt.corvale-journal", "junk\r\n");
    platform.WriteNothing();
    ASSERT_TRUE(Start());
    EXPECT_EQ(platform.Messages().size(), 1u);
    EXPECT_TRUE(platform.Exists(".poem.txt.corvale-journal"));
    EXPECT_FALSE(platform.Exists("poem.txt.unsaved-corrections.txt"));
    EXPECT_TRUE(QDir(platform.UserFolder()).isEmpty());
}

TEST_F(StartupTest, SpacingDefaultIsKeptForTheMemoryFile) {
    ASSERT_TRUE(StartWith({Plain(16)}));
    EXPECT_EQ(form->Work().Settings().Spacing(), 812);
}

TEST_F(StartupTest, MissingFileFallsBackToInTxt) {
    WritePoem({Plain(2)}, "W\tS");
    platform.WriteFile("RememberEarlierRun.txt", MemoryFile("gone.txt", "1"));
    platform.WriteFile("in.txt", ScansionFile({Plain(5, "fallback")}));
    ASSERT_TRUE(Start());
    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>{kNotFound});
    EXPECT_EQ(form->fileNameBox->text(), "in.txt");
    EXPECT_EQ(form->Grid().Columns(), 5);
    EXPECT_EQ(form->lineTextLabel->text(), "fallback");
}

TEST_F(StartupTest, BadRecordEndsStartUpBeforeTheMeterIsLookedFor) {
    platform.WriteFile("RememberEarlierRun.txt", MemoryFile("gone.txt", "1"));
    std::string file = ScansionFile({Plain(2), Plain(2)});
    file.replace(file.find("2\tstress"), 8, "2\tstrss");
    platform.WriteFile("in.txt", file);
    EXPECT_FALSE(Start());
    const auto messages = platform.MessageTexts();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], kNotFound);
    EXPECT_TRUE(
        messages[1].startsWith("Caution:  your input file contains what looks like a "
                               "bad line, because it doesn't include the word [stress]."))
        << messages[1].toStdString();
    EXPECT_TRUE(platform.Ended());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->Grid().Columns(), 0);
}

// The meter's box is startup/'s to test; here, what the window does once it is cancelled.
TEST_F(StartupTest, AFileLeftWithoutAMeterOpensTheWindowWithNoFile) {
    platform.WriteFile(kPoem, ScansionFile({Plain(2), Plain(3), Plain(4)}));
    platform.WriteFile("RememberEarlierRun.txt", MemoryFile(kPoem, "1"));
    platform.WillPick({2});
    ASSERT_TRUE(Start());
    EXPECT_EQ(platform.Messages().size(), 1U);
    EXPECT_EQ(form->Work().Doc().NumberOfLines(), 0);
    EXPECT_EQ(form->fileNameBox->text(), "");
    EXPECT_EQ(form->lineTextLabel->text(), kNoFileHint);
    EXPECT_FALSE(form->commitLineButton->isEnabled());
    EXPECT_FALSE(form->Keys().Find(u"goToLineAction")->isEnabled());
    EXPECT_TRUE(form->scanPoemAction->isEnabled());
}

TEST_F(StartupTest, NoMemoryFileAndNoScansionFileOpensAnEmptyWindow) {
    platform.WriteFile("meter.txt", Rows({"W\tS"}));
    ASSERT_TRUE(Start());
    // Without a memory file there is no name to complain about.
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Work().Doc().NumberOfLines(), 0);
    EXPECT_EQ(form->Work().Doc().Positions(), 0);
    EXPECT_EQ(form->Grid().Columns(), 0);
    EXPECT_EQ(form->Work().Settings().Spacing(), 0);
    EXPECT_EQ(form->Work().CurrentLine(), 0);
    EXPECT_EQ(form->progressLabel->text(), "0/0");
    EXPECT_EQ(form->lineTextLabel->text(), kNoFileHint);
    EXPECT_EQ(form->nextLineTextLabel->text(), "");
    EXPECT_EQ(form->fileNameBox->text(), "");
}

TEST_F(StartupTest, NamedFileAndInTxtBothMissingOpensAnEmptyWindow) {
    platform.WriteFile("meter.txt", Rows({"W\tS"}));
    platform.WriteFile("RememberEarlierRun.txt", MemoryFile("gone.txt", "7"));
    ASSERT_TRUE(Start());
    EXPECT_EQ(platform.MessageTexts(), (std::vector<QString>{kNotFound, kNothingToOpen}));
    EXPECT_EQ(form->fileNameBox->text(), "gone.txt");
    EXPECT_EQ(form->Work().CurrentLine(), 0);
    EXPECT_EQ(form->progressLabel->text(), "0/0");
}

TEST_F(StartupTest, RememberedLineBeyondTheFileShowsTheLastLine) {
    ASSERT_TRUE(StartWith({Plain(2, "first"), Plain(2, "last")}, "W\tS", "0", "250"));
    EXPECT_EQ(form->Work().CurrentLine(), 2);
    EXPECT_EQ(form->lineTextLabel->text(), "last");
    EXPECT_EQ(form->progressLabel->text(), "2/2");
}

TEST_F(StartupTest, UnreadableLineNumberStartsAtTheFirstLine) {
    ASSERT_TRUE(StartWith({Plain(2, "first"), Plain(2, "second")}, "W\tS", "0", "2a"));
    EXPECT_EQ(form->Work().CurrentLine(), 1);
    EXPECT_EQ(form->lineTextLabel->text(), "first");
}

TEST_F(StartupTest, RememberedLineZeroShowsTheEmptyRow) {
    ASSERT_TRUE(StartWith({Plain(2, "first")}, "W\tS", "0", "0"));
    EXPECT_EQ(form->Work().CurrentLine(), 0);
    EXPECT_EQ(form->progressLabel->text(), "0/1");
    EXPECT_EQ(form->nextLineTextLabel->text(), "first");
}

TEST_F(StartupTest, NoSyllablePositionsCreatesNoColumn) {
    const Verse bare{"a bare line", {}, {}, {}, ""};
    ASSERT_TRUE(StartWith({bare}, "W\tS", "900"));
    EXPECT_EQ(form->Work().Doc().Positions(), 0);
    EXPECT_EQ(form->Work().Settings().Spacing(), 900);
    EXPECT_EQ(form->Grid().Columns(), 0);
    EXPECT_FALSE(Shown("syllableBoxes(0)"));
    EXPECT_FALSE(Shown("meterLabels(0)"));
    EXPECT_EQ(form->lineTextLabel->text(), "a bare line");
    EXPECT_EQ(form->progressLabel->text(), "1/1");
}

TEST_F(StartupTest, NoSyllablePositionsAndNoSpacingLeavesTheSpacingZero) {
    const Verse bare{"a bare line", {}, {}, {}, ""};
    ASSERT_TRUE(StartWith({bare}, "W\tS", "0"));
    EXPECT_EQ(form->Work().Settings().Spacing(), 0);
    EXPECT_EQ(form->Grid().Columns(), 0);
}

TEST_F(StartupTest, FileNameInWindowsCodePageIsShown) {
    // The memory file holds the name in the Windows code page; the disk holds it in UTF-8.
    platform.WriteFile("ch\xC3\xA2teau.txt", ScansionFile({Plain(2)}));
    platform.WriteFile("meter.txt", Rows({"W\tS"}));
    platform.WriteFile("RememberEarlierRun.txt", MemoryFile("ch\xE2teau.txt", "1"));
    ASSERT_TRUE(Start());
    EXPECT_EQ(form->fileNameBox->text(), QString::fromUtf8("ch\xC3\xA2teau.txt"));
    EXPECT_EQ(form->Grid().Columns(), 2);
}

TEST_F(StartupTest, BundledSampleOpens) {
    UseSample("sonnet18", "sonnet18.txt");
    ASSERT_TRUE(Start());
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(form->Work().Doc().NumberOfLines(), 14);
    EXPECT_EQ(form->lineTextLabel->text(), "Shall I compare thee to a summer's day?");
    EXPECT_EQ(form->progressLabel->text(), "1/14");
    EXPECT_EQ(form->Grid().syllableBoxes(3)->text(), "com");
}

// A wider file opened later gets the missing columns, built like those of start-up.
TEST_F(StartupTest, LaterColumnsAreBuiltLikeTheFirst) {
    ASSERT_TRUE(StartWith({Plain(3)}, "W\tS\tW\tS", "4500"));
    form->Work().Doc().Widen(5);
    form->BuildCellColumns(4, 5);
    ASSERT_EQ(form->Grid().Columns(), 5);
    EXPECT_EQ(Twips("mergeButtons(5)"), QRectF(22150, 1800, 495, 255));
    EXPECT_TRUE(Shown("stressBoxes(5)"));
    EXPECT_EQ(form->Grid().meterLabels(4)->text(), "S");
    EXPECT_TRUE(form->Grid().meterLabels(4)->font().bold());
    EXPECT_FALSE(Shown("meterLabels(5)"));
    EXPECT_EQ(form->Grid().junctureBoxes(5)->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(form->Grid().junctureBoxes(4)->accessibleName(), "Juncture 4");
    form->BuildCellColumns(4, 5);  // nothing left to build
    EXPECT_EQ(form->Grid().Columns(), 5);
}

}  // namespace
}  // namespace corvale::test
