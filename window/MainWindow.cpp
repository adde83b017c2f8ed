#include "window/MainWindow.h"

#include "startup/MissingMeter.h"
#include "window/AboutBox.h"
#include "window/CellFocus.h"
#include "window/CellKeys.h"
#include "window/ClickableLabel.h"
#include "window/LineUndo.h"
#include "window/MeterFinder.h"
#include "window/Overview.h"
#include "window/Placement.h"
#include "window/ShortcutsWindow.h"
#include "window/SyllableEditing.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QUndoStack>

namespace corvale {

namespace {

using layout::CellArray;
using layout::Fixed;
using layout::Rect;

constexpr double kHeadingPoints = 12;
constexpr double kSyllablePoints = 9.75;

// Every control starts at 100%; start-up applies the zoom the user chose.
void Place(QWidget* control, const Rect& twips) {
    placement::Place(control, twips, layout::kActualSize);
}

// Labels show their caption as typed, never as markup, from the top edge as designed.
template <typename T>
T* MakeLabel(QWidget* parent, const char* name, const QString& caption, const Rect& rect,
             Qt::Alignment horizontal = Qt::AlignLeft) {
    auto* label = new T(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(horizontal | Qt::AlignTop);
    placement::SetCaption(label, caption);
    Place(label, rect);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const Rect& rect) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    Place(button, rect);
    return button;
}

QLineEdit* MakeTextBox(QWidget* parent, const char* name, const QString& text, const Rect& rect,
                       Qt::Alignment horizontal = Qt::AlignLeft) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setAlignment(horizontal | Qt::AlignVCenter);
    Place(box, rect);
    return box;
}

// A line of the frame drawn around the file-name area: its twips rect is the line itself, which
// gets a thickness on screen.
QFrame* MakeLine(QWidget* parent, const char* name, const Rect& line, QFrame::Shape shape) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(shape);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setProperty(placement::kLineProperty, true);
    Place(frame, line);
    return frame;
}

void UseDesignedFont(QWidget* control, double points) {
    placement::SetDesignedFont(control, placement::SansSerif(points), layout::kActualSize);
}

template <typename T>
void AppendPattern(ControlArray<T>& array, T* element, CellArray kind) {
    array.Append(element);
    if (kind != CellArray::MeterLabels) {
        element->setAccessibleName(placement::CellAccessibleName(kind, 0));
    }
}

}  // namespace

MainWindow::MainWindow(Platform& platform) : work_(platform) {
    ShowFolderInTitle();
    setAcceptDrops(true);
    qApp->installEventFilter(this);
    work_.OnNoMeter([this](const std::string& name) {
        return startup::AskForMeter(work_.GetPlatform(), name, FindMeterFromStresses);
    });
    work_.OnLineOnScreen(
        {[this] { return HasUncommittedChanges(); }, [this] { CommitWorkingLine(); }});
    grid_.area = new QWidget(this);
    grid_.area->setObjectName(QStringLiteral("ClientArea"));
    MakeScrolling();
    setWindowIcon(CorvaleIcon());
    work_.Doc().AddWatcher(this);
    cellFocus_ = std::make_unique<CellFocus>(grid_, work_.Doc());
    SyllableEditing::Host& syllablesHost = *this;
    syllableEditing_ =
        std::make_unique<SyllableEditing>(grid_, line_, work_.Doc(), *cellFocus_, syllablesHost);
    ValueEditing::Host& valuesHost = *this;
    valueEditing_ = std::make_unique<ValueEditing>(grid_, line_, work_.Doc(), work_.Settings(),
                                                   *cellFocus_, valuesHost);
    lineUndo_ =
        std::make_unique<LineUndo>(grid_, line_, work_.Doc(), *cellFocus_, *syllableEditing_);
    CreateFixedControls();
    CreatePatternElements();
    CellKeys::Host& keysHost = *this;
    cellKeys_ = std::make_unique<CellKeys>(grid_, *cellFocus_, keysHost, keyMap_, *undoAction);
    cellKeys_->KeepEditingKeys(grid_.commentBox, true);
    cellKeys_->KeepEditingKeys(grid_.goToBox, false);
    cellKeys_->KeepEditingKeys(fileNameBox, false);
    ConnectHandlers();
    // Every step, typed value, merge, split, undo and redo of the line on screen passes the undo
    // stack: the boldness, hyphens and alignment of the syllables, the cues and the status follow
    // it at once.
    connect(&lineUndo_->Stack(), &QUndoStack::indexChanged, this, [this] {
        AlignCellContents();
        ShowMeterJudgement();
    });
    FitClientArea();
    // The designed size; start-up fits the window to the screen.
    resize(layout::ToPixels(layout::kDesignWidth),
           layout::ToPixels(layout::kDesignHeight) + menuBar()->sizeHint().height());
}

