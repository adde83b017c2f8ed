#include "firstpass/Words.h"

#include <gtest/gtest.h>

namespace corvale::firstpass {
namespace {

// A word shown as kind, lead, [core], trail, then "+" when a compound part follows, "^" for a
// part after a hyphen, "`" for a graved ending, and what the engine gets after "=".
std::string Show(const std::vector<Word>& words) {
    std::string shown;
    for (const Word& word : words) {
        if (!shown.empty())
            shown += ' ';
        shown += word.kind == Word::Kind::Number      ? "#"
                 : word.kind == Word::Kind::Ampersand ? "&"
                                                      : "";
        shown += (word.lead + u'[' + word.core + u']' + word.trail).toStdString();
        shown += word.compoundPart ? "+" : "";
        shown += word.compoundTail ? "^" : "";
        shown += word.gravedEd ? "`" : "";
        if (!word.spoken.isEmpty() && word.spoken != word.core)
            shown += "=" + word.spoken.toStdString();
    }
    return shown;
}

struct WordsCase {
    const char* name;
    const char* line;
    const char* words;
};

class SplitIntoWordsTest : public testing::TestWithParam<WordsCase> {};

TEST_P(SplitIntoWordsTest, KeepsPunctuationOnItsWord) {
    EXPECT_EQ(Show(SplitIntoWords(QString::fromUtf8(GetParam().line))), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitIntoWordsTest,
    testing::Values(
        WordsCase{"TrailingPunctuationAndClosingQuote", "day? May, pass.\"",
                  "[day]? [May],=may [pass].\""},
        WordsCase{"LeadingQuoteAndBracket", "\"Would (God", "\"[Would]=would ([God]=god"},
        WordsCase{"LoneDashJoinsTheWordBefore", "side -- is", "[side] -- [is]"},
        WordsCase{"DashAtTheStartJoinsTheNextWord", "\xe2\x80\x94 and", "\xe2\x80\x94 [and]"},
        WordsCase{"DashesInsideARun",
                  "Brain--is sky\xe2\x80\x94"
                  "and",
                  "[Brain]--=brain [is] [sky]\xe2\x80\x94 [and]"},
        WordsCase{"HyphenatedCompound", "ever-fixed", "[ever]-+ [fixed]^"},
        WordsCase{"CompoundOfThree", "forget-me-not", "[forget]-+ [me]-+^ [not]^"},
        WordsCase{"PossessiveAndElisions", "summer's o'er ne'er dimm'd ow'st wander'st",
                  "[summer's] [o'er] [ne'er] [dimm'd] [ow'st] [wander'st]"},
        WordsCase{"LeadingElisions", "th' eye 'tis 'Twas",
                  "[th']=the [eye] ['tis]=tis ['Twas]=twas"},
        WordsCase{"QuoteBeforeAWordIsLead", "'Hello'", "'[Hello]'=hello"},
        WordsCase{"CurlyApostrophe", "summer\xe2\x80\x99s", "[summer\xe2\x80\x99s]=summer's"},
        WordsCase{"Ampersand", "you & me", "[you] &[&]=and [me]"},
        WordsCase{"GravedEnding", "blessèd", "[blessèd]`=bless"},
        WordsCase{"Number", "1984, and", "#[1984], [and]"},
        WordsCase{"OlderPrinting", "vnto grieues", "[vnto]=unto [grieues]=grieves"},
        WordsCase{"MathematicalBoldIsLettersSpokenPlain",
                  "\xf0\x9d\x90\x9d\xf0\x9d\x90\x9a\xf0\x9d\x90\xb2!",
                  "[\xf0\x9d\x90\x9d\xf0\x9d\x90\x9a\xf0\x9d\x90\xb2]!=day"},
        WordsCase{"NothingButPunctuation", "* * *", ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct JunctureCase {
    const char* name;
    const char* line;
    std::vector<int> junctures;  // after each word
};

class JunctureTest : public testing::TestWithParam<JunctureCase> {};

TEST_P(JunctureTest, FollowsThePunctuation) {
    std::vector<int> junctures;
    for (const Word& word : SplitIntoWords(QString::fromUtf8(GetParam().line)))
        junctures.push_back(JunctureAfter(word));
    EXPECT_EQ(junctures, GetParam().junctures);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JunctureTest,
    testing::Values(JunctureCase{"BetweenWords", "in the", {2, 2}},
                    JunctureCase{"CommaSemicolonColon", "a, b; c: d", {3, 3, 3, 2}},
                    JunctureCase{"Dashes", "a -- b\xe2\x80\x94 c", {3, 3, 2}},
                    JunctureCase{"Stops", "a. b! c? d...", {4, 4, 4, 4}},
                    JunctureCase{"StopInsideQuotes", "said, \"go!\" then", {3, 4, 2}},
                    JunctureCase{"InsideACompound", "ever-fixed mark", {1, 2, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SpokenFormTest, CutsAnAbsurdlyLongWordAndDropsControlCharacters) {
    EXPECT_EQ(SpokenForm(QString(500, u'a')).size(), kLongestSpokenWord);
    EXPECT_EQ(SpokenForm(QStringLiteral("a\x01"
                                        "b\x1b[c")),
              QStringLiteral("abc"));
}

TEST(ModernizeJTest, ReadsAnInitialIBeforeAVowelAsJ) {
    for (const auto& [printed, read] : std::vector<std::pair<QString, QString>>{
             {"ioyest", "joyest"}, {"iust", "just"}, {"in", "in"}, {"io", "io"}}) {
        QString spoken = printed;
        ModernizeJ(spoken);
        EXPECT_EQ(spoken, read) << printed.toStdString();
    }
}

}  // namespace
}  // namespace corvale::firstpass
