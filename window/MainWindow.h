#pragma once

// MainWindow is Corvale's one window. The flow of data through it:
//   start-up (Form_Load) reads the memory file and the scansion file into the store
//   (Workspace), reads the meter, builds the cell grid and shows line CurrentLine;
//   LoadANewLine copies a store row into the working copy (CurrentSyllables, ...) and the
//   boxes, which show it; stepping, merging, splitting and retyping a syllable change it;
//   committing (cmdOk_Click) copies the working copy and the comment box back into the store;
//   Exit (Exit) writes the store to the scansion file and the line reached to the
//   memory file; Save (Save) does the same without leaving. The store knows when it
//   holds unsaved corrections (IsModified, the title's "*"), and Exit, the close box and a
//   switch ask before dropping them. Switching files (mnuChangeFile_Click) goes through the
//   memory file, reloads the store and takes the new file's meter (UseTheMeter: captions, red
//   columns, cues, F3 and the overview follow it). Scan a poem (mnuScanPoem_Click) runs the
//   first pass on a worker thread, writes the scansion file and its meter file, and switches
//   to them at line 1. Every handler runs through Run(), the boundary at which an ended
//   program stops, and which lets no other handler in while a scan runs.
// Every command is also a QAction with its keys, in the menus and in Keys() (MainWindowMenus.cpp);
// the grid's boxes have keys of their own for stepping, moving and merging (CellKeys), and the
// focus follows the work from line to line (CellFocus). Each step, merge, split and retyped
// syllable of the line on screen can be undone and redone (LineUndo) until the next line is
// shown.
// A syllable box being typed in edits its plain syllable, taken into the working copy when the
// box loses the focus and before every command (SyllableEditing); a syllable splits in two at
// the caret (mnuSplitSyllable_Click), and a full line grows the store and the grid by a column.
// The meter check (editor/MeterCheck.h) judges the working copy after every display, step,
// merge, undo and redo: cues (MeterCue) mark the columns off the meter and lblMeterStatus says
// how the line keeps to it. F3 and Shift+F3 go to the next or previous line off the meter,
// judged from the store; the overview (Overview, F9) lists every line with its verdict. The
// view options are kept in corvale-view.ini (ViewOptions).

#include "meter/MeterCheck.h"
#include "scansion/Workspace.h"
#include "window/Actions.h"
#include "window/CellGrid.h"
#include "window/Layout.h"
#include "window/PoemScan.h"
#include "window/SyllableEditing.h"

#include <QMainWindow>
#include <QPointer>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QCloseEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QShowEvent;

namespace corvale {

namespace editor {
enum class StepDirection;
}

class CellFocus;
class CellKeys;
class LineUndo;
class Overview;
class ShortcutsWindow;

class MainWindow : public QMainWindow, private SyllableEditing::Host {
    Q_OBJECT

public:
    explicit MainWindow(Platform& platform);
    ~MainWindow() override;

    // The program's state apart from the widgets: the store, the working copy, the settings.
    Workspace& Work() { return work_; }
    const Workspace& Work() const { return work_; }

    // Start-up. Returns false when the program ended during it (a fatal data error); the
    // window must then never be shown.
    bool Form_Load();

    // Line display (the working copy and the cell grid).
    void LoadANewLine();
    void AlignCellContents();

    // Handlers. Each is connected through Run(); tests may call them directly inside Run().
    void cmdStressUp_Click(std::int16_t index);
    void cmdStressDown_Click(std::int16_t index);
    void cmdJunctureUp_Click(std::int16_t index);
    void cmdJunctureDown_Click(std::int16_t index);
    void Label2_Click();
    void Label3_Click();
    void cmdMerge_Click(std::int16_t index);
    // Splits the focused syllable box's syllable at the caret; a full line grows a column.
    void mnuSplitSyllable_Click();
    void cmdOk_Click();
    void cmdAlsoSave_Click();
    void cmdUndo_Click();
    void cmdBackOne_Click();
    void cmdAheadOne_Click();
    void cmdGoTo_Click();
    void mnuChangeFile_Click();
    void mnuScanPoem_Click();
    // Exit and Save are the workspace's own.

    // Commands of the keys and menus that no button has.
    void mnuFirstLine_Click();
    void mnuLastLine_Click();
    void mnuGoToLine_Click();
    void txtGoto_ReturnPressed();
    void mnuSwapBlocks_Click();
    void mnuShortcuts_Click();
    void mnuAbout_Click();
    void mnuNextOffTheMeter_Click();
    void mnuPreviousOffTheMeter_Click();
    void mnuOverview_Click();
    void mnuStrictMeterCheck_Click();

    // The cues and the status of the line on screen, from its working copy. Row 0, which is
    // no verse line, and every line under an empty meter get neither.
    void ShowMeterJudgement();
    const meter::Meter& TheMeter() const { return meter_; }
    meter::Strictness MeterStrictness() const { return strictness_; }

    // Says something about the line on screen where its status stands, until the next edit.
    void ShowLineStatus(const QString& text) override;
    // Typed syllable text goes into the working copy; false when it was refused.
    bool TakeTypedSyllable();

    // Runs a handler, once typed syllable text has been taken (refused text stops it); a
    // program that ends inside it closes the window and stops there.
    template <typename F>
    void Run(F&& handler);

