#include "StartupEnvironment.h"

#include "SettingsFile.h"

#include <QDebug>
#include <QGuiApplication>

#include <optional>

namespace StartupEnvironment {

namespace {
const char platformVariable[] = "QT_QPA_PLATFORM";
// Set while the variable holds the program's own choice.
bool ownChoice = false;
// What it held before, if it was set at all.
std::optional<QByteArray> foundPlatform;
} // namespace

void apply()
{
    // Left unset, the name would be the file name the program was started
    // by (argv[0]), which a link or a copy changes.
    QCoreApplication::setApplicationName(SettingsFile::applicationName());
    QCoreApplication::setOrganizationName(QString());
    const QByteArray platform = platformFor(QProcessEnvironment::systemEnvironment());
    if (platform.isEmpty())
        return;
    if (qEnvironmentVariableIsSet(platformVariable))
        foundPlatform = qgetenv(platformVariable);
    ownChoice = true;
    qputenv(platformVariable, platform);
}

void applicationBuilt()
{
    if (ownChoice) {
        ownChoice = false;
        if (foundPlatform)
            qputenv(platformVariable, *foundPlatform);
        else
            qunsetenv(platformVariable);
    }
    // Without a display at all, the application says that nothing is detected.
    if (!qEnvironmentVariableIsEmpty("DISPLAY")
        && QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        qWarning() << "StartupEnvironment: running on Wayland as QT_QPA_PLATFORM asks; foreground applications are "
                      "detected, and keys recorded, only in X11 (XWayland) windows, which the program's own windows "
                      "are not";
    }
}

QByteArray platformFor(const QProcessEnvironment &environment)
{
    if (environment.value(QStringLiteral("DISPLAY")).isEmpty()
        || !environment.value(QString::fromLatin1(platformVariable)).trimmed().isEmpty())
        return {};
    // The toolkit itself goes by the session type on some desktops.
    const bool waylandSession = !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty()
                                || environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland");
    return waylandSession ? QByteArrayLiteral("xcb") : QByteArray();
}

} // namespace StartupEnvironment