// The undo stack empties itself as it goes, after the meter it would have the line judged by.
// The syllable boxes outlive the store: the widget's own destructor closes the window, which
// moves the focus out of a box and has its validator read the file's encoding, so the
// validators go first, and the scroll area stops following the focus, whose last move would
// reach a window that is no longer one.
MainWindow::~MainWindow() {
    work_.Doc().RemoveWatcher(this);
    disconnect(&lineUndo_->Stack(), nullptr, this, nullptr);
    disconnect(followingFocus_);
    for (std::int32_t i = 1; i <= grid_.syllableBoxes.Count(); ++i) {
        grid_.syllableBoxes(i)->setValidator(nullptr);
    }
}

void MainWindow::ModifiedChanged(bool modified) {
    setWindowModified(modified);
    if (overview_) {
        overview_->Model().ChangedMarksMayDiffer();
    }
}

void MainWindow::CreateFixedControls() {
    QWidget* area = grid_.area;
    lineTextLabel = MakeLabel<QLabel>(area, "lineTextLabel", QStringLiteral("Text of current line"),
                                      layout::FixedRect(Fixed::LineText));
    UseDesignedFont(lineTextLabel, kHeadingPoints);
    nextLineTextLabel =
        MakeLabel<QLabel>(area, "nextLineTextLabel", QStringLiteral("Text of the next line"),
                          layout::FixedRect(Fixed::NextLineText));
    // Created after the two labels, so it lies over their right ends.
    commitLineTopButton =
        MakeButton(area, "commitLineTopButton", QStringLiteral("Save changes to this line"),
                   layout::FixedRect(Fixed::CommitLineTop));
    mergeHeading = MakeLabel<QLabel>(area, "mergeHeading", QStringLiteral("Merge:"),
                                     layout::FixedRect(Fixed::MergeHeading));
    grid_.stressHeading = MakeLabel<ClickableLabel>(area, "stressHeading", QStringLiteral("Stress"),
                                                    layout::FixedRect(Fixed::StressHeading));
    UseDesignedFont(grid_.stressHeading, kHeadingPoints);
    grid_.junctureHeading =
        MakeLabel<ClickableLabel>(area, "junctureHeading", QStringLiteral("Juncture"),
                                  layout::FixedRect(Fixed::JunctureHeading));
    UseDesignedFont(grid_.junctureHeading, kHeadingPoints);
    commentHeading =
        MakeLabel<QLabel>(area, "commentHeading", QStringLiteral("Comment (optional):"),
                          layout::FixedRect(Fixed::CommentHeading));
    UseDesignedFont(commentHeading, kHeadingPoints);
    lineStatusLabel = MakeLabel<ElidedLabel>(area, "lineStatusLabel", QString(),
                                             layout::FixedRect(Fixed::LineStatus));
    lineStatusLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    grid_.commentBox = new QPlainTextEdit(area);
    grid_.commentBox->setObjectName(QStringLiteral("commentBox"));
    grid_.commentBox->setAccessibleName(QStringLiteral("Comment"));
    // Return starts a new line of the comment; Tab moves on.
    grid_.commentBox->setTabChangesFocus(true);
    Place(grid_.commentBox, layout::FixedRect(Fixed::CommentBox));

    commitLineButton =
        MakeButton(area, "commitLineButton", QStringLiteral("Save changes to this line"),
                   layout::FixedRect(Fixed::CommitLine));
    CreateBottomRow(area);

    CreateMenus();
}

// The file name, the position in the file and the row of navigation buttons.
void MainWindow::CreateBottomRow(QWidget* area) {
    using layout::FixedRect;
    fileHeading = MakeLabel<QLabel>(area, "fileHeading", QStringLiteral("File:"),
                                    FixedRect(Fixed::FileHeading));
    fileNameBox =
        MakeTextBox(area, "fileNameBox", QStringLiteral("Text1"), FixedRect(Fixed::FileNameBox));
    fileNameBox->setAccessibleName(QStringLiteral("File name"));
    fileAreaTopLine =
        MakeLine(area, "fileAreaTopLine", FixedRect(Fixed::FileAreaTopLine), QFrame::HLine);
    fileAreaRightLine =
        MakeLine(area, "fileAreaRightLine", FixedRect(Fixed::FileAreaRightLine), QFrame::VLine);
    progressLabel = MakeLabel<QLabel>(area, "progressLabel", QStringLiteral("Label5"),
                                      FixedRect(Fixed::Progress), Qt::AlignHCenter);
    grid_.goToBox =
        MakeTextBox(area, "goToBox", QString(), FixedRect(Fixed::GoToBox), Qt::AlignHCenter);
    grid_.goToBox->setAccessibleName(QStringLiteral("Go to line"));
    goToButton =
        MakeButton(area, "goToButton", QStringLiteral("go to #"), FixedRect(Fixed::GoToButton));
    backOneButton =
        MakeButton(area, "backOneButton", QStringLiteral("<"), FixedRect(Fixed::BackOne));
    backOneButton->setAccessibleName(QStringLiteral("Back one line"));
    aheadOneButton =
        MakeButton(area, "aheadOneButton", QStringLiteral(">"), FixedRect(Fixed::AheadOne));
    aheadOneButton->setAccessibleName(QStringLiteral("Ahead one line"));
    reloadLineButton =
        MakeButton(area, "reloadLineButton", QStringLiteral("Redo"), FixedRect(Fixed::ReloadLine));
    exitButton = MakeButton(area, "exitButton", QStringLiteral("Exit"), FixedRect(Fixed::Exit));
}

