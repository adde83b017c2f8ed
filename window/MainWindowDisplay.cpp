#include "editor/EditRules.h"
#include "platform/TextCodec.h"
#include "scansion/Numbers.h"
#include "window/CellFocus.h"
#include "window/LineUndo.h"
#include "window/MainWindow.h"
#include "window/Overview.h"
#include "window/Placement.h"
#include "window/SyllableEditing.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <initializer_list>

namespace corvale {

namespace {

// In place of a verse line while no file is open: how to get one.
constexpr char kNoFileHint[] = "Scan a poem (Ctrl+Shift+O) or open a scansion file (Ctrl+O)";

Qt::Alignment ToQt(editor::CellAlignment alignment) {
    switch (alignment) {
        case editor::CellAlignment::Left:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case editor::CellAlignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case editor::CellAlignment::Centred:
            break;
    }
    return Qt::AlignHCenter | Qt::AlignVCenter;
}

// Every column of the document's positions exists and the working line covers it.
bool GridCoversLine(const Document& document, const editor::WorkingLine& line,
                    std::int32_t columns) {
    const std::int32_t m = document.Positions();
    return m >= 0 && columns >= m && line.Width() >= m;
}

// Prose wraps at its spaces. A run of text too long for any line breaks anywhere instead: laid
// out only at spaces, a hundred thousand characters without one take seconds to show.
QTextOption::WrapMode CommentWrap(const QString& comment) {
    constexpr qsizetype kLongestRun = 200;
    qsizetype run = 0;
    for (const QChar c : comment) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestRun) {
            return QTextOption::WrapAnywhere;
        }
    }
    return QTextOption::WordWrap;
}

}  // namespace

// A line outside the store, or a grid too narrow for it, would leave the screen half
// updated; such a call changes nothing. A line shown anew has no edits to undo, and a cell box
// that had the focus keeps it, or hands it to its nearest shown neighbour.
void MainWindow::ShowCurrentLine() {
    if (work_.CurrentLine() < 0 || work_.CurrentLine() > work_.Doc().NumberOfLines() ||
        grid_.Columns() < work_.Doc().Positions()) {
        return;
    }
    const CellFocus::Keeper keeper = cellFocus_->Keep();
    lineUndo_->Clear();
    const std::int32_t line = work_.CurrentLine();
    placement::SetCaption(lineTextLabel, work_.Doc().HasFile() ? Decode(work_.Doc().LineText(line),
                                                                        work_.Doc().TextEncoding())
                                                               : QString::fromLatin1(kNoFileHint));
    placement::SetCaption(progressLabel,
                          QStringLiteral("%1/%2").arg(line).arg(work_.Doc().NumberOfLines()));
    placement::SetCaption(nextLineTextLabel,
                          line < work_.Doc().NumberOfLines()
                              ? Decode(work_.Doc().LineText(line + 1), work_.Doc().TextEncoding())
                              : QString());

    const std::int32_t m = work_.Doc().Positions();
    const Encoding encoding = work_.Doc().TextEncoding();
    line_.Load(work_.Doc().GetStore(), line, m);
    for (std::int32_t i = 1; i <= m; ++i) {
        grid_.stressBoxes(i)->setText(Decode(line_.Stress(i), encoding));
        grid_.junctureBoxes(i)->setText(Decode(line_.Juncture(i), encoding));
    }
    AlignCellContents();
    DecideCellVisibility();
    const QString comment = Decode(work_.Doc().Comment(line), work_.Doc().TextEncoding());
    grid_.commentBox->setWordWrapMode(CommentWrap(comment));
    grid_.commentBox->setPlainText(comment);
    shownComment_ = grid_.commentBox->toPlainText();
    ShowMeterJudgement();
    if (OverviewDock() != nullptr) {
        OverviewDock()->ShowLine(line);
    }
    OfferDroppedChangesBack();
}

// A column is shown unless its syllable is blank. A merge joins column j with column j + 1, so
// it is offered only where the next column's look shows something.
void MainWindow::DecideCellVisibility() {
    if (!GridCoversLine(work_.Doc(), line_, grid_.Columns())) {
        return;
    }
    const std::int32_t m = work_.Doc().Positions();
    for (std::int32_t i = 1; i <= m; ++i) {
        const bool shown = !num::IsBlank(line_.Syllable(i));
        for (QWidget* control : std::initializer_list<QWidget*>{
                 grid_.syllableBoxes(i), grid_.stressBoxes(i), grid_.junctureBoxes(i),
                 grid_.junctureDownButtons(i), grid_.junctureUpButtons(i),
                 grid_.stressDownButtons(i), grid_.stressUpButtons(i)}) {
            control->setVisible(shown);
        }
        const bool nextShows = i < m && !num::IsBlank(line_.LookOf(i + 1).text);
        grid_.mergeButtons(i)->setVisible(nextShows);
    }
}

void MainWindow::AlignCellContents() {
    if (!GridCoversLine(work_.Doc(), line_, grid_.Columns())) {
        return;
    }
    const std::int32_t m = work_.Doc().Positions();
    for (std::int32_t i = 1; i <= m; ++i) {
        const editor::CellLook look = line_.LookOf(i);
        QLineEdit* box = grid_.syllableBoxes(i);
        syllableEditing_->ShowDisplayText(i, Decode(look.text, work_.Doc().TextEncoding()));
        if (box->alignment() != ToQt(look.alignment)) {
            box->setAlignment(ToQt(look.alignment));
        }
        if (box->font().bold() != look.bold) {
            QFont font = box->font();
            font.setBold(look.bold);
            box->setFont(font);
        }
    }
}

}  // namespace corvale
