// The menus and the window's commands. A command is one row of the table below: its row puts
// it in its menu with its keys, in the shortcuts window and under the check that no two
// commands share a key. Keys are set one by one, never from Qt's standard keys, which differ
// between platforms or are empty.

#include "window/Actions.h"
#include "window/ClickableLabel.h"
#include "window/LineUndo.h"
#include "window/MainWindow.h"
#include "window/SyllableEditing.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QUndoStack>

#include <vector>

namespace corvale {

namespace {

enum class Menu { File, Edit, Line, View, Help };

// How an item stands in its menu.
enum Flags : unsigned {
    kSeparatorBefore = 1U << 0,
    kCheckable = 1U << 1,  // its handler reads the action's state through `member`
};

struct Command {
    Menu menu;
    const char* name;
    QString text;
    QString tip;  // what it does: for tooltips and the shortcuts window
    QList<QKeySequence> keys;
    void (*handler)(MainWindow& form);
    QAction* MainWindow::*member = nullptr;  // where the window keeps it, if it does
    unsigned flags = 0;
};

QKeySequence Key(QKeyCombination key) {
    return QKeySequence(key);
}

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {Menu::File,
         "mnuSave",
         QStringLiteral("Save"),
         QStringLiteral("Save the corrections to the file, and stay"),
         {Key(Qt::CTRL | Qt::Key_S)},
         [](MainWindow& form) { form.Work().Save(); },
         &MainWindow::mnuSave},
        {Menu::File,
         "mnuChangeFile",
         QStringLiteral("Open the file shown in the box below"),
         QStringLiteral("Open the scansion file named in the File box"),
         {Key(Qt::CTRL | Qt::Key_O)},
         [](MainWindow& form) { form.mnuChangeFile_Click(); },
         &MainWindow::mnuChangeFile},
        {Menu::File,
         "mnuScanPoem",
         QStringLiteral("Scan a poem\u2026"),
         QStringLiteral("Choose a plain-text poem, scan it, and open the scansion file it gives "
                        "to correct"),
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
         [](MainWindow& form) { form.mnuScanPoem_Click(); },
         &MainWindow::mnuScanPoem},
        {Menu::File,
         "mnuExit",
         QStringLiteral("Exit"),
         QStringLiteral("Leave Corvale, asking first whether to save the corrections"),
         {Key(Qt::CTRL | Qt::Key_Q)},
         [](MainWindow& form) { form.Work().Exit(); },
         &MainWindow::mnuExit,
         kSeparatorBefore},
        {Menu::Line,
         "mnuSaveLine",
         QStringLiteral("Save changes to this line"),
         QStringLiteral("Save changes to this line and go on to the next"),
         {Key(Qt::CTRL | Qt::Key_Return), Key(Qt::CTRL | Qt::Key_Enter)},
         [](MainWindow& form) { form.cmdOk_Click(); }},
        {Menu::Line,
         "mnuReloadLine",
         QStringLiteral("Reload this line"),
         QStringLiteral("Reload this line from memory, dropping changes not saved to it"),
         {Key(Qt::Key_F5)},
         [](MainWindow& form) { form.cmdUndo_Click(); }},
        {Menu::Line,
         "mnuSplitSyllable",
         QStringLiteral("Split syllable at the cursor"),
         QStringLiteral("Split the syllable being edited in two at the cursor; the right part "
                        "becomes the next syllable of the same word"),
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_M)},
         [](MainWindow& form) { form.mnuSplitSyllable_Click(); }},
        {Menu::Line,
         "mnuBackOne",
         QStringLiteral("Back one line"),
         QStringLiteral("Back one line"),
         {Key(Qt::Key_PageUp)},
         [](MainWindow& form) { form.cmdBackOne_Click(); }},
        {Menu::Line,
         "mnuAheadOne",
         QStringLiteral("Ahead one line"),
         QStringLiteral("Ahead one line"),
         {Key(Qt::Key_PageDown)},
         [](MainWindow& form) { form.cmdAheadOne_Click(); }},
        {Menu::Line,
         "mnuFirstLine",
         QStringLiteral("First line"),
         QStringLiteral("Go to the first verse line"),
         {Key(Qt::CTRL | Qt::Key_Home)},
         [](MainWindow& form) { form.mnuFirstLine_Click(); }},
        {Menu::Line,
         "mnuLastLine",
         QStringLiteral("Last line"),
         QStringLiteral("Go to the last verse line"),
         {Key(Qt::CTRL | Qt::Key_End)},
         [](MainWindow& form) { form.mnuLastLine_Click(); }},
        {Menu::Line,
         "mnuGoToLine",
         QStringLiteral("Go to line\u2026"),
         QStringLiteral("Type the number of a line to go to; Return goes there"),
         {Key(Qt::CTRL | Qt::Key_G)},
         [](MainWindow& form) { form.mnuGoToLine_Click(); }},
        {Menu::Line,
         "mnuNextOffTheMeter",
         QStringLiteral("Next line off the meter"),
         QStringLiteral("Go to the next line whose stresses or syllables are off the meter"),
         {Key(Qt::Key_F3)},
         [](MainWindow& form) { form.mnuNextOffTheMeter_Click(); },
         nullptr,
         kSeparatorBefore},
        {Menu::Line,
         "mnuPreviousOffTheMeter",
         QStringLiteral("Previous line off the meter"),
         QStringLiteral("Go to the previous line whose stresses or syllables are off the meter"),
         {Key(Qt::SHIFT | Qt::Key_F3)},
         [](MainWindow& form) { form.mnuPreviousOffTheMeter_Click(); }},
        {Menu::View,
         "mnuSwapBlocks",
         QStringLiteral("Swap stress and juncture blocks"),
         QStringLiteral("Swap the places of the stress and juncture blocks"),
         {Key(Qt::Key_F6)},
         [](MainWindow& form) { form.mnuSwapBlocks_Click(); }},
        {Menu::View,
         "mnuOverview",
         QStringLiteral("Overview"),
         QStringLiteral("Show or hide the list of every verse line and how it keeps to the meter"),
         {Key(Qt::Key_F9)},
         [](MainWindow& form) { form.mnuOverview_Click(); },
         &MainWindow::mnuOverview,
         kSeparatorBefore | kCheckable},
        {Menu::View,
         "mnuStrictMeterCheck",
         QStringLiteral("Strict meter check"),
         QStringLiteral("Count every stressed syllable in a weak place as off the meter, not only "
                        "stress maxima"),
         {Key(Qt::Key_F7)},
         [](MainWindow& form) { form.mnuStrictMeterCheck_Click(); },
         &MainWindow::mnuStrictMeterCheck,
         kCheckable},
        {Menu::Help,
         "mnuShortcuts",
         QStringLiteral("Keyboard shortcuts"),
         QStringLiteral("List every key of the window"),
         {Key(Qt::Key_F1)},
         [](MainWindow& form) { form.mnuShortcuts_Click(); }},
        {Menu::Help,
         "mnuAbout",
         QStringLiteral("About Corvale"),
         QStringLiteral("Name, version and purpose of Corvale"),
         {Key(Qt::SHIFT | Qt::Key_F1)},
         [](MainWindow& form) { form.mnuAbout_Click(); }},
    };
    return commands;
}

