// The force calibration dialog driven as a user would, against the simulated
// mouse's scripted stream: the stages' texts, the limits of each level, what
// reaches the mouse, and the force bar with its level lines.
#include "AppFont.h"
#include "CalibrationUiModel.h"
#include "ForceCalibration.h"
#include "ForceLevelProgressBar.h"
#include "ForceModel.h"
#include "MouseFunctions.h"

#include "ConnectedMouse.h"
#include "DialogAnswerer.h"
#include "ProcessStateGuard.h"
#include "SimulatedMouse.h"
#include "WidgetDriver.h"

#include <QComboBox>
#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

namespace {

using Sample = SimulatedMouse::LiveSample;
using Levels = Force::Levels;

constexpr uint16_t rest = 60000;     // raw: shown as 5535
constexpr uint16_t released = 65000; // raw force of a button just let go
constexpr int stageTimeoutMs = 6000;

const QString countdownText = "Ensure your hand is not touching the mouse\n\nStarting calibration in: ";
const QString zeroText = "Zeroing force sensors. \n\nPlease wait... ";
const QString clickText = "Gently press the button until it just clicks\n\n";
const QString press40Text = "Press and click the button for the 40% force level";
const QString press100Text = "Press and click the button for the 100% force level";
const QString zeroFailedText = "Zero failed.\n\nFailed to zero sensors. Ensure your hand is off the mouse.";
const QString successText = "Calibration Successful";

// The block the mouse holds before the tests calibrate.
const Force::Block stored{101, 202, 1001, 1002, 1003, 1101, 1102, 1103, 1201, 1202, 1203, 1301, 1302, 1303};

Sample idle(uint16_t left = rest, uint16_t right = rest)
{
    return Sample{0, left, right};
}

Sample pressed(int sensor, uint16_t raw)
{
    const uint16_t mask = Force::buttonMask(sensor);
    return Force::isRightSide(sensor) ? Sample{mask, rest, raw} : Sample{mask, raw, rest};
}

QString levelOrderText(const QString &level, const QString &earlier)
{
    return "Calibration failed.\n\n" + level + " < " + earlier + "\nForce must be higher than previous level.\n";
}

// How often each marker colour occurs in the image's column x, by row.
QVector<int> rowsOf(const QImage &image, int x, QColor color)
{
    QVector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixelColor(x, y) == color)
            rows.append(y);
    return rows;
}

// A bar as the dialog shows it, of that size and range.
std::unique_ptr<ForceLevelProgressBar> levelBar(Qt::Orientation orientation, QSize size, int maximum, int value)
{
    auto bar = std::make_unique<ForceLevelProgressBar>();
    bar->setOrientation(orientation);
    bar->setTextVisible(false);
    bar->setFixedSize(size);
    bar->setMaximum(maximum);
    bar->setValue(value);
    return bar;
}

int countOf(const QImage &image, QColor color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == color;
    return count;
}

// Runs the event loop until done() holds or the time is up, without the
// pauses between turns of QTest::qWait: the mouse's stream must not pile up.
bool runUntil(const std::function<bool()> &done, int timeoutMs = stageTimeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(2);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

} // namespace

Q_DECLARE_METATYPE(SimulatedMouse::LiveSample)

