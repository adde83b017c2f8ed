#include "firstpass/Division.h"

#include <gtest/gtest.h>

namespace corvale::firstpass {
namespace {

using L = Lexical;

struct PhonemesCase {
    const char* name;
    const char* phonemes;
    std::vector<Lexical> syllables;
};

class ReadPhonemesTest : public testing::TestWithParam<PhonemesCase> {};

TEST_P(ReadPhonemesTest, OneEntryAVowel) {
    EXPECT_EQ(ReadPhonemes(GetParam().phonemes).Stresses(), GetParam().syllables);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadPhonemesTest,
    testing::Values(
        PhonemesCase{"PrimaryThenNone", "h|'E|v|@|n| ", {L::Primary, L::None}},
        PhonemesCase{"SecondaryThenPrimary",
                     "k|,0|n|t|@|m|p|l|'eI|S|@|n| ",
                     {L::Secondary, L::None, L::Primary, L::None}},
        PhonemesCase{"SyllabicL", "t|r|'V|b|@L| ", {L::Primary, L::None}},
        PhonemesCase{"SyllabicNIsASyllable", "r|'I|?|n-| ", {L::Primary, L::None}},
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
    int count;                        // when no phonemes are given
    const char* phonemes;             // the engine's, or null
    std::vector<const char*> pieces;  // empty: only the count and the letters are checked
};

class SplitWrittenTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitWrittenTest, GivesTheEnginesCountOfPieces) {
    const QString word = QString::fromUtf8(GetParam().word);
    const QStringList pieces = GetParam().phonemes
                                   ? SplitWritten(word, ReadPhonemes(GetParam().phonemes))
                                   : SplitWritten(word, GetParam().count);
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

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitWrittenTest,
    testing::Values(
        SplitCase{"OneSyllable", "strength", 1, nullptr, {"strength"}},
        SplitCase{"PatternsSplit", "fortune", 2, nullptr, {"for", "tune"}},
        SplitCase{"StressedShortVowelKeepsAConsonantFromThePatterns",
                  "pleasure",
                  0,
                  "p|l|'E|Z|3",
                  {"pleas", "ure"}},
        SplitCase{"SuffixKeepsTheStem", "shrouded", 0, "S|r|'aU|d|I|d", {"shroud", "ed"}},
        SplitCase{"SuffixWithoutSound", "very", 2, nullptr, {"ver", "y"}},
        SplitCase{"SyllabicNEndsTheWord", "forgotten", 0, "f|3|g|'0|?|n-", {"for", "got", "ten"}},
        SplitCase{
            "DoubledConsonantBeforeASuffixDivides", "bidding", 0, "b|'I|d|I|N", {"bid", "ding"}},
        SplitCase{"GlideEndsAStressedVowel", "flower", 0, "f|l|'aU|3", {"flow", "er"}},
        SplitCase{"UnstressedPrefix", "across", 0, "@|k|r|'0|s", {"a", "cross"}},
        SplitCase{"DigraphKeptWhole", "other", 0, "'V|D|3", {"oth", "er"}},
        SplitCase{"LongVowelKeepsNone", "open", 0, "'oU|p|@|n", {"o", "pen"}},
        SplitCase{"NgOfTwoSounds", "finger", 0, "f|'I|N|g|3", {"fin", "ger"}},
        SplitCase{"LeKeepsItsConsonant", "trouble", 0, "t|r|'V|b|@L", {"trou", "ble"}},
        SplitCase{"VowelBeforeRKeepsIt", "forests", 0, "f|'O:|r|I|s|t|s", {"for", "ests"}},
        SplitCase{"MemoryByVowelGroups", "memory", 3, nullptr, {}},
        SplitCase{"SilentEDropped", "beweep", 2, nullptr, {}},
        SplitCase{"OnsetKept", "cobra", 2, nullptr, {"co", "bra"}},
        SplitCase{"HiatusSplit", "Ozymandias", 5, nullptr, {}},
        SplitCase{
            "HiatusBeforeASilentE", "disobedience,", 5, nullptr, {"dis", "o", "be", "di", "ence,"}},
        SplitCase{"TooFewVowelsSyllabicConsonant", "prism", 2, nullptr, {"pris", "m"}},
        SplitCase{"ElidedVowelGoesWithTheConsonantAfterIt", "ev'ning", 2, nullptr, {"ev", "'ning"}},
        SplitCase{"MoreSyllablesThanLetters", "ah", 3, nullptr, {}},
        // Each of the two letters once asked whether the other was a vowel, without end.
        SplitCase{"InitialVBeforeY", "v\xc3\xbfing", 2, nullptr, {}},
        SplitCase{"AccentedLetters", "naïveté", 3, nullptr, {}},
        SplitCase{"MathematicalBoldDividesAsItsPlainLetters",
                  "\xf0\x9d\x90\x9c\xf0\x9d\x90\xa8\xf0\x9d\x90\xa6\xf0\x9d\x90\xa9"
                  "\xf0\x9d\x90\x9a\xf0\x9d\x90\xab\xf0\x9d\x90\x9e",
                  0,
                  "k|@|m|p|'e@",
                  {"\xf0\x9d\x90\x9c\xf0\x9d\x90\xa8\xf0\x9d\x90\xa6",
                   "\xf0\x9d\x90\xa9\xf0\x9d\x90\x9a\xf0\x9d\x90\xab\xf0\x9d\x90\x9e"}},
        SplitCase{"GothicNeverPartsASurrogatePair",
                  "\xf0\x90\x8c\xb0\xf0\x90\x8c\xb9\xf0\x90\x8c\xb2",
                  2,
                  nullptr,
                  {"\xf0\x90\x8c\xb0", "\xf0\x90\x8c\xb9\xf0\x90\x8c\xb2"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VowelGroupsTest, CountsGroupsWithoutSilentEndings) {
    EXPECT_EQ(VowelGroups(QStringLiteral("shade")), 1);
    EXPECT_EQ(VowelGroups(QStringLiteral("trouble")), 2);
    EXPECT_EQ(VowelGroups(QStringLiteral("hmm")), 1);
}

}  // namespace
}  // namespace corvale::firstpass
