#include "window/Overview.h"

#include "window/ChoosingKey.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace corvale {

void OffTheMeterFilter::SetOnlyOff(bool only) {
    if (onlyOff_ != only) {
        onlyOff_ = only;
        invalidateFilter();
    }
}

bool OffTheMeterFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return !onlyOff_ || static_cast<const OverviewModel*>(sourceModel())->IsOff(sourceRow);
}

void OverviewList::keyPressEvent(QKeyEvent* event) {
    if (IsChoosingKey(*event) && currentIndex().isValid()) {
        emit chosen(currentIndex());
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void OverviewList::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    emit resized();
}

Overview::Overview(const Document& document, QWidget* parent) : QDockWidget(parent) {
    setObjectName(QStringLiteral("Overview"));
    setWindowTitle(QStringLiteral("Overview"));
    setFeatures(QDockWidget::DockWidgetClosable);
    setAllowedAreas(Qt::RightDockWidgetArea);

    auto* content = new QWidget(this);
    summary_ = new QLabel(content);
    summary_->setObjectName(QStringLiteral("overviewSummaryLabel"));
    summary_->setTextFormat(Qt::PlainText);
    // Wrapped, so that on a small or scaled screen the dock may be narrower than its sentence.
    summary_->setWordWrap(true);
    onlyOff_ = new QCheckBox(QStringLiteral("Only lines off the meter"), content);
    onlyOff_->setObjectName(QStringLiteral("chkOnlyOffTheMeter"));

    model_ = new OverviewModel(document, this);
    filter_ = new OffTheMeterFilter(this);
    filter_->setSourceModel(model_);
    list_ = new OverviewList(content);
    list_->setObjectName(QStringLiteral("lstOverview"));
    list_->setAccessibleName(QStringLiteral("Verse lines and how they keep to the meter"));
    list_->setModel(filter_);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setTextElideMode(Qt::ElideRight);
    SizeColumns();
    connect(list_, &OverviewList::resized, this, &Overview::FitMeterColumn);

    auto* layout = new QVBoxLayout(content);
    layout->addWidget(summary_);
    layout->addWidget(onlyOff_);
    layout->addWidget(list_);
    setWidget(content);

    connect(model_, &OverviewModel::summaryChanged, this,
            [this] { summary_->setText(model_->Summary()); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        SizeColumns();
        ShowLine(shownLine_);
    });
    connect(onlyOff_, &QCheckBox::toggled, this, [this](bool only) {
        filter_->SetOnlyOff(only);
        ShowLine(shownLine_);
    });
    connect(list_, &OverviewList::chosen, this, &Overview::Choose);
    connect(list_, &QAbstractItemView::clicked, this, &Overview::Choose);
}

void Overview::ShowLine(std::int32_t line) {
    shownLine_ = line;
    const QModelIndex index =
        filter_->mapFromSource(model_->index(OverviewModel::RowOfLine(line), 0));
    if (!index.isValid()) {
        list_->selectionModel()->clearSelection();
        return;
    }
    list_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list_->scrollTo(index);
}

void Overview::Choose(const QModelIndex& index) {
    if (index.isValid()) {
        emit lineChosen(OverviewModel::LineOfRow(filter_->mapToSource(index).row()));
    }
}

// Widths from the font, never from the rows, which would read every line's text.
void Overview::SizeColumns() {
    QHeaderView* header = list_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(OverviewModel::kText, QHeaderView::Stretch);
    const QFontMetrics metrics = list_->fontMetrics();
    const int padding = 3 * metrics.averageCharWidth();
    const int digits = std::max<int>(2, QString::number(model_->rowCount()).size());
    header->resizeSection(OverviewModel::kNumber,
                          metrics.horizontalAdvance(QString(digits, u'0')) + padding);
    meterWidth_ =
        metrics.horizontalAdvance(QStringLiteral("1 place off the meter, 1 syllable too many")) +
        padding;
    header->resizeSection(OverviewModel::kChanged,
                          metrics.horizontalAdvance(QStringLiteral("Changed")) + padding);
    FitMeterColumn();
}

// In a narrow dock the judgement gives up width before the verse does: it never takes more
// than half of what the number and the changed mark leave, so the line's text stays readable.
void Overview::FitMeterColumn() {
    QHeaderView* header = list_->header();
    const int room = list_->viewport()->width() - header->sectionSize(OverviewModel::kNumber) -
                     header->sectionSize(OverviewModel::kChanged);
    header->resizeSection(OverviewModel::kMeter, std::max(1, std::min(room / 2, meterWidth_)));
}

void Overview::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    if (event->isAccepted()) {
        emit closed();
    }
}

}  // namespace corvale
