// The exports read back: the CSV by RFC 4180's rules, the TEI by an XML reader; and the writer
// that puts an export in place.

#include "export/Export.h"
#include "export/ExportFiles.h"
#include "scansion/MeterFile.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include <map>
#include <string>
#include <vector>

namespace corvale::exports {
namespace {

using test::SampleFile;
using test::ScansionFile;
using Table = std::vector<std::vector<std::string>>;

// Rows of fields, reading quoted fields with doubled quotes and line breaks inside; every row
// must end in CR LF.
Table ParseCsv(const std::string& text) {
    Table rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            rows.back().back() += text[++i];
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == ',') {
            rows.back().emplace_back();
        } else if (!quoted && c == '\r') {
            EXPECT_EQ(text[++i], '\n');
            rows.emplace_back(1);
        } else {
            rows.back().back() += c;
        }
    }
    EXPECT_EQ(rows.back(), std::vector<std::string>(1));
    rows.pop_back();
    return rows;
}

LoadedScansion Load(const test::ScriptedPlatform& folder, const std::string& bytes) {
    folder.WriteFile("ode.txt", bytes);
    return std::get<LoadedScansion>(
        LoadScansionFile(QString::fromStdString(folder.FilePath("ode.txt"))));
}

TEST(CsvExport, ParsesBackToOneRowPerShownSyllable) {
    test::ScriptedPlatform folder;
    // A blank column, a syllable beyond the two-place meter, a Windows-1252 byte, a comment
    // with a comma, quotes and a tab.
    const LoadedScansion ode = Load(folder, ScansionFile({{"Hark, caf\xE9",
                                                           {"Hark,", " ", "ca", "f\xE9"},
                                                           {"3", "", "1", "2"},
                                                           {"3", "", "1", "4"},
                                                           "said \"so\", then\tno"},
                                                          {"O", {"O"}, {"2"}, {"4"}, ""}}));
    const Source source{ode.store, ode.encoding, "a,b.txt", ExportMeter("W\tS \tW", 2)};
    const Table expected = {
        {"file", "line", "column", "place", "symbol", "syllable", "stress", "juncture", "word",
         "comment", "meter"},
        {"a,b.txt", "1", "1", "1", "W", "Hark,", "3", "3", "1", "said \"so\", then\tno", "1"},
        {"a,b.txt", "1", "3", "", "", "ca", "1", "1", "2", "said \"so\", then\tno", "1"},
        {"a,b.txt", "1", "4", "", "", "f\u00e9", "2", "4", "2", "said \"so\", then\tno", "1"},
        {"a,b.txt", "2", "1", "1", "W", "O", "2", "4", "1", "", "1"}};
    EXPECT_EQ(ParseCsv(ExportFile(source, Format::Csv)), expected);
}

// What the TEI reader finds: each <l>'s attributes and its text, <sb/> read as nothing and
// notes left out.
struct ReadTei {
    std::vector<std::map<QString, QString>> lines;
    std::vector<QString> texts;
    bool wellFormed = false;
};

ReadTei Read(const std::string& document) {
    ReadTei read;
    QXmlStreamReader xml(QByteArray::fromStdString(document));
    bool inLine = false;
    bool inNote = false;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        const QStringView name = xml.name();
        if (xml.isStartElement() && name == u"l") {
            EXPECT_EQ(xml.namespaceUri(), u"http://www.tei-c.org/ns/1.0");
            auto& attributes = read.lines.emplace_back();
            for (const QXmlStreamAttribute& attribute : xml.attributes()) {
                attributes[attribute.name().toString()] = attribute.value().toString();
            }
            read.texts.emplace_back();
        }
        if ((xml.isStartElement() || xml.isEndElement()) && (name == u"l" || name == u"note")) {
            (name == u"l" ? inLine : inNote) = xml.isStartElement();
        }
        if (xml.isCharacters() && inLine && !inNote) {
            read.texts.back() += xml.text();
        }
    }
    read.wellFormed = !xml.hasError();
    return read;
}

