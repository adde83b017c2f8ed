#include "gui/LineEditorFixture.h"

#include "window/Layout.h"

#include <QLineEdit>

#include <string>
#include <vector>

namespace corvale::test {
namespace {

constexpr char kWriteFailed[] =
    "I couldn't write RememberEarlierRun.txt, so I have stayed with the file you are working "
    "on.  Perhaps the folder is read-only, or RememberEarlierRun.txt is open in another "
    "program.";
// The default pitch of sonnet18's eleven columns: 13000 / 11, rounded.
constexpr int kSonnetSpacing = 1182;

// sonnet18 has 14 verse lines of up to 11 syllables; tyger 24 lines of up to 8.
class SwitchFile : public LineEditorFixture {
protected:
    void SetUp() override {
        UseSample("sonnet18", kSonnet);
        platform.WriteFile(kTyger, SampleFile("tyger", kTyger));
        ASSERT_TRUE(Start());
    }
    std::string LineText() const { return form->lineTextLabel->text().toStdString(); }
    std::string FileBox() const { return form->fileNameBox->text().toStdString(); }
    // A poem whose only verse line has `count` syllables s1, s2, ...
    static std::string WidePoem(int count) {
        Verse verse{"wide", {}, {}, {}, ""};
        for (int i = 1; i <= count; ++i) {
            verse.syllables.push_back("s" + std::to_string(i));
            verse.stresses.push_back("1");
            verse.junctures.push_back("2");
        }
        return ScansionFile({verse});
    }
};

TEST_F(SwitchFile, NewFileOpensAtTheLineThatWasOnScreen) {
    GoTo(QStringLiteral("5"));
    OpenFile(QLatin1String(kTyger));

    EXPECT_EQ(Progress(), "5/24");
    EXPECT_EQ(LineText(), "In what distant deeps or skies.");
    EXPECT_EQ(FileBox(), kTyger);
    EXPECT_EQ(form->Work().Settings().WorkingFileName(), kTyger);
    EXPECT_EQ(platform.ReadFile(kMemory),
              MemoryFile(kTyger, "5", "4", "1", "4", "1", std::to_string(kSonnetSpacing)));
    // The grid keeps its eleven columns; the ones tyger does not use are hidden.
    EXPECT_EQ(form->Work().Doc().Positions(), 11);
    EXPECT_EQ(form->Grid().Columns(), 11);
    EXPECT_TRUE(CellShown("syllableBoxes", 7));
    EXPECT_FALSE(CellShown("syllableBoxes", 8));
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(SwitchFile, ShorterFileOpensAtItsLastLine) {
    const Verse verse{"only", {"on", "ly"}, {"3", "1"}, {"1", "4"}, ""};
    platform.WriteFile("short.txt", ScansionFile({verse, verse, verse}));
    GoTo(QStringLiteral("12"));
    OpenFile(QStringLiteral("short.txt"));
    EXPECT_EQ(Progress(), "3/3");
    EXPECT_EQ(CellText("syllableBoxes", 2), "ly");
    EXPECT_EQ(form->nextLineTextLabel->text(), QString());
}

TEST_F(SwitchFile, SurroundingSpacesAreTrimmed) {
    OpenFile(QStringLiteral("  tyger.txt  "));
    EXPECT_EQ(FileBox(), kTyger);
    EXPECT_EQ(form->Work().Settings().WorkingFileName(), kTyger);
    EXPECT_EQ(LineText(), "Tyger Tyger, burning bright,");
    // The memory file holds the name as typed; reading it back trims it.
    const std::string memory = platform.ReadFile(kMemory);
    EXPECT_EQ(memory.substr(0, memory.find("Last line")), "Filename:\r\n  tyger.txt  \r\n");
}

TEST_F(SwitchFile, CommittedEditsAreGoneAfterSwitchingAwayAndBack) {
    ClickCell("stressUpButtons", 1);
    Click(QStringLiteral("commitLineButton"));
    ASSERT_EQ(form->Work().Doc().Stress(1, 1), "2");
    platform.WillAnswer({Answer::No});
    OpenFile(QLatin1String(kTyger));
    EXPECT_EQ(Progress(), "2/24");
    GoTo(QStringLiteral("4"));
    OpenFile(QLatin1String(kSonnet));

    EXPECT_EQ(Progress(), "4/14");
    EXPECT_EQ(form->Work().Doc().Stress(1, 1), "1");
    EXPECT_EQ(platform.ReadFile(kSonnet), SampleFile("sonnet18", kSonnet));
}

TEST_F(SwitchFile, ReopeningTheSameFileDropsUnsavedWork) {
    ClickCell("mergeButtons", 1);
    Click(QStringLiteral("commitLineButton"));
    ClickCell("stressUpButtons", 1);
    platform.WillAnswer({Answer::No});
    form->openFileAction->trigger();
    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>{"Save changes?"});
    EXPECT_EQ(Progress(), "2/14");
    EXPECT_EQ(form->Work().Doc().Syllable(1, 1), "Shall");
    EXPECT_EQ(CellText("stressBoxes", 1), "1");
}

TEST_F(SwitchFile, MemoryFileThatCannotBeWrittenChangesNothing) {
    GoTo(QStringLiteral("3"));
    ClickCell("stressUpButtons", 2);
    const std::string memoryBefore = platform.ReadFile(kMemory);
    platform.FailWrites(true);
    platform.WillAnswer({Answer::No, Answer::No});  // the step on screen is asked about, twice
    OpenFile(QLatin1String(kTyger));

    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<QString>{"Save changes?", QString::fromLatin1(kWriteFailed)}));
    EXPECT_EQ(form->Work().Settings().WorkingFileName(), kSonnet);
    EXPECT_EQ(Progress(), "3/14");
    EXPECT_EQ(CellText("stressBoxes", 2), "4");
    EXPECT_EQ(form->Work().Doc().NumberOfLines(), 14);
    EXPECT_EQ(platform.ReadFile(kMemory), memoryBefore);
    EXPECT_FALSE(platform.Ended());

