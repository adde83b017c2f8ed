#include "window/ShortcutsWindow.h"

#include "window/Actions.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvale {

namespace {

enum Column { kKeys, kWhat, kWhere, kColumns };

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

ShortcutsWindow::ShortcutsWindow(const KeyMap& keys, QWidget* parent)
    : QDialog(parent), keys_(keys) {
    setObjectName(QStringLiteral("ShortcutsWindow"));
    setWindowTitle(QStringLiteral("Keyboard shortcuts"));
    setAccessibleName(windowTitle());
    setModal(false);

    table_ = new QTableWidget(0, kColumns, this);
    table_->setObjectName(QStringLiteral("ShortcutsTable"));
    table_->setAccessibleName(QStringLiteral("Keys of the Corvale window"));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Keys"), QStringLiteral("What they do"), QStringLiteral("Where")});
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons_);
    Refresh();
}

void ShortcutsWindow::Refresh() {
    const auto& entries = keys_.Entries();
    table_->setRowCount(static_cast<int>(entries.size()));
    int row = 0;
    for (const KeyMap::Entry& entry : entries) {
        table_->setItem(row, kKeys, Cell(KeyText(*entry.action)));
        table_->setItem(row, kWhat, Cell(entry.action->toolTip()));
        table_->setItem(row, kWhere, Cell(entry.where));
        ++row;
    }
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
    // Big enough to show every row whole, as far as the screen allows.
    const int frame = 2 * table_->frameWidth();
    const QSize rows(
        table_->horizontalHeader()->length() + frame + 24,
        table_->horizontalHeader()->height() + table_->verticalHeader()->length() + frame + 4);
    const QMargins margins = layout()->contentsMargins();
    QSize wanted(rows.width() + margins.left() + margins.right(),
                 rows.height() + buttons_->sizeHint().height() + layout()->spacing() +
                     margins.top() + margins.bottom());
    if (const QScreen* shown = screen()) {
        wanted = wanted.boundedTo(shown->availableGeometry().size() * 9 / 10);
    }
    resize(wanted);
}

}  // namespace corvale
