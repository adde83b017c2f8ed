// Opening a file by its path: File > Open..., Open Recent, a file dropped on the window, and a
// file named on the command line. A scansion file is opened as a switch; anything else is
// offered to Scan a poem. The recent list keeps the line last shown in each file, across
// working folders.

#include "platform/TextCodec.h"
#include "scansion/OwnFiles.h"
#include "startup/Files.h"
#include "startup/RecentFiles.h"
#include "window/MainWindow.h"
#include "window/Overview.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

#include <initializer_list>
#include <utility>

namespace corvale {

namespace {

// The first local file among what is dragged; empty when there is none.
QString DraggedFile(const QMimeData* data) {
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            return url.toLocalFile();
        }
    }
    return {};
}

// A file name in a menu item shows its ampersands rather than taking them as mnemonics.
QString InMenu(QString text) {
    return text.replace(u'&', QStringLiteral("&&"));
}

QString FolderShown(const QString& path) {
    return startup::ShownName(QFileInfo(path).absolutePath(), QDir::homePath());
}

}  // namespace

// The dialog lists the scansion files and poems first, Corvale's other files only under "All
// files".
void MainWindow::OpenFile() {
    Platform& platform = work_.GetPlatform();
    const QString path = platform.ChooseFileToRead(
        QStringLiteral("Open a scansion file"),
        QStringLiteral("Scansion files and poems (*.txt *.xml);;All files (*)"),
        platform.ProgramFolder(), IsOwnFileName);
    if (!path.isEmpty()) {
        OpenPath(path);
    }
}

void MainWindow::OpenPath(const QString& chosen) {
    Platform& platform = work_.GetPlatform();
    if (!QFileInfo(chosen).isFile()) {
        platform.ShowMessage(QStringLiteral("%1 is not a file, so there is nothing to open.")
                                 .arg(QDir::toNativeSeparators(chosen)));
        return;
    }
    const startup::Opening opening = startup::DecideOpening(chosen);
    if (opening.action == startup::Opening::Action::Tell) {
        platform.ShowMessage(opening.message);
        return;
    }
    if (opening.action == startup::Opening::Action::OfferScan) {
        OfferPoemScan(chosen);
        return;
    }
    const QString& path = opening.path;
    const QFileInfo file(path);
    // A file of the working folder keeps it; one elsewhere brings its own folder.
    const QString folder = platform.ProgramFolder();
    const std::optional<QString> inside = startup::NameInFolder(folder, path);
    const QString home = QDir::homePath();
    const Workspace::FilePlace place =
        inside ? Workspace::FilePlace{folder, platform.FolderInTitle(), EncodeFileName(*inside)}
               : Workspace::FilePlace{
                     file.absolutePath(),
                     startup::NameInTitle(file.absolutePath(),
                                          QCoreApplication::applicationDirPath(), home),
                     EncodeFileName(file.fileName())};
    if (startup::IsHiddenName(DecodeFileName(place.name))) {
        platform.ShowMessage(QStringLiteral("%1 is hidden, and Corvale opens no hidden file.")
                                 .arg(DecodeFileName(place.name)));
        return;
    }
    const std::optional<Workspace::Leaving> leaving = LeaveFile();
    if (!leaving) {
        return;
    }
    const std::int32_t recentLine = startup::RecentFiles::Read(platform.UserFolder())
                                        .LineOf(file.absoluteFilePath())
                                        .value_or(1);
    const std::optional<std::int32_t> line = work_.OpenFileAt(place, *leaving, recentLine);
    if (!line) {
        return;
    }
    if (platform.ProgramFolder() != folder) {
        ShowFolderInTitle();
        UseFolderViewOptions();
    }
    ShowSwitchedFile(*line);
}

void MainWindow::OpenRecent(const QString& path) {
    if (QFileInfo(path).isFile()) {
        OpenPath(path);
        return;
    }
    const QString userFolder = work_.GetPlatform().UserFolder();
    startup::RecentFiles recent = startup::RecentFiles::Read(userFolder);
    recent.Remove(path);
    recent.Write(userFolder);
    ShowLineStatus(QStringLiteral("%1 is no longer in %2, so it has left Open Recent.")
                       .arg(QFileInfo(path).fileName(), FolderShown(path)));
}

