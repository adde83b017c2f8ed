#include "firstpass/FirstPass.h"
#include "scansion/MeterFile.h"

#include <gtest/gtest.h>

namespace corvale {
namespace {

struct NamesCase {
    const char* name;
    const char* poem;
    const char* scansion;
    const char* meter;
};

class OutputNamesTest : public testing::TestWithParam<NamesCase> {};

TEST_P(OutputNamesTest, FollowThePoemsName) {
    const firstpass::OutputNames names = firstpass::OutputNamesFor(GetParam().poem);
    EXPECT_EQ(names.scansion, GetParam().scansion);
    EXPECT_EQ(names.meter, GetParam().meter);
}

INSTANTIATE_TEST_SUITE_P(Cases, OutputNamesTest,
                         testing::Values(NamesCase{"TwoDots", "ode.v2.txt", "ode.v2.scansion.txt",
                                                   "ode.v2.scansion.meter.txt"},
                                         NamesCase{"DottedFolder", "poems.d/ode",
                                                   "poems.d/ode.scansion.txt",
                                                   "poems.d/ode.scansion.meter.txt"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct MeterNameCase {
    const char* name;
    const char* scansion;
    const char* meter;
};

class OwnMeterFileNameTest : public testing::TestWithParam<MeterNameCase> {};

TEST_P(OwnMeterFileNameTest, ReplacesTheExtension) {
    EXPECT_EQ(OwnMeterFileName(GetParam().scansion), GetParam().meter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OwnMeterFileNameTest,
    testing::Values(MeterNameCase{"Extension", "sonnet18.txt", "sonnet18.meter.txt"},
                    MeterNameCase{"DotInFolderOnly", "a.b/ode", "a.b/ode.meter.txt"},
                    MeterNameCase{"HiddenName", ".ode", ".ode.meter.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale
