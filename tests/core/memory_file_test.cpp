#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>

#include <string>
#include <vector>

namespace {

using corvale::Workspace;
using corvale::test::MemoryFile;
using corvale::test::Rows;
using corvale::test::ScriptedPlatform;

const QString kNotFound =
    "Caution:  the file listed in RememberEarlierRun cannot be found.  Please enter a legitimate "
    "file name in the box at the bottom of the interface.";
const QString kNothingToOpen =
    "Can't find a file to open; please edit RememberEarlierRun.txt, installing a legitimate file "
    "name on the first line.";

class MemoryFileTest : public testing::Test {
protected:
    void SetUp() override { platform.WriteFile("poem.txt", ""); }
    void Read(const std::string& bytes) {
        platform.WriteFile("RememberEarlierRun.txt", bytes);
        workspace.Settings().Read();
    }
    // Settings that a failed read must leave alone.
    void Preset() {
        workspace.Settings().SetBounds({11, 12, 13, 14});
        workspace.Settings().SetSpacing(15);
    }
    std::vector<std::int32_t> Numbers() const {
        return {workspace.Settings().LastLineDone(),
                workspace.Settings().Bounds().maximumStress,
                workspace.Settings().Bounds().minimumStress,
                workspace.Settings().Bounds().maximumJuncture,
                workspace.Settings().Bounds().minimumJuncture,
                workspace.Settings().Spacing()};
    }

