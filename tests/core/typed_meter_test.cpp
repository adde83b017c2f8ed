#include "meter/TypedMeter.h"
#include "scansion/MeterFile.h"
#include "scansion/RecordFormat.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <string>
#include <variant>
#include <vector>

namespace corvale::meter {
namespace {

using Meters = std::vector<std::vector<std::string>>;

struct OptionCase {
    const char* name;
    QString text;
    Meters meters;  // none: a usage error
};

class MeterOption : public testing::TestWithParam<OptionCase> {};

TEST_P(MeterOption, TakesMetersSeparatedBySemicolons) {
    const auto read = ReadMeterOption(GetParam().text);
    const auto* meters = std::get_if<Meters>(&read);
    EXPECT_EQ(meters ? *meters : Meters(), GetParam().meters);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MeterOption,
    testing::Values(
        OptionCase{"TwoMetersMainFirst", "w s w s; W S W", {{"W", "S", "W", "S"}, {"W", "S", "W"}}},
        OptionCase{"OnePlaceBesideAnotherMeter", "W S W S;S", {{"W", "S", "W", "S"}, {"S"}}},
        OptionCase{"AnEmptyMeterBetweenSemicolons", "W S;;W S", {}},
        OptionCase{"ATrailingSemicolon", "W S W S;", {}},
        OptionCase{"AnotherSymbolInAFurtherMeter", "W S; W X", {}},
        OptionCase{"MorePlacesThanALineHasSyllables",
                   QStringList(kMostPositions + 1, QStringLiteral("W")).join(u' '),
                   {}},
        OptionCase{"MoreThanTheMostMeters",
                   QStringList(kMostMeters + 1, QStringLiteral("W S")).join(u';'),
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::meter
