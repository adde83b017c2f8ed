// Placeholder until the real reader lands: UTF-8 rows, blank rows dropped.
#include "firstpass/FirstPass.h"

#include <QFile>
#include <QString>

namespace corvale::firstpass {

std::variant<Poem, Refusal> ReadPoem(std::string_view bytes) {
    Poem poem;
    const QString text = QString::fromUtf8(bytes.data(), std::ssize(bytes));
    for (QString row : text.split(u'\n')) {
        row = row.replace(u'\t', u' ').trimmed();
        if (!row.isEmpty())
            poem.verseLines.push_back(row.toStdString());
    }
    if (poem.verseLines.empty())
        return Refusal{"The poem has no verse lines.", 0};
    return poem;
}

std::variant<Poem, Refusal> ReadPoemFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refusal{"I cannot read " + path.toStdString() + ".", 0};
    return ReadPoem(file.readAll().toStdString());
}

}  // namespace corvale::firstpass
