// TEI poems: a file in the published corpora's shape, and the files the reader refuses.

#include "firstpass/PoemReader.h"

#include <gtest/gtest.h>

#include <QFile>

#include <string>
#include <vector>

namespace {

using corvale::firstpass::Poem;
using corvale::firstpass::ReadPoem;
using corvale::firstpass::ReadPoemWithin;
using corvale::firstpass::Refusal;

std::string Tyger() {
    QFile file(QStringLiteral(CORVALE_TEST_DATA "/tyger.tei.xml"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
}

TEST(TeiPoem, OneVerseLineForEachLOfTheBodyWithItsRow) {
    std::vector<std::int32_t> rows;
    const auto read = ReadPoemWithin(Tyger(), {}, &rows);
    ASSERT_TRUE(std::holds_alternative<Poem>(read)) << std::get<Refusal>(read).message;
    EXPECT_EQ(std::get<Poem>(read).verseLines,
              (std::vector<std::string>{
                  "Tyger Tyger, burning bright,", "In the forests of the night;",
                  "What immortal hand or eye,", "Could frame thy fearful symmetry?",
                  "In what distant deeps or skies,", "Burnt the fire of thine eyes?"}));
    EXPECT_EQ(rows, (std::vector<std::int32_t>{25, 28, 34, 40, 48, 51}));
}

struct MarkupCase {
    const char* name;
    const char* line;  // the inside of one <l>
    const char* read;
};

class TeiMarkup : public testing::TestWithParam<MarkupCase> {};

TEST_P(TeiMarkup, GivesOneReadingOfTheLine) {
    const auto read = ReadPoem(std::string("<TEI xmlns=\"http://www.tei-c.org/ns/1.0\"><l>") +
                               GetParam().line + "</l></TEI>");
    ASSERT_TRUE(std::holds_alternative<Poem>(read)) << std::get<Refusal>(read).message;
    EXPECT_EQ(std::get<Poem>(read).verseLines, std::vector<std::string>{GetParam().read});
    EXPECT_TRUE(std::get<Poem>(read).warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TeiMarkup,
    testing::Values(
        MarkupCase{"ChoiceTakesTheRegularisedFormWhereverItStands",
                   "So <choice><orig>lovly</orig><reg>lovely</reg></choice> and <choice>"
                   "<corr>art</corr><sic>eart</sic></choice>",
                   "So lovely and art"},
        MarkupCase{"DeletionLeftOutAdditionKept",
                   "Shall I <del>contrast</del><add>compare</add> thee", "Shall I compare thee"},
        MarkupCase{"AppTakesTheLemmaElseTheFirstReading",
                   "<app><rdg>or</rdg><lem>and</lem></app> <app><rdg>more</rdg><rdg>most</rdg>"
                   "</app> <note>a gloss</note><fw>p. 3</fw>lovely",
                   "and more lovely"},
        MarkupCase{
            "AlternativesInsideAWordAndEachOther",
            "<w>lov<choice><sic>l</sic><corr>el</corr></choice>y</w> <app><lem><choice>"
            "<abbr>&amp;</abbr><expan><hi>and</hi></expan></choice></lem><rdg>or</rdg></app>",
            "lovely and"},
        MarkupCase{"LineAndColumnBreaksAreSpaces", "more<lb/>lovely<cb/>and", "more lovely and"},
        MarkupCase{"WordsMarkedOneByOne", "<w>Sometime</w><w>too</w>\n  <w>hot</w><pc>,</pc>",
                   "Sometime too hot,"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TeiPoem, WarnsOnceOfTheFirstElementWithoutARule) {
    const auto read = ReadPoem(
        "<TEI>\n<l>a <name>Troy</name> b</l>\n<l><persName>Helen</persName></l><l><name>x</name>"
        "</l></TEI>");
    ASSERT_TRUE(std::holds_alternative<Poem>(read));
    const auto& warnings = std::get<Poem>(read).warnings;
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].message,
              "<name> inside a verse line has no rule of its own: its text is read as part of "
              "the line");
    EXPECT_EQ(warnings[0].row, 2);
}

struct RefusedCase {
    const char* name;
    std::string bytes;
    std::string message;
    std::int64_t row;
};

class TeiRefusal : public testing::TestWithParam<RefusedCase> {};

TEST_P(TeiRefusal, SaysWhyAndWhere) {
    const auto read = ReadPoem(GetParam().bytes);
    ASSERT_TRUE(std::holds_alternative<Refusal>(read));
    EXPECT_EQ(std::get<Refusal>(read).message, GetParam().message);
    EXPECT_EQ(std::get<Refusal>(read).row, GetParam().row);
}

// Entities that each hold ten of the one before: a billion "lol"s from a few hundred bytes.
std::string BillionLaughs() {
    std::string dtd = "<!ENTITY a \"lol\">";
    for (char name = 'b'; name <= 'j'; ++name) {
        std::string tenfold;
        for (int i = 0; i < 10; ++i) {
            tenfold += std::string("&") + static_cast<char>(name - 1) + ';';
        }
        dtd += std::string("\n<!ENTITY ") + name + " \"" + tenfold + "\">";
    }
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE TEI [" + dtd + "]>\n<TEI><l>&j;</l></TEI>";
}

// One entity of `length` characters `character`, referred to `references` times in one line and
// once more in a comment.
std::string EntityReferred(int length, int references, const std::string& character = "e") {
    std::string line;
    for (int i = 0; i < references; ++i) {
        line += "&e;";
    }
    std::string text;
    for (int i = 0; i < length; ++i) {
        text += character;
    }
    return "<!DOCTYPE TEI [<!ENTITY e \"" + text + "\">]>\n<TEI>\n<!-- &e; -->\n<l>" + line +
           "</l></TEI>";
}

// Entities count in characters where the reader expands them: a mebibyte of 4,096-character
// entities in a line, beside one more reference in a comment, and an entity of 4,096 two-byte
// characters.
TEST(TeiPoem, EntitiesAreCountedInCharactersWhereTheyAreExpanded) {
    for (const std::string& tei :
         {EntityReferred(4096, 256), EntityReferred(4096, 1, "\xC3\xA9")}) {
        const auto read = ReadPoem(tei);
        EXPECT_TRUE(std::holds_alternative<Poem>(read)) << std::get<Refusal>(read).message;
    }
}

std::string WithStrayEndTag() {
    std::string tei = Tyger();
    tei.insert(tei.find("<l n=\"3\""), "</seg>");
    return tei;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TeiRefusal,
    testing::Values(
        RefusedCase{"StrayEndTag", WithStrayEndTag(),
                    "This TEI file is not well-formed XML: Opening and ending tag mismatch.", 34},
        RefusedCase{"BillionLaughs", BillionLaughs(),
                    "An entity in this TEI file expands to more than 4,096 characters, the most "
                    "Corvale expands: the file may be made to exhaust the memory.",
                    12},
        RefusedCase{"EntityOfOneCharacterTooMany", EntityReferred(4097, 1),
                    "An entity in this TEI file expands to more than 4,096 characters, the most "
                    "Corvale expands: the file may be made to exhaust the memory.",
                    4},
        RefusedCase{"EntitiesPastAMebibyteInAll", EntityReferred(4096, 257),
                    "The entities in this TEI file expand to more than 1,048,576 characters in "
                    "all, the most Corvale expands for a file of its length: the file may be made "
                    "to exhaust the memory.",
                    4},
        RefusedCase{"ExternalEntity",
                    "<!DOCTYPE TEI [\n<!ENTITY x SYSTEM \"file:///etc/passwd\">\n]>\n"
                    "<TEI><l>a &x; b</l></TEI>",
                    "The entity \"x\" is external (\"file:///etc/passwd\"): Corvale fetches "
                    "nothing, so its text would go missing. Write its text into the file "
                    "instead.",
                    3},
        // Declared in the DTD, which is never fetched.
        RefusedCase{"EntityOfTheDtd",
                    "\xEF\xBB\xBF \r\n<?xml version=\"1.0\"?>\n<!DOCTYPE TEI PUBLIC \"-//TEI//EN\" "
                    "\"http://example.org/tei.dtd\">\n<TEI>\n<l>a&nbsp;b</l></TEI>",
                    "The entity &nbsp; cannot be resolved: it is declared outside the file, and "
                    "Corvale fetches nothing. Write the character it stands for instead.",
                    5},
        RefusedCase{"NoVerseLine",
                    "<TEI><teiHeader><l>a header's line</l></teiHeader><l> <note>x</note> </l>"
                    "<p>prose</p></TEI>",
                    "The TEI file holds no verse lines (no <l> element with text in it): there "
                    "is nothing to scan.",
                    0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
