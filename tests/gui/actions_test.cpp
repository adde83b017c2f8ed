// The commands as a person finds them: every menu item has a key (but for the one submenu, Open
// Recent, whose items are files rather than commands), the keyboard shortcuts
// window lists every key, no key does two things, buttons run their command and name its key,
// and About says what the program is.

#include "gui/KeyboardFixture.h"

#include "window/AboutBox.h"
#include "window/ShortcutsWindow.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTableWidget>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace corvale::test {
namespace {

class Commands : public KeyboardFixture {
protected:
    void SetUp() override {
        UseSample("sonnet18", "sonnet18.txt");
        ASSERT_TRUE(Start());
        Activate();
    }
    // The shortcuts window's rows as "keys | what | where".
    std::set<std::string> ListedByF1() const {
        std::set<std::string> rows;
        const QTableWidget& table = form->Shortcuts()->Table();
        for (int row = 0; row < table.rowCount(); ++row) {
            rows.insert(table.item(row, 0)->text().toStdString() + " | " +
                        table.item(row, 1)->text().toStdString() + " | " +
                        table.item(row, 2)->text().toStdString());
        }
        return rows;
    }
};

TEST_F(Commands, EveryMenuItemButOpenRecentHasAKeyAndTheShortcutsWindowListsIt) {
    Press(QKeyCombination(Qt::Key_F1));
    ASSERT_NE(form->Shortcuts(), nullptr);
    EXPECT_TRUE(form->Shortcuts()->isVisible());
    EXPECT_FALSE(form->Shortcuts()->isModal());
    // On a screen too narrow for the rows on one line, they wrap: "Where" stays in sight.
    const QTableWidget& table = form->Shortcuts()->Table();
    EXPECT_LE(table.horizontalHeader()->sectionViewportPosition(2) + table.columnWidth(2),
              table.viewport()->width());
    // On a screen too short for all, the keys keep the larger part and the explanations scroll.
    const QList<int> parts = form->Shortcuts()->Splitter().sizes();
    EXPECT_GE(parts.at(0), parts.at(1) * 3 / 2);
    const std::set<std::string> listed = ListedByF1();
    std::size_t items = 0;
    for (const QAction* menu : form->menuBar()->actions()) {
        for (const QAction* item : menu->menu()->actions()) {
            if (item->isSeparator()) {
                continue;
            }
            if (item->menu() != nullptr) {
                EXPECT_EQ(item->menu(), form->recentMenu) << "a submenu other than Open Recent";
                continue;
            }
            ++items;
            EXPECT_FALSE(item->shortcuts().isEmpty()) << item->objectName().toStdString();
            const std::string row = KeyText(*item).toStdString() + " | " +
                                    item->toolTip().toStdString() + " | " +
                                    menu->text().remove(u'&').toStdString() + " menu";
            EXPECT_EQ(listed.count(row), 1U) << row;
        }
    }
    EXPECT_GE(items, 19U);
    EXPECT_EQ(listed.size(), form->Keys().Entries().size());
    EXPECT_EQ(listed.count("Up | Raise the value by one step | In a stress or juncture box"), 1U);
}

// Every action of the window with a key is in the key map, so the shortcuts window shows it,
// and no key belongs to two of them.
TEST_F(Commands, NoTwoCommandsShareAKey) {
    std::set<const QAction*> mapped;
    for (const KeyMap::Entry& entry : form->Keys().Entries()) {
        mapped.insert(entry.action);
    }
    std::map<std::string, std::vector<std::string>> owners;
    for (const QAction* action : form->findChildren<QAction*>()) {
        if (action->shortcuts().isEmpty()) {
            continue;
        }
        EXPECT_EQ(mapped.count(action), 1U) << action->objectName().toStdString();
        for (const QKeySequence& key : action->shortcuts()) {
            owners[key.toString().toStdString()].push_back(action->objectName().toStdString());
        }
    }
    for (const auto& [key, actions] : owners) {
        EXPECT_EQ(actions.size(), 1U)
            << key << " is the key of " << actions.front() << " and " << actions.back();
    }
    EXPECT_GE(owners.size(), 25U);
}

// A button runs its command, and its tooltip, made from the command, names the command's keys.
TEST_F(Commands, ButtonsRunTheirCommandAndNameItsKeys) {
    EXPECT_EQ(form->reloadLineButton->toolTip(),
              "Show this line as last saved to it; Ctrl+Z brings the changes back (F5)");
    EXPECT_EQ(form->commitLineTopButton->toolTip(),
              "Save changes to this line and go on to the next (Ctrl+Return or Ctrl+Enter)");
    EXPECT_EQ(form->Grid().mergeButtons(1)->toolTip(),
              "Merge this syllable with the next (Ctrl+M)");
    QSignalSpy reloaded(form->Keys().Find(u"reloadLineAction"), &QAction::triggered);
    Click(QStringLiteral("reloadLineButton"));
    EXPECT_EQ(reloaded.count(), 1);
}

// Alt+C, the mnemonic of "Comment (optional):", from a box of the grid, puts the caret after the
// comment; the box and its heading name the key.
TEST_F(Commands, AltCPutsTheFocusInTheCommentBox) {
    form->Grid().commentBox->setPlainText(QStringLiteral("kept"));
    form->Grid().stressBoxes(2)->setFocus();
    Press(Qt::ALT | Qt::Key_C);
    EXPECT_EQ(Focused(), "commentBox");
    EXPECT_TRUE(form->Grid().commentBox->textCursor().atEnd());
    EXPECT_EQ(form->Grid().commentBox->toolTip(), "A comment on this line, saved with it (Alt+C)");
    EXPECT_EQ(form->commentHeading->toolTip(), form->Grid().commentBox->toolTip());
}

// Esc from a dock puts the focus back in the box it left.
TEST_F(Commands, EscFromADockGoesBackToTheBoxItLeft) {
    form->Grid().stressBoxes(2)->setFocus();
    Press(QKeyCombination(Qt::Key_F9));
    ASSERT_NE(Focused(), "stressBoxes(2)");
    Press(QKeyCombination(Qt::Key_Escape));
    EXPECT_EQ(Focused(), "stressBoxes(2)");
}

// F1 says what the values mean under the keys, in the README's own words.
// The manual's menu tables give every command of a menu with the keys and words F1 gives it.
TEST_F(Commands, TheManualListsEveryMenuCommandAsTheShortcutsWindowDoes) {
    const QString manual = QString::fromStdString(SourceFile("docs/manual.md"));
    for (const KeyMap::Entry& entry : form->Keys().Entries()) {
        if (entry.where.endsWith(QStringLiteral(" menu"))) {
            const QString row =
                QStringLiteral("| %1 | %2 |").arg(KeyText(*entry.action), entry.action->toolTip());
            EXPECT_TRUE(manual.contains(row)) << row.toStdString();
        }
    }
}

TEST_F(Commands, TheShortcutsWindowSaysWhatTheValuesMeanAsTheManualDoes) {
    Press(QKeyCombination(Qt::Key_F1));
    const QStringList shown = form->Shortcuts()->ValuesText().split(QStringLiteral("\n\n"));
    const QString manual = QString::fromStdString(SourceFile("docs/manual.md")).simplified();
    ASSERT_GE(shown.size(), 5);
    EXPECT_EQ(shown.front(), QStringLiteral("What the values mean"));
    EXPECT_TRUE(shown.at(1).startsWith(QStringLiteral("Stress: 1 is an unstressed syllable")));
    for (const QString& paragraph : shown.mid(1)) {
        EXPECT_TRUE(manual.contains(paragraph)) << paragraph.toStdString();
    }
}

TEST_F(Commands, AboutGivesNameVersionPurposeAndQt) {
    Press(Qt::SHIFT | Qt::Key_F1);
    ASSERT_EQ(platform.MessageTexts().size(), 1U);
    const QString about = platform.MessageTexts().front();
    EXPECT_TRUE(about.startsWith(QStringLiteral("Corvale ") + CorvaleVersion()))
        << about.toStdString();
    EXPECT_FALSE(CorvaleVersion().isEmpty());
    EXPECT_TRUE(about.contains(QLatin1String(qVersion()))) << about.toStdString();
    EXPECT_TRUE(about.contains(QStringLiteral("scansion"))) << about.toStdString();
}

}  // namespace
}  // namespace corvale::test
