#include "window/MainWindow.h"

#include "window/AboutBox.h"
#include "window/CellFocus.h"
#include "window/CellKeys.h"
#include "window/ClickableLabel.h"
#include "window/LineUndo.h"
#include "window/Overview.h"
#include "window/Placement.h"
#include "window/ShortcutsWindow.h"
#include "window/SyllableEditing.h"

#include <QAction>
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
using layout::Rect;
using placement::Place;

constexpr double kHeadingPoints = 12;
constexpr double kSyllablePoints = 9.75;

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

// A line of the frame drawn around the file-name area. The twips rect is the line itself (one
// of its sides is 0); on screen it gets the toolkit's thickness, centred on the line.
QFrame* MakeLine(QWidget* parent, const char* name, const Rect& line, QFrame::Shape shape) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(shape);
    frame->setFrameShadow(QFrame::Sunken);
    Place(frame, line);
    constexpr int kThickness = 2;
    QRect pixels = frame->geometry();
    if (shape == QFrame::HLine) {
        pixels.setTop(pixels.top() - kThickness / 2);
        pixels.setHeight(kThickness);
    } else {
        pixels.setLeft(pixels.left() - kThickness / 2);
        pixels.setWidth(kThickness);
    }
    frame->setGeometry(pixels);
    return frame;
}

template <typename T>
void AppendPattern(ControlArray<T>& array, T* element, CellArray kind) {
    array.Append(element);
    if (kind != CellArray::lblMeter) {
        element->setAccessibleName(placement::CellAccessibleName(kind, 0));
    }
}

}  // namespace

MainWindow::MainWindow(Platform& platform) : work_(platform) {
    // The folder is named when it is not the executable's own, as "Corvale[*] — ~/Poems".
    const QString folder = platform.FolderInTitle();
    setWindowTitle(folder.isEmpty() ? QStringLiteral("Corvale[*]")
                                    : QStringLiteral("Corvale[*] \u2014 %1").arg(folder));
    grid_.area = new QWidget(this);
    grid_.area->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(grid_.area);
    setWindowIcon(CorvaleIcon());
    work_.OnModifiedChanged([this] {
        setWindowModified(work_.IsModified());
        if (overview_) {
            overview_->Model().ChangedMarksMayDiffer();
        }
    });
    cellFocus_ = std::make_unique<CellFocus>(grid_, work_);
    SyllableEditing::Host& host = *this;
    syllableEditing_ = std::make_unique<SyllableEditing>(grid_, work_, *cellFocus_, host);
    lineUndo_ = std::make_unique<LineUndo>(grid_, work_, *cellFocus_, *syllableEditing_);
    CreateFixedControls();
    CreatePatternElements();
    cellKeys_ =
        std::make_unique<CellKeys>(grid_, *cellFocus_, *syllableEditing_, keyMap_, *mnuUndo);
    cellKeys_->KeepEditingKeys(grid_.txtComment, true);
    cellKeys_->KeepEditingKeys(grid_.txtGoto, false);
    cellKeys_->KeepEditingKeys(txtFileName, false);
    ConnectHandlers();
    // Every step, merge, undo and redo of the line on screen passes the undo stack.
    connect(&lineUndo_->Stack(), &QUndoStack::indexChanged, this, [this] { ShowMeterJudgement(); });
    // The designed size; start-up fits the window to the screen.
    resize(layout::ToPixels(layout::kDesignWidth),
           layout::ToPixels(layout::kDesignHeight) + menuBar()->sizeHint().height());
}

// The undo stack empties itself as it goes, after the meter it would have the line judged by.
// The syllable boxes outlive the store: the widget's own destructor closes the window, which
// moves the focus out of a box and has its validator read the file's encoding, so the
// validators go first.
MainWindow::~MainWindow() {
    disconnect(&lineUndo_->Stack(), nullptr, this, nullptr);
    for (std::int32_t i = 1; i <= grid_.txtSyllables.Count(); ++i) {
        grid_.txtSyllables(i)->setValidator(nullptr);
    }
}

