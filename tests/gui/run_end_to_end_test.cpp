// A whole working run on the bundled sonnet, driven through the window as a person would,
// then a second run that resumes where the first one stopped.

#include "gui/LineEditorFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <map>
#include <string>
#include <vector>

namespace corvale::test {
namespace {

constexpr char kLine1[] = "Shall I compare thee to a summer's day?";
constexpr char kLine13[] = "So long as men can breathe or eyes can see,";

// The file's rows, without their CR LF.
std::vector<std::string> SplitRows(const std::string& bytes) {
    std::vector<std::string> rows;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        rows.push_back(bytes.substr(start, end - start));
    }
    return rows;
}

// The sample file as the run should leave it: every row the run changed is given
// here in full (by its 0-based row number); all others stay byte for byte as they were.
std::string ExpectedScansionFile() {
    const std::map<std::size_t, std::string> changed = {
        {1, std::string("1\tstress\t") + kLine1 + "\t2\t1\t1\t3\t1\t1\t1\t3\t1\t3"},
        {2, std::string("1\tjuncture\t") + kLine1 + "\t2\t2\t1\t1\t2\t2\t2\t1\t2\t4"},
        {3, std::string("1\tcomment\t") + kLine1 + "\tTrochaic start? check"},
        {4, std::string("2\tsyllables\t") + kSonnetLine2 +
                "\tThou\tart\tmore\tlove ly\tand\tmore\ttemperate:"},
        {5, std::string("2\tstress\t") + kSonnetLine2 + "\t1\t3\t2\t3\t1\t3\t3"},
        {6, std::string("2\tjuncture\t") + kSonnetLine2 + "\t2\t2\t2\t2\t2\t2\t4"},
        {50, std::string("13\tjuncture\t") + kLine13 + "\t1\t2\t2\t2\t2\t2\t2\t2\t2\t4"},
        {51, std::string("13\tcomment\t") + kLine13 + "\teven"},
    };
    std::vector<std::string> rows = SplitRows(SampleFile("sonnet18", kSonnet));
    EXPECT_EQ(rows.size(), 56U);
    for (const auto& [at, row] : changed) {
        rows.at(at) = row;
    }
    return Rows(rows);
}

// A later start of the program in the same folder.
class NextRunPlatform : public Platform {
public:
    explicit NextRunPlatform(QString folder) : folder_(std::move(folder)) {}
    void ShowMessage(const QString& text) override { messages.push_back(text); }
    Answer AskYesNo(const QString& text, Escape) override {
        messages.push_back(text);
        return Answer::No;
    }
    QString ProgramFolder() const override { return folder_; }
    std::vector<QString> messages;

protected:
    void OnEnd() override {}

private:
    QString folder_;
};

class WholeRun : public LineEditorFixture {
protected:
    void NewLineInComment() const { QTest::keyClick(form->Grid().commentBox, Qt::Key_Return); }
};

TEST_F(WholeRun, CorrectsSeveralLinesSavesAndResumes) {
    UseSample("sonnet18", kSonnet);
    ASSERT_TRUE(Start());
    ASSERT_EQ(Progress(), "1/14");

    // Line 1: a stressed opening, a bound word, and a two-line note.
    ClickCell("stressUpButtons", 1);
    ClickCell("junctureDownButtons", 4);
    TypeComment(QStringLiteral("Trochaic start?"));
    NewLineInComment();
    TypeComment(QStringLiteral("check"));
    Click(QStringLiteral("commitLineButton"));
    ASSERT_EQ(Progress(), "2/14");

    // Line 2: "love" and "ly" become one cell; "more" is lightened.
    ClickCell("mergeButtons", 4);
    EXPECT_EQ(CellText("syllableBoxes", 4), "love ly");
    EXPECT_FALSE(CellShown("syllableBoxes", 8));
    ClickCell("stressDownButtons", 3);
    Click(QStringLiteral("commitLineTopButton"));
    ASSERT_EQ(Progress(), "3/14");

    // Line 3: a change, thought better of by moving away and back.
    ClickCell("stressUpButtons", 3);
    Click(QStringLiteral("aheadOneButton"));
    Click(QStringLiteral("backOneButton"));
    EXPECT_EQ(CellText("stressBoxes", 3), "1");

    // A mistyped line number, then line 13.
    GoTo(QStringLiteral("13b"));
    EXPECT_EQ(Progress(), "3/14");
    GoTo(QStringLiteral(" 13 "));
    ASSERT_EQ(Progress(), "13/14");
    ClickCell("junctureDownButtons", 1);
    TypeComment(QStringLiteral("even"));
    Click(QStringLiteral("commitLineButton"));

    // Line 14 is the last: committing it leads to the exit question.
    ASSERT_EQ(Progress(), "14/14");
    platform.WillAnswer({Answer::Yes});
    Click(QStringLiteral("commitLineButton"));

    ASSERT_TRUE(platform.Ended());
    EXPECT_EQ(platform.MessageTexts().size(), 2U);
    EXPECT_EQ(platform.MessageTexts().back(), QStringLiteral("Save changes?"));
    EXPECT_EQ(platform.ReadFile(kSonnet), ExpectedScansionFile());
    EXPECT_EQ(platform.ReadFile(kMemory),
              Rows({"Filename:", kSonnet, "Last line done:", "14", "Maximum value for stress:", "4",
                    "Minimum value for stress:", "1", "Maximum value for juncture:", "4",
                    "Minimum value for juncture:", "1", "Spacing of buttons:", "1182"}));

    // The next run opens the same file at the recorded line, with the saved corrections.
    form.reset();
    NextRunPlatform nextPlatform(platform.ProgramFolder());
    MainWindow next(nextPlatform);
    ASSERT_TRUE(next.StartUp());
    next.show();
    EXPECT_TRUE(nextPlatform.messages.empty());
    EXPECT_EQ(next.progressLabel->text(), QStringLiteral("14/14"));
    QTest::keyClicks(next.Grid().goToBox, QStringLiteral("2"));
    QTest::mouseClick(next.goToButton, Qt::LeftButton);
    EXPECT_EQ(next.Grid().syllableBoxes(4)->text(), QStringLiteral("love ly"));
    EXPECT_EQ(next.Grid().stressBoxes(3)->text(), QStringLiteral("2"));
    EXPECT_FALSE(next.Grid().syllableBoxes(8)->isVisible());
    next.close();
    EXPECT_EQ(platform.ReadFile(kSonnet), ExpectedScansionFile());
}

}  // namespace
}  // namespace corvale::test
