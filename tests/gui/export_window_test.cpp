// File > Export in the window: the lines as committed go to a file chosen in any folder, and a
// file that exists is replaced only when the user agrees. What the exports hold is the core
// tests' business.

#include "gui/KeyboardFixture.h"

#include <QFile>
#include <QTemporaryDir>

namespace corvale::test {
namespace {

class ExportWindow : public KeyboardFixture {
protected:
    void SetUp() override {
        UseSample("sonnet18", kSonnet);
        ASSERT_TRUE(Start());
        Activate();
    }
    std::string Exported() const {
        QFile file(elsewhere.filePath("ode.csv"));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(missing)";
    }

    QTemporaryDir elsewhere;
};

TEST_F(ExportWindow, CtrlEWritesTheCommittedLinesAndAsksBeforeReplacing) {
    TypeComment(QStringLiteral("checked"));
    Press(key::Commit);
    const QString path = elsewhere.filePath("ode.csv");
    platform.WillChoose({elsewhere.filePath("ode"), path, path});
    platform.WillAnswer({Answer::No, Answer::Yes});
    Press(Qt::CTRL | Qt::Key_E);
    EXPECT_EQ(platform.Dialogs().at(0).proposed,
              platform.ProgramFolder() + "/sonnet18.syllables.csv");
    EXPECT_NE(Exported().find("\r\nsonnet18.txt,1,1,1,W,Shall,1,2,1,checked,1\r\n"),
              std::string::npos);
    EXPECT_EQ(form->lineStatusLabel->text(), "Exported 14 verse lines to ode.csv");

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("mine") == 4);
    file.close();
    form->Grid().stressBoxes(1)->setFocus();
    Press(key::Up);
    Press(Qt::CTRL | Qt::Key_E);
    // The dialog starts where the last export went, and at the name chosen after No.
    EXPECT_EQ(platform.Dialogs().at(1).proposed, elsewhere.filePath("sonnet18.syllables.csv"));
    EXPECT_EQ(platform.Dialogs().at(2).proposed, path);
    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>(2, path + " exists.  Replace it?"));
    EXPECT_EQ(Exported().substr(0, 4), "file");
    EXPECT_EQ(form->lineStatusLabel->text(),
              "Exported 14 verse lines to ode.csv; the changes on "
              "screen are not in it (Ctrl+Return saves them)");
}

}  // namespace
}  // namespace corvale::test
