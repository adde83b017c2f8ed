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
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
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
         "saveAction",
         QStringLiteral("Save"),
         QStringLiteral("Save the corrections, the line on screen's too, to the file, and stay"),
         {Key(Qt::CTRL | Qt::Key_S)},
         [](MainWindow& form) { form.SaveWork(); },
         &MainWindow::saveAction},
        {Menu::File,
         "openAction",
         QStringLiteral("Open\u2026"),
         QStringLiteral("Choose a scansion file to open, in any folder"),
         {Key(Qt::CTRL | Qt::Key_O)},
         [](MainWindow& form) { form.OpenFile(); },
         &MainWindow::openAction},
        {Menu::File,
         "openFileAction",
         QStringLiteral("Open the file shown in the box below"),
         QStringLiteral("Open the scansion file named in the File box (Return in the box)"),
         {Key(Qt::CTRL | Qt::Key_L)},
         [](MainWindow& form) { form.OpenNamedFile(); },
         &MainWindow::openFileAction},
        {Menu::File,
         "scanPoemAction",
         QStringLiteral("Scan a poem\u2026"),
         QStringLiteral("Choose a plain-text poem, scan it, and open the scansion file it gives "
                        "to correct"),
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
         [](MainWindow& form) { form.ScanPoem(); },
         &MainWindow::scanPoemAction},
        {Menu::File,
         "exportAction",
         QStringLiteral("Export\u2026"),
         QStringLiteral("Write the lines as committed, each under its own meter, in any folder: "
                        "a CSV file with a row per syllable or per verse line, or a TEI file"),
         {Key(Qt::CTRL | Qt::Key_E)},
         [](MainWindow& form) { form.Export(); },
         &MainWindow::exportAction},
        {Menu::File,
         "saveProfileAction",
         QStringLiteral("Save the profile as\u2026"),
         QStringLiteral("Save the verse's profile: the chart as SVG or PNG, or the figures as "
                        "CSV, by the file name's extension"),
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
         [](MainWindow& form) { form.SaveProfileAs(); },
         &MainWindow::saveProfileAction},
        {Menu::File,
         "saveConventionsAction",
         QStringLiteral("Save the conventions\u2026"),
         QStringLiteral("Write the conventions learned from your lines to the folder's "
                        "conventions.txt, which Scan a poem reads the next poems by"),
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
         [](MainWindow& form) { form.SaveTheConventions(); }},
        {Menu::File,
         "exitAction",
         QStringLiteral("Exit"),
         QStringLiteral("Leave Corvale, asking first whether to save the corrections"),
         {Key(Qt::CTRL | Qt::Key_Q)},
         [](MainWindow& form) { form.Work().Exit(); },
         &MainWindow::exitAction,
         kSeparatorBefore},
        {Menu::Edit,
         "valueBoundsAction",
         QStringLiteral("Value bounds\u2026"),
         QStringLiteral("Set the least and greatest stress and juncture a step or a typed value "
                        "may reach, kept in the folder's memory file"),
         {Key(Qt::CTRL | Qt::Key_B)},
         [](MainWindow& form) { form.ChooseValueBounds(); },
         &MainWindow::valueBoundsAction,
         kSeparatorBefore},
        {Menu::Edit,
         "undoRescanAction",
         QStringLiteral("Undo the rescan"),
         QStringLiteral("Put every line the last rescan changed back as it was, until the next "
                        "commit"),
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_U)},
         [](MainWindow& form) { form.UndoTheRescan(); },
         &MainWindow::undoRescanAction},
        {Menu::Line,
         "commitLineAction",
         QStringLiteral("Save changes to this line"),
         QStringLiteral("Save changes to this line and go on to the next"),
         {Key(Qt::CTRL | Qt::Key_Return), Key(Qt::CTRL | Qt::Key_Enter)},
         [](MainWindow& form) { form.CommitLine(); }},
        {Menu::Line,
         "commitAndNextOffAction",
         QStringLiteral("Save and go to the next line off the meter"),
         QStringLiteral("Save changes to this line and go on to the next line off the meter, "
                        "from line 1 again past the last"),
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Return), Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Enter)},
         [](MainWindow& form) { form.CommitAndGoToNextOffTheMeter(); }},
        {Menu::Line,
         "reloadLineAction",
         QStringLiteral("Reload this line"),
         QStringLiteral("Show this line as last saved to it; Ctrl+Z brings the changes back"),
         {Key(Qt::Key_F5)},
         [](MainWindow& form) { form.ReloadLine(); }},
        {Menu::Line,
         "mergeAction",
         QStringLiteral("Merge with the next syllable"),
         QStringLiteral("Merge the syllable of the column in focus with the next one"),
         {Key(Qt::CTRL | Qt::Key_M)},
         [](MainWindow& form) { form.MergeFocusedSyllable(); }},
        {Menu::Line,
         "splitSyllableAction",
         QStringLiteral("Split syllable at the cursor"),
         QStringLiteral("Split the syllable being edited in two at the cursor; the right part "
                        "becomes the next syllable of the same word"),
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_M)},
         [](MainWindow& form) { form.SplitSyllable(); }},
        {Menu::Line,
         "backOneAction",
         QStringLiteral("Back one line"),
         QStringLiteral("Back one line"),
         {Key(Qt::Key_PageUp)},
         [](MainWindow& form) { form.BackOneLine(); }},
        {Menu::Line,
         "aheadOneAction",
         QStringLiteral("Ahead one line"),
         QStringLiteral("Ahead one line"),
         {Key(Qt::Key_PageDown)},
         [](MainWindow& form) { form.AheadOneLine(); }},
        {Menu::Line,
         "firstLineAction",
         QStringLiteral("First line"),
         QStringLiteral("Go to the first verse line"),
         {Key(Qt::CTRL | Qt::Key_Home)},
         [](MainWindow& form) { form.GoToFirstLine(); }},
        {Menu::Line,
         "lastLineAction",
         QStringLiteral("Last line"),
         QStringLiteral("Go to the last verse line"),
         {Key(Qt::CTRL | Qt::Key_End)},
         [](MainWindow& form) { form.GoToLastLine(); }},
        {Menu::Line,
         "goToLineAction",
         QStringLiteral("Go to line\u2026"),
         QStringLiteral("Type the number of a line to go to; Return goes there"),
         {Key(Qt::CTRL | Qt::Key_G)},
         [](MainWindow& form) { form.FocusGoToBox(); }},
        {Menu::Line,
         "focusCommentAction",
         QStringLiteral("Comment"),
         QStringLiteral("Put the focus in the box \"Comment (optional):\" to comment on this "
                        "line"),
         {Key(Qt::ALT | Qt::Key_C)},
         [](MainWindow& form) { form.FocusComment(); }},
        {Menu::Line,
         "nextOffTheMeterAction",
         QStringLiteral("Next line off the meter"),
         QStringLiteral("Go to the next line whose stresses or syllables are off the meter, "
                        "from line 1 again past the last"),
         {Key(Qt::Key_F3)},
         [](MainWindow& form) { form.GoToNextOffTheMeter(); },
         nullptr,
         kSeparatorBefore},
        {Menu::Line,
         "previousOffTheMeterAction",
         QStringLiteral("Previous line off the meter"),
         QStringLiteral("Go to the previous line whose stresses or syllables are off the meter, "
                        "from the last line again past the first"),
         {Key(Qt::SHIFT | Qt::Key_F3)},
         [](MainWindow& form) { form.GoToPreviousOffTheMeter(); }},
        {Menu::Line,
         "rescanAction",
         QStringLiteral("Rescan the rest as I read"),
         QStringLiteral("Learn how you read from the lines before this one, and rescan the later "
                        "lines nobody has touched by it"),
         {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_R)},
         [](MainWindow& form) { form.RescanTheRest(); },
         nullptr,
         kSeparatorBefore},
        {Menu::View,
         "swapBlocksAction",
         QStringLiteral("Swap stress and juncture blocks"),
         QStringLiteral("Swap the places of the stress and juncture blocks"),
         {Key(Qt::Key_F6)},
         [](MainWindow& form) { form.SwapBlocks(); }},
        {Menu::View,
         "backToTheLineAction",
         QStringLiteral("Back to the line"),
         QStringLiteral("Put the focus back in the box of the line it was last in, from a dock "
                        "or the comment"),
         {Key(Qt::Key_Escape)},
         [](MainWindow& form) { form.BackToTheLine(); }},
        {Menu::View,
         "zoomInAction",
         QStringLiteral("Zoom In"),
         QStringLiteral("Draw the line and its boxes larger"),
         {Key(Qt::CTRL | Qt::Key_Plus), Key(Qt::CTRL | Qt::Key_Equal)},
         [](MainWindow& form) { form.ZoomIn(); },
         nullptr,
         kSeparatorBefore},
        {Menu::View,
         "zoomOutAction",
         QStringLiteral("Zoom Out"),
         QStringLiteral("Draw the line and its boxes smaller"),
         {Key(Qt::CTRL | Qt::Key_Minus)},
         [](MainWindow& form) { form.ZoomOut(); }},
        {Menu::View,
         "actualSizeAction",
         QStringLiteral("Actual Size"),
         QStringLiteral("Draw the line and its boxes at their designed size"),
         {Key(Qt::CTRL | Qt::Key_0)},
         [](MainWindow& form) { form.ActualSize(); }},
        {Menu::View,
         "zoomToFitAction",
         QStringLiteral("Zoom to Fit"),
         QStringLiteral("Draw the line and its boxes as large as the window shows them whole"),
         {Key(Qt::CTRL | Qt::Key_9)},
         [](MainWindow& form) { form.ZoomToFit(); }},
        {Menu::View,
         "overviewAction",
         QStringLiteral("Overview"),
         QStringLiteral("Show or hide the list of every verse line and how it keeps to the meter"),
         {Key(Qt::Key_F9)},
         [](MainWindow& form) { form.ToggleOverview(); },
         &MainWindow::overviewAction,
         kSeparatorBefore | kCheckable},
        {Menu::View,
         "profileAction",
         QStringLiteral("Profile"),
         QStringLiteral("Show or hide the verse's profile: how often each place of the meter is "
                        "stressed or ends a word, and the file's figures"),
         {Key(Qt::Key_F10)},
         [](MainWindow& form) { form.ToggleProfile(); },
         &MainWindow::profileAction,
         kCheckable},
        {Menu::View,
         "nextProfileMeterAction",
         QStringLiteral("Next meter in the profile"),
         QStringLiteral("Show the profile of the file's next meter, after the last the first: a "
                        "file of several meters has a profile for each"),
         {Key(Qt::CTRL | Qt::Key_F10)},
         [](MainWindow& form) { form.ShowNextProfileMeter(); },
         &MainWindow::nextProfileMeterAction},
        {Menu::View,
         "strictMeterCheckAction",
         QStringLiteral("Strict meter check"),
         QStringLiteral("Count every stressed syllable in a weak place as off the meter, not only "
                        "stress maxima"),
         {Key(Qt::Key_F7)},
         [](MainWindow& form) { form.ToggleStrictMeterCheck(); },
         &MainWindow::strictMeterCheckAction,
         kCheckable},
        {Menu::Help,
         "shortcutsAction",
         QStringLiteral("Keyboard shortcuts"),
         QStringLiteral("List every key of the window"),
         {Key(Qt::Key_F1)},
         [](MainWindow& form) { form.ShowShortcuts(); }},
        {Menu::Help,
         "aboutAction",
         QStringLiteral("About Corvale"),
         QStringLiteral("Name, version and purpose of Corvale"),
         {Key(Qt::SHIFT | Qt::Key_F1)},
         [](MainWindow& form) { form.ShowAbout(); }},
    };
    return commands;
}

