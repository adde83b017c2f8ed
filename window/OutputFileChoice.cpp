#include "window/OutputFileChoice.h"

#include "platform/TextCodec.h"

#include <QFileInfo>

namespace corvale {

namespace {

Platform::FileChoice Settled(const OutputFormats& formats, const Platform::FileChoice& choice) {
    const int shown =
        choice.format >= 0 && choice.format < formats.extensions.size() ? choice.format : 0;
    if (const std::optional<int> index = FormatIndexOfName(formats, choice.path, shown)) {
        return {choice.path, *index};
    }
    return {choice.path + formats.extensions[shown], shown};
}

bool IsSameFile(const QString& a, const QString& b) {
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

}  // namespace

std::optional<int> FormatIndexOfName(const OutputFormats& formats, const QString& path, int shown) {
    if (shown >= 0 && shown < formats.extensions.size() &&
        path.endsWith(formats.extensions[shown], Qt::CaseInsensitive)) {
        return shown;
    }
    for (int index = 0; index < formats.extensions.size(); ++index) {
        if (path.endsWith(formats.extensions[index], Qt::CaseInsensitive)) {
            return index;
        }
    }
    return std::nullopt;
}

Platform::FileChoice ChooseOutputFile(Platform& platform, const OutputFormats& formats,
                                      const OutputQuestion& question,
                                      const std::string& workingFileName) {
    QStringList proposed = question.proposed;
    int format = question.format;
    for (;;) {
        Platform::FileChoice choice =
            platform.ChooseFileToWriteAs(question.caption, proposed, formats.filters, format);
        if (choice.path.isEmpty()) {
            return {};
        }
        choice = Settled(formats, choice);
        // Asked again, the dialog shows the name refused.
        format = choice.format;
        if (format >= 0 && format < proposed.size()) {
            proposed[format] = choice.path;
        }
        const QFileInfo file(choice.path);
        if (!workingFileName.empty() && IsSameFile(choice.path, platform.PathOf(workingFileName))) {
            platform.ShowMessage(QStringLiteral("%1 is the scansion file you are working on.  "
                                                "Please choose another name for %2.")
                                     .arg(choice.path, question.what));
        } else if (file.isDir()) {
            platform.ShowMessage(QStringLiteral("%1 is a folder.  Please choose a name for %2.")
                                     .arg(choice.path, question.what));
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

}  // namespace corvale
