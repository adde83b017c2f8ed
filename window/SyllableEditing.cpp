#include "window/SyllableEditing.h"

#include "editor/EditRules.h"
#include "platform/TextCodec.h"
#include "scansion/Workspace.h"
#include "window/CellFocus.h"
#include "window/CellGrid.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace corvale {

namespace {

// Tabs and line breaks become spaces as they come in (a paste); a character the file cannot
// hold is refused, and the line status says which.
class SyllableValidator : public QValidator {
public:
    SyllableValidator(const Workspace& work, SyllableEditing::Host& host, QObject* parent)
        : QValidator(parent), work_(work), host_(host) {}

    State validate(QString& input, int&) const override {
        input = editor::WithoutBreaks(input);
        const QString refused = editor::FirstUnencodable(input, work_.TextEncoding);
        if (!refused.isEmpty()) {
            host_.ShowLineStatus(QString::fromLatin1(editor::kNotEncodableMessage).arg(refused));
            return Invalid;
        }
        return Acceptable;
    }

private:
    const Workspace& work_;
    SyllableEditing::Host& host_;
};

}  // namespace

SyllableEditing::SyllableEditing(CellGrid& grid, Workspace& work, const CellFocus& focus,
                                 Host& host)
    : grid_(grid), work_(work), focus_(focus), host_(host) {}

void SyllableEditing::AddColumn(std::int32_t i) {
    QLineEdit* box = grid_.syllableBoxes(i);
    box->setValidator(new SyllableValidator(work_, host_, box));
    box->installEventFilter(this);
    if (display_.size() <= static_cast<std::size_t>(i)) {
        display_.resize(static_cast<std::size_t>(i) + 1);
    }
    display_[static_cast<std::size_t>(i)] = box->text();
}

void SyllableEditing::ShowDisplayText(std::int32_t i, const QString& text) {
    if (i < 1 || static_cast<std::size_t>(i) >= display_.size()) {
        return;
    }
    display_[static_cast<std::size_t>(i)] = text;
    QLineEdit* box = grid_.syllableBoxes(i);
    const QString shown = editing_ == i ? (atFocus_ = PlainText(i)) : text;
    // A line redrawn after an edit mostly shows what it showed.
    if (box->text() != shown) {
        box->setText(shown);
    }
}

QString SyllableEditing::DisplayText(std::int32_t i) const {
    if (i < 1 || static_cast<std::size_t>(i) >= display_.size()) {
        return {};
    }
    return display_[static_cast<std::size_t>(i)];
}

QString SyllableEditing::PlainText(std::int32_t i) const {
    const auto at = static_cast<std::size_t>(i);
    return at < work_.CurrentSyllables.size()
               ? Decode(work_.CurrentSyllables[at], work_.TextEncoding)
               : QString();
}

bool SyllableEditing::HasPendingTyping() const {
    return editing_ && grid_.syllableBoxes(*editing_)->text() != atFocus_;
}

bool SyllableEditing::RevertTyping() {
    if (!HasPendingTyping()) {
        return false;
    }
    grid_.syllableBoxes(*editing_)->setText(atFocus_);
    return true;
}

qsizetype SyllableEditing::PlainCaret(std::int32_t i) const {
    const qsizetype caret = grid_.syllableBoxes(i)->cursorPosition();
    return editing_ == i ? caret : std::min(caret, PlainText(i).size());
}

void SyllableEditing::Refuse(const QString& why) {
    grid_.syllableBoxes(*editing_)->setText(atFocus_);
    host_.ShowLineStatus(why);
}

bool SyllableEditing::Take() {
    if (!HasPendingTyping()) {
        return true;
    }
    const std::int32_t i = *editing_;
    const auto at = static_cast<std::size_t>(i);
    if (at >= work_.CurrentSyllables.size()) {
        return true;
    }
    QLineEdit* box = grid_.syllableBoxes(i);
    const editor::TypedSyllable typed =
        editor::TakeTypedSyllable(box->text(), work_.CurrentSyllables[at], work_.TextEncoding);
    switch (typed.verdict) {
        case editor::TypedVerdict::Blank:
            Refuse(QString::fromLatin1(editor::kEmptySyllableMessage));
            return false;
        case editor::TypedVerdict::NotEncodable:
            Refuse(QString::fromLatin1(editor::kNotEncodableMessage)
                       .arg(editor::FirstUnencodable(box->text(), work_.TextEncoding)));
            return false;
        case editor::TypedVerdict::Unchanged:
            box->setText(atFocus_);
            return true;
        case editor::TypedVerdict::Taken:
            break;
    }
    host_.Retype(i, [&] {
        work_.CurrentSyllables[at] = typed.bytes;
        const editor::CellLook look = editor::LookOfCell(
            work_.CurrentSyllables, work_.CurrentStresses, work_.CurrentJunctures, i);
        ShowDisplayText(i, Decode(look.text, work_.TextEncoding));
    });
    return true;
}

void SyllableEditing::BeginEditing(std::int32_t i) {
    if (editing_ == i) {
        return;  // back from a menu or a dialog
    }
    EndEditing();
    editing_ = i;
    atFocus_ = PlainText(i);
    grid_.syllableBoxes(i)->setText(atFocus_);
}

void SyllableEditing::EndEditing() {
    if (!editing_) {
        return;
    }
    Take();
    const std::int32_t i = *editing_;
    editing_.reset();
    grid_.syllableBoxes(i)->setText(DisplayText(i));
}

bool SyllableEditing::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut) {
        return false;
    }
    const std::optional<CellPlace> place = focus_.PlaceOf(watched);
    if (!place || place->kind != CellKind::Syllable) {
        return false;
    }
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (event->type() == QEvent::FocusIn) {
        BeginEditing(place->column);
    } else if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
        EndEditing();
    }
    return false;
}

}  // namespace corvale
