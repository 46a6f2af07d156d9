#include "AppIdentifier.h"

#include "ForegroundWrapper.h"
#include "ProcessTools.h"
#include "SettingsFile.h"

#include <QDebug>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString frameHostName = QStringLiteral("ApplicationFrameHost.exe");

// The part after the last folder separator. Backslashes count too, as in the
// paths of Windows programs.
QString fileNameOf(const QString &path)
{
    const int slash = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

} // namespace

AppIdentifier::AppIdentifier(WindowSystem &windows, ProcessTools &processes, const QString &settingsPath,
                             QObject *parent)
    : QObject(parent)
    , windows(windows)
    , processes(processes)
{
    retryTimer.setInterval(100);
    connect(&retryTimer, &QTimer::timeout, this, &AppIdentifier::retryUwpChild);

    QSettings settings(settingsPath, QSettings::IniFormat);
    recheckTimer.setInterval(250);
    recheckLimit = SettingsFile::readInteger(settings, SettingsFile::recheckAppSwitchTimeoutKey) * 4;
    if (recheckLimit > 0)
        connect(&recheckTimer, &QTimer::timeout, this, &AppIdentifier::recheckForeground);
    adminAppDetection = settings.value("AdminAppDetection", false).toBool();
    // The default holds the empty name, so that an unidentified process is
    // not announced unless the user listed names of their own.
    ignoredApps << QStringLiteral("dwm.exe") << settings.value("IgnoredApps", QStringList{QString()}).toStringList();
}

QString AppIdentifier::identifyApp(quint32 processId)
{
    QString name;
    const QString path = processes.executablePath(processId);
    if (!path.isEmpty())
        name = fileNameOf(path);
    else if (adminAppDetection)
        name = identifyViaTasklist(processId);
    qDebug().noquote() << "ForegroundDetector: App identified:" << name;
    return name;
}

QString AppIdentifier::identifyViaTasklist(quint32 processId)
{
    qDebug() << "ForegroundDetector: Unable to open process with PID" << processId << ", identifying via tasklist";
    return processes.shortName(processId);
}

QString AppIdentifier::findUwpChildApp(quint32 processId, WindowId window)
{
    qDebug() << "ForegroundDetector: Enumerating child windows for PID:" << processId;
    const QVector<WindowId> children = windows.descendants(window);
    for (WindowId child : children) {
        const quint32 childProcessId = windows.windowProcessId(child);
        if (childProcessId != processId)
            return identifyApp(childProcessId);
    }
    return QString();
}

QIcon AppIdentifier::appIcon(WindowId window)
{
    const QString path = processes.executablePath(windows.windowProcessId(window));
    return QFileIconProvider().icon(QFileInfo(path));
}

void AppIdentifier::reportApp(const QString &app)
{
    // Asked for here, not kept from the constructor: the program's detector is
    // built before main, when the relay and the model must not be created yet.
    ForegroundWrapper::instance()->setForegroundApp(app);
    recheckCount = 0;
    // With the recheck off nothing listens to the timer: it would tick for nothing.
    if (recheckLimit > 0)
        recheckTimer.start();
}

void AppIdentifier::winEventProc(WindowId window)
{
    retryTimer.stop();
    recheckTimer.stop();
    lastForegroundWindow = window;
    const quint32 processId = windows.windowProcessId(window);
    if (processId == 0)
        return;
    QString name = identifyApp(processId);
    if (ignoredApps.contains(name))
        return;
    if (name == frameHostName) {
        name = findUwpChildApp(processId, window);
        if (name.isEmpty()) {
            retryProcessId = processId;
            retryCount = 0;
            retryTimer.start();
            return;
        }
    }
    reportApp(name);
}

void AppIdentifier::retryUwpChild()
{
    if (retryCount > 100) {
        qDebug() << "ForegroundDetector: Failed after" << retryCount << "attempts, stop timer";
        retryTimer.stop();
        return;
    }
    qDebug() << "ForegroundDetector: Retrying for PID" << retryProcessId << "Attempt" << retryCount;
    const QString name = findUwpChildApp(retryProcessId, lastForegroundWindow);
    if (!name.isEmpty()) {
        retryTimer.stop();
        reportApp(name);
    }
    ++retryCount;
}

void AppIdentifier::recheckForeground()
{
    if (recheckCount > recheckLimit) {
        recheckTimer.stop();
        return;
    }
    const WindowId window = windows.activeWindow();
    if (window != lastForegroundWindow) {
        qDebug() << "ForegroundDetector: Focus changed without notification, rechecking";
        lastForegroundWindow = window;
        recheckTimer.stop();
        const QString name = identifyApp(windows.windowProcessId(window));
        if (!ignoredApps.contains(name))
            reportApp(name);
    }
    ++recheckCount;
}
