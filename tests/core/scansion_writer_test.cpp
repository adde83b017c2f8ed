#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <string>
#include <vector>

#include <unistd.h>

namespace {

using corvale::Answer;
using corvale::ValueRow;
using corvale::Workspace;
using corvale::test::EndsTheProgram;
using corvale::test::Rows;
using corvale::test::SampleFile;
using corvale::test::ScansionFile;
using corvale::test::ScriptedPlatform;
using corvale::test::Verse;
using Views = std::vector<std::string_view>;

const QString kWriteFailed =
    "I've hit a problem:  perhaps the file you are working on is open in another program.  If "
    "so, please close that program and try exiting again.  If you need to give up entirely, "
    "click the little X at the top right of the interface.";

class WriterTest : public testing::Test {
protected:
    // An empty store of the given size, as after the survey and SizeStore.
    void Size(std::int32_t lines, std::int32_t positions) {
        workspace.NumberOfLines = lines;
        workspace.MaximumNumberOfSyllables = positions;
        workspace.SizeStore();
    }
    void Set(std::int32_t j, std::string_view text, std::string_view comment, Views syllables,
             Views stresses = {}, Views junctures = {}) {
        workspace.GetStore().SetRecord(j, text, comment, syllables, stresses, junctures);
    }
    bool Load(const std::string& name) {
        workspace.WorkingFileName = name;
        return !EndsTheProgram([&] { workspace.LoadScansionFile(); });
    }
    // Runs Exit as the window does; true when the program ended.
    bool Quit() {
        return EndsTheProgram([&] { workspace.Exit(); });
    }