struct MenuPlace {
    Menu menu;
    QMenu* MainWindow::*member;
    const char* name;
    const char* title;
};

constexpr MenuPlace kMenus[] = {
    {Menu::File, &MainWindow::mnuFile, "mnuFile", "File"},
    {Menu::Edit, &MainWindow::mnuEdit, "mnuEdit", "Edit"},
    {Menu::Line, &MainWindow::mnuLine, "mnuLine", "Line"},
    {Menu::View, &MainWindow::mnuView, "mnuView", "View"},
    {Menu::Help, &MainWindow::mnuHelp, "mnuHelp", "Help"},
};

}  // namespace

void MainWindow::CreateMenus() {
    for (const MenuPlace& place : kMenus) {
        QMenu* menu = menuBar()->addMenu(QLatin1String(place.title));
        menu->setObjectName(QLatin1String(place.name));
        // An item pointed at says what it does, as the buttons do.
        menu->setToolTipsVisible(true);
        this->*place.member = menu;
        const QString where = QStringLiteral("%1 menu").arg(menu->title());
        if (place.menu == Menu::Edit) {
            AddUndoCommands(menu, where);
        }
        for (const Command& command : Commands()) {
            if (command.menu != place.menu) {
                continue;
            }
            if ((command.flags & kSeparatorBefore) != 0) {
                menu->addSeparator();
            }
            QAction* action = menu->addAction(command.text);
            action->setObjectName(QLatin1String(command.name));
            action->setCheckable((command.flags & kCheckable) != 0);
            action->setShortcuts(command.keys);
            action->setToolTip(command.tip);
            const auto handler = command.handler;
            connect(action, &QAction::triggered, this,
                    [this, handler] { Run([this, handler] { handler(*this); }); });
            if (command.member != nullptr) {
                this->*command.member = action;
            }
            AddCommand(action, where);
        }
    }
}

