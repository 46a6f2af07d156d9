// The expert view end to end: the whole program over the simulated mouse
// (model 5) on an X server of the test's own, driven by clicks and keys from
// an empty home on, with a picture of the screen after each step. The steps
// follow each other over the same home, one test function each.
//
// The second start of the program is a child process over the same home
// (this executable, running only childRun), which reports what it showed and
// what it uploaded first.
#include "App.h"
#include "AppHarness.h"
#include "ConfigFile.h"
#include "DesktopWindows.h"
#include "DialogAnswerer.h"
#include "ExpertView.h"
#include "ProfileArea.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "SimpleView.h"
#include "SimulatedMouse.h"
#include "WidgetDriver.h"
#include "WorkingFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const char childReportVariable[] = "R7_E2E_CHILD_REPORT";

} // namespace

class TestExpertFlows : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppHarness> run;
    QTemporaryDir programs;
    QProcess game;
    QProcess other;
    std::unique_ptr<DesktopWindows> desktop;

    ExpertView *view() const { return run->app()->expert(); }
    bool mouseHoldsTheModel() const
    {
        const QByteArray package = PackageCreator::instance()->package();
        return !package.isEmpty() && run->mouse()->ramPackage() == package;
    }
    void shot(const QString &step) { QVERIFY2(!run->shot(step).isEmpty(), qPrintable(step)); }
    // A copy of a small program under another name, running.
    void startCopy(QProcess &process, const QString &name)
    {
        const QString copy = programs.filePath(name);
        QVERIFY(QFile::copy(QStandardPaths::findExecutable("sleep"), copy));
        QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::ExeOwner));
        process.start(copy, {"300"});
        QVERIFY(process.waitForStarted());
    }

