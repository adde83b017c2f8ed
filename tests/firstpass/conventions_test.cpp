// The conventions: what each changes in the values under the meter and in a function word's
// weight, and the conventions file that holds them.

#include "firstpass/ConventionsFile.h"
#include "firstpass/Stress.h"
#include "meter/MeterCheck.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <utility>

namespace corvale::firstpass {
namespace {

using W = Weight;
using C = Convention;
// Short for the rows: a stressed monosyllable, a longer word's stress, unstressed, weakened.
constexpr Weight M = W::StressedMonosyllable, T = W::Stressed, U = W::Unstressed, K = W::Weakened;

Conventions With(const std::vector<std::pair<Convention, int>>& changes) {
    Conventions conventions;
    for (const auto& [convention, value] : changes) {
        conventions.Set(convention, value);
    }
    return conventions;
}

struct UnderCase {
    const char* name;
    std::vector<std::pair<Convention, int>> changes;
    std::vector<Weight> line;
    const char* meter;
    std::vector<int> values;
};

class ValuesUnderConventions : public testing::TestWithParam<UnderCase> {};

TEST_P(ValuesUnderConventions, ChangeOnlyWhatTheirConventionDecides) {
    const meter::Meter meter(GetParam().meter, 100);
    EXPECT_EQ(ValuesUnderMeter(GetParam().line, meter, With(GetParam().changes)),
              GetParam().values);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ValuesUnderConventions, testing::Values(
    UnderCase{"ClashKeptByDefault", {}, {M, M, M, U}, "S\tW\tS\tW", {3, 3, 3, 1}},
    UnderCase{"ClashBetweenTwoStresses", {{C::Clash, 1}}, {M, M, M, U}, "S\tW\tS\tW", {3, 1, 3, 1}},
    UnderCase{"ClashOnOneSideNeedsLevelTwo", {{C::Clash, 1}}, {U, M, M, U}, "S\tW\tS\tW", {1, 3, 3, 1}},
    // A longer word's stress is never made weak, nor a monosyllable in a strong place.
    UnderCase{"ClashBesideAStrongStress", {{C::Clash, 2}}, {U, M, M, T, U}, "S\tW\tS\tW\tS", {1, 1, 3, 3, 1}},
    UnderCase{"LoneMonosyllableMadeWeak", {{C::WeakMonosyllable, 1}}, {U, M, U}, "S\tW\tS", {1, 1, 1}},
    UnderCase{"NoInvertedFirstFoot", {{C::InvertedFirstFoot, 0}}, {K, U, U, M}, "W\tS\tW\tS", {1, 2, 1, 3}},
    UnderCase{"InvertedFootInsideTheLine", {{C::InvertedFirstFoot, 2}}, {M, K, U, U, M}, "S\tW\tS\tW\tS", {3, 2, 1, 1, 3}},
    UnderCase{"NoLiftBetweenUnstressed", {{C::LiftBetweenUnstressed, 0}}, {M, U, U, U, M}, "S\tW\tS\tW\tS", {3, 1, 1, 1, 3}},
    UnderCase{"LiftInsideTheLineOnly", {{C::LiftBetweenUnstressed, 1}}, {U, U, U, U, U}, "S\tW\tS\tW\tS", {1, 1, 2, 1, 1}},
    UnderCase{"LiftAtTheStartOfATripleMeter", {{C::LiftBetweenUnstressed, 3}}, {U, U, M}, "S\tW\tW", {2, 1, 3}},
    UnderCase{"SecondaryNeverHeard", {{C::SecondaryStress, 0}}, {M, U, W::Secondary}, "S\tW\tS", {3, 1, 1}},
    UnderCase{"SecondaryHeardEverywhere", {{C::SecondaryStress, 2}}, {W::Secondary, M}, "W\tS", {2, 3}},
    UnderCase{"LiftedBesideAStress", {}, {M, W::Lifted, M}, "W\tS\tW", {3, 2, 3}},
    UnderCase{"TonelessNeverLifted", {}, {U, W::Toneless, U}, "W\tS\tW", {1, 1, 1}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct ClassCase {
    const char* name;
    const char* spoken;
    std::vector<Lexical> lexical;  // the engine's, for a word it is asked about
    std::pair<Convention, int> change;
    std::vector<Weight> weights;
    std::uint32_t byClass;
    bool endsItsPhrase = false;
};

class FunctionWords : public testing::TestWithParam<ClassCase> {};

TEST_P(FunctionWords, WeighAsTheirClassSays) {
    const WordWeights word = WeighWord(GetParam().spoken, GetParam().lexical,
                                       With({GetParam().change}), GetParam().endsItsPhrase);
    EXPECT_EQ(word.weights, GetParam().weights);
    EXPECT_EQ(word.byClass, GetParam().byClass);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, FunctionWords, testing::Values(
    ClassCase{"AlwaysStressed", "not", {}, {C::Negation, 4}, {T}, 1},
    ClassCase{"NeverStressed", "him", {}, {C::Pronoun, 0}, {W::Toneless}, 1},
    ClassCase{"AndIsAStepLighterThanItsClass", "and", {}, {C::Conjunction, 3}, {K}, 1},
    ClassCase{"ThroughIsAStepHeavierKeptWithinTheLevels", "through", {}, {C::Preposition, 4}, {T}, 1},
    ClassCase{"ALongerWordWeighsItsStressByClass", "upon", {Lexical::None, Lexical::Primary}, {C::Preposition, 2}, {U, W::Lifted}, 2},
    ClassCase{"ALongerWordEndingItsPhraseIsAnAdverb", "behind", {Lexical::None, Lexical::Primary}, {C::Preposition, 1}, {U, T}, 0, true},
    ClassCase{"ArticlesHaveNoClass", "the", {}, {C::Preposition, 4}, {U}, 0},
    ClassCase{"AContentWordIsNoFunctionWord", "dog", {Lexical::None}, {C::Pronoun, 4}, {M}, 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ConventionsFile, WritesEveryConventionAfterItsCommentAndReadsThemBack) {
    const Conventions conventions = With({{C::Clash, 2}, {C::Negation, 4}, {C::Syncope, 0}});
    const std::string bytes = ConventionsFileBytes(conventions);
    EXPECT_TRUE(bytes.starts_with("# Corvale's conventions"));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 1 + 2 * kConventionCount);
    EXPECT_NE(bytes.find("\r\n# clash: "), std::string::npos);
    EXPECT_NE(bytes.find("\r\nclash\t2\r\n"), std::string::npos);
    const auto read = ReadConventions(bytes);
    ASSERT_TRUE(std::holds_alternative<ConventionsRead>(read));
    EXPECT_EQ(std::get<ConventionsRead>(read).conventions, conventions);
    EXPECT_TRUE(std::get<ConventionsRead>(read).warnings.empty());
}

struct FileCase {
    const char* name;
    std::string bytes;
    std::int64_t refusedRow;  // 0: read
    std::string message;      // the refusal's, or the warnings' joined by "|"
    Conventions conventions;
};

class ConventionsFileRows : public testing::TestWithParam<FileCase> {};

TEST_P(ConventionsFileRows, AreReadOrRefusedByTheirRow) {
    const auto read = ReadConventions(GetParam().bytes);
    if (GetParam().refusedRow > 0) {
        ASSERT_TRUE(std::holds_alternative<Refusal>(read));
        EXPECT_EQ(std::get<Refusal>(read).row, GetParam().refusedRow);
        EXPECT_EQ(std::get<Refusal>(read).message, GetParam().message);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<ConventionsRead>(read));
    std::string warnings;
    for (const Warning& warning : std::get<ConventionsRead>(read).warnings) {
        warnings +=
            (warnings.empty() ? "" : "|") + std::to_string(warning.row) + ": " + warning.message;
    }
    EXPECT_EQ(warnings, GetParam().message);
    EXPECT_EQ(std::get<ConventionsRead>(read).conventions, GetParam().conventions);
}

const std::string kFirst = "# Corvale's conventions\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ConventionsFileRows, testing::Values(
    FileCase{"NotConventions", "clash\t1\n", 1, "not Corvale's conventions: the first row is not \"# Corvale's conventions\"", {}},
    FileCase{"NoTab", kFirst + "# a comment\nclash 1\n", 3, "no tab between a convention's name and its value", {}},
    FileCase{"OutOfRange", kFirst + "clash\t3\n", 2, "clash takes a whole number from 0 to 2, not \"3\"", {}},
    FileCase{"NotAWholeNumber", kFirst + "negation\t1.5\n", 2, "negation takes a whole number from 0 to 4, not \"1.5\"", {}},
    FileCase{"BlankRowsSpacesAndAByteOrderMark", "\xEF\xBB\xBF" + kFirst + "\r\n  \r\n negation \t 4 \r\n# pronoun\t9\r\n", 0, "", With({{C::Negation, 4}})},
    FileCase{"UnknownNameWarnsAndTheRestIsRead", kFirst + "enjambment\t1\nclash\t1\n", 0, "2: unknown convention \"enjambment\" passed over", With({{C::Clash, 1}})},
    FileCase{"NamedTwiceTheLaterCounts", kFirst + "clash\t1\nclash\t2\n", 0, "3: clash is named again: this row's value counts", With({{C::Clash, 2}})}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ConventionsFile, AFileThatCannotBeReadIsRefusedWithRowZero) {
    const QTemporaryDir folder;
    const auto read = ReadConventionsFile(folder.filePath("conventions.txt"));
    ASSERT_TRUE(std::holds_alternative<Refusal>(read));
    EXPECT_EQ(std::get<Refusal>(read).row, 0);
    EXPECT_EQ(std::get<Refusal>(read).message, "cannot be read: there is no such file");
}

}  // namespace
}  // namespace corvale::firstpass
