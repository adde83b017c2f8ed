#pragma once

// Corvale's one window, around one loop of data. Start-up (StartUp) reads the memory file, the
// scansion file and its meter into the workspace (Work()), whose store holds the file's lines.
// Showing a line (ShowCurrentLine) copies store row CurrentLine into the working copy and the
// cell grid (Grid()); the edits change the working copy; a commit (CommitLine) copies it and the
// comment back into the store. A save (Save, or Exit answered Yes) writes the store to the
// scansion file and the line reached to the memory file. Opening another file (OpenNamedFile,
// OpenPath) or a scanned poem (ScanPoem) loads the store afresh through the memory file; with
// no file open, the window says how to get one. Every handler runs through Run(), the boundary
// at which an ended program stops.

#include "editor/WorkingLine.h"
#include "meter/LineMeter.h"
#include "meter/MeterCheck.h"
#include "navigation/WrapSearch.h"
#include "scansion/Workspace.h"
#include "startup/WorkingFolder.h"
#include "window/Actions.h"
#include "window/CellGrid.h"
#include "window/CellKeys.h"
#include "window/ElidedLabel.h"
#include "window/Layout.h"
#include "window/LineUndo.h"
#include "window/PoemScan.h"
#include "window/SyllableEditing.h"
#include "window/ValueEditing.h"

#include <QMainWindow>
#include <QPointer>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCloseEvent;
class QDockWidget;
class QDragEnterEvent;
class QDropEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QShowEvent;

