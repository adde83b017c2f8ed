// Unsaved corrections: which commits make the store modified, and saving it without leaving.

#include "editor/WorkingLine.h"
#include "scansion/Journal.h"
#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using corvale::Answer;
using corvale::Document;
using corvale::ValueRow;
using corvale::Workspace;
using corvale::editor::WorkingLine;
using corvale::test::EndsTheProgram;
using corvale::test::MemoryFile;
using corvale::test::ScansionFile;
using corvale::test::ScriptedPlatform;
using Names = std::vector<std::string>;

const QString kSaveFailed =
    "I've hit a problem:  perhaps the file you are working on is open in another program.  If "
    "so, please close that program and try saving again.";

class SavingTest : public testing::Test {
protected:
    void SetUp() override {
        platform.WriteFile("poem.txt", kPoem);
        platform.WriteFile("RememberEarlierRun.txt", kMemory);
        workspace.Settings().Read();
        ASSERT_FALSE(EndsTheProgram([&] { workspace.LoadWorkingFile(); }));
        ShowLine(1);
    }
    // Fills the working line from the document, as showing the line does.
    void ShowLine(std::int32_t j) {
        workspace.SetCurrentLine(j);
        line.Load(workspace.Doc().GetStore(), j, workspace.Doc().Positions());
    }
    bool Commit() {
        return workspace.CommitLine(line.Values(),
                                    workspace.Doc().Comment(workspace.CurrentLine()));
    }

    const std::string kPoem = ScansionFile(
        {{"a b", {"a", "b"}, {"1", "2"}, {"3", "4"}, "note"}, {"c", {"c"}, {"1"}, {"1"}, ""}});
    const std::string kMemory = MemoryFile("poem.txt", "1");
    ScriptedPlatform platform;
    Workspace workspace{platform};
    WorkingLine line;
};

// ---- which commits leave unsaved corrections ----------------------------------------------

struct CommitCase {
    const char* name;
    std::int32_t line;
    std::function<void(WorkingLine&)> edit;
    std::string comment;  // "=" commits the stored comment
    bool modifies;
};

class CommitModifies : public SavingTest, public testing::WithParamInterface<CommitCase> {};

TEST_P(CommitModifies, OnlyARealChangeToAVerseLine) {
    const CommitCase& c = GetParam();
    ShowLine(c.line);
    c.edit(line);
    const std::string comment =
        c.comment == "=" ? std::string(workspace.Doc().Comment(c.line)) : c.comment;
    EXPECT_EQ(workspace.CommitLine(line.Values(), comment), c.modifies);
    EXPECT_EQ(workspace.Doc().IsModified(), c.modifies);
    EXPECT_EQ(workspace.Doc().IsLineChanged(c.line), c.modifies);
    EXPECT_EQ(workspace.Doc().ChangedLineCount(), c.modifies ? 1 : 0);
    EXPECT_EQ(platform.Exists(".poem.txt.corvale-journal"), c.modifies) << "journaled";
}

INSTANTIATE_TEST_SUITE_P(
    Saving, CommitModifies,
    testing::Values(
        CommitCase{"UnchangedLine", 1, [](WorkingLine&) {}, "=", false},
        CommitCase{"Juncture", 2, [](WorkingLine& w) { w.Set(ValueRow::Junctures, 1, "2"); }, "=",
                   true},
        CommitCase{"Comment", 2, [](WorkingLine&) {}, "new", true},
        CommitCase{"EmptiedPositionAfterAMerge", 1, [](WorkingLine& w) { w.Merge(1); }, "=", true},
        CommitCase{"SteppedBackToTheSameValue", 1,
                   [](WorkingLine& w) { w.Set(ValueRow::Stresses, 1, "1"); }, "=", false},
        CommitCase{"RowZeroIsNeverSaved", 0,
                   [](WorkingLine& w) { w.Set(ValueRow::Syllables, 1, "x"); }, "typed", false}),
    [](const auto& info) { return info.param.name; });

TEST_F(SavingTest, ChangedLinesAreCountedOnceAndForgottenOnSaveAndLoad) {
    line.Set(ValueRow::Stresses, 1, "2");
    ASSERT_TRUE(Commit());
    line.Set(ValueRow::Stresses, 1, "3");
    ASSERT_TRUE(Commit());
    ShowLine(2);
    line.Set(ValueRow::Syllables, 1, "C");
    ASSERT_TRUE(Commit());
    EXPECT_EQ(workspace.Doc().ChangedLineCount(), 2);
    ASSERT_EQ(workspace.SaveFiles(), Document::SaveResult::Saved);
    EXPECT_FALSE(workspace.Doc().IsModified());
    EXPECT_EQ(workspace.Doc().ChangedLineCount(), 0);

    line.Set(ValueRow::Syllables, 1, "D");
    ASSERT_TRUE(Commit());
    ASSERT_FALSE(EndsTheProgram([&] { workspace.LoadWorkingFile(); }));
    EXPECT_FALSE(workspace.Doc().IsModified());
    EXPECT_EQ(workspace.Doc().ChangedLineCount(), 0);
}