    // Fixed controls.
    QLabel* lblText = nullptr;
    QLabel* lblTextNextLine = nullptr;
    QPushButton* cmdAlsoSave = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblMeterStatus = nullptr;  // how the line on screen keeps to the meter
    QPushButton* cmdOk = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txtFileName = nullptr;
    QLabel* lblProgress = nullptr;
    QPushButton* cmdGoTo = nullptr;
    QPushButton* cmdBackOne = nullptr;
    QPushButton* cmdAheadOne = nullptr;
    QPushButton* cmdUndo = nullptr;
    QPushButton* cmdQuit = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuChangeFile = nullptr;
    QAction* mnuScanPoem = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* mnuLine = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QAction* mnuOverview = nullptr;
    QAction* mnuStrictMeterCheck = nullptr;

    // The client area (twips map onto it), the cell grid, its block headings, the comment box
    // and the go-to box.
    CellGrid& Grid() { return grid_; }
    const CellGrid& Grid() const { return grid_; }

    // Builds cell columns from..to (1-based) as start-up does: geometry from SpacingOfButtons
    // and MaximumNumberOfSyllables, red backgrounds beyond the meter, meter captions. Used at
    // start-up and when a wider file is opened.
    void BuildCellColumns(std::int32_t from, std::int32_t to);

    // What Scan a poem runs on its worker thread (ReadAndScanPoem unless a test replaces it).
    void SetPoemScanner(PoemScanner scanner) { poemScanner_ = std::move(scanner); }

    // Every command with keys, in menu order, then the keys of the grid's boxes.
    const KeyMap& Keys() const { return keyMap_; }
    // The keyboard shortcuts window, once F1 has opened it.
    ShortcutsWindow* Shortcuts() const;
    // The overview, while it is open.
    Overview* OverviewDock() const;

protected:
    // The close box: unsaved corrections are asked about first (QueryClose); once the program
    // has ended the window just closes.
    void closeEvent(QCloseEvent* event) override;
    // The first showing puts the focus in the first syllable box, where the keyboard work starts.
    void showEvent(QShowEvent* event) override;

private:
    void Retype(std::int32_t column, const std::function<void()>& retype) override;
    void CreateFixedControls();
    // The file name, the position in the file and the row of navigation buttons.
    void CreateBottomRow(QWidget* area);
    void CreateMenus();
    void AddUndoCommands(QMenu* menu, const QString& where);
    void AddCommand(QAction* action, const QString& where);
    void ConnectCommandButtons();
    void CreatePatternElements();
    void ConnectHandlers();
    void ConnectColumn(std::int32_t i);
    void OrderTabs();
    void FitWindowToScreen();
    void HidePatternElements();
    void CaptionMeterLabels(std::int32_t from, std::int32_t to);
    void ColourMeterReach(std::int32_t column);
    // Makes MeterLine and NumberOfMeterSymbols the meter of the window: the check, the captions
    // and red columns of the grid built so far, and the cues.
    void UseTheMeter();
    // After a switch: the file box, the meter, the grid, the overview and line `line`.
    void ShowSwitchedFile(std::int32_t line);
    std::optional<firstpass::Scansion> ScanPoemFile(const QString& poemPath);
    std::optional<std::string> WriteScanOutputs(const QString& poemPath,
                                                const firstpass::Scansion& scansion);
    std::optional<std::string> ChooseFreeOutputName(std::string name);
    void PlaceValueBlocks(const layout::BlockTops& stress, const layout::BlockTops& juncture);
    void Step(std::int16_t index, ValueBlock block, editor::StepDirection direction);
    // Which controls of columns 1..M are shown, from the working copy, as a line is shown.
    void DecideCellVisibility();
    // Builds the columns a wider MaximumNumberOfSyllables needs, in the block order on screen.
    void WidenGrid();
    void ShowLineOrEnd();
    bool GoToNumberInBox();
    void GoToRow(std::int32_t row);
    void AddMeterCues(std::int32_t to);
    void JumpOffTheMeter(std::optional<std::int32_t> row);
    void ApplyViewOptions();
    void SaveViewOptions();
    void OpenOverview();
    void CloseOverview();

    Workspace work_;
    CellGrid grid_;
    // The comment as the box gave it back right after the line was shown: a comment the user
    // did not touch is committed as the bytes it was, whatever the box made of them.
    QString shownComment_;
    KeyMap keyMap_;
    std::unique_ptr<LineUndo> lineUndo_;
    std::unique_ptr<CellFocus> cellFocus_;
    // Destroyed first: their event filters must not outlive what they use.
    std::unique_ptr<CellKeys> cellKeys_;
    std::unique_ptr<SyllableEditing> syllableEditing_;
    QPointer<ShortcutsWindow> shortcutsWindow_;
    // Built from MeterLine and NumberOfMeterSymbols at start-up and at every switch.
    meter::Meter meter_;
    meter::Strictness strictness_ = meter::Strictness::StressMaxima;
    QPointer<Overview> overview_;
    PoemScanner poemScanner_ = ReadAndScanPoem;
    // While a scan runs: no other handler runs, and closing the window cancels the scan first.
    bool scanning_ = false;
    bool closeAfterScan_ = false;
    std::atomic<bool> scanCancel_{false};
};

template <typename F>
void MainWindow::Run(F&& handler) {
    if (work_.GetPlatform().HasEnded() || scanning_) {
        return;
    }
    try {
        if (!TakeTypedSyllable()) {
            return;
        }
        handler();
    } catch (const ProgramEnded&) {
        close();
    }
}

}  // namespace corvale