    ScriptedPlatform platform;
    Workspace workspace{platform};
};

TEST_F(MemoryFileTest, ReadsEverySetting) {
    Read(MemoryFile("poem.txt", "7", "4", "-1", "5", "0", "900"));
    EXPECT_EQ(workspace.Settings().WorkingFileName(), "poem.txt");
    EXPECT_EQ(Numbers(), (std::vector<std::int32_t>{7, 4, -1, 5, 0, 900}));
    EXPECT_TRUE(platform.Messages().empty());
}

struct LastLineCase {
    const char* name;
    std::string line;
    std::int32_t expected;
};

class LastLineDoneTest : public MemoryFileTest, public testing::WithParamInterface<LastLineCase> {};

TEST_P(LastLineDoneTest, ReadsDigitsOrFallsBackToOne) {
    Read(MemoryFile("poem.txt", GetParam().line, "4", "1", "4", "1", "77"));
    EXPECT_EQ(workspace.Settings().LastLineDone(), GetParam().expected);
    EXPECT_EQ(workspace.Settings().Spacing(), 77);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LastLineDoneTest,
    testing::Values(LastLineCase{"Plain", "12", 12}, LastLineCase{"BlanksAround", "  12 ", 12},
                    LastLineCase{"LetterAfter", "12a", 1}, LastLineCase{"Negative", "-3", 1},
                    LastLineCase{"Decimal", "3.0", 1}, LastLineCase{"Plus", "+4", 1},
                    LastLineCase{"Empty", "", 0}, LastLineCase{"AllBlank", "    ", 0},
                    LastLineCase{"Tab", "\t5", 1}, LastLineCase{"LeadingZeros", "0007", 7},
                    LastLineCase{"Largest", "2147483647", 2147483647}),
    [](const auto& info) { return info.param.name; });

TEST_F(MemoryFileTest, TooLargeLastLineIsAFailure) {
    Preset();
    Read(MemoryFile("poem.txt", "99999999999", "4", "1", "4", "1", "0"));
    EXPECT_EQ(Numbers(), (std::vector<std::int32_t>{1, 11, 12, 13, 14, 15}));
    EXPECT_EQ(workspace.Settings().WorkingFileName(), "poem.txt");
}

struct SettingCase {
    const char* name;
    std::string line;
    std::int32_t expected;
};

class NumericSettingTest : public MemoryFileTest,
                           public testing::WithParamInterface<SettingCase> {};

TEST_P(NumericSettingTest, RoundsTheLeadingNumber) {
    Read(MemoryFile("poem.txt", "3", "4", "1", "4", GetParam().line, "0"));
    EXPECT_EQ(workspace.Settings().Bounds().minimumJuncture, GetParam().expected);
    EXPECT_EQ(workspace.Settings().LastLineDone(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumericSettingTest,
    testing::Values(SettingCase{"HalfDown", "2.5", 2}, SettingCase{"HalfUp", "3.5", 4},
                    SettingCase{"NegativeWithBlanks", "  -1  ", -1}, SettingCase{"Letter", "x", 0},
                    SettingCase{"WordAfter", "7 words", 7}, SettingCase{"Empty", "", 0},
                    SettingCase{"Exponent", "1e3", 1000},
                    SettingCase{"Smallest", "-2147483648", -2147483647 - 1}),
    [](const auto& info) { return info.param.name; });

TEST_F(MemoryFileTest, OutOfRangeValueStopsReadingThere) {
    Preset();
    Read(MemoryFile("poem.txt", "5", "4", "2", "3", "4000000000", "800"));
    EXPECT_EQ(Numbers(), (std::vector<std::int32_t>{1, 4, 2, 3, 14, 15}));
}

TEST_F(MemoryFileTest, ThirteenRowsKeepTheSpacing) {
    Preset();
    std::string bytes = MemoryFile("poem.txt", "12", "4", "1", "4", "1", "800");
    bytes.resize(bytes.size() - std::string("800\r\n").size());
    Read(bytes);
    EXPECT_EQ(Numbers(), (std::vector<std::int32_t>{1, 4, 1, 4, 1, 15}));
}

TEST_F(MemoryFileTest, FinalRowWithoutLineEndStillCounts) {
    std::string bytes = MemoryFile("poem.txt", "12", "4", "1", "4", "1", "800");
    bytes.resize(bytes.size() - 2);
    Read(bytes);
    EXPECT_EQ(Numbers(), (std::vector<std::int32_t>{12, 4, 1, 4, 1, 800}));
}

TEST_F(MemoryFileTest, ShortFilesStopWhereTheyEnd) {
    Preset();
    Read(Rows({"Filename:", "poem.txt", "Last line done:", "9"}));
    EXPECT_EQ(Numbers(), (std::vector<std::int32_t>{1, 11, 12, 13, 14, 15}));
    EXPECT_EQ(workspace.Settings().WorkingFileName(), "poem.txt");
    Read("");
    EXPECT_EQ(workspace.Settings().LastLineDone(), 1);
    EXPECT_EQ(workspace.Settings().WorkingFileName(), "poem.txt");
    EXPECT_TRUE(platform.Messages().empty());
}

// Without a memory file, the one Corvale will write lets every value move, whichever way the
// settings are read; the spacing is left for start-up.
TEST_F(MemoryFileTest, WithoutOneTheWorkingBoundsHoldHoweverItIsRead) {
    const std::vector<void (*)(corvale::MemorySettings&)> reads = {
        [](corvale::MemorySettings& s) { s.Read(); },
        [](corvale::MemorySettings& s) { s.ReadFor("poem.txt"); },
        [](corvale::MemorySettings& s) { s.AdoptValuesOf("poem.txt"); }};
    for (const auto read : reads) {
        Preset();
        workspace.Settings().SetLastLineDone(1);
        read(workspace.Settings());
        EXPECT_EQ(Numbers(), (std::vector<std::int32_t>{1, 4, 1, 4, 1, 0}));
    }
    EXPECT_TRUE(platform.Messages().empty());
}

// One that an earlier build wrote with every bound 0 stands as it is.
TEST_F(MemoryFileTest, AllBoundsZeroAreReadAsTheyStand) {
    Read(MemoryFile("poem.txt", "1", "0", "0", "0", "0", "0"));
    EXPECT_EQ(Numbers(), (std::vector<std::int32_t>{1, 0, 0, 0, 0, 0}));
}

TEST_F(MemoryFileTest, FolderInPlaceOfTheFileIsAFailure) {
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkdir("RememberEarlierRun.txt"));
    Preset();
    workspace.Settings().Read();
    EXPECT_EQ(Numbers(), (std::vector<std::int32_t>{1, 11, 12, 13, 14, 15}));
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(MemoryFileTest, LabelsAreNeverCompared) {
    Read(Rows(
        {"", "poem.txt", "anything", "8", "x", "4", "y", "1", "z", "3", "w", "2", "v", "700"}));
    EXPECT_EQ(Numbers(), (std::vector<std::int32_t>{8, 4, 1, 3, 2, 700}));
}

TEST_F(MemoryFileTest, LoneLineFeedsAndExtraRows) {
    std::string bytes = MemoryFile("poem.txt", "6", "4", "1", "4", "1", "500") + "more\r\n99\r\n";
    std::string lf;
    for (const char c : bytes) {
        if (c != '\r') {
            lf += c;
        }
    }
    Read(lf);
    EXPECT_EQ(Numbers(), (std::vector<std::int32_t>{6, 4, 1, 4, 1, 500}));
}

TEST_F(MemoryFileTest, FileNameIsTrimmedOfSpacesOnly) {
    Read(MemoryFile("   poem.txt  ", "2"));
    EXPECT_EQ(workspace.Settings().WorkingFileName(), "poem.txt");
    EXPECT_TRUE(platform.Messages().empty());
    // A tab is not trimmed, so the name no longer names the file.
    Read(MemoryFile("poem.txt\t", "2"));
    EXPECT_EQ(workspace.Settings().WorkingFileName(), "poem.txt\t");
    EXPECT_EQ(platform.MessageTexts(), (std::vector<QString>{kNotFound, kNothingToOpen}));
}

TEST_F(MemoryFileTest, MissingFileFallsBackToInTxt) {
    platform.WriteFile("in.txt", "");
    Read(MemoryFile("gone.txt", "4"));
    EXPECT_EQ(workspace.Settings().WorkingFileName(), "in.txt");
    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>{kNotFound});
    EXPECT_EQ(workspace.Settings().LastLineDone(), 4);
    EXPECT_EQ(platform.ReadFile("RememberEarlierRun.txt"), MemoryFile("gone.txt", "4"));
}

TEST_F(MemoryFileTest, NeitherFileKeepsTheNameAndSaysBoth) {
    Read(MemoryFile("gone.txt", "4"));
    EXPECT_EQ(workspace.Settings().WorkingFileName(), "gone.txt");
    EXPECT_EQ(platform.MessageTexts(), (std::vector<QString>{kNotFound, kNothingToOpen}));
    EXPECT_EQ(workspace.Settings().LastLineDone(), 4);
}

// A meter file named there would end every start as a bad record: no file is worked on.
TEST_F(MemoryFileTest, CorvalesOwnFilesOtherThanScansionFilesDoNotCount) {
    platform.WriteFile("meter.txt", "W\tS\r\n");
    Read(MemoryFile("meter.txt", "1"));
    EXPECT_EQ(workspace.Settings().WorkingFileName(), "");
    EXPECT_EQ(platform.MessageTexts(), (std::vector<QString>{kNotFound, kNothingToOpen}));
}

TEST_F(MemoryFileTest, FoldersAndHiddenFilesDoNotCount) {
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkdir("folder"));
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkdir("in.txt"));
    platform.WriteFile(".hidden", "");
    Read(MemoryFile("folder", "1"));
    Read(MemoryFile(".hidden", "1"));
    EXPECT_EQ(workspace.Settings().WorkingFileName(), ".hidden");
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<QString>{kNotFound, kNothingToOpen, kNotFound, kNothingToOpen}));
}

