// The one way from a path to a loaded scansion file: what it refuses and why, and what a loaded
// file holds. The meter it finds follows MeterFileFor, tested in meter_file_test.cpp.

#include "scansion/ScansionFile.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>

#include <string>

namespace {

using corvale::LoadedScansion;
using corvale::LoadRefusal;
using corvale::test::Rows;
using corvale::test::ScansionFile;
using Why = LoadRefusal::Why;

const corvale::test::Verse kOh{"Oh", {"Oh"}, {"2"}, {"4"}, ""};

struct RefusedCase {
    const char* name;
    std::string bytes;  // "dir:" makes a folder; empty with no folder: no file at all
    Why why;
    std::int64_t row;
};

class LoadRefusedTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(LoadRefusedTest, SaysWhyAndWhere) {
    corvale::test::ScriptedPlatform folder;
    const RefusedCase& c = GetParam();
    if (c.bytes == "dir:") {
        ASSERT_TRUE(QDir(folder.ProgramFolder()).mkdir("ode.txt"));
    } else if (c.why != Why::NoSuchFile) {
        folder.WriteFile("ode.txt", c.bytes);
    }
    const auto loaded = corvale::LoadScansionFile(folder.PathOf("ode.txt"));
    const auto* refused = std::get_if<LoadRefusal>(&loaded);
    ASSERT_NE(refused, nullptr);
    EXPECT_EQ(refused->why, c.why);
    EXPECT_EQ(refused->refusal.row, c.row);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadRefusedTest,
    testing::Values(
        RefusedCase{"Missing", "", Why::NoSuchFile, 0},
        RefusedCase{"Folder", "dir:", Why::NotAFile, 0},
        RefusedCase{"APoem", "Shall I compare thee\r\nto a summer's day?\r\n", Why::NotScansion, 0},
        RefusedCase{"NoNumberOfLines", ScansionFile({kOh}) + "-4\tcomment\r\n", Why::NotTaken, 5},
        RefusedCase{"BadSecondRecord", ScansionFile({kOh}) + Rows({"2\tsyllables\tx", "2\tx"}),
                    Why::BadRecord, 6}),
    [](const auto& info) { return info.param.name; });

// Records deleted by hand: the last row numbers three verse lines, two records are there.
TEST(LoadScansionFileTest, HoldsTheStoreTheRecordsAndTheMeterFound) {
    corvale::test::ScriptedPlatform folder;
    std::string bytes = ScansionFile({kOh, kOh});
    bytes.replace(bytes.rfind("2\tcomment"), 1, "3");
    folder.WriteFile("ode.txt", bytes);
    folder.WriteFile("meter.txt", "W\tS\r\n");
    const auto loaded = corvale::LoadScansionFile(folder.PathOf("ode.txt"));
    const auto& file = std::get<LoadedScansion>(loaded);
    EXPECT_EQ(file.store.NumberOfLines(), 3);
    EXPECT_EQ(file.records, 2);
    EXPECT_EQ(file.store.LineText(2), "Oh");
    EXPECT_EQ(file.identity, corvale::IdentityOf(bytes));
    EXPECT_EQ(QDir(folder.ProgramFolder()).relativeFilePath(file.meter.path), "meter.txt");
    EXPECT_EQ(file.meter.row->symbols, 2);
    EXPECT_FALSE(file.meter.IsOwnOf(folder.PathOf("ode.txt")));
}

}  // namespace