class TestForceCalibration : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> fixture;
    SimulatedMouse *mouse = nullptr;
    std::unique_ptr<ForceCalibration> dialog;
    QStringList instructions; // every instruction shown, in order
    int armsBefore = 0;

    QLabel *label(const char *name) const { return WidgetDriver::child<QLabel>(dialog.get(), name); }
    QString instruction() const { return label("instructionLabel")->text(); }
    ForceLevelProgressBar *bar() const { return WidgetDriver::child<ForceLevelProgressBar>(dialog.get(), "levelBar"); }
    QComboBox *sensors() const { return WidgetDriver::child<QComboBox>(dialog.get(), "sensorCombo"); }
    Force::Model *model() const { return dialog->findChild<Force::Model *>("forceModel"); }
    CalibrationUiModel *uiModel() const { return dialog->findChild<CalibrationUiModel *>("uiModel"); }

    // A mouse of that model holding `stored`, and the dialog loaded and shown.
    void open(int pid = 30, bool blockAnswered = true)
    {
        fixture->connect(pid);
        mouse->setCalibrationBlock(Force::blockBytesOf(stored));
        mouse->setSilentToBlockRead(!blockAnswered);
        dialog = std::make_unique<ForceCalibration>(nullptr);
        QCOMPARE(dialog->load(), blockAnswered);
        dialog->show();
        // The size it takes on a real screen: the offscreen one is too small.
        dialog->resize(dialog->sizeHint());
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        connect(uiModel(), &CalibrationUiModel::changed, this, [this] {
            if (!instruction().isEmpty() && (instructions.isEmpty() || instructions.last() != instruction()))
                instructions.append(instruction());
        });
    }

    bool waitFor(const QString &text, int timeoutMs = stageTimeoutMs)
    {
        const bool shown = runUntil([&] { return instruction() == text; }, timeoutMs);
        if (!shown)
            qWarning().noquote() << "waited for" << text << "but the dialog shows" << instruction();
        return shown;
    }

    // Chooses the sensor with the keyboard, as a user could, and clicks
    // Calibrate; the hand rests on the mouse as given.
    void calibrate(int sensor, Sample hand = idle())
    {
        mouse->setLiveStream({hand});
        armsBefore = mouse->countOf(2, 25, 5);
        sensors()->setFocus();
        while (sensors()->currentIndex() < sensor)
            QTest::keyClick(sensors(), Qt::Key_Down);
        while (sensors()->currentIndex() > sensor)
            QTest::keyClick(sensors(), Qt::Key_Up);
        QVERIFY(WidgetDriver::click(dialog.get(), "calibrateButton"));
    }

    // The click stage: once the mouse is ready to capture, a click at raw.
    void clickAt(int sensor, uint16_t raw)
    {
        QVERIFY(waitFor(clickText));
        QVERIFY(runUntil([&] { return mouse->countOf(2, 25, 5) == armsBefore + 1; }));
        mouse->setLiveStream({pressed(sensor, raw), idle(released, released)});
    }

    void pressAndRelease(int sensor, const QString &pressText, uint16_t raw)
    {
        QVERIFY(waitFor(pressText));
        mouse->setLiveStream({idle(released, released), pressed(sensor, raw), idle(released, released)});
    }

    // A whole calibration of the sensor at these raw forces.
    void runCalibration(int sensor, uint16_t click, uint16_t force40, uint16_t force100)
    {
        calibrate(sensor);
        clickAt(sensor, click);
        pressAndRelease(sensor, press40Text, force40);
        pressAndRelease(sensor, press100Text, force100);
    }