TEST_F(MemoryFileTest, EmptyNameDoesNotExist) {
    platform.WriteFile("in.txt", "");
    Read(MemoryFile("   ", "3"));
    EXPECT_EQ(workspace.Settings().WorkingFileName(), "in.txt");
    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>{kNotFound});
}

TEST_F(MemoryFileTest, NameThatCannotBeTestedIsAFailure) {
    Preset();
    Read(MemoryFile(std::string("po\0em.txt", 9), "3"));
    EXPECT_EQ(workspace.Settings().WorkingFileName(), std::string("po\0em.txt", 9));
    EXPECT_EQ(Numbers(), (std::vector<std::int32_t>{1, 11, 12, 13, 14, 15}));
    EXPECT_TRUE(platform.Messages().empty());
}

// A remembered name that leads out of the program's folder gets the cautions of a missing file,
// and the file out there is neither loaded nor saved over.
TEST(MemoryFileFolderTest, NameLeavingTheFolderIsNotFound) {
    ScriptedPlatform platform("program");
    const std::string outside =
        corvale::test::ScansionFile({{"far away", {"far"}, {"1"}, {"1"}, ""}});
    platform.WriteFile("../outside_poem.txt", outside);
    const std::string absolute = platform.FilePath("../outside_poem.txt");
    for (const std::string& name : {std::string("../outside_poem.txt"), absolute}) {
        platform.WriteFile("RememberEarlierRun.txt", MemoryFile(name, "1"));
        Workspace workspace(platform);
        workspace.Settings().Read();
        EXPECT_EQ(workspace.Settings().WorkingFileName(), name);
        workspace.LoadWorkingFile();
        EXPECT_EQ(workspace.Doc().NumberOfLines(), 0);
        workspace.SaveFiles();  // saves nothing out there
    }
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<QString>{kNotFound, kNothingToOpen, kNotFound, kNothingToOpen}));
    EXPECT_EQ(platform.ReadFile("../outside_poem.txt"), outside);
}