namespace corvale {

namespace editor {
enum class StepDirection;
}

class CellFocus;
class Overview;
class ProfileDock;
class ShortcutsWindow;

class MainWindow : public QMainWindow,
                   private SyllableEditing::Host,
                   private ValueEditing::Host,
                   private CellKeys::Host,
                   private DocumentWatcher {
    Q_OBJECT

public:
    explicit MainWindow(Platform& platform);
    ~MainWindow() override;

    // The program's state apart from the widgets: the settings and the document.
    Workspace& Work() { return work_; }
    const Workspace& Work() const { return work_; }
    // The line on screen as edited, which a commit copies into the document.
    editor::WorkingLine& Line() { return line_; }
    const editor::WorkingLine& Line() const { return line_; }

    // Start-up, on a file named on the command line if one was (startup/Start.h). Returns false
    // when the program ended during it (a fatal data error); the window must then never be
    // shown.
    bool StartUp(const std::optional<startup::StartFile>& file = std::nullopt);
    // Once the window is shown: a poem named on the command line is offered to Scan a poem.
    void OfferStartPoem();

    // Line display (the working copy and the cell grid).
    void ShowCurrentLine();
    void AlignCellContents();

    // Handlers. Each is connected through Run(); tests may call them directly inside Run().
    void RaiseStress(std::int16_t index);
    void LowerStress(std::int16_t index);
    void RaiseJuncture(std::int16_t index);
    void LowerJuncture(std::int16_t index);
    void PutStressOnTop();
    void PutJunctureOnTop();
    void MergeWithNext(std::int16_t index);
    // Splits the focused syllable box's syllable at the caret; a full line grows a column.
    void SplitSyllable();
    void MergeFocusedSyllable();
    void CommitLine();
    // Save; the status says where the file went, since the title that shows it may be hidden.
    void SaveWork();
    void ReloadLine();
    void BackOneLine();
    void AheadOneLine();
    void GoToTypedLine();
    void OpenNamedFile();
    // Open...: a file dialog in the working folder, then OpenPath.
    void OpenFile();
    // A file chosen by its path (Open..., Open Recent, a drop, `corvale FILE`), as
    // startup::DecideOpening decides: a scansion file, or the one a meter file belongs to, is
    // opened as a switch (Workspace::OpenFileAt), at the line the recent list has for it unless
    // its folder's memory file remembers one; another file of Corvale's own is told for what it
    // is; any other file is offered to Scan a poem.
    void OpenPath(const QString& path);
    // An Open Recent item: a file that has gone leaves the list, and the status says so.
    void OpenRecent(const QString& path);
    void ScanPoem();
    // Scan a poem without its dialog, on this poem; OfferPoemScan asks first.
    void ScanPoemAt(const QString& poemPath);
    void OfferPoemScan(const QString& poemPath);
    void Export();
    // Exit and Save are the workspace's own.

    // Commands of the keys and menus that no button has.
    void GoToFirstLine();
    void GoToLastLine();
    void FocusGoToBox();
    void GoToTypedLineAndResume();
    void SwapBlocks();
    // The focus goes back to the grid's box it was last in (CellFocus::FocusLastCell).
    void BackToTheLine();
    void ShowShortcuts();
    void ShowAbout();
    void GoToNextOffTheMeter();
    void GoToPreviousOffTheMeter();
    // Line > "Save and go to the next line off the meter": a commit, then F3's move.
    void CommitAndGoToNextOffTheMeter();
    // Line > "Rescan the rest as I read": learns from the lines before the one on screen, says
    // what it learned and what a rescan would do, and on a Yes rescans the later lines nobody
    // has touched (firstpass/Rescan.h) as one step of the journal.
    void RescanTheRest();
    // Edit > "Undo the rescan": every rescanned line as it was, until the next commit.
    void UndoTheRescan();
    // File > "Save the conventions...": what was learned last in this run, to the folder's
    // conventions.txt; one already there is replaced only once the user agrees.
    void SaveTheConventions();
    // Alt+C: the comment box takes the focus.
    void FocusComment();
    void ToggleOverview();
    void ToggleStrictMeterCheck();
    void ToggleProfile();
    // View > "Next meter in the profile": the profile of the file's next meter, after the last
    // the first; opens the profile first.
    void ShowNextProfileMeter();
    // View > Zoom In, Zoom Out and Actual Size: the client area, fonts included, from 50% to
    // 300% of its designed size, kept for the user.
    void ZoomIn();
    void ZoomOut();
    void ActualSize();
    void ZoomToFit();
    int Zoom() const { return grid_.zoom; }
    // Writes the profile's chart or figures to a file the user names; opens the profile first.
    void SaveProfileAs();
    // Edit > Value bounds...: a dialog, once accepted the bounds apply to the line on screen and
    // are written to the memory file at once.
    void ChooseValueBounds();
    void SetValueBounds(const ValueBounds& bounds);

    // The cues and the status of the line on screen, from its working copy, under its own meter
    // (meter::LineMeter), whose symbols and reach the grid then shows. Row 0, which is no verse
    // line, and every line under an empty meter get neither.
    void ShowMeterJudgement();
    const meter::Meters& TheMeters() const { return meters_; }
    meter::Strictness MeterStrictness() const { return strictness_; }

    // Says something about the line on screen where its status stands, until the next edit.
    void ShowLineStatus(const QString& text) override;
    void PrefixLineStatus(const QString& note);
    // Text typed into a syllable, stress or juncture box goes into the working copy; false when
    // it was refused.
    bool TakeTyping();

    // Runs a handler, once typed text has been taken (refused text stops it); a program that
    // ends inside it closes the window and stops there.
    template <typename F>
    void Run(F&& handler);
    void AfterCommand();

    // Fixed controls.
    QLabel* lineTextLabel = nullptr;
    QLabel* nextLineTextLabel = nullptr;
    QPushButton* commitLineTopButton = nullptr;
    QLabel* mergeHeading = nullptr;
    QLabel* commentHeading = nullptr;
    ElidedLabel* lineStatusLabel = nullptr;  // how the line on screen keeps to the meter
    QPushButton* commitLineButton = nullptr;
    QLabel* fileHeading = nullptr;
    QLineEdit* fileNameBox = nullptr;
    QLabel* progressLabel = nullptr;
    QPushButton* goToButton = nullptr;
    QPushButton* backOneButton = nullptr;
    QPushButton* aheadOneButton = nullptr;
    QPushButton* reloadLineButton = nullptr;
    QPushButton* exitButton = nullptr;
    QFrame* fileAreaTopLine = nullptr;
    QFrame* fileAreaRightLine = nullptr;
    QMenu* fileMenu = nullptr;
    QAction* saveAction = nullptr;
    QAction* openAction = nullptr;
    QMenu* recentMenu = nullptr;  // Open Recent, filled each time it opens
    QAction* openFileAction = nullptr;
    QAction* scanPoemAction = nullptr;
    QAction* exportAction = nullptr;
    QAction* saveProfileAction = nullptr;
    QAction* exitAction = nullptr;
    QMenu* editMenu = nullptr;
    QMenu* lineMenu = nullptr;
    QMenu* viewMenu = nullptr;
    QMenu* helpMenu = nullptr;
    QAction* undoAction = nullptr;
    QAction* valueBoundsAction = nullptr;
    QAction* undoRescanAction = nullptr;
    QAction* redoAction = nullptr;
    QAction* overviewAction = nullptr;
    QAction* strictMeterCheckAction = nullptr;
    QAction* profileAction = nullptr;
    QAction* nextProfileMeterAction = nullptr;

    // The client area (twips map onto it), the cell grid, its block headings, the comment box
    // and the go-to box.
    CellGrid& Grid() { return grid_; }
    const CellGrid& Grid() const { return grid_; }

    // Builds cell columns from..to (1-based) as start-up does: geometry from the spacing and the
    // document's positions, red backgrounds beyond the meter, meter captions. Used at
    // start-up and when a wider file is opened.
    void BuildCellColumns(std::int32_t from, std::int32_t to);

    // What Scan a poem runs on its worker thread: ReadAndScanPoem under the folder's
    // conventions, unless a test replaces it.
    void SetPoemScanner(PoemScanner scanner) { poemScanner_ = std::move(scanner); }

    // Every command with keys, in menu order, then the keys of the grid's boxes.
    const KeyMap& Keys() const { return keyMap_; }
    // The keyboard shortcuts window, once F1 has opened it.
    ShortcutsWindow* Shortcuts() const;
    // The overview, while it is open.
    Overview* OverviewDock() const;
    // The profile, while it is open.
    ProfileDock* ProfileView() const;

protected:
    // The close box: unsaved corrections are asked about first (QueryClose); once the program
    // has ended the window just closes.
    void closeEvent(QCloseEvent* event) override;
    // The first showing puts the focus in the first syllable box, where the keyboard work starts.
    void showEvent(QShowEvent* event) override;
    // A file dropped on the window is opened as a path (OpenPath) once the drop is over.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // A file dragged over a box of the window is the window's, not text to drop in the box.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Retype(std::int32_t column, const std::function<void()>& retype) override;
    void ValueTyped(ValueBlock block, std::int32_t column, std::string before) override;
    void ModifiedChanged(bool modified) override;
    // Another file: no rescan to undo, no dropped changes to bring back, and its own
    // conventions in force.
    void Loaded(const Store& store) override;
    void StepCell(CellPlace place, editor::StepDirection direction) override;
    bool HasPendingTyping() const override;
    void RevertTyping() override;
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
    // The client area in a scroll area, which follows the focus.
    void MakeScrolling();
    // Scrolls the client area so that this control of it is in sight.
    void ScrollToShow(const QWidget* control);
    // Places everything at this zoom, without keeping it for the user; ChooseZoom keeps it.
    void SetZoom(int percent);
    void ChooseZoom(int percent);
    // Puts the columns built so far at the grid's pitch.
    void MoveColumns();
    // The client area takes the size its controls need at the zoom; the window scrolls it.
    void FitClientArea();
    // The places, in twips, of the controls laid on the client area.
    std::vector<layout::Rect> PlacedRects() const;
    // Ctrl with the wheel over the client area runs Zoom In or Zoom Out, a step a notch; a
    // touchpad's small turns add up to a notch. True when the event was taken so.
    bool ZoomByWheel(QObject* watched, QEvent* event);
    void CaptionMeterLabels(std::int32_t from, std::int32_t to);
    void ColourMeterReach(std::int32_t column);
    // The meter file's row of the meter the grid shows.
    const MeterFileRow& ShownMeterRow() const;
    // The grid shows meter `number`'s symbols and red columns beyond it; nothing is redone
    // while it shows them already.
    void ShowLineMeter(std::int32_t number);
    // The line on screen, from its working copy, judged against its own meter.
    meter::LineVerdict JudgeLineOnScreen(std::vector<std::int32_t>* offColumns = nullptr) const;
    // Makes the document's meters the meters of the window: the check, the captions and red
    // columns of the grid built so far (the main meter's until a line is shown), and the cues.
    void UseTheMeter();
    // After a switch: the file box, the meter, the grid, the overview and line `line`.
    void ShowSwitchedFile(std::int32_t line);
    // Whether the user lets the file on screen go (Workspace::QuerySwitch); when they do, the
    // recent list keeps its line.
    std::optional<Workspace::Leaving> LeaveFile();
    // The working file goes first in the recent list, with the line on screen.
    void NoteRecent();
    void FillRecentMenu();
    // The line commands work only while a file is open.
    void EnableLineCommands();
    void ShowFolderInTitle();
    // After a file opened in another folder: that folder's view options.
    void UseFolderViewOptions();
    // A poem scanned, and by what, in the status's words: "the default conventions".
    struct ScannedPoem {
        firstpass::Scansion scansion;
        QString by;
    };
    std::optional<ScannedPoem> ScanPoemFile(const QString& poemPath);
    std::optional<std::string> WriteScanOutputs(const QString& poemPath,
                                                const firstpass::Scansion& scansion);
    std::optional<std::string> ChooseFreeOutputName(std::string name);
    // Where Export and Save the profile as look first: the folder of the file last written by
    // that command in this run, else the folder either last wrote to in any run, else the
    // program's.
    QString OutputFolder(const Platform::FileChoice& lastInThisRun) const;
    void KeepOutputFolder(const QString& written);
    void PlaceValueBlocks(const layout::BlockTops& stress, const layout::BlockTops& juncture);
    void Step(std::int16_t index, ValueBlock block, editor::StepDirection direction);
    // Which controls of columns 1..M are shown, from the working copy, as a line is shown.
    void DecideCellVisibility();
    // Builds the columns wider lines need, in the block order on screen.
    void WidenGrid();
    void ShowLineOrEnd();
    bool GoToNumberInBox();
    // Shows another line. Changes to the line left that were never committed are dropped, and
    // the status says so.
    void GoToRow(std::int32_t row);
    // The line on screen holds changes its last commit does not.
    bool HasUncommittedChanges() const;
    // The key that commits them, as notes of changes left out name it: "Ctrl+Return".
    QString CommitKey() const;
    // Back on a line whose changes a move or F5 dropped, one Ctrl+Z brings them back.
    void OfferDroppedChangesBack();
    void AddMeterCues(std::int32_t to);
    // The lines off the meter after a row, as F3 searches them.
    navigation::LineSearch NextOffTheMeter() const;
    void JumpOffTheMeter(const navigation::Jump& jump);
    // Goes to the line a search found, with the focus on `column`'s stress box or, with none
    // given, on the line's first column off the meter; past an end of the file the status says
    // so. False, changing nothing, when the search found no line.
    bool Reach(const navigation::Jump& jump, std::optional<std::int32_t> column);
    // The working copy and the comment go into the store, as a commit puts them, and the docks
    // follow; the line stays on screen.
    void CommitWorkingLine();
    // The conventions the file's lines were scanned under: those of the last rescan, else the
    // folder's. nullopt when the folder's file is refused, after a message ending `whatFails`.
    std::optional<firstpass::Conventions> ConventionsInForce(const QString& whatFails);
    void ShowReplacedLines(const QString& what);
    void EnableUndoTheRescan();
    void ApplyViewOptions();
    void SaveViewOptions();
    void OpenOverview();
    // The width a dock opens at: the room beside the designed layout at the zoom, between least
    // and most, but never over half the window, so that on a small or scaled screen the grid
    // keeps half of it.
    int DockWidth(int least, int most) const;
    // As the window closes: the docks' places, kept for the user when they changed.
    void KeepDockPlaces();
    // Puts a dock where the window last closed with it, if that is a place it may take, beside
    // the grid (a hand-edited file's floating dock could not be put back by the user), and no
    // wider than half the window. False when there is no such place, and the dock is to be added.
    bool RestoreDock(QDockWidget* dock);
    void GiveTheChartItsShare();
    void CloseOverview();
    void OpenProfile();
    void CloseProfile();
    // Counts the profile afresh, when it is open: another file or meter.
    void RecountProfile();
    // The next line after the one on screen that departs from the meter in `place`, with the
    // focus in that place's column.
    void GoToDeparture(std::int32_t place);

    Workspace work_;
    editor::WorkingLine line_;
    CellGrid grid_;
    QScrollArea* scroll_ = nullptr;
    // The comment as the box gave it back right after the line was shown: a comment the user
    // did not touch is committed as the bytes it was, whatever the box made of them.
    QString shownComment_;
    KeyMap keyMap_;
    std::unique_ptr<LineUndo> lineUndo_;
    // The changes on screen the last move dropped, until their line is shown again or another
    // file is loaded.
    struct DroppedChanges {
        std::int32_t line = 0;
        LineSnapshot snapshot;
        QString comment;
    };
    std::optional<DroppedChanges> droppedChanges_;
    // The line on screen's changes, when it has any that its last commit does not.
    std::optional<DroppedChanges> ChangesOnScreen() const;
    std::unique_ptr<CellFocus> cellFocus_;
    // Destroyed first: their event filters must not outlive what they use.
    std::unique_ptr<CellKeys> cellKeys_;
    std::unique_ptr<SyllableEditing> syllableEditing_;
    std::unique_ptr<ValueEditing> valueEditing_;
    QPointer<ShortcutsWindow> shortcutsWindow_;
    // Built from the document's meters at start-up and at every switch.
    meter::Meters meters_;
    // The meter whose symbols stand over the grid, the line on screen's; 0 before any.
    std::int32_t shownMeter_ = 0;
    meter::Strictness strictness_ = meter::Strictness::StressMaxima;
    QPointer<Overview> overview_;
    QPointer<ProfileDock> profile_;
    PoemScanner poemScanner_;  // none: ReadAndScanPoem
    std::optional<QString> startPoem_;
    // While a scan runs: no other handler runs, and closing the window cancels the scan first.
    bool scanning_ = false;
    bool closeAfterScan_ = false;
    std::atomic<bool> scanCancel_{false};
    // The scroll area following the focus; cut as the window goes.
    QMetaObject::Connection followingFocus_;
    QByteArray keptDocks_;  // the docks' places as read at start-up or last kept
    int wheelTurn_ = 0;     // of the wheel with Ctrl held, in eighths of a degree, not yet zoomed
    Platform::FileChoice lastExport_;   // the file last exported to in this run, and its format
    Platform::FileChoice lastProfile_;  // the file the profile was last saved as in this run
    // The conventions a rescan put the file's lines under; none since the file was loaded.
    std::optional<firstpass::Conventions> rescannedUnder_;
    // What "Rescan the rest as I read" learned last in this run, for Save the conventions.
    std::optional<firstpass::Conventions> lastLearned_;
};

template <typename F>
void MainWindow::Run(F&& handler) {
    if (work_.GetPlatform().HasEnded() || scanning_) {
        return;
    }
    try {
        if (!TakeTyping()) {
            return;
        }
        handler();
        AfterCommand();
    } catch (const ProgramEnded&) {
        close();
    }
}

}  // namespace corvale
