// The force calibration's model and calibrator against the simulated mouse:
// the stages as the mouse's live stream drives them, the click capture, and
// reading and writing the calibration block.
#include "ForceCalibrator.h"
#include "ForceModel.h"
#include "MouseFunctions.h"

#include "ConnectedMouse.h"
#include "ProcessStateGuard.h"
#include "SimulatedMouse.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <numeric>
#include <optional>

namespace {

using Bytes = QVector<uint8_t>;
using Sample = SimulatedMouse::LiveSample;
using Script = QVector<Sample>;
using Levels = Force::Levels;

constexpr uint16_t rest = 60000; // raw force of a sensor nobody presses

struct Outcome
{
    int sensor = -1;
    int level = -1;
    int result = -1;
    int force = -1;
};

QByteArray blockOf(std::initializer_list<uint16_t> values)
{
    QByteArray bytes;
    for (uint16_t v : values)
        bytes.append(char(v & 0xFF)).append(char(v >> 8));
    return bytes;
}

Sample idle(uint16_t left = rest, uint16_t right = rest)
{
    return Sample{0, left, right};
}

} // namespace

Q_DECLARE_METATYPE(Script)

class TestForceCalibrator : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> fixture;
    SimulatedMouse *mouse = nullptr;
    std::unique_ptr<Force::Model> model;
    std::unique_ptr<Force::Calibrator> calibrator;

    MouseFunctions *device() { return MouseFunctions::instance(); }

    void connectMouse(int pid = 30)
    {
        fixture->connect(pid);
        model = std::make_unique<Force::Model>();
        calibrator = std::make_unique<Force::Calibrator>(model.get(), nullptr);
    }

    // Plays the script and runs one stage as the dialog does (the zero stage
    // after startZeroing); the stage's one StageComplete.
    Outcome runStage(int sensor, int level, const Script &script, bool withMotion = true)
    {
        QSignalSpy complete(calibrator.get(), &Force::Calibrator::StageComplete);
        mouse->setLiveStream(script, 5, withMotion);
        if (level == Force::Zeroing)
            calibrator->startZeroing();
        calibrator->startStage(sensor, level);
        if (!complete.wait(3000) && complete.isEmpty())
            return {};
        QTest::qWait(30); // no second report of the same stage
        if (complete.count() != 1)
            return {};
        mouse->stopLiveStream();
        const QList<QVariant> args = complete.takeFirst();
        return {args.at(0).toInt(), args.at(1).toInt(), args.at(2).toInt(), int(args.at(3).value<uint16_t>())};
    }

