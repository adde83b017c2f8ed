#include "firstpass/FirstPass.h"
#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace corvale::firstpass {
namespace {

struct RoundTripCase {
    const char* name;
    std::vector<std::string> lines;
};

class RoundTripTest : public testing::TestWithParam<RoundTripCase> {};

// What the pass writes is a scansion file as Corvale reads it: loaded and saved untouched, it
// comes back byte for byte.
TEST_P(RoundTripTest, AScannedFileSavesBackByteForByte) {
    const auto result = Scan(Poem{GetParam().lines});
    ASSERT_TRUE(std::holds_alternative<Scansion>(result));
    const std::string bytes = std::get<Scansion>(result).scansionFile;
    test::ScriptedPlatform platform;
    platform.WriteFile("poem.scansion.txt", bytes);
    Workspace workspace(platform);
    workspace.WorkingFileName = "poem.scansion.txt";
    ASSERT_TRUE(workspace.LoadScansionFile());
    ASSERT_EQ(workspace.SaveFiles(), Workspace::SaveResult::Saved);
    EXPECT_EQ(platform.ReadFile("poem.scansion.txt"), bytes);
    EXPECT_TRUE(platform.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundTripTest,
    testing::Values(RoundTripCase{"Sonnet",
                                  {"Shall I compare thee to a summer's day?",
                                   "Thou art more lovely and more temperate:",
                                   "Rough winds do shake the darling buds of May,"}},
                    RoundTripCase{
                        "PunctuationAndElisions",
                        {"\"O'er the ever-fixed mark -- 'tis blessèd & 1984!\"", "* * *",
                         "Th' ocean\xe2\x80\x94wide, (deep) \xe2\x80\x9cwords\xe2\x80\x9d"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::firstpass
