// File > Export: the verse lines as committed, each under its own meter, written for other tools
// as CSV of syllables or of verse lines, or as TEI, to a file the user chooses in any folder
// (OutputFileChoice.h). A file that
// exists is replaced through the one output writer, so that a failure leaves it as it was and a
// link at the name is replaced rather than written through.

#include "export/Export.h"
#include "platform/OutputFile.h"
#include "window/MainWindow.h"
#include "window/OutputFileChoice.h"
#include "window/ViewOptions.h"

#include <QFileInfo>

#include <utility>
#include <vector>

namespace corvale {

namespace {

using exports::Format;

// Both CSV formats end in ".csv": the one shown in the dialog is written.
const OutputFormats kFormats = {
    {QStringLiteral("Syllables as CSV (*.csv)"), QStringLiteral("Verse lines as CSV (*.csv)"),
     QStringLiteral("TEI P5 (*.xml)")},
    {QStringLiteral(".csv"), QStringLiteral(".csv"), QStringLiteral(".xml")}};

Format FormatOf(int index) {
    return index == 1 ? Format::Lines : index == 2 ? Format::Tei : Format::Csv;
}

// The dialog starts where the last export of this run went, in its format, or in the working
// folder.
OutputQuestion ProposedExport(const QString& folder, const std::string& workingFileName,
                              const Platform::FileChoice& lastExport) {
    const QString name = QFileInfo(DecodeFileName(workingFileName)).fileName();
    QStringList proposed;
    for (int format = 0; format < kFormats.filters.size(); ++format) {
        proposed.append(folder + u'/' + exports::ExportFileName(name, FormatOf(format)));
    }
    return {QStringLiteral("Export"), QStringLiteral("the export"), proposed,
            lastExport.path.isEmpty() ? 0 : lastExport.format};
}

}  // namespace

QString MainWindow::OutputFolder(const Platform::FileChoice& lastInThisRun) const {
    if (!lastInThisRun.path.isEmpty()) {
        return QFileInfo(lastInThisRun.path).absolutePath();
    }
    const Platform& platform = work_.GetPlatform();
    const QString kept = UserViewOptions::Read(platform.UserFolder()).outputFolder;
    return !kept.isEmpty() && QFileInfo(kept).isDir() ? kept : platform.ProgramFolder();
}

void MainWindow::KeepOutputFolder(const QString& written) {
    const Platform& platform = work_.GetPlatform();
    if (platform.WritesNothing()) {
        return;
    }
    UserViewOptions kept = UserViewOptions::Read(platform.UserFolder());
    kept.docks.clear();  // left as they are on disk
    kept.outputFolder = QFileInfo(written).absolutePath();
    kept.Write(platform.UserFolder());
}

void MainWindow::Export() {
    Platform& platform = work_.GetPlatform();
    if (work_.Settings().WorkingFileName().empty()) {
        platform.ShowMessage(QStringLiteral("There is no scansion file open to export."));
        return;
    }
    const Platform::FileChoice target = ChooseOutputFile(
        platform, kFormats,
        ProposedExport(OutputFolder(lastExport_), work_.Settings().WorkingFileName(), lastExport_),
        work_.Settings().WorkingFileName());
    if (target.path.isEmpty()) {
        return;
    }
    std::vector<exports::ExportMeter> meters = exports::ExportMeters(work_.Doc().Meters());
    const exports::ExportMeter main = meters.front();
    meters.erase(meters.begin());
    const exports::Source source{work_.Doc().GetStore(), work_.Doc().TextEncoding(),
                                 DecodeFileName(work_.Settings().WorkingFileName()), main,
                                 std::move(meters)};
    const std::string failure =
        WriteOutputFile(target.path, exports::ExportFile(source, FormatOf(target.format)), true);
    if (!failure.empty()) {
        platform.ShowMessage(
            QStringLiteral("I couldn't export to %1: %2.  Any file that was there is untouched.")
                .arg(target.path, QString::fromStdString(failure)));
        return;
    }
    lastExport_ = target;
    KeepOutputFolder(target.path);
    const std::int32_t lines = work_.Doc().NumberOfLines();
    ShowLineStatus(
        QStringLiteral("Exported %1 verse line%2 to %3%4%5")
            .arg(lines)
            .arg(lines == 1 ? QString() : QStringLiteral("s"), QFileInfo(target.path).fileName(),
                 source.meter.Places() > 0
                     ? QString()
                     : QStringLiteral(", without a meter: this file has none"),
                 HasUncommittedChanges()
                     ? QStringLiteral("; the changes on screen are not in it (%1 saves them)")
                           .arg(CommitKey())
                     : QString()));
}

}  // namespace corvale
