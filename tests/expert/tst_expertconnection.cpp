// The expert window's "Connect To Mouse" switch against the simulated mouse:
// connections, the memory bar and its limit, Save and the save on leaving
// the program, a failed upload, and the active-profile box.
#include "ExpertViewTestKit.h"
#include "OutputBuilders.h"
#include "SampleModel.h"

class TestExpertConnection : public QObject, private ExpertViewRig
{
    Q_OBJECT

private slots:
    void initTestCase() { ExpertViewRig::initTestCase(); }
    void init() { ExpertViewRig::init(); }
    void cleanup() { ExpertViewRig::cleanup(); }

    // The use of the mouse's memory at the connection: shown rounded up, the
    // bar at most full; above 100 % the switch goes off (the mouse lacks the
    // profiles, so Save stays available).
    void memoryUseAtConnection_data()
    {
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("barValue");
        QTest::addColumn<int>("switchValue");
        QTest::addColumn<bool>("saveEnabled");
        QTest::newRow("37.2 %") << 37.2 << "38%" << 37 << 1 << false;
        QTest::newRow("exactly 100 %") << 100.0 << "100%" << 100 << 1 << false;
        QTest::newRow("100.5 %") << 100.5 << "101%" << 100 << 0 << true;
    }
    void memoryUseAtConnection()
    {
        QFETCH(double, percent);
        QFETCH(QString, label);
        QFETCH(int, barValue);
        QFETCH(int, switchValue);
        QFETCH(bool, saveEnabled);
        build();
        QCOMPARE(text("label_memory"), QString("0%"));
        fixture->mouse()->setMemorySize(memoryFor(percent));
        QSignalSpy connected(MouseFunctions::instance(), &MouseFunctions::mouseConnect);
        fixture->mouse()->plugIn();
        QVERIFY(connected.wait(2000));
        QTRY_COMPARE(text("label_memory"), label);
        QCOMPARE(bar(), barValue);
        QCOMPARE(slider()->value(), switchValue);
        QCOMPARE(view->connectionSwitch().overLimit(), switchValue == 0);
        QCOMPARE(button("pushButton_save")->isEnabled(), saveEnabled);
    }

    // Over the limit the switch went off by itself; once an edit brings the
    // use below 100 % again it comes back on only with a mouse there.
    void belowTheLimitAgain_data()
    {
        QTest::addColumn<bool>("unplugFirst");
        QTest::addColumn<int>("switchValue");
        QTest::addColumn<int>("uploads");
        QTest::newRow("mouse connected") << false << 1 << 2;
        QTest::newRow("mouse gone") << true << 0 << 1;
    }
    void belowTheLimitAgain()
    {
        QFETCH(bool, unplugFirst);
        QFETCH(int, switchValue);
        QFETCH(int, uploads);
        build();
        fixture->mouse()->setMemorySize(memoryFor(100.5));
        QSignalSpy connected(MouseFunctions::instance(), &MouseFunctions::mouseConnect);
        fixture->mouse()->plugIn();
        QVERIFY(connected.wait(2000));
        QTRY_VERIFY(view->connectionSwitch().overLimit());
        QCOMPARE(fixture->mouse()->uploads(), 0); // refused before it was sent
        if (unplugFirst) {
            fixture->mouse()->unplug();
            QTRY_VERIFY(!view->connectionSwitch().connected());
        }
        // Fewer mappings: the biggest profile's go.
        PackageCreator *model = PackageCreator::instance();
        ProfileData *biggest = model->globalProfile();
        for (ProfileData *profile : model->profiles()) {
            if (profile->inputMaps.size() > biggest->inputMaps.size())
                biggest = profile;
        }
        model->setCurrentProfile(biggest);
        model->setInputMaps({});
        QCOMPARE(slider()->value(), switchValue);
        QCOMPARE(fixture->mouse()->uploads(), uploads - 1);
        if (uploads > 1)
            QCOMPARE(fixture->mouse()->ramPackage(), model->package());
        QVERIFY(!view->connectionSwitch().overLimit());
    }

    void connectAndDisconnect()
    {
        build();
        plugIn();
        QCOMPARE(fixture->mouse()->ramPackage(), PackageCreator::instance()->package());
        QVERIFY(!button("pushButton_save")->isEnabled());

        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);
        fixture->mouse()->unplug();
        QTRY_COMPARE(slider()->value(), 0);
        QCOMPARE(saved.count(), 0);
        plugIn();
        QCOMPARE(saved.count(), 1);

