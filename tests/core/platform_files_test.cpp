#include "platform/FileAtPath.h"
#include "platform/Platform.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using corvale::kLargestReadableFile;

using corvale::ProgramEnded;
using corvale::RowCursor;
using corvale::test::ScriptedPlatform;

std::vector<std::string> RowsOf(std::string_view bytes) {
    std::vector<std::string> rows;
    RowCursor cursor(bytes);
    while (!cursor.AtEnd()) {
        rows.emplace_back(cursor.Next());
    }
    return rows;
}

struct RowsCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> rows;
};

class RowCursorTest : public testing::TestWithParam<RowsCase> {};

TEST_P(RowCursorTest, Splits) {
    EXPECT_EQ(RowsOf(GetParam().bytes), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowCursorTest,
    testing::Values(RowsCase{"Empty", "", {}}, RowsCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
                    RowsCase{"LoneLf", "a\nb\n", {"a", "b"}},
                    RowsCase{"Mixed", "a\r\nb\nc\r\n", {"a", "b", "c"}},
                    RowsCase{"NoFinalLineEnd", "a\r\nb", {"a", "b"}},
                    RowsCase{"LoneCrIsOrdinary", "a\rb\r\n", {"a\rb"}},
                    RowsCase{"CrAtEndWithoutLf", "a\r", {"a\r"}},
                    RowsCase{"OnlyTheLastCrBelongsToTheEnd", "a\r\r\n", {"a\r"}},
                    RowsCase{"BlankRows", "\r\n\n\r\n", {"", "", ""}},
                    RowsCase{"LfFirst", "\nx", {"", "x"}},
                    RowsCase{"NulKept", std::string("a\0b\n", 4), {std::string("a\0b", 3)}}),
    [](const auto& info) { return info.param.name; });

TEST(PlatformTest, EndProgramRecordsAndThrows) {
    ScriptedPlatform platform;
    EXPECT_FALSE(platform.HasEnded());
    EXPECT_THROW(platform.EndProgram(), ProgramEnded);
    EXPECT_TRUE(platform.Ended());
    EXPECT_EQ(platform.EndCount(), 1);
}

TEST(PlatformTest, PathOfJoinsFolderAndName) {
    ScriptedPlatform platform;
    EXPECT_EQ(platform.PathOf("poem.txt"), platform.ProgramFolder() + "/poem.txt");
    EXPECT_EQ(platform.PathOf("caf\xc3\xa9.txt"),
              platform.ProgramFolder() + QString::fromUtf8("/caf\xc3\xa9.txt"));
    EXPECT_EQ(platform.PathOf("caf\xe9.txt"),
              platform.ProgramFolder() + QString::fromUtf8("/caf\xc3\xa9.txt"));
}

// A name still as proposed follows the format shown, whatever extension the dialog gave it; one
// the person typed stays.
TEST(PlatformTest, NameForFormatFollowsOnlyAProposedName) {
    const QStringList proposed = {"/w/ode.syllables.csv", "/w/ode.lines.csv", "/w/ode.xml"};
    const std::vector<std::tuple<int, int, QString, QString>> cases = {
        {0, 1, "ode.syllables.csv", "ode.lines.csv"},
        {0, 2, "ode.syllables.xml", "ode.xml"},
        {1, 0, "mine.csv", "mine.csv"},
        {0, 7, "ode.syllables.csv", "ode.syllables.csv"},
    };
    for (const auto& [from, to, shown, follows] : cases) {
        EXPECT_EQ(corvale::NameForFormat(proposed, from, to, shown), follows)
            << shown.toStdString();
    }
}

TEST(PlatformTest, FileNamesDecodeAndEncode) {
    EXPECT_EQ(corvale::DecodeFileName("a\x93"
                                      "b"),
              QString("a") + QChar(0x201C) + "b");
    EXPECT_EQ(corvale::EncodeFileName(QString::fromUtf8("caf\xc3\xa9")), "caf\xc3\xa9");
}

TEST(PlatformTest, IsOrdinaryFile) {
    ScriptedPlatform platform;
    platform.WriteFile("poem.txt", "x");
    platform.WriteFile(".hidden.txt", "x");
    platform.WriteFile("empty.txt", "");
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkdir("folder.txt"));
    EXPECT_EQ(platform.IsOrdinaryFile("poem.txt"), true);
    EXPECT_EQ(platform.IsOrdinaryFile("empty.txt"), true);
    EXPECT_EQ(platform.IsOrdinaryFile("missing.txt"), false);
    EXPECT_EQ(platform.IsOrdinaryFile(".hidden.txt"), false);
    EXPECT_EQ(platform.IsOrdinaryFile("folder.txt"), false);
    EXPECT_EQ(platform.IsOrdinaryFile(""), false);
    EXPECT_EQ(platform.IsOrdinaryFile(std::string("poem.txt\0x", 10)), std::nullopt);
}

