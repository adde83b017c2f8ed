#include "scansion/RecordReader.h"
#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <string>
#include <vector>

namespace {

using corvale::Encoding;
using corvale::ProgramEnded;
using corvale::Workspace;
using corvale::test::EndsTheProgram;
using corvale::test::Rows;
using corvale::test::ScansionFile;
using corvale::test::ScriptedPlatform;
using corvale::test::Verse;

const QString kTail = "th line in the file.  Please fix by hand before proceeding further.";
const QString kBadLine = "  The bad line follows.";

QString Caution(const char* keyword) {
    return QString(
               "Caution:  your input file contains what looks like a bad line, because it "
               "doesn't include the word [") +
           keyword + "].  ";
}

QString BadRowMessage(const char* keyword, int n, const QString& row) {
    return Caution(keyword) + "  This is the " + QString::number(n) + kTail + kBadLine + row;
}

// A platform whose files all exist but none can be read.
class UnreadablePlatform : public ScriptedPlatform {
public:
    std::optional<std::string> ReadWholeFile(std::string_view) const override {
        return std::nullopt;
    }
};

class ReaderTest : public testing::Test {
protected:
    // Loads the bytes as the working file; false when the program ended.
    bool Load(const std::string& bytes) {
        platform.WriteFile("poem.txt", bytes);
        workspace.Settings().SetWorkingFileName("poem.txt");
        return LoadWorkingFile();
    }
    bool LoadWorkingFile() {
        return !EndsTheProgram([&] { workspace.LoadWorkingFile(); });
    }
    // Only the survey; false when it turned the file down.
    bool FirstPass(const std::string& bytes) {
        const auto surveyed = corvale::SurveyRecords(bytes, corvale::TabIndex(bytes));
        if (const auto* taken = std::get_if<corvale::RecordSurvey>(&surveyed)) {
            survey = *taken;
            return true;
        }
        return false;
    }
    void ExpectEndedWith(const QString& message) {
        EXPECT_TRUE(platform.Ended());
        EXPECT_EQ(platform.MessageTexts(), std::vector<QString>{message});
    }

