#include "scansion/MeterFile.h"
#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <optional>
#include <string>
#include <vector>

namespace {

using corvale::ProgramEnded;
using corvale::Workspace;
using corvale::test::Rows;
using corvale::test::ScriptedPlatform;

// What a scansion file without a meter gets when nobody is asked for one.
QString NoMeter(const ScriptedPlatform& platform) {
    return "There is no meter for ode.txt.  I need ode.meter.txt beside it, or meter.txt in " +
           platform.ProgramFolder() +
           ", holding the symbols of the meter (like S and W) separated by tabs.";
}

struct MeterCase {
    const char* name;
    std::string bytes;
    std::string meterLine;
    std::int32_t symbols;
    bool symbolsPastTheEnd = false;  // a symbol after the field that ends the meter
};

class MeterFileTest : public testing::TestWithParam<MeterCase> {
protected:
    ScriptedPlatform platform;
    Workspace workspace{platform};
};

TEST_P(MeterFileTest, ReadsFirstRowAndCountsLeadingSymbols) {
    platform.WriteFile("meter.txt", GetParam().bytes);
    workspace.ReadMeterFile();
    EXPECT_EQ(workspace.Doc().Meter().line, GetParam().meterLine);
    EXPECT_EQ(workspace.Doc().Meter().symbols, GetParam().symbols);
    EXPECT_EQ(corvale::HoldsSymbolsPastItsEnd(workspace.Doc().Meter()),
              GetParam().symbolsPastTheEnd);
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_FALSE(platform.Ended());
}

INSTANTIATE_TEST_SUITE_P(
    Files, MeterFileTest,
    testing::Values(MeterCase{"FourSymbols", "S\tW\tS\tW\r\n", "S\tW\tS\tW", 4},
                    MeterCase{"TrailingTabs", "S\tW\tS\tW\t\t\r\n", "S\tW\tS\tW\t\t", 4},
                    MeterCase{"LeadingTab", "\tS\tW\r\n", "\tS\tW", 0, true},
                    MeterCase{"StopsAtEmptyField", "S\tW\t\tS\r\n", "S\tW\t\tS", 2, true},
                    MeterCase{"StopsAtSpacesOnlyField", "S\tW\t  \tS", "S\tW\t  \tS", 2, true},
                    MeterCase{"SpacesAroundSymbolsCount", " S \t W ", " S \t W ", 2},
                    MeterCase{"LaterRowsIgnored", "S\tW\nS\tW\tS\tW\r\n", "S\tW", 2},
                    MeterCase{"EmptyFile", "", "", 0},
                    MeterCase{"EmptyFirstRow", "\r\nS\tW\r\n", "", 0},
                    MeterCase{"NoLineEnd", "x\ty\tz", "x\ty\tz", 3},
                    MeterCase{"LoneCarriageReturnIsPartOfASymbol", "S\rW\tS", "S\rW\tS", 2},
                    MeterCase{"AnyBytes", "\xe9\t\xc3\xa9", "\xe9\t\xc3\xa9", 2},
                    MeterCase{"ByteOrderMarkIsNoSymbol", "\xef\xbb\xbfS\tW\r\n", "S\tW", 2},
                    MeterCase{"SpacesWithoutATabSeparate", " W S  W S\r\n", "W\tS\tW\tS", 4}),
    [](const auto& info) { return info.param.name; });

struct RowsCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> meters;  // each meter's row
    std::int32_t leftAlone = 0;
    std::int64_t firstLeftAlone = 0;
};

class MeterRowsTest : public testing::TestWithParam<RowsCase> {};

std::string RowsOfW(std::size_t count) {
    std::string rows;
    for (std::size_t i = 0; i < count; ++i) {
        rows += "W\n";
    }
    return rows;
}

