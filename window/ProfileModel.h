#pragma once

// The profile's table: a row per meter place (its number, its symbol, then the five figures, each
// a count and a share, with its count and base in a tooltip), then a row per figure of the file
// (its label in the first column, its value under the third figure).

#include "analysis/Profile.h"
#include "analysis/ProfileReport.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

namespace corvale {

class ProfileModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        kPlace,
        kSymbol,
        kFirstFigure,
        kColumns = kFirstFigure + analysis::kPlaceFigures
    };
    // A row of the file's figures has its label from kPlace and its value from here on.
    static constexpr int kFigureValue = kFirstFigure + 2;

    using QAbstractTableModel::QAbstractTableModel;

    // Shows these figures: rows are remade when the number of places changes, and otherwise
    // changed in place.
    void Show(analysis::NamedProfile profile, meter::Strictness strictness);
    const analysis::NamedProfile& Shown() const { return profile_; }

    std::int32_t Places() const { return static_cast<std::int32_t>(profile_.counts.places.size()); }
    // The place row `row` shows, or 0 for a row of the file's figures.
    std::int32_t PlaceOfRow(int row) const { return row < Places() ? row + 1 : 0; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVariant PlaceCell(std::int32_t place, int column, int role) const;
    QVariant FigureCell(std::size_t figure, int column, int role) const;

    analysis::NamedProfile profile_;
    std::vector<analysis::FileFigure> figures_;
};

}  // namespace corvale