// ---- Save ----------------------------------------------------------------------------------

// A device that fails after any number of bytes: both old files stay byte for byte, the
// failure is reported, and the corrections stay unsaved for the next try, which writes both
// files, asks nothing and keeps running.
TEST_F(SavingTest, FailureAtEveryByteOfASaveLeavesBothOldFiles) {
    line.Set(ValueRow::Syllables, 1, "A");
    workspace.SetCurrentLine(2);  // line 1's working copy goes into line 2
    ASSERT_TRUE(workspace.CommitLine(line.Values(), "changed"));
    const std::size_t total = workspace.Doc().ScansionFileBytes().size() +
                              workspace.Settings().Bytes(workspace.CurrentLine()).size();
    for (std::size_t offset = 0; offset < total; ++offset) {
        platform.FailWritesAfter(offset);
        workspace.Save();
        ASSERT_EQ(platform.Messages().size(), offset + 1) << "at byte " << offset;
        ASSERT_EQ(platform.Messages().back().text, kSaveFailed) << "at byte " << offset;
        ASSERT_EQ(platform.ReadFile("poem.txt"), kPoem) << "at byte " << offset;
        ASSERT_EQ(platform.ReadFile("RememberEarlierRun.txt"), kMemory) << "at byte " << offset;
        ASSERT_TRUE(workspace.Doc().IsModified());
    }
    EXPECT_EQ(platform.Messages()[0].kind, ScriptedPlatform::Kind::Ok);
    // No failure left a temporary file behind, and the journal still holds the correction.
    EXPECT_EQ(platform.FileNames(),
              (Names{".poem.txt.corvale-journal", "RememberEarlierRun.txt", "poem.txt"}));
    platform.FailWritesAfter(total);
    workspace.Save();
    EXPECT_EQ(platform.Messages().size(), total);
    EXPECT_FALSE(platform.Ended());
    EXPECT_FALSE(workspace.Doc().IsModified());
    EXPECT_EQ(platform.ReadFile("poem.txt"),
              ScansionFile({{"a b", {"a", "b"}, {"1", "2"}, {"3", "4"}, "note"},
                            {"c", {"A", "b"}, {"1", "2"}, {"3", "4"}, "changed"}}));
    EXPECT_EQ(platform.ReadFile("RememberEarlierRun.txt"), MemoryFile("poem.txt", "2"));
    EXPECT_EQ(platform.FileNames(), (Names{"RememberEarlierRun.txt", "poem.txt"}));
}

// A hidden file is never loaded, so nothing of this run may go into it.
TEST_F(SavingTest, HiddenFileThatWasNotLoadedIsLeftAlone) {
    platform.WriteFile(".poem.txt", kPoem);
    platform.WriteFile("RememberEarlierRun.txt", MemoryFile(".poem.txt", "1"));
    workspace.Settings().Read();
    ASSERT_FALSE(EndsTheProgram([&] { workspace.LoadWorkingFile(); }));
    ASSERT_EQ(workspace.Doc().NumberOfLines(), 0);
    platform.WillAnswer({Answer::Yes});
    EXPECT_TRUE(EndsTheProgram([&] { workspace.Exit(); }));
    EXPECT_EQ(platform.ReadFile(".poem.txt"), kPoem);
}

// Corrections kept aside are kept once, however often the save is tried, and Exit's Yes then
// ends the program: a second window had saved over the file this one opened.
TEST_F(SavingTest, CorrectionsKeptAsideAreKeptOnceAndLetTheProgramEnd) {
    workspace.Doc().OfferJournal();
    line.Set(ValueRow::Syllables, 1, "A");
    ASSERT_TRUE(Commit());
    platform.WriteFile("poem.txt", "theirs");
    ASSERT_EQ(workspace.SaveFiles(), Document::SaveResult::KeptAside);
    ASSERT_EQ(workspace.SaveFiles(), Document::SaveResult::KeptAside);
    ASSERT_TRUE(platform.Exists(corvale::JournalName("poem.txt")));
    platform.WillAnswer({Answer::Yes});
    EXPECT_TRUE(EndsTheProgram([&] { workspace.Exit(); }));
    EXPECT_FALSE(platform.Exists("poem.txt.unsaved-corrections-2.txt"));
    EXPECT_FALSE(platform.Exists(corvale::JournalName("poem.txt")));
}

