// Scan a poem: from a poem (plain text or TEI), chosen in any folder since it is only read, to
// a scansion file and its meter file in the program's folder, opened at line 1. The first pass
// runs on a worker thread (PoemScan.h); nothing is written before it has finished, the user has
// agreed to leave the file on screen, and the names are free.

#include "firstpass/OutputWriter.h"
#include "platform/TextCodec.h"
#include "scansion/FileNames.h"
#include "scansion/MeterFile.h"
#include "scansion/OwnFiles.h"
#include "startup/Files.h"
#include "startup/WorkingFolder.h"
#include "window/FolderConventions.h"
#include "window/MainWindow.h"

#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QMenuBar>
#include <QPointer>

#include <vector>

namespace corvale {

namespace {

QString RefusalMessage(const QString& poemPath, const firstpass::Refusal& refusal) {
    const QString where =
        refusal.row > 0 ? QStringLiteral(" (row %1)").arg(refusal.row) : QString();
    return QStringLiteral("I couldn't scan %1%2.  %3  Nothing was written.")
        .arg(QFileInfo(poemPath).fileName(), where, QString::fromStdString(refusal.message));
}

// The outputs of the scansion file `name` in the program's folder.
firstpass::OutputNames NamesInFolder(const Platform& platform, const std::string& name) {
    return {platform.PathOf(name), platform.PathOf(OwnMeterFileName(name))};
}

QString InFolder(const Platform& platform, const QString& path) {
    return QDir(platform.ProgramFolder()).relativeFilePath(path);
}

// What the reader took as best it could, and an orphan meter file replaced; empty when all
// went plainly.
QString ScanNotes(const QString& poemPath, const firstpass::Scansion& scansion,
                  const firstpass::WriteResult& written, const Platform& platform) {
    QStringList notes;
    for (const firstpass::Warning& warning : scansion.warnings) {
        notes << QStringLiteral("%1, row %2: %3.")
                     .arg(QFileInfo(poemPath).fileName())
                     .arg(warning.row)
                     .arg(QString::fromStdString(warning.message));
    }
    if (written.replacedOrphan) {
        notes << QStringLiteral("I replaced %1, a meter file whose scansion file was missing.")
                     .arg(InFolder(platform, written.file));
    }
    return notes.join(QStringLiteral("  "));
}

// While a scan runs, the window's menus, client area and docks rest, and the focus comes back to
// where it was. The window itself stays enabled and unblocked, so that its close box reaches
// closeEvent, which stops the scan first.
class RestingControls {
public:
    explicit RestingControls(QMainWindow& window) : focus_(window.focusWidget()) {
        parts_ = {window.menuBar(), window.centralWidget()};
        for (QDockWidget* dock : window.findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly)) {
            parts_.emplace_back(dock);
        }
        for (const QPointer<QWidget>& part : parts_) {
            part->setEnabled(false);
        }
    }
    RestingControls(const RestingControls&) = delete;
    RestingControls& operator=(const RestingControls&) = delete;
    ~RestingControls() {
        for (const QPointer<QWidget>& part : parts_) {
            if (part != nullptr) {
                part->setEnabled(true);
            }
        }
        if (focus_ != nullptr) {
            focus_->setFocus(Qt::OtherFocusReason);
        }
    }

private:
    QPointer<QWidget> focus_;
    std::vector<QPointer<QWidget>> parts_;
};

}  // namespace

void MainWindow::ScanPoem() {
    const QString poemPath = work_.GetPlatform().ChooseFileToRead(
        QStringLiteral("Scan a poem"), QStringLiteral("Poems (*.txt *.xml);;All files (*)"), {},
        IsOwnFileName);
    if (!poemPath.isEmpty()) {
        ScanPoemAt(poemPath);
    }
}

void MainWindow::ScanPoemAt(const QString& poemPath) {
    if (const std::optional<QString> notAPoem = startup::OwnFileNotAPoem(poemPath)) {
        work_.GetPlatform().ShowMessage(*notAPoem);
        return;
    }
    // What a scan would make is there already: it is opened to correct, as Open... would.
    if (startup::KindOfFile(poemPath) == startup::FileKind::Scansion) {
        OpenPath(poemPath);
        return;
    }
    const std::optional<ScannedPoem> scanned = ScanPoemFile(poemPath);
    if (!scanned) {
        return;
    }
    const std::optional<Workspace::Leaving> leaving = LeaveFile();
    if (!leaving) {
        return;
    }
    const std::optional<std::string> name = WriteScanOutputs(poemPath, scanned->scansion);
    if (!name) {
        return;
    }
    // A new file starts at its beginning, and the memory file says so at once.
    if (const std::optional<std::int32_t> line = work_.SwitchWorkingFile(*name, *leaving, 1)) {
        ShowSwitchedFile(*line);
        PrefixLineStatus(QStringLiteral("scanned by ") + scanned->by);
    }
}