TEST(PlatformTest, NonAsciiFileNames) {
    ScriptedPlatform platform;
    platform.WriteFile("caf\xc3\xa9.txt", "bytes");
    EXPECT_EQ(platform.IsOrdinaryFile("caf\xc3\xa9.txt"), true);
    EXPECT_EQ(platform.ReadWholeFile("caf\xc3\xa9.txt"), "bytes");
    // The same name held in Windows-1252 names the same file.
    EXPECT_EQ(platform.ReadWholeFile("caf\xe9.txt"), "bytes");
}

TEST(PlatformTest, ReadWholeFileKeepsEveryByte) {
    ScriptedPlatform platform;
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte) {
        bytes += static_cast<char>(byte);
    }
    platform.WriteFile("all.bin", bytes);
    EXPECT_EQ(platform.ReadWholeFile("all.bin"), bytes);
}

TEST(PlatformTest, ReadWholeFileFailures) {
    ScriptedPlatform platform;
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkdir("folder.txt"));
    EXPECT_EQ(platform.ReadWholeFile("missing.txt"), std::nullopt);
    EXPECT_EQ(platform.ReadWholeFile("folder.txt"), std::nullopt);
    EXPECT_EQ(platform.ReadWholeFile(""), std::nullopt);
    EXPECT_EQ(platform.ReadWholeFile(std::string("a\0b", 3)), std::nullopt);
}

// --- Names that leave the program's folder --------------------------------------------------

// The program's folder is "program" inside the test's folder: every name that climbs out of it,
// or is absolute, names no file, even one that leads back inside.
TEST(FolderBoundsTest, NamesLeavingTheFolderNameNoFile) {
    ScriptedPlatform platform("program");
    platform.WriteFile("../outside.txt", "outside");
    platform.WriteFile("inside.txt", "inside");
    const std::string root = platform.FilePath("..");
    for (const std::string& name :
         {std::string("../outside.txt"), std::string("../created.txt"),
          std::string("sub/../../outside.txt"), std::string("sub/../inside.txt"), std::string(".."),
          root + "/outside.txt", root + "/program/inside.txt"}) {
        EXPECT_EQ(platform.IsOrdinaryFile(name), false) << name;
        EXPECT_EQ(platform.FileSize(name), std::nullopt) << name;
        EXPECT_EQ(platform.ReadWholeFile(name), std::nullopt) << name;
        EXPECT_FALSE(platform.ReplaceFile(name, "overwritten")) << name;
        EXPECT_FALSE(platform.WriteRows(name, {"overwritten"})) << name;
    }
    EXPECT_EQ(platform.ReadFile("../outside.txt"), "outside");
    EXPECT_EQ(platform.ReadFile("inside.txt"), "inside");
    EXPECT_FALSE(platform.Exists("../created.txt"));
}

TEST(FolderBoundsTest, DotsThatDoNotClimbAreAllowed) {
    ScriptedPlatform platform;
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkpath("poems.."));
    for (const auto& [name, file] : {std::pair{"poems../ode.txt", "poems../ode.txt"},
                                     std::pair{"./poems../ode..txt", "poems../ode..txt"}}) {
        platform.WriteFile(file, "old");
        EXPECT_EQ(platform.ReadWholeFile(name), "old") << name;
        ASSERT_TRUE(platform.ReplaceFile(name, "new")) << name;
        EXPECT_EQ(platform.ReadFile(file), "new") << name;
    }
}

// --- Things at a name that are not ordinary files, and sizes ---------------------------------

