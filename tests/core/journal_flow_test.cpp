// The journal at work: what a run writes to it, when it goes, and what the next load
// makes of one a crash left behind.

#include "editor/EditRules.h"
#include "editor/WorkingLine.h"
#include "scansion/Journal.h"
#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using corvale::Answer;
using corvale::Escape;
using corvale::IdentityOf;
using corvale::JournalContents;
using corvale::JournalHeader;
using corvale::ReadJournal;
using corvale::ValueRow;
using corvale::Workspace;
using corvale::editor::WorkingLine;
using corvale::test::EndsTheProgram;
using corvale::test::MemoryFile;
using corvale::test::ScansionFile;
using corvale::test::ScriptedPlatform;
using corvale::test::Verse;
using Names = std::vector<std::string>;
using Texts = std::vector<QString>;

constexpr char kPoem[] = "poem.txt";
constexpr char kJournal[] = ".poem.txt.corvale-journal";
constexpr char kKept[] = "poem.txt.unsaved-corrections.txt";
constexpr char kMemory[] = "RememberEarlierRun.txt";

const std::vector<Verse> kVerses = {{"a b", {"a", "b"}, {"1", "2"}, {"3", "4"}, ""},
                                    {"c d", {"c", "d"}, {"1", "1"}, {"2", "2"}, "x"},
                                    {"e", {"e"}, {"1"}, {"1"}, ""}};

const QString kCannotKeep =
    "Corvale cannot keep a safety copy of your corrections to poem.txt.  They are safe only once "
    "you save.";
QString Restore(const QString& lines) {
    return "Corvale ended last time without saving your corrections to " + lines +
           " of poem.txt.  Restore them?";
}
QString KeptAside(const QString& kept) {
    return "Corvale found corrections to poem.txt that were never saved, but the file has changed "
           "since.  They were not applied; they are kept in " +
           kept + ".";
}

// One run of the program over the scripted folder, as start-up drives the workspace.
class ProgramRun {
public:
    explicit ProgramRun(ScriptedPlatform& platform) : workspace(platform) {}

    // Loads the poem and offers a journal back; the line that would be shown.
    std::int32_t Start() {
        workspace.Settings().Read();
        EXPECT_FALSE(EndsTheProgram([&] { workspace.LoadWorkingFile(); }));
        const std::optional<std::int32_t> restored = workspace.Doc().OfferJournal();
        workspace.SetCurrentLine(restored.value_or(workspace.Settings().LastLineDone()));
        return workspace.CurrentLine();
    }
    // Sets the first stress of a verse line and commits it, as the window would.
    bool Correct(std::int32_t j, const std::string& stress = "3") {
        workspace.SetCurrentLine(j);
        line.Load(workspace.Doc().GetStore(), j, workspace.Doc().Positions());
        line.Set(ValueRow::Stresses, 1, stress);
        return workspace.CommitLine(line.Values(), std::string(workspace.Doc().Comment(j)));
    }

    Workspace workspace;
    WorkingLine line;
};

class JournalFlow : public testing::Test {
protected:
    void SetUp() override {
        platform.WriteFile(kPoem, poem);
        platform.WriteFile(kMemory, MemoryFile(kPoem, "1"));
    }
    JournalContents Journal() const {
        return ReadJournal(journalBytes = platform.ReadFile(kJournal));
    }
    // A run that commits corrections to these lines, then is killed: nothing is saved
    // and no destructor of the program's own runs (the workspace is simply abandoned).
    void Crash(const std::vector<std::int32_t>& lines) {
        auto run = std::make_unique<ProgramRun>(platform);
        run->Start();
        for (const std::int32_t line : lines) {
            ASSERT_TRUE(run->Correct(line));
        }
        crashed.push_back(std::move(run));
    }

    const std::string poem = ScansionFile(kVerses);
    ScriptedPlatform platform;
    mutable std::string journalBytes;  // what the records read last point into
    std::vector<std::unique_ptr<ProgramRun>> crashed;
};

// ---- what a run writes --------------------------------------------------------------------

