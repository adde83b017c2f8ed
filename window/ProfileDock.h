#pragma once

// The verse's profile (View menu, F10): a dock at the window's right with the stress profile as a
// chart and below it a table of the same figures and of the file's. The profile is counted when
// the dock opens and whenever the file or its meter changes, and kept by the line watcher the
// window registers with the document (Profile()), so a commit moves it by one line. Edits to the
// line on screen never reach it. A click on a place's bar, or Return on its row of the table,
// chooses the place; the table keeps the list keys and copies its selection with Ctrl+C.

#include "analysis/Profile.h"
#include "window/ProfileModel.h"

#include <QDockWidget>
#include <QTableView>

#include <cstdint>
#include <optional>
#include <string>

class QCloseEvent;
class QKeyEvent;
class QResizeEvent;
class QSplitter;

namespace corvale {

class ProfileChart;
class Document;

class ProfileTable : public QTableView {
    Q_OBJECT

public:
    using QTableView::QTableView;

signals:
    // Return or Enter on a row.
    void chosen(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The selected cells as tab-separated rows, on the clipboard.
    void CopySelection();
};

class ProfileDock : public QDockWidget {
    Q_OBJECT

public:
    ProfileDock(const Document& document, QWidget* parent);

    analysis::Profile& Profile() { return profile_; }
    ProfileChart& Chart() { return *chart_; }
    ProfileTable& Table() { return *table_; }
    ProfileModel& Model() { return *model_; }

    // Counts every line afresh under this meter (its file's first row, `meterLine`).
    void Recount(const meter::Meter& meter, const std::string& meterLine,
                 meter::Strictness strictness);
    // Shows the counts as they stand, the lines that fit judged under `strictness`.
    void Redraw(meter::Strictness strictness);

    // A PNG is this many pixels wide unless the user chooses otherwise, whatever the dock's size:
    // wide enough for print.
    static constexpr int kPictureWidth = 1600;
    // The width typed for a PNG, a whole number of pixels from 400 to 8000; none for anything
    // else.
    static std::optional<int> PictureWidth(const QString& typed);

    // Writes the chart as SVG or as a PNG `pictureWidth` pixels wide, or the figures as CSV, by
    // the name's extension (in any case). The chart is drawn afresh at a size of its own, never
    // the dock's, and the SVG carries its title. Empty when written; otherwise why not, for a
    // message.
    QString SaveAs(const QString& path, meter::Strictness strictness,
                   int pictureWidth = kPictureWidth) const;

signals:
    void placeChosen(std::int32_t place);
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Until the user moves the splitter, the chart takes three fifths of the height.
    void resizeEvent(QResizeEvent* event) override;

private:
    void Choose(const QModelIndex& index);
    // The figure rows' label and value span their columns; remade when the rows are.
    void SpanFigureRows();
    void SizeColumns();

    const Document& document_;
    analysis::Profile profile_;
    std::string meterLine_;
    QSplitter* content_ = nullptr;
    bool splitByUser_ = false;
    ProfileChart* chart_ = nullptr;
    ProfileTable* table_ = nullptr;
    ProfileModel* model_ = nullptr;
};

}  // namespace corvale
