// A TEI poem scanned, exported as TEI and read again gives back its verse lines: the scan keeps
// every character of a line in its syllables, and the export parts them only by markup.

#include "export/Export.h"
#include "export/ExportFiles.h"
#include "firstpass/PoemReader.h"
#include "scansion/MeterFile.h"
#include "scansion/ScansionFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <variant>

namespace {

using namespace corvale;

std::string ReadBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

firstpass::Poem ReadTei(const std::string& bytes) {
    auto read = firstpass::ReadPoemWithin(bytes, {});
    EXPECT_TRUE(std::holds_alternative<firstpass::Poem>(read))
        << std::get<firstpass::Refusal>(read).message;
    return std::holds_alternative<firstpass::Poem>(read) ? std::get<firstpass::Poem>(read)
                                                         : firstpass::Poem{};
}

TEST(TeiRoundTrip, ScanThenExportGivesBackTheVerseLines) {
    const firstpass::Poem poem =
        ReadTei(ReadBytes(QStringLiteral(CORVALE_TEST_DATA "/tyger.tei.xml")));
    auto scanned = firstpass::Scan(poem);
    ASSERT_TRUE(std::holds_alternative<firstpass::Scansion>(scanned));
    const firstpass::Scansion& scansion = std::get<firstpass::Scansion>(scanned);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tyger.scansion.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(scansion.scansionFile.data(), static_cast<qint64>(scansion.scansionFile.size()));
    file.close();
    auto loaded = LoadScansionFile(path);
    ASSERT_TRUE(std::holds_alternative<LoadedScansion>(loaded));
    const auto& [store, encoding] =
        std::tie(std::get<LoadedScansion>(loaded).store, std::get<LoadedScansion>(loaded).encoding);
    const MeterFileRow meter = ReadMeterRow(scansion.meterFile);

    const std::string tei = exports::TeiDocument(
        {store, encoding, QStringLiteral("tyger.scansion.txt"), {meter.line, meter.symbols}});
    EXPECT_EQ(ReadTei(tei).verseLines, poem.verseLines);
}

}  // namespace
