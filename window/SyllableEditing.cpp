#include "window/SyllableEditing.h"

#include "editor/EditRules.h"
#include "editor/WorkingLine.h"
#include "platform/TextCodec.h"
#include "scansion/Document.h"
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
    SyllableValidator(const Document& document, SyllableEditing::Host& host, QObject* parent)
        : QValidator(parent), document_(document), host_(host) {}

    State validate(QString& input, int&) const override {
        input = editor::WithoutBreaks(input);
        const QString refused = editor::FirstUnencodable(input, document_.TextEncoding());
        if (!refused.isEmpty()) {
            host_.ShowLineStatus(QString::fromLatin1(editor::kNotEncodableMessage).arg(refused));
            return Invalid;
        }
        return Acceptable;
    }

private:
    const Document& document_;
    SyllableEditing::Host& host_;
};

}  // namespace

SyllableEditing::SyllableEditing(CellGrid& grid, editor::WorkingLine& line,
                                 const Document& document, const CellFocus& focus, Host& host)
    : grid_(grid), line_(line), document_(document), focus_(focus), host_(host) {}

void SyllableEditing::AddColumn(std::int32_t i) {
    QLineEdit* box = grid_.syllableBoxes(i);
    box->setValidator(new SyllableValidator(document_, host_, box));
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
    return i <= line_.Width() ? Decode(line_.Syllable(i), document_.TextEncoding()) : QString();
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
    if (i > line_.Width()) {
        return true;
    }
    QLineEdit* box = grid_.syllableBoxes(i);
    const Encoding encoding = document_.TextEncoding();
    const editor::TypedSyllable typed =
        editor::TakeTypedSyllable(box->text(), line_.Syllable(i), encoding);
    switch (typed.verdict) {
        case editor::TypedVerdict::Blank:
            Refuse(QString::fromLatin1(editor::kEmptySyllableMessage));
            return false;
        case editor::TypedVerdict::NotEncodable:
            Refuse(QString::fromLatin1(editor::kNotEncodableMessage)
                       .arg(editor::FirstUnencodable(box->text(), encoding)));
            return false;
        case editor::TypedVerdict::Unchanged:
            box->setText(atFocus_);
            return true;
        case editor::TypedVerdict::Taken:
            break;
    }
    host_.Retype(i, [&] {
        line_.Set(ValueRow::Syllables, i, typed.bytes);
        ShowDisplayText(i, Decode(line_.LookOf(i).text, encoding));
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