private slots:
    void initTestCase()
    {
        AppHarness::prepareProcess(R7_SHIPPED_DIR, R7_E2E_SHOTS);
        if (qEnvironmentVariableIsSet(childReportVariable))
            return;
        qInfo().noquote() << "Pictures of the screen:" << AppHarness::shotsRoot();
        QVERIFY(programs.isValid());
        AppHarness::clearHome();
        run = std::make_unique<AppHarness>(5, QStringLiteral("expert"));
    }
    void cleanupTestCase()
    {
        desktop.reset();
        run.reset();
        for (QProcess *process : {&game, &other}) {
            process->kill();
            process->waitForFinished();
        }
    }

    // 1. The first start, over an empty home: the intro, the simple view,
    // then the expert view; the mouse plugged in uploads once.
    void firstStartOnAnEmptyHome()
    {
        if (!run)
            QSKIP("the child's run");
        run->start();
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        QCOMPARE(run->app()->currentView(), run->app()->simple());
        // The intro opens once the window is the active one; the user does
        // not want it again.
        DialogAnswerer intro([&](QWidget *dialog) {
            shot("1-intro");
            auto *again = WidgetDriver::child<QCheckBox>(dialog, "checkBox_showAgain");
            QVERIFY(again && again->isChecked());
            QTest::mouseClick(again, Qt::LeftButton, Qt::NoModifier, QPoint(8, again->height() / 2));
            QVERIFY(!again->isChecked());
            WidgetDriver::click(dialog, "pushButton_close");
        });
        run->awaitWindow(run->app()->simple());
        QVERIFY(intro.wait());
        QVERIFY(WidgetDriver::click(run->app()->simple(), "pushButton_expert"));
        QCOMPARE(run->app()->currentView(), view());
        run->awaitWindow(view());
        run->plugIn();
        run->awaitUploads(1);
        QVERIFY(mouseHoldsTheModel());
        QVERIFY(WorkingFile::holdsTheModel());
        shot("1-connected");
    }

    // 3. The program again, as a child process over the same home: the same
    // profiles, and its first upload is what the mouse held last.
    void restartAsAChild()
    {
        if (!run)
            QSKIP("the child's run");
        const QByteArray model = ConfigFile::instance()->writeBytes();
        const QByteArray lastUpload = run->mouse()->ramPackage();
        run->stop();
        QTemporaryDir folder;
        const QString report = folder.filePath("child.json");
        {
            // This program has no application object meanwhile.
            int argc = 1;
            char name[] = "tst_e2e_expert";
            char *argv[] = {name, nullptr};
            QCoreApplication application(argc, argv);
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(childReportVariable, report);
            child.setProcessEnvironment(environment);
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QCoreApplication::applicationFilePath(), {"childRun"});
            QVERIFY2(child.waitForFinished(120000), qPrintable(child.errorString()));
            QCOMPARE(child.exitStatus(), QProcess::NormalExit);
            QCOMPARE(child.exitCode(), 0);
        }
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject shown = QJsonDocument::fromJson(file.readAll()).object();
        QCOMPARE(shown["uploads"].toInt(), 1);
        QCOMPARE(QByteArray::fromHex(shown["firstUpload"].toString().toLatin1()), lastUpload);
        QCOMPARE(shown["model"].toString().toUtf8(), model);

        run->start();
        run->awaitWindow(view());
        run->plugIn();
        QVERIFY(mouseHoldsTheModel());
        QCOMPARE(ConfigFile::instance()->writeBytes(), model);
    }

    // Runs only as the child restartAsAChild starts.
    void childRun()
    {
        const QString report = qEnvironmentVariable(childReportVariable);
        if (report.isEmpty())
            QSKIP("the second start of the program, run by restartAsAChild");
        AppHarness child(5, QStringLiteral("expert-child"));
        child.start();
        ExpertView *expert = child.app()->expert();
        QCOMPARE(child.app()->currentView(), expert);
        child.awaitWindow(expert);
        child.plugIn();
        child.awaitUploads(1);
        QVERIFY(!child.shot("3-child").isEmpty());
        QJsonObject out;
        out["uploads"] = child.mouse()->uploads();
        out["firstUpload"] = QString::fromLatin1(child.mouse()->ramPackage().toHex());
        out["model"] = QString::fromUtf8(ConfigFile::instance()->writeBytes());
        QFile file(report);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(out).toJson());
    }

    // 4. A program named "game" comes to the front, as the window manager
    // reports it, and then another one.
    void foregroundProgramsAreFollowed()
    {
        if (!run)
            QSKIP("the child's run");
        desktop = std::make_unique<DesktopWindows>();
        QVERIFY(desktop->isOpen());
        startCopy(game, "game");
        startCopy(other, "notes");
        const auto gameWindow = desktop->addWindow(quint32(game.processId()));
        const auto otherWindow = desktop->addWindow(quint32(other.processId()));
        QVERIFY(WidgetDriver::click(run->app()->expert(), "pushButton_simple_mode"));
        QVERIFY(WidgetDriver::click(run->app()->simple()->profileArea(), "pushButton_auto"));
        QVERIFY(PackageCreator::instance()->autoSwitching());
        desktop->activate(gameWindow);
        QTRY_COMPARE(view()->previousForegroundApp(), QString("game"));
        shot("4-game-in-front");
        desktop->activate(otherWindow);
        QTRY_COMPARE(view()->previousForegroundApp(), QString("notes"));
        shot("4-other-in-front");
    }

    // 6. Unplugged and plugged in again.
    void unplugAndPlugIn()
    {
        if (!run)
            QSKIP("the child's run");
        const int uploads = run->mouse()->uploads();
        const QByteArray file = WorkingFile::bytes();
        run->unplug();
        QTest::qWait(100);
        QCOMPARE(run->mouse()->uploads(), uploads);
        QCOMPARE(WorkingFile::bytes(), file);
        shot("6-unplugged");
        run->plugIn();
        run->awaitUploads(uploads + 1);
        QVERIFY(mouseHoldsTheModel());
        shot("6-plugged-in");
    }
};

QTEST_APPLESS_MAIN(TestExpertFlows)
#include "tst_e2e_expert.moc"