private slots:
    void initTestCase()
    {
        // The program's style sheets give every widget this font.
        QApplication::setFont(appFont());
    }

    void init()
    {
        clean.emplace();
        fixture = std::make_unique<ConnectedMouse>();
        mouse = fixture->mouse();
        instructions.clear();
    }

    void cleanup()
    {
        dialog.reset();
        fixture.reset();
        mouse = nullptr;
        clean.reset();
    }

    void sensorListFollowsTheModel_data()
    {
        QTest::addColumn<int>("pid");
        QTest::addColumn<QStringList>("items");
        const QStringList left{"Left Button", "Left Fingertip"};
        const QStringList all = left + QStringList{"Right Button", "Right Fingertip"};
        QTest::newRow("model 10") << 10 << left;
        QTest::newRow("model 20") << 20 << left;
        QTest::newRow("model 5") << 5 << all;
        QTest::newRow("model 30") << 30 << all;
    }

    void sensorListFollowsTheModel()
    {
        QFETCH(int, pid);
        QFETCH(QStringList, items);
        open(pid);
        QStringList shown;
        for (int i = 0; i < sensors()->count(); ++i)
            shown << sensors()->itemText(i);
        QCOMPARE(shown, items);
        const QString key = pid == 10 ? "tamsel" : pid == 20 ? "pelkin" : "v";
        QCOMPARE(sensors()->property("m").toString(), key);
        QCOMPARE(bar()->property("m").toString(), key);
    }

    void countdownEndsAtZeroThenZeroingBegins()
    {
        open();
        calibrate(0);
        QCOMPARE(label("titleLabel")->text(), QString("Left Button - Zeroing"));
        QVERIFY(waitFor(clickText));
        QStringList expected{countdownText};
        for (int n = 9; n >= 0; --n)
            expected << countdownText + QString::number(n);
        expected << zeroText;
        for (int n = 7; n >= 0; --n)
            expected << zeroText + QString::number(n);
        expected << clickText;
        QCOMPARE(instructions, expected);
        QCOMPARE(label("titleLabel")->text(), QString("Left Button - 0% Click Force"));
    }

    void zeroStageAllowsSmallMovementsOnly_data()
    {
        QTest::addColumn<Sample>("first");
        QTest::addColumn<Sample>("later");
        QTest::addColumn<bool>("fails");
        // Shown forces 4095 (raw 61440) and then 1000 more or 1001 more or less.
        QTest::newRow("1000 more") << idle(61440) << idle(60440) << false;
        QTest::newRow("1001 more") << idle(61440) << idle(60439) << true;
        QTest::newRow("1001 less") << idle(61440) << idle(62441) << true;
        QTest::newRow("the right side moves") << idle(61440, 61440) << idle(61440, 60439) << true;
    }

    void zeroStageAllowsSmallMovementsOnly()
    {
        QFETCH(Sample, first);
        QFETCH(Sample, later);
        QFETCH(bool, fails);
        open();
        calibrate(0, first);
        QVERIFY(waitFor(zeroText + "7"));
        mouse->setLiveStream({later});
        QVERIFY(waitFor(fails ? zeroFailedText : clickText));
        if (!fails)
            return;
        QVERIFY(WidgetDriver::child<QPushButton>(dialog.get(), "finishButton")->isVisible());
        QVERIFY(!WidgetDriver::child<QPushButton>(dialog.get(), "cancelButton")->isVisible());
        QCOMPARE(mouse->countOf(1, 25, 1), 0);
        QVERIFY(!mouse->isStreaming());
    }

    void clickLevelAgainstTheZero_data()
    {
        QTest::addColumn<int>("click");
        QTest::addColumn<QString>("next");
        QTest::newRow("equal to the zero") << int(rest) << press40Text;
        QTest::newRow("below the zero") << rest + 1
                                        << "Calibration failed.\n\nClick force is lower than zero reading.\n\n";
    }

    void clickLevelAgainstTheZero()
    {
        QFETCH(int, click);
        QFETCH(QString, next);
        open();
        calibrate(2);
        clickAt(2, uint16_t(click));
        QVERIFY(waitFor(next));
        QCOMPARE(model()->rightZero(), uint16_t(0xFFFF - rest));
    }

    void levelsMustRise_data()
    {
        QTest::addColumn<int>("force40");
        QTest::addColumn<int>("force100");
        QTest::addColumn<QString>("end");
        // Raw forces: the click at 50000 (shown 15535), the zero at 5535.
        QTest::newRow("40 % equal to the click level") << 50000 << 20000 << successText;
        QTest::newRow("40 % below the click level") << 55000 << 20000 << levelOrderText("40% Force", "0% Click Force");
        QTest::newRow("100 % below the zero level") << 40000 << 61000 << levelOrderText("100% Force", "Zeroing");
    }

    void levelsMustRise()
    {
        QFETCH(int, force40);
        QFETCH(int, force100);
        QFETCH(QString, end);
        open();
        calibrate(1);
        clickAt(1, 50000);
        pressAndRelease(1, press40Text, uint16_t(force40));
        if (end.contains("40%")) {
            QVERIFY(waitFor(end));
            return;
        }
        pressAndRelease(1, press100Text, uint16_t(force100));
        QVERIFY(waitFor(end));
        QCOMPARE(mouse->countOf(1, 25, 1), end == successText ? 1 : 0);
    }

    // The block read at the start holds the other sensors' levels: the
    // write keeps them.
    void successStoresTheWholeCalibration()
    {
        open();
        calibrate(0);
        clickAt(0, 50000);
        pressAndRelease(0, press40Text, 40000);
        QVERIFY(waitFor(press100Text));
        mouse->setLiveStream({idle(released, released), pressed(0, 30000), pressed(0, 20000)});
        QVERIFY(waitFor("Once you are happy with your 100% level release the button."));
        QVERIFY(runUntil([&] { return uiModel()->leftP100Level() == 0xFFFF - 20000; }));
        QCOMPARE(bar()->value(), 0xFFFF - 20000 - 5535);
        QVERIFY(!WidgetDriver::grabToPng(dialog.get(), "force-100-stage").isEmpty());
        mouse->setLiveStream({idle(released, released)});
        QVERIFY(waitFor(successText));

        QCOMPARE(model()->leftButton(), Levels({5535, 15535, 25535, 45535}));
        QCOMPARE(mouse->countOf(1, 25, 1), 1);
        QCOMPARE(mouse->calibrationBlock(), Force::blockBytesOf(model()->toBlock()));
        Force::Block expected = stored;
        expected[0] = 5535;
        expected[2] = 15535;
        expected[3] = 25535;
        expected[4] = 45535;
        QCOMPARE(mouse->calibrationBlock(), Force::blockBytesOf(expected));
        QVERIFY(WidgetDriver::child<QPushButton>(dialog.get(), "finishButton")->isVisible());
        QVERIFY(!WidgetDriver::child<QPushButton>(dialog.get(), "cancelButton")->isVisible());
        QVERIFY(!mouse->isStreaming());
    }

    // The mouse goes away as the last stage ends: the calibration did not
    // reach it, and the dialog does not say it did.
    void successThatCannotBeStoredSaysSo()
    {
        open();
        calibrate(0);
        clickAt(0, 50000);
        pressAndRelease(0, press40Text, 40000);
        QVERIFY(waitFor(press100Text));
        bool unplugAtStreamOff = false;
        connect(mouse, &SimulatedMouse::commandReceived, this, [&](int c, int g, int n) {
            if (unplugAtStreamOff && c == 1 && g == 5 && n == 10 && !mouse->isStreaming())
                mouse->unplug();
        });
        mouse->setLiveStream({idle(released, released), pressed(0, 20000)});
        QVERIFY(waitFor("Once you are happy with your 100% level release the button."));
        unplugAtStreamOff = true;
        mouse->setLiveStream({idle(released, released)});
        QVERIFY(waitFor("Calibration failed.\n\nThe calibration could not be stored in the mouse.\nCheck that the "
                        "mouse is connected and try again."));
        QCOMPARE(mouse->countOf(1, 25, 1), 0);
        QVERIFY(WidgetDriver::child<QPushButton>(dialog.get(), "finishButton")->isVisible());
    }

    // What a failed stage measured stays in the model and is written with
    // the next success.
    void failureThenSuccessWritesTheEarlierValues()
    {
        open();
        runCalibration(0, 50000, 40000, 61000);
        QVERIFY(waitFor(levelOrderText("100% Force", "Zeroing")));
        QVERIFY(!WidgetDriver::grabToPng(dialog.get(), "force-failure").isEmpty());
        QCOMPARE(mouse->countOf(1, 25, 1), 0);

        QVERIFY(WidgetDriver::click(dialog.get(), "finishButton"));
        QCOMPARE(WidgetDriver::child<QStackedWidget>(dialog.get(), "pages")->currentIndex(), 0);
        QCOMPARE(sensors()->currentIndex(), 0);
        instructions.clear();
        runCalibration(1, 45000, 35000, 25000);
        QVERIFY(waitFor(successText));
        // Started again with the countdown.
        const int start = instructions.indexOf(countdownText);
        QVERIFY(start >= 0);
        QCOMPARE(instructions.mid(start, 2), QStringList({countdownText, countdownText + "9"}));
        Force::Block expected = stored;
        expected[0] = 5535;
        expected[2] = 15535; // sensor 0's click and 40 %, its 100 % as stored
        expected[3] = 25535;
        expected[5] = 0xFFFF - 45000;
        expected[6] = 0xFFFF - 35000;
        expected[7] = 0xFFFF - 25000;
        QCOMPARE(mouse->countOf(1, 25, 1), 1);
        QCOMPARE(mouse->calibrationBlock(), Force::blockBytesOf(expected));
    }

    void loadAndExecReadsThenRunsModally()
    {
        fixture->connect(30);
        mouse->setCalibrationBlock(Force::blockBytesOf(stored));
        ForceCalibration opened(nullptr);
        bool calibrateEnabled = false;
        DialogAnswerer answer([&](QWidget *open) {
            calibrateEnabled = WidgetDriver::child<QPushButton>(open, "calibrateButton")->isEnabled();
            QVERIFY(WidgetDriver::click(open, "startCancelButton"));
        });
        opened.loadAndExec();
        QVERIFY(answer.answered());
        QVERIFY(calibrateEnabled);
        auto *loaded = opened.findChild<Force::Model *>("forceModel");
        QCOMPARE(loaded->leftZero(), uint16_t(101));
        QCOMPARE(loaded->rightFingertip(), Levels({0, 1301, 1302, 1303}));
    }

    // Cancel in the middle of a stage closes at once; nothing is written and
    // the stream ends with the dialog.
    void cancelDuringAStage()
    {
        open();
        calibrate(0);
        QVERIFY(waitFor(clickText));
        QVERIFY(runUntil([&] { return mouse->isStreaming(); }));
        QVERIFY(WidgetDriver::click(dialog.get(), "cancelButton"));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        dialog.reset();
        QVERIFY(!mouse->isStreaming());
        runUntil([] { return false; }, 100);
        QCOMPARE(mouse->countOf(1, 25, 1), 0);
    }

    void unreadBlockOffersNoCalibration()
    {
        open(30, false);
        QCOMPARE(label("startTextLabel")->text(),
                 QString("The calibration stored in the mouse could not be read.\nCheck that the mouse is connected "
                         "and open this window again."));
        QVERIFY(!WidgetDriver::child<QPushButton>(dialog.get(), "calibrateButton")->isEnabled());
        QVERIFY(!WidgetDriver::click(dialog.get(), "calibrateButton"));
        QVERIFY(!WidgetDriver::grabToPng(dialog.get(), "force-unread").isEmpty());
        runUntil([] { return false; }, 200);
        QCOMPARE(mouse->countOf(1, 25, 1), 0);
        QCOMPARE(mouse->countOf(1, 5, 10), 0);
        QCOMPARE(model()->leftButton(), Levels({0, 0, 0, 0}));
        // Closing switches the stream off; still nothing is written.
        dialog.reset();
        QCOMPARE(mouse->countOf(1, 25, 1), 0);
    }

    // --- The force bar

    void barShowsTheForceAboveTheZeroSample()
    {
        open();
        uiModel()->setLeftP40Level(5000);
        uiModel()->setLeftProgress(3000);
        QCOMPARE(bar()->maximum(), 65535);
        QCOMPARE(bar()->value(), 0);
        QCOMPARE(bar()->p40Level(), 0);

        calibrate(0, idle(64535)); // shown 1000
        QVERIFY(waitFor(clickText));
        QCOMPARE(bar()->maximum(), 64535);
        QCOMPARE(bar()->value(), 0);
        mouse->setLiveStream({idle(64635)}); // 900
        QVERIFY(runUntil([&] { return uiModel()->leftProgress() == 900; }));
        QCOMPARE(bar()->value(), 0);
        mouse->setLiveStream({idle(63535)}); // 2000
        QVERIFY(runUntil([&] { return bar()->value() == 1000; }));
        QCOMPARE(bar()->maximum(), 64535);
    }

    void barLevelsOfOneSide_data()
    {
        QTest::addColumn<int>("sensor");
        QTest::addColumn<int>("zeroSample");
        QTest::addColumn<int>("progress");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("click"); // of a click level at 1300
        QTest::newRow("below the zero") << 0 << 1000 << 900 << 64535 << 0 << 300;
        QTest::newRow("above the zero") << 0 << 1000 << 2000 << 64535 << 1000 << 300;
        QTest::newRow("the right side") << 3 << 1000 << 2500 << 64535 << 1500 << 300;
        QTest::newRow("zero at the top") << 0 << 65535 << 65535 << 0 << 0 << 0;
    }

    void barLevelsOfOneSide()
    {
        QFETCH(int, sensor);
        QFETCH(int, zeroSample);
        QFETCH(int, progress);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QFETCH(int, click);
        CalibrationUiModel ui;
        ui.setCalibrationButton(sensor);
        const bool right = sensor > 1;
        ui.setLeftProgress(right ? 7 : progress);
        ui.setRightProgress(right ? progress : 7);
        ui.setLeftClickLevel(right ? 0 : 1300);
        ui.setRightClickLevel(right ? 1300 : 0);
        const CalibrationUiModel::BarLevels levels = ui.barLevels(uint16_t(zeroSample));
        QCOMPARE(levels.maximum, maximum);
        QCOMPARE(levels.value, value);
        QCOMPARE(levels.click, click);
        QCOMPARE(levels.zero, 0);
    }

    void markersLieAtTheRoundedPosition_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("position");
        // 201 pixels for a range of 1000.
        QTest::newRow("vertical, a tenth") << int(Qt::Vertical) << 100 << 201 - 20;
        QTest::newRow("vertical, a half rounds up") << int(Qt::Vertical) << 500 << 201 - 101;
        QTest::newRow("vertical, the maximum at the top") << int(Qt::Vertical) << 1000 << 0;
        QTest::newRow("horizontal, a quarter") << int(Qt::Horizontal) << 250 << 50;
    }

    void markersLieAtTheRoundedPosition()
    {
        QFETCH(int, orientation);
        QFETCH(int, level);
        QFETCH(int, position);
        const auto bar = levelBar(Qt::Orientation(orientation),
                                  orientation == Qt::Vertical ? QSize(30, 201) : QSize(201, 30), 1000, 300);
        bar->setP40Level(level);
        bar->setZeroLevel(0); // draws nothing
        const QImage image = bar->grab().toImage();
        QCOMPARE(countOf(image, Qt::blue), 0);
        if (orientation == Qt::Vertical) {
            QCOMPARE(rowsOf(image, 15, Qt::yellow), QVector<int>{position});
            QCOMPARE(countOf(image, Qt::yellow), 30);
        } else {
            QCOMPARE(rowsOf(image.transformed(QTransform().rotate(90)), 15, Qt::yellow), QVector<int>{position});
        }
    }

    void allFourMarkersInTheirColours()
    {
        const auto bar = levelBar(Qt::Vertical, QSize(20, 101), 100, 50);
        bar->setZeroLevel(10);
        bar->setClickLevel(30);
        bar->setP40Level(60);
        bar->setP100Level(90);
        const QImage image = bar->grab().toImage();
        image.scaled(80, 404).save(WidgetDriver::outputFolder() + "/force-bar.png");
        QCOMPARE(rowsOf(image, 10, Qt::blue), QVector<int>{101 - 10});
        QCOMPARE(rowsOf(image, 10, Qt::green), QVector<int>{101 - 30});
        QCOMPARE(rowsOf(image, 10, Qt::yellow), QVector<int>{101 - 61});
        QCOMPARE(rowsOf(image, 10, Qt::red), QVector<int>{101 - 91});

        // An empty range: no value, no lines, as an empty bar.
        bar->setMaximum(0);
        const QImage empty = bar->grab().toImage();
        for (QColor color : {QColor(Qt::blue), QColor(Qt::green), QColor(Qt::yellow), QColor(Qt::red)})
            QCOMPARE(countOf(empty, color), 0);
        QCOMPARE(empty, levelBar(Qt::Vertical, QSize(20, 101), 100, 0)->grab().toImage());
    }
};

QTEST_MAIN(TestForceCalibration)
#include "tst_forcecalibration.moc"
