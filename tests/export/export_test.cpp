// The exports read back: the CSV by RFC 4180's rules, the TEI by an XML reader; and the writer
// that puts an export in place.

#include "export/Export.h"
#include "export/ExportFiles.h"
#include "scansion/MeterOfFile.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <map>
#include <string>
#include <vector>

namespace corvale::exports {
namespace {

using test::Rows;
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

LoadedScansion Load(const QTemporaryDir& folder, const std::string& bytes) {
    QFile file(folder.filePath("ode.txt"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), std::ssize(bytes));
    file.close();
    return std::get<LoadedScansion>(LoadScansionFile(file.fileName()));
}

TEST(CsvExport, ParsesBackToOneRowPerShownSyllable) {
    QTemporaryDir folder;
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
         "comment"},
        {"a,b.txt", "1", "1", "1", "W", "Hark,", "3", "3", "1", "said \"so\", then\tno"},
        {"a,b.txt", "1", "3", "", "", "ca", "1", "1", "2", "said \"so\", then\tno"},
        {"a,b.txt", "1", "4", "", "", "f\u00e9", "2", "4", "2", "said \"so\", then\tno"},
        {"a,b.txt", "2", "1", "1", "W", "O", "2", "4", "1", ""}};
    EXPECT_EQ(ParseCsv(ExportFile(source, Format::Csv)), expected);
}

// What the TEI reader finds: each <l>'s attributes and its text, <sb/> read as nothing and
// notes left out, and how many groups hold the lines.
struct ReadTei {
    std::vector<std::map<QString, QString>> lines;
    std::vector<QString> texts;
    int groups = 0;
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
        read.groups += xml.isStartElement() && name == u"lg";
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
    QTemporaryDir folder;
    const LoadedScansion sonnet = Load(folder, SampleFile("sonnet18", "sonnet18.txt"));
    const MeterFileRow meter = ReadMeterRow(SampleFile("sonnet18", "meter.txt"));
    const Source source{sonnet.store, sonnet.encoding, "sonnet18.txt",
                        ExportMeter(meter.line, meter.symbols)};
    const ReadTei tei = Read(ExportFile(source, Format::Tei));
    ASSERT_TRUE(tei.wellFormed);
    EXPECT_EQ(tei.groups, 1);
    ASSERT_EQ(tei.lines.size(), 14U);
    // Each CSV row is one shown syllable.
    std::vector<int> syllables(15);
    for (const auto& row : ParseCsv(CsvRows(source))) {
        ++syllables[std::stoul(row[1])];
    }
    for (std::size_t i = 0; i < tei.lines.size(); ++i) {
        const auto j = static_cast<std::int32_t>(i + 1);
        EXPECT_EQ(tei.lines[i].at("n"), QString::number(j));
        EXPECT_EQ(tei.lines[i].at("met"), "-+-+-+-+-+");
        EXPECT_EQ(tei.lines[i].at("real").size(), syllables[i + 1]) << j;
        EXPECT_EQ(tei.texts[i].toStdString(), sonnet.store.LineText(j)) << j;
    }
}

TEST(TeiExport, WithoutAMeterLeavesMetOutAndKeepsBadCharactersOut) {
    QTemporaryDir folder;
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

struct WriteCase {
    const char* name;
    Replacing replacing;
    bool taken;
    bool written;
};

class ExportWriter : public testing::TestWithParam<WriteCase> {};

TEST_P(ExportWriter, PutsTheFileInPlaceOrLeavesWhatStoodThere) {
    QTemporaryDir folder;
    const QString path = folder.filePath("ode.syllables.csv");
    QFile old(path);
    if (GetParam().taken) {
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
    }
    EXPECT_EQ(WriteExportFile(path, "new", GetParam().replacing).isEmpty(), GetParam().written);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), GetParam().written ? "new" : "old");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"ode.syllables.csv"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportWriter,
    testing::Values(WriteCase{"NewName", Replacing::Never, false, true},
                    WriteCase{"TakenNeverReplaced", Replacing::Never, true, false},
                    WriteCase{"TakenReplaced", Replacing::Allowed, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::exports
