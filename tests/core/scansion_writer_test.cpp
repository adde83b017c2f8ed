#include "scansion/RecordFormat.h"
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
    // An empty store of the given size, as a survey sizes it.
    void Size(std::int32_t lines, std::int32_t width) {
        store.Redimension(lines, width);
        positions = width;
    }
    void Set(std::int32_t j, std::string_view text, std::string_view comment, Views syllables,
             Views stresses = {}, Views junctures = {}) {
        store.SetRecord(j, text, comment, syllables, stresses, junctures);
    }
    std::string Bytes() const { return corvale::ScansionFileBytes(store, positions); }
    // The store becomes the workspace's document, as a load makes it.
    void Adopt() {
        corvale::LoadedScansion file;
        file.store = std::move(store);
        workspace.Doc().Take("poem.txt", std::move(file));
    }
    bool Load(const std::string& name) {
        workspace.Settings().SetWorkingFileName(name);
        return !EndsTheProgram([&] { workspace.LoadWorkingFile(); });
    }
    // Runs Exit as the window does; true when the program ended.
    bool Quit() {
        return EndsTheProgram([&] { workspace.Exit(); });
    }

    ScriptedPlatform platform;
    Workspace workspace{platform};
    corvale::Store store;
    std::int32_t positions = 0;
};

// --- Format --------------------------------------------------------------------------------