    ScriptedPlatform platform;
    Workspace workspace{platform};
};

// --- Format --------------------------------------------------------------------------------

TEST_F(WriterTest, WritesFourRowsPerVerseLine) {
    Size(2, 3);
    Set(1, "Hark the lark", "sung", {"Hark", "the", "lark"}, {"3", "1", "3"}, {"1", "2", "4"});
    Set(2, "Oh", "", {"Oh"}, {"2"}, {"4"});
    EXPECT_EQ(workspace.ScansionFileBytes(),
              "1\tsyllables\tHark the lark\tHark\tthe\tlark\r\n"
              "1\tstress\tHark the lark\t3\t1\t3\r\n"
              "1\tjuncture\tHark the lark\t1\t2\t4\r\n"
              "1\tcomment\tHark the lark\tsung\r\n"
              "2\tsyllables\tOh\tOh\r\n"
              "2\tstress\tOh\t2\r\n"
              "2\tjuncture\tOh\t4\r\n"
              "2\tcomment\tOh\t\r\n");
}

struct ValueRowCase {
    const char* name;
    Views values;
    std::string written;  // after "1<TAB>syllables<TAB>t"
};

class ValueRowTest : public WriterTest, public testing::WithParamInterface<ValueRowCase> {};

// Each value keeps its field, so it stays with its syllable; only blanks at the end go.
TEST_P(ValueRowTest, BlankValuesKeepTheirFieldUnlessTheyEndTheRow) {
    Size(1, 6);
    Set(1, "t", "", GetParam().values);
    EXPECT_EQ(workspace.ScansionFileBytes(),
              Rows({"1\tsyllables\tt" + GetParam().written, "1\tstress\tt", "1\tjuncture\tt",
                    "1\tcomment\tt\t"}));
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueRowTest,
    testing::Values(
        ValueRowCase{"InnerEmptyAndSpaces", {"a", "", "c", "   ", "e"}, "\ta\t\tc\t\te"},
        ValueRowCase{"LeadingEmpties", {"", "", "1"}, "\t\t\t1"},
        ValueRowCase{"LeadingSpaces", {" ", "2"}, "\t\t2"},
        ValueRowCase{"InnerAndTrailing", {"a", "", "b", "  ", ""}, "\ta\t\tb"},
        ValueRowCase{"AllBlank", {"", " ", ""}, ""},
        ValueRowCase{"MendedAndTrimmed", {" a ", "\r\n", " b", "\t"}, "\ta\t\tb"}),
    [](const auto& info) { return info.param.name; });

TEST_F(WriterTest, ValuesAreTrimmedButTextAndCommentAreNot) {
    Size(1, 2);
    Set(1, "  spaced text  ", "  a note  ", {" a ", "b  "}, {"  1"});
    EXPECT_EQ(workspace.ScansionFileBytes(),
              Rows({"1\tsyllables\t  spaced text  \ta\tb", "1\tstress\t  spaced text  \t1",
                    "1\tjuncture\t  spaced text  ", "1\tcomment\t  spaced text  \t  a note  "}));
}

TEST_F(WriterTest, WhollyEmptyVerseLineIsStillWritten) {
    Size(2, 3);
    Set(2, "x", "", {"x"}, {"1"}, {"1"});
    EXPECT_EQ(
        workspace.ScansionFileBytes(),
        Rows({"1\tsyllables\t", "1\tstress\t", "1\tjuncture\t", "1\tcomment\t\t",
              "2\tsyllables\tx\tx", "2\tstress\tx\t1", "2\tjuncture\tx\t1", "2\tcomment\tx\t"}));
}

TEST_F(WriterTest, NoVerseLinesWritesAnEmptyFile) {
    Size(0, 4);
    EXPECT_EQ(workspace.ScansionFileBytes(), "");
    workspace.WorkingFileName = "poem.txt";
    platform.WriteFile("poem.txt", "old contents");
    ASSERT_TRUE(workspace.WriteScansionFile());
    EXPECT_EQ(platform.ReadFile("poem.txt"), "");
}

struct MendCase {
    const char* name;
    std::string held;
    std::string written;
};

class CommentMendingTest : public WriterTest, public testing::WithParamInterface<MendCase> {};

TEST_P(CommentMendingTest, EachBreakOrTabBecomesOneSpace) {
    Size(1, 1);
    Set(1, "t", GetParam().held, {});
    EXPECT_EQ(workspace.ScansionFileBytes(),
              Rows({"1\tsyllables\tt", "1\tstress\tt", "1\tjuncture\tt",
                    "1\tcomment\tt\t" + GetParam().written}));
}

INSTANTIATE_TEST_SUITE_P(Comments, CommentMendingTest,
                         testing::Values(MendCase{"CrLf", "one\r\ntwo", "one two"},
                                         MendCase{"LoneLf", "one\ntwo", "one two"},
                                         MendCase{"LoneCr", "one\rtwo", "one two"},
                                         MendCase{"Tab", "one\ttwo", "one two"},
                                         MendCase{"LfCrIsTwoBreaks", "a\n\rb", "a  b"},
                                         MendCase{"CrCrLf", "a\r\r\nb", "a  b"},
                                         MendCase{"EveryKind", "a\r\nb\rc\nd\te", "a b c d e"},
                                         MendCase{"BreakAtEnd", "end\r\n", "end "},
                                         MendCase{"OnlyBreaks", "\r\n\r\n", "  "},
                                         MendCase{"SpacesKept", "  x  ", "  x  "}),
                         [](const auto& info) { return info.param.name; });

TEST_F(WriterTest, LineTextAndValuesAreMendedToo) {
    Size(1, 3);
    Set(1, "a\tb\r\nc", "", {"x\ty", "\t", " \r\n "}, {"1\n"});
    EXPECT_EQ(workspace.ScansionFileBytes(),
              Rows({"1\tsyllables\ta b c\tx y", "1\tstress\ta b c\t1", "1\tjuncture\ta b c",
                    "1\tcomment\ta b c\t"}));
}

TEST_F(WriterTest, WritesOnlyPositionsUpToTheMaximum) {
    Size(1, 2);
    workspace.MaximumNumberOfSyllables = 1;
    Set(1, "t", "", {"a", "b"});
    EXPECT_TRUE(workspace.ScansionFileBytes().starts_with("1\tsyllables\tt\ta\r\n1\tstress"));
}

TEST_F(WriterTest, WriteFailureLeavesTheOldFile) {
    Size(1, 1);
    Set(1, "new", "", {"n"});
    workspace.WorkingFileName = "poem.txt";
    platform.WriteFile("poem.txt", "old");
    platform.FailWrites(true);
    EXPECT_FALSE(workspace.WriteScansionFile());
    EXPECT_EQ(platform.ReadFile("poem.txt"), "old");
}

// --- Round trips ---------------------------------------------------------------------------

class SampleRoundTripTest : public WriterTest, public testing::WithParamInterface<const char*> {};

TEST_P(SampleRoundTripTest, LoadThenSaveIsByteExact) {
    const std::string poem = GetParam();
    const std::string bytes = SampleFile(poem, poem + ".txt");
    platform.WriteFile("poem.txt", bytes);
    ASSERT_TRUE(Load("poem.txt"));
    EXPECT_GT(workspace.NumberOfLines, 0);
    EXPECT_EQ(workspace.ScansionFileBytes(), bytes);
    ASSERT_TRUE(workspace.WriteScansionFile());
    EXPECT_EQ(platform.ReadFile("poem.txt"), bytes);
    EXPECT_TRUE(platform.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleRoundTripTest,
                         testing::Values("sonnet18", "sonnet116", "tyger"));

TEST_F(WriterTest, SaveThenLoadGivesTheStoreBack) {
    Size(3, 4);
    Set(1, "first line", "a note", {"first", "", "line"}, {"1", "3"}, {"2", "", "", "4"});
    Set(3, "third\xe9", "caf\xe9", {"th", "ird"}, {"4"}, {"1", "1"});
    workspace.WorkingFileName = "poem.txt";
    ASSERT_TRUE(workspace.WriteScansionFile());
    const std::string saved = platform.ReadFile("poem.txt");

    Workspace reloaded(platform);
    reloaded.WorkingFileName = "poem.txt";
    reloaded.LoadScansionFile();
    EXPECT_EQ(reloaded.NumberOfLines, 3);
    EXPECT_EQ(reloaded.MaximumNumberOfSyllables, 4);
    EXPECT_EQ(reloaded.Syllables(1, 2), "");  // blank values keep their positions
    EXPECT_EQ(reloaded.Syllables(1, 3), "line");
    EXPECT_EQ(reloaded.Junctures(1, 3), "");
    EXPECT_EQ(reloaded.Junctures(1, 4), "4");
    EXPECT_EQ(reloaded.Comments(1), "a note");
    EXPECT_EQ(reloaded.LineText(2), "");
    EXPECT_EQ(reloaded.LineText(3), "third\xe9");
    EXPECT_EQ(reloaded.Comments(3), "caf\xe9");
    EXPECT_EQ(reloaded.ScansionFileBytes(), saved);
}

struct FileRoundTripCase {
    const char* name;
    std::vector<std::string> rows;
    std::vector<std::string> saved;  // empty when the file saves unchanged
};

class FileRoundTripTest : public WriterTest,
                          public testing::WithParamInterface<FileRoundTripCase> {};

TEST_P(FileRoundTripTest, LoadThenSaveKeepsEveryValueInItsPlace) {
    platform.WriteFile("poem.txt", Rows(GetParam().rows));
    ASSERT_TRUE(Load("poem.txt"));
    const auto& saved = GetParam().saved.empty() ? GetParam().rows : GetParam().saved;
    EXPECT_EQ(workspace.ScansionFileBytes(), Rows(saved));
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileRoundTripTest,
    testing::Values(FileRoundTripCase{"InnerEmptyValues",
                                      {"1\tsyllables\tt\t2\t\t4", "1\tstress\tt\t\t3",
                                       "1\tjuncture\tt\t1\t\t\t4", "1\tcomment\tt\t"},
                                      {}},
                    FileRoundTripCase{"CommentTabsBecomeSpaces",
                                      {"1\tsyllables\tt\ta", "1\tstress\tt\t1", "1\tjuncture\tt\t1",
                                       "1\tcomment\tt\tbefore\tafter\t\tend"},
                                      {"1\tsyllables\tt\ta", "1\tstress\tt\t1", "1\tjuncture\tt\t1",
                                       "1\tcomment\tt\tbefore after  end"}}),
    [](const auto& info) { return info.param.name; });

TEST_F(WriterTest, Windows1252FileSurvivesUnchanged) {
    const std::string bytes = ScansionFile(
        {{"\x93Tyger\x94 \x96 bright", {"Ty", "ger\x85"}, {"3", "1"}, {"1", "2"}, "na\xefve"},
         {"caf\xe9", {"caf\xe9"}, {"1"}, {"4"}, "\x80 5"}});
    platform.WriteFile("poem.txt", bytes);
    ASSERT_TRUE(Load("poem.txt"));
    ASSERT_TRUE(workspace.WriteScansionFile());
    EXPECT_EQ(platform.ReadFile("poem.txt"), bytes);
}

// --- Exit ----------------------------------------------------------------------------------

class QuitTest : public WriterTest {
protected:
    void SetUp() override {
        platform.WriteFile("poem.txt", kPoem);
        platform.WriteFile("RememberEarlierRun.txt", kMemory);
        ASSERT_TRUE(Load("poem.txt"));
        workspace.CurrentLine = 2;
        workspace.MaximumStress = 4;
        workspace.MinimumStress = 1;
        workspace.MaximumJuncture = 4;
        workspace.MinimumJuncture = 1;
        workspace.SpacingOfButtons = 1000;
        workspace.GetStore().SetComment(1, "edited");
    }
    void ExpectFilesUntouched() {
        EXPECT_EQ(platform.ReadFile("poem.txt"), kPoem);
        EXPECT_EQ(platform.ReadFile("RememberEarlierRun.txt"), kMemory);
    }

    const std::string kPoem = ScansionFile(
        {{"a b", {"a", "b"}, {"1", "2"}, {"3", "4"}, ""}, {"c", {"c"}, {"1"}, {"1"}, "x"}});
    const std::string kMemory = corvale::test::MemoryFile("poem.txt", "1");
};

TEST_F(QuitTest, NoEndsWithoutWriting) {
    platform.WillAnswer({Answer::No});
    EXPECT_TRUE(Quit());
    EXPECT_TRUE(platform.Ended());
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].kind, ScriptedPlatform::Kind::YesNo);
    EXPECT_EQ(platform.Messages()[0].text, "Save changes?");
    EXPECT_EQ(platform.WriteCount(), 0);
    ExpectFilesUntouched();
}

