// A run killed without saving, then the program started again on the same folder: the
// corrections committed before the kill come back on Yes, and No leaves the folder as it was.

#include "gui/LineEditorFixture.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QWindow>

#include <string>
#include <vector>

#ifndef CORVALE_CRASH_CHILD
#error "CORVALE_CRASH_CHILD must name the crashing program"
#endif

namespace corvale::test {
namespace {

class CrashRecovery : public LineEditorFixture {
protected:
    void SetUp() override { UseSample("sonnet18", kSonnet); }

    // Runs the real program in a process of its own, commits a raised first stress on each
    // of these verse lines, and kills it.
    void CrashAfterCorrecting(const QStringList& lines) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        child.start(QStringLiteral(CORVALE_CRASH_CHILD),
                    QStringList{platform.ProgramFolder()} + lines);
        ASSERT_TRUE(child.waitForFinished(60000)) << child.errorString().toStdString();
        ASSERT_EQ(child.exitStatus(), QProcess::NormalExit);
        const QByteArray said = child.readAllStandardError();
        ASSERT_EQ(child.exitCode(), 0) << said.toStdString();
        ASSERT_FALSE(said.contains("message:") || said.contains("question:"))
            << "the killed run spoke to its user: " << said.toStdString();
    }

    const std::string poem = SampleFile("sonnet18", kSonnet);
    const std::string memory = SampleFile("sonnet18", kMemory);
};

TEST_F(CrashRecovery, YesBringsBackEveryCorrectionCommittedBeforeTheKill) {
    CrashAfterCorrecting({QStringLiteral("3"), QStringLiteral("7")});
    ASSERT_EQ(platform.ReadFile(kSonnet), poem) << "the killed run saved nothing";

    platform.WillAnswer({Answer::Yes});
    ASSERT_TRUE(Start());
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<QString>{QStringLiteral(
                  "Corvale ended last time without saving your corrections to 2 verse lines of "
                  "sonnet18.txt.  Restore them?")});
    EXPECT_EQ(form->Work().Doc().Stress(3, 1), "4");  // 3, raised once
    EXPECT_EQ(form->Work().Doc().Stress(7, 1), "2");
    EXPECT_EQ(form->Work().Doc().Stress(4, 1), "1");
    EXPECT_EQ(Progress(), "8/14") << "the line shown after the last commit";
    EXPECT_EQ(form->windowHandle()->title(), "Corvale*");

    platform.WillAnswer({Answer::Yes});
    form->exitAction->trigger();
    EXPECT_TRUE(platform.Ended());
    EXPECT_NE(platform.ReadFile(kSonnet), poem);
    EXPECT_EQ(platform.FileNames(), (std::vector<std::string>{kMemory, "meter.txt", kSonnet}));
}

TEST_F(CrashRecovery, NoLeavesTheFolderAsItWasBeforeTheKilledRun) {
    const std::vector<std::string> before = platform.FileNames();
    CrashAfterCorrecting({QStringLiteral("1")});

    platform.WillAnswer({Answer::No});
    ASSERT_TRUE(Start());
    EXPECT_EQ(form->Work().Doc().Stress(1, 1), "1");
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<QString>{QStringLiteral(
                  "Corvale ended last time without saving your corrections to 1 verse line of "
                  "sonnet18.txt.  Restore them?")});
    EXPECT_FALSE(form->Work().Doc().IsModified());
    EXPECT_EQ(platform.FileNames(), before);
    EXPECT_EQ(platform.ReadFile(kSonnet), poem);
    EXPECT_EQ(platform.ReadFile(kMemory), memory);
}

}  // namespace
}  // namespace corvale::test
