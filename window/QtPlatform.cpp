#include "window/QtPlatform.h"

#include "window/ViewOptions.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <iostream>
#include <utility>

namespace corvale {

namespace {

// Every box of the program: title "Corvale", no icon, plain text shown exactly as given.
// Qt would make No the escape button of a Yes/No box, so that Esc, the close button and N
// all answered No; here Esc and the close button either withdraw the question or do nothing,
// and only No itself (a click, Alt+N or N) answers No.
class Box : public QMessageBox {
public:
    static constexpr int kWithdrawn = -1;

    Box(QWidget* parent, const QString& text, StandardButtons buttons, corvale::Escape escape)
        : QMessageBox(NoIcon, QStringLiteral("Corvale"), text, buttons, parent), escape_(escape) {
        setTextFormat(Qt::PlainText);
        // Yes and No are the only buttons, so the way back is said under the question.
        if (IsQuestion() && escape == corvale::Escape::Withdraws) {
            setInformativeText(QStringLiteral("Esc goes back, changing nothing."));
        }
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel) && IsQuestion()) {
            Withdraw();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (!IsQuestion()) {
            QMessageBox::closeEvent(event);
            return;
        }
        event->ignore();
        Withdraw();
    }

private:
    bool IsQuestion() const { return button(Yes) != nullptr; }
    void Withdraw() {
        if (escape_ == corvale::Escape::Withdraws) {
            done(kWithdrawn);
        }
    }

    corvale::Escape escape_;
};

// Under a file dialog's first filter, the files whose names the test gives true for are left out;
// folders and the other filters list everything.
class FirstFilterProxy : public QSortFilterProxyModel {
public:
    // Owned by the dialog.
    FirstFilterProxy(QFileDialog& dialog, Platform::NameTest leavesOut)
        : QSortFilterProxyModel(&dialog), dialog_(dialog), leavesOut_(std::move(leavesOut)) {}
    void Refilter() { invalidateFilter(); }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files == nullptr || dialog_.nameFilters().isEmpty() ||
            dialog_.selectedNameFilter() != dialog_.nameFilters().front()) {
            return true;
        }
        const QModelIndex index = files->index(row, 0, parent);
        return files->isDir(index) || !leavesOut_(files->fileName(index));
    }

private:
    const QFileDialog& dialog_;
    Platform::NameTest leavesOut_;
};

}  // namespace

QtPlatform::QtPlatform(QString folder, QString folderInTitle, QString userFolder)
    : folder_(std::move(folder)),
      folderInTitle_(std::move(folderInTitle)),
      userFolder_(std::move(userFolder)),
      lastReadFolder_(UserViewOptions::Read(userFolder_).poemFolder) {}

void QtPlatform::EndUnanswered(const QString& text) {
    std::cerr << "corvale: " << text.toStdString() << "\ncorvale: nobody to answer; ended\n";
    EndProgram();
}

void QtPlatform::ShowMessage(const QString& text) {
    spoken_ = true;
    if (unattended_) {
        std::cerr << "corvale: " << text.toStdString() << '\n';
        return;
    }
    Box(window_, text, QMessageBox::Ok, Escape::Withdraws).exec();
}

Answer QtPlatform::AskYesNo(const QString& text, Escape escape) {
    spoken_ = true;
    if (unattended_) {
        EndUnanswered(text);
    }
    Box box(window_, text, QMessageBox::Yes | QMessageBox::No, escape);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Withdrawn;
    }
}

std::size_t QtPlatform::AskChoice(const QString& text, const std::vector<QString>& answers) {
    spoken_ = true;
    if (unattended_) {
        EndUnanswered(text);
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Corvale"), text, QMessageBox::NoButton,
                    window_);
    box.setTextFormat(Qt::PlainText);
    std::vector<QAbstractButton*> buttons;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const bool last = i + 1 == answers.size();
        buttons.push_back(
            box.addButton(answers[i], last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    }
    if (!buttons.empty()) {
        box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
        box.setEscapeButton(buttons.back());
    }
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return chosen == buttons.end() ? buttons.size() - 1
                                   : static_cast<std::size_t>(chosen - buttons.begin());
}

std::optional<QString> QtPlatform::AskText(const QString& text, const QString& initial) {
    spoken_ = true;
    if (unattended_) {
        EndUnanswered(text);
    }
    bool given = false;
    QString typed = QInputDialog::getText(window_, QStringLiteral("Corvale"), text,
                                          QLineEdit::Normal, initial, &given);
    if (!given) {
        return std::nullopt;
    }
    return typed;
}

bool QtPlatform::MoveToFolder(const QString& folder, const QString& folderInTitle) {
    folder_ = folder;
    folderInTitle_ = folderInTitle;
    return true;
}

QString QtPlatform::ChooseFileToRead(const QString& caption, const QString& filter,
                                     const QString& startFolder,
                                     const NameTest& firstFilterLeavesOut) {
    QString start = startFolder;
    if (start.isEmpty()) {
        start = lastReadFolder_.isEmpty() ? folder_ : lastReadFolder_;
    }
    QFileDialog dialog(window_, caption, start, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (firstFilterLeavesOut) {
        // Qt's own dialog, since a system's dialog takes no proxy model.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* listed = new FirstFilterProxy(dialog, firstFilterLeavesOut);
        dialog.setProxyModel(listed);
        QObject::connect(&dialog, &QFileDialog::filterSelected, listed,
                         &FirstFilterProxy::Refilter);
    }
    const QString chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                               ? dialog.selectedFiles().front()
                               : QString();
    // Only the dialogs that start where the last one ended remember where that was.
    // The next run looks there first too.
    if (!chosen.isEmpty() && startFolder.isEmpty()) {
        lastReadFolder_ = QFileInfo(chosen).absolutePath();
        UserViewOptions kept = UserViewOptions::Read(userFolder_);
        kept.docks.clear();
        kept.poemFolder = lastReadFolder_;
        if (!WritesNothing()) {
            kept.Write(userFolder_);
        }
    }
    return chosen;
}

QString QtPlatform::ChooseFileToWrite(const QString& caption, const QString& proposed) {
    return QFileDialog::getSaveFileName(window_, caption, proposed, QString(), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

Platform::FileChoice QtPlatform::ChooseFileToWriteAs(const QString& caption,
                                                     const QStringList& proposed,
                                                     const QStringList& formats, int format) {
    QFileDialog dialog(window_, caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(formats);
    dialog.selectNameFilter(formats.value(format));
    dialog.selectFile(proposed.value(format));
    int shown = format;
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        const int to = static_cast<int>(formats.indexOf(filter));
        const QStringList typed = dialog.selectedFiles();
        if (to >= 0 && !typed.isEmpty()) {
            // By its name alone, so that a folder the person went to stays.
            const QString name = QFileInfo(typed.front()).fileName();
            const QString follows = NameForFormat(proposed, shown, to, name);
            if (follows != name) {
                dialog.selectFile(follows);
            }
            shown = to;
        }
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return {dialog.selectedFiles().front(),
            std::max(0, static_cast<int>(formats.indexOf(dialog.selectedNameFilter())))};
}

// Leaving the event loop means something only while one runs. An end before it starts (during
// start-up) is seen by main through StartUp's answer; exiting then would also leave Qt
// refusing every later event loop of the process, a modal box's included.
void QtPlatform::OnEnd() {
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(0);
    }
}

}  // namespace corvale
