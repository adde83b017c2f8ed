#pragma once

// The verse's profile (View menu, F10): a dock at the window's right with the stress profile as a
// chart and below it a table of the same figures and of the file's. A file of several meters has
// a profile per meter, each of the lines measured against that meter (analysis/Profile.h), and a
// selector above the chart picks the one shown. The profiles are counted when the dock opens and
// whenever the file or its meters change, and kept by the line watcher the window registers with
// the document (Watcher()), so a commit moves them by one line. Edits to the line on screen never
// reach them. A click on a place's bar, or Return on its row of the table, chooses the place of
// the meter shown; the table keeps the list keys and copies its selection with Ctrl+C.

#include "analysis/Profile.h"
#include "scansion/DocumentWatcher.h"
#include "scansion/MeterFile.h"
#include "window/ProfileModel.h"

#include <QDockWidget>
#include <QTableView>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QCloseEvent;
class QComboBox;
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

class ProfileDock : public QDockWidget, private DocumentWatcher {
    Q_OBJECT

public:
    ProfileDock(const Document& document, QWidget* parent);

    // Keeps every meter's profile through the document's changes.
    DocumentWatcher& Watcher() { return *this; }
    ProfileChart& Chart() { return *chart_; }
    ProfileTable& Table() { return *table_; }
    ProfileModel& Model() { return *model_; }
    // Which meter's profile is shown, 1..MeterCount(); the selector is hidden while there is one.
    QComboBox& MeterChoice() { return *meterChoice_; }
    std::int32_t MeterNumber() const;
    std::int32_t MeterCount() const { return static_cast<std::int32_t>(profiles_.size()); }

    // Counts every line afresh, each under its own of these meters, the file's `rows` (Document::
    // Meters). The meter shown stays while the file has it, else it is the main meter.
    void Recount(const meter::Meters& meters, const std::vector<MeterFileRow>& rows,
                 meter::Strictness strictness);
    // Shows the counts of the meter chosen as they stand, the lines that fit judged under
    // `strictness`.
    void Redraw(meter::Strictness strictness);
    // Shows meter `number`'s profile, 1..MeterCount(); another number changes nothing.
    void ShowMeter(std::int32_t number);

    // A PNG is this many pixels wide unless the user chooses otherwise, whatever the dock's size:
    // wide enough for print.
    static constexpr int kPictureWidth = 1600;
    // The width typed for a PNG, a whole number of pixels from 400 to 8000; none for anything
    // else.
    static std::optional<int> PictureWidth(const QString& typed);

    // Writes the chart of the meter shown as SVG or as a PNG `pictureWidth` pixels wide, or the
    // figures of every meter as CSV (as corvale-profile --csv writes a file of several meters:
    // each meter's rows end in its number), by the name's extension (in any case). The chart is
    // drawn afresh at a size of its own, never the dock's, and the SVG carries its title. Empty
    // when written; otherwise why not, for a message.
    QString SaveAs(const QString& path, meter::Strictness strictness,
                   int pictureWidth = kPictureWidth) const;

signals:
    // A place of the meter shown.
    void placeChosen(std::int32_t place);
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Until the user moves the splitter, the chart takes three fifths of the height.
    void resizeEvent(QResizeEvent* event) override;

private:
    void LineChanging(const Store& store, std::int32_t j) override;
    void LineChanged(const Store& store, std::int32_t j) override;
    void Loaded(const Store& store) override;
    // The profile of meter `number` with its symbols and the file's name.
    analysis::NamedProfile Named(std::size_t index) const;
    void FillMeterChoice();
    void Choose(const QModelIndex& index);
    // The figure rows' label and value span their columns; remade when the rows are.
    void SpanFigureRows();
    void SizeColumns();

    const Document& document_;
    std::vector<analysis::Profile> profiles_;  // meter 1 first
    std::vector<MeterFileRow> rows_;           // their meter file's rows, in the same order
    meter::Strictness strictness_ = meter::Strictness::StressMaxima;
    QComboBox* meterChoice_ = nullptr;
    QSplitter* content_ = nullptr;
    bool splitByUser_ = false;
    ProfileChart* chart_ = nullptr;
    ProfileTable* table_ = nullptr;
    ProfileModel* model_ = nullptr;
};

}  // namespace corvale
