#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <QDir>

#include <string>
#include <vector>

namespace {

using corvale::ProgramEnded;
using corvale::Workspace;
using corvale::test::ScriptedPlatform;

const QString kNoMeter =
    "I need a file with your meter in it.  It should be named meter.txt, be in the same folder "
    "as the program, and consist of the symbols of the meter (like S and W) separated by tabs.  "
    "Please add such a file before proceeding.";

struct MeterCase {
    const char* name;
    std::string bytes;
    std::string meterLine;
    std::int32_t symbols;
};

class MeterFileTest : public testing::TestWithParam<MeterCase> {
protected:
    ScriptedPlatform platform;
    Workspace workspace{platform};
};

TEST_P(MeterFileTest, ReadsFirstRowAndCountsLeadingSymbols) {
    platform.WriteFile("meter.txt", GetParam().bytes);
    workspace.ReadTheMeterFile();
    EXPECT_EQ(workspace.MeterLine, GetParam().meterLine);
    EXPECT_EQ(workspace.NumberOfMeterSymbols, GetParam().symbols);
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_FALSE(platform.Ended());
}

INSTANTIATE_TEST_SUITE_P(
    Files, MeterFileTest,
    testing::Values(MeterCase{"FourSymbols", "S\tW\tS\tW\r\n", "S\tW\tS\tW", 4},
                    MeterCase{"TrailingTabs", "S\tW\tS\tW\t\t\r\n", "S\tW\tS\tW\t\t", 4},
                    MeterCase{"LeadingTab", "\tS\tW\r\n", "\tS\tW", 0},
                    MeterCase{"StopsAtEmptyField", "S\tW\t\tS\r\n", "S\tW\t\tS", 2},
                    MeterCase{"StopsAtSpacesOnlyField", "S\tW\t  \tS", "S\tW\t  \tS", 2},
                    MeterCase{"SpacesAroundSymbolsCount", " S \t W ", " S \t W ", 2},
                    MeterCase{"LaterRowsIgnored", "S\tW\nS\tW\tS\tW\r\n", "S\tW", 2},
                    MeterCase{"EmptyFile", "", "", 0},
                    MeterCase{"EmptyFirstRow", "\r\nS\tW\r\n", "", 0},
                    MeterCase{"NoLineEnd", "x\ty\tz", "x\ty\tz", 3},
                    MeterCase{"LoneCarriageReturnIsPartOfASymbol", "S\rW\tS", "S\rW\tS", 2},
                    MeterCase{"AnyBytes", "\xe9\t\xc3\xa9", "\xe9\t\xc3\xa9", 2}),
    [](const auto& info) { return info.param.name; });

TEST(MissingMeterTest, EndsTheProgram) {
    ScriptedPlatform platform;
    Workspace workspace(platform);
    EXPECT_THROW(workspace.ReadTheMeterFile(), ProgramEnded);
    EXPECT_TRUE(platform.Ended());
    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>{kNoMeter});
    EXPECT_EQ(workspace.NumberOfMeterSymbols, 0);
}

TEST(MissingMeterTest, FolderOrHiddenFileDoesNotCount) {
    ScriptedPlatform platform;
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkdir("meter.txt"));
    Workspace workspace(platform);
    EXPECT_THROW(workspace.ReadTheMeterFile(), ProgramEnded);
    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>{kNoMeter});
}

}  // namespace
