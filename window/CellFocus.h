#pragma once

// Where the keyboard focus goes in the cell grid. The focus follows the work: when a line is
// shown, or an undone merge hides or shows boxes, a cell box that had the focus keeps it, or
// hands it to the nearest shown box of its kind (left first, then right), or, with none shown,
// to the comment box. Only the window's own redrawing moves the focus like this, never a mouse
// click. The tab order runs through the cell boxes row by row as they stand on screen. The
// focused cell box is ringed in the highlight colour, bolder than the style's own focus mark,
// so that the box being worked on stands out in a long row of alike boxes.

#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <unordered_map>

class QFocusFrame;
class QLineEdit;

namespace corvale {

struct CellGrid;
class Document;

enum class CellKind { Syllable, Stress, Juncture };

struct CellPlace {
    CellKind kind;
    std::int32_t column;
};

class CellFocus {
public:
    CellFocus(CellGrid& grid, const Document& document);
    ~CellFocus();
    CellFocus(const CellFocus&) = delete;
    CellFocus& operator=(const CellFocus&) = delete;

    // The three boxes of column i become cells.
    void AddColumn(std::int32_t i);
    std::optional<CellPlace> PlaceOf(const QObject* box) const;
    QLineEdit* BoxAt(CellPlace place) const;
    // The cell box that holds the window's focus, if one does.
    std::optional<CellPlace> FocusedCell() const;

    // The box at `place`, or where it is hidden the nearest shown box of its kind, left first,
    // then right, gets the focus; with none shown the comment box gets it.
    void FocusNearest(CellPlace place);
    void FocusFirstCell() { FocusNearest({CellKind::Syllable, 1}); }
    // The cell that last had the focus, wherever it has gone since (a dock, the comment box),
    // gets it back; the first syllable box when none has had it.
    void FocusLastCell() { FocusNearest(lastCell_.value_or(CellPlace{CellKind::Syllable, 1})); }
    // The next shown box of the same kind `step` columns along (-1 left, +1 right), or nullptr.
    QLineEdit* ShownNeighbour(CellPlace place, int step) const;
    // The next shown box of the column above (-1) or below (+1) on screen, or nullptr.
    QLineEdit* ShownAboveOrBelow(CellPlace place, int step) const;
    // The three rows of boxes from top to bottom as they stand now.
    std::array<CellKind, 3> RowsOnScreen() const;

    // Tab order: the cell rows in screen order, then `after`.
    void OrderTabs(std::initializer_list<QWidget*> after);

    // "Go to line" from the keys: where the focus was, so that a line reached with Return in
    // the go-to box is worked on in the same place.
    void RememberBeforeGoTo();
    void ReturnAfterGoTo();
    void ForgetGoTo();

    // Keeps the focus with the work while the grid is redrawn: a focused cell box gives the
    // focus up for the redraw and takes it back (by FocusNearest) when the keeper ends.
    class [[nodiscard]] Keeper {
    public:
        Keeper(CellFocus& focus, std::optional<CellPlace> place) : focus_(focus), place_(place) {}
        Keeper(const Keeper&) = delete;
        Keeper& operator=(const Keeper&) = delete;
        ~Keeper() {
            if (place_) {
                focus_.FocusNearest(*place_);
            }
        }

    private:
        CellFocus& focus_;
        std::optional<CellPlace> place_;
    };
    Keeper Keep();

private:
    std::int32_t ColumnsOfLine() const;
    void FocusChanged(QWidget* now);
    QWidget* WindowFocus() const;

    CellGrid& grid_;
    const Document& document_;
    QFocusFrame* ring_ = nullptr;
    QMetaObject::Connection following_;
    std::unordered_map<const QObject*, CellPlace> cells_;
    std::optional<CellPlace> cellBeforeGoTo_;
    std::optional<CellPlace> lastCell_;
    QPointer<QWidget> widgetBeforeGoTo_;
};

}  // namespace corvale
