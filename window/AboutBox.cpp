#include "window/AboutBox.h"

#include <QtGlobal>

// Resources of a static library are registered by name, outside any namespace.
static void RegisterIcons() {
    Q_INIT_RESOURCE(corvale);
}

namespace corvale {

QString CorvaleVersion() {
    return QStringLiteral(CORVALE_VERSION);
}

QString AboutText() {
    return QStringLiteral(
               "Corvale %1\n\n"
               "Corvale is for correcting the scansion of a poem by hand, verse line by verse "
               "line: stresses, junctures, merged syllables and a comment for each line.\n\n"
               "Built with Qt %2, running on Qt %3.")
        .arg(CorvaleVersion(), QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion()));
}

QIcon CorvaleIcon() {
    RegisterIcons();
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/corvale-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace corvale
