#include "window/ProfileModel.h"

namespace corvale {

namespace {

// A long list of lines of another length would make the row taller than the table.
constexpr std::size_t kMostListed = 20;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void ProfileModel::Show(analysis::NamedProfile profile, meter::Strictness strictness) {
    const bool samePlaces = profile.counts.places.size() == profile_.counts.places.size() &&
                            profile.symbols == profile_.symbols;
    if (!samePlaces) {
        beginResetModel();
    }
    profile_ = std::move(profile);
    figures_ = analysis::FileFigures(profile_, strictness, kMostListed);
    if (!samePlaces) {
        endResetModel();
    } else if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
    }
}

int ProfileModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Places() + static_cast<int>(figures_.size());
}

int ProfileModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ProfileModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (const std::int32_t place = PlaceOfRow(index.row()); place > 0) {
        return PlaceCell(place, index.column(), role);
    }
    return FigureCell(static_cast<std::size_t>(index.row() - Places()), index.column(), role);
}

QVariant ProfileModel::PlaceCell(std::int32_t place, int column, int role) const {
    const analysis::PlaceCounts& counts =
        profile_.counts.places[static_cast<std::size_t>(place) - 1];
    const auto figure = static_cast<analysis::PlaceFigure>(column - kFirstFigure);
    switch (role) {
        case Qt::DisplayRole:
            if (column == kPlace) {
                return place;
            }
            if (column == kSymbol) {
                return static_cast<std::size_t>(place) <= profile_.symbols.size()
                           ? FromUtf8(profile_.symbols[static_cast<std::size_t>(place) - 1])
                           : QString();
            }
            return FromUtf8(analysis::CountAndPercent(counts.Of(figure), counts.lines));
        case Qt::ToolTipRole:
            return column >= kFirstFigure ? FromUtf8(analysis::FigureTip(place, figure, counts))
                                          : QVariant();
        case Qt::TextAlignmentRole:
            return column == kSymbol ? QVariant()
                                     : QVariant(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        default:
            return {};
    }
}

QVariant ProfileModel::FigureCell(std::size_t figure, int column, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    if (column == kPlace) {
        return FromUtf8(figures_[figure].label);
    }
    return column == kFigureValue ? FromUtf8(figures_[figure].value) : QVariant();
}

QVariant ProfileModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
        case kPlace:
            return QStringLiteral("place");
        case kSymbol:
            return QStringLiteral("meter");
        default: {
            const std::string_view heading =
                analysis::NameOf(static_cast<analysis::PlaceFigure>(section - kFirstFigure))
                    .heading;
            return QString::fromUtf8(heading.data(), static_cast<qsizetype>(heading.size()));
        }
    }
}

}  // namespace corvale