void MainWindow::FillRecentMenu() {
    recentMenu->clear();
    const startup::RecentFiles recent =
        startup::RecentFiles::Read(work_.GetPlatform().UserFolder());
    if (recent.Entries().empty()) {
        recentMenu->addAction(QStringLiteral("No recent files"))->setEnabled(false);
        return;
    }
    int number = 0;
    for (const startup::RecentFiles::Entry& entry : recent.Entries()) {
        ++number;
        QAction* item = recentMenu->addAction(
            QStringLiteral("&%1  %2  (%3, line %4)")
                .arg(number)
                .arg(InMenu(QFileInfo(entry.path).fileName()), InMenu(FolderShown(entry.path)))
                .arg(entry.line));
        item->setObjectName(QStringLiteral("recentFile%1").arg(number));
        item->setToolTip(entry.path);
        connect(item, &QAction::triggered, this,
                [this, path = entry.path] { Run([this, &path] { OpenRecent(path); }); });
    }
}

void MainWindow::NoteRecent() {
    const Platform& platform = work_.GetPlatform();
    if (!work_.Doc().HasFile() || platform.WritesNothing()) {
        return;
    }
    startup::RecentFiles recent = startup::RecentFiles::Read(platform.UserFolder());
    recent.Put(QFileInfo(platform.PathOf(work_.Settings().WorkingFileName())).absoluteFilePath(),
               work_.CurrentLine());
    recent.Write(platform.UserFolder());
}

std::optional<Workspace::Leaving> MainWindow::LeaveFile() {
    const Workspace::Leaving leaving = work_.QuerySwitch();
    if (leaving == Workspace::Leaving::Stay) {
        return std::nullopt;
    }
    NoteRecent();
    return leaving;
}

void MainWindow::OfferPoemScan(const QString& poemPath) {
    const QString question = QStringLiteral(
                                 "%1 is not a scansion file.  Shall I scan it as a poem and "
                                 "open the scansion file it gives?")
                                 .arg(QFileInfo(poemPath).fileName());
    if (work_.GetPlatform().AskYesNo(question, Escape::Withdraws) == Answer::Yes) {
        ScanPoemAt(poemPath);
    }
}

void MainWindow::OfferStartPoem() {
    if (const std::optional<QString> poem = std::exchange(startPoem_, std::nullopt)) {
        Run([this, &poem] { OpenPath(*poem); });
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DraggedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

// The drag is over before the file is opened: its boxes and dialogs must not hold up the
// program the file came from.
void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DraggedFile(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    QMetaObject::invokeMethod(
        this, [this, path] { Run([this, &path] { OpenPath(path); }); }, Qt::QueuedConnection);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (ZoomByWheel(watched, event)) {
        return true;
    }
    const QEvent::Type type = event->type();
    const bool drag = type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
    if (!drag || !watched->isWidgetType() || !isAncestorOf(static_cast<QWidget*>(watched))) {
        return QMainWindow::eventFilter(watched, event);
    }
    auto* dragged = static_cast<QDropEvent*>(event);
    if (DraggedFile(dragged->mimeData()).isEmpty()) {
        return false;
    }
    if (type == QEvent::Drop) {
        dropEvent(dragged);
    } else {
        dragged->acceptProposedAction();
    }
    return true;
}

void MainWindow::EnableLineCommands() {
    const bool open = work_.Doc().HasFile();
    for (QAction* action : lineMenu->actions()) {
        action->setEnabled(open);
    }
    valueBoundsAction->setEnabled(open);
    EnableUndoTheRescan();
    for (QWidget* control : std::initializer_list<QWidget*>{
             commitLineTopButton, commitLineButton, goToButton, backOneButton, aheadOneButton,
             reloadLineButton, grid_.goToBox, grid_.commentBox}) {
        control->setEnabled(open);
    }
}

// The folder is named when it is not the executable's own, as "Corvale[*] — ~/Poems".
void MainWindow::ShowFolderInTitle() {
    const QString folder = work_.GetPlatform().FolderInTitle();
    setWindowTitle(folder.isEmpty() ? QStringLiteral("Corvale[*]")
                                    : QStringLiteral("Corvale[*] \u2014 %1").arg(folder));
}

void MainWindow::UseFolderViewOptions() {
    ApplyViewOptions();
    if (overviewAction->isChecked()) {
        OpenOverview();
    } else {
        CloseOverview();
    }
}

}  // namespace corvale