    platform.FailWrites(false);
    form->openFileAction->trigger();
    EXPECT_EQ(FileBox(), kTyger);
    EXPECT_EQ(Progress(), "3/24");
}

TEST_F(SwitchFile, WiderFileGetsNewColumnsInTheCurrentBlockOrder) {
    platform.WriteFile("wide.txt", WidePoem(14));
    ClickLabel(form->Grid().junctureHeading);
    OpenFile(QStringLiteral("wide.txt"));

    ASSERT_EQ(form->Work().Doc().Positions(), 14);
    ASSERT_EQ(form->Grid().Columns(), 14);
    EXPECT_EQ(form->Work().Settings().Spacing(), kSonnetSpacing);
    for (int i = 1; i <= 14; ++i) {
        EXPECT_EQ(CellText("syllableBoxes", i), "s" + std::to_string(i));
        EXPECT_TRUE(CellShown("syllableBoxes", i)) << i;
    }
    for (int i = 12; i <= 14; ++i) {
        SCOPED_TRACE(i);
        const auto place = placement::PlaceOf(form->Grid().syllableBoxes(i));
        const auto expected =
            layout::CellRect(layout::CellArray::SyllableBoxes, i, kSonnetSpacing, 14);
        EXPECT_EQ(place.left, expected.left);
        EXPECT_EQ(place.width, expected.width);
        EXPECT_EQ(TopOf(Cell("junctureBoxes", i)), layout::kUpperSlot.box);
        EXPECT_EQ(TopOf(Cell("stressDownButtons", i)), layout::kLowerSlot.down);
    }
    EXPECT_FALSE(CellShown("mergeButtons", 14));
    // The new columns work like the others.
    ClickCell("stressUpButtons", 13);
    EXPECT_EQ(CellText("stressBoxes", 13), "2");
    ClickCell("mergeButtons", 13);
    EXPECT_EQ(CellText("syllableBoxes", 13), "s13 s14");
    EXPECT_FALSE(CellShown("syllableBoxes", 14));
}