// --- Writing -------------------------------------------------------------------------------

TEST_F(MemoryFileTest, WritesFourteenRows) {
    workspace.Settings().SetWorkingFileName(" poem.txt");
    workspace.SetCurrentLine(37);
    workspace.Settings().SetLastLineDone(5);
    workspace.Settings().SetBounds({4, -1, 2147483647, -2147483647 - 1});
    workspace.Settings().SetSpacing(0);
    ASSERT_TRUE(workspace.Settings().Write(workspace.CurrentLine()));
    EXPECT_EQ(platform.ReadFile("RememberEarlierRun.txt"),
              "Filename:\r\n poem.txt\r\nLast line done:\r\n37\r\n"
              "Maximum value for stress:\r\n4\r\nMinimum value for stress:\r\n-1\r\n"
              "Maximum value for juncture:\r\n2147483647\r\n"
              "Minimum value for juncture:\r\n-2147483648\r\n"
              "Spacing of buttons:\r\n0\r\n");
}

TEST_F(MemoryFileTest, WriteThenReadGivesTheSettingsBack) {
    workspace.Settings().SetWorkingFileName("  poem.txt ");
    workspace.SetCurrentLine(9);
    workspace.Settings().SetBounds({6, -2, 3, 0});
    workspace.Settings().SetSpacing(1083);
    ASSERT_TRUE(workspace.Settings().Write(workspace.CurrentLine()));
    Workspace next(platform);
    next.Settings().Read();
    EXPECT_EQ(next.Settings().WorkingFileName(), "poem.txt");
    EXPECT_EQ(next.Settings().LastLineDone(), 9);
    EXPECT_EQ(next.Settings().Bounds().maximumStress, 6);
    EXPECT_EQ(next.Settings().Bounds().minimumStress, -2);
    EXPECT_EQ(next.Settings().Bounds().maximumJuncture, 3);
    EXPECT_EQ(next.Settings().Bounds().minimumJuncture, 0);
    EXPECT_EQ(next.Settings().Spacing(), 1083);
}

TEST_F(MemoryFileTest, FailedWriteLeavesTheOldFile) {
    platform.WriteFile("RememberEarlierRun.txt", "old");
    platform.FailWrites(true);
    EXPECT_FALSE(workspace.Settings().Write(workspace.CurrentLine()));
    EXPECT_EQ(platform.ReadFile("RememberEarlierRun.txt"), "old");
}

}  // namespace
