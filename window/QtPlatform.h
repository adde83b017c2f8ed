#pragma once

#include "platform/Platform.h"

class QWidget;

namespace corvale {

// The platform of the running program: Qt message boxes, the executable's folder as the
// program's folder, and an end that closes the window and leaves the event loop.
class QtPlatform : public Platform {
public:
    void ShowMessage(const QString& text) override;
    Answer AskYesNo(const QString& text, Escape escape) override;
    QString ProgramFolder() const override;

    // The window message boxes belong to (may be null before it exists).
    void SetWindow(QWidget* window) { window_ = window; }

protected:
    void OnEnd() override;

private:
    QWidget* window_ = nullptr;
};

}  // namespace corvale
