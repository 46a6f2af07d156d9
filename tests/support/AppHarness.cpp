#include "AppHarness.h"

#include "App.h"
#include "ConnectedMouse.h"
#include "FakeHidTransport.h"
#include "MouseFunctions.h"
#include "ProcessStateGuard.h"
#include "ProgramFolder.h"
#include "SettingsFile.h"
#include "SimulatedMouse.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

namespace {

QString &shotsRootPath()
{
    static QString path;
    return path;
}

QString settingsPath()
{
    return SettingsFile::pathBeforeApplication();
}

void emptyFolder(const QString &path)
{
    QDir folder(path);
    for (const QString &entry : folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (!folder.remove(entry))
            QDir(folder.filePath(entry)).removeRecursively();
    }
}

} // namespace

AppHarness::AppHarness(int productId, const QString &shots)
    : m_fixture(std::make_unique<ConnectedMouse>(productId))
    , m_shots(shotsRoot() + QLatin1Char('/') + shots)
{
    QDir(m_shots).removeRecursively();
    QDir().mkpath(m_shots);
    ProcessTools::setCurrent(&m_processes);
}

AppHarness::~AppHarness()
{
    stop();
    m_fixture.reset();
    ProcessTools::setCurrent(nullptr);
}

void AppHarness::prepareProcess(const QString &shippedFolder, const QString &shotsRoot)
{
    // As the program is named: its settings are the ones read before the
    // application object exists too.
    QCoreApplication::setApplicationName(QStringLiteral("Corvanelle R7 Control Panel"));
    ProgramFolder::setPath(shippedFolder);
    // Only a local port where nothing listens, should anything still ask.
    qputenv("R7_UPDATE_SERVER", "http://127.0.0.1:1");
    shotsRootPath() = shotsRoot;
    QDir().mkpath(shotsRoot);
}

QString AppHarness::shotsRoot()
{
    return shotsRootPath();
}

void AppHarness::returningUser(bool expertView)
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.setValue("HasBeenRunBefore", true);
    settings.setValue("HasBeenOpenedSinceInstallOrUpgrade", true);
    settings.setValue("ShowIntroOnLaunch", false);
    settings.setValue("AutoUpdate", false);
    settings.setValue("ExpertView", expertView);
}

void AppHarness::clearHome()
{
    for (const auto location : {QStandardPaths::GenericConfigLocation, QStandardPaths::GenericDataLocation,
                                QStandardPaths::DocumentsLocation})
        emptyFolder(QStandardPaths::writableLocation(location));
}

SimulatedMouse *AppHarness::mouse() const
{
    return m_fixture->mouse();
}

void AppHarness::start(const QByteArrayList &extraArguments)
{
    QVERIFY(!m_app);
    SimulatedMouse *simulated = m_fixture->mouse();
    MouseFunctions::setTransportFactory([simulated] { return new FakeHidTransport(simulated); });
    m_arguments = QByteArrayList{"corvanelle"} + extraArguments;
    m_argv.clear();
    for (QByteArray &argument : m_arguments)
        m_argv.push_back(argument.data());
    m_argv.push_back(nullptr);
    m_argc = int(m_arguments.size());
    m_app = std::make_unique<App>(m_argc, m_argv.data());
}

void AppHarness::stop()
{
    m_app.reset();
    // The settings file is the user's and stays; everything else held in
    // the process starts again as at a program start.
    QByteArray settings;
    {
        QFile file(settingsPath());
        if (file.open(QIODevice::ReadOnly))
            settings = file.readAll();
    }
    ProcessStateGuard::resetProcessState();
    QFile file(settingsPath());
    if (!settings.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(settings);
}

void AppHarness::restart()
{
    stop();
    start();
}

void AppHarness::awaitWindow(QWidget *window)
{
    QTRY_VERIFY_WITH_TIMEOUT(window->isVisible(), 10000);
    QVERIFY(QTest::qWaitForWindowExposed(window, 10000));
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void AppHarness::plugIn()
{
    QVERIFY(m_app);
    mouse()->plugIn();
    awaitConnection();
}

void AppHarness::awaitConnection()
{
    MouseFunctions *device = MouseFunctions::instance();
    QTRY_VERIFY_WITH_TIMEOUT(device->isCompatibleMousePresent(), 10000);
    settle();
}

void AppHarness::unplug()
{
    QVERIFY(m_app);
    mouse()->unplug();
    QTRY_VERIFY_WITH_TIMEOUT(!MouseFunctions::instance()->isDevicePresent(), 10000);
    QCoreApplication::processEvents();
}

void AppHarness::awaitUploads(int count)
{
    QTRY_COMPARE_WITH_TIMEOUT(mouse()->uploads(), count, 10000);
    settle();
}

void AppHarness::settle()
{
    MouseFunctions *device = MouseFunctions::instance();
    QTRY_VERIFY_WITH_TIMEOUT(device->waitState() == MouseFunctions::WaitIdle && !device->isAwaitingReply()
                                 && mouse()->pendingReports() == 0,
                             10000);
    QCoreApplication::processEvents();
}

QString AppHarness::shot(const QString &name)
{
    // Layouts and paint events first; the grab goes through the same
    // connection to the server as the painting, so it sees all of it.
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    QTest::qWait(30);
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QString();
    const QString path = m_shots + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!screen->grabWindow(0).save(path, "PNG")) {
        qWarning().noquote() << "AppHarness: could not write" << path;
        return QString();
    }
    return path;
}
