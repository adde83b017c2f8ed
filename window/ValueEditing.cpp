#include "window/ValueEditing.h"

#include "editor/WorkingLine.h"
#include "platform/TextCodec.h"
#include "scansion/Document.h"
#include "scansion/MemorySettings.h"
#include "window/CellFocus.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>

namespace corvale {

namespace {

ValueRow RowOf(ValueBlock block) {
    return block == ValueBlock::Stress ? ValueRow::Stresses : ValueRow::Junctures;
}

}  // namespace

ValueEditing::ValueEditing(CellGrid& grid, editor::WorkingLine& line, const Document& document,
                           const MemorySettings& settings, const CellFocus& focus, Host& host)
    : grid_(grid),
      line_(line),
      document_(document),
      settings_(settings),
      focus_(focus),
      host_(host) {}

void ValueEditing::AddColumn(std::int32_t i) {
    grid_.stressBoxes(i)->installEventFilter(this);
    grid_.junctureBoxes(i)->installEventFilter(this);
}

QLineEdit* ValueEditing::BoxOf(const Editing& editing) const {
    return editing.block == ValueBlock::Stress ? grid_.stressBoxes(editing.column)
                                               : grid_.junctureBoxes(editing.column);
}

QString ValueEditing::ValueText(const Editing& editing) const {
    return Decode(line_.Value(RowOf(editing.block), editing.column), document_.TextEncoding());
}

bool ValueEditing::HasPendingTyping() const {
    return editing_ && editing_->column <= line_.Width() &&
           BoxOf(*editing_)->text() != ValueText(*editing_);
}

bool ValueEditing::RevertTyping() {
    if (!HasPendingTyping()) {
        return false;
    }
    BoxOf(*editing_)->setText(ValueText(*editing_));
    BoxOf(*editing_)->selectAll();
    return true;
}

bool ValueEditing::Take() {
    if (!editing_ || editing_->column > line_.Width()) {
        return true;
    }
    QLineEdit* box = BoxOf(*editing_);
    const ValueRow row = RowOf(editing_->block);
    const std::string before(line_.Value(row, editing_->column));
    const editor::TypedValue typed = editor::TakeTypedValue(
        row, box->text(), before, document_.TextEncoding(), settings_.Bounds());
    switch (typed.verdict) {
        case editor::TypedValue::Verdict::Refused:
            box->setText(ValueText(*editing_));
            box->selectAll();  // so that the next digit replaces it
            host_.ShowLineStatus(QString::fromStdString(typed.why));
            return false;
        case editor::TypedValue::Verdict::Unchanged:
            return true;
        case editor::TypedValue::Verdict::Taken:
            break;
    }
    line_.Set(row, editing_->column, typed.bytes);
    box->setText(ValueText(*editing_));
    host_.ValueTyped(editing_->block, editing_->column, before);
    return true;
}

void ValueEditing::ReadyToRetype() {
    if (editing_ && editing_->column <= line_.Width() && BoxOf(*editing_)->hasFocus()) {
        BoxOf(*editing_)->selectAll();
    }
}

// The whole value is selected at once, and again after a click has placed the caret. Back from
// a menu or a dialog, the box is as it was left, typing and all.
void ValueEditing::Begin(QLineEdit* box, Qt::FocusReason reason) {
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) {
        return;
    }
    box->selectAll();
    if (reason == Qt::MouseFocusReason) {
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus()) {
                box->selectAll();
            }
        });
    }
}

bool ValueEditing::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut) {
        return false;
    }
    const std::optional<CellPlace> place = focus_.PlaceOf(watched);
    if (!place || place->kind == CellKind::Syllable) {
        return false;
    }
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (event->type() == QEvent::FocusIn) {
        editing_ =
            Editing{place->kind == CellKind::Stress ? ValueBlock::Stress : ValueBlock::Juncture,
                    place->column};
        Begin(static_cast<QLineEdit*>(watched), reason);
    } else if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
        Take();
        editing_.reset();
    }
    return false;
}

}  // namespace corvale