// Qt's own undo and redo items, with their standard texts ("Undo", or "Undo" and what it
// undoes) and keys set here.
void MainWindow::AddUndoCommands(QMenu* menu, const QString& where) {
    QUndoStack& stack = lineUndo_->Stack();
    mnuUndo = stack.createUndoAction(this);
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    mnuUndo->setShortcuts({Key(Qt::CTRL | Qt::Key_Z)});
    mnuUndo->setToolTip(
        QStringLiteral("Undo the last edit of this line, or the typing in a syllable box"));
    mnuRedo = stack.createRedoAction(this);
    mnuRedo->setObjectName(QStringLiteral("mnuRedo"));
    mnuRedo->setShortcuts({Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), Key(Qt::CTRL | Qt::Key_Y)});
    mnuRedo->setToolTip(QStringLiteral("Redo the edit last undone on this line"));
    // Typed syllable text comes first: an undo puts back what was typed over, and anything
    // else takes it before acting on the line.
    disconnect(mnuUndo, &QAction::triggered, &stack, &QUndoStack::undo);
    disconnect(mnuRedo, &QAction::triggered, &stack, &QUndoStack::redo);
    connect(mnuUndo, &QAction::triggered, this, [this] {
        if (!syllableEditing_->RevertTyping()) {
            Run([this] { lineUndo_->Stack().undo(); });
        }
    });
    connect(mnuRedo, &QAction::triggered, this,
            [this] { Run([this] { lineUndo_->Stack().redo(); }); });
    for (QAction* action : {mnuUndo, mnuRedo}) {
        menu->addAction(action);
        AddCommand(action, where);
    }
}

// The window holds every command itself too, so its keys work wherever the focus is in the
// window, with or without a menu bar.
void MainWindow::AddCommand(QAction* action, const QString& where) {
    addAction(action);
    keyMap_.Add(action, KeyScope::Window, where);
}

// Buttons that do what a command does run that command, and their tooltips name its keys.
void MainWindow::ConnectCommandButtons() {
    const auto runs = [this](QPushButton* button, const char* command) {
        QAction* action = keyMap_.Find(QString::fromLatin1(command));
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        button->setToolTip(WithKeys(action->toolTip(), *action));
    };
    runs(cmdOk, "mnuSaveLine");
    runs(cmdAlsoSave, "mnuSaveLine");
    runs(cmdUndo, "mnuReloadLine");
    runs(cmdBackOne, "mnuBackOne");
    runs(cmdAheadOne, "mnuAheadOne");
    runs(cmdQuit, "mnuExit");
    const QAction* goTo = keyMap_.Find(u"mnuGoToLine");
    cmdGoTo->setToolTip(
        QStringLiteral("Go to the line numbered in the box on the left (Return in the box; %1 "
                       "puts the focus there)")
            .arg(KeyText(*goTo)));
    const QAction* swap = keyMap_.Find(u"mnuSwapBlocks");
    const QString heading =
        QStringLiteral("Click to put the %1 block on top (%2 swaps the blocks)");
    grid_.Label2->setToolTip(heading.arg(QStringLiteral("stress"), KeyText(*swap)));
    grid_.Label3->setToolTip(heading.arg(QStringLiteral("juncture"), KeyText(*swap)));
}

}  // namespace corvale
