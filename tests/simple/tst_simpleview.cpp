// The simple window, offscreen: switching and closing, the title by
// channel, the look of each model with the mouse button, the memory warning
// against the simulated mouse's memory, the background picture through the
// settings dialog, its reload of the profile bar, the borrowed hint bar; and
// the predefined-profile manager's first-run mark.
#include "AppStyleSheet.h"
#include "ConnectedMouse.h"
#include "CustomBackground.h"
#include "DialogAnswerer.h"
#include "HintsArea.h"
#include "ManageProfiles.h"
#include "MouseFunctions.h"
#include "ProcessStateGuard.h"
#include "ProfileArea.h"
#include "ProfileFixture.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SimpleView.h"
#include "SimulatedMouse.h"
#include "WidgetDriver.h"

#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

namespace {

QSettings settings()
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat);
}

// Opens the settings dialog from the side bar and has it emit what the user's
// choice there would, then closes it.
bool fromSettingsDialog(SimpleView *view, const std::function<void(QDialog *)> &act)
{
    DialogAnswerer answer([&act](QWidget *dialog) {
        act(qobject_cast<QDialog *>(dialog));
        static_cast<QDialog *>(dialog)->reject();
    });
    return WidgetDriver::click(view, "pushButton_settings") && answer.answered();
}

} // namespace

class TestSimpleView : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> fixture;

    // Sets the mouse's memory to the given share of the profiles' package
    // (100 = exactly full), lets the device object learn it through an
    // upload and has the model announce the change.
    void fillMemory(double percent)
    {
        const int package = PackageCreator::instance()->package().size();
        fixture->mouse()->setMemorySize(int(package * 100.0 / percent));
        fixture->device()->saveToRAM();
        emit PackageCreator::instance()->updateMemoryUsed();
    }

