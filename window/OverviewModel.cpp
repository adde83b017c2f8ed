#include "window/OverviewModel.h"

#include "navigation/MeterSearch.h"
#include "platform/TextCodec.h"
#include "scansion/Document.h"

#include <algorithm>

namespace corvale {

namespace {

QString Lines(std::int32_t count) {
    return count == 1 ? QStringLiteral("1 verse line")
                      : QStringLiteral("%1 verse lines").arg(count);
}

}  // namespace

OverviewModel::OverviewModel(const Document& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {}

void OverviewModel::Judge(const meter::Meters& meters, meter::Strictness strictness) {
    beginResetModel();
    meters_ = meters;
    strictness_ = strictness;
    verdicts_ = navigation::JudgeEveryLine(document_.GetStore(), meters_, strictness_);
    offLines_ = static_cast<std::int32_t>(
        std::count_if(verdicts_.cbegin(), verdicts_.cend(),
                      [](const meter::LineVerdict& v) { return v.verdict.IsOff(); }));
    endResetModel();
    emit summaryChanged();
}

void OverviewModel::LineCommitted(std::int32_t j) {
    const int row = RowOfLine(j);
    if (row < 0 || row >= rowCount()) {
        return;
    }
    meter::ShownLine line;
    line.Read(document_.GetStore(), j);
    meter::LineVerdict& verdict = verdicts_[static_cast<std::size_t>(j)];
    offLines_ -= verdict.verdict.IsOff() ? 1 : 0;
    verdict = meter::JudgeByItsMeter(meters_, line, strictness_);
    offLines_ += verdict.verdict.IsOff() ? 1 : 0;
    emit dataChanged(index(row, 0), index(row, kColumns - 1));
    emit summaryChanged();
}

void OverviewModel::ChangedMarksMayDiffer() {
    if (rowCount() > 0) {
        emit dataChanged(index(0, kChanged), index(rowCount() - 1, kChanged));
    }
    emit summaryChanged();
}

bool OverviewModel::IsOff(int row) const {
    return row >= 0 && row < rowCount() &&
           verdicts_[static_cast<std::size_t>(row) + 1].verdict.IsOff();
}

QString OverviewModel::Summary() const {
    const QString changed = QStringLiteral("%1 changed").arg(document_.ChangedLineCount());
    if (meters_.Main().IsEmpty()) {
        return QStringLiteral("%1, %2").arg(Lines(rowCount()), changed);
    }
    return QStringLiteral("%1 of %2 off the meter, %3")
        .arg(offLines_)
        .arg(Lines(rowCount()), changed);
}

int OverviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || verdicts_.empty() ? 0 : static_cast<int>(verdicts_.size()) - 1;
}

int OverviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant OverviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const std::int32_t line = LineOfRow(index.row());
    switch (role) {
        case Qt::DisplayRole:
            return Display(line, index.column());
        case Qt::ToolTipRole:
            // The list may cut a long text or verdict short.
            return index.column() == kText || index.column() == kMeter
                       ? Display(line, index.column())
                       : QVariant();
        case Qt::TextAlignmentRole:
            return index.column() == kNumber
                       ? QVariant(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter))
                       : QVariant();
        default:
            return {};
    }
}

QVariant OverviewModel::Display(std::int32_t line, int column) const {
    switch (column) {
        case kNumber:
            return line;
        case kText:
            return Decode(document_.LineText(line), document_.TextEncoding());
        case kMeter: {
            const meter::LineVerdict& verdict = verdicts_[static_cast<std::size_t>(line)];
            return QString::fromStdString(
                meter::StatusText(verdict.verdict, verdict.meter, meters_.Count()));
        }
        case kChanged:
            return document_.IsLineChanged(line) ? QStringLiteral("changed") : QString();
        default:
            return {};
    }
}

QVariant OverviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
        case kNumber:
            return QStringLiteral("#");
        case kText:
            return QStringLiteral("Line");
        case kMeter:
            return QStringLiteral("Meter");
        case kChanged:
            return QStringLiteral("Changed");
        default:
            return {};
    }
}

}  // namespace corvale
