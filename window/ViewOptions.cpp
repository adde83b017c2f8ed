#include "window/ViewOptions.h"

#include <QSettings>

namespace corvale {

namespace {

constexpr char kOverviewKey[] = "View/Overview";
constexpr char kStrictKey[] = "View/StrictMeterCheck";
constexpr char kProfileKey[] = "View/Profile";

bool ReadFlag(const QSettings& settings, const char* key) {
    const QString value = settings.value(QLatin1String(key)).toString().trimmed();
    return value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

}  // namespace

ViewOptions ViewOptions::Read(const QString& path) {
    const QSettings settings(path, QSettings::IniFormat);
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

}  // namespace corvale
