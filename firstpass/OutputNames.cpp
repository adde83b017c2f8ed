#include "firstpass/FirstPass.h"

#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "scansion/MeterFile.h"

#include <QDir>
#include <QFileInfo>

namespace corvale::firstpass {

OutputNames OutputNamesFor(const QString& poemFileName) {
    const QFileInfo poem(poemFileName);
    const QString base = poem.suffix().isEmpty() || poem.completeBaseName().isEmpty()
                             ? poem.fileName()
                             : poem.completeBaseName();
    const QString folder = poemFileName.contains(u'/') ? poem.path() + u'/' : QString();
    const QString scansion = folder + base + QStringLiteral(".scansion.txt");
    return {scansion, PathFromBytes(OwnMeterFileName(PathBytes(scansion)))};
}

}  // namespace corvale::firstpass
