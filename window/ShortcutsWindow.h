#pragma once

// The "Keyboard shortcuts" window (F1): every key of the main window, read from the actions
// themselves each time it is shown, so it lists exactly the keys that work, and under them what
// the values of the grid mean. It is not modal: the main window can be worked in while it is
// open.

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QScrollArea;
class QSplitter;
class QTableWidget;

namespace corvale {

class KeyMap;

class ShortcutsWindow : public QDialog {
    Q_OBJECT

public:
    ShortcutsWindow(const KeyMap& keys, QWidget* parent);

    // Lists the keys as the actions have them now.
    void Refresh();
    const QTableWidget& Table() const { return *table_; }
    // "What the values mean", as shown.
    QString ValuesText() const;
    const QSplitter& Splitter() const { return *splitter_; }

private:
    const KeyMap& keys_;
    QTableWidget* table_ = nullptr;
    QLabel* valuesHeading_ = nullptr;
    QLabel* values_ = nullptr;
    QScrollArea* valuesArea_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace corvale
