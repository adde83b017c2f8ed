// The window started as main starts it, on a working folder that is not the executable's own:
// every file the window reads or writes is in that folder, and the title names it.

#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"
#include "window/MainWindow.h"
#include "window/QtPlatform.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvale::test {
namespace {

// The running program's platform, with its boxes recorded instead of shown; questions are
// answered No.
class RecordingQtPlatform : public QtPlatform {
public:
    using QtPlatform::QtPlatform;
    void ShowMessage(const QString& text) override { said.push_back(text); }
    Answer AskYesNo(const QString& text, Escape /*escape*/) override {
        said.push_back(text);
        return Answer::No;
    }
    std::vector<QString> said;
};

// Commits line 1 with its first stress raised.
void CommitARaisedStress(MainWindow& form) {
    form.findChild<QPushButton*>(QStringLiteral("stressUpButtons(1)"))->click();
    form.commitLineButton->click();
}

class WorkingFolderWindow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("Poems/odes")));
        for (const char* name : {"sonnet18.txt", "meter.txt", "RememberEarlierRun.txt"}) {
            Write(name, SampleFile("sonnet18", name));
        }
        Write("odes/tyger.txt", SampleFile("tyger", "tyger.txt"));
    }
    QString Folder() const { return root.path() + QStringLiteral("/Poems"); }
    void Write(const std::string& name, const std::string& bytes) const {
        QFile file(Folder() + QLatin1Char('/') + QString::fromStdString(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    std::string Read(const std::string& name) const {
        QFile file(Folder() + QLatin1Char('/') + QString::fromStdString(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
    }
    bool Exists(const QString& folder, const std::string& name) const {
        return QFileInfo::exists(folder + QLatin1Char('/') + QString::fromStdString(name));
    }
    void Start(const QString& folderInTitle) {
        platform = std::make_unique<RecordingQtPlatform>(Folder(), folderInTitle);
        form = std::make_unique<MainWindow>(*platform);
        platform->SetWindow(form.get());
        ASSERT_TRUE(form->StartUp());
        form->show();
    }
    QTemporaryDir root;
    std::unique_ptr<RecordingQtPlatform> platform;
    std::unique_ptr<MainWindow> form;
};

struct FileCase {
    const char* name;
    std::function<void(MainWindow&)> act;
    std::string fileWritten;    // a file the action writes
    std::string expectedStart;  // how the file begins
};

class WorkingFolderFiles : public WorkingFolderWindow,
                           public testing::WithParamInterface<FileCase> {};

TEST_P(WorkingFolderFiles, LandInTheWorkingFolder) {
    const FileCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(Start(QStringLiteral("~/Poems")));
    c.act(*form);

    EXPECT_TRUE(Exists(Folder(), c.fileWritten));
    EXPECT_EQ(Read(c.fileWritten).substr(0, c.expectedStart.size()), c.expectedStart);
    EXPECT_FALSE(Exists(QCoreApplication::applicationDirPath(), c.fileWritten));
    EXPECT_EQ(platform->said, std::vector<QString>{});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WorkingFolderFiles,
    testing::Values(FileCase{"TheJournal", [](MainWindow& form) { CommitARaisedStress(form); },
                             ".sonnet18.txt.corvale-journal", ""},
                    FileCase{"TheViewOptions",
                             [](MainWindow& form) { form.strictMeterCheckAction->trigger(); },
                             "corvale-view.ini",
                             "[View]\nOverview=false\nProfile=false\nStrictMeterCheck=true\n"},
                    FileCase{"ATypedNameAndTheMemoryFile",
                             [](MainWindow& form) {
                                 form.fileNameBox->setText(QStringLiteral("odes/tyger.txt"));
                                 form.openFileAction->trigger();
                                 EXPECT_EQ(form.lineTextLabel->text(),
                                           "Tyger Tyger, burning bright,");
                             },
                             "RememberEarlierRun.txt", "Filename:\r\nodes/tyger.txt\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// The executable's own folder is not named; layout_test checks that title.
TEST_F(WorkingFolderWindow, TheTitleNamesTheFolderAndMarksUnsavedWork) {
    ASSERT_NO_FATAL_FAILURE(Start(QStringLiteral("~/Poems")));
    const QString title = QString::fromUtf8("Corvale[*] \u2014 ~/Poems");
    EXPECT_EQ(form->windowTitle(), title);
    EXPECT_FALSE(form->isWindowModified());
    CommitARaisedStress(*form);
    EXPECT_TRUE(form->isWindowModified());
    EXPECT_EQ(form->windowTitle(), title);
}

// A start-up check with nobody to answer: nothing is shown in a box, and a question ends the
// program unanswered, so the journal it asks about stays for the next start.
enum class Before { Nothing, MeterRemoved, JournalLeft, EmptyFolder };

struct UnattendedCase {
    const char* name;
    Before before;
    bool started;
    bool spoken;
};

class WorkingFolderUnattended : public WorkingFolderWindow,
                                public testing::WithParamInterface<UnattendedCase> {};

TEST_P(WorkingFolderUnattended, SpeaksOnStandardErrorAndDecidesNothing) {
    const UnattendedCase& c = GetParam();
    const std::string journal = ".sonnet18.txt.corvale-journal";
    if (c.before == Before::MeterRemoved) {
        ASSERT_TRUE(QFile::remove(Folder() + QStringLiteral("/meter.txt")));
    } else if (c.before == Before::JournalLeft) {
        ASSERT_NO_FATAL_FAILURE(Start(QString()));
        CommitARaisedStress(*form);
        form.reset();  // as a crash would, without saving, and ending the run's hold
        platform.reset();
        ASSERT_TRUE(Exists(Folder(), journal));
    }
    const QString folder = c.before == Before::EmptyFolder ? Folder() + "/empty" : Folder();
    ASSERT_TRUE(QDir().mkpath(folder));
    QtPlatform quiet(folder, QString());
    quiet.SpeakOnStandardError();
    MainWindow window(quiet);
    quiet.SetWindow(&window);

    EXPECT_EQ(window.StartUp(), c.started);
    EXPECT_EQ(quiet.HasSpoken(), c.spoken);
    EXPECT_EQ(Exists(Folder(), journal), c.before == Before::JournalLeft);
    EXPECT_EQ(Read("sonnet18.txt"), SampleFile("sonnet18", "sonnet18.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WorkingFolderUnattended,
    testing::Values(
        UnattendedCase{"AGoodFolderStartsSilently", Before::Nothing, true, false},
        UnattendedCase{"TheMissingMeterBoxEndsUnanswered", Before::MeterRemoved, false, true},
        UnattendedCase{"AnEmptyFolderStartsSilently", Before::EmptyFolder, true, false},
        UnattendedCase{"AJournalQuestionEndsUnanswered", Before::JournalLeft, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::test