TEST_P(MeterRowsTest, TakesFurtherRowsOfTheFirstRowsSymbolsAndCountsTheOthers) {
    const corvale::MeterFileRows read = corvale::ReadMeterRows(GetParam().bytes);
    std::vector<std::string> meters;
    for (const corvale::MeterFileRow& row : read.meters) {
        meters.push_back(row.line);
    }
    EXPECT_EQ(meters, GetParam().meters);
    EXPECT_EQ(read.leftAlone, GetParam().leftAlone);
    EXPECT_EQ(read.firstLeftAlone, GetParam().firstLeftAlone);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MeterRowsTest,
    testing::Values(
        RowsCase{"OneRow", "W\tS\r\n", {"W\tS"}},
        RowsCase{"FurtherRowsInOrderBlankRowsSkipped",
                 "W\tS\tW\tS\r\n\r\n \t \r\nW\tS\t\tnote\nS\r\n",
                 {"W\tS\tW\tS", "W\tS\t\tnote", "S"}},
        RowsCase{"ANoteIsLeftAlone",
                 "W\tS\r\nscanned by hand\r\nW\tS\tW\r\n",
                 {"W\tS", "W\tS\tW"},
                 1,
                 2},
        RowsCase{"ASymbolTheFirstRowDoesNotUse", "W\tS\r\nw\ts\r\nW\tX\r\n", {"W\tS"}, 2, 2},
        RowsCase{"SpacesAroundSymbolsCount", "W\tS\r\n S \t W\r\n", {"W\tS", " S \t W"}},
        RowsCase{"ALeadingTabHoldsNoSymbol", "W\tS\r\n\tW\r\n", {"W\tS"}, 1, 2},
        // Every row is read as the first: past a byte order mark, split at spaces when tab-less.
        RowsCase{"RowsTypedWithSpacesAfterAByteOrderMark",
                 "\xef\xbb\xbfW S W S\r\nW  S\r\n",
                 {"W\tS\tW\tS", "W\tS"}},
        RowsCase{"AFirstRowOfNoSymbolsTakesNoOther", "\r\nW\tS\r\n", {""}, 1, 2},
        RowsCase{"PastTheMostMetersLeftAlone", RowsOfW(corvale::kMostMeters + 1),
                 std::vector<std::string>(corvale::kMostMeters, "W"), 1,
                 static_cast<std::int64_t>(corvale::kMostMeters) + 1}),
    [](const auto& info) { return info.param.name; });

TEST(MissingMeterTest, EndsTheProgramWithNobodyToAsk) {
    ScriptedPlatform platform;
    platform.WriteFile("ode.txt", "");
    Workspace workspace(platform);
    workspace.Settings().SetWorkingFileName("ode.txt");
    EXPECT_THROW(workspace.ReadMeterFile(), ProgramEnded);
    EXPECT_TRUE(platform.Ended());
    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>{NoMeter(platform)});
    EXPECT_EQ(workspace.Doc().Meter().symbols, 0);
}

TEST(MissingMeterTest, FolderOrHiddenFileDoesNotCount) {
    ScriptedPlatform platform;
    platform.WriteFile("ode.txt", "");
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkdir("meter.txt"));
    Workspace workspace(platform);
    workspace.Settings().SetWorkingFileName("ode.txt");
    EXPECT_THROW(workspace.ReadMeterFile(), ProgramEnded);
    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>{NoMeter(platform)});
}

// Which meter file a scansion file uses, named as the window names files (PathInFolder), with
// the program's folder as the working folder, or with none as the tools have. "dir:" makes a
// folder of that name instead of a file.
struct MeterChoiceCase {
    const char* name;
    std::string scansionFile;
    std::vector<std::string> present;
    std::optional<std::string> chosen;
    bool workingFolder = true;
};

class MeterChoiceTest : public testing::TestWithParam<MeterChoiceCase> {};