TEST_F(QuitTest, YesWritesBothFilesAndEnds) {
    platform.WillAnswer({Answer::Yes});
    EXPECT_TRUE(Quit());
    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>{"Save changes?"});
    EXPECT_EQ(platform.ReadFile("poem.txt"),
              ScansionFile({{"a b", {"a", "b"}, {"1", "2"}, {"3", "4"}, "edited"},
                            {"c", {"c"}, {"1"}, {"1"}, "x"}}));
    EXPECT_EQ(platform.ReadFile("RememberEarlierRun.txt"),
              corvale::test::MemoryFile("poem.txt", "2", "4", "1", "4", "1", "1000"));
}

TEST_F(QuitTest, FailedWriteSaysSoAndKeepsRunning) {
    platform.FailWrites(true);
    platform.WillAnswer({Answer::Yes});
    EXPECT_FALSE(Quit());
    EXPECT_FALSE(platform.Ended());
    EXPECT_EQ(platform.MessageTexts(), (std::vector<QString>{"Save changes?", kWriteFailed}));
    EXPECT_EQ(platform.Messages()[1].kind, ScriptedPlatform::Kind::Ok);
    ExpectFilesUntouched();
    EXPECT_EQ(workspace.Comments(1), "edited");
    EXPECT_EQ(workspace.CurrentLine, 2);

    // Once the file is free again, Exit runs afresh from the question and saves.
    platform.FailWrites(false);
    platform.WillAnswer({Answer::Yes});
    EXPECT_TRUE(Quit());
    EXPECT_EQ(platform.Messages().size(), 3u);
    EXPECT_NE(platform.ReadFile("poem.txt"), kPoem);
}

