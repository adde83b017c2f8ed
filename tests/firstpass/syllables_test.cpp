#include "firstpass/Syllables.h"

#include <gtest/gtest.h>

namespace corvale::firstpass {
namespace {

using L = Lexical;

struct PhonemesCase {
    const char* name;
    const char* phonemes;
    std::vector<Lexical> syllables;
};

class SyllablesOfPhonemesTest : public testing::TestWithParam<PhonemesCase> {};

TEST_P(SyllablesOfPhonemesTest, OneEntryAVowel) {
    EXPECT_EQ(SyllablesOfPhonemes(GetParam().phonemes), GetParam().syllables);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SyllablesOfPhonemesTest,
    testing::Values(
        PhonemesCase{"PrimaryThenNone", "h|'E|v|@|n| ", {L::Primary, L::None}},
        PhonemesCase{"SecondaryThenPrimary",
                     "k|,0|n|t|@|m|p|l|'eI|S|@|n| ",
                     {L::Secondary, L::None, L::Primary, L::None}},
        PhonemesCase{"SyllabicL", "t|r|'V|b|@L| ", {L::Primary, L::None}},
        PhonemesCase{"FireIsTwo", "f|'aI3| ", {L::Primary, L::None}},
        PhonemesCase{"IdeaIsThree", "aI|d|'i@| ", {L::None, L::Primary, L::None}},
        PhonemesCase{"PeriodIsThree", "p|'i@|r|I2|;|@|d| ", {L::Primary, L::None, L::None}},
        PhonemesCase{"CuriousIsThree", "k|j|'U@|r|i@|s| ", {L::Primary, L::None, L::None}},
        PhonemesCase{"PausesAndMarksAreNoVowels", "n|'e@|_:|_:|;| ", {L::Primary}},
        PhonemesCase{"SeveralWordsRunOn", "D|@2 s|'V|n| ", {L::None, L::Primary}},
        PhonemesCase{"Nothing", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SplitCase {
    const char* name;
    const char* word;
    int count;
    std::vector<const char*> pieces;  // empty: only the count and the letters are checked
};

class SplitWrittenTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitWrittenTest, GivesTheEnginesCountOfPieces) {
    const QString word = QString::fromUtf8(GetParam().word);
    const QStringList pieces = SplitWritten(word, GetParam().count);
    EXPECT_EQ(pieces.join(QString()), word);
    for (const QString& piece : pieces)
        EXPECT_FALSE(piece.isEmpty());
    if (GetParam().pieces.empty()) {
        EXPECT_EQ(pieces.size(), std::min<qsizetype>(GetParam().count, word.size()));
        return;
    }
    QStringList expected;
    for (const char* piece : GetParam().pieces)
        expected << QString::fromUtf8(piece);
    EXPECT_EQ(pieces, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitWrittenTest,
                         testing::Values(SplitCase{"OneSyllable", "strength", 1, {"strength"}},
                                         SplitCase{"PatternsSplit", "fortune", 2, {"for", "tune"}},
                                         SplitCase{"VeryByVowelGroups", "very", 2, {"ve", "ry"}},
                                         SplitCase{"MemoryByVowelGroups", "memory", 3, {}},
                                         SplitCase{"SilentEDropped", "beweep", 2, {}},
                                         SplitCase{"OnsetKept", "cobra", 2, {"co", "bra"}},
                                         SplitCase{"HiatusSplit", "Ozymandias", 5, {}},
                                         SplitCase{"TooFewVowelsStillSplit", "prism", 2, {}},
                                         SplitCase{"MoreSyllablesThanLetters", "ah", 3, {}},
                                         SplitCase{"AccentedLetters", "naïveté", 3, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VowelGroupsTest, CountsGroupsWithoutSilentEndings) {
    EXPECT_EQ(VowelGroups(QStringLiteral("shade")), 1);
    EXPECT_EQ(VowelGroups(QStringLiteral("trouble")), 2);
    EXPECT_EQ(VowelGroups(QStringLiteral("hmm")), 1);
}

}  // namespace
}  // namespace corvale::firstpass
