// A freshly scanned poem is a scansion file like any other: Corvale loads it without a word
// and saves it back byte for byte.

#include "firstpass/FirstPass.h"
#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using corvale::Workspace;
using corvale::firstpass::Poem;
using corvale::firstpass::ReadPoem;
using corvale::firstpass::Scan;
using corvale::firstpass::Scansion;
using corvale::test::EndsTheProgram;
using corvale::test::MemoryFile;
using corvale::test::ScriptedPlatform;

// Punctuation, quotes, an ampersand, a number, a compound, apostrophes, an accent, a dash and a
// line without letters, after a BOM: everything that reaches the file's fields.
const std::string kPoem =
    "\xEF\xBB\xBF\"Shall I compare thee to a summer's day?\r\n"
    "Thou art more lovely & more temperate:\r\n"
    "\r\n"
    "* * *\r\n"
    "O'er 12 ever-fixed marks \xE2\x80\x94 th' blessèd sun\r\n";

TEST(ScannedFileRoundTrip, LoadsAndSavesBackByteForByte) {
    const auto poem = ReadPoem(kPoem);
    ASSERT_TRUE(std::holds_alternative<Poem>(poem));
    const auto scanned = Scan(std::get<Poem>(poem));
    ASSERT_TRUE(std::holds_alternative<Scansion>(scanned));
    const Scansion& scansion = std::get<Scansion>(scanned);

    ScriptedPlatform platform;
    platform.WriteFile("poem.scansion.txt", scansion.scansionFile);
    platform.WriteFile("meter.txt", scansion.meterFile);
    platform.WriteFile("RememberEarlierRun.txt", MemoryFile("poem.scansion.txt", "1"));
    Workspace workspace{platform};
    workspace.ReadMemoryFile();
    ASSERT_FALSE(EndsTheProgram([&] {
        workspace.LoadScansionFile();
        workspace.ReadTheMeterFile();
    }));
    EXPECT_TRUE(platform.MessageTexts().empty());
    EXPECT_EQ(workspace.NumberOfLines, 4);
    EXPECT_EQ(workspace.LineText(4), "O'er 12 ever-fixed marks \xE2\x80\x94 th' blessèd sun");
    EXPECT_GT(workspace.NumberOfMeterSymbols, 0);

    workspace.CurrentLine = 1;
    ASSERT_EQ(workspace.SaveFiles(), Workspace::SaveResult::Saved);
    EXPECT_EQ(platform.ReadFile("poem.scansion.txt"), scansion.scansionFile);
}

}  // namespace
