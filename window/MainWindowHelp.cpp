// The Help menu: the keyboard shortcuts window and "About Corvale".

#include "window/AboutBox.h"
#include "window/MainWindow.h"
#include "window/ShortcutsWindow.h"

namespace corvale {

// One window, made at the first F1 and shown again, up to date, at each one after.
void MainWindow::ShowShortcuts() {
    if (shortcutsWindow_ == nullptr) {
        shortcutsWindow_ = new ShortcutsWindow(keyMap_, this);
    }
    shortcutsWindow_->Refresh();
    shortcutsWindow_->show();
    shortcutsWindow_->raise();
    shortcutsWindow_->activateWindow();
}

ShortcutsWindow* MainWindow::Shortcuts() const {
    return shortcutsWindow_;
}

void MainWindow::ShowAbout() {
    work_.GetPlatform().ShowMessage(AboutText());
}

}  // namespace corvale
