#include "GridFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace corvale::test {
namespace {

// The seven controls of a column that follow its syllable.
const std::vector<const char*> kColumnControls = {
    "syllableBoxes",     "stressBoxes",       "junctureBoxes",  "junctureDownButtons",
    "junctureUpButtons", "stressDownButtons", "stressUpButtons"};

Qt::Alignment Horizontal(const QLineEdit* box) {
    return box->alignment() & Qt::AlignHorizontal_Mask;
}

class LineDisplayTest : public GridFixture {
protected:
    void ShowLine(std::int32_t line) {
        form->Work().SetCurrentLine(line);
        form->Run([this] { form->ShowCurrentLine(); });
    }

    void ExpectColumnShown(int i, bool shown) {
        for (const char* array : kColumnControls) {
            EXPECT_EQ(Shown(Cell(array, i)), shown) << array << "(" << i << ")";
        }
    }
};

TEST_F(LineDisplayTest, LastLineHasNoNextLine) {
    std::vector<Verse> verses(340, Plain(2, "middle"));
    verses.back().text = "the end";
    ASSERT_TRUE(StartWith(verses, "W\tS", "0", "340"));
    EXPECT_EQ(form->lineTextLabel->text(), "the end");
    EXPECT_EQ(form->nextLineTextLabel->text(), "");
    EXPECT_EQ(form->progressLabel->text(), "340/340");
    EXPECT_EQ(form->progressLabel->accessibleName(), "340/340");
}

TEST_F(LineDisplayTest, FirstLineShowsTheSecondAsNext) {
    ASSERT_TRUE(StartWith({Plain(2, "first"), Plain(2, "second")}));
    EXPECT_EQ(form->lineTextLabel->text(), "first");
    EXPECT_EQ(form->lineTextLabel->accessibleName(), "first");
    EXPECT_EQ(form->nextLineTextLabel->text(), "second");
    EXPECT_EQ(form->progressLabel->text(), "1/2");
}

TEST_F(LineDisplayTest, OneLineFileHasNoNextLine) {
    ASSERT_TRUE(StartWith({Plain(2, "alone")}));
    EXPECT_EQ(form->nextLineTextLabel->text(), "");
    EXPECT_EQ(form->progressLabel->text(), "1/1");
}

TEST_F(LineDisplayTest, RowZeroHidesEveryColumn) {
    Verse first = Plain(3, "first");
    first.comment = "a comment";
    ASSERT_TRUE(StartWith({first, Plain(3)}, "W\tS\tW", "0", "1"));
    ShowLine(0);
    EXPECT_EQ(form->lineTextLabel->text(), "");
    EXPECT_EQ(form->nextLineTextLabel->text(), "first");
    EXPECT_EQ(form->progressLabel->text(), "0/2");
    EXPECT_EQ(form->Grid().commentBox->toPlainText(), "");
    for (int i = 1; i <= 3; ++i) {
        ExpectColumnShown(i, false);
        EXPECT_FALSE(Shown(Cell("mergeButtons", i)));
        EXPECT_TRUE(Shown(Cell("meterLabels", i))) << "meter labels stay";
        EXPECT_EQ(form->Line().Syllable(static_cast<std::size_t>(i)), "");
    }
}

TEST_F(LineDisplayTest, ColumnsFollowTheSyllableTextAlone) {
    const Verse gappy{"gappy",
                      {"a", "", "c", "  ", "%", ""},
                      {"1", "1", "1", "1", "1", "1"},
                      {"2", "2", "2", "2", "2", "2"},
                      ""};
    ASSERT_TRUE(StartWith({gappy, Plain(7)}));
    ASSERT_EQ(form->Work().Doc().Positions(), 7);
    const std::vector<bool> shown = {true, false, true, false, true, false, false};
    for (int i = 1; i <= 7; ++i) {
        ExpectColumnShown(i, shown[static_cast<std::size_t>(i - 1)]);
    }
    EXPECT_EQ(form->Line().Syllable(4), "  ") << "the working copy keeps the spaces";
    EXPECT_EQ(TextOf("syllableBoxes", 5), "--");
    EXPECT_EQ(form->Line().Syllable(5), "%");
    // Hidden columns still hold their values.
    EXPECT_EQ(TextOf("stressBoxes", 2), "1");
    // A merge button follows the column after it.
    const std::vector<bool> merge = {false, true, false, true, false, false, false};
    for (int j = 1; j <= 7; ++j) {
        EXPECT_EQ(Shown(Cell("mergeButtons", j)), merge[static_cast<std::size_t>(j - 1)]) << j;
    }
}

TEST_F(LineDisplayTest, LastColumnNeverOffersAMerge) {
    ASSERT_TRUE(StartWith({Plain(5)}));
    for (int j = 1; j < 5; ++j) {
        EXPECT_TRUE(Shown(Cell("mergeButtons", j))) << j;
    }
    EXPECT_FALSE(Shown("mergeButtons(5)"));
}

TEST_F(LineDisplayTest, ShorterLineHidesTheRestAndItsLastMerge) {
    ASSERT_TRUE(StartWith({Plain(5), Plain(3)}));
    ShowLine(2);
    ExpectColumnShown(3, true);
    ExpectColumnShown(4, false);
    ExpectColumnShown(5, false);
    EXPECT_TRUE(Shown("mergeButtons(2)"));
    EXPECT_FALSE(Shown("mergeButtons(3)"));
    EXPECT_EQ(form->Line().Syllable(4), "");
    ShowLine(1);
    ExpectColumnShown(5, true);
    EXPECT_TRUE(Shown("mergeButtons(4)"));
}

TEST_F(LineDisplayTest, WordsLeanTogetherAndMiddleSyllablesGetAHyphen) {
    const Verse words{"temperate art",
                      {"tem", "per", "ate", "art", "x"},
                      {"3", "1", "1", "3", "1"},
                      {"1", "1", "2", " 1", "4"},
                      ""};
    ASSERT_TRUE(StartWith({words}));
    EXPECT_EQ(TextOf("syllableBoxes", 1), "tem");
    EXPECT_EQ(Horizontal(form->Grid().syllableBoxes(1)), Qt::AlignRight);
    EXPECT_EQ(TextOf("syllableBoxes", 2), "per-");
    EXPECT_EQ(Horizontal(form->Grid().syllableBoxes(2)), Qt::AlignLeft);
    EXPECT_EQ(TextOf("syllableBoxes", 3), "ate");
    EXPECT_EQ(Horizontal(form->Grid().syllableBoxes(3)), Qt::AlignLeft);
    // A juncture of " 1" binds nothing.
    EXPECT_EQ(TextOf("syllableBoxes", 4), "art");
    EXPECT_EQ(Horizontal(form->Grid().syllableBoxes(4)), Qt::AlignHCenter);
    EXPECT_EQ(Horizontal(form->Grid().syllableBoxes(5)), Qt::AlignHCenter);
    EXPECT_EQ(TextOf("junctureBoxes", 4), " 1");
    EXPECT_EQ(form->Line().Syllable(2), "per") << "the hyphen is for display only";
}

TEST_F(LineDisplayTest, EmptySyllableBetweenBindingJuncturesOffersTheMergeBeforeIt) {
    const Verse verse{"v", {"a", "", "c"}, {"1", "1", "1"}, {"1", "1", "2"}, ""};
    ASSERT_TRUE(StartWith({verse}));
    EXPECT_EQ(TextOf("syllableBoxes", 2), "-");
    ExpectColumnShown(2, false);
    EXPECT_TRUE(Shown("mergeButtons(1)"));
}

TEST_F(LineDisplayTest, StressesAboveOneAreBold) {
    const Verse verse{
        "v", {"a", "b", "c", "d", "e"}, {"2", "1", "1.5", "x", ""}, {"2", "2", "2", "2", "2"}, ""};
    ASSERT_TRUE(StartWith({verse, Plain(5)}));
    const std::vector<bool> bold = {true, false, true, false, false};
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(form->Grid().syllableBoxes(i)->font().bold(),
                  bold[static_cast<std::size_t>(i - 1)])
            << i;
        EXPECT_EQ(form->Grid().syllableBoxes(i)->font().pointSizeF(), 9.75);
    }
    ShowLine(2);
    EXPECT_FALSE(form->Grid().syllableBoxes(1)->font().bold()) << "boldness follows the line";
}

