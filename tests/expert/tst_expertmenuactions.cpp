// The expert main menu's plain steps: the help articles through a recording
// URL opener, the inert items, and the store in flash against the simulated
// mouse, also when the mouse stops answering.
#include "ConfigFile.h"
#include "ConnectedMouse.h"
#include "ConnectionSwitch.h"
#include "ExpertMenuActions.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "ProcessStateGuard.h"
#include "ProfileData.h"
#include "ProfileReceiver.h"
#include "ProgramFolder.h"
#include "SharedConstants.h"
#include "SimulatedMouse.h"

#include <QtTest>

#include <memory>
#include <optional>

using namespace ExpertMenuActions;

class TestExpertMenuActions : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;

private slots:
    void initTestCase() { ProgramFolder::setPath(R7_SHIPPED_DIR); }
    void init() { clean.emplace(); }
    void cleanup() { clean.reset(); }
    void helpArticles_data();
    void helpArticles();
    void storeInFlash_data();
    void storeInFlash();
    void reset();
};

void TestExpertMenuActions::helpArticles_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("url"); // empty: nothing opened
    QTest::newRow("introduction") << int(Introduction) << 3 << introductionUrl;
    QTest::newRow("release notes, public") << int(ReleaseNotes) << 3 << changelogUrl;
    QTest::newRow("release notes, beta") << int(ReleaseNotes) << 2 << betaChangelogUrl;
    QTest::newRow("release notes, alpha") << int(ReleaseNotes) << 1 << betaChangelogUrl;
    QTest::newRow("firmware-check row") << int(FirstInert) << 3 << QString();
    QTest::newRow("beyond the menu") << 12 << 3 << QString();
    QTest::newRow("store in flash") << int(StoreInFlash) << 3 << QString();
}

void TestExpertMenuActions::helpArticles()
{
    QFETCH(int, item);
    QFETCH(int, channel);
    QFETCH(QString, url);
    QList<QUrl> opened;
    const bool result = openHelpArticle(item, channel, [&opened](const QUrl &address) {
        opened << address;
        return true;
    });
    QCOMPARE(result, !url.isEmpty());
    QCOMPARE(opened, url.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(url)});
    QVERIFY(!openHelpArticle(item, channel, [](const QUrl &) { return false; }));
}

void TestExpertMenuActions::storeInFlash_data()
{
    QTest::addColumn<bool>("switchOn");
    QTest::addColumn<QString>("mouse"); // how the mouse answers
    QTest::addColumn<int>("result");
    QTest::newRow("switch on, mouse answers") << true << "answers" << int(FlashResult::Stored);
    QTest::newRow("switch on, silent mouse") << true << "silent" << int(FlashResult::NotStored);
    QTest::newRow("switch on, flash unanswered") << true << "silent to the flash" << int(FlashResult::NotStored);
    QTest::newRow("switch on, flash refused") << true << "refuses the flash" << int(FlashResult::NotStored);
    QTest::newRow("switch off") << false << "answers" << int(FlashResult::NoMouse);
}

void TestExpertMenuActions::storeInFlash()
{
    QFETCH(bool, switchOn);
    QFETCH(QString, mouse);
    PackageCreator *model = PackageCreator::instance();
    model->addProfile(255, 255, globalProfileName);
    model->loading = false;
    auto fixture = std::make_unique<ConnectedMouse>(5);
    fixture->connect();
    MouseFunctions *device = fixture->device();
    SimulatedMouse *simulated = fixture->mouse();
    const bool silent = mouse == "silent";
    simulated->setSilent(silent);
    if (mouse == "refuses the flash")
        simulated->setAcknowledgement(2, 10, 1, SimulatedMouse::Unsupported);
    ConnectionSwitch connection(ConnectionSwitch::deviceOf(device));
    connection.autoConnection(true);

    // The save the window runs first: the upload only while the switch is on.
    QString reason;
    connect(device, &MouseFunctions::uploadFinished, this,
            [&reason](MouseFunctions::UploadResult, const QString &text) { reason = text; });
    const MouseFunctions::UploadResult upload =
        switchOn ? device->sendProfilesToMouse() : MouseFunctions::UploadSkipped;
    if (mouse == "silent to the flash")
        simulated->setSilent(true);
    const FlashResult result = ExpertMenuActions::storeInFlash(switchOn, upload, device);

    QTEST(int(result), "result");
    QCOMPARE(flashMessage(result).startsWith(QLatin1String("Settings successfully saved")),
             result == FlashResult::Stored);
    if (result == FlashResult::Stored) {
        QCOMPARE(simulated->flashWrites(), 1);
        QCOMPARE(simulated->flashPackage(), device->package());
    } else {
        QCOMPARE(simulated->flashWrites(), 0);
    }
    if (silent) {
        // The failed upload is told once, with its reason, and keeps Save.
        QVERIFY(upload != MouseFunctions::UploadOk);
        QVERIFY(!reason.isEmpty());
        const auto told = connection.uploadEnded(true, reason, true);
        QCOMPARE(told.message, ConnectionSwitch::Message::UploadFailed);
        QCOMPARE(told.reason, reason);
        QVERIFY(told.enableSave);
    }
    fixture.reset();
}

void TestExpertMenuActions::reset()
{
    PackageCreator *model = PackageCreator::instance();
    model->addProfile(255, 255, globalProfileName);
    model->addProfile(0, 255, QStringLiteral("Work"));
    // What the profile tree does with the profiles a file names.
    ProfileReceiver receiver;
    model->loading = false;
    auto fixture = std::make_unique<ConnectedMouse>(5);
    fixture->connect();
    ConfigFile *file = ConfigFile::instance();
    QVERIFY(file->copyStarterFile());
    bool hasGlobal = false;
    const QStringList starter = file->profileNamesInFile(ConfigFile::starterCopyPath(), &hasGlobal);
    QVERIFY(!starter.isEmpty());

    model->loading = true;
    QVERIFY(resetProfiles(true, file, fixture->device()));
    model->loading = false;
    QCOMPARE(fixture->mouse()->configResets(), 1);
    for (const ProfileData *profile : model->profiles())
        QVERIFY(profile->name != QLatin1String("Work"));

    // The window's ending, as after an import: the save with the switch on.
    QCOMPARE(fixture->device()->sendProfilesToMouse(), MouseFunctions::UploadOk);
    QVERIFY(file->save());
    QCOMPARE(fixture->mouse()->ramPackage(), fixture->device()->package());
    QStringList inModel;
    for (const ProfileData *profile : model->profiles())
        inModel << profile->name;
    QCOMPARE(inModel, (QStringList{"Desktop", "Games"}));
    QCOMPARE(file->profileNamesInFile(ConfigFile::workingFilePath(), &hasGlobal), starter);
    fixture.reset();
}

QTEST_GUILESS_MAIN(TestExpertMenuActions)
#include "tst_expertmenuactions.moc"
