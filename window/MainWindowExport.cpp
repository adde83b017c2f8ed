// File > Export: the verse lines as committed, under the window's meter, written for other
// tools as CSV or TEI to a file the user chooses in any folder: the one file the program writes
// outside its working folder. A file that exists is replaced only after the user agrees, and
// through a temporary file, so that a failure leaves it as it was.

#include "export/Export.h"
#include "export/ExportFiles.h"
#include "window/MainWindow.h"

#include <QFileInfo>

namespace corvale {

namespace {

using exports::Format;

// The dialog's formats, by index, and the extension that asks for each.
const QStringList kFormats = {QStringLiteral("Syllables as CSV (*.csv)"),
                              QStringLiteral("TEI P5 (*.xml)")};
const QStringList kExtensions = {QStringLiteral(".csv"), QStringLiteral(".xml")};

Format FormatOf(int index) {
    return index == 1 ? Format::Tei : Format::Csv;
}

// The index of the format a file's name asks for by its extension, if any.
std::optional<int> FormatIndexOfName(const QString& path) {
    for (const int index : {0, 1}) {
        if (path.endsWith(kExtensions[index], Qt::CaseInsensitive)) {
            return index;
        }
    }
    return std::nullopt;
}

// A name ending in a format's extension is exported in that format, whatever the dialog showed;
// any other name gains the extension of the dialog's format, as a dialog's default suffix does.
Platform::FileChoice Settled(const Platform::FileChoice& choice) {
    if (const std::optional<int> index = FormatIndexOfName(choice.path)) {
        return {choice.path, *index};
    }
    const int index = choice.format == 1 ? 1 : 0;
    return {choice.path + kExtensions[index], index};
}

bool IsSameFile(const QString& a, const QString& b) {
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

// Asks for the file to export to until the user names one that may be written, agreeing to
// replace it if it exists; an empty path when the user cancels. The dialog starts where the
// last export of this run went, in its format, or in the working folder.
Platform::FileChoice ChooseExportFile(Platform& platform, const std::string& workingFileName,
                                      const QString& lastExport) {
    const int last = FormatIndexOfName(lastExport).value_or(0);
    const QString folder =
        lastExport.isEmpty() ? platform.ProgramFolder() : QFileInfo(lastExport).absolutePath();
    const QString name = QFileInfo(DecodeFileName(workingFileName)).fileName();
    Platform::FileChoice choice{folder + u'/' + exports::ExportFileName(name, FormatOf(last)),
                                last};
    for (;;) {
        choice = platform.ChooseFileToWriteAs(QStringLiteral("Export"), choice.path, kFormats,
                                              choice.format);
        if (choice.path.isEmpty()) {
            return {};
        }
        choice = Settled(choice);
        const QFileInfo file(choice.path);
        if (IsSameFile(choice.path, platform.PathOf(workingFileName))) {
            platform.ShowMessage(QStringLiteral("%1 is the scansion file you are working on.  "
                                                "Please choose another name for the export.")
                                     .arg(choice.path));
        } else if (file.isDir()) {
            platform.ShowMessage(
                QStringLiteral("%1 is a folder.  Please choose a name for the export.")
                    .arg(choice.path));
        } else if (!file.exists() && !file.isSymLink()) {
            return choice;
        } else if (const Answer answer =
                       platform.AskYesNo(QStringLiteral("%1 exists.  Replace it?").arg(choice.path),
                                         Escape::Withdraws);
                   answer != Answer::No) {
            return answer == Answer::Yes ? choice : Platform::FileChoice{};
        }
    }
}

}  // namespace

void MainWindow::Export() {
    Platform& platform = work_.GetPlatform();
    if (work_.WorkingFileName.empty()) {
        platform.ShowMessage(QStringLiteral("There is no scansion file open to export."));
        return;
    }
    const Platform::FileChoice target =
        ChooseExportFile(platform, work_.WorkingFileName, lastExport_);
    if (target.path.isEmpty()) {
        return;
    }
    const exports::Source source{work_.GetStore(), work_.TextEncoding,
                                 DecodeFileName(work_.WorkingFileName),
                                 exports::ExportMeter(work_.MeterLine, work_.NumberOfMeterSymbols)};
    const QString failure =
        exports::WriteExportFile(target.path, exports::ExportFile(source, FormatOf(target.format)),
                                 exports::Replacing::Allowed);
    if (!failure.isEmpty()) {
        platform.ShowMessage(
            QStringLiteral("I couldn't export to %1: %2.  Any file that was there is untouched.")
                .arg(target.path, failure));
        return;
    }
    lastExport_ = target.path;
    const std::int32_t lines = work_.NumberOfLines;
    ShowLineStatus(QStringLiteral("Exported %1 verse line%2 to %3%4")
                       .arg(lines)
                       .arg(lines == 1 ? QString() : QStringLiteral("s"),
                            QFileInfo(target.path).fileName(),
                            source.meter.Places() > 0
                                ? QString()
                                : QStringLiteral(", without a meter: this file has none")));
}

}  // namespace corvale
