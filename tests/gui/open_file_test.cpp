// Opening a file by its path, as the window wires it: File > Open... in and out of the working
// folder, Open Recent with a file that has gone, and files dropped on the window. Which folder
// and line a file opens at is the core's to test (start_up_test, open_elsewhere_test).

#include "gui/LineEditorFixture.h"
#include "startup/RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <string>
#include <utility>

namespace corvale::test {
namespace {

class OpenByPath : public LineEditorFixture {
protected:
    void SetUp() override {
        UseSample("sonnet18", kSonnet);
        platform.WriteFile(kTyger, SampleFile("tyger", kTyger));
        for (const auto& [name, bytes] :
             {std::pair<QString, std::string>{"tyger.txt", SampleFile("tyger", kTyger)},
              {"tyger.meter.txt", Rows({"S\tW\tS\tW\tS\tW\tS"})},
              {"corvale-view.ini", "[View]\nStrictMeterCheck=true\n"},
              {"poem.txt", "Not scanned yet\r\n"}}) {
            QFile file(odes.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        }
        ASSERT_TRUE(Start());
        // An unsaved correction on line 1, the line left when line 2 is shown.
        ClickCell("stressUpButtons", 1);
        Click(QStringLiteral("commitLineButton"));
    }
    std::string ReadAtHome(const std::string& name) const {
        QFile file(home + u'/' + QString::fromStdString(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
    }
    // The events go straight to the window: the application hands a drop only to the target
    // of a drag the system runs.
    void Drop(const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QObject* window = form.get();
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        window->event(&enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        window->event(&drop);
        QCoreApplication::processEvents();
    }
    // A run that moved into `odes` lets go of its file there before the folder goes.
    void TearDown() override { platform.Hold({}); }

    QTemporaryDir odes;
    const QString home = platform.ProgramFolder();
};

TEST_F(OpenByPath, OpenInTheWorkingFolderSavesWhenAskedAndStays) {
    platform.WillAnswer({Answer::Yes});
    platform.WillChoose({home + "/tyger.txt"});
    form->openAction->trigger();

    EXPECT_EQ(platform.Dialogs().at(0).proposed, home);
    // Scansion files and poems first: the first filter leaves Corvale's own files out.
    ASSERT_TRUE(platform.Dialogs().at(0).leavesOut);
    EXPECT_TRUE(platform.Dialogs().at(0).leavesOut(QStringLiteral("tyger.meter.txt")));
    EXPECT_FALSE(platform.Dialogs().at(0).leavesOut(QStringLiteral("tyger.txt")));
    EXPECT_EQ(platform.ProgramFolder(), home);
    EXPECT_EQ(form->lineTextLabel->text(), "Tyger Tyger, burning bright,");
    EXPECT_NE(platform.ReadFile(kSonnet), SampleFile("sonnet18", kSonnet));
}

TEST_F(OpenByPath, OpenElsewhereDiscardsWhenToldAndTakesThatFolder) {
    platform.WillAnswer({Answer::No});
    platform.WillChoose({odes.filePath("tyger.txt")});
    form->openAction->trigger();

    EXPECT_EQ(platform.ProgramFolder(), odes.path());
    EXPECT_TRUE(form->windowTitle().endsWith(odes.path())) << form->windowTitle().toStdString();
    EXPECT_EQ(form->fileNameBox->text(), kTyger);
    EXPECT_TRUE(form->strictMeterCheckAction->isChecked());
    EXPECT_EQ(form->Work().Doc().Meter().line, "S\tW\tS\tW\tS\tW\tS");
    EXPECT_EQ(ReadAtHome(kSonnet), SampleFile("sonnet18", kSonnet));
    EXPECT_EQ(ReadAtHome(kMemory).substr(0, 45),
              "Filename:\r\nsonnet18.txt\r\nLast line done:\r\n2\r\n");
}

// A path typed in the File box, here from the working folder to another, opens as Open... does.
TEST_F(OpenByPath, APathTypedInTheFileBoxOpensAsOpenDoes) {
    platform.WillAnswer({Answer::No});
    form->fileNameBox->setText(QDir(home).relativeFilePath(odes.filePath("tyger.txt")));
    form->openFileAction->trigger();
    EXPECT_EQ(platform.ProgramFolder(), odes.path());
    EXPECT_EQ(form->fileNameBox->text(), kTyger);
    EXPECT_EQ(platform.Messages().size(), 1U) << "only the question of the line left";
}

TEST_F(OpenByPath, OpenRecentDropsAFileThatHasGoneAndOpensOneAtItsLine) {
    startup::RecentFiles recent;
    recent.Put(home + "/gone.txt", 4);
    recent.Put(home + "/tyger.txt", 7);
    ASSERT_TRUE(recent.Write(platform.UserFolder()));
    emit form->recentMenu->aboutToShow();
    const QList<QAction*> items = form->recentMenu->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text().left(14), "&1  tyger.txt ");

    items[1]->trigger();
    EXPECT_EQ(form->lineStatusLabel->text().left(12), "gone.txt is ");
    EXPECT_FALSE(startup::RecentFiles::Read(platform.UserFolder()).LineOf(home + "/gone.txt"));
    platform.WillAnswer({Answer::Yes});
    items[0]->trigger();
    EXPECT_EQ(Progress(), "7/24");
}

TEST_F(OpenByPath, ADroppedScansionFileOpensAndADroppedPoemIsOfferedToScanAPoem) {
    platform.WillAnswer({Answer::Yes});
    Drop(home + "/tyger.txt");
    EXPECT_EQ(form->fileNameBox->text(), kTyger);

    form->SetPoemScanner([](const QString&, const firstpass::Progress&) -> PoemScanResult {
        return firstpass::Scansion{{"imposed", 1, 1, 1},
                                   ScansionFile({{"scanned", {"scanned"}, {"3"}, {"4"}, ""}}),
                                   Rows({"S"})};
    });
    platform.WillAnswer({Answer::Yes});
    Drop(odes.filePath("poem.txt"));
    EXPECT_EQ(platform.Messages().back().text.left(12), "poem.txt is ");
    EXPECT_EQ(form->fileNameBox->text(), "poem.scansion.txt");
    EXPECT_EQ(form->lineTextLabel->text(), "scanned");
}

// A meter file opens its scansion file; the memory file is named for what it is, never offered
// to Scan a poem.
TEST_F(OpenByPath, CorvalesOwnFilesAreOpenedOrToldNeverScanned) {
    platform.WillAnswer({Answer::Yes});
    Drop(odes.filePath("tyger.meter.txt"));
    EXPECT_EQ(form->fileNameBox->text(), kTyger);
    const std::size_t before = platform.Messages().size();
    Drop(home + "/RememberEarlierRun.txt");
    ASSERT_EQ(platform.Messages().size(), before + 1);
    EXPECT_EQ(platform.Messages().back().kind, ScriptedPlatform::Kind::Ok);
    EXPECT_EQ(form->fileNameBox->text(), kTyger);
}

}  // namespace
}  // namespace corvale::test
