#pragma once

#include "platform/Platform.h"

#include <QString>

class QWidget;

namespace corvale {

// The platform of the running program: Qt message boxes, the executable's folder as the
// program's folder, and an end that closes the window and leaves the event loop.
class QtPlatform : public Platform {
public:
    void ShowMessage(const QString& text) override;
    Answer AskYesNo(const QString& text, Escape escape) override;
    QString ProgramFolder() const override;
    QString ChooseFileToRead(const QString& caption, const QString& filter) override;
    QString ChooseFileToWrite(const QString& caption, const QString& proposed) override;

    // The window message boxes belong to (may be null before it exists).
    void SetWindow(QWidget* window) { window_ = window; }

protected:
    void OnEnd() override;

private:
    QWidget* window_ = nullptr;
    QString lastReadFolder_;  // where the next file to read is looked for first
};

}  // namespace corvale