// A file another running Corvale holds open keeps that run's journal: this run neither offers it
// back nor writes over it, and says why once.
TEST_F(JournalFlow, AFileOpenInAnotherRunLeavesThatRunsJournalAlone) {
    platform.WriteFile(kJournal, "theirs");
    QLockFile other(QString::fromStdString(platform.FilePath(std::string(kJournal) + ".lock")));
    ASSERT_TRUE(other.tryLock(0));
    ProgramRun run(platform);
    run.Start();
    ASSERT_TRUE(run.Correct(1));
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_TRUE(platform.MessageTexts()[0].startsWith("poem.txt is open in another Corvale"));
    EXPECT_EQ(platform.ReadFile(kJournal), "theirs");
}

// A save removes the journal; one left by a crash between a save's renames and the journal's
// removal is one the file already holds, and goes without a question.
TEST_F(JournalFlow, EveryChangingCommitIsOnDiskUntilSaved) {
    ProgramRun run(platform);
    run.Start();
    ASSERT_TRUE(run.Correct(1));
    ASSERT_TRUE(run.Correct(3));  // the last line: the exit question comes next, on it
    const std::string unsaved = platform.ReadFile(kJournal);
    JournalContents journal = ReadJournal(unsaved);
    EXPECT_EQ(journal.identity, IdentityOf(poem));
    ASSERT_EQ(journal.records.size(), 2u);
    EXPECT_EQ(journal.records[0].stresses[0], "3");
    EXPECT_EQ(journal.records[0].lineShownAfter, 2);
    EXPECT_EQ(journal.records[1].lineShownAfter, 3);
    ASSERT_EQ(run.workspace.SaveFiles(), corvale::Document::SaveResult::Saved);
    EXPECT_FALSE(platform.Exists(kJournal));

    platform.WriteFile(kJournal, unsaved);
    ProgramRun next(platform);
    next.Start();
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_FALSE(platform.Exists(kJournal));
    EXPECT_FALSE(next.workspace.Doc().IsModified());
    ASSERT_TRUE(next.Correct(2));
    journal = Journal();
    EXPECT_EQ(journal.identity, IdentityOf(platform.ReadFile(kPoem)));
    ASSERT_EQ(journal.records.size(), 1u);
    EXPECT_EQ(journal.records[0].line, 2);
}

struct GiveUpCase {
    const char* name;
    Answer answer;
    std::function<void(Workspace&)> leave;
};

class GivingUp : public JournalFlow, public testing::WithParamInterface<GiveUpCase> {};

TEST_P(GivingUp, OnlyAnExplicitNoRemovesTheJournal) {
    ProgramRun run(platform);
    run.Start();
    ASSERT_TRUE(run.Correct(1));
    platform.WillAnswer({GetParam().answer});
    platform.WriteFile("poem.meter.txt", "S\tW\r\n");
    EndsTheProgram([&] { GetParam().leave(run.workspace); });
    EXPECT_EQ(platform.Exists(kJournal), GetParam().answer != Answer::No);
    EXPECT_EQ(platform.ReadFile(kPoem), poem);
}

INSTANTIATE_TEST_SUITE_P(
    Journal, GivingUp,
    testing::Values(GiveUpCase{"ExitNo", Answer::No, [](Workspace& w) { w.Exit(); }},
                    GiveUpCase{"ExitWithdrawn", Answer::Withdrawn, [](Workspace& w) { w.Exit(); }},
                    GiveUpCase{"CloseBoxNo", Answer::No, [](Workspace& w) { w.QueryClose(); }},
                    GiveUpCase{"SwitchNo", Answer::No,
                               [](Workspace& w) { w.SwitchWorkingFile(kPoem, w.QuerySwitch()); }}),
    [](const auto& info) { return info.param.name; });

// A failed first write and a failed append are said once; the next commit writes every unsaved
// correction, not only its own.
TEST_F(JournalFlow, AJournalThatCannotBeWrittenIsSaidOnceAndWrittenWholeLater) {
    ProgramRun run(platform);
    run.Start();
    platform.FailWrites(true);
    ASSERT_TRUE(run.Correct(1));
    EXPECT_FALSE(platform.Exists(kJournal));
    platform.FailWrites(false);
    ASSERT_TRUE(run.Correct(2));
    platform.Fail({.appends = true});
    ASSERT_TRUE(run.Correct(3));
    platform.Fail({});
    ASSERT_TRUE(run.Correct(3, "2"));
    EXPECT_EQ(platform.MessageTexts(), Texts{kCannotKeep});
    const JournalContents journal = Journal();
    ASSERT_EQ(journal.records.size(), 3u);
    EXPECT_EQ(journal.records[0].line, 1);
    EXPECT_EQ(journal.records[2].stresses[0], "2");
}