// Each answer comes at once: had the FIFO been opened, the test would wait for a writer forever.
TEST(NotAFileTest, IsNeitherTestedTrueNorRead) {
    ScriptedPlatform platform;
    ASSERT_TRUE(QDir().mkdir(platform.PathOf("folder")));
    ASSERT_EQ(::mkfifo(platform.FilePath("fifo").c_str(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", platform.PathOf("device")));
    for (const std::string name : {"folder", "fifo", "device"}) {
        EXPECT_EQ(platform.IsOrdinaryFile(name), false) << name;
        EXPECT_EQ(platform.FileSize(name), std::nullopt) << name;
        EXPECT_EQ(platform.ReadWholeFile(name), std::nullopt) << name;
    }
}

TEST(SizeLimitTest, ReadAtMostTakesUpToTheLimitExactly) {
    ScriptedPlatform platform;
    platform.WriteFile("ten.txt", "0123456789");
    EXPECT_EQ(platform.ReadAtMost("ten.txt", 10), "0123456789");
    EXPECT_EQ(platform.ReadAtMost("ten.txt", 9), std::nullopt);
}

// A sparse file costs no disk; reading it would take seconds and gigabytes.
TEST(SizeLimitTest, ALargerFileIsRefusedBeforeReading) {
    ScriptedPlatform platform;
    QFile file(platform.PathOf("huge.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    if (!file.resize(kLargestReadableFile + 1)) {
        GTEST_SKIP() << "no sparse files here";
    }
    file.close();
    EXPECT_EQ(platform.FileSize("huge.txt"), kLargestReadableFile + 1);
    EXPECT_EQ(platform.ReadWholeFile("huge.txt"), std::nullopt);
}

TEST(PlatformTest, ReplaceFileWritesAndReplaces) {
    ScriptedPlatform platform;
    ASSERT_TRUE(platform.ReplaceFile("out.txt", "first"));
    EXPECT_EQ(platform.ReadFile("out.txt"), "first");
    ASSERT_TRUE(platform.ReplaceFile("out.txt", "second, longer"));
    EXPECT_EQ(platform.ReadFile("out.txt"), "second, longer");
    ASSERT_TRUE(platform.ReplaceFile("out.txt", ""));
    EXPECT_EQ(platform.ReadFile("out.txt"), "");
    EXPECT_EQ(QDir(platform.ProgramFolder()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"out.txt"});
}

TEST(PlatformTest, ReplaceFileRefusesAFolderAndBadNames) {
    ScriptedPlatform platform;
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkdir("folder.txt"));
    EXPECT_FALSE(platform.ReplaceFile("folder.txt", "x"));
    EXPECT_TRUE(QFileInfo(platform.PathOf("folder.txt")).isDir());
    EXPECT_FALSE(platform.ReplaceFile("", "x"));
    EXPECT_FALSE(platform.ReplaceFile(std::string("a\0b", 3), "x"));
    EXPECT_FALSE(platform.ReplaceFile("no-such-folder/out.txt", "x"));
    EXPECT_EQ(QDir(platform.ProgramFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

TEST(PlatformTest, ReplaceFileInReadOnlyFolderLeavesOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    ScriptedPlatform platform;
    platform.WriteFile("out.txt", "old");
    QFile folder(platform.ProgramFolder());
    const auto permissions = folder.permissions();
    ASSERT_TRUE(folder.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_FALSE(platform.ReplaceFile("out.txt", "new"));
    ASSERT_TRUE(folder.setPermissions(permissions));
    EXPECT_EQ(platform.ReadFile("out.txt"), "old");
}

TEST(PlatformTest, WriteRowsEndsEveryRowWithCrLf) {
    ScriptedPlatform platform;
    ASSERT_TRUE(platform.WriteRows("rows.txt", {"a", "", "b\tc"}));
    EXPECT_EQ(platform.ReadFile("rows.txt"), "a\r\n\r\nb\tc\r\n");
    ASSERT_TRUE(platform.WriteRows("none.txt", {}));
    EXPECT_EQ(platform.ReadFile("none.txt"), "");
}

}  // namespace

// A run that only checks start-up changes no file, yet answers as a real run would, so that it
// decides and reports the same.
TEST(PlatformTest, WritingNothingLeavesTheFolderAsItWas) {
    ScriptedPlatform platform;
    platform.WriteFile("ode.txt", "old");
    platform.WriteFile(".ode.txt.corvale-journal", "junk");
    platform.WriteFile("ode.txt.unsaved-corrections.txt", "kept before");
    platform.WriteNothing();
    EXPECT_TRUE(platform.ReplaceFile("ode.txt", "new"));
    EXPECT_TRUE(platform.AppendToFile("ode.txt", "more"));
    EXPECT_TRUE(platform.RemoveFile(".ode.txt.corvale-journal"));
    const std::vector<std::string> kept = {"ode.txt.unsaved-corrections.txt",
                                           "ode.txt.unsaved-corrections-2.txt"};
    EXPECT_EQ(platform.RenameToFreeName(".ode.txt.corvale-journal", kept), kept[1]);
    EXPECT_EQ(platform.CreateNewFile(kept, "x"), kept[1]);
    EXPECT_EQ(platform.FileNames(), (std::vector<std::string>{".ode.txt.corvale-journal", "ode.txt",
                                                              "ode.txt.unsaved-corrections.txt"}));
    EXPECT_EQ(platform.ReadFile("ode.txt"), "old");
}

// What a file is can be told from its beginning, however large the file; reading it whole keeps
// to the limit.
TEST(FileAtPathTest, TheBeginningIsCutWhereTheWholeIsRefused) {
    ScriptedPlatform folder;
    folder.WriteFile("long.txt", "0123456789");
    const QString path = QString::fromStdString(folder.FilePath("long.txt"));
    EXPECT_EQ(std::get<std::string>(corvale::ReadFileBeginning(path, 4)), "0123");
    EXPECT_EQ(std::get<corvale::ReadFailure>(corvale::ReadFileAtPath(path, 4)).why,
              corvale::ReadFailure::Why::TooLarge);
    EXPECT_EQ(std::get<std::string>(corvale::ReadFileAtPath(path, 10)), "0123456789");
}
