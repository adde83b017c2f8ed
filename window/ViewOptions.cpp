#include "window/ViewOptions.h"

#include "window/Layout.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace corvale {

namespace {

constexpr char kOverviewKey[] = "View/Overview";
constexpr char kStrictKey[] = "View/StrictMeterCheck";
constexpr char kProfileKey[] = "View/Profile";
constexpr char kZoomKey[] = "View/Zoom";
constexpr char kDocksKey[] = "View/Docks";
constexpr char kPoemFolderKey[] = "Files/PoemFolder";
constexpr char kOutputFolderKey[] = "Files/OutputFolder";
constexpr char kUserFileName[] = "view.ini";

// Options are read from an ordinary file only: a FIFO or a device in its place would block the
// start. What is not one reads as no file.
QString Readable(const QString& path) {
    const QFileInfo file(path);
    return !file.exists() || file.isFile() ? path : QString();
}

bool ReadFlag(const QSettings& settings, const char* key) {
    const QString value = settings.value(QLatin1String(key)).toString().trimmed();
    return value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

}  // namespace

ViewOptions ViewOptions::Read(const QString& path) {
    const QSettings settings(Readable(path), QSettings::IniFormat);
    return {ReadFlag(settings, kOverviewKey), ReadFlag(settings, kStrictKey),
            ReadFlag(settings, kProfileKey)};
}

bool ViewOptions::Write(const QString& path) const {
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(QLatin1String(kOverviewKey), overview);
    settings.setValue(QLatin1String(kStrictKey), strictMeterCheck);
    settings.setValue(QLatin1String(kProfileKey), profile);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

UserViewOptions UserViewOptions::Read(const QString& userFolder) {
    if (userFolder.isEmpty()) {
        return {};
    }
    const QSettings settings(Readable(QDir(userFolder).filePath(QLatin1String(kUserFileName))),
                             QSettings::IniFormat);
    bool isNumber = false;
    const int zoom = settings.value(QLatin1String(kZoomKey)).toString().trimmed().toInt(&isNumber);
    return {layout::ValidZoom(isNumber ? zoom : 0),
            settings.value(QLatin1String(kDocksKey)).toByteArray(),
            settings.value(QLatin1String(kPoemFolderKey)).toString(),
            settings.value(QLatin1String(kOutputFolderKey)).toString()};
}

bool UserViewOptions::Write(const QString& userFolder) const {
    if (userFolder.isEmpty() || !QDir().mkpath(userFolder)) {
        return false;
    }
    QSettings settings(QDir(userFolder).filePath(QLatin1String(kUserFileName)),
                       QSettings::IniFormat);
    settings.setValue(QLatin1String(kZoomKey), zoom);
    if (!docks.isEmpty()) {
        settings.setValue(QLatin1String(kDocksKey), docks);
    }
    if (!poemFolder.isEmpty()) {
        settings.setValue(QLatin1String(kPoemFolderKey), poemFolder);
    }
    if (!outputFolder.isEmpty()) {
        settings.setValue(QLatin1String(kOutputFolderKey), outputFolder);
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace corvale
