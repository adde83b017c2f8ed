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
    std::string Exported(const char* name) const {
        QFile file(elsewhere.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(missing)";
    }

    QTemporaryDir elsewhere;
};

TEST_F(ExportWindow, CtrlEWritesTheCommittedLinesWhereverChosen) {
    TypeComment(QStringLiteral("checked"));
    Press(key::Commit);
    platform.WillChoose({elsewhere.filePath("ode")});
    Press(Qt::CTRL | Qt::Key_E);

    ASSERT_EQ(platform.Dialogs().size(), 1U);
    EXPECT_EQ(platform.Dialogs()[0].proposed, platform.ProgramFolder() + "/sonnet18.syllables.csv");
    EXPECT_NE(Exported("ode.csv").find("\r\nsonnet18.txt,1,1,1,W,Shall,1,2,1,checked\r\n"),
              std::string::npos);
    EXPECT_EQ(form->lineStatusLabel->text(), "Exported 14 verse lines to ode.csv");
}

TEST_F(ExportWindow, AsksBeforeReplacingAndOffersTheDialogAgainOnNo) {
    const QString taken = elsewhere.filePath("ode.xml");
    QFile file(taken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("mine");
    file.close();
    platform.WillChoose({taken, taken});
    platform.WillAnswer({Answer::No, Answer::Yes});
    form->exportAction->trigger();

    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>(2, taken + " exists.  Replace it?"));
    EXPECT_EQ(platform.Dialogs().at(1).proposed, taken);
    EXPECT_EQ(Exported("ode.xml").substr(0, 5), "<?xml");
}

}  // namespace
}  // namespace corvale::test