std::optional<MainWindow::ScannedPoem> MainWindow::ScanPoemFile(const QString& poemPath) {
    Platform& platform = work_.GetPlatform();
    auto folderConventions = ReadFolderConventions(platform);
    if (const auto* refused = std::get_if<QString>(&folderConventions)) {
        platform.ShowMessage(QStringLiteral("I couldn't scan %1 under the folder's conventions.  "
                                            "%2  Nothing was scanned.")
                                 .arg(QFileInfo(poemPath).fileName(), *refused));
        return std::nullopt;
    }
    const auto& read = std::get<firstpass::ConventionsRead>(folderConventions);
    if (const QString warnings = ConventionsWarnings(read); !warnings.isEmpty()) {
        platform.ShowMessage(warnings);
    }
    const PoemScanner scanner =
        poemScanner_ ? poemScanner_
                     : [conventions = read.conventions](const QString& path,
                                                        const firstpass::Progress& progress) {
                           return ReadAndScanPoem(path, progress, conventions);
                       };
    scanCancel_ = false;
    closeAfterScan_ = false;
    scanning_ = true;
    PoemScanResult result = [this, &poemPath, &scanner] {
        const RestingControls resting(*this);
        return ScanWithProgress(this, poemPath, scanner, scanCancel_);
    }();
    scanning_ = false;
    if (closeAfterScan_) {
        close();
        return std::nullopt;
    }
    if (const auto* refusal = std::get_if<firstpass::Refusal>(&result)) {
        platform.ShowMessage(RefusalMessage(poemPath, *refusal));
        return std::nullopt;
    }
    if (auto* scansion = std::get_if<firstpass::Scansion>(&result)) {
        return ScannedPoem{
            std::move(*scansion),
            read.conventions == firstpass::Conventions{}
                ? QStringLiteral("the default conventions")
                : QStringLiteral("the conventions in %1").arg(QLatin1String(kConventionsFileName))};
    }
    return std::nullopt;  // cancelled
}

// Neither name is taken when it is chosen; one taken meanwhile (by another scan writing the
// same name) is asked about again.
std::optional<std::string> MainWindow::WriteScanOutputs(const QString& poemPath,
                                                        const firstpass::Scansion& scansion) {
    Platform& platform = work_.GetPlatform();
    std::string name =
        EncodeFileName(firstpass::OutputNamesFor(QFileInfo(poemPath).fileName()).scansion);
    for (;;) {
        const std::optional<std::string> chosen = ChooseFreeOutputName(name);
        if (!chosen) {
            return std::nullopt;
        }
        name = *chosen;
        const firstpass::WriteResult written = firstpass::WriteOutputs(
            NamesInFolder(platform, name), scansion, firstpass::WhenTaken::Skip);
        if (written.outcome == firstpass::WriteResult::Outcome::Failed) {
            platform.ShowMessage(
                QStringLiteral("I couldn't write %1, so nothing was written.  Perhaps the folder "
                               "is read-only or the disk is full.")
                    .arg(InFolder(platform, written.file)));
            return std::nullopt;
        }
        if (written.outcome == firstpass::WriteResult::Outcome::Written) {
            if (const QString notes = ScanNotes(poemPath, scansion, written, platform);
                !notes.isEmpty()) {
                platform.ShowMessage(notes);
            }
            return name;
        }
    }
}

// While the scansion file's name or its meter file's is taken, a save dialog asks for another
// name in the program's folder. nullopt when the user cancels it.
std::optional<std::string> MainWindow::ChooseFreeOutputName(std::string name) {
    Platform& platform = work_.GetPlatform();
    QString proposed = platform.PathOf(name);
    while (const std::optional<QString> taken =
               firstpass::BlockingOutput(NamesInFolder(platform, name))) {
        const QString chosen = platform.ChooseFileToWrite(
            QStringLiteral("%1 exists: choose another name for the scansion file")
                .arg(InFolder(platform, *taken)),
            proposed);
        if (chosen.isEmpty()) {
            return std::nullopt;
        }
        const std::optional<QString> inside =
            startup::NameInFolder(platform.ProgramFolder(), chosen);
        // The dialog opens again where it was left, unless that was outside the folder.
        proposed = inside ? chosen : platform.PathOf(name);
        if (!inside) {
            platform.ShowMessage(
                QStringLiteral("%1 is outside Corvale's folder, where every file it works on "
                               "lives.  Please choose a name in %2.")
                    .arg(chosen, platform.ProgramFolder()));
        } else if (startup::IsHiddenName(*inside)) {
            platform.ShowMessage(
                QStringLiteral("%1 would be hidden, and Corvale opens no hidden file.  Please "
                               "choose a name that does not start with a full stop.")
                    .arg(*inside));
        } else {
            name = EncodeFileName(*inside);
        }
    }
    return name;
}

}  // namespace corvale