private slots:
    void initTestCase() { qApp->setStyleSheet(AppStyleSheet::joined()); }
    void init()
    {
        clean.emplace();
        ProfileFixture::build("");
    }
    void cleanup()
    {
        fixture.reset();
        clean.reset();
    }

    void switchesAndClosesIntoTheTray()
    {
        SWUpdate update;
        SimpleView view(nullptr, &update);
        QCOMPARE(view.objectName(), QString("SimpleView"));
        QCOMPARE(view.minimumSize(), QSize(1366, 768));
        QSignalSpy toExpert(&view, &SimpleView::toExpertView);
        QSignalSpy hidden(&view, &SimpleView::hidden);
        view.activateView();
        view.fwUpdateAvailable(true);
        QVERIFY(view.isFirmwareUpdateShown());
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
        QVERIFY(view.isVisible());
        QCOMPARE(hidden.count(), 1);
        update.setParent(nullptr); // both live on this stack
    }

    void titleFollowsTheChannel_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("title");
        QTest::newRow("public") << 3 << "Corvanelle R7 Control Panel";
        QTest::newRow("alpha") << 1 << "Corvanelle R7 Control Panel 3.0.9.1 - included FW: 208";
    }
    void titleFollowsTheChannel()
    {
        QFETCH(int, channel);
        SimpleView view(nullptr, nullptr);
        view.channelChanged(channel);
        QTEST(view.windowTitle(), "title");
    }

    void barsSitInTheRightColumnAndTheHintBarIsGivenBack()
    {
        QPointer<HintsArea> hints = HintsArea::instance();
        {
            SimpleView view(nullptr, nullptr);
            auto *column = view.findChild<QVBoxLayout *>("verticalLayout_frameRight");
            QCOMPARE(column->count(), 4);
            QCOMPARE(column->itemAt(0)->widget(), view.profileArea());
            QCOMPARE(column->itemAt(1)->widget()->objectName(), QString("frame_line"));
            QCOMPARE(column->itemAt(2)->widget(), hints.data());
            QCOMPARE(column->itemAt(3)->widget()->objectName(), QString("frame_bot"));
        }
        QVERIFY(hints);
        QCOMPARE(hints->parentWidget(), nullptr);
        QCOMPARE(HintsArea::instance(), hints.data());
    }

    void lookFollowsTheConnectedModel_data()
    {
        QTest::addColumn<int>("productId");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("logo");
        QTest::newRow("5") << 5 << "v" << true;
        QTest::newRow("10") << 10 << "tamsel" << true;
        QTest::newRow("20") << 20 << "pelkin" << true;
        QTest::newRow("30") << 30 << "v" << true;
        QTest::newRow("no mouse") << 0 << "v" << false;
    }
    void lookFollowsTheConnectedModel()
    {
        QFETCH(int, productId);
        QFETCH(bool, logo);
        fixture = std::make_unique<ConnectedMouse>(productId ? productId : 20);
        SimpleView view(nullptr, nullptr);
        view.show();
        auto *mouseButton = WidgetDriver::child<QPushButton>(&view, "pushButton_mouse");
        auto *logoLabel = WidgetDriver::child<QLabel>(&view, "label_mouseLogo");
        QVERIFY(!mouseButton->isEnabled());
        if (productId)
            fixture->connect();
        QCOMPARE(mouseButton->isEnabled(), productId != 0);
        QTEST(view.modelKey(), "key");
        QTEST(view.profileArea()->modelKey(), "key");
        QCOMPARE(logoLabel->isVisibleTo(&view), logo);
        if (logo)
            QVERIFY(!logoLabel->pixmap(Qt::ReturnByValue).isNull());
        WidgetDriver::grabToPng(&view, QString("simpleview-model-%1").arg(productId));
        if (!productId)
            return;
        fixture->mouse()->unplug();
        QTRY_VERIFY(!mouseButton->isEnabled());
    }

    // Steps "show", "hide" or a memory use in percent, each followed by
    // whether the dot shows then; "!" after a step: its message comes.
    void memoryWarningOnlyOnARiseWhileVisible_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("exactly full is not over") << QStringList{"show", "100.0 -"};
        QTest::newRow("once per crossing")
            << QStringList{"show", "100.5 dot !", "102 dot", "100.0 -", "100.5 dot !", "50 -"};
        QTest::newRow("a rise while hidden sets the dot only") << QStringList{"100.5 dot", "show dot", "102 dot"};
    }
    void memoryWarningOnlyOnARiseWhileVisible()
    {
        QFETCH(QStringList, steps);
        ProfileFixture::build("0:Work 1:Game");
        fixture = std::make_unique<ConnectedMouse>(20);
        fixture->connect();
        SimpleView view(nullptr, nullptr);
        for (const QString &step : steps) {
            const QStringList parts = step.split(' ');
            QString said;
            DialogAnswerer answer([&said](QWidget *dialog) {
                for (const QLabel *label : dialog->findChildren<QLabel *>())
                    said += label->text();
                WidgetDriver::click(dialog, "btn_ok");
            });
            if (parts.at(0) == "show")
                view.show();
            else if (parts.at(0) == "hide")
                view.hide();
            else
                fillMemory(parts.at(0).toDouble());
            const bool dot = parts.value(1) == "dot";
            QVERIFY2(answer.answered() == parts.contains("!"), qPrintable(step));
            QVERIFY2((view.memoryDot() && view.memoryDot()->isVisibleTo(&view)) == dot, qPrintable(step));
            if (answer.answered())
                QVERIFY2(said.startsWith("Your profiles cannot be saved"), qPrintable(said));
        }
        if (view.memoryDot()) {
            QCOMPARE(view.memoryDot()->parentWidget()->objectName(), QString("pushButton_mouse"));
            QCOMPARE(view.memoryDot()->geometry(), QRect(23 - 8, -2, 10, 10));
            WidgetDriver::grabToPng(&view, "simpleview-memory-dot");
        }
    }

    void backgroundFromTheSettingsDialogShowsAndGoes()
    {
        const QString path = SettingsFile::folder() + "/back.png";
        QVERIFY(QDir().mkpath(SettingsFile::folder()));
        QVERIFY(ProfileFixture::writeFile(path, ProfileFixture::picture(QColor(40, 120, 200), "PNG", 200)));
        SimpleView view(nullptr, nullptr);
        view.show();
        auto *background = WidgetDriver::child<QWidget>(&view, "widget_background");
        QVERIFY(fromSettingsDialog(&view, [&path](QDialog *dialog) {
            QMetaObject::invokeMethod(dialog, "setCustomBackground", Q_ARG(QString, path));
        }));
        QCOMPARE(settings().value("CustomBackground").toString(), path);
        QCOMPARE(background->styleSheet(), CustomBackground::styleSheet(path));
        WidgetDriver::grabToPng(&view, "simpleview-background");

        QVERIFY(fromSettingsDialog(
            &view, [](QDialog *dialog) { QMetaObject::invokeMethod(dialog, "removeCustomBackground"); }));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(settings().value("CustomBackground").toString(), QString());
        QCOMPARE(background->styleSheet(), QString());
    }

    // The key is editable: removing the background deletes only the copy the
    // settings dialog made, and clears the key whatever it names.
    void removingTheBackgroundDeletesOnlyOurCopy_data()
    {
        QTest::addColumn<QString>("file"); // "~" the temporary home, "@" the settings folder
        QTest::addColumn<bool>("deleted");
        QTest::newRow("the copy") << "@/back.jpg" << true;
        QTest::newRow("a picture of the user's") << "~/Pictures/holiday.png" << false;
        QTest::newRow("the configuration file") << "@/config.kvlf" << false;
        QTest::newRow("a picture in a profile folder") << "@/Profiles/Work/logo.png" << false;
    }
    void removingTheBackgroundDeletesOnlyOurCopy()
    {
        QFETCH(QString, file);
        QFETCH(bool, deleted);
        const QString path = (file.startsWith('~') ? QDir::homePath() : SettingsFile::folder()) + file.mid(1);
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(ProfileFixture::writeFile(path, "bytes"));
        settings().setValue("CustomBackground", path);
        SimpleView view(nullptr, nullptr);
        view.show();
        auto *background = WidgetDriver::child<QWidget>(&view, "widget_background");
        QCOMPARE(background->styleSheet(), CustomBackground::styleSheet(path));
        if (!deleted)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("background left in place"));
        QVERIFY(fromSettingsDialog(
            &view, [](QDialog *dialog) { QMetaObject::invokeMethod(dialog, "removeCustomBackground"); }));
        QCOMPARE(QFile::exists(path), !deleted);
        QCOMPARE(settings().value("CustomBackground").toString(), QString());
        QCOMPARE(background->styleSheet(), QString());
    }

    void replacedProfilesReloadTheBar()
    {
        ProfileFixture::build("0:Work");
        SimpleView view(nullptr, nullptr);
        view.show();
        QVERIFY(view.profileArea()->tileOf(ProfileFixture::named("Work")));
        PackageCreator::instance()->addProfile(1, 255, "Game");
        QVERIFY(!view.profileArea()->tileOf(ProfileFixture::named("Game")));
        QVERIFY(fromSettingsDialog(&view, [](QDialog *dialog) { QMetaObject::invokeMethod(dialog, "dataUpdated"); }));
        QVERIFY(view.profileArea()->tileOf(ProfileFixture::named("Game")));
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
            settings().setValue("HasBeenRunBefore", before);
        {
            ManageProfiles manager(nullptr, "pelkin");
            QVERIFY(!manager.isVisible());
        }
        QCOMPARE(settings().value("HasBeenRunBefore").toBool(), true);
    }
};

QTEST_MAIN(TestSimpleView)
#include "tst_simpleview.moc"
