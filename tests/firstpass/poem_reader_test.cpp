// Reading a poem from its bytes: encodings, row ends, stanza breaks, and every refusal.

#include "firstpass/PoemReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using corvale::firstpass::Poem;
using corvale::firstpass::PoemLimits;
using corvale::firstpass::ReadPoem;
using corvale::firstpass::ReadPoemWithin;
using corvale::firstpass::Refusal;
using Lines = std::vector<std::string>;

// UTF-16 bytes of an ASCII text, with the BOM of that byte order.
std::string Utf16(const std::string& ascii, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii) {
        bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return bytes;
}

struct ReadCase {
    const char* name;
    std::string bytes;
    Lines lines;
};

class PoemReading : public testing::TestWithParam<ReadCase> {};

TEST_P(PoemReading, GivesTheVerseLinesAsWritten) {
    const auto read = ReadPoem(GetParam().bytes);
    ASSERT_TRUE(std::holds_alternative<Poem>(read)) << std::get<Refusal>(read).message;
    EXPECT_EQ(std::get<Poem>(read).verseLines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PoemReading,
    testing::Values(
        ReadCase{"MixedEndsMakeNoEmptyRowsOfCrLf", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        ReadCase{"BlankRowsAreStanzaBreaks", "\n\na\n \t \n\r\nb\n\n", {"a", "b"}},
        // Tabs inside a row are no record fields; control characters are spaces.
        ReadCase{"TrimmedAndTabsAndControlsToSpaces",
                 "  \tSo long\tl\x1Eives\tthis\x0B\x7F\x0C\t \n",
                 {"So long l ives this"}},
        ReadCase{"Utf8WithoutBom",
                 "bless\xC3\xA8"
                 "d\n",
                 {"bless\xC3\xA8"
                  "d"}},
        ReadCase{"ByteOrderMarksAreDropped",
                 "\xEF\xBB\xBF"
                 "a\r\n\xEF\xBB\xBF\r\nb\xEF\xBB\xBF"
                 "c",
                 {"a", "bc"}},
        ReadCase{"Windows1252",
                 "O\x92"
                 "er the \x93sea\x94\n",
                 {"O\xE2\x80\x99"
                  "er the \xE2\x80\x9Csea\xE2\x80\x9D"}},
        ReadCase{"OneGoodCharacterAndOneBadByteIsUtf8",
                 "\xE2\x80\x99Tis\x92\n",
                 {"\xE2\x80\x99Tis\xEF\xBF\xBD"}},
        ReadCase{"GothicLettersAreLetters",
                 "\xf0\x90\x8c\xb0\xf0\x90\x8c\xb9\xf0\x90\x8c\xb2\n",
                 {"\xf0\x90\x8c\xb0\xf0\x90\x8c\xb9\xf0\x90\x8c\xb2"}},
        ReadCase{"Utf16LittleEndian",
                 Utf16("Tyger Tyger\r\n\r\nburning\r\n", false),
                 {"Tyger Tyger", "burning"}},
        ReadCase{"Utf16BigEndian", Utf16("Tyger\nbright", true), {"Tyger", "bright"}},
        // U+2028, U+2029 and NEL end rows; a soft hyphen is no syllable of its own.
        ReadCase{"SeparatorsEndRowsSoftHyphensGo",
                 "a\xE2\x80\xA8"
                 "b\xE2\x80\xA9"
                 "c\xC2\x85"
                 "flow\xC2\xAD"
                 "er",
                 {"a", "b", "c", "flower"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    std::string bytes;
    PoemLimits limits;
    std::string message;
    std::int64_t row;
};

class PoemRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(PoemRefusal, NamesWhatIsWrongAndWhere) {
    const auto read = ReadPoemWithin(GetParam().bytes, GetParam().limits);
    ASSERT_TRUE(std::holds_alternative<Refusal>(read));
    EXPECT_EQ(std::get<Refusal>(read).message, GetParam().message);
    EXPECT_EQ(std::get<Refusal>(read).row, GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PoemRefusal,
    testing::Values(
        RefusalCase{"Empty", "", {}, "The poem file is empty: there is nothing to scan.", 0},
        RefusalCase{"OnlyBlankRows",
                    "\r\n  \n\t\n",
                    {},
                    "The poem holds only blank lines: there is nothing to scan.",
                    0},
        RefusalCase{"NulByte",
                    std::string("a\nb\0c\n", 6),
                    {},
                    "The poem holds a NUL byte, which no plain-text poem has.",
                    2},
        RefusalCase{"NulCodeUnitInUtf16",
                    std::string("\xFF\xFE"
                                "a\0\0\0",
                                6),
                    {},
                    "The poem holds a NUL byte, which no plain-text poem has.",
                    1},
        RefusalCase{"ScansionRecordFurtherDown",
                    "A poem\n3\tcomment\tx\t\n",
                    {},
                    "This is already a scansion file (a \"comment\" record), not a poem: open "
                    "it in Corvale to correct it, or scan the poem it came from.",
                    2},
        RefusalCase{"TooLargeInBytes",
                    "abcdef",
                    {5, 10},
                    "The poem file is larger than 5 bytes, the most Corvale reads.",
                    0},
        RefusalCase{"TooManyVerseLines",
                    "a\n\nb\nc\nd\n",
                    {100, 2},
                    "The poem has more than 2 verse lines, the most Corvale scans.",
                    4}),
    [](const auto& info) { return std::string(info.param.name); });

// One bad byte among curly quotes: still UTF-8, with a warning at the row of the first.
TEST(PoemEncoding, MostlyUtf8IsUtf8WithAWarning) {
    const auto read = ReadPoem(
        "\xE2\x80\x9CO\xE2\x80\x9D\r\n\r\nO\x92"
        "er \xE2\x80\x99tis\x92\n");
    ASSERT_TRUE(std::holds_alternative<Poem>(read));
    EXPECT_EQ(std::get<Poem>(read).verseLines, (Lines{"\xE2\x80\x9CO\xE2\x80\x9D",
                                                      "O\xEF\xBF\xBD"
                                                      "er \xE2\x80\x99tis\xEF\xBF\xBD"}));
    ASSERT_EQ(std::get<Poem>(read).warnings.size(), 1u);
    EXPECT_EQ(std::get<Poem>(read).warnings[0].row, 3);
}

TEST(PoemLimit, AsManyVerseLinesAsAllowedAreReadWithTheirRows) {
    std::vector<std::int32_t> rows;
    const auto read = ReadPoemWithin("a\r\n\r\nb\r\n\n\n", PoemLimits{100, 2}, &rows);
    ASSERT_TRUE(std::holds_alternative<Poem>(read));
    EXPECT_EQ(std::get<Poem>(read).verseLines, (Lines{"a", "b"}));
    EXPECT_EQ(rows, (std::vector<std::int32_t>{1, 3}));
}

TEST(PoemLimit, MessagesCountWithThousands) {
    EXPECT_EQ(corvale::firstpass::WithThousands(10'000'000), "10,000,000");
    EXPECT_EQ(corvale::firstpass::WithThousands(1000), "1,000");
}

}  // namespace