// ---- what the next load makes of a journal ---------------------------------------------------

// The power went during the third append: the torn record is dropped, the whole ones come back.
TEST_F(JournalFlow, YesPutsTheWholeRecordsBackAtTheLineTheyReached) {
    Crash({1, 2, 3});
    std::string journal = platform.ReadFile(kJournal);
    journal.resize(journal.size() - 5);
    platform.WriteFile(kJournal, journal + "garbage");
    platform.WillAnswer({Answer::Withdrawn, Answer::Yes});
    ProgramRun next(platform);
    EXPECT_EQ(next.Start(), 3);
    ASSERT_EQ(platform.MessageTexts(), Texts{Restore("2 verse lines")});
    EXPECT_EQ(platform.Messages()[0].escape, Escape::Ignored);
    EXPECT_EQ(platform.IgnoredEscapes(), 1) << "Esc leaves the question waiting";
    EXPECT_EQ(next.workspace.Doc().Stress(1, 1), "3");
    EXPECT_EQ(next.workspace.Doc().Stress(2, 1), "3");
    EXPECT_EQ(next.workspace.Doc().Stress(3, 1), "1");
    EXPECT_EQ(next.workspace.Doc().ChangedLineCount(), 2);
    // The journal stays, written clean, and takes the next commit.
    EXPECT_FALSE(Journal().damaged);
    ASSERT_TRUE(next.Correct(3));
    EXPECT_EQ(Journal().records.size(), 3u);
    EXPECT_FALSE(Journal().damaged);
}

TEST_F(JournalFlow, NoOpensTheFileAsSavedAndRemovesTheJournal) {
    Crash({2});
    platform.WillAnswer({Answer::No});
    ProgramRun next(platform);
    EXPECT_EQ(next.Start(), 1);
    EXPECT_EQ(platform.MessageTexts(), Texts{Restore("1 verse line")});
    EXPECT_EQ(next.workspace.Doc().Stress(2, 1), "1");
    EXPECT_FALSE(next.workspace.Doc().IsModified());
    EXPECT_EQ(platform.FileNames(), (Names{kMemory, kPoem}));
}

TEST_F(JournalFlow, AJournalWithoutAWholeRecordGoesSilently) {
    Crash({1});
    const std::string journal = platform.ReadFile(kJournal);
    platform.WriteFile(kJournal, journal.substr(0, journal.find('\n') + 20));
    ProgramRun next(platform);
    next.Start();
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_FALSE(platform.Exists(kJournal));
}

struct KeptCase {
    const char* name;
    std::function<void(ScriptedPlatform&)> afterCrash;
    const char* kept;
};

class KeptAsideAtLoad : public JournalFlow, public testing::WithParamInterface<KeptCase> {};

TEST_P(KeptAsideAtLoad, NothingIsAppliedOrLost) {
    Crash({1});
    GetParam().afterCrash(platform);
    const std::string journal = platform.ReadFile(kJournal);
    const std::string file = platform.ReadFile(kPoem);

    ProgramRun next(platform);
    next.Start();
    EXPECT_EQ(platform.MessageTexts(), Texts{KeptAside(GetParam().kept)});
    EXPECT_FALSE(platform.Exists(kJournal));
    EXPECT_EQ(platform.ReadFile(GetParam().kept), journal);
    EXPECT_EQ(platform.ReadFile(kPoem), file);
    EXPECT_FALSE(next.workspace.Doc().IsModified());
    // Corrections made now start a journal of their own.
    ASSERT_TRUE(next.Correct(2));
    EXPECT_EQ(Journal().records.size(), 1u);
}

