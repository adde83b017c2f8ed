// The verse's profile: the figures of each place and of the file on a file worked out by hand,
// the counts kept through commits and a restore equal to a fresh count, and meters kept apart.

#include "analysis/Profile.h"
#include "analysis/ProfileReport.h"
#include "editor/WorkingLine.h"
#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using corvale::Answer;
using corvale::ValueRow;
using corvale::Workspace;
using corvale::analysis::NamedProfile;
using corvale::analysis::PlaceCounts;
using corvale::analysis::PlaceFigure;
using corvale::analysis::Profile;
using corvale::meter::Meter;
using corvale::meter::Strictness;
using corvale::test::ScansionFile;
using corvale::test::Verse;

// Meter W S W S. Worked out by hand:
//   1 fits: 1 3 1 3, junctures 1 2 2 4.
//   2 a feminine ending: 1 3 2.5 3 1, junctures 2 2 1 2 4. Place 3 holds a stress of 2.5, heard
//     but no maximum (3 on both sides): the strict cue flags it, the default cue does not.
//   3 column 2 blank, so 4 syllables in columns 1 3 4 5: profiled, nothing in place 2, column 5
//     beyond the meter; its last juncture, 2, makes it run on. Fits: column 5 is in no place.
//   4 three syllables: another length.
//   5 1 2 4 1, junctures 2 3.0 2 3: 4 in weak place 3 is a maximum, flagged by both cues.
//   6 five syllables, the last stressed: another length.
const std::vector<Verse> kHandMade = {
    {"one", {"a", "b", "c", "d"}, {"1", "3", "1", "3"}, {"1", "2", "2", "4"}, ""},
    {"two", {"a", "b", "c", "d", "e"}, {"1", "3", "2.5", "3", "1"}, {"2", "2", "1", "2", "4"}, ""},
    {"three", {"a", "", "c", "d", "e"}, {"1", "", "1", "3", "1"}, {"2", "", "1", "2", "2"}, ""},
    {"four", {"a", "b", "c"}, {"3", "1", "3"}, {"2", "2", "4"}, ""},
    {"five", {"a", "b", "c", "d"}, {"1", "2", "4", "1"}, {"2", "3.0", "2", "3"}, ""},
    {"six", {"a", "b", "c", "d", "e"}, {"1", "3", "1", "3", "3"}, {"2", "2", "2", "2", "4"}, ""},
};

Profile HandMadeProfile() {
    static const std::string bytes = ScansionFile(kHandMade);
    return corvale::analysis::ProfileOfRecords(corvale::ReadScansionRecords(bytes),
                                               Meter("W\tS\tW\tS", 4));
}

struct PlaceCase {
    int place;
    PlaceCounts expected;  // lines; spoken, heard, stressed, word, phrase; cue, strict cue
};

class ProfilePlaces : public testing::TestWithParam<PlaceCase> {};

