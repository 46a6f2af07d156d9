// The simple window as far as it is built: its name, the switch to the
// expert view, closing, the version texts and the firmware notice; and the
// predefined-profile manager's first-run mark.
#include "ManageProfiles.h"
#include "ProcessStateGuard.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SimpleView.h"
#include "WidgetDriver.h"

#include <QLabel>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <optional>

class TestSimpleView : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;

private slots:
    void init() { clean.emplace(); }
    void cleanup() { clean.reset(); }

    void switchesAndClosesIntoTheTray()
    {
        SWUpdate update;
        SimpleView view(nullptr, &update);
        QCOMPARE(view.objectName(), QString("SimpleView"));
        QSignalSpy toExpert(&view, &SimpleView::toExpertView);
        QSignalSpy hidden(&view, &SimpleView::hidden);
        view.activateView();
        QVERIFY(WidgetDriver::click(&view, "pushButton_expert"));
        QCOMPARE(toExpert.count(), 1);

        update.setParent(&view, Qt::Tool | Qt::FramelessWindowHint);
        update.show();
        view.close();
        QVERIFY(!view.isVisible());
        QVERIFY(!update.isVisible());
        QCOMPARE(hidden.count(), 1);

        view.showFullScreen();
        view.close();
        QVERIFY(view.isMinimized());
        QCOMPARE(hidden.count(), 1);
        update.setParent(nullptr); // both live on this stack
    }

    void versionTextsFollowTheChannel_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("title");
        QTest::newRow("public") << 3 << "Version: 3.0.9.1"
                                << "Corvanelle R7 Control Panel";
        QTest::newRow("alpha") << 1 << "Version: 3.0.9.1 Alpha"
                               << "Corvanelle R7 Control Panel 3.0.9.1 - included FW: 208";
        QTest::newRow("beta") << 2 << "Version: 3.0.9.1 Beta"
                              << "Corvanelle R7 Control Panel";
    }
    void versionTextsFollowTheChannel()
    {
        QFETCH(int, channel);
        QFETCH(QString, version);
        QFETCH(QString, title);
        SimpleView view(nullptr, nullptr);
        view.channelChanged(channel);
        QCOMPARE(view.findChild<QLabel *>("label_version")->text(), version);
        QCOMPARE(view.windowTitle(), title);
    }

    void firmwareNoticeShowsAndHides()
    {
        SimpleView view(nullptr, nullptr);
        auto *notice = view.findChild<QLabel *>("label_fwUpdate");
        QVERIFY(!notice->isVisibleTo(&view));
        view.fwUpdateAvailable(true);
        QVERIFY(notice->isVisibleTo(&view));
        view.fwUpdateAvailable(false);
        QVERIFY(!notice->isVisibleTo(&view));
    }

    void managerMarksTheFirstRun_data()
    {
        QTest::addColumn<QVariant>("before");
        QTest::newRow("first run") << QVariant();
        QTest::newRow("marked false") << QVariant(false);
        QTest::newRow("run before") << QVariant(true);
    }
    void managerMarksTheFirstRun()
    {
        QFETCH(QVariant, before);
        if (before.isValid())
            QSettings(SettingsFile::path(), QSettings::IniFormat).setValue("HasBeenRunBefore", before);
        {
            ManageProfiles manager(nullptr, "pelkin");
            QVERIFY(!manager.isVisible());
        }
        QCOMPARE(QSettings(SettingsFile::path(), QSettings::IniFormat).value("HasBeenRunBefore").toBool(), true);
    }
};

QTEST_MAIN(TestSimpleView)
#include "tst_simpleview.moc"