void ChangeTheFile(ScriptedPlatform& p) {
    p.WriteFile(kPoem, ScansionFile(kVerses) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Journal, KeptAsideAtLoad,
                         testing::Values(KeptCase{"FileChangedSince", ChangeTheFile, kKept},
                                         KeptCase{"AnEarlierKeptFileIsNeverOverwritten",
                                                  [](ScriptedPlatform& p) {
                                                      ChangeTheFile(p);
                                                      p.WriteFile(kKept, "an earlier one");
                                                  },
                                                  "poem.txt.unsaved-corrections-2.txt"},
                                         KeptCase{"UnreadableHeader",
                                                  [](ScriptedPlatform& p) {
                                                      std::string journal = p.ReadFile(kJournal);
                                                      journal[0] = 'X';
                                                      p.WriteFile(kJournal, journal);
                                                  },
                                                  kKept}),
                         [](const auto& info) { return info.param.name; });

TEST_F(JournalFlow, AFolderInTheJournalsPlaceIsLeftAloneAndSaidOnce) {
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkdir(kJournal));
    ProgramRun run(platform);
    run.Start();
    ASSERT_TRUE(run.Correct(1));
    ASSERT_TRUE(run.Correct(2));
    EXPECT_EQ(platform.MessageTexts(), Texts{kCannotKeep});
    EXPECT_EQ(run.workspace.SaveFiles(), corvale::Document::SaveResult::Saved);
    EXPECT_TRUE(QFileInfo(platform.PathOf(kJournal)).isDir());
}

// A line split past the file's width is journaled wider than the file: restoring widens the
// file with it, and a save writes the longer row.
TEST_F(JournalFlow, AWiderRecordRestoresAndWidensTheFile) {
    {
        ProgramRun run(platform);
        run.Start();
        Workspace& w = run.workspace;
        w.Doc().Widen(3);
        w.SetCurrentLine(1);
        const std::vector<std::string> syllables = {"a", "b", "c"}, stresses = {"1", "2", "1"},
                                       junctures = {"3", "1", "4"};
        ASSERT_TRUE(w.CommitLine({syllables, stresses, junctures}, ""));
        crashed.push_back(std::make_unique<ProgramRun>(platform));  // abandoned, as in a crash
    }
    platform.WillAnswer({Answer::Yes});
    ProgramRun next(platform);
    EXPECT_EQ(next.Start(), 2);
    EXPECT_EQ(platform.MessageTexts(), Texts{Restore("1 verse line")});
    Workspace& w = next.workspace;
    EXPECT_EQ(w.Doc().Positions(), 3);
    EXPECT_EQ(w.Doc().Syllable(1, 3), "c");
    EXPECT_EQ(w.Doc().Juncture(1, 3), "4");
    EXPECT_EQ(w.Doc().Syllable(2, 2), "d") << "other lines keep their values";
    ASSERT_EQ(w.SaveFiles(), corvale::Document::SaveResult::Saved);
    EXPECT_NE(platform.ReadFile(kPoem).find("1\tsyllables\ta b\ta\tb\tc\r\n"), std::string::npos);
}

TEST_F(JournalFlow, ARecordWiderThanAnyLineMayBeIsKeptAside) {
    Crash({1});
    std::string wide = JournalHeader(IdentityOf(poem));
    corvale::JournalRecord record;
    record.line = 1;
    record.lineText = "a b";
    const std::vector<std::string> texts(corvale::kMostPositions + 1, "s");
    record.syllables.assign(texts.begin(), texts.end());
    record.lineShownAfter = 2;
    corvale::AppendJournalRecord(wide, record);
    platform.WriteFile(kJournal, wide);
    ProgramRun next(platform);
    next.Start();
    EXPECT_EQ(platform.MessageTexts(), Texts{KeptAside(kKept)});
    EXPECT_EQ(next.workspace.Doc().Positions(), 2);
}

// ---- lines replaced by a rescan ----------------------------------------------------------------

using Replaced = std::vector<corvale::Document::LineRecord>;

// Line 1 restressed, line 2 given as it stands, line 3 split wider than the file with a note.
const Replaced kRescanned = {{1, {"a", "b"}, {"2", "1"}, {"3", "4"}, ""},
                             {2, {"c", "d"}, {"1", "1"}, {"2", "2"}, "x"},
                             {3, {"e", "f", "g"}, {"1", "2", "1"}, {"1", "1", "1"}, "note"}};

// The lines a rescan changed are one step of the journal, each recorded as a commit is, so the
// next run after a crash puts them back as they stood.
TEST_F(JournalFlow, AReplacementIsOneStepThatARestoreReplays) {
    auto run = std::make_unique<ProgramRun>(platform);
    run->Start();
    EXPECT_EQ(run->workspace.Doc().Replace(kRescanned, 2), 2);
    const std::string rescanned = run->workspace.Doc().ScansionFileBytes();
    crashed.push_back(std::move(run));

    platform.WillAnswer({Answer::Yes});
    ProgramRun next(platform);
    EXPECT_EQ(next.Start(), 2);
    EXPECT_EQ(platform.MessageTexts(), Texts{Restore("2 verse lines")});
    EXPECT_EQ(next.workspace.Doc().ScansionFileBytes(), rescanned);
}