    ScriptedPlatform platform;
    Workspace workspace{platform};
    corvale::RecordSurvey survey;
};

const Verse kHark{
    "Hark the lark", {"Hark", "the", "lark"}, {"3", "1", "3"}, {"1", "2", "4"}, "sung"};
const Verse kShort{"Oh", {"Oh"}, {"2"}, {"4"}, ""};

// --- Survey: syllable positions --------------------------------------------------------

struct CountCase {
    const char* name;
    std::string row;
    std::int32_t expected;  // MaximumNumberOfSyllables after a pass starting from 0
};

class SyllableCountTest : public ReaderTest, public testing::WithParamInterface<CountCase> {};

TEST_P(SyllableCountTest, RaisesMaximum) {
    // A closing row numbered 1 keeps the verse-line count valid whatever the row under test is.
    ASSERT_TRUE(FirstPass(GetParam().row + "\r\n1\tx\r\n"));
    EXPECT_EQ(survey.positions, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SyllableCountTest,
    testing::Values(CountCase{"WrittenValueRow", "7\tsyllables\tHark the lark\tHark\tthe\tlark", 3},
                    CountCase{"TrailingTabsCountOneMoreEachButTheFirst",
                              "1\tsyllables\tt\ta\tb\t\t\t", 4},
                    CountCase{"TrailingSpacesAfterLastValue", "1\tstress\tt\t1\t2   ", 2},
                    CountCase{"SpacesOnlyAfterLastTab", "1\tstress\tt\t1\t  ", 1},
                    CountCase{"FilledComment", "1\tcomment\tt\tnote", 1},
                    CountCase{"EmptyComment", "1\tcomment\tt\t", 0},
                    CountCase{"BlankComment", "1\tcomment\tt\t   ", 0},
                    CountCase{"CommentWithTab", "1\tcomment\tt\ta\tb", 2},
                    CountCase{"SixTabs", "\t\t\t\t\t\t", 3}, CountCase{"EmptyRow", "", 0},
                    CountCase{"NoTab", "lonely words", 0}, CountCase{"OneTab", "a\tb", 0},
                    CountCase{"ValueRowWithoutValues", "1\tsyllables\tt", 0},
                    CountCase{"EmptyValuesBetweenTabs", "1\tsyllables\tt\ta\t\tb", 3},
                    CountCase{"CarriageReturnIsNotSpace", "1\tstress\tt\t1\t\r", 2}),
    [](const auto& info) { return info.param.name; });

TEST_F(ReaderTest, EveryRowTakesPartInTheMaximum) {
    ASSERT_TRUE(FirstPass(Rows({"1\tsyllables\tt\ta", "1\tstress\tt\t1\t2\t3\t4\t5",
                                "1\tjuncture\tt\t1", "1\tcomment\tt\t"})));
    EXPECT_EQ(survey.positions, 5);
}

TEST_F(ReaderTest, MaximumNeverShrinksWithinARun) {
    workspace.Doc().Widen(12);
    ASSERT_TRUE(Load(ScansionFile({kHark})));
    EXPECT_EQ(workspace.Doc().Positions(), 12);
    EXPECT_EQ(workspace.Doc().GetStore().MaximumPositions(), 12);
}

QString TooWideMessage(int row) {
    return "Caution:  your input file has a line with more than 1000 syllables, more than "
           "Corvale can show.  This is the " +
           QString::number(row) + kTail;
}

std::string Tabs(std::size_t count) {
    return std::string(count, '\t');
}

struct WidthCase {
    const char* name;
    std::vector<std::string> rows;
    int refusedRow;         // 0 when the file loads
    std::int32_t expected;  // MaximumNumberOfSyllables after a load
};

class WidthLimitTest : public ReaderTest, public testing::WithParamInterface<WidthCase> {};

TEST_P(WidthLimitTest, RefusesMoreThanAThousandPositions) {
    const bool loaded = Load(Rows(GetParam().rows));
    if (GetParam().refusedRow == 0) {
        EXPECT_TRUE(loaded);
        EXPECT_TRUE(platform.Messages().empty());
        EXPECT_EQ(workspace.Doc().Positions(), GetParam().expected);
    } else {
        EXPECT_FALSE(loaded);
        ExpectEndedWith(TooWideMessage(GetParam().refusedRow));
        EXPECT_EQ(workspace.Doc().Positions(), 0);
    }
}

const std::string kSyllables = "1\tsyllables\tt\ta";
const std::string kStress = "1\tstress\tt\t1";
const std::string kJuncture = "1\tjuncture\tt\t1";
const std::string kWideComment = "1\tcomment\tt\tnote" + Tabs(3000) + "end";

INSTANTIATE_TEST_SUITE_P(
    Files, WidthLimitTest,
    testing::Values(
        WidthCase{"ExactlyTheLimit",
                  {"1\tsyllables\tt" + Tabs(1000) + "x", kStress, kJuncture, "1\tcomment\tt\t"},
                  0,
                  1000},
        WidthCase{"OneMoreCountsEveryRow", {"", "1\tsyllables\tt" + Tabs(1001) + "x"}, 2, 0},
        WidthCase{"TrailingTabsCount", {"1\tsyllables\tt\ta" + Tabs(1002)}, 1, 0},
        WidthCase{"CommentRowCountsOne", {kSyllables, kStress, kJuncture, kWideComment}, 0, 1},
        WidthCase{"CommentRowAfterBlankRows",
                  {kSyllables, "", kStress, " \t ", kJuncture, Tabs(3), kWideComment},
                  0,
                  1},
        WidthCase{"WideRowInACommentsPlaceAfterAMissingRow",
                  {kSyllables, kStress, kWideComment, "1\tcomment\tt\t"},
                  3,
                  0}),
    [](const auto& info) { return info.param.name; });

// --- Survey: number of verse lines ------------------------------------------------------

struct LinesCase {
    const char* name;
    std::string bytes;
    std::int32_t expected;
};

class NumberOfLinesTest : public ReaderTest, public testing::WithParamInterface<LinesCase> {};

TEST_P(NumberOfLinesTest, ComesFromLastFilledRow) {
    survey.verseLines = 99;
    ASSERT_TRUE(FirstPass(GetParam().bytes));
    EXPECT_EQ(survey.verseLines, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, NumberOfLinesTest,
    testing::Values(LinesCase{"LastRow", "5\ta\r\n2\tb\r\n", 2},
                    LinesCase{"BlankRowsAfterLast", "1\ta\r\n2\tb\r\n\r\n \t \r\n\r\n", 2},
                    LinesCase{"HalfGoesToEven", "1\r\n2\r\n3\r\n2.5\tx\r\n", 2},
                    LinesCase{"HalfGoesUpToEven", "1\r\n2\r\n3\r\n4\r\n3.5\tx\r\n", 4},
                    LinesCase{"NoNumberIsZero", "1\ta\r\ncomment\tx\r\n", 0},
                    LinesCase{"NoFinalLineEnd", "1\ta\r\n2\tb", 2},
                    LinesCase{"LoneLineFeeds", "1\ta\n2\tb\n", 2}, LinesCase{"NoRowsIsZero", "", 0},
                    LinesCase{"OnlyBlankRowsAreZero", "\r\n  \r\n\t\r\n", 0},
                    LinesCase{"MoreThanTheRows", "a\r\nb\r\n6\tx\r\n", 6},
                    LinesCase{"RoundsAboveTheRows", "a\r\n5.5\tx", 6},
                    // One filled row is one record: ten times it and a thousand may be missing.
                    LinesCase{"AsManyMissingAsTheBoundAllows", "1010\tcomment", 1010}),
    [](const auto& info) { return info.param.name; });

struct BadCountCase {
    const char* name;
    std::string lastRow;
    const char* field1;
};

class BadNumberOfLinesTest : public ReaderTest, public testing::WithParamInterface<BadCountCase> {};

TEST_P(BadNumberOfLinesTest, EndsTheProgram) {
    const std::string bytes = ScansionFile({kHark}) + GetParam().lastRow + " \t\r\n\r\n";
    EXPECT_FALSE(Load(bytes));
    ExpectEndedWith(
        QString("Caution:  the last line of your input file should begin with the number of its "
                "last verse line, but it begins with ") +
        GetParam().field1 + ".  Please fix by hand before proceeding further." + kBadLine +
        QString::fromStdString(GetParam().lastRow));
    EXPECT_EQ(workspace.Doc().NumberOfLines(), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, BadNumberOfLinesTest,
                         testing::Values(BadCountCase{"Negative", "-1\tcomment\tx", "-1"},
                                         BadCountCase{"Beyond32Bits", "4000000000\tcomment\tx",
                                                      "4000000000"},
                                         BadCountCase{"Infinite", "1e999\tcomment", "1e999"},
                                         BadCountCase{"RoundsBelowZero", "-0.6\tcomment", "-0.6"}),
                         [](const auto& info) { return info.param.name; });

TEST_F(ReaderTest, MoreThanTenMillionVerseLinesAreRefused) {
    for (const std::string number : {"10000001", "10000000.6"}) {
        ScriptedPlatform fresh;
        fresh.WriteFile("poem.txt", ScansionFile({kHark}) + number + "\tcomment\t\r\n");
        Workspace loading(fresh);
        loading.Settings().SetWorkingFileName("poem.txt");
        EXPECT_TRUE(EndsTheProgram([&] { loading.LoadWorkingFile(); }));
        const QString lines = number == "10000000.6" ? "10000001" : QString::fromStdString(number);
        EXPECT_EQ(fresh.MessageTexts(),
                  std::vector<QString>{"Caution:  the last line of your input file gives " + lines +
                                       " verse lines, more than the 10000000 Corvale can hold.  "
                                       "Please fix by hand before proceeding further." +
                                       kBadLine + QString::fromStdString(number) + "\tcomment"});
    }
}

TEST_F(ReaderTest, AsManyLinesAsRowsIsAccepted) {
    ASSERT_TRUE(FirstPass("a\r\nb\r\n\r\n3\tx\r\n"));
    EXPECT_EQ(survey.verseLines, 3);
}

// A file switch to a file without a filled row must not keep the previous file's count: saving
// would then write records that were never there.
TEST_F(ReaderTest, FileWithoutFilledRowsHoldsNoVerseLine) {
    ASSERT_TRUE(Load(ScansionFile({kHark, kShort})));
    ASSERT_TRUE(Load("\r\n \t \r\n\t\t\r\n"));
    EXPECT_EQ(workspace.Doc().NumberOfLines(), 0);
    EXPECT_EQ(workspace.Doc().GetStore().NumberOfLines(), 0);
    EXPECT_EQ(workspace.Doc().ScansionFileBytes(), "");
    EXPECT_TRUE(platform.Messages().empty());
}

// Records deleted by hand leave the last row's number larger than the rows that are left: here
// one record of five, four rows numbering five verse lines.
TEST_F(ReaderTest, FewerRowsThanTheLastNumberLoadAndSaveEmptyLines) {
    std::vector<std::string> rows = corvale::test::RecordRows(1, kShort);
    rows.back().replace(0, 1, "5");
    ASSERT_TRUE(Load(Rows(rows)));
    EXPECT_EQ(workspace.Doc().NumberOfLines(), 5);
    const std::string saved = workspace.Doc().ScansionFileBytes();
    EXPECT_TRUE(saved.starts_with(Rows(corvale::test::RecordRows(1, kShort))));
    EXPECT_TRUE(saved.ends_with(
        Rows({"5\tsyllables\t", "5\tstress\t", "5\tjuncture\t", "5\tcomment\t\t"})));
}

// --- Missing and unreadable files -----------------------------------------------------------

TEST_F(ReaderTest, MissingFileGivesEmptyStoreWithoutMessage) {
    ASSERT_TRUE(Load(ScansionFile({kHark, kShort})));
    workspace.Settings().SetWorkingFileName("gone.txt");
    ASSERT_TRUE(LoadWorkingFile());
    EXPECT_EQ(workspace.Doc().NumberOfLines(), 0);
    EXPECT_EQ(workspace.Doc().GetStore().NumberOfLines(), 0);
    EXPECT_EQ(workspace.Doc().LineText(1), "");
    EXPECT_EQ(workspace.Doc().Positions(), 3);
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_FALSE(platform.Ended());
}

TEST_F(ReaderTest, FolderInPlaceOfTheFileCountsAsMissing) {
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkdir("poem.txt"));
    workspace.Settings().SetWorkingFileName("poem.txt");
    ASSERT_TRUE(LoadWorkingFile());
    EXPECT_EQ(workspace.Doc().NumberOfLines(), 0);
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(ReaderTest, EmptyOrUntestableNameCountsAsMissing) {
    for (const std::string& name : {std::string(), std::string("poem\0.txt", 9)}) {
        workspace.Settings().SetWorkingFileName(name);
        ASSERT_TRUE(LoadWorkingFile());
        EXPECT_EQ(workspace.Doc().NumberOfLines(), 0);
    }
    EXPECT_TRUE(platform.Messages().empty());
}

TEST(UnreadableFileTest, EndsTheProgram) {
    UnreadablePlatform platform;
    platform.WriteFile("poem \xc3\xa9.txt", "1\tsyllables\r\n");
    Workspace workspace(platform);
    workspace.Settings().SetWorkingFileName("poem \xc3\xa9.txt");
    EXPECT_THROW(workspace.LoadWorkingFile(), ProgramEnded);
    EXPECT_TRUE(platform.Ended());
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<QString>{QString::fromUtf8(
                  "Caution:  your input file poem \xc3\xa9.txt exists but cannot be read.  Please "
                  "check that it is a readable file, or fix by hand before proceeding further.")});
}

TEST(UnreadableFileTest, AnEmptyFileEndsTheProgramToo) {
    UnreadablePlatform platform;
    platform.WriteFile("poem.txt", "");
    Workspace workspace(platform);
    workspace.Settings().SetWorkingFileName("poem.txt");
    EXPECT_THROW(workspace.LoadWorkingFile(), ProgramEnded);
    EXPECT_EQ(platform.Messages().size(), 1u);
}

// --- Reading the file once per load ----------------------------------------------------------

// Counts the times a file is read.
class CountingPlatform : public ScriptedPlatform {
public:
    std::optional<std::string> ReadWholeFile(std::string_view name) const override {
        ++reads;
        return ScriptedPlatform::ReadWholeFile(name);
    }
    mutable int reads = 0;
};

// A sparse file costs no disk. Reading it whole would take seconds, or fail to allocate.
TEST(TooLargeFileTest, IsRefusedWithoutReadingIt) {
    CountingPlatform platform;
    QFile file(platform.PathOf("huge.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    if (!file.resize(corvale::kLargestReadableFile + 1)) {
        GTEST_SKIP() << "no sparse files here";
    }
    file.close();
    Workspace workspace(platform);
    workspace.Settings().SetWorkingFileName("huge.txt");
    EXPECT_THROW(workspace.LoadWorkingFile(), ProgramEnded);
    EXPECT_EQ(
        platform.MessageTexts(),
        std::vector<QString>{"Caution:  your input file huge.txt is larger than 2 GB, more than "
                             "Corvale can hold.  Please fix by hand before proceeding further."});
    EXPECT_EQ(platform.reads, 0);
}

class ReadOnceTest : public testing::Test {
protected:
    void SetUp() override {
        platform.WriteFile("a.txt", ScansionFile({kHark}));
        platform.WriteFile("b.txt", ScansionFile({kShort, kShort}));
    }
    CountingPlatform platform;
    Workspace workspace{platform};
};

TEST_F(ReadOnceTest, ALoadReadsTheFileOnce) {
    workspace.Settings().SetWorkingFileName("a.txt");
    workspace.LoadWorkingFile();
    EXPECT_EQ(platform.reads, 1);
    EXPECT_EQ(workspace.Doc().Syllable(1, 3), "lark");
    // Nothing is kept from one load to the next: loading again reads again.
    workspace.LoadWorkingFile();
    EXPECT_EQ(platform.reads, 2);
    EXPECT_EQ(workspace.Doc().Comment(1), "sung");
}

TEST_F(ReadOnceTest, ALoadOfAnotherNameReadsThatFile) {
    workspace.Settings().SetWorkingFileName("a.txt");
    workspace.LoadWorkingFile();
    workspace.Settings().SetWorkingFileName("b.txt");
    workspace.LoadWorkingFile();
    EXPECT_EQ(platform.reads, 2);
    EXPECT_EQ(workspace.Doc().LineText(1), "Oh");
    EXPECT_EQ(workspace.Doc().LineText(2), "Oh");
}

TEST_F(ReadOnceTest, AFileGoneBeforeTheNextLoadGivesAnEmptyStore) {
    workspace.Settings().SetWorkingFileName("a.txt");
    workspace.LoadWorkingFile();
    ASSERT_TRUE(QFile::remove(QString::fromStdString(platform.FilePath("a.txt"))));
    workspace.LoadWorkingFile();
    EXPECT_EQ(workspace.Doc().LineText(1), "");
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(ReadOnceTest, ALoadThatEndsKeepsNothing) {
    platform.WriteFile("bad.txt", "1\tsyllables\tt\r\n-1\tcomment\r\n");
    workspace.Settings().SetWorkingFileName("bad.txt");
    EXPECT_THROW(workspace.LoadWorkingFile(), ProgramEnded);
    EXPECT_THROW(workspace.LoadWorkingFile(), ProgramEnded);  // read afresh: its rows are bad too
    EXPECT_EQ(platform.reads, 2);
}

// --- Records: filling the store --------------------------------------------------------

TEST_F(ReaderTest, LoadsEveryVerseLine) {
    ASSERT_TRUE(Load(ScansionFile({kHark, kShort})));
    EXPECT_EQ(workspace.Doc().NumberOfLines(), 2);
    EXPECT_EQ(workspace.Doc().Positions(), 3);
    EXPECT_EQ(workspace.Doc().LineText(1), "Hark the lark");
    EXPECT_EQ(workspace.Doc().Syllable(1, 3), "lark");
    EXPECT_EQ(workspace.Doc().Stress(1, 1), "3");
    EXPECT_EQ(workspace.Doc().Juncture(1, 3), "4");
    EXPECT_EQ(workspace.Doc().Comment(1), "sung");
    EXPECT_EQ(workspace.Doc().LineText(2), "Oh");
    EXPECT_EQ(workspace.Doc().Syllable(2, 1), "Oh");
    EXPECT_EQ(workspace.Doc().Syllable(2, 2), "");
    EXPECT_EQ(workspace.Doc().Comment(2), "");
    EXPECT_EQ(workspace.Doc().LineText(0), "");
    EXPECT_EQ(workspace.Doc().Syllable(1, 0), "");
    EXPECT_EQ(workspace.Doc().TextEncoding(), Encoding::Utf8);
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_FALSE(platform.Ended());
}

TEST_F(ReaderTest, KeywordMayStandAnywhereInAnyCase) {
    ASSERT_TRUE(Load(Rows({"1\tSYLLABLES\tt\ta", "1\tStReSs\tt\t1", "1\tjunkture\tjuncture\t2",
                           "1\tremark\tt\tthe comment is the keyword"})));
    EXPECT_EQ(workspace.Doc().Stress(1, 1), "1");
    EXPECT_EQ(workspace.Doc().Juncture(1, 1), "2");
    EXPECT_EQ(workspace.Doc().Comment(1), "the comment is the keyword");
}

TEST_F(ReaderTest, FieldTwoNeedNotHoldTheKeyword) {
    ASSERT_TRUE(Load(Rows({"1\tsyl\tsyllables here\ta", "1\tstres\tyou stress me\t1",
                           "1\tj\tjuncture\t1", "1\tc\tcomment"})));
    EXPECT_EQ(workspace.Doc().LineText(1), "syllables here");
    EXPECT_EQ(workspace.Doc().Comment(1), "");
}

TEST_F(ReaderTest, EmptyFieldKeepsItsPosition) {
    ASSERT_TRUE(Load(Rows(
        {"1\tsyllables\tt\ta\t\tc", "1\tstress\tt\t\t2", "1\tjuncture\tt", "1\tcomment\tt\t"})));
    EXPECT_EQ(workspace.Doc().Syllable(1, 1), "a");
    EXPECT_EQ(workspace.Doc().Syllable(1, 2), "");
    EXPECT_EQ(workspace.Doc().Syllable(1, 3), "c");
    EXPECT_EQ(workspace.Doc().Stress(1, 1), "");
    EXPECT_EQ(workspace.Doc().Stress(1, 2), "2");
}

TEST_F(ReaderTest, TrailingTabsWidenTheStoreButHoldNothing) {
    ASSERT_TRUE(Load(Rows({"1\tsyllables\tt\ta\tb\t\t\t", "1\tstress\tt\t1\t2",
                           "1\tjuncture\tt\t1\t2", "1\tcomment\tt\t"})));
    EXPECT_EQ(workspace.Doc().Positions(), 4);
    EXPECT_EQ(workspace.Doc().Syllable(1, 2), "b");
    EXPECT_EQ(workspace.Doc().Syllable(1, 3), "");
    EXPECT_EQ(workspace.Doc().Syllable(1, 4), "");
}

struct CommentCase {
    const char* name;
    std::string field;  // everything after the comment row's third tab
    std::string expected;
};

class CommentTest : public ReaderTest, public testing::WithParamInterface<CommentCase> {};

TEST_P(CommentTest, RunsToTheRowsEnd) {
    ASSERT_TRUE(Load(Rows({"1\tsyllables\tt\ta", "1\tstress\tt\t1", "1\tjuncture\tt\t1",
                           "1\tcomment\tt\t" + GetParam().field})));
    EXPECT_EQ(workspace.Doc().Comment(1), GetParam().expected);
    EXPECT_EQ(workspace.Doc().Positions(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Comments, CommentTest,
    testing::Values(CommentCase{"TabsKept", "before\tafter\tmore", "before\tafter\tmore"},
                    CommentCase{"LeadingAndEmptyFieldsKept", "\ta\t\t\tb", "\ta\t\t\tb"},
                    CommentCase{"TrailingTabsAndSpacesGo", "a\t b \t \t", "a\t b"}),
    [](const auto& info) { return info.param.name; });

TEST_F(ReaderTest, OnlyTheRowsTrailingBlanksAreRemoved) {
    ASSERT_TRUE(Load(Rows({"1\tsyllables\t  the text  \t a \t b  \t ", "1\tstress\tt\t1 ",
                           "1\tjuncture\tt\t1", "1\tcomment\tt\t  a note  \t  "})));
    EXPECT_EQ(workspace.Doc().LineText(1), "  the text  ");
    EXPECT_EQ(workspace.Doc().Syllable(1, 1), " a ");
    EXPECT_EQ(workspace.Doc().Syllable(1, 2), " b");
    EXPECT_EQ(workspace.Doc().Stress(1, 1), "1");
    EXPECT_EQ(workspace.Doc().Comment(1), "  a note");
}

TEST_F(ReaderTest, LineTextComesFromTheSyllablesRowOnly) {
    ASSERT_TRUE(Load(Rows({"1\tsyllables\tfirst\ta", "1\tstress\tsecond\t1",
                           "1\tjuncture\tthird\t1", "1\tcomment\tfourth\tc"})));
    EXPECT_EQ(workspace.Doc().LineText(1), "first");
}

TEST_F(ReaderTest, BlankRowsAnywhereAreSkipped) {
    const std::vector<std::string> first = corvale::test::RecordRows(1, kHark);
    const std::vector<std::string> second = corvale::test::RecordRows(2, kShort);
    ASSERT_TRUE(Load(Rows({"", " \t ", first[0], "", first[1], first[2], "\t", first[3], "",
                           second[0], second[1], second[2], "  ", second[3], "", "\t\t"})));
    EXPECT_EQ(workspace.Doc().NumberOfLines(), 2);
    EXPECT_EQ(workspace.Doc().Comment(1), "sung");
    EXPECT_EQ(workspace.Doc().Juncture(2, 1), "4");
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(ReaderTest, MixedLineEndsAndLoneCarriageReturns) {
    ASSERT_TRUE(
        Load("1\tsyllables\tt\ta\n1\tstress\tt\t1\r\n1\tjuncture\tt\t1\n"
             "1\tcomment\tt\tone\rtwo"));
    EXPECT_EQ(workspace.Doc().Syllable(1, 1), "a");
    EXPECT_EQ(workspace.Doc().Comment(1), "one\rtwo");
}

TEST_F(ReaderTest, FewerRecordsThanTheLastRowSaysLeavesEmptyLines) {
    std::vector<Verse> verses(10, kShort);
    std::string bytes = ScansionFile(verses);
    const std::size_t lastRow = bytes.rfind("10\tcomment");
    bytes.replace(lastRow, 2, "12");
    ASSERT_TRUE(Load(bytes));
    EXPECT_EQ(workspace.Doc().NumberOfLines(), 12);
    EXPECT_EQ(workspace.Doc().LineText(10), "Oh");
    EXPECT_EQ(workspace.Doc().LineText(11), "");
    EXPECT_EQ(workspace.Doc().Syllable(12, 1), "");
    EXPECT_EQ(workspace.Doc().Comment(12), "");
}

TEST_F(ReaderTest, NewLoadDiscardsTheOldStore) {
    ASSERT_TRUE(Load(ScansionFile({kHark, kHark, kHark})));
    ASSERT_TRUE(Load(ScansionFile({kShort})));
    EXPECT_EQ(workspace.Doc().NumberOfLines(), 1);
    EXPECT_EQ(workspace.Doc().Positions(), 3);
    EXPECT_EQ(workspace.Doc().Syllable(1, 2), "");
    EXPECT_EQ(workspace.Doc().LineText(2), "");
}

TEST_F(ReaderTest, Windows1252BytesAreKeptAndDetected) {
    const Verse verse{"caf\xe9 \x93ok\x94", {"caf\xe9"}, {"1"}, {"1"}, "na\xefve"};
    ASSERT_TRUE(Load(ScansionFile({verse})));
    EXPECT_EQ(workspace.Doc().TextEncoding(), Encoding::Windows1252);
    EXPECT_EQ(workspace.Doc().LineText(1), "caf\xe9 \x93ok\x94");
    EXPECT_EQ(workspace.Doc().Syllable(1, 1), "caf\xe9");
    EXPECT_EQ(workspace.Doc().Comment(1), "na\xefve");
}

TEST_F(ReaderTest, Utf8AfterWindows1252SetsTheEncodingAgain) {
    ASSERT_TRUE(Load(ScansionFile({{"caf\xe9", {"x"}, {"1"}, {"1"}, ""}})));
    ASSERT_EQ(workspace.Doc().TextEncoding(), Encoding::Windows1252);
    ASSERT_TRUE(Load(ScansionFile({{"caf\xc3\xa9", {"x"}, {"1"}, {"1"}, ""}})));
    EXPECT_EQ(workspace.Doc().TextEncoding(), Encoding::Utf8);
}

// --- Records: bad rows -----------------------------------------------------------------

struct BadRowCase {
    const char* name;
    int badRow;  // 0..3: which row of the second record is broken
    const char* keyword;
};

class BadRowTest : public ReaderTest, public testing::WithParamInterface<BadRowCase> {};

TEST_P(BadRowTest, ReportsKeywordRowNumberAndRow) {
    std::vector<std::string> rows = corvale::test::RecordRows(1, kHark);
    std::vector<std::string> second = corvale::test::RecordRows(2, kShort);
    second[GetParam().badRow] = "2\tbroken\tOh\tx  \t ";
    rows.insert(rows.end(), second.begin(), second.end());
    EXPECT_FALSE(Load(Rows(rows)));
    ExpectEndedWith(BadRowMessage(GetParam().keyword, 5 + GetParam().badRow, "2\tbroken\tOh\tx"));
    EXPECT_EQ(workspace.Doc().NumberOfLines(), 0) << "nothing of a refused file is taken";
}

INSTANTIATE_TEST_SUITE_P(Rows, BadRowTest,
                         testing::Values(BadRowCase{"Syllables", 0, "syllables"},
                                         BadRowCase{"Stress", 1, "stress"},
                                         BadRowCase{"Juncture", 2, "juncture"},
                                         BadRowCase{"Comment", 3, "comment"}),
                         [](const auto& info) { return info.param.name; });

TEST_F(ReaderTest, RowNumberCountsOnlyFilledRows) {
    std::vector<std::string> rows = corvale::test::RecordRows(1, kHark);
    rows.insert(rows.begin() + 2, "");
    rows.push_back("1\tnonsense");
    rows.push_back("");
    rows.push_back("2\tcomment\tx");
    EXPECT_FALSE(Load(Rows(rows)));
    ExpectEndedWith(BadRowMessage("syllables", 5, "1\tnonsense"));
}

TEST_F(ReaderTest, SeventhRowMissingJuncture) {
    std::vector<std::string> rows = corvale::test::RecordRows(1, kHark);
    rows.push_back("2\tsyllables\tOh\tOh");
    rows.push_back("2\tstress\tOh\t2");
    rows.push_back("2\tstresss\tOh\t4");
    rows.push_back("2\tcomment\tOh\t");
    EXPECT_FALSE(Load(Rows(rows)));
    ExpectEndedWith(Caution("juncture") + "  This is the 7" + kTail + kBadLine +
                    "2\tstresss\tOh\t4");
}

TEST_F(ReaderTest, BadRowIsShownInTheFilesEncoding) {
    EXPECT_FALSE(
        Load(Rows({"1\tsyllables\tcaf\xe9", "1\tstrss\tcaf\xe9", "1\tjuncture", "1\tcomment"})));
    ExpectEndedWith(BadRowMessage("stress", 2, QString::fromUtf8("1\tstrss\tcaf\xc3\xa9")));
}

// --- Quoting rows in messages -----------------------------------------------------------------

const QString kEllipsis = QString(QChar(0x2026));

struct QuoteCase {
    const char* name;
    std::string row;   // a stress row without the word
    QString expected;  // as the message quotes it
};

class QuoteTest : public ReaderTest, public testing::WithParamInterface<QuoteCase> {};

TEST_P(QuoteTest, QuotesAtMostTwoHundredCharacters) {
    EXPECT_FALSE(Load(Rows({"1\tsyllables\tt", GetParam().row, "1\tjuncture", "1\tcomment"})));
    ExpectEndedWith(BadRowMessage("stress", 2, GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QuoteTest,
    testing::Values(QuoteCase{"ExactlyTwoHundred", std::string(200, 'x'), QString(200, 'x')},
                    QuoteCase{"OneMore", std::string(201, 'x'), QString(200, 'x') + kEllipsis},
                    QuoteCase{
                        "PairAtTheCutStaysWhole",
                        std::string(199, 'x') + "\xf0\x9f\x98\x80\xf0\x9f\x98\x80",
                        QString(199, 'x') + QString::fromUtf8("\xf0\x9f\x98\x80") + kEllipsis}),
    [](const auto& info) { return info.param.name; });

struct EndsEarlyCase {
    const char* name;
    int rowsOfLastRecord;
    const char* keyword;
};

class EndsInsideRecordTest : public ReaderTest,
                             public testing::WithParamInterface<EndsEarlyCase> {};

TEST_P(EndsInsideRecordTest, ReportsTheMissingRow) {
    std::vector<std::string> rows = corvale::test::RecordRows(1, kHark);
    std::vector<std::string> second = corvale::test::RecordRows(2, kShort);
    second.resize(static_cast<std::size_t>(GetParam().rowsOfLastRecord));
    rows.insert(rows.end(), second.begin(), second.end());
    rows.push_back("");
    EXPECT_FALSE(Load(Rows(rows)));
    ExpectEndedWith(
        QString("Caution:  your input file ends in the middle of the record for verse line 2:  "
                "its [") +
        GetParam().keyword + "] line is missing.  Please fix by hand before proceeding further.");
}

INSTANTIATE_TEST_SUITE_P(Rows, EndsInsideRecordTest,
                         testing::Values(EndsEarlyCase{"AfterSyllables", 1, "stress"},
                                         EndsEarlyCase{"AfterStress", 2, "juncture"},
                                         EndsEarlyCase{"AfterJuncture", 3, "comment"}),
                         [](const auto& info) { return info.param.name; });

TEST_F(ReaderTest, MoreRecordsThanTheLastRowSays) {
    std::vector<std::string> rows = corvale::test::RecordRows(1, kHark);
    for (const auto& row : corvale::test::RecordRows(1, kShort)) {
        rows.push_back(row);
    }
    rows.insert(rows.begin() + 4, "");
    EXPECT_FALSE(Load(Rows(rows)));
    ExpectEndedWith(
        "Caution:  your input file holds more verse lines than the 1 its last line gives.  This "
        "is the 5" +
        kTail + kBadLine + "1\tsyllables\tOh\tOh");
}

TEST_F(ReaderTest, ZeroVerseLinesWithARecordIsTooMany) {
    std::vector<std::string> rows = corvale::test::RecordRows(0, kShort);
    EXPECT_FALSE(Load(Rows(rows)));
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_TRUE(platform.MessageTexts()[0].startsWith(
        "Caution:  your input file holds more verse lines than the 0 its last line gives."));
}

// --- The two ways of turning a file down ----------------------------------------------------

struct RefusalCase {
    const char* name;
    std::string bytes;
    std::int64_t sparseSize = 0;  // when not 0, the file is made this large, without bytes
};

// The refusals of a switch return instead of ending the program, so what the loader leaves
// behind them shows.
class RefusalTest : public testing::TestWithParam<RefusalCase> {
protected:
    ScriptedPlatform platform;
    Workspace workspace{platform};
};

TEST_P(RefusalTest, LeavesTheStoreAndItsSizesAlone) {
    platform.WriteFile("old.txt", ScansionFile({kHark, kShort}));
    platform.WriteFile("meter.txt", "S\r\n");
    workspace.Settings().SetWorkingFileName("old.txt");
    workspace.LoadWorkingFile();
    platform.WriteFile("new.txt", GetParam().bytes);
    if (GetParam().sparseSize != 0 &&
        !QFile::resize(platform.PathOf("new.txt"), GetParam().sparseSize)) {
        GTEST_SKIP() << "no sparse files here";
    }
    EXPECT_EQ(workspace.SwitchWorkingFile("new.txt", Workspace::Leaving::Go), std::nullopt);
    EXPECT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(workspace.Doc().NumberOfLines(), 2);
    EXPECT_EQ(workspace.Doc().Positions(), 3);
    EXPECT_EQ(workspace.Doc().GetStore().NumberOfLines(), 2);
    EXPECT_EQ(workspace.Doc().Comment(1), "sung");
    EXPECT_EQ(workspace.Doc().Syllable(2, 1), "Oh");
    EXPECT_FALSE(platform.Ended());
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusalTest,
    testing::Values(
        RefusalCase{"NegativeVerseLines", ScansionFile({kHark}) + "-4\tcomment\r\n"},
        RefusalCase{"MoreThanTenMillionVerseLines",
                    ScansionFile({kShort, kShort, kShort, kShort}) + "20000000\tcomment\r\n"},
        RefusalCase{"TooLarge", ScansionFile({kShort}), corvale::kLargestReadableFile + 1}),
    [](const auto& info) { return info.param.name; });

}  // namespace