TEST_P(ProfilePlaces, CountTheProfiledLinesShowingASyllableThere) {
    const PlaceCase& c = GetParam();
    EXPECT_EQ(HandMadeProfile().Counts().places.at(static_cast<std::size_t>(c.place) - 1),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    HandMade, ProfilePlaces,
    testing::Values(PlaceCase{1, {4, {0, 0, 0, 3, 0}, {0, 0}}},
                    PlaceCase{2, {3, {2, 1, 3, 3, 1}, {0, 0}}},  // the blank column is in no base
                    PlaceCase{3, {4, {1, 1, 2, 2, 0}, {1, 2}}},
                    PlaceCase{4, {4, {3, 0, 3, 4, 2}, {0, 0}}}),
    [](const auto& info) { return "Place" + std::to_string(info.param.place); });

TEST(ProfileFile, CountsEveryVerseLine) {
    const Profile profile = HandMadeProfile();
    const auto& counts = profile.Counts();
    EXPECT_EQ(counts.verseLines, 6);
    EXPECT_EQ(counts.profiled, 4);
    EXPECT_EQ(counts.Fitting(Strictness::StressMaxima), 2);
    EXPECT_EQ(counts.Fitting(Strictness::EveryStress), 2);
    EXPECT_EQ(counts.feminine, 1);
    EXPECT_EQ(counts.runOn, 1);
    EXPECT_EQ(counts.syllablesPerLine, (std::vector<std::int64_t>{0, 0, 0, 1, 3, 2}));
    EXPECT_EQ(profile.OtherLengthLines(), (std::vector<std::int32_t>{4, 6}));
}

// Under W S W S W S and W S W S each line counts in its own meter's profile alone: 1 (six
// syllables) and 4 (nine, which no meter fits) in the main meter's, 2 (four) and 3 (three, a
// headless line) in the other's. Lines 3 and 4 are lines of another length of their meters.
TEST(ProfileByMeter, CountsEachLineInItsOwnMetersProfile) {
    const std::string bytes = ScansionFile({
        {"one", {"a", "b", "c", "d", "e", "f"}, {"1", "3", "1", "3", "1", "3"}, {}, ""},
        {"two", {"a", "b", "c", "d"}, {"1", "3", "1", "3"}, {}, ""},
        {"three", {"a", "b", "c"}, {"3", "1", "3"}, {}, ""},
        {"four", std::vector<std::string>(9, "a"), std::vector<std::string>(9, "1"), {}, ""},
    });
    const auto loaded = corvale::ReadScansionBytes(bytes);
    const corvale::meter::Meters meters({Meter("W\tS\tW\tS\tW\tS", 6), Meter("W\tS\tW\tS", 4)});
    const std::vector<Profile> profiles =
        corvale::analysis::ProfilesByMeter(std::get<corvale::LoadedScansion>(loaded).store, meters);
    ASSERT_EQ(profiles.size(), 2U);
    EXPECT_EQ(profiles[0].Counts().verseLines, 2);
    EXPECT_EQ(profiles[0].Counts().profiled, 1);
    EXPECT_EQ(profiles[0].OtherLengthLines(), std::vector<std::int32_t>{4});
    EXPECT_EQ(profiles[1].Counts().verseLines, 2);
    EXPECT_EQ(profiles[1].Counts().places.size(), 4U);
    EXPECT_EQ(profiles[1].OtherLengthLines(), std::vector<std::int32_t>{3});
}

// Under W S W S W S and S W S W S W, line 1 (3 1 3 1 3 1) is the second meter's, line 2 (1 3 3 3
// 1 3, no column flagged by either) the first's on the tie. Both depart from the first in place 3.
TEST(ProfileByMeter, ADepartureIsSoughtAmongTheMetersOwnLines) {
    const auto loaded = corvale::ReadScansionBytes(ScansionFile(
        {{"one", {"a", "b", "c", "d", "e", "f"}, {"3", "1", "3", "1", "3", "1"}, {}, ""},
         {"two", {"a", "b", "c", "d", "e", "f"}, {"1", "3", "3", "3", "1", "3"}, {}, ""}}));
    const corvale::Store& store = std::get<corvale::LoadedScansion>(loaded).store;
    const Meter iambic("W\tS\tW\tS\tW\tS", 6);
    const corvale::meter::Meters meters({iambic, Meter("S\tW\tS\tW\tS\tW", 6)});
    EXPECT_EQ(corvale::analysis::NextDeparture(store, meters, 1, 3, 0), 2);
    EXPECT_EQ(corvale::analysis::NextDeparture(store, meters, 2, 1, 0), std::nullopt);
    EXPECT_EQ(corvale::analysis::NextDeparture(store, iambic, 3, 0), 1);
}

// ---- the counts kept through commits and a restore ---------------------------------------

constexpr char kPoem[] = "poem.txt";
constexpr int kLines = 40;
constexpr int kCommits = 80;

enum class Edit { Values, Merge, Split, Blank };

struct EditCase {
    const char* name;
    std::vector<Edit> edits;  // one is drawn for each commit
    unsigned seed;
    std::vector<Meter> meters = {Meter("W\tS\tW\tS\tW\tS", 6)};  // a profile kept for each
};

// Lines of four to seven syllables under W S W S W S, values 0 to 4.
std::string RandomPoem(std::mt19937& random) {
    std::vector<Verse> verses;
    for (int i = 0; i < kLines; ++i) {
        Verse& verse = verses.emplace_back();
        verse.text = "line " + std::to_string(i);
        const int syllables = 4 + static_cast<int>(random() % 4);
        for (int k = 0; k < syllables; ++k) {
            verse.syllables.push_back("s" + std::to_string(k));
            verse.stresses.push_back(std::to_string(random() % 5));
            verse.junctures.push_back(std::to_string(random() % 5));
        }
    }
    return ScansionFile(verses);
}

class ProfileKept : public testing::TestWithParam<EditCase> {
protected:
    void ExpectFresh(const Workspace& work, const std::vector<Profile>& kept) {
        const std::vector<Profile> fresh =
            corvale::analysis::ProfilesByMeter(work.Doc().GetStore(), Meters());
        for (std::size_t m = 0; m < kept.size(); ++m) {
            ASSERT_EQ(kept[m].Counts(), fresh[m].Counts()) << "meter " << m + 1;
            ASSERT_EQ(kept[m].OtherLengthLines(), fresh[m].OtherLengthLines());
        }
    }
    corvale::meter::Meters Meters() const { return corvale::meter::Meters(GetParam().meters); }
    void Count(const Workspace& work, std::vector<Profile>& kept) const {
        for (std::size_t m = 0; m < kept.size(); ++m) {
            kept[m].Count(work.Doc().GetStore(), Meters(), static_cast<std::int32_t>(m) + 1);
        }
    }
    // Changes line j's working copy by one edit, as the window's buttons and keys do.
    void Change(Workspace& work, Edit edit, std::mt19937& random) {
        const std::int32_t m = work.Doc().Positions();
        const auto k = static_cast<std::int32_t>(1 + random() % static_cast<unsigned>(m));
        switch (edit) {
            case Edit::Values:
                line.Set(ValueRow::Stresses, k, std::to_string(random() % 5));
                line.Set(ValueRow::Junctures, k, std::to_string(random() % 5));
                break;
            case Edit::Merge:
                line.Merge(k);
                break;
            case Edit::Split:
                if (line.Split(k, 1) == corvale::editor::SplitOutcome::SplitAndGrew) {
                    work.Doc().Widen(m + 1);  // past the grid, as the window widens it
                }
                break;
            case Edit::Blank:
                line.Set(ValueRow::Syllables, k, "");
                break;
        }
    }

    corvale::test::ScriptedPlatform platform;
    corvale::editor::WorkingLine line;
};

TEST_P(ProfileKept, FollowsCommitsAndARestoreAsAFreshCountWould) {
    const EditCase& c = GetParam();
    std::mt19937 random(c.seed);
    platform.WriteFile(kPoem, RandomPoem(random));
    platform.WriteFile("meter.txt", "W\tS\tW\tS\tW\tS\r\n");
    platform.WriteFile("RememberEarlierRun.txt", corvale::test::MemoryFile(kPoem, "1"));
    std::vector<Profile> kept(c.meters.size());
    {
        Workspace work(platform);
        work.Settings().Read();
        work.LoadWorkingFile();
        for (Profile& profile : kept) {
            work.Doc().AddWatcher(&profile);
        }
        Count(work, kept);
        for (int commit = 0; commit < kCommits; ++commit) {
            work.SetCurrentLine(static_cast<std::int32_t>(1 + random() % kLines));
            line.Load(work.Doc().GetStore(), work.CurrentLine(), work.Doc().Positions());
            Change(work, c.edits[random() % c.edits.size()], random);
            work.CommitLine(line.Values(), work.Doc().Comment(work.CurrentLine()));
            ASSERT_NO_FATAL_FAILURE(ExpectFresh(work, kept)) << "after commit " << commit;
        }
    }  // a crash: the journal holds the commits
    Workspace next(platform);
    next.Settings().Read();
    for (Profile& profile : kept) {
        next.Doc().AddWatcher(&profile);
    }
    next.LoadWorkingFile();
    EXPECT_FALSE(kept.front().IsCounted()) << "a load may bring another meter";
    Count(next, kept);
    platform.WillAnswer({Answer::Yes});
    ASSERT_TRUE(next.Doc().OfferJournal());
    ExpectFresh(next, kept);
}

INSTANTIATE_TEST_SUITE_P(
    RandomCommits, ProfileKept,
    testing::Values(EditCase{"ValuesOnly", {Edit::Values}, 1},
                    EditCase{"Merges", {Edit::Merge, Edit::Values}, 2},
                    EditCase{"SplitsWideningPastTheGrid", {Edit::Split, Edit::Values}, 3},
                    EditCase{"BlankColumns", {Edit::Blank, Edit::Values}, 4},
                    EditCase{
                        "Everything", {Edit::Values, Edit::Merge, Edit::Split, Edit::Blank}, 5},
                    // Lines of four to seven syllables: merges and splits move lines from one
                    // meter's profile to the other's.
                    EditCase{"LinesMovingBetweenTwoMeters",
                             {Edit::Values, Edit::Merge, Edit::Split, Edit::Blank},
                             6,
                             {Meter("W\tS\tW\tS\tW\tS", 6), Meter("W\tS\tW\tS", 4)}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- several files ------------------------------------------------------------------------

struct GroupCase {
    const char* name;
    std::vector<std::vector<std::string>> meters;  // one file each, one verse line of a fit
    std::vector<std::int64_t> linesPerGroup;
};

class ProfileGroups : public testing::TestWithParam<GroupCase> {};

TEST_P(ProfileGroups, AddFilesOfOneMeterAndKeepOtherMetersApart) {
    const GroupCase& c = GetParam();
    std::vector<NamedProfile> groups;
    for (const std::vector<std::string>& symbols : c.meters) {
        NamedProfile file{symbols, {}, {{"f", {}}}};
        file.counts.places.resize(symbols.size());
        file.counts.verseLines = 1;
        for (PlaceCounts& place : file.counts.places) {
            place.lines = 1;
        }
        corvale::analysis::AddToGroups(groups, file);
    }
    std::vector<std::int64_t> lines;
    for (const NamedProfile& group : groups) {
        lines.push_back(group.counts.verseLines);
        EXPECT_EQ(group.counts.places.front().lines, group.counts.verseLines);
        EXPECT_EQ(group.sources.size(), static_cast<std::size_t>(group.counts.verseLines));
    }
    EXPECT_EQ(lines, c.linesPerGroup);
}

INSTANTIATE_TEST_SUITE_P(
    Meters, ProfileGroups,
    testing::Values(GroupCase{"SameMeterAddsUp", {{"W", "S"}, {"W", "S"}}, {2}},
                    GroupCase{"SymbolsAlikeInStrength", {{"W", "S"}, {"x", "s"}}, {2}},
                    GroupCase{"MorePlacesApart", {{"W", "S"}, {"W", "S", "W"}, {"W", "S"}}, {2, 1}},
                    GroupCase{"OtherStrengthsApart", {{"W", "S"}, {"S", "W"}}, {1, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileReport, TheChartTitleNamesTheFileTheMeterAndTheLinesProfiled) {
    NamedProfile profile{{"W", "S"}, {}, {{"ode.txt", {}, 0}}};
    profile.counts.places.resize(2);
    profile.counts.verseLines = 14;
    profile.counts.profiled = 10;
    EXPECT_EQ(ChartTitle(profile), "ode.txt, meter W S\n10 of 14 verse lines profiled");
    profile.sources.front().meterNumber = 2;
    profile.sources.front().meterCount = 3;
    EXPECT_EQ(ChartTitle(profile), "ode.txt, meter 2 of 3: W S\n10 of 14 verse lines profiled");
    profile.counts.places.clear();
    EXPECT_EQ(ChartTitle(profile), "The meter has no places: there is nothing to profile.");
    profile.counts.verseLines = 0;
    EXPECT_EQ(ChartTitle(profile), "There are no verse lines to profile.");
}

}  // namespace