TEST_F(LineDisplayTest, AlignmentFollowsTheLine) {
    const Verse word{"v", {"love", "ly"}, {"3", "1"}, {"1", "2"}, ""};
    ASSERT_TRUE(StartWith({word, Plain(2)}));
    EXPECT_EQ(Horizontal(form->Grid().syllableBoxes(1)), Qt::AlignRight);
    ShowLine(2);
    EXPECT_EQ(Horizontal(form->Grid().syllableBoxes(1)), Qt::AlignHCenter);
    EXPECT_EQ(Horizontal(form->Grid().syllableBoxes(2)), Qt::AlignHCenter);
}

TEST_F(LineDisplayTest, WindowsCodePageTextIsDecoded) {
    const Verse verse{"\xC9t\xE9 d\xE9j\xE0", {"\xE9", "t\xE9"}, {"1", "3"}, {"1", "4"}, "caf\xE9"};
    ASSERT_TRUE(StartWith({verse}));
    EXPECT_EQ(form->lineTextLabel->text(),
              QString::fromUtf8("\xC3\x89t\xC3\xA9 d\xC3\xA9j\xC3\xA0"));
    EXPECT_EQ(TextOf("syllableBoxes", 1), QString::fromUtf8("\xC3\xA9"));
    EXPECT_EQ(TextOf("syllableBoxes", 2), QString::fromUtf8("t\xC3\xA9"));
    EXPECT_EQ(form->Grid().commentBox->toPlainText(), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(form->Line().Syllable(2), "t\xE9") << "the working copy keeps the bytes";
}

TEST_F(LineDisplayTest, Utf8TextIsDecoded) {
    const Verse verse{"\xC3\xA9t\xC3\xA9", {"\xC3\xA9", "t\xC3\xA9"}, {"1", "3"}, {"1", "4"}, ""};
    ASSERT_TRUE(StartWith({verse}));
    EXPECT_EQ(form->lineTextLabel->text(), QString::fromUtf8("\xC3\xA9t\xC3\xA9"));
    EXPECT_EQ(TextOf("syllableBoxes", 2), QString::fromUtf8("t\xC3\xA9"));
}

TEST_F(LineDisplayTest, ShowingTheLineAgainDropsEditsOnScreenAndInTheWorkingCopy) {
    Verse verse = Plain(3);
    verse.comment = "kept";
    ASSERT_TRUE(StartWith({verse}));
    form->Line().Set(corvale::ValueRow::Stresses, 2, "4");
    form->Line().Set(corvale::ValueRow::Syllables, 1, "changed");
    form->Grid().stressBoxes(2)->setText("4");
    form->Grid().syllableBoxes(3)->setText("typed");
    form->Grid().commentBox->setPlainText("typed comment");
    ShowLine(1);
    EXPECT_EQ(form->Line().Stress(2), "1");
    EXPECT_EQ(form->Line().Syllable(1), "s1");
    EXPECT_EQ(TextOf("stressBoxes", 2), "1");
    EXPECT_EQ(TextOf("syllableBoxes", 3), "s3");
    EXPECT_EQ(form->Grid().commentBox->toPlainText(), "kept");
}

TEST_F(LineDisplayTest, WorkingCopyMatchesTheStoreRow) {
    const Verse verse{"v", {"a", "b"}, {" 2", "1"}, {"3", ""}, ""};
    ASSERT_TRUE(StartWith({verse, Plain(4)}));
    EXPECT_EQ(form->Line().Syllables(), (std::vector<std::string>{"", "a", "b", "", ""}));
    EXPECT_EQ(form->Line().Stresses(), (std::vector<std::string>{"", " 2", "1", "", ""}));
    EXPECT_EQ(form->Line().Junctures(), (std::vector<std::string>{"", "3", "", "", ""}));
}

TEST_F(LineDisplayTest, LineOutsideTheStoreChangesNothing) {
    ASSERT_TRUE(StartWith({Plain(2, "first"), Plain(2, "second")}));
    form->Line().Set(corvale::ValueRow::Stresses, 1, "3");
    for (const std::int32_t line : {3, -1, 1000000}) {
        ShowLine(line);
        EXPECT_EQ(form->lineTextLabel->text(), "first") << line;
        EXPECT_EQ(form->progressLabel->text(), "1/2");
        EXPECT_EQ(form->Line().Stress(1), "3");
    }
}

TEST_F(LineDisplayTest, GridNarrowerThanTheStoreChangesNothing) {
    ASSERT_TRUE(StartWith({Plain(2, "first"), Plain(2, "second")}));
    form->Work().Doc().Widen(3);  // as if a wider file had been loaded without columns
    ShowLine(2);
    EXPECT_EQ(form->lineTextLabel->text(), "first");
}

}  // namespace
}  // namespace corvale::test