void MainWindow::CreateFixedControls() {
    QWidget* area = grid_.area;
    const QFont heading = placement::SansSerif(kHeadingPoints);

    lblText = MakeLabel<QLabel>(area, "lblText", QStringLiteral("Text of current line"),
                                {600, 0, 9735, 375});
    lblText->setFont(heading);
    lblTextNextLine = MakeLabel<QLabel>(
        area, "lblTextNextLine", QStringLiteral("Text of the next line"), {600, 480, 9855, 375});
    // Created after the two labels, so it lies over their right ends.
    cmdAlsoSave = MakeButton(area, "cmdAlsoSave", QStringLiteral("Save changes to this line"),
                             {7920, 0, 2775, 735});
    Label1 = MakeLabel<QLabel>(area, "Label1", QStringLiteral("Merge:"), {0, 1800, 735, 255});
    grid_.Label2 =
        MakeLabel<ClickableLabel>(area, "Label2", QStringLiteral("Stress"), {600, 2280, 975, 375});
    grid_.Label2->setFont(heading);
    grid_.Label3 = MakeLabel<ClickableLabel>(area, "Label3", QStringLiteral("Juncture"),
                                             {600, 4200, 1335, 375});
    grid_.Label3->setFont(heading);
    Label4 = MakeLabel<QLabel>(area, "Label4", QStringLiteral("Comment (optional):"),
                               {0, 6000, 2295, 375});
    Label4->setFont(heading);
    // In the free band right of the comment's heading.
    lblMeterStatus = MakeLabel<QLabel>(area, "lblMeterStatus", QString(), {2400, 6000, 8295, 375});
    lblMeterStatus->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    grid_.txtComment = new QPlainTextEdit(area);
    grid_.txtComment->setObjectName(QStringLiteral("txtComment"));
    grid_.txtComment->setAccessibleName(QStringLiteral("Comment"));
    // Return starts a new line of the comment; Tab moves on.
    grid_.txtComment->setTabChangesFocus(true);
    Place(grid_.txtComment, {0, 6480, 10695, 615});

    cmdOk = MakeButton(area, "cmdOk", QStringLiteral("Save changes to this line"),
                       {0, 7200, 10695, 615});
    CreateBottomRow(area);

    CreateMenus();
}

// The file name, the position in the file and the row of navigation buttons.
void MainWindow::CreateBottomRow(QWidget* area) {
    Label5 = MakeLabel<QLabel>(area, "Label5", QStringLiteral("File:"), {120, 8160, 375, 255});
    txtFileName = MakeTextBox(area, "txtFileName", QStringLiteral("Text1"), {480, 8040, 4455, 375});
    txtFileName->setAccessibleName(QStringLiteral("File name"));
    Line1 = MakeLine(area, "Line1", {0, 7920, 5040, 0}, QFrame::HLine);
    Line2 = MakeLine(area, "Line2", {5040, 7920, 0, 600}, QFrame::VLine);
    lblProgress = MakeLabel<QLabel>(area, "lblProgress", QStringLiteral("Label5"),
                                    {5160, 7920, 975, 375}, Qt::AlignHCenter);
    grid_.txtGoto =
        MakeTextBox(area, "txtGoto", QString(), {6240, 7800, 975, 375}, Qt::AlignHCenter);
    grid_.txtGoto->setAccessibleName(QStringLiteral("Go to line"));
    cmdGoTo = MakeButton(area, "cmdGoTo", QStringLiteral("go to #"), {7200, 7800, 975, 375});
    cmdBackOne = MakeButton(area, "cmdBackOne", QStringLiteral("<"), {8160, 7800, 495, 375});
    cmdBackOne->setAccessibleName(QStringLiteral("Back one line"));
    cmdAheadOne = MakeButton(area, "cmdAheadOne", QStringLiteral(">"), {8640, 7800, 495, 375});
    cmdAheadOne->setAccessibleName(QStringLiteral("Ahead one line"));
    cmdUndo = MakeButton(area, "cmdUndo", QStringLiteral("Redo"), {9120, 7800, 855, 375});
    cmdQuit = MakeButton(area, "cmdQuit", QStringLiteral("Exit"), {9960, 7800, 855, 375});
}

