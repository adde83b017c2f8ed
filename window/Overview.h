#pragma once

// The overview of the whole poem (View menu, F9): a dock at the window's right listing every
// verse line with how far it is off the meter and whether it was changed, a summary on top and
// a filter for the lines off the meter. The list keeps its own keys: the arrows, Page Up and
// Page Down, Home and End (with or without Ctrl) move its selection only; Return or a click
// chooses a line, which the window then shows. The line on screen is selected and kept in
// view. The dock can be closed but never floats, so the window's keys keep working in it.

#include "window/OverviewModel.h"

#include <QDockWidget>
#include <QSortFilterProxyModel>
#include <QTreeView>

#include <cstdint>

class QCheckBox;
class QCloseEvent;
class QKeyEvent;
class QResizeEvent;
class QLabel;

namespace corvale {

class Document;

// Rows of every line, or only of the lines off the meter.
class OffTheMeterFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void SetOnlyOff(bool only);
    bool OnlyOff() const { return onlyOff_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    bool onlyOff_ = false;
};

// The list itself: Return and Enter choose the selected line.
class OverviewList : public QTreeView {
    Q_OBJECT

public:
    using QTreeView::QTreeView;

signals:
    void chosen(const QModelIndex& index);
    void resized();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

class Overview : public QDockWidget {
    Q_OBJECT

public:
    Overview(const Document& document, QWidget* parent);

    OverviewModel& Model() { return *model_; }
    OverviewList& List() { return *list_; }
    QLabel& SummaryLabel() { return *summary_; }
    QCheckBox& OnlyOffBox() { return *onlyOff_; }
    // Selects verse line `line` and scrolls it into view; with the line not listed (row 0, or
    // filtered out) nothing is selected.
    void ShowLine(std::int32_t line);

signals:
    // The user chose verse line `line` with Return or a click.
    void lineChosen(std::int32_t line);
    // The user closed the dock.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Choose(const QModelIndex& index);
    void SizeColumns();
    void FitMeterColumn();

    OverviewModel* model_ = nullptr;
    OffTheMeterFilter* filter_ = nullptr;
    OverviewList* list_ = nullptr;
    QLabel* summary_ = nullptr;
    QCheckBox* onlyOff_ = nullptr;
    std::int32_t shownLine_ = 0;
    int meterWidth_ = 0;  // what the longest judgement needs
};

}  // namespace corvale
