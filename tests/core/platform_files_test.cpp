#include "platform/Platform.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
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

// The program's folder is "program" inside the test's folder; "outside.txt" lies next to it and
// "program/inside.txt" in it.
class FolderBoundsTest : public testing::Test {
protected:
    void SetUp() override {
        platform.WriteFile("../outside.txt", "outside");
        platform.WriteFile("inside.txt", "inside");
    }
    // "{root}" stands for the test's folder, so a table can hold absolute names.
    std::string Name(const std::string& pattern) const {
        const std::string root = platform.FilePath("..");
        const std::size_t at = pattern.find("{root}");
        return at == std::string::npos ? pattern
                                       : pattern.substr(0, at) + root + pattern.substr(at + 6);
    }

    ScriptedPlatform platform{"program"};
};

struct RefusedNameCase {
    const char* label;
    const char* name;
};

class RefusedNameTest : public FolderBoundsTest,
                        public testing::WithParamInterface<RefusedNameCase> {};

TEST_P(RefusedNameTest, NamesNoFile) {
    const std::string name = Name(GetParam().name);
    EXPECT_EQ(platform.IsOrdinaryFile(name), false);
    EXPECT_EQ(platform.FileSize(name), std::nullopt);
    EXPECT_EQ(platform.ReadWholeFile(name), std::nullopt);
    EXPECT_FALSE(platform.ReplaceFile(name, "overwritten"));
    EXPECT_FALSE(platform.WriteRows(name, {"overwritten"}));
    EXPECT_EQ(platform.ReadFile("../outside.txt"), "outside");
    EXPECT_EQ(platform.ReadFile("inside.txt"), "inside");
    EXPECT_FALSE(platform.Exists("../created.txt"));
}

INSTANTIATE_TEST_SUITE_P(Names, RefusedNameTest,
                         testing::Values(RefusedNameCase{"UpOne", "../outside.txt"},
                                         RefusedNameCase{"UpOneToCreate", "../created.txt"},
                                         RefusedNameCase{"DownThenUpTwo", "sub/../../outside.txt"},
                                         RefusedNameCase{"UpButBackInside", "sub/../inside.txt"},
                                         RefusedNameCase{"CurrentThenUp", "./../outside.txt"},
                                         RefusedNameCase{"Absolute", "{root}/outside.txt"},
                                         RefusedNameCase{"AbsoluteButInside",
                                                         "{root}/program/inside.txt"},
                                         RefusedNameCase{"AbsoluteToCreate", "{root}/created.txt"},
                                         RefusedNameCase{"ParentItself", ".."},
                                         RefusedNameCase{"TheFolderFromOutside", "../program"}),
                         [](const auto& info) { return info.param.label; });

struct AllowedNameCase {
    const char* label;
    const char* name;
    const char* file;  // as the test writes it
};

class AllowedNameTest : public FolderBoundsTest,
                        public testing::WithParamInterface<AllowedNameCase> {};

TEST_P(AllowedNameTest, ReadsAndWrites) {
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkpath("poems"));
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkpath("poems.."));
    platform.WriteFile(GetParam().file, "old");
    const std::string name = GetParam().name;
    EXPECT_EQ(platform.IsOrdinaryFile(name), true);
    EXPECT_EQ(platform.FileSize(name), 3);
    EXPECT_EQ(platform.ReadWholeFile(name), "old");
    ASSERT_TRUE(platform.ReplaceFile(name, "new"));
    EXPECT_EQ(platform.ReadFile(GetParam().file), "new");
}

INSTANTIATE_TEST_SUITE_P(
    Names, AllowedNameTest,
    testing::Values(AllowedNameCase{"Subfolder", "poems/ode.txt", "poems/ode.txt"},
                    AllowedNameCase{"DotsEndAFolderName", "poems../ode.txt", "poems../ode.txt"},
                    AllowedNameCase{"DotsInsideTheName", "ode..txt", "ode..txt"},
                    AllowedNameCase{"CurrentFolder", "./poems/./ode.txt", "poems/ode.txt"},
                    AllowedNameCase{"ColonFirst", ":ode.txt", ":ode.txt"},
                    AllowedNameCase{"BackslashIsACharacterHere", "poems\\..\\ode.txt",
                                    "poems\\..\\ode.txt"}),
    [](const auto& info) { return info.param.label; });

// --- Things at a name that are not ordinary files --------------------------------------------

struct NotAFileCase {
    const char* name;
    // Puts the thing at "thing.txt" in the folder; false when this system cannot make it.
    bool (*make)(const QString& path);
};

class NotAFileTest : public testing::TestWithParam<NotAFileCase> {};

// Each answer comes at once: had the FIFO been opened, the test would wait for a writer forever.
TEST_P(NotAFileTest, IsNeitherTestedTrueNorRead) {
    ScriptedPlatform platform;
    if (!GetParam().make(platform.PathOf("thing.txt"))) {
        GTEST_SKIP() << "this system cannot make it";
    }
    EXPECT_EQ(platform.IsOrdinaryFile("thing.txt"), false);
    EXPECT_EQ(platform.FileSize("thing.txt"), std::nullopt);
    EXPECT_EQ(platform.ReadWholeFile("thing.txt"), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Things, NotAFileTest,
    testing::Values(
        NotAFileCase{"Folder", [](const QString& path) { return QDir().mkdir(path); }},
        NotAFileCase{"Fifo",
                     [](const QString& path) {
                         return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
                     }},
        NotAFileCase{"LinkToADevice",
                     [](const QString& path) { return QFile::link("/dev/zero", path); }},
        NotAFileCase{"LinkToAFolder", [](const QString& path) { return QFile::link("/", path); }}),
    [](const auto& info) { return info.param.name; });

// --- Size limit -----------------------------------------------------------------------------

TEST(SizeLimitTest, ReadAtMostTakesUpToTheLimitExactly) {
    ScriptedPlatform platform;
    platform.WriteFile("ten.txt", "0123456789");
    EXPECT_EQ(platform.ReadAtMost("ten.txt", 10), "0123456789");
    EXPECT_EQ(platform.ReadAtMost("ten.txt", 9), std::nullopt);
    EXPECT_EQ(platform.ReadAtMost("ten.txt", 0), std::nullopt);
}

// A file the file system gives as empty but which holds bytes, as a file that grows after its
// size was asked: the limit holds while reading too.
TEST(SizeLimitTest, TheLimitHoldsWhateverTheSizeSaid) {
    ScriptedPlatform platform;
    if (!QFile::link("/proc/self/status", platform.PathOf("status.txt")) ||
        platform.FileSize("status.txt") != 0) {
        GTEST_SKIP() << "no kernel file that is larger than its size says";
    }
    const std::optional<std::string> whole = platform.ReadAtMost("status.txt", 1 << 20);
    ASSERT_TRUE(whole.has_value());
    ASSERT_GT(whole->size(), 10u);
    EXPECT_EQ(platform.ReadAtMost("status.txt", 10), std::nullopt);
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