void MainWindow::CreatePatternElements() {
    QWidget* area = grid_.area;
    auto designed = [](CellArray kind) { return layout::DesignedElement0(kind); };

    auto* meter =
        MakeLabel<QLabel>(area, "", QString(), designed(CellArray::lblMeter), Qt::AlignHCenter);
    meter->setFont(placement::SansSerif(kHeadingPoints));
    AppendPattern(grid_.lblMeter, meter, CellArray::lblMeter);

    auto* syllable =
        MakeTextBox(area, "", QString(), designed(CellArray::txtSyllables), Qt::AlignHCenter);
    syllable->setFont(placement::SansSerif(kSyllablePoints));
    AppendPattern(grid_.txtSyllables, syllable, CellArray::txtSyllables);

    const QString down = QStringLiteral("v");
    const QString up = QStringLiteral("^");
    AppendPattern(grid_.cmdMerge, MakeButton(area, "", down, designed(CellArray::cmdMerge)),
                  CellArray::cmdMerge);
    AppendPattern(
        grid_.txtStress,
        MakeTextBox(area, "", QString(), designed(CellArray::txtStress), Qt::AlignHCenter),
        CellArray::txtStress);
    AppendPattern(grid_.cmdStressUp, MakeButton(area, "", up, designed(CellArray::cmdStressUp)),
                  CellArray::cmdStressUp);
    AppendPattern(grid_.cmdStressDown,
                  MakeButton(area, "", down, designed(CellArray::cmdStressDown)),
                  CellArray::cmdStressDown);
    AppendPattern(
        grid_.txtJuncture,
        MakeTextBox(area, "", QString(), designed(CellArray::txtJuncture), Qt::AlignHCenter),
        CellArray::txtJuncture);
    AppendPattern(grid_.cmdJunctureUp, MakeButton(area, "", up, designed(CellArray::cmdJunctureUp)),
                  CellArray::cmdJunctureUp);
    AppendPattern(grid_.cmdJunctureDown,
                  MakeButton(area, "", down, designed(CellArray::cmdJunctureDown)),
                  CellArray::cmdJunctureDown);
}

void MainWindow::ConnectHandlers() {
    ConnectCommandButtons();
    connect(cmdGoTo, &QPushButton::clicked, this, [this] { Run([this] { cmdGoTo_Click(); }); });
    connect(grid_.txtGoto, &QLineEdit::returnPressed, this,
            [this] { Run([this] { txtGoto_ReturnPressed(); }); });
    connect(grid_.Label2, &ClickableLabel::clicked, this,
            [this] { Run([this] { Label2_Click(); }); });
    connect(grid_.Label3, &ClickableLabel::clicked, this,
            [this] { Run([this] { Label3_Click(); }); });
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
        Run([this, &mayClose] { mayClose = work_.QueryClose(); });
    }
    if (mayClose || work_.GetPlatform().HasEnded()) {
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
    cellFocus_->OrderTabs({grid_.txtComment, cmdOk, grid_.txtGoto, cmdGoTo, cmdBackOne, cmdAheadOne,
                           cmdUndo, cmdQuit, txtFileName, cmdAlsoSave});
}

void MainWindow::ConnectColumn(std::int32_t i) {
    const auto index = static_cast<std::int16_t>(i);
    auto onClick = [this, index](QPushButton* button, void (MainWindow::*handler)(std::int16_t)) {
        connect(button, &QPushButton::clicked, this, [this, handler, index] {
            Run([this, handler, index] { (this->*handler)(index); });
        });
    };
    onClick(grid_.cmdMerge(i), &MainWindow::cmdMerge_Click);
    onClick(grid_.cmdStressUp(i), &MainWindow::cmdStressUp_Click);
    onClick(grid_.cmdStressDown(i), &MainWindow::cmdStressDown_Click);
    onClick(grid_.cmdJunctureUp(i), &MainWindow::cmdJunctureUp_Click);
    onClick(grid_.cmdJunctureDown(i), &MainWindow::cmdJunctureDown_Click);
}

}  // namespace corvale
