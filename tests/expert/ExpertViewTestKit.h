#pragma once
// What the expert window's tests share: the window built over the
// simulated mouse, the store's files in the test's home, and the ways a user
// reaches its switch, buttons and labels.
#include "AppStyleSheet.h"
#include "AppSwitchSocketServer.h"
#include "ComboBox.h"
#include "ConfigFile.h"
#include "ConnectedMouse.h"
#include "DialogAnswerer.h"
#include "ExpertStartup.h"
#include "ExpertTray.h"
#include "ExpertView.h"
#include "FakeHidTransport.h"
#include "ForegroundWrapper.h"
#include "LogRecorder.h"
#include "MessageBoxAnswer.h"
#include "MouseFunctions.h"
#include "MouseImage.h"
#include "PackageCreator.h"
#include "ProcessStateGuard.h"
#include "ProfileData.h"
#include "ProfileScroller.h"
#include "ProgramFolder.h"
#include "RequestedProfile.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SimpleModel.h"
#include "SimulatedMouse.h"
#include "WidgetDriver.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLocalSocket>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

#include <cmath>
#include <memory>
#include <optional>

inline QSettings settings()
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat);
}

inline void sendToSocket(const QByteArray &command)
{
    QLocalSocket socket;
    socket.connectToServer(AppSwitchSocketServer::socketPath());
    QVERIFY(socket.waitForConnected(2000));
    socket.write(command);
    QVERIFY(socket.waitForBytesWritten(2000));
    QTest::qWait(50);
    socket.disconnectFromServer();
}

inline void writeChannelIni()
{
    QSettings channel(SettingsFile::channelIniPath(), QSettings::IniFormat);
    channel.setValue("IsBetaChannel", true);
}

inline QString ownName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

// An edit of the current profile, as a page stores one.
inline void editCurrentProfile()
{
    PackageCreator::instance()->setLinkedApps({"editor"}, {"editor"});
}

// The window over a simulated mouse (model 10 unless built otherwise), with
// the process state put back after each test function.
class ExpertViewRig
{
public:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> fixture;
    std::unique_ptr<SWUpdate> update;
    std::unique_ptr<ExpertView> view;

    static void initTestCase()
    {
        ProgramFolder::setPath(R7_SHIPPED_DIR);
        qApp->setStyleSheet(AppStyleSheet::joined());
    }

    void init()
    {
        clean.emplace();
        fixture = std::make_unique<ConnectedMouse>(10);
        QFile::remove(ConfigFile::workingFilePath());
        QFile::remove(SettingsFile::channelIniPath());
    }

    void cleanup()
    {
        view.reset();
        update.reset();
        fixture.reset();
        clean.reset();
    }

    void build(int productId = 10)
    {
        fixture->mouse()->setProductId(productId);
        MouseFunctions::setTransportFactory([this] { return new FakeHidTransport(fixture->mouse()); });
        update = std::make_unique<SWUpdate>();
        view = std::make_unique<ExpertView>(nullptr, update.get());
    }

    // Plugged in, connected, switched on by itself and the first upload done.
    void plugIn()
    {
        const int before = fixture->mouse()->uploads();
        fixture->mouse()->plugIn();
        QTRY_COMPARE(fixture->mouse()->uploads(), before + 1);
        QTRY_COMPARE(slider()->value(), 1);
    }

    void showWindow()
    {
        view->activateView();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }

    // The user moves the switch to its other end.
    void moveSwitch()
    {
        slider()->triggerAction(slider()->value() == 1 ? QAbstractSlider::SliderToMinimum
                                                       : QAbstractSlider::SliderToMaximum);
    }

    QSlider *slider() const { return WidgetDriver::child<QSlider>(view.get(), "horizontalSlider_connect"); }
    QPushButton *button(const char *name) const { return WidgetDriver::child<QPushButton>(view.get(), name); }
    QString text(const char *label) const { return WidgetDriver::child<QLabel>(view.get(), label)->text(); }
    int bar() const { return WidgetDriver::child<QProgressBar>(view.get(), "progressBar_memory")->value(); }

    // The mouse's memory size at which the loaded profiles use percent of it.
    static int memoryFor(double percent)
    {
        return int(std::lround(PackageCreator::instance()->package().size() * 100.0 / percent));
    }
};
