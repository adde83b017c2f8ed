// The crash-safe file functions the journal uses, on real files.

#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>

#include <csignal>
#include <optional>
#include <string>
#include <vector>

namespace {

using corvale::test::ScriptedPlatform;
using Strings = std::vector<std::string>;

constexpr char kSource[] = "journal";
constexpr char kNowhere[] = "missing-target";

void MakeFolder(const ScriptedPlatform& platform, const std::string& name) {
    ASSERT_TRUE(QDir(platform.ProgramFolder()).mkpath(QString::fromStdString(name)));
}

// A link to a file that does not exist.
void MakeDanglingLink(const ScriptedPlatform& platform, const std::string& name) {
    ASSERT_TRUE(QFile::link(kNowhere, QString::fromStdString(platform.FilePath(name))));
}

// What stands in the program's folder, so that a test can tell nothing else was touched.
QStringList Entries(const ScriptedPlatform& platform) {
    return QDir(platform.ProgramFolder())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::Name);
}

// Files larger than `limit` bytes cannot be written while it lives, as on a full disk: a write
// that crosses the limit stops part way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &old_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = old_;
        lowered.rlim_cur = limit;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(JournalFilesTest, AppendCreatesOrExtendsAndAFailureTouchesNothing) {
    ScriptedPlatform platform;
    const std::string binary("\0\xff\r\n", 4);
    EXPECT_TRUE(platform.AppendToFile(".j", binary));
    EXPECT_TRUE(platform.AppendToFile(".j", "ab"));
    EXPECT_EQ(platform.ReadFile(".j"), binary + "ab");
    MakeFolder(platform, ".folder");
    const QStringList before = Entries(platform);
    EXPECT_FALSE(platform.AppendToFile("none/.j", "ab"));
    EXPECT_FALSE(platform.AppendToFile(".folder", "ab"));
    EXPECT_EQ(Entries(platform), before);
}

TEST(JournalFilesTest, PartialAppendFailsAndIsCutBack) {
    ScriptedPlatform platform;
    platform.WriteFile(".j", "0123456789");
    bool appended = true;
    {
        const FileSizeLimit limit(16);
        appended = platform.AppendToFile(".j", std::string(20, 'x'));
    }
    EXPECT_FALSE(appended);
    EXPECT_EQ(platform.ReadFile(".j"), "0123456789");
    EXPECT_TRUE(platform.AppendToFile(".j", "ab"));
    EXPECT_EQ(platform.ReadFile(".j"), "0123456789ab");
}

// A file, a folder and a dangling link hold the first three names: renaming and creating take
// the first free one, never write over or through anything, and stop at a missing folder.
TEST(JournalFilesTest, RenameAndCreateTakeTheFirstFreeName) {
    const Strings names = {"kept.txt", "kept-2.txt", "kept-3.txt", "kept-4.txt", "kept-5.txt"};
    const Strings beyond = {"none/kept.txt", "free.txt"};
    ScriptedPlatform platform;
    platform.WriteFile(names[0], "old");
    MakeFolder(platform, names[1]);
    MakeDanglingLink(platform, names[2]);
    platform.WriteFile(kSource, "journal bytes");
    EXPECT_EQ(platform.RenameToFreeName(kSource, names), names[3]);
    EXPECT_EQ(platform.CreateNewFile(names, "corrections"), names[4]);
    EXPECT_EQ(platform.CreateNewFile(names, "more"), std::nullopt);
    platform.WriteFile(kSource, "second journal");
    EXPECT_EQ(platform.RenameToFreeName(kSource, names), std::nullopt);
    EXPECT_EQ(platform.RenameToFreeName(kSource, beyond), std::nullopt);
    EXPECT_EQ(platform.CreateNewFile(beyond, "x"), std::nullopt);

    EXPECT_EQ(platform.ReadFile(names[0]), "old");
    EXPECT_TRUE(QFileInfo(platform.PathOf(names[1])).isDir());
    EXPECT_FALSE(platform.Exists(kNowhere));
    EXPECT_EQ(platform.ReadFile(names[3]), "journal bytes");
    EXPECT_EQ(platform.ReadFile(names[4]), "corrections");
    EXPECT_EQ(platform.ReadFile(kSource), "second journal");
    EXPECT_EQ(Entries(platform).size(), 6);
}

}  // namespace
