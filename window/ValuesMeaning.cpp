#include "window/ValuesMeaning.h"

#include <QFile>
#include <QRegularExpression>

namespace corvale {

namespace {

// The paragraphs of a Markdown text's section "## heading", each on one line; a comment
// (<!-- ... -->) is left out.
QStringList SectionParagraphs(const QString& markdown, const QString& heading) {
    const QString title = QStringLiteral("## ") + heading + QLatin1Char('\n');
    const qsizetype start = markdown.indexOf(title);
    if (start < 0) {
        return {};
    }
    const qsizetype body = start + title.size();
    const qsizetype end = markdown.indexOf(QStringLiteral("\n## "), body);
    const QString section = markdown.mid(body, end < 0 ? -1 : end - body);
    QStringList paragraphs;
    for (const QString& block : section.split(QRegularExpression(QStringLiteral("\\n\\s*\\n")))) {
        const QString paragraph = block.simplified();
        if (!paragraph.isEmpty() && !paragraph.startsWith(QStringLiteral("<!--"))) {
            paragraphs.append(paragraph);
        }
    }
    return paragraphs;
}

}  // namespace

QString ValuesMeaningHeading() {
    return QStringLiteral("What the values mean");
}

// The manual is the one source of these words: it is compiled in (corvale.qrc), and F1 shows
// its section of this name.
QStringList ValuesMeaning() {
    QFile manual(QStringLiteral(":/docs/manual.md"));
    if (!manual.open(QIODevice::ReadOnly)) {
        return {};
    }
    return SectionParagraphs(QString::fromUtf8(manual.readAll()), ValuesMeaningHeading());
}

}  // namespace corvale
