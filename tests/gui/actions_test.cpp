// The commands as a person finds them: every menu item has a key, the keyboard shortcuts
// window lists every key, no key does two things, buttons run their command and name its key.

#include "gui/KeyboardFixture.h"

#include "window/AboutBox.h"
#include "window/ShortcutsWindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

#include <map>
#include <ostream>
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

TEST_F(Commands, MenusHoldTheirItemsEachWithItsKey) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
        {"File", {"Save  Ctrl+S", "Open the file shown in the box below  Ctrl+O", "Exit  Ctrl+Q"}},
        {"Edit", {"Undo  Ctrl+Z", "Redo  Ctrl+Shift+Z"}},
        {"Line",
         {"Save changes to this line  Ctrl+Return", "Reload this line  F5", "Back one line  PgUp",
          "Ahead one line  PgDown", "First line  Ctrl+Home", "Last line  Ctrl+End",
          "Go to line\u2026  Ctrl+G", "Next line off the meter  F3",
          "Previous line off the meter  Shift+F3"}},
        {"View", {"Swap stress and juncture blocks  F6", "Overview  F9", "Strict meter check  F7"}},
        {"Help", {"Keyboard shortcuts  F1", "About Corvale  Shift+F1"}},
    };
    std::vector<std::pair<std::string, std::vector<std::string>>> menus;
    for (const QAction* menu : form->menuBar()->actions()) {
        std::vector<std::string> items;
        for (const QAction* item : menu->menu()->actions()) {
            if (!item->isSeparator()) {
                items.push_back((item->text() + QStringLiteral("  ") +
                                 item->shortcut().toString(QKeySequence::PortableText))
                                    .toStdString());
            }
        }
        menus.emplace_back(menu->text().toStdString(), items);
    }
    EXPECT_EQ(menus, expected);
}

TEST_F(Commands, EveryMenuItemHasAKeyAndTheShortcutsWindowListsIt) {
    Press(QKeyCombination(Qt::Key_F1));
    ASSERT_NE(form->Shortcuts(), nullptr);
    EXPECT_TRUE(form->Shortcuts()->isVisible());
    EXPECT_FALSE(form->Shortcuts()->isModal());
    const std::set<std::string> listed = ListedByF1();
    for (const QAction* menu : form->menuBar()->actions()) {
        for (const QAction* item : menu->menu()->actions()) {
            if (item->isSeparator()) {
                continue;
            }
            SCOPED_TRACE(item->objectName().toStdString());
            EXPECT_FALSE(item->shortcuts().isEmpty());
            const std::string row = KeyText(*item).toStdString() + " | " +
                                    item->toolTip().toStdString() + " | " +
                                    menu->text().toStdString() + " menu";
            EXPECT_EQ(listed.count(row), 1U) << row;
        }
    }
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

struct ButtonCase {
    const char* button;
    const char* command;  // the action the button runs, or "" for a grid button
    const char* tooltip;
};

void PrintTo(const ButtonCase& c, std::ostream* out) {
    *out << c.button;
}

class Buttons : public Commands, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(Buttons, RunTheirCommandAndNameItsKeys) {
    const ButtonCase& c = GetParam();
    auto* button = Find<QPushButton>(QLatin1String(c.button));
    EXPECT_EQ(button->toolTip().toStdString(), c.tooltip);
    if (*c.command == '\0') {
        return;
    }
    QSignalSpy triggered(form->Keys().Find(QString::fromLatin1(c.command)), &QAction::triggered);
    platform.WillAnswer({Answer::Withdrawn});  // Exit asks first
    Click(QLatin1String(c.button));
    EXPECT_EQ(triggered.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Window, Buttons,
    ::testing::Values(
        ButtonCase{"cmdOk", "mnuSaveLine",
                   "Save changes to this line and go on to the next (Ctrl+Return or Ctrl+Enter)"},
        ButtonCase{"cmdAlsoSave", "mnuSaveLine",
                   "Save changes to this line and go on to the next (Ctrl+Return or Ctrl+Enter)"},
        ButtonCase{"cmdUndo", "mnuReloadLine",
                   "Reload this line from memory, dropping changes not saved to it (F5)"},
        ButtonCase{"cmdBackOne", "mnuBackOne", "Back one line (PgUp)"},
        ButtonCase{"cmdAheadOne", "mnuAheadOne", "Ahead one line (PgDown)"},
        ButtonCase{"cmdQuit", "mnuExit",
                   "Leave Corvale, asking first whether to save the corrections (Ctrl+Q)"},
        ButtonCase{"cmdGoTo", "",
                   "Go to the line numbered in the box on the left (Return in the box; Ctrl+G "
                   "puts the focus there)"},
        ButtonCase{"cmdStressUp(2)", "", "Raise the stress (Up)"},
        ButtonCase{"cmdJunctureDown(11)", "", "Lower the juncture (Down)"},
        ButtonCase{"cmdMerge(1)", "", "Merge this syllable with the next (Ctrl+M)"}),
    [](const ::testing::TestParamInfo<ButtonCase>& info) {
        std::string name = info.param.button;
        std::erase_if(name, [](char c) { return c == '(' || c == ')'; });
        return name;
    });

TEST_F(Commands, TheShortcutsWindowLeavesTheMainWindowAtWork) {
    Press(QKeyCombination(Qt::Key_F1));
    const ShortcutsWindow* shown = form->Shortcuts();
    Activate();
    Press(QKeyCombination(Qt::Key_PageDown));
    EXPECT_EQ(Progress(), "2/14");
    Press(QKeyCombination(Qt::Key_F1));
    EXPECT_EQ(form->Shortcuts(), shown);
    EXPECT_EQ(form->findChildren<ShortcutsWindow*>().size(), 1);
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

TEST_F(Commands, WindowIconComesAtSeveralSizes) {
    const QList<QSize> sizes = form->windowIcon().availableSizes();
    for (const int side : {16, 32, 48, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    }
}

TEST_F(Commands, NewControlsAndCommandsHaveNames) {
    for (const KeyMap::Entry& entry : form->Keys().Entries()) {
        EXPECT_FALSE(entry.action->text().isEmpty()) << entry.action->objectName().toStdString();
        EXPECT_FALSE(entry.action->toolTip().isEmpty()) << entry.action->objectName().toStdString();
    }
    Press(QKeyCombination(Qt::Key_F1));
    EXPECT_FALSE(form->Shortcuts()->Table().accessibleName().isEmpty());
    EXPECT_EQ(form->txtStress(3)->accessibleName(), "Stress 3");
    EXPECT_EQ(form->txtStress(3)->accessibleDescription(), "Up raises and Down lowers the stress");
}

}  // namespace
}  // namespace corvale::test
