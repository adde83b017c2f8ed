// A file opened by its path in another folder makes that folder the working folder, as if the
// program had started there on it; a file turned down leaves every folder as it was.

#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>

#include <string>

namespace corvale::test {
namespace {

const std::string kThree = ScansionFile(std::vector<Verse>(3, {"line", {"x"}, {"3"}, {"4"}, ""}));

class OpenElsewhere : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(platform.ProgramFolder()).mkpath("../Odes"));
        platform.WriteFile("here.txt", kThree);
        platform.WriteFile("meter.txt", Rows({"S"}));
        platform.WriteFile(kMemory, MemoryFile("here.txt", "1", "4", "1", "4", "1", "900"));
        platform.WriteFile("../Odes/there.txt", kThree);
        platform.WriteFile("../Odes/" + std::string(kMemory), kOdesMemory);
        work.Settings().Read();
        work.LoadWorkingFile();
        ASSERT_TRUE(work.ReadMeterFile());
        work.SetCurrentLine(3);
    }
    std::optional<std::int32_t> Open(Workspace::Leaving leaving) {
        return work.OpenFileAt({odes, "~/Odes", "there.txt"}, leaving, 1);
    }

    static constexpr char kMemory[] = "RememberEarlierRun.txt";
    const std::string kOdesMemory = MemoryFile("there.txt", "2", "5", "0", "6", "0", "700");
    ScriptedPlatform platform{"Poems"};
    const QString poems = platform.ProgramFolder();
    const QString odes = QDir::cleanPath(poems + "/../Odes");
    Workspace work{platform};
};

TEST_F(OpenElsewhere, MovesThereWithItsBoundsAndLeavesTheOldFolderRemembering) {
    platform.WriteFile("../Odes/there.meter.txt", Rows({"W\tS"}));
    platform.WriteFile(".here.txt.corvale-journal", "corrections given up");

    EXPECT_EQ(Open(Workspace::Leaving::GoDiscarding), 2);

    EXPECT_EQ(platform.ProgramFolder(), odes);
    EXPECT_EQ(platform.FolderInTitle(), "~/Odes");
    EXPECT_EQ(work.Doc().Meter().line, "W\tS");
    EXPECT_EQ(platform.ReadFile(kMemory), MemoryFile("there.txt", "2", "5", "0", "6", "0", "900"));
    EXPECT_EQ(platform.ReadFile("../Poems/" + std::string(kMemory)),
              MemoryFile("here.txt", "3", "4", "1", "4", "1", "900"));
    EXPECT_FALSE(platform.Exists("../Poems/.here.txt.corvale-journal"));
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(OpenElsewhere, AFileTurnedDownLeavesEveryFolderAsItWas) {
    work.OnNoMeter([](const std::string&) { return false; });  // no meter there, none given
    EXPECT_EQ(Open(Workspace::Leaving::Go), std::nullopt);

    EXPECT_EQ(platform.ProgramFolder(), poems);
    EXPECT_EQ(work.Settings().WorkingFileName(), "here.txt");
    EXPECT_EQ(work.CurrentLine(), 3);
    EXPECT_EQ(work.Settings().Bounds().maximumStress, 4);
    EXPECT_EQ(platform.ReadFile("../Odes/" + std::string(kMemory)), kOdesMemory);
    EXPECT_FALSE(platform.Exists("../Odes/there.meter.txt"));
}

}  // namespace
}  // namespace corvale::test