// Nothing unsaved belongs there, so the folder is left alone and only the place is kept.
TEST_F(QuitTest, FolderInPlaceOfTheScansionFileIsLeftAlone) {
    ASSERT_TRUE(QFile::remove(platform.PathOf("poem.txt")));
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkdir("poem.txt"));
    platform.WillAnswer({Answer::Yes});
    EXPECT_TRUE(Quit());
    EXPECT_EQ(platform.MessageTexts(), (std::vector<QString>{"Save changes?"}));
    EXPECT_TRUE(QFileInfo(platform.PathOf("poem.txt")).isDir());
    EXPECT_EQ(platform.ReadFile("RememberEarlierRun.txt"),
              corvale::test::MemoryFile("poem.txt", "2", "4", "1", "4", "1", "1000"));
}

TEST_F(QuitTest, MemoryFileFailureAfterScansionFileIsReported) {
    ASSERT_TRUE(QFile::remove(platform.PathOf("RememberEarlierRun.txt")));
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkdir("RememberEarlierRun.txt"));
    platform.WillAnswer({Answer::Yes});
    EXPECT_FALSE(Quit());
    EXPECT_FALSE(platform.Ended());
    EXPECT_EQ(platform.MessageTexts(), (std::vector<QString>{"Save changes?", kWriteFailed}));
}