private slots:
    void init()
    {
        clean.emplace();
        fixture = std::make_unique<ConnectedMouse>();
        mouse = fixture->mouse();
    }

    void cleanup()
    {
        calibrator.reset();
        model.reset();
        fixture.reset();
        mouse = nullptr;
        clean.reset();
    }

    // --- The model

    void modelKeepsEntryZeroAndEmitsOnlyForChanges()
    {
        Force::Model m;
        m.setSensorLevels(Force::LeftButton, {7, 0, 0, 0});
        m.setSensorLevels(Force::RightFingertip, {9, 0, 0, 0});
        QSignalSpy changed(&m, &Force::Model::changed);
        m.setFromBlock(Force::defaultBlock());
        QCOMPARE(m.leftButton(), Levels({7, 10000, 19660, 52428}));
        QCOMPARE(m.leftFingertip(), Levels({0, 10000, 19660, 52428}));
        QCOMPARE(m.rightFingertip(), Levels({9, 10000, 19660, 52428}));
        QCOMPARE(m.leftZero(), uint16_t(0));
        QCOMPARE(changed.count(), 4); // the zeros stayed 0
        m.setFromBlock(Force::defaultBlock());
        m.setRightButton(m.rightButton());
        QCOMPARE(changed.count(), 4);
        QCOMPARE(m.property("LeftButton").value<Levels>(), m.leftButton());
    }

    // --- Stages

    void zeroingAveragesThirtyTwoSamples_data()
    {
        QTest::addColumn<int>("sensor");
        QTest::addColumn<bool>("withMotion");
        QTest::addColumn<int>("reports"); // reports 20 that the stage takes
        QTest::newRow("left button, reports 20 only") << 0 << false << 32;
        // A report 23 repeats the report 20 before it.
        QTest::newRow("left button, reports 23 between") << 0 << true << 16;
        QTest::newRow("right fingertip reads the right side") << 3 << false << 32;
    }

    // Started as the dialog starts it: startZeroing, then the stage, which
    // must not count each report twice.
    void zeroingAveragesThirtyTwoSamples()
    {
        QFETCH(int, sensor);
        QFETCH(bool, withMotion);
        QFETCH(int, reports);
        connectMouse();
        Script script;
        QVector<uint16_t> taken;
        for (int i = 0; i < 40; ++i) {
            const uint16_t force = uint16_t(50000 + 37 * i + (i % 3));
            script.append(sensor < 2 ? idle(force, 1234) : idle(1234, force));
            if (i < reports)
                taken.append(force);
        }
        const unsigned sum = std::accumulate(taken.cbegin(), taken.cend(), 0u);
        const Outcome outcome = runStage(sensor, Force::Zeroing, script, withMotion);
        QCOMPARE(outcome.sensor, sensor);
        QCOMPARE(outcome.level, 0);
        QCOMPARE(outcome.result, 0);
        QCOMPARE(outcome.force, int(sum / unsigned(reports)));
        QVERIFY(calibrator->zeroSampleTaken());
        const uint16_t last = uint16_t(0xFFFF - taken.last());
        QCOMPARE(sensor < 2 ? calibrator->leftZeroSample() : calibrator->rightZeroSample(), last);
        QCOMPARE(sensor < 2 ? calibrator->rightZeroSample() : calibrator->leftZeroSample(), uint16_t(0));
        QVERIFY(!mouse->isStreaming());
        QCOMPARE(calibrator->currentLevel(), Force::none);
    }

    void pressStages_data()
    {
        QTest::addColumn<int>("sensor");
        QTest::addColumn<int>("level");
        QTest::addColumn<Script>("script");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("force");
        QTest::newRow("zeroing with a button down at once") << 0 << 0 << Script{{0x0001, 100, 100}, idle()} << 3 << 0;
        QTest::newRow("40 %: the hardest press counts") << 2 << 2 << Script{idle(),
                                                                            idle(),
                                                                            {0x0002, rest, 950},
                                                                            {0x0002, rest, 900},
                                                                            {0x0002, rest, 700},
                                                                            {0x0002, rest, 800},
                                                                            idle(rest, 950)}
                                                        << 0 << 700;
        QTest::newRow("40 %: another button while pressed")
            << 2 << 2 << Script{idle(), {0x0002, rest, 900}, {0x0003, rest, 700}, idle()} << 3 << 0;
        QTest::newRow("40 %: another button first") << 2 << 2 << Script{{0x0001, rest, 900}, idle()} << 3 << 0;
        QTest::newRow("100 % on the left fingertip")
            << 1 << 3 << Script{idle(), {0x0080, 3000, rest}, {0x0080, 2000, 10}, idle(2500, rest)} << 0 << 2000;
    }

    void pressStages()
    {
        QFETCH(int, sensor);
        QFETCH(int, level);
        QFETCH(Script, script);
        QFETCH(int, result);
        QFETCH(int, force);
        connectMouse();
        const Outcome outcome = runStage(sensor, level, script, true);
        QCOMPARE(outcome.sensor, sensor);
        QCOMPARE(outcome.level, level);
        QCOMPARE(outcome.result, result);
        QCOMPARE(outcome.force, force);
        QVERIFY(!mouse->isStreaming());
    }

    void clickCapture_data()
    {
        QTest::addColumn<int>("captureButton"); // -1: the one the stream showed
        QTest::addColumn<bool>("strayReply");
        QTest::addColumn<int>("result");
        QTest::newRow("the stream's button") << -1 << false << 0;
        QTest::newRow("capture naming the right fingertip") << 8 << false << 0;
        QTest::newRow("capture naming the left fingertip") << 7 << false << 3;
        // Only the capture's own reply counts.
        QTest::newRow("an unrelated reply first") << -1 << true << 0;
    }

    void clickCapture()
    {
        QFETCH(int, captureButton);
        QFETCH(bool, strayReply);
        QFETCH(int, result);
        connectMouse();
        mouse->setCaptureButton(captureButton);
        if (strayReply)
            mouse->addStrayReport(0, 25, 5, {40, 2, 0, 0, 66, 0, 1, 2, 3, 4});
        QSignalSpy activation(calibrator.get(), &Force::Calibrator::ReportActivationChange);
        const Script script{idle(), idle(), idle(), {0x0100, 4321, 1234}, {0x0100, 4000, 1000}, idle()};
        const Outcome outcome = runStage(3, Force::ClickForce, script);
        QCOMPARE(outcome.result, result);
        QCOMPARE(outcome.force, result == 0 ? 1234 : 0); // the right side's captured force
        QCOMPARE(mouse->countOf(2, 25, 5), 1);
        QCOMPARE(mouse->countOf(0, 25, 5), 1);
        QCOMPARE(activation.count(), 2);
        QCOMPARE(activation.at(0).at(0).toInt(), 2);
        QCOMPARE(activation.at(1).at(0).toInt(), 3);
    }

    // --- The block

    void writeSendsTheModelLowByteFirst()
    {
        connectMouse();
        Force::Model m;
        m.setLeftZero(100);
        m.setRightZero(200);
        for (int sensor = 0; sensor < 4; ++sensor)
            m.setSensorLevels(sensor, {0, 1, 2, 3});
        QCOMPARE(calibrator->writeCalibration(m), MouseFunctions::ReplyWait::Received);
        const QByteArray golden = blockOf({100, 200, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3});
        QCOMPARE(mouse->calibrationBlock(), golden);
        QVERIFY(mouse->lastCommand().is(1, 25, 1));
        QCOMPARE(mouse->lastCommand().packets, 1);
    }

    void readCalibration_data()
    {
        QTest::addColumn<QString>("mouseState");
        QTest::addColumn<bool>("read");
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("maxMs");
        QTest::newRow("answered") << "answers" << true << 0 << 400;
        QTest::newRow("answered after the command's own wait") << "late" << true << 700 << 1500;
        // The stray reports are no answer either.
        QTest::newRow("silent to the block read") << "silent" << false << 1900 << 2600;
        QTest::newRow("refused") << "refuses" << false << 0 << 400;
        QTest::newRow("unplugged during the read") << "unplugged" << false << 0 << 400;
        QTest::newRow("no mouse") << "absent" << false << 0 << 100;
    }

    void readCalibration()
    {
        QFETCH(QString, mouseState);
        QFETCH(bool, read);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);
        const QByteArray stored = blockOf({11, 22, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
        mouse->setCalibrationBlock(stored);
        if (mouseState == "absent") {
            fixture->start();
            model = std::make_unique<Force::Model>();
            calibrator = std::make_unique<Force::Calibrator>(model.get(), nullptr);
        } else {
            connectMouse();
        }
        if (mouseState == "late")
            mouse->setReplyDelay(800);
        if (mouseState == "silent" || mouseState == "unplugged") {
            mouse->setSilentToBlockRead(true);
            mouse->addStrayReport(0, 25, 1, {40, 2, 0, 0, 66, 0});
            mouse->addStrayReport(0, 25, 1, {10, 0, 2, 1, 255});
            mouse->addStrayReport(0, 25, 1, {40, 2, 0, 0, 91, 1, 2, 3}, SimulatedMouse::Moment::AfterReply);
        }
        if (mouseState == "refuses")
            mouse->setAcknowledgement(0, 25, 1, SimulatedMouse::UnknownCommand);
        if (mouseState == "unplugged")
            QTimer::singleShot(100, mouse, &SimulatedMouse::unplug);

        bool fromMouse = !read;
        QElapsedTimer clock;
        clock.start();
        const Force::Block block = calibrator->readCalibration(&fromMouse);
        const qint64 took = clock.elapsed();
        QCOMPARE(fromMouse, read);
        QVERIFY2(took >= minMs && took <= maxMs, qPrintable(QString::number(took)));
        QCOMPARE(Force::blockBytesOf(block), read ? stored : Force::blockBytesOf(Force::defaultBlock()));
        QCOMPARE(mouse->countOf(0, 25, 1), mouseState == "absent" || mouseState == "refuses" ? 0 : 1);
    }

    // --- The scripted stream of the simulated mouse

    void scriptWaitsWhileStreamingIsOff()
    {
        connectMouse();
        QSignalSpy input(device(), &MouseFunctions::UserInputEvent);
        mouse->setLiveStream({idle(1), idle(2)}, 5, true);
        QTest::qWait(40);
        QCOMPARE(mouse->liveSamplesPlayed(), 0);
        device()->setInputStreaming(true);
        QTRY_VERIFY(mouse->liveSamplesPlayed() >= 4);
        device()->setInputStreaming(false);
        QTRY_COMPARE(mouse->pendingReports(), 0);
        QCoreApplication::processEvents();
        const int played = mouse->liveSamplesPlayed();
        QCOMPARE(input.count(), 2 * played);
        // Report 20, report 23, then the last sample again and again.
        QCOMPARE(input.at(0).at(0).value<Bytes>().mid(0, 10), Bytes({20, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
        QCOMPARE(input.at(1).at(0).value<Bytes>().at(0), uint8_t(23));
        QCOMPARE(input.last().at(0).value<Bytes>().at(0), uint8_t(23));
        QCOMPARE(input.at(2 * played - 2).at(0).value<Bytes>().at(8), uint8_t(2));
        QTest::qWait(30);
        QCOMPARE(mouse->liveSamplesPlayed(), played);
    }
};

QTEST_GUILESS_MAIN(TestForceCalibrator)
#include "tst_forcecalibrator.moc"
