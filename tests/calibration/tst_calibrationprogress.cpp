// The tilt calibration dialog against the simulated mouse: the introduction,
// the four-second count, the command and how the dialog ends.
#include "AppFont.h"
#include "CalibrationProgress.h"
#include "MouseFunctions.h"

#include "ConnectedMouse.h"
#include "DialogAnswerer.h"
#include "ProcessStateGuard.h"
#include "SimulatedMouse.h"
#include "WidgetDriver.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

const QString introText = "Place The V flat on your desk in an orientation and\nposition where it is most used.\n\n"
                          "After clicking 'Start Calibration' remove your hand\nfrom the mouse.\n";
const QString completeText = "<html><body><h3 style='text-align: center;'>Tilt Calibration Complete</h3></body></html>";
const QString failedText = "<html><body><h3 style='text-align: center;'>Tilt Calibration Failed</h3><p "
                           "style='line-height:24px'><span>The mouse is not connected. Connect it and try "
                           "again.</span></p></body></html>";

QLabel *text(const QWidget *dialog)
{
    return WidgetDriver::child<QLabel>(dialog, "label_text");
}

QProgressBar *bar(const QWidget *dialog)
{
    return WidgetDriver::child<QProgressBar>(dialog, "progressBar");
}

QPushButton *button(const QWidget *dialog, const char *name)
{
    return WidgetDriver::child<QPushButton>(dialog, name);
}

} // namespace

class TestCalibrationProgress : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> fixture;
    SimulatedMouse *mouse = nullptr;

    MouseFunctions *device() { return MouseFunctions::instance(); }

private slots:
    void initTestCase()
    {
        // The program's style sheets give every widget this font.
        QApplication::setFont(appFont());
    }

    void init()
    {
        clean.emplace();
        fixture = std::make_unique<ConnectedMouse>(30);
        mouse = fixture->mouse();
    }

    void cleanup()
    {
        fixture.reset();
        mouse = nullptr;
        clean.reset();
    }

    void introRunsModally()
    {
        fixture->connect();
        CalibrationProgress dialog(nullptr);
        QString shown;
        bool barShown = true;
        DialogAnswerer answer([&](QWidget *open) {
            shown = text(open)->text();
            barShown = bar(open)->isVisible();
            QVERIFY(!WidgetDriver::grabToPng(open, "tilt-intro").isEmpty());
            QVERIFY(WidgetDriver::click(open, "pushButton_cancel"));
        });
        dialog.showIntro();
        QVERIFY(answer.answered());
        QCOMPARE(shown, introText);
        QVERIFY(!barShown);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(mouse->countOf(2, 20, 1), 0);
        QCOMPARE(button(&dialog, "pushButton_accept")->property("button_type").toString(), QString("dialog"));
        QCOMPARE(button(&dialog, "pushButton_cancel")->property("m").toString(), QString("v"));
    }

    void operationModeOneBlocksIntroAndStart()
    {
        fixture->connect();
        device()->setOperationMode(1);
        CalibrationProgress dialog(nullptr);
        const QString formText = text(&dialog)->text();
        dialog.showIntro(); // returns at once: no dialog to answer
        QVERIFY(!dialog.isVisible());
        QCOMPARE(text(&dialog)->text(), formText);
        dialog.show();
        QVERIFY(WidgetDriver::click(&dialog, "pushButton_accept"));
        QTest::qWait(1200);
        QCOMPARE(bar(&dialog)->value(), 50);
        QCOMPARE(text(&dialog)->text(), formText);
        QVERIFY(button(&dialog, "pushButton_accept")->isVisible());
        QCOMPARE(mouse->countOf(2, 20, 1), 0);
        QCOMPARE(device()->operationMode(), 1);
    }

    void countsThenCalibrates_data()
    {
        QTest::addColumn<QString>("mouseState");
        QTest::addColumn<QVector<int>>("bars");
        QTest::addColumn<bool>("completes");
        QTest::addColumn<int>("calibrations");
        QTest::newRow("answers") << "answers" << QVector<int>{0, 5, 10, 15, 20, 100} << true << 1;
        // Its answer is not read: none is no failure.
        QTest::newRow("does not answer") << "silent" << QVector<int>{0, 5, 10, 15, 20, 100} << true << 0;
        QTest::newRow("unplugged during the count") << "unplugged" << QVector<int>{0, 5} << false << 0;
        QTest::newRow("no mouse") << "absent" << QVector<int>{0, 5, 10, 15, 20} << false << 0;
    }

    void countsThenCalibrates()
    {
        QFETCH(QString, mouseState);
        QFETCH(QVector<int>, bars);
        QFETCH(bool, completes);
        QFETCH(int, calibrations);
        if (mouseState == "absent")
            fixture->start();
        else
            fixture->connect();
        device()->setOperationMode(3);
        mouse->setSilent(mouseState == "silent");
        CalibrationProgress dialog(nullptr);
        dialog.show();
        QVector<int> shown;
        QVector<qint64> when;
        QElapsedTimer clock;
        connect(bar(&dialog), &QProgressBar::valueChanged, this, [&](int value) {
            shown.append(value);
            when.append(clock.elapsed());
        });
        clock.start();
        QVERIFY(WidgetDriver::click(&dialog, "pushButton_accept"));
        QVERIFY(!button(&dialog, "pushButton_accept")->isVisible());
        QVERIFY(!button(&dialog, "pushButton_cancel")->isVisible());
        QVERIFY(text(&dialog)->text().contains("Tilt Calibration in Progress..."));
        QVERIFY(text(&dialog)->text().contains("Do not touch the mouse, or unplug during the<br>calibration process."));
        if (mouseState == "unplugged")
            QTimer::singleShot(1500, mouse, &SimulatedMouse::unplug);
        if (mouseState == "answers") {
            QTRY_COMPARE(shown.size(), 3);
            QVERIFY(!WidgetDriver::grabToPng(&dialog, "tilt-progress").isEmpty());
        }
        QTRY_VERIFY_WITH_TIMEOUT(button(&dialog, "pushButton_cancel")->isVisible(), 6000);
        QTest::qWait(1200); // no tick after the end
        QCOMPARE(shown, bars);
        for (int i = 2; i < std::min(5, int(when.size())); ++i)
            QVERIFY2(when[i] - when[i - 1] >= 900 && when[i] - when[i - 1] <= 1500,
                     qPrintable(QString::number(when[i] - when[i - 1])));
        QCOMPARE(text(&dialog)->text(), completes ? completeText : failedText);
        QCOMPARE(mouse->imuCalibrations(), calibrations);
        if (!completes)
            QCOMPARE(mouse->countOf(2, 20, 1), 0);
        QCOMPARE(device()->operationMode(), 0);
        QPushButton *finish = button(&dialog, "pushButton_cancel");
        QCOMPARE(finish->text(), QString("Finish"));
        QCOMPARE(finish->property("button_type").toString(), QString("dialog"));
        QVERIFY(!button(&dialog, "pushButton_accept")->isVisible());
        QVERIFY(!WidgetDriver::grabToPng(&dialog, completes ? "tilt-complete" : "tilt-failed-" + mouseState).isEmpty());
        QVERIFY(WidgetDriver::click(&dialog, "pushButton_cancel"));
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestCalibrationProgress)
#include "tst_calibrationprogress.moc"
