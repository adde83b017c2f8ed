#pragma once

// The syllable boxes as editors of their syllables. A box without the focus shows its display
// text, what the line's last alignment gave it (hyphens, "--" for "%"); the box with the focus
// shows and edits the plain syllable of the working copy, so a display hyphen is never edited
// by mistake. Typed text goes into the working copy, as one undo step, when the box loses the
// focus to another control of the window and before every command (the window's Run); a menu or a
// dialog taking the focus leaves the box as it is, caret and all. A box never holds a tab or a
// line break (a pasted one becomes a space), nor, in a Windows-1252 file, a character that the
// file cannot hold.

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace corvale {

class CellFocus;
struct CellGrid;
class Document;

namespace editor {
class WorkingLine;
}

class SyllableEditing : public QObject {
    Q_OBJECT

public:
    // What the edits of the boxes ask of the window.
    class Host {
    public:
        // Says why typed text was refused, where the line's status stands.
        virtual void ShowLineStatus(const QString& text) = 0;
        // Runs `retype`, which takes a retyped syllable of `column` into the working copy and
        // its box, as one edit that can be undone.
        virtual void Retype(std::int32_t column, const std::function<void()>& retype) = 0;

    protected:
        ~Host() = default;
    };

    SyllableEditing(CellGrid& grid, editor::WorkingLine& line, const Document& document,
                    const CellFocus& focus, Host& host);

    // Column i's syllable box takes part.
    void AddColumn(std::int32_t i);
    // What box i shows without the focus. The box being edited keeps showing the plain
    // syllable, taken afresh from the working copy.
    void ShowDisplayText(std::int32_t i, const QString& text);
    QString DisplayText(std::int32_t i) const;

    // Text typed into the focused box and not yet taken.
    bool HasPendingTyping() const;
    // Puts back the text the box had when it got the focus; false when nothing was typed.
    bool RevertTyping();
    // Takes typed text into the working copy. False when it was refused: the box's old text is
    // back and the line status says why.
    bool Take();
    // The caret in the plain syllable of column i.
    qsizetype PlainCaret(std::int32_t i) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BeginEditing(std::int32_t i);
    void EndEditing();
    QString PlainText(std::int32_t i) const;
    void Refuse(const QString& why);

    CellGrid& grid_;
    editor::WorkingLine& line_;
    const Document& document_;
    const CellFocus& focus_;
    Host& host_;
    std::vector<QString> display_;  // column i at i
    std::optional<std::int32_t> editing_;
    QString atFocus_;  // the plain text the box had when it got the focus
};

}  // namespace corvale
