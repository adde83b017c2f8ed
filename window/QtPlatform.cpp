#include "window/QtPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace corvale {

namespace {

// Every box of the program: title "Corvale", no icon, plain text shown exactly as given.
QMessageBox::StandardButton Ask(QWidget* parent, const QString& text,
                                QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Corvale"), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void QtPlatform::ShowMessage(const QString& text) {
    Ask(window_, text, QMessageBox::Ok);
}

bool QtPlatform::AskYesNo(const QString& text) {
    return Ask(window_, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QString QtPlatform::ProgramFolder() const {
    return QCoreApplication::applicationDirPath();
}

void QtPlatform::OnEnd() {
    QCoreApplication::exit(0);
}

}  // namespace corvale
