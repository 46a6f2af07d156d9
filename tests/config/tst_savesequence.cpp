// The save sequence of both views against the simulated mouse: the upload
// when asked for and its outcome with the reason, and the configuration file
// written whatever the upload gave.
#include "ConfigFile.h"
#include "ConnectedMouse.h"
#include "ProcessStateGuard.h"
#include "SampleModel.h"
#include "SaveSequence.h"
#include "SimulatedMouse.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

enum class Mouse { None, Idle, SilentMidUpload, UnpluggedMidUpload, ModelLoading };

} // namespace
Q_DECLARE_METATYPE(Mouse)

class tst_SaveSequence : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> fixture;

private slots:
    void init()
    {
        clean.emplace();
        SampleModel::buildFullModel();
        PackageCreator::instance()->loading = false;
        QFile::remove(ConfigFile::workingFilePath());
    }
    void cleanup()
    {
        fixture.reset();
        clean.reset();
    }

    void uploadsWhenAskedThenWrites_data()
    {
        QTest::addColumn<Mouse>("mouse");
        QTest::addColumn<bool>("upload");
        QTest::addColumn<int>("result"); // -1: no upload
        QTest::addColumn<bool>("failed");
        QTest::newRow("no upload asked") << Mouse::Idle << false << -1 << false;
        QTest::newRow("uploaded") << Mouse::Idle << true << int(MouseFunctions::UploadOk) << false;
        QTest::newRow("no mouse") << Mouse::None << true << int(MouseFunctions::UploadNoDevice) << true;
        QTest::newRow("silent mid-upload")
            << Mouse::SilentMidUpload << true << int(MouseFunctions::UploadTimedOut) << true;
        QTest::newRow("unplugged mid-upload")
            << Mouse::UnpluggedMidUpload << true << int(MouseFunctions::UploadDisconnected) << true;
        QTest::newRow("model in a batch: put off")
            << Mouse::ModelLoading << true << int(MouseFunctions::UploadSkipped) << false;
    }
    void uploadsWhenAskedThenWrites()
    {
        QFETCH(Mouse, mouse);
        QFETCH(bool, upload);
        QFETCH(int, result);
        QFETCH(bool, failed);
        fixture = std::make_unique<ConnectedMouse>(30);
        if (mouse != Mouse::None)
            fixture->connect();
        SimulatedMouse *simulated = fixture->mouse();
        // The first upload packet's acknowledgement is the last the mouse says.
        connect(simulated, &SimulatedMouse::inputReport, simulated, [&](QVector<uint8_t> report) {
            if (report[2] != ((1 << 6) | 10) || report[3] != 1)
                return;
            if (mouse == Mouse::SilentMidUpload)
                simulated->setSilent(true);
            else if (mouse == Mouse::UnpluggedMidUpload && simulated->isPluggedIn())
                simulated->unplug();
        });
        PackageCreator::instance()->loading = mouse == Mouse::ModelLoading;
        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);

        const SaveSequence::Result outcome = SaveSequence::run(upload);

        QCOMPARE(outcome.upload.has_value(), result >= 0);
        if (outcome.upload)
            QCOMPARE(int(*outcome.upload), result);
        QCOMPARE(outcome.uploadFailed(), failed);
        QCOMPARE(outcome.uploadReason.isEmpty(), !failed);
        const QByteArray package = PackageCreator::instance()->package();
        QCOMPARE(simulated->ramPackage() == package, result == int(MouseFunctions::UploadOk));
        QVERIFY(outcome.written);
        QVERIFY(QFileInfo(ConfigFile::workingFilePath()).size() > 0);
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved.at(0).at(0).toBool(), false);
    }
};

QTEST_GUILESS_MAIN(tst_SaveSequence)
#include "tst_savesequence.moc"