TEST_F(SwitchFile, WiderFileAfterTheStressHeadingKeepsTheDesignedOrder) {
    platform.WriteFile("wide.txt", WidePoem(12));
    ClickLabel(form->Grid().junctureHeading);
    ClickLabel(form->Grid().stressHeading);
    OpenFile(QStringLiteral("wide.txt"));
    ASSERT_EQ(form->Grid().Columns(), 12);
    EXPECT_EQ(TopOf(Cell("stressBoxes", 12)), layout::kUpperSlot.box);
    EXPECT_EQ(TopOf(Cell("junctureBoxes", 12)), layout::kLowerSlot.box);
}

// Far wider than any verse line: refused before anything changes, and the work goes on.
TEST_F(SwitchFile, TooWideFileIsRefusedAndTheCurrentFileStays) {
    platform.WriteFile("wide.txt", WidePoem(1001));
    GoTo(QStringLiteral("6"));
    ClickCell("stressUpButtons", 2);
    platform.WillAnswer({Answer::No});  // to the question about the step on screen
    OpenFile(QStringLiteral("wide.txt"));

    ASSERT_EQ(platform.Messages().size(), 2u);
    EXPECT_TRUE(platform.Messages()[1].text.contains("more than 1000 syllables"));
    EXPECT_FALSE(platform.Ended());
    EXPECT_EQ(form->Work().Settings().WorkingFileName(), kSonnet);
    EXPECT_EQ(Progress(), "6/14");
    EXPECT_EQ(CellText("stressBoxes", 2), "4") << "the uncommitted step is still on screen";
    EXPECT_EQ(form->Grid().Columns(), 11);
    EXPECT_EQ(FileBox(), "wide.txt");
    EXPECT_EQ(platform.ReadFile(kMemory),
              MemoryFile(kSonnet, "6", "4", "1", "4", "1", std::to_string(kSonnetSpacing)));
}

TEST_F(SwitchFile, HeadingClickAfterANarrowerFileMovesEveryColumn) {
    // tyger needs 8 positions but the store keeps 11, so all eleven columns follow a click.
    OpenFile(QLatin1String(kTyger));
    ClickLabel(form->Grid().junctureHeading);
    EXPECT_EQ(TopOf(Cell("junctureBoxes", 11)), layout::kUpperSlot.box);
}

TEST_F(SwitchFile, ExitWithNoAfterASwitchStillResumesInTheNewFile) {
    GoTo(QStringLiteral("6"));
    OpenFile(QLatin1String(kTyger));
    platform.WillAnswer({Answer::No});
    Click(QStringLiteral("exitButton"));
    EXPECT_TRUE(platform.Ended());
    EXPECT_EQ(platform.ReadFile(kMemory),
              MemoryFile(kTyger, "6", "4", "1", "4", "1", std::to_string(kSonnetSpacing)));
    EXPECT_EQ(platform.ReadFile(kSonnet), SampleFile("sonnet18", kSonnet));
}

TEST_F(SwitchFile, MissingFileFallsBackToInTxt) {
    platform.WriteFile("in.txt", SampleFile("tyger", kTyger));
    OpenFile(QStringLiteral("nosuch.txt"));
    ASSERT_EQ(platform.Messages().size(), 1U);
    EXPECT_TRUE(platform.Messages()[0].text.startsWith(QStringLiteral("Caution:")));
    EXPECT_EQ(FileBox(), "in.txt");
    EXPECT_EQ(Progress(), "1/24");
}

TEST_F(SwitchFile, NameOfNoFileAtAllKeepsTheScreenOnARowTheStoreHas) {
    GoTo(QStringLiteral("5"));
    OpenFile(QStringLiteral("nosuch.txt"));
    EXPECT_EQ(platform.Messages().size(), 2U);
    EXPECT_FALSE(platform.Ended());
    EXPECT_GE(form->Work().CurrentLine(), 0);
    EXPECT_LE(form->Work().CurrentLine(), form->Work().Doc().NumberOfLines());
    EXPECT_EQ(Progress(), std::to_string(form->Work().CurrentLine()) + "/" +
                              std::to_string(form->Work().Doc().NumberOfLines()));
}

}  // namespace
}  // namespace corvale::test
