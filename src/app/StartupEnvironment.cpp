#include "StartupEnvironment.h"

#include "SettingsFile.h"

#include <QCoreApplication>

namespace StartupEnvironment {

void apply()
{
    // Left unset, the name would be the file name the program was started
    // by (argv[0]), which a link or a copy changes.
    QCoreApplication::setApplicationName(SettingsFile::applicationName());
    QCoreApplication::setOrganizationName(QString());
    const QByteArray platform = platformFor(QProcessEnvironment::systemEnvironment());
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

QByteArray platformFor(const QProcessEnvironment &environment)
{
    if (environment.value(QStringLiteral("DISPLAY")).isEmpty())
        return {};
    const QString requested = environment.value(QStringLiteral("QT_QPA_PLATFORM")).trimmed();
    if (requested.isEmpty()) {
        // The toolkit itself goes by the session type on some desktops.
        const bool waylandSession =
            !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty()
            || environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland");
        return waylandSession ? QByteArrayLiteral("xcb") : QByteArray();
    }
    // The value may list fallbacks ("wayland;xcb"), tried in order, and give
    // a platform arguments after a colon; all the Wayland ones
    // ("wayland-egl", ...) start with its name.
    const QString first = requested.section(QLatin1Char(';'), 0, 0).section(QLatin1Char(':'), 0, 0).trimmed();
    return first.startsWith(QLatin1String("wayland"), Qt::CaseInsensitive) ? QByteArrayLiteral("xcb") : QByteArray();
}

} // namespace StartupEnvironment
