// The crash-safe file functions the journal uses, on real files, and the test platform's
// switches that make them fail.

#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <functional>
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
    ASSERT_TRUE(QFile::link(QString::fromStdString(kNowhere),
                            QString::fromStdString(platform.FilePath(name))));
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

// ---------------------------------------------------------------------------------------------
// Appending.

struct AppendCase {
    const char* name;
    std::function<void(const ScriptedPlatform&)> setUp;
    std::string file;
    Strings appends;
    bool succeeds;                    // every append
    std::optional<std::string> held;  // what the file holds afterwards; none: nothing changed
};

class JournalFilesAppendTest : public testing::TestWithParam<AppendCase> {};

TEST_P(JournalFilesAppendTest, AppendsOrFails) {
    const AppendCase& c = GetParam();
    ScriptedPlatform platform;
    c.setUp(platform);
    const QStringList before = Entries(platform);
    bool succeeded = true;
    for (const std::string& bytes : c.appends) {
        succeeded = platform.AppendToFile(c.file, bytes) && succeeded;
    }
    EXPECT_EQ(succeeded, c.succeeds);
    if (c.held) {
        EXPECT_EQ(platform.ReadFile(c.file), *c.held);
    } else {
        EXPECT_EQ(Entries(platform), before);
    }
}

const auto kNothing = [](const ScriptedPlatform&) {};

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalFilesAppendTest,
    testing::Values(
        AppendCase{"CreatesAMissingFile", kNothing, ".j", {"ab\r\n"}, true, "ab\r\n"},
        AppendCase{"AppendsAfterWhatIsThere",
                   [](const ScriptedPlatform& p) { p.WriteFile(".j", "old\r\n"); },
                   ".j",
                   {"ab", "", "cd\r\n"},
                   true,
                   "old\r\nabcd\r\n"},
        AppendCase{"InASubfolder",
                   [](const ScriptedPlatform& p) { MakeFolder(p, "poems"); },
                   "poems/.j",
                   {"ab"},
                   true,
                   "ab"},
        AppendCase{"AllBytesKept",
                   kNothing,
                   ".j",
                   {std::string("\0\xff\r\n\t", 5)},
                   true,
                   std::string("\0\xff\r\n\t", 5)},
        AppendCase{"MissingFolder", kNothing, "none/.j", {"ab"}, false, std::nullopt},
        AppendCase{"NameIsAFolder",
                   [](const ScriptedPlatform& p) { MakeFolder(p, ".j"); },
                   ".j",
                   {"ab"},
                   false,
                   std::nullopt},
        AppendCase{"EmptyName", kNothing, "", {"ab"}, false, std::nullopt},
        AppendCase{"NameWithNul", kNothing, std::string(".j\0x", 4), {"ab"}, false, std::nullopt}),
    [](const auto& info) { return info.param.name; });

