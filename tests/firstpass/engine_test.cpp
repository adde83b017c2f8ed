// The pronunciation engine is started for phonemes only: a scan leaves the sound system alone,
// making nothing under HOME or in the temporary folder, where a sound server keeps its own.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                  QDir::System);
}

TEST(PronunciationEngineTest, ScanMakesNothingUnderHomeOrTheTemporaryFolder) {
    QTemporaryDir home;
    QTemporaryDir temporary;
    QTemporaryDir work;
    ASSERT_TRUE(home.isValid() && temporary.isValid() && work.isValid());
    QFile poem(work.filePath("ode.txt"));
    ASSERT_TRUE(poem.open(QIODevice::WriteOnly));
    poem.write("Shall I compare thee to a summer's day?\n");
    poem.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("TMPDIR", temporary.path());
    environment.remove("XDG_CONFIG_HOME");
    environment.remove("XDG_RUNTIME_DIR");
    QProcess scan;
    scan.setProcessEnvironment(environment);
    scan.start(CORVALE_SCAN_TOOL, {poem.fileName()});
    ASSERT_TRUE(scan.waitForFinished(60'000));
    EXPECT_EQ(scan.exitCode(), 0) << scan.readAllStandardError().toStdString();
    EXPECT_TRUE(QFile::exists(work.filePath("ode.scansion.txt")));
    EXPECT_EQ(Entries(home.path()).join(u' ').toStdString(), "");
    EXPECT_EQ(Entries(temporary.path()).join(u' ').toStdString(), "");
}

}  // namespace