void MainWindow::CreatePatternElements() {
    QWidget* area = grid_.area;
    auto designed = [](CellArray kind) { return layout::DesignedElement0(kind); };

    auto* meter =
        MakeLabel<QLabel>(area, "", QString(), designed(CellArray::MeterLabels), Qt::AlignHCenter);
    UseDesignedFont(meter, kHeadingPoints);
    AppendPattern(grid_.meterLabels, meter, CellArray::MeterLabels);

    auto* syllable =
        MakeTextBox(area, "", QString(), designed(CellArray::SyllableBoxes), Qt::AlignHCenter);
    UseDesignedFont(syllable, kSyllablePoints);
    AppendPattern(grid_.syllableBoxes, syllable, CellArray::SyllableBoxes);

    const QString down = QStringLiteral("v");
    const QString up = QStringLiteral("^");
    AppendPattern(grid_.mergeButtons, MakeButton(area, "", down, designed(CellArray::MergeButtons)),
                  CellArray::MergeButtons);
    AppendPattern(
        grid_.stressBoxes,
        MakeTextBox(area, "", QString(), designed(CellArray::StressBoxes), Qt::AlignHCenter),
        CellArray::StressBoxes);
    AppendPattern(grid_.stressUpButtons,
                  MakeButton(area, "", up, designed(CellArray::StressUpButtons)),
                  CellArray::StressUpButtons);
    AppendPattern(grid_.stressDownButtons,
                  MakeButton(area, "", down, designed(CellArray::StressDownButtons)),
                  CellArray::StressDownButtons);
    AppendPattern(
        grid_.junctureBoxes,
        MakeTextBox(area, "", QString(), designed(CellArray::JunctureBoxes), Qt::AlignHCenter),
        CellArray::JunctureBoxes);
    AppendPattern(grid_.junctureUpButtons,
                  MakeButton(area, "", up, designed(CellArray::JunctureUpButtons)),
                  CellArray::JunctureUpButtons);
    AppendPattern(grid_.junctureDownButtons,
                  MakeButton(area, "", down, designed(CellArray::JunctureDownButtons)),
                  CellArray::JunctureDownButtons);
}

void MainWindow::ConnectHandlers() {
    ConnectCommandButtons();
    connect(goToButton, &QPushButton::clicked, this, [this] { Run([this] { GoToTypedLine(); }); });
    connect(grid_.goToBox, &QLineEdit::returnPressed, this,
            [this] { Run([this] { GoToTypedLineAndResume(); }); });
    connect(fileNameBox, &QLineEdit::returnPressed, openFileAction, &QAction::trigger);
    connect(grid_.stressHeading, &ClickableLabel::clicked, this,
            [this] { Run([this] { PutStressOnTop(); }); });
    connect(grid_.junctureHeading, &ClickableLabel::clicked, this,
            [this] { Run([this] { PutJunctureOnTop(); }); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (scanning_) {
        // The scan stops first, writing nothing; the window then closes as it would have.
        scanCancel_ = true;
        closeAfterScan_ = true;
        event->ignore();
        return;
    }
    bool mayClose = work_.GetPlatform().HasEnded();
    if (!mayClose) {
        // Typed text is taken first, as before any command. A refusal puts the box back and
        // says why, but never stops the close by itself: the close box would then do nothing,
        // with no question and no end.
        Run([] {});
        Run([this, &mayClose] { mayClose = work_.QueryClose(); });
    }
    if (mayClose || work_.GetPlatform().HasEnded()) {
        NoteRecent();
        KeepDockPlaces();
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous() && focusWidget() == nullptr) {
        cellFocus_->FocusFirstCell();
    }
}

void MainWindow::OrderTabs() {
    cellFocus_->OrderTabs({grid_.commentBox, commitLineButton, grid_.goToBox, goToButton,
                           backOneButton, aheadOneButton, reloadLineButton, exitButton, fileNameBox,
                           commitLineTopButton});
}

void MainWindow::ConnectColumn(std::int32_t i) {
    const auto index = static_cast<std::int16_t>(i);
    auto onClick = [this, index](QPushButton* button, void (MainWindow::*handler)(std::int16_t)) {
        connect(button, &QPushButton::clicked, this, [this, handler, index] {
            Run([this, handler, index] { (this->*handler)(index); });
        });
    };
    onClick(grid_.mergeButtons(i), &MainWindow::MergeWithNext);
    onClick(grid_.stressUpButtons(i), &MainWindow::RaiseStress);
    onClick(grid_.stressDownButtons(i), &MainWindow::LowerStress);
    onClick(grid_.junctureUpButtons(i), &MainWindow::RaiseJuncture);
    onClick(grid_.junctureDownButtons(i), &MainWindow::LowerJuncture);
}

}  // namespace corvale