// ---- what a save may write over ------------------------------------------------------------

TEST_F(SavingTest, ALinkToTheLoadedFileIsSavedThrough) {
    line.Set(ValueRow::Syllables, 1, "A");
    ASSERT_TRUE(Commit());
    ASSERT_TRUE(QFile::rename(platform.PathOf("poem.txt"), platform.PathOf("real.txt")));
    ASSERT_TRUE(QFile::link("real.txt", platform.PathOf("poem.txt")));
    EXPECT_EQ(workspace.SaveFiles(), Document::SaveResult::Saved);
    EXPECT_EQ(platform.ReadFile("poem.txt"), workspace.Doc().ScansionFileBytes());
    EXPECT_NE(platform.ReadFile("poem.txt"), kPoem);
}

struct TargetCase {
    const char* name;
    std::function<void(ScriptedPlatform&)> beforeSave;  // after a correction to poem.txt
    const char* keptName;                               // where the corrections go instead
};

class SaveTarget : public SavingTest, public testing::WithParamInterface<TargetCase> {};

// Whatever stood at the name stands as it was; the corrections wait in a visible file of their
// own, and the memory file is not touched by a save that did not happen.
TEST_P(SaveTarget, LeavesWhatWasNotLoadedAlone) {
    line.Set(ValueRow::Syllables, 1, "A");
    ASSERT_TRUE(Commit());
    GetParam().beforeSave(platform);
    const QFileInfo before(platform.PathOf("poem.txt"));
    const std::string held = before.isFile() ? platform.ReadFile("poem.txt") : std::string();

    EXPECT_EQ(workspace.SaveFiles(), Document::SaveResult::KeptAside);
    EXPECT_TRUE(workspace.Doc().IsModified());
    const QFileInfo after(platform.PathOf("poem.txt"));
    EXPECT_EQ(after.isDir(), before.isDir());
    EXPECT_EQ(after.isSymLink(), before.isSymLink());
    EXPECT_EQ(before.isFile() ? platform.ReadFile("poem.txt") : std::string(), held);
    EXPECT_EQ(platform.ReadFile("RememberEarlierRun.txt"), kMemory);
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<QString>{QString("Corvale did not save your corrections over poem.txt, "
                                           "because what is there now is not the file Corvale "
                                           "opened.  They are kept in ") +
                                   GetParam().keptName + "."});
    const std::string keptBytes = platform.ReadFile(GetParam().keptName);
    const corvale::JournalContents kept = corvale::ReadJournal(keptBytes);
    ASSERT_EQ(kept.records.size(), 1u);
    EXPECT_EQ(kept.records[0].syllables, (std::vector<std::string_view>{"A", "b"}));
}

constexpr char kKept[] = "poem.txt.unsaved-corrections.txt";

// Takes poem.txt away, so that something else can stand in its place.
void Remove(ScriptedPlatform& p) {
    QFile::remove(p.PathOf("poem.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Saving, SaveTarget,
    testing::Values(TargetCase{"SameSizeOtherBytes",
                               [](ScriptedPlatform& p) {
                                   std::string bytes = p.ReadFile("poem.txt");
                                   bytes[bytes.size() - 3] = 'x';
                                   p.WriteFile("poem.txt", bytes);
                               },
                               kKept},
                    TargetCase{"AFolder",
                               [](ScriptedPlatform& p) {
                                   Remove(p);
                                   QDir(p.ProgramFolder()).mkdir("poem.txt");
                               },
                               kKept},
                    TargetCase{"AFifoNeverBlocks",
                               [](ScriptedPlatform& p) {
                                   Remove(p);
                                   ASSERT_EQ(mkfifo(p.FilePath("poem.txt").c_str(), 0600), 0);
                               },
                               kKept},
                    TargetCase{"ALinkToNothing",
                               [](ScriptedPlatform& p) {
                                   Remove(p);
                                   QFile::link("gone.txt", p.PathOf("poem.txt"));
                               },
                               kKept},
                    TargetCase{"AKeptFileIsNeverOverwritten",
                               [](ScriptedPlatform& p) {
                                   p.WriteFile("poem.txt", "changed");
                                   p.WriteFile(kKept, "older");
                               },
                               "poem.txt.unsaved-corrections-2.txt"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