TEST_P(MeterChoiceTest, OwnMeterFileThenMeterTxtBesideItThenTheWorkingFolders) {
    ScriptedPlatform platform;
    QDir(platform.ProgramFolder()).mkdir("poems");
    for (const std::string& file : GetParam().present) {
        if (file.starts_with("dir:")) {
            ASSERT_TRUE(
                QDir(platform.ProgramFolder()).mkdir(QString::fromStdString(file.substr(4))));
        } else {
            platform.WriteFile(file, "S\tW\r\n");
        }
    }
    const QString folder = platform.ProgramFolder();
    const std::optional<QString> found =
        corvale::MeterFileFor(platform.PathInFolder(GetParam().scansionFile).value_or(QString()),
                              GetParam().workingFolder ? folder : QString());
    EXPECT_EQ(
        found ? std::optional(QDir(folder).relativeFilePath(*found).toStdString()) : std::nullopt,
        GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, MeterChoiceTest,
    testing::Values(
        MeterChoiceCase{
            "OwnBeatsTheFolders", "ode.txt", {"ode.meter.txt", "meter.txt"}, "ode.meter.txt"},
        MeterChoiceCase{"FolderMeterWithoutOwn", "ode.txt", {"meter.txt"}, "meter.txt"},
        MeterChoiceCase{"Neither", "ode.txt", {"ode.txt"}, std::nullopt},
        MeterChoiceCase{
            "OwnFolderIsNoFile", "ode.txt", {"dir:ode.meter.txt", "meter.txt"}, "meter.txt"},
        MeterChoiceCase{
            "HiddenOwnDoesNotCount", ".ode", {".ode.meter.txt", "meter.txt"}, "meter.txt"},
        MeterChoiceCase{"OwnInASubfolder",
                        "poems/ode.txt",
                        {"poems/ode.meter.txt", "meter.txt"},
                        "poems/ode.meter.txt"},
        MeterChoiceCase{"SubfoldersMeterComesBeforeTheWorkingFolders",
                        "poems/ode.txt",
                        {"poems/meter.txt", "meter.txt"},
                        "poems/meter.txt"},
        MeterChoiceCase{"SubfolderWithoutAMeterTakesTheWorkingFolders",
                        "poems/ode.txt",
                        {"meter.txt"},
                        "meter.txt"},
        MeterChoiceCase{"WithoutAWorkingFolderOnlyWhatIsBesideIt",
                        "poems/ode.txt",
                        {"meter.txt"},
                        std::nullopt,
                        false},
        MeterChoiceCase{
            "OwnOutsideTheFolderIsNeverLookedAt", "../ode.txt", {"meter.txt"}, "meter.txt"},
        MeterChoiceCase{"NoWorkingFile", "", {".meter.txt", "meter.txt"}, "meter.txt"}),
    [](const auto& info) { return info.param.name; });

TEST(OwnMeterTest, StartUpReadsTheWorkingFilesOwnMeter) {
    ScriptedPlatform platform;
    platform.WriteFile("meter.txt", Rows({"S\tW\tS\tW"}));
    platform.WriteFile("ode.meter.txt", Rows({"W\tS\tW"}));
    Workspace workspace(platform);
    workspace.Settings().SetWorkingFileName("ode.txt");
    workspace.ReadMeterFile();
    EXPECT_EQ(workspace.Doc().Meter().line, "W\tS\tW");
    EXPECT_EQ(workspace.Doc().Meter().symbols, 3);
}

TEST(OwnMeterTest, UnreadableMeterFileEndsStartUpNamingIt) {
    ScriptedPlatform platform;
    platform.WriteFile("ode.meter.txt", "S\tW");
    QFile::setPermissions(QString::fromStdString(platform.FilePath("ode.meter.txt")), {});
    if (QFile(QString::fromStdString(platform.FilePath("ode.meter.txt")))
            .open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "this user can read any file";
    }
    Workspace workspace(platform);
    workspace.Settings().SetWorkingFileName("ode.txt");
    EXPECT_THROW(workspace.ReadMeterFile(), ProgramEnded);
    EXPECT_EQ(
        platform.MessageTexts(),
        std::vector<QString>{"I couldn't read the meter file ode.meter.txt: Permission denied."});
}

}  // namespace
