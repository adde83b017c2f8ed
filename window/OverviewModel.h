#pragma once

// The overview's rows: every verse line of the store with its number, its text, how far it is
// off its own meter (naming that meter when the file has several), and whether it was changed
// since the file was loaded or saved. Verdicts are
// kept for every line (a few bytes each) and judged from the store's committed values; texts
// are read from the store only for the rows on screen, so a file of 100,000 lines opens at
// once. The number of rows is fixed when the lines are judged, never read from the store in
// between, so a store being replaced by a file switch cannot disagree with the view.

#include "meter/LineMeter.h"
#include "meter/MeterCheck.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

namespace corvale {

class Document;

class OverviewModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kNumber, kText, kMeter, kChanged, kColumns };

    explicit OverviewModel(const Document& document, QObject* parent = nullptr);

    // Every verse line of the store, judged afresh: the model starts over.
    void Judge(const meter::Meters& meters, meter::Strictness strictness);
    // Verse line j was committed with a change: its row is judged again.
    void LineCommitted(std::int32_t j);
    // The changed marks may all differ now (a save clears them).
    void ChangedMarksMayDiffer();

    // Row r shows verse line r + 1.
    static std::int32_t LineOfRow(int row) { return row + 1; }
    static int RowOfLine(std::int32_t line) { return line - 1; }
    bool IsOff(int row) const;
    // For example "37 of 154 verse lines off the meter, 12 changed".
    QString Summary() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void summaryChanged();

private:
    QVariant Display(std::int32_t line, int column) const;

    const Document& document_;
    meter::Meters meters_;
    meter::Strictness strictness_ = meter::Strictness::StressMaxima;
    std::vector<meter::LineVerdict> verdicts_;  // by line, 0..lines; 0 is no verse line
    std::int32_t offLines_ = 0;
};

}  // namespace corvale