        // Switched off by hand: a reconnection leaves it off.
        moveSwitch();
        QCOMPARE(slider()->value(), 0);
        QVERIFY(view->connectionSwitch().manualOff());
        fixture->mouse()->unplug();
        QTRY_VERIFY(!view->connectionSwitch().connected());
        fixture->mouse()->plugIn();
        QTRY_VERIFY(view->connectionSwitch().connected());
        QTest::qWait(50);
        QCOMPARE(slider()->value(), 0);
        QCOMPARE(fixture->mouse()->uploads(), 2);
        moveSwitch();
        QCOMPARE(slider()->value(), 1);
        QCOMPARE(fixture->mouse()->uploads(), 3);
    }

    void switchingOnWithoutAMouseSaysSo()
    {
        build();
        showWindow();
        QString question;
        DialogAnswerer answer(answerBox("Ok", &question));
        moveSwitch();
        QVERIFY(answer.answered());
        QCOMPARE(question, QString("No mouse detected, please check the Corvanelle V is\nplugged in, and press 'Ok'"));
        QCOMPARE(slider()->value(), 0);
    }

    // An upload that does not reach the mouse is told once, with its reason,
    // while the window shows, and Save stays available: the file has the
    // edits, the mouse has not.
    void failedUploadKeepsSaveAvailable_data()
    {
        QTest::addColumn<bool>("visible");
        QTest::newRow("window shown") << true;
        QTest::newRow("window hidden") << false;
    }
    void failedUploadKeepsSaveAvailable()
    {
        QFETCH(bool, visible);
        build();
        plugIn();
        if (visible)
            showWindow();
        editCurrentProfile();
        QVERIFY(button("pushButton_save")->isEnabled());
        fixture->mouse()->setSilent(true);
        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);
        QString question;
        DialogAnswerer answer(answerBox("Ok", &question), 3000);
        const SaveSequence::Result result = view->saveButton();
        QCOMPARE(answer.answered(), visible);
        QVERIFY(result.uploadFailed());
        QVERIFY(result.written);
        if (visible) {
            QVERIFY2(question.startsWith("The profiles could not be stored in the mouse:\n"), qPrintable(question));
            QVERIFY2(question.contains(result.uploadReason), qPrintable(question));
        }
        QCOMPARE(saved.count(), 1);
        QVERIFY(button("pushButton_save")->isEnabled());
        DialogAnswerer another(answerBox("Ok"), 300);
        QVERIFY(!another.wait());
    }

    // A reason that names a mapping gives the name as typed, not read as
    // markup.
    void uploadReasonNamesAMappingAsTyped()
    {
        build();
        plugIn();
        showWindow();
        InputMapPtr mapping = SampleModel::button(3, "<b>R&D");
        for (int i = 0; i < 256; ++i)
            mapping->activationOutputs.append(click(1, 1));
        PackageCreator *model = PackageCreator::instance();
        model->setInputMaps(model->currentInputMaps() << mapping);
        QString question;
        DialogAnswerer answer(answerBox("Ok", &question), 3000);
        const SaveSequence::Result result = view->saveButton();
        QVERIFY(answer.answered());
        QVERIFY2(result.uploadReason.contains("\"<b>R&D\""), qPrintable(result.uploadReason));
        QVERIFY2(question.contains(result.uploadReason), qPrintable(question));
    }

    // Only edits enable Save; a save or a connection's memory check does not.
    void saveMeansUnsavedEdits()
    {
        build();
        plugIn();
        QPushButton *save = button("pushButton_save");
        QVERIFY(!save->isEnabled());
        editCurrentProfile();
        QVERIFY(save->isEnabled());
        const int uploads = fixture->mouse()->uploads();
        showWindow();
        QVERIFY(WidgetDriver::click(view.get(), "pushButton_save"));
        QVERIFY(!save->isEnabled());
        QCOMPARE(fixture->mouse()->uploads(), uploads + 1);
        QCOMPARE(fixture->mouse()->ramPackage(), PackageCreator::instance()->package());
    }

    // Leaving this program for another one with edits unsaved saves once;
    // without edits, with the switch off, or between two other programs it
    // does not.
    void leavingTheProgramSaves_data()
    {
        QTest::addColumn<QStringList>("before"); // announced before the edit
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("switchedOff");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("saves");
        QTest::newRow("edits, leaving") << QStringList() << true << false << QStringList{"firefox"} << 1;
        QTest::newRow("repeated announcements")
            << QStringList() << true << false << QStringList{"firefox", "firefox", "gimp", ownName(), "gimp"} << 1;
        QTest::newRow("no edits") << QStringList() << false << false << QStringList{"firefox"} << 0;
        QTest::newRow("switch off") << QStringList() << true << true << QStringList{"firefox"} << 0;
        QTest::newRow("between two others")
            << QStringList{"firefox"} << true << false << QStringList{"gimp", "firefox"} << 0;
    }
    void leavingTheProgramSaves()
    {
        QFETCH(QStringList, before);
        QFETCH(bool, edit);
        QFETCH(bool, switchedOff);
        QFETCH(QStringList, after);
        QFETCH(int, saves);
        build();
        plugIn();
        SimpleModel::instance()->setAutoSwitching(false);
        if (switchedOff)
            moveSwitch();
        // One at a time: what comes while a save uploads is not looked at.
        const auto announce = [](const QStringList &apps) {
            for (const QString &app : apps) {
                ForegroundWrapper::instance()->setForegroundApp(app);
                QTest::qWait(20); // queued
            }
        };
        announce(before);
        if (edit)
            editCurrentProfile();
        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);
        const int uploads = fixture->mouse()->uploads();
        announce(after);
        QCOMPARE(saved.count(), saves);
        QCOMPARE(fixture->mouse()->uploads(), uploads + saves);
        QCOMPARE(view->previousForegroundApp(), switchedOff ? ownName() : after.last());
    }

    // The box's entry by name: a name it does not hold changes nothing (and
    // never ends automatic switching); the entry shown is activated again,
    // with its save of the edits, only when forced.
    void activeProfileByName_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("entry"); // -1: a name the box does not hold
        QTest::addColumn<bool>("forced");
        QTest::addColumn<int>("saves");
        QTest::newRow("unknown name") << 0 << -1 << true << 0;
        QTest::newRow("entry shown, forced") << 1 << 1 << true << 1;
        QTest::newRow("entry shown") << 1 << 1 << false << 0;
        QTest::newRow("other entry") << 1 << 2 << false << 1;
    }
    void activeProfileByName()
    {
        QFETCH(int, shown);
        QFETCH(int, entry);
        QFETCH(bool, forced);
        QFETCH(int, saves);
        build();
        plugIn();
        ComboBox *box = view->activeProfileBox();
        box->setCurrentIndex(shown);
        QCOMPARE(SimpleModel::instance()->autoSwitching(), shown == 0);
        editCurrentProfile();
        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);
        view->setActiveProfile(entry < 0 ? QString("Nobody") : box->itemText(entry), forced);
        QCOMPARE(saved.count(), saves);
        QCOMPARE(box->currentIndex(), entry < 0 ? shown : entry);
        QCOMPARE(SimpleModel::instance()->autoSwitching(), shown == 0);
        if (entry == 2)
            QCOMPARE(SimpleModel::instance()->activeProfile(), SimpleModel::instance()->profiles().at(1));
    }

    void bootloaderConnectionUploadsNothing()
    {
        build();
        // A bootloader that passes the check is reported as a connection
        // (while an update waits for the mouse to come back).
        MouseFunctions *device = MouseFunctions::instance();
        device->setFirmwareStateProvider([] { return 5; });
        device->setFirmwareCheckEnabled(false);
        QSignalSpy connected(device, &MouseFunctions::mouseConnect);
        fixture->mouse()->plugInAsBootloader(7);
        QVERIFY(connected.wait(2000));
        QCOMPARE(connected.last().at(0).toBool(), true);
        QTest::qWait(50);
        QCOMPARE(fixture->mouse()->uploads(), 0);
        QCOMPARE(slider()->value(), 0);
        QVERIFY(!view->connectionSwitch().connected());
    }
};

QTEST_MAIN(TestExpertConnection)
#include "tst_expertconnection.moc"