TEST(JournalFilesAppendTest, PartialAppendFailsAndIsCutBack) {
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

// ---------------------------------------------------------------------------------------------
// Syncing a folder and removing a file.

struct NamedCase {
    const char* name;
    std::function<void(const ScriptedPlatform&)> setUp;
    std::string file;
    bool succeeds;
};

class JournalFilesSyncFolderTest : public testing::TestWithParam<NamedCase> {};

TEST_P(JournalFilesSyncFolderTest, SyncsTheFolderOfTheName) {
    ScriptedPlatform platform;
    GetParam().setUp(platform);
    EXPECT_EQ(platform.SyncFolderOf(GetParam().file), GetParam().succeeds);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalFilesSyncFolderTest,
    testing::Values(NamedCase{"ExistingFile",
                              [](const ScriptedPlatform& p) { p.WriteFile(".j", "x"); }, ".j",
                              true},
                    NamedCase{"NameNotYetCreated", kNothing, ".j", true},
                    NamedCase{"InASubfolder",
                              [](const ScriptedPlatform& p) { MakeFolder(p, "a/b"); }, "a/b/.j",
                              true},
                    NamedCase{"MissingFolder", kNothing, "none/.j", false},
                    NamedCase{"EmptyName", kNothing, "", false}),
    [](const auto& info) { return info.param.name; });

class JournalFilesRemoveTest : public testing::TestWithParam<NamedCase> {};

TEST_P(JournalFilesRemoveTest, LeavesNoFileOrFails) {
    ScriptedPlatform platform;
    GetParam().setUp(platform);
    const QStringList before = Entries(platform);
    EXPECT_EQ(platform.RemoveFile(GetParam().file), GetParam().succeeds);
    if (GetParam().succeeds) {
        EXPECT_FALSE(QFileInfo(platform.PathOf(GetParam().file)).exists());
        EXPECT_FALSE(QFileInfo(platform.PathOf(GetParam().file)).isSymLink());
    } else {
        EXPECT_EQ(Entries(platform), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalFilesRemoveTest,
    testing::Values(
        NamedCase{"ExistingFile", [](const ScriptedPlatform& p) { p.WriteFile(".j", "x"); }, ".j",
                  true},
        NamedCase{"MissingFile", kNothing, ".j", true},
        NamedCase{"DanglingLink", [](const ScriptedPlatform& p) { MakeDanglingLink(p, ".j"); },
                  ".j", true},
        NamedCase{"FolderIsKept", [](const ScriptedPlatform& p) { MakeFolder(p, ".j"); }, ".j",
                  false},
        NamedCase{"EmptyName", [](const ScriptedPlatform& p) { p.WriteFile(".j", "x"); }, "",
                  false}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------------
// Renaming to, and creating under, the first free name.

struct FreeNameCase {
    const char* name;
    Strings takenFiles;
    Strings takenFolders;
    Strings danglingLinks;
    Strings candidates;
    std::optional<std::string> used;
};

// Everything that takes a name, as the case says, each file holding its own name.
void TakeNames(const ScriptedPlatform& platform, const FreeNameCase& c) {
    for (const std::string& file : c.takenFiles) {
        platform.WriteFile(file, "old " + file);
    }
    for (const std::string& folder : c.takenFolders) {
        MakeFolder(platform, folder);
    }
    for (const std::string& link : c.danglingLinks) {
        MakeDanglingLink(platform, link);
    }
}

// Nothing that took a name was changed, and no link was written through.
void ExpectNamesUntouched(const ScriptedPlatform& platform, const FreeNameCase& c) {
    for (const std::string& file : c.takenFiles) {
        EXPECT_EQ(platform.ReadFile(file), "old " + file);
    }
    for (const std::string& folder : c.takenFolders) {
        EXPECT_TRUE(QFileInfo(platform.PathOf(folder)).isDir()) << folder;
    }
    EXPECT_FALSE(platform.Exists(kNowhere));
}

class JournalFilesFreeNameTest : public testing::TestWithParam<FreeNameCase> {};

TEST_P(JournalFilesFreeNameTest, RenamesToTheFirstFreeName) {
    const FreeNameCase& c = GetParam();
    ScriptedPlatform platform;
    platform.WriteFile(kSource, "journal bytes");
    TakeNames(platform, c);
    EXPECT_EQ(platform.RenameToFreeName(kSource, c.candidates), c.used);
    ExpectNamesUntouched(platform, c);
    if (c.used) {
        EXPECT_EQ(platform.ReadFile(*c.used), "journal bytes");
        EXPECT_FALSE(platform.Exists(kSource));
    } else {
        EXPECT_EQ(platform.ReadFile(kSource), "journal bytes");
    }
}

TEST_P(JournalFilesFreeNameTest, CreatesUnderTheFirstFreeName) {
    const FreeNameCase& c = GetParam();
    ScriptedPlatform platform;
    TakeNames(platform, c);
    const QStringList before = Entries(platform);
    EXPECT_EQ(platform.CreateNewFile(c.candidates, "corrections"), c.used);
    ExpectNamesUntouched(platform, c);
    if (c.used) {
        EXPECT_EQ(platform.ReadFile(*c.used), "corrections");
    } else {
        EXPECT_EQ(Entries(platform), before);
    }
}

const Strings kCandidates = {"ode.txt.kept.txt", "ode.txt.kept-2.txt", "ode.txt.kept-3.txt"};

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalFilesFreeNameTest,
    testing::Values(
        FreeNameCase{"FirstFree", {}, {}, {}, kCandidates, kCandidates[0]},
        FreeNameCase{"FirstTaken", {kCandidates[0]}, {}, {}, kCandidates, kCandidates[1]},
        FreeNameCase{"AllTaken", {kCandidates}, {}, {}, kCandidates, std::nullopt},
        FreeNameCase{"FolderCountsAsTaken", {}, {kCandidates[0]}, {}, kCandidates, kCandidates[1]},
        FreeNameCase{
            "DanglingLinkCountsAsTaken", {}, {}, {kCandidates[0]}, kCandidates, kCandidates[1]},
        FreeNameCase{
            "MissingFolderStopsTheSearch", {}, {}, {}, {"none/kept.txt", "kept.txt"}, std::nullopt},
        FreeNameCase{"EmptyNameStopsTheSearch", {}, {}, {}, {"", "kept.txt"}, std::nullopt},
        FreeNameCase{"InASubfolder", {}, {"poems"}, {}, {"poems/kept.txt"}, "poems/kept.txt"}),
    [](const auto& info) { return info.param.name; });

TEST(JournalFilesFreeNameTest, RenameOfAMissingFileFails) {
    ScriptedPlatform platform;
    EXPECT_EQ(platform.RenameToFreeName(kSource, kCandidates), std::nullopt);
    EXPECT_EQ(Entries(platform), QStringList{});
}

TEST(JournalFilesFreeNameTest, CreationThatCannotBeWrittenLeavesNoFile) {
    ScriptedPlatform platform;
    std::optional<std::string> created;
    {
        const FileSizeLimit limit(16);
        created = platform.CreateNewFile(kCandidates, std::string(40, 'x'));
    }
    EXPECT_EQ(created, std::nullopt);
    EXPECT_EQ(Entries(platform), QStringList{});
}

// ---------------------------------------------------------------------------------------------
// A folder that cannot be written (permissions do not bind the superuser).

TEST(JournalFilesReadOnlyFolderTest, EveryChangeFailsAndLeavesTheFiles) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    ScriptedPlatform platform;
    platform.WriteFile(kSource, "journal bytes");
    QFile folder(platform.ProgramFolder());
    const auto permissions = folder.permissions();
    ASSERT_TRUE(folder.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_FALSE(platform.AppendToFile(".new", "x"));
    EXPECT_FALSE(platform.RemoveFile(kSource));
    EXPECT_EQ(platform.RenameToFreeName(kSource, kCandidates), std::nullopt);
    EXPECT_EQ(platform.CreateNewFile(kCandidates, "x"), std::nullopt);
    ASSERT_TRUE(folder.setPermissions(permissions));
    EXPECT_EQ(Entries(platform), QStringList{kSource});
    EXPECT_EQ(platform.ReadFile(kSource), "journal bytes");
}

// ---------------------------------------------------------------------------------------------
// The test platform's switches: each makes its own function fail without touching a file, and
// every call is counted.

using Calls = ScriptedPlatform::Calls;
using Failures = ScriptedPlatform::Failures;

struct SwitchCase {
    const char* name;
    Failures failures;
    std::function<bool(ScriptedPlatform&)> call;  // true when it succeeded
    int Calls::*count;
};

class JournalFilesScriptedTest : public testing::TestWithParam<SwitchCase> {};

TEST_P(JournalFilesScriptedTest, OwnSwitchFailsTheCallOthersDoNot) {
    ScriptedPlatform failing;
    failing.WriteFile(kSource, "journal bytes");
    failing.Fail(GetParam().failures);
    EXPECT_FALSE(GetParam().call(failing));
    EXPECT_EQ(failing.FileCalls().*GetParam().count, 1);
    EXPECT_EQ(Entries(failing), QStringList{kSource});
    EXPECT_EQ(failing.ReadFile(kSource), "journal bytes");

    ScriptedPlatform others;
    others.WriteFile(kSource, "journal bytes");
    const Failures& own = GetParam().failures;
    others.Fail({!own.appends, !own.folderSyncs, !own.removals, !own.renames, !own.creations});
    EXPECT_TRUE(GetParam().call(others));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalFilesScriptedTest,
    testing::Values(SwitchCase{"Append", Failures{.appends = true},
                               [](ScriptedPlatform& p) { return p.AppendToFile(kSource, "more"); },
                               &Calls::appends},
                    SwitchCase{"SyncFolder", Failures{.folderSyncs = true},
                               [](ScriptedPlatform& p) { return p.SyncFolderOf(kSource); },
                               &Calls::folderSyncs},
                    SwitchCase{"Remove", Failures{.removals = true},
                               [](ScriptedPlatform& p) { return p.RemoveFile(kSource); },
                               &Calls::removals},
                    SwitchCase{"Rename", Failures{.renames = true},
                               [](ScriptedPlatform& p) {
                                   return p.RenameToFreeName(kSource, kCandidates).has_value();
                               },
                               &Calls::renames},
                    SwitchCase{"Create", Failures{.creations = true},
                               [](ScriptedPlatform& p) {
                                   return p.CreateNewFile(kCandidates, "corrections").has_value();
                               },
                               &Calls::creations}),
    [](const auto& info) { return info.param.name; });

}  // namespace
