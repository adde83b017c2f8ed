#include "window/ShortcutsWindow.h"

#include "window/Actions.h"
#include "window/ValuesMeaning.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>

#include <QVBoxLayout>
#include <algorithm>

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
    // On a narrow screen what a key does wraps, so that where it works stays in sight.
    table_->setWordWrap(true);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(kKeys, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(kWhat, QHeaderView::Stretch);
    header->setSectionResizeMode(kWhere, QHeaderView::ResizeToContents);
    // Every row keeps the height its wrapped text needs, whatever width the window takes;
    // rows resized only as a column changed were left a line short, cut with "...".
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    valuesHeading_ = new QLabel(ValuesMeaningHeading(), this);
    QFont bold = valuesHeading_->font();
    bold.setBold(true);
    valuesHeading_->setFont(bold);
    values_ = new QLabel(ValuesMeaning().join(QStringLiteral("\n\n")), this);
    values_->setObjectName(QStringLiteral("valuesMeaning"));
    for (QLabel* label : {valuesHeading_, values_}) {
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    values_->setWordWrap(true);
    values_->setAccessibleName(ValuesMeaningHeading());

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::close);

    // On a short screen the explanations scroll and the keys keep most of the height; the
    // splitter lets the reader give either more.
    auto* valuesPage = new QWidget;
    auto* valuesLayout = new QVBoxLayout(valuesPage);
    valuesLayout->setContentsMargins(0, 0, 0, 0);
    valuesLayout->addWidget(valuesHeading_);
    valuesLayout->addWidget(values_);
    valuesLayout->addStretch();
    valuesArea_ = new QScrollArea;
    valuesArea_->setObjectName(QStringLiteral("valuesArea"));
    valuesArea_->setWidget(valuesPage);
    valuesArea_->setWidgetResizable(true);
    valuesArea_->setFrameShape(QFrame::NoFrame);
    valuesArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(table_);
    splitter_->addWidget(valuesArea_);
    splitter_->setStretchFactor(0, 3);
    splitter_->setStretchFactor(1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter_, 1);
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
    table_->resizeRowsToContents();
    // Big enough to show every row whole on one line, as far as the screen allows.
    int natural = 0;
    const QAbstractItemView& view = *table_;  // QTableView hides the hint it gives as a view
    for (int column = 0; column < kColumns; ++column) {
        natural += std::max(view.sizeHintForColumn(column),
                            table_->horizontalHeader()->sectionSizeHint(column));
    }
    const int frame = 2 * table_->frameWidth();
    const QSize rows(natural + frame + 24, table_->horizontalHeader()->height() +
                                               table_->verticalHeader()->length() + frame + 4);
    const QMargins margins = layout()->contentsMargins();
    const int width = rows.width() + margins.left() + margins.right();
    const int values = valuesHeading_->sizeHint().height() + values_->heightForWidth(rows.width()) +
                       2 * layout()->spacing();
    const int around = buttons_->sizeHint().height() + layout()->spacing() +
                       splitter_->handleWidth() + margins.top() + margins.bottom();
    QSize wanted(width, rows.height() + values + around);
    if (const QScreen* shown = screen()) {
        wanted = wanted.boundedTo(shown->availableGeometry().size() * 9 / 10);
    }
    resize(wanted);
    // Where not everything fits, the explanations get at most two fifths of the height.
    const int room = wanted.height() - around;
    const int valuesShare = std::min(values, room * 2 / 5);
    splitter_->setSizes({room - valuesShare, valuesShare});
}

QString ShortcutsWindow::ValuesText() const {
    return valuesHeading_->text() + QStringLiteral("\n\n") + values_->text();
}

}  // namespace corvale