struct UndoCase {
    const char* name;
    std::function<void(ProgramRun&)> meanwhile;
    bool undoable;
};

class UndoingARescan : public JournalFlow, public testing::WithParamInterface<UndoCase> {};

// Until the next commit or load, the undo puts back every line the rescan changed byte for
// byte, and the journal follows, so a crash then leaves nothing to restore.
TEST_P(UndoingARescan, PutsEveryLineBackUntilTheNextCommit) {
    ProgramRun run(platform);
    run.Start();
    corvale::Document& doc = run.workspace.Doc();
    EXPECT_FALSE(doc.CanUndoReplacement());
    doc.Replace(kRescanned, 1);
    GetParam().meanwhile(run);
    ASSERT_EQ(doc.CanUndoReplacement(), GetParam().undoable);
    if (!GetParam().undoable) {
        return;
    }
    EXPECT_EQ(doc.UndoReplacement(1), 2);
    EXPECT_FALSE(doc.CanUndoReplacement());
    EXPECT_EQ(doc.ScansionFileBytes(), poem);
    EXPECT_EQ(doc.ChangedLineCount(), 0) << "the lines put back are as loaded";
    EXPECT_TRUE(corvale::JournalMatchesStore(Journal().records, doc.GetStore()));
}

INSTANTIATE_TEST_SUITE_P(
    Journal, UndoingARescan,
    testing::Values(
        UndoCase{"Straight", [](ProgramRun&) {}, true},
        UndoCase{"AfterMovingOn", [](ProgramRun& r) { r.workspace.SetCurrentLine(3); }, true},
        UndoCase{"AfterACommit", [](ProgramRun& r) { r.Correct(2, "1"); }, false},
        UndoCase{"AfterALoad", [](ProgramRun& r) { r.workspace.LoadWorkingFile(); }, false}),
    [](const auto& info) { return info.param.name; });

// ---- switching files -------------------------------------------------------------------------

TEST_F(JournalFlow, AFileRefusedAtASwitchKeepsEverythingAsItWas) {
    platform.WriteFile("wide.txt", "1\tsyllables\twide" + std::string(1001, '\t') + "s\r\n");
    platform.WriteFile("wide.meter.txt", "S\r\n");
    ProgramRun run(platform);
    run.Start();
    ASSERT_TRUE(run.Correct(2));
    run.workspace.SetCurrentLine(3);

    EXPECT_EQ(run.workspace.SwitchWorkingFile("wide.txt", Workspace::Leaving::GoDiscarding),
              std::nullopt);
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_TRUE(platform.Messages()[0].text.contains("more than 1000 syllables"));
    EXPECT_EQ(run.workspace.Settings().WorkingFileName(), kPoem);
    EXPECT_EQ(platform.ReadFile(kMemory), MemoryFile(kPoem, "3"));
    EXPECT_EQ(run.workspace.Doc().Stress(2, 1), "3");
    EXPECT_TRUE(run.workspace.Doc().IsModified());
    EXPECT_EQ(Journal().records.size(), 1u) << "the corrections still have their safety copy";
}

TEST_F(JournalFlow, ABadRowAtASwitchEndsWithTheMemoryFileNamingTheFileThatWasOpen) {
    platform.WriteFile("bad.txt", corvale::test::Rows({"1\tsyllables\tx\tx", "1\tstrss\tx\t1",
                                                       "1\tjuncture\tx\t1", "1\tcomment\tx\t"}));
    platform.WriteFile("bad.meter.txt", "S\r\n");
    ProgramRun run(platform);
    run.Start();
    run.workspace.SetCurrentLine(2);
    EXPECT_TRUE(EndsTheProgram(
        [&] { run.workspace.SwitchWorkingFile("bad.txt", Workspace::Leaving::Go); }));
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_TRUE(platform.Messages()[0].text.contains("[stress]"));
    EXPECT_EQ(platform.ReadFile(kMemory), MemoryFile(kPoem, "2"));
}

}  // namespace
