// The fixture kit itself: the other tests rely on it setting up and cleaning
// up what it says, and on the widget helpers acting as a user would.
#include "ConnectedMouse.h"
#include "DialogAnswerer.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "ProcessStateGuard.h"
#include "SettingsFile.h"
#include "SimulatedMouse.h"
#include "WidgetDriver.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>
#include <QtTest>

class TestFixtureKit : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ProcessStateGuard::resetProcessState(); }

    void connectedMouseRunsTheConnectSequence()
    {
        {
            ConnectedMouse fixture(30, 1000, 1);
            fixture.connect();
            QVERIFY(fixture.transport());
            QCOMPARE(fixture.device()->mousePID(), 30);
            QCOMPARE(fixture.device()->waitState(), int(MouseFunctions::WaitIdle));
            QCOMPARE(fixture.device()->maxDpi(), 26000); // sensor 1
            QCOMPARE(fixture.mouse()->memorySize(), 1000);
        }
        // Gone with the fixture: a new device object starts disconnected.
        QCOMPARE(MouseFunctions::instance()->waitState(), int(MouseFunctions::WaitDisconnected));
        QVERIFY(!MouseFunctions::instance()->isDevicePresent());
    }

    void guardResetsTheProcessWideObjects()
    {
        PackageCreator *store = PackageCreator::instance();
        store->addProfile(255, 255, "Global");
        store->loading = false;
        QSettings(SettingsFile::path(), QSettings::IniFormat).setValue("LastMouseConnected", 10);
        QCOMPARE(MouseFunctions::instance()->mousePID(), 10);
        {
            ProcessStateGuard guard;
            QVERIFY(!store->globalProfile());
            QVERIFY(store->loading);
            QVERIFY(!QSettings(SettingsFile::path(), QSettings::IniFormat).contains("LastMouseConnected"));
            QCOMPARE(MouseFunctions::instance()->mousePID(), 0); // made again, after the settings were emptied
            store->addProfile(255, 255, "Global");
        }
        QVERIFY(!store->globalProfile());
    }

    void widgetDriverClicksTypesAndGrabs()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *edit = new QLineEdit("old", &window);
        edit->setObjectName("nameEdit");
        auto *ok = new QPushButton("OK", &window);
        ok->setObjectName("okButton");
        auto *off = new QPushButton("Off", &window);
        off->setObjectName("offButton");
        off->setEnabled(false);
        layout->addWidget(edit);
        layout->addWidget(ok);
        layout->addWidget(off);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy clicked(ok, &QPushButton::clicked);

        QVERIFY(WidgetDriver::typeInto(&window, "nameEdit", "Work"));
        QCOMPARE(edit->text(), QString("Work"));
        QVERIFY(WidgetDriver::typeInto(&window, "nameEdit", " Day", false));
        QCOMPARE(edit->text(), QString("Work Day"));
        QVERIFY(WidgetDriver::click(&window, "okButton"));
        QCOMPARE(clicked.count(), 1);
        QTest::ignoreMessage(QtWarningMsg, "WidgetDriver: offButton is hidden or disabled");
        QVERIFY(!WidgetDriver::click(&window, "offButton"));
        QTest::ignoreMessage(QtWarningMsg, "WidgetDriver: no widget named missing");
        QVERIFY(!WidgetDriver::click(&window, "missing"));

        const QString path = WidgetDriver::grabToPng(&window, "fixturekit-window");
        QVERIFY(!path.isEmpty());
        QImage picture(path);
        QCOMPARE(picture.size(), window.grab().size());
    }

    void dialogAnswererAnswersTheNextModalDialog()
    {
        DialogAnswerer answer(DialogAnswerer::pressStandardButton(QMessageBox::Yes));
        const auto pressed = QMessageBox::question(nullptr, "Delete Profile", "Delete the profile Work?");
        QCOMPARE(pressed, QMessageBox::Yes);
        QVERIFY(answer.answered());
        QCOMPARE(answer.title(), QString("Delete Profile"));
        QCOMPARE(answer.text(), QString("Delete the profile Work?"));

        DialogAnswerer nothing({}, 30);
        QTest::ignoreMessage(QtWarningMsg, "DialogAnswerer: no dialog opened");
        QVERIFY(!nothing.wait());
    }
};

QTEST_MAIN(TestFixtureKit)
#include "tst_fixturekit.moc"
