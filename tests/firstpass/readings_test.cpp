// The table of readings: a word and its pronunciation give the readings offered, one row a rule;
// and the poem's marks that decide where a rule is weighed.

#include "firstpass/Readings.h"

#include <gtest/gtest.h>

namespace corvale::firstpass {
namespace {

constexpr PoemMarks kModern{};
constexpr PoemMarks kOlderVerse{false, true, false};
constexpr PoemMarks kOlderPrinting{false, true, true};

struct ReadingsCase {
    const char* name;
    const char* written;
    const char* phonemes;  // the engine's
    PoemMarks marks;
    std::string readings;  // each reading's pieces joined by "|", readings by " / "
};

class ReadingsOfTest : public testing::TestWithParam<ReadingsCase> {};

TEST_P(ReadingsOfTest, OffersTheSpokenReadingThenOnePerRule) {
    std::string offered;
    for (const Reading& reading : ReadingsOf(QString::fromUtf8(GetParam().written),
                                             ReadPhonemes(GetParam().phonemes), GetParam().marks)) {
        EXPECT_EQ(reading.pieces.size(), std::ssize(reading.sound.syllables));
        offered += (offered.empty() ? "" : " / ") + reading.pieces.join(u'|').toStdString();
    }
    EXPECT_EQ(offered, GetParam().readings);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadingsOfTest,
    testing::Values(
        ReadingsCase{"DiphthongRunOn", "fire", "f|'aI3", kModern, "fi|re / fire"},
        ReadingsCase{"DiphthongBeforeRWithNoVowelWritten", "desiring", "d|I2|z|'aI3|r|I|N", kModern,
                     "de|si|r|ing / de|sir|ing"},
        ReadingsCase{"DiphthongBeforeRWrittenAsTwoVowels", "fiery", "f|'aI3|r|i", kModern,
                     "fi|e|ry"},
        ReadingsCase{"DiphthongWrittenAsTwoVowels", "flower", "f|l|'aU|3", kOlderPrinting,
                     "flow|er"},
        ReadingsCase{"SaidEd", "wished", "w|'I|S|t", kOlderVerse, "wished / wish|ed"},
        ReadingsCase{"SaidEdNotInModernVerse", "wished", "w|'I|S|t", kModern, "wished"},
        ReadingsCase{
            "SaidEdNotWhereThePoemMarksIt", "wished", "w|'I|S|t", {true, true, true}, "wished"},
        ReadingsCase{"SaidI", "nation", "n|'eI|S|@|n", kOlderVerse, "na|tion / na|ti|on"},
        ReadingsCase{"RestoredVowel", "every", "'E|v|r|i", kOlderVerse, "ever|y / ev|e|ry"},
        ReadingsCase{"VowelsAcrossAnApostropheAreOne", "e'en", "'E|@|n", kOlderVerse, "e'en"},
        ReadingsCase{"ApostropheFormGetsNoVowelBack", "ev'ry", "'E|v|r|i", kOlderPrinting,
                     "ev|'ry"},
        ReadingsCase{"Syncope", "memory", "m|'E|m|3|r|i", kOlderPrinting, "mem|o|ry / mem|ory"},
        ReadingsCase{"SyncopeOnlyInOlderPrinting", "memory", "m|'E|m|3|r|i", kOlderVerse,
                     "mem|o|ry"},
        ReadingsCase{"ShortenedN", "heaven", "h|'E|v|@|n", kOlderPrinting, "heav|en / heaven"},
        ReadingsCase{"Synaeresis", "glorious", "g|l|'o@|r|i@|s", kOlderPrinting,
                     "glo|ri|ous / glo|rious"},
        ReadingsCase{"NoneForRiver", "river", "r|'I|v|3", kOlderPrinting, "riv|er"}),
    [](const auto& info) { return std::string(info.param.name); });

struct MarksCase {
    const char* name;
    const char* line;
    PoemMarks marks;
};

class MarksOfTest : public testing::TestWithParam<MarksCase> {};

TEST_P(MarksOfTest, ReadsThePoemsSpelling) {
    const PoemMarks marks = MarksOf({"A plain line", GetParam().line});
    EXPECT_EQ(marks.saidEd, GetParam().marks.saidEd);
    EXPECT_EQ(marks.olderVerse, GetParam().marks.olderVerse);
    EXPECT_EQ(marks.olderPrinting, GetParam().marks.olderPrinting);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarksOfTest,
    testing::Values(MarksCase{"ModernContractions", "You'd think 'twould rain, they'd say", {}},
                    MarksCase{"SaidEd",
                              "My belov\xc3\xa8"
                              "d, come",
                              {true, false, false}},
                    MarksCase{"OlderVerbForm", "He hath no peer", {false, true, false}},
                    MarksCase{"ElidedEd",
                              "Pass\xe2\x80\x99"
                              "d over",
                              {false, true, false}},
                    MarksCase{"ElidedThe", "Th' infernal pit", {false, true, false}},
                    MarksCase{"OlderPrinting", "To come vnto his home", {false, false, true}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::firstpass