TEST_F(WriterTest, WritesFourRowsPerVerseLine) {
    Size(2, 3);
    Set(1, "Hark the lark", "sung", {"Hark", "the", "lark"}, {"3", "1", "3"}, {"1", "2", "4"});
    Set(2, "Oh", "", {"Oh"}, {"2"}, {"4"});
    EXPECT_EQ(Bytes(),
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
    EXPECT_EQ(Bytes(), Rows({"1\tsyllables\tt" + GetParam().written, "1\tstress\tt",
                             "1\tjuncture\tt", "1\tcomment\tt\t"}));
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
    EXPECT_EQ(Bytes(),
              Rows({"1\tsyllables\t  spaced text  \ta\tb", "1\tstress\t  spaced text  \t1",
                    "1\tjuncture\t  spaced text  ", "1\tcomment\t  spaced text  \t  a note  "}));
}

TEST_F(WriterTest, WhollyEmptyVerseLineIsStillWritten) {
    Size(2, 3);
    Set(2, "x", "", {"x"}, {"1"}, {"1"});
    EXPECT_EQ(Bytes(), Rows({"1\tsyllables\t", "1\tstress\t", "1\tjuncture\t", "1\tcomment\t\t",
                             "2\tsyllables\tx\tx", "2\tstress\tx\t1", "2\tjuncture\tx\t1",
                             "2\tcomment\tx\t"}));
}

TEST_F(WriterTest, NoVerseLinesWritesAnEmptyFile) {
    Size(0, 4);
    EXPECT_EQ(Bytes(), "");
    platform.WriteFile("poem.txt", "old contents");
    ASSERT_TRUE(platform.ReplaceFile("poem.txt", Bytes()));
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
    EXPECT_EQ(Bytes(), Rows({"1\tsyllables\tt", "1\tstress\tt", "1\tjuncture\tt",
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
    EXPECT_EQ(Bytes(), Rows({"1\tsyllables\ta b c\tx y", "1\tstress\ta b c\t1",
                             "1\tjuncture\ta b c", "1\tcomment\ta b c\t"}));
}

TEST_F(WriterTest, WritesOnlyPositionsUpToTheMaximum) {
    Size(1, 2);
    positions = 1;
    Set(1, "t", "", {"a", "b"});
    EXPECT_TRUE(Bytes().starts_with("1\tsyllables\tt\ta\r\n1\tstress"));
}

TEST_F(WriterTest, WriteFailureLeavesTheOldFile) {
    Size(1, 1);
    Set(1, "new", "", {"n"});
    platform.WriteFile("poem.txt", "old");
    platform.FailWrites(true);
    EXPECT_FALSE(platform.ReplaceFile("poem.txt", Bytes()));
    EXPECT_EQ(platform.ReadFile("poem.txt"), "old");
}

// --- Round trips ---------------------------------------------------------------------------

class SampleRoundTripTest : public WriterTest, public testing::WithParamInterface<const char*> {};

TEST_P(SampleRoundTripTest, LoadThenSaveIsByteExact) {
    const std::string poem = GetParam();
    const std::string bytes = SampleFile(poem, poem + ".txt");
    platform.WriteFile("poem.txt", bytes);
    ASSERT_TRUE(Load("poem.txt"));
    EXPECT_GT(workspace.Doc().NumberOfLines(), 0);
    EXPECT_EQ(workspace.Doc().ScansionFileBytes(), bytes);
    ASSERT_TRUE(platform.ReplaceFile("poem.txt", workspace.Doc().ScansionFileBytes()));
    EXPECT_EQ(platform.ReadFile("poem.txt"), bytes);
    EXPECT_TRUE(platform.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleRoundTripTest,
                         testing::Values("sonnet18", "sonnet116", "tyger"));

TEST_F(WriterTest, SaveThenLoadGivesTheStoreBack) {
    Size(3, 4);
    Set(1, "first line", "a note", {"first", "", "line"}, {"1", "3"}, {"2", "", "", "4"});
    Set(3, "third\xe9", "caf\xe9", {"th", "ird"}, {"4"}, {"1", "1"});
    ASSERT_TRUE(platform.ReplaceFile("poem.txt", Bytes()));
    const std::string saved = platform.ReadFile("poem.txt");

    Workspace reloaded(platform);
    reloaded.Settings().SetWorkingFileName("poem.txt");
    reloaded.LoadWorkingFile();
    EXPECT_EQ(reloaded.Doc().NumberOfLines(), 3);
    EXPECT_EQ(reloaded.Doc().Positions(), 4);
    EXPECT_EQ(reloaded.Doc().Syllable(1, 2), "");  // blank values keep their positions
    EXPECT_EQ(reloaded.Doc().Syllable(1, 3), "line");
    EXPECT_EQ(reloaded.Doc().Juncture(1, 3), "");
    EXPECT_EQ(reloaded.Doc().Juncture(1, 4), "4");
    EXPECT_EQ(reloaded.Doc().Comment(1), "a note");
    EXPECT_EQ(reloaded.Doc().LineText(2), "");
    EXPECT_EQ(reloaded.Doc().LineText(3), "third\xe9");
    EXPECT_EQ(reloaded.Doc().Comment(3), "caf\xe9");
    EXPECT_EQ(reloaded.Doc().ScansionFileBytes(), saved);
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
    EXPECT_EQ(workspace.Doc().ScansionFileBytes(), Rows(saved));
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
    ASSERT_TRUE(platform.ReplaceFile("poem.txt", workspace.Doc().ScansionFileBytes()));
    EXPECT_EQ(platform.ReadFile("poem.txt"), bytes);
}

// --- Exit ----------------------------------------------------------------------------------

class QuitTest : public WriterTest {
protected:
    void SetUp() override {
        platform.WriteFile("poem.txt", kPoem);
        platform.WriteFile("RememberEarlierRun.txt", kMemory);
        ASSERT_TRUE(Load("poem.txt"));
        workspace.SetCurrentLine(2);
        workspace.Settings().SetBounds({4, 1, 4, 1});
        workspace.Settings().SetSpacing(1000);
        // The document holds a comment the file does not, without counting as modified.
        auto file = std::get<corvale::LoadedScansion>(corvale::ReadScansionBytes(kPoem));
        file.store.SetComment(1, "edited");
        workspace.Doc().Take("poem.txt", std::move(file));
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
    EXPECT_EQ(workspace.Doc().Comment(1), "edited");
    EXPECT_EQ(workspace.CurrentLine(), 2);

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

// --- The line on screen, changed and not yet committed ---------------------------------------

struct ScreenCase {
    const char* name;
    void (*leave)(Workspace&);
    std::vector<Answer> answers;
    bool kept;  // the change on screen reaches the file
};

class LineOnScreen : public QuitTest, public testing::WithParamInterface<ScreenCase> {};

// Save and a Yes keep it as a commit would; the close box asks for it alone; only No drops it.
TEST_P(LineOnScreen, IsKeptOrAskedAboutNeverDroppedUnasked) {
    const ScreenCase& c = GetParam();
    const std::vector<std::string> syllables{"a", "b"}, stresses{"3", "2"}, junctures{"3", "4"};
    bool changed = true;
    workspace.OnLineOnScreen(
        {[&] { return changed; },
         [&] {
             changed = !workspace.CommitLine({syllables, stresses, junctures}, "");
         }});
    platform.WillAnswer(c.answers);
    EndsTheProgram([&] { c.leave(workspace); });
    EXPECT_EQ(platform.Messages().size(), c.answers.size());
    EXPECT_EQ(platform.ReadFile("poem.txt").find("\t3\t2") != std::string::npos, c.kept);
    workspace.OnLineOnScreen({});  // its functions hold this test's locals
}

INSTANTIATE_TEST_SUITE_P(
    Leaving, LineOnScreen,
    testing::Values(ScreenCase{"Save", [](Workspace& w) { w.Save(); }, {}, true},
                    ScreenCase{"ExitYes", [](Workspace& w) { w.Exit(); }, {Answer::Yes}, true},
                    ScreenCase{"ExitNo", [](Workspace& w) { w.Exit(); }, {Answer::No}, false},
                    ScreenCase{
                        "CloseBoxYes", [](Workspace& w) { w.QueryClose(); }, {Answer::Yes}, true}),
    [](const testing::TestParamInfo<ScreenCase>& info) { return std::string(info.param.name); });

// --- Committing the working copy -----------------------------------------------------------

TEST_F(WriterTest, CommitCopiesEveryPositionAndTheComment) {
    Size(2, 3);
    Set(2, "line", "old", {"a", "b", "c"}, {"1", "2", "3"}, {"4", "4", "4"});
    Adopt();
    workspace.SetCurrentLine(2);
    const std::vector<std::string> syllables = {"ab", "", "c"}, stresses = {"2", "", "3"},
                                   junctures = {"4", "", ""};
    workspace.CommitLine({syllables, stresses, junctures}, "new\r\ncomment");
    EXPECT_EQ(workspace.Doc().Syllable(2, 1), "ab");
    EXPECT_EQ(workspace.Doc().Syllable(2, 2), "");
    EXPECT_EQ(workspace.Doc().Syllable(2, 3), "c");
    EXPECT_EQ(workspace.Doc().Stress(2, 1), "2");
    EXPECT_EQ(workspace.Doc().Juncture(2, 3), "");
    EXPECT_EQ(workspace.Doc().Comment(2), "new\r\ncomment");
    EXPECT_EQ(workspace.Doc().LineText(2), "line");
    EXPECT_EQ(workspace.Doc().LineText(1), "");
}

TEST_F(WriterTest, CommitKeepsToTheDocumentsPositions) {
    Size(1, 2);
    Adopt();
    workspace.SetCurrentLine(1);
    const std::vector<std::string> syllables = {"one", "two", "three"};
    workspace.CommitLine({syllables, {}, {}}, "");
    EXPECT_EQ(workspace.Doc().Syllable(1, 0), "");
    EXPECT_EQ(workspace.Doc().Syllable(1, 1), "one");
    EXPECT_EQ(workspace.Doc().Syllable(1, 2), "two");
    EXPECT_EQ(workspace.Doc().Syllable(1, 3), "");
}

}  // namespace