TEST(TeiExport, TheSampleIsWellFormedWithMetAndRealOfTheRightLengths) {
    test::ScriptedPlatform folder;
    const LoadedScansion sonnet = Load(folder, SampleFile("sonnet18", "sonnet18.txt"));
    const MeterFileRow meter = ReadMeterRow(SampleFile("sonnet18", "meter.txt"));
    const Source source{sonnet.store, sonnet.encoding, "sonnet18.txt",
                        ExportMeter(meter.line, meter.symbols)};
    const std::string document = ExportFile(source, Format::Tei);
    const ReadTei tei = Read(document);
    ASSERT_TRUE(tei.wellFormed);
    EXPECT_EQ(document.find("<lg"), document.rfind("<lg"));
    ASSERT_EQ(tei.lines.size(), 14U);
    meter::ShownLine shown;
    for (std::size_t i = 0; i < tei.lines.size(); ++i) {
        const auto j = static_cast<std::int32_t>(i + 1);
        shown.Read(sonnet.store, j);
        EXPECT_EQ(tei.lines[i].at("n"), QString::number(j));
        EXPECT_EQ(tei.lines[i].at("met"), "-+-+-+-+-+");
        EXPECT_EQ(tei.lines[i].at("real").size(), shown.Syllables().size()) << j;
        EXPECT_EQ(tei.texts[i].toStdString(), sonnet.store.LineText(j)) << j;
    }
}

TEST(TeiExport, WithoutAMeterLeavesMetOutAndKeepsBadCharactersOut) {
    test::ScriptedPlatform folder;
    const LoadedScansion ode =
        Load(folder, ScansionFile({{"a", {"a\x01", "b"}, {"3", "1"}, {"1", "4"}, "x\x02"}}));
    const std::string document =
        TeiDocument(Source{ode.store, ode.encoding, "ode.txt", ExportMeter()});
    const ReadTei tei = Read(document);
    ASSERT_TRUE(tei.wellFormed) << document;
    EXPECT_EQ(tei.lines.at(0), (std::map<QString, QString>{{"n", "1"}, {"real", "+-"}}));
    EXPECT_EQ(tei.texts.at(0), "a\uFFFDb");
    EXPECT_NE(document.find("<note>x\xEF\xBF\xBD</note>"), std::string::npos);
}

// Line 1 shows four syllables, which only the second meter fits; line 2 six, the main meter's.
class TwoMeters : public testing::Test {
protected:
    test::ScriptedPlatform folder;
    const LoadedScansion ode = Load(
        folder,
        ScansionFile(
            {{"a bc, d", {"a", "b", "c,", "d"}, {"1", "3", "1", "3"}, {"2", "1", "3", "4"}, "note"},
             {"six",
              {"a", "b", "c", "d", "e", "f"},
              {"1", "3", "1", "1", "3", "1"},
              {"2", "2", "2", "2", "2", "4"},
              ""}}));
    Source Under(std::vector<ExportMeter> further) const {
        return {ode.store, ode.encoding, "ode.txt", ExportMeter("W\tS\tW\tS\tW\tS", 6),
                std::move(further)};
    }
};

TEST_F(TwoMeters, EachLineIsWrittenUnderItsOwnMeter) {
    const Source source = Under({ExportMeter("W\tS\tW\tS", 4)});
    const Table csv = ParseCsv(ExportFile(source, Format::Csv));
    ASSERT_EQ(csv.size(), 11U);
    EXPECT_EQ(csv[4], (std::vector<std::string>{"ode.txt", "1", "4", "4", "S", "d", "3", "4", "3",
                                                "note", "2"}));
    EXPECT_EQ(csv[10], (std::vector<std::string>{"ode.txt", "2", "6", "6", "S", "f", "1", "4", "6",
                                                 "", "1"}));
    const Table lines = ParseCsv(ExportFile(source, Format::Lines));
    EXPECT_EQ(
        lines,
        (Table{{"file", "line", "text", "syllables", "meter", "met", "real", "fits", "departures",
                "comment"},
               {"ode.txt", "1", "a bc, d", "a b|c, d", "2", "-+-+", "-+-+", "true", "0", "note"},
               {"ode.txt", "2", "six", "a b c d e f", "1", "-+-+-+", "-+--+-", "false", "1", ""}}));
    const ReadTei tei = Read(ExportFile(source, Format::Tei));
    ASSERT_EQ(tei.lines.size(), 2U);
    EXPECT_EQ(tei.lines[0].at("met"), "-+-+");
    EXPECT_EQ(tei.lines[1].at("met"), "-+-+-+");
}

TEST_F(TwoMeters, LinesWithoutAMeterLeaveTheMetersColumnsEmpty) {
    const Source source{ode.store, ode.encoding, "ode.txt", ExportMeter()};
    EXPECT_EQ(ParseCsv(ExportFile(source, Format::Lines)).at(1),
              (std::vector<std::string>{"ode.txt", "1", "a bc, d", "a b|c, d", "", "", "-+-+", "",
                                        "", "note"}));
}

}  // namespace
}  // namespace corvale::exports
