// The real message boxes: which keys answer a question, and which withdraw it.

#include "window/QtPlatform.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <ostream>
#include <vector>

namespace corvale {
namespace {

using Press = std::function<void(QMessageBox&)>;

void Key(QMessageBox& box, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&box, key, modifiers);
}

struct QuestionCase {
    const char* name;
    Escape escape;
    std::vector<Press> presses;  // in order, each once the box is up
    Answer expected;
};

void PrintTo(const QuestionCase& c, std::ostream* out) {
    *out << c.name;
}

// The presses run in turn once the box is showing. Letter keys click their button after a
// short animation; a box still up two seconds after the last press ignored the keys, and is
// answered Yes by the test, so that it fails instead of hanging.
Answer AskWith(Escape escape, const std::vector<Press>& presses) {
    QtPlatform platform(QDir::tempPath(), QString());
    bool pressed = false;
    bool forced = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (const Press& press : presses) {
            ASSERT_TRUE(box->isVisible()) << "the box closed before every key was pressed";
            press(*box);
        }
        pressed = true;
        QTimer::singleShot(2000, box, [&forced, box] {
            forced = true;
            box->button(QMessageBox::Yes)->click();
        });
    });
    const Answer answer = platform.AskYesNo(QStringLiteral("Save changes?"), escape);
    EXPECT_TRUE(pressed);
    EXPECT_FALSE(forced) << "the box was still waiting after the last key";
    return answer;
}

class QuestionKeys : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(QuestionKeys, AnswerOrWithdraw) {
    const QuestionCase& c = GetParam();
    EXPECT_EQ(AskWith(c.escape, c.presses), c.expected);
}

const Press kEsc = [](QMessageBox& box) { Key(box, Qt::Key_Escape); };
const Press kClose = [](QMessageBox& box) { box.close(); };
const Press kN = [](QMessageBox& box) { Key(box, Qt::Key_N); };
// A mnemonic is a shortcut, and shortcuts reach only the active window.
const Press kAltN = [](QMessageBox& box) {
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    Key(box, Qt::Key_N, Qt::AltModifier);
};
const Press kY = [](QMessageBox& box) { Key(box, Qt::Key_Y); };

INSTANTIATE_TEST_SUITE_P(
    MessageBox, QuestionKeys,
    ::testing::Values(
        QuestionCase{"EscWithdraws", Escape::Withdraws, {kEsc}, Answer::Withdrawn},
        QuestionCase{"CloseButtonWithdraws", Escape::Withdraws, {kClose}, Answer::Withdrawn},
        QuestionCase{"NAnswersNo", Escape::Withdraws, {kN}, Answer::No},
        QuestionCase{"AltNAnswersNo", Escape::Withdraws, {kAltN}, Answer::No},
        QuestionCase{"YAnswersYes", Escape::Withdraws, {kY}, Answer::Yes},
        QuestionCase{"EscDoesNothingWhenItMayNot", Escape::Ignored, {kEsc, kN}, Answer::No},
        QuestionCase{"CloseDoesNothingWhenItMayNot", Escape::Ignored, {kClose, kY}, Answer::Yes}),
    [](const ::testing::TestParamInfo<QuestionCase>& info) { return info.param.name; });

}  // namespace
}  // namespace corvale