struct MenuPlace {
    Menu menu;
    QMenu* MainWindow::*member;
    const char* name;
    const char* title;  // with its mnemonic: Alt and the letter after & open the menu
};

constexpr MenuPlace kMenus[] = {
    {Menu::File, &MainWindow::fileMenu, "fileMenu", "&File"},
    {Menu::Edit, &MainWindow::editMenu, "editMenu", "&Edit"},
    {Menu::Line, &MainWindow::lineMenu, "lineMenu", "&Line"},
    {Menu::View, &MainWindow::viewMenu, "viewMenu", "&View"},
    {Menu::Help, &MainWindow::helpMenu, "helpMenu", "&Help"},
};

}  // namespace

void MainWindow::CreateMenus() {
    for (const MenuPlace& place : kMenus) {
        QMenu* menu = menuBar()->addMenu(QLatin1String(place.title));
        menu->setObjectName(QLatin1String(place.name));
        // An item pointed at says what it does, as the buttons do.
        menu->setToolTipsVisible(true);
        this->*place.member = menu;
        const QString where = QStringLiteral("%1 menu").arg(menu->title().remove(u'&'));
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
    // Open Recent, a submenu of files rather than a command, follows Open...
    recentMenu = new QMenu(QStringLiteral("Open &Recent"), fileMenu);
    recentMenu->setObjectName(QStringLiteral("recentMenu"));
    recentMenu->menuAction()->setToolTip(
        QStringLiteral("Open one of the files opened last, at the line last shown in it"));
    fileMenu->insertMenu(openFileAction, recentMenu);
    connect(recentMenu, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
}

// Qt's own undo and redo items, with their standard texts ("Undo", or "Undo" and what it
// undoes) and keys set here.
void MainWindow::AddUndoCommands(QMenu* menu, const QString& where) {
    QUndoStack& stack = lineUndo_->Stack();
    undoAction = stack.createUndoAction(this);
    undoAction->setObjectName(QStringLiteral("undoAction"));
    undoAction->setShortcuts({Key(Qt::CTRL | Qt::Key_Z)});
    undoAction->setToolTip(
        QStringLiteral("Undo the last edit of this line, or the typing in a syllable box"));
    redoAction = stack.createRedoAction(this);
    redoAction->setObjectName(QStringLiteral("redoAction"));
    redoAction->setShortcuts({Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), Key(Qt::CTRL | Qt::Key_Y)});
    redoAction->setToolTip(QStringLiteral("Redo the edit last undone on this line"));
    // Typed syllable text comes first: an undo puts back what was typed over, and anything
    // else takes it before acting on the line.
    disconnect(undoAction, &QAction::triggered, &stack, &QUndoStack::undo);
    disconnect(redoAction, &QAction::triggered, &stack, &QUndoStack::redo);
    connect(undoAction, &QAction::triggered, this, [this] {
        if (HasPendingTyping()) {
            RevertTyping();
        } else {
            Run([this] { lineUndo_->Stack().undo(); });
        }
    });
    connect(redoAction, &QAction::triggered, this,
            [this] { Run([this] { lineUndo_->Stack().redo(); }); });
    for (QAction* action : {undoAction, redoAction}) {
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
    runs(commitLineButton, "commitLineAction");
    runs(commitLineTopButton, "commitLineAction");
    runs(reloadLineButton, "reloadLineAction");
    runs(backOneButton, "backOneAction");
    runs(aheadOneButton, "aheadOneAction");
    runs(exitButton, "exitAction");
    const QAction* goTo = keyMap_.Find(u"goToLineAction");
    goToButton->setToolTip(
        QStringLiteral("Go to the line numbered in the box on the left (Return in the box; %1 "
                       "puts the focus there)")
            .arg(KeyText(*goTo)));
    const QAction* comment = keyMap_.Find(u"focusCommentAction");
    grid_.commentBox->setToolTip(
        WithKeys(QStringLiteral("A comment on this line, saved with it"), *comment));
    commentHeading->setToolTip(grid_.commentBox->toolTip());
    const QAction* swap = keyMap_.Find(u"swapBlocksAction");
    grid_.stressHeading->setToolTip(
        QStringLiteral("Click to put the stress block on top (%1 swaps the blocks)")
            .arg(KeyText(*swap)));
    grid_.junctureHeading->setToolTip(
        QStringLiteral("Click to put the juncture block on top (%1 swaps the blocks)")
            .arg(KeyText(*swap)));
}

}  // namespace corvale