TEST_F(QuitTest, ReadOnlyFolderLeavesBothFiles) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    QFile folder(platform.ProgramFolder());
    const auto permissions = folder.permissions();
    ASSERT_TRUE(folder.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    platform.WillAnswer({Answer::Yes});
    const bool ended = Quit();
    ASSERT_TRUE(folder.setPermissions(permissions));
    EXPECT_FALSE(ended);
    EXPECT_EQ(platform.MessageTexts(), (std::vector<QString>{"Save changes?", kWriteFailed}));
    ExpectFilesUntouched();
}

// --- Committing the working copy -----------------------------------------------------------

TEST_F(WriterTest, CommitCopiesEveryPositionAndTheComment) {
    Size(2, 3);
    Set(2, "line", "old", {"a", "b", "c"}, {"1", "2", "3"}, {"4", "4", "4"});
    workspace.CurrentLine = 2;
    workspace.CurrentSyllables = {"", "ab", "", "c"};
    workspace.CurrentStresses = {"", "2", "", "3"};
    workspace.CurrentJunctures = {"", "4", "", ""};
    workspace.CommitWorkingCopy("new\r\ncomment");
    EXPECT_EQ(workspace.Syllables(2, 1), "ab");
    EXPECT_EQ(workspace.Syllables(2, 2), "");
    EXPECT_EQ(workspace.Syllables(2, 3), "c");
    EXPECT_EQ(workspace.Stresses(2, 1), "2");
    EXPECT_EQ(workspace.Junctures(2, 3), "");
    EXPECT_EQ(workspace.Comments(2), "new\r\ncomment");
    EXPECT_EQ(workspace.LineText(2), "line");
    EXPECT_EQ(workspace.LineText(1), "");
}

TEST_F(WriterTest, CommitIgnoresPositionZero) {
    Size(1, 2);
    workspace.CurrentLine = 1;
    workspace.CurrentSyllables = {"zero", "one", "two"};
    workspace.CommitWorkingCopy("");
    EXPECT_EQ(workspace.Syllables(1, 0), "");
    EXPECT_EQ(workspace.Syllables(1, 1), "one");
    EXPECT_EQ(workspace.Syllables(1, 2), "two");
}

}  // namespace
