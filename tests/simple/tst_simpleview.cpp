// The simple window, offscreen: switching and closing, the title by
// channel, the look of each model with the mouse button, the memory warning
// against the simulated mouse's memory, the background picture through the
// settings dialog, its reload of the profile bar, the borrowed hint bar; and
// the predefined-profile manager's first-run mark.
#include "AppStyleSheet.h"
#include "ConnectedMouse.h"
#include "CurrentPage.h"
#include "CustomBackground.h"
#include "DialogAnswerer.h"
#include "HintsArea.h"
#include "ManageProfiles.h"
#include "ItemMousePercentage.h"
#include "MouseFunctions.h"
#include "MouseView.h"
#include "PopupInformation.h"
#include "PopupMouse.h"
#include "ProcessStateGuard.h"
#include "ProfileArea.h"
#include "ProfileFixture.h"
#include "QuickConfig.h"
#include "SampleModel.h"
#include "SceneDriver.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SimpleView.h"
#include "SimulatedMouse.h"
#include "TextGraphicsItem.h"
#include "WidgetDriver.h"

#include <QDateTime>
#include <QDialog>
#include <QGraphicsPixmapItem>
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
        QTest::addColumn<int>("scheme");
        QTest::addColumn<QString>("logo"); // empty: the label is hidden
        const QString bar = ":/pic/simple_mode/%1/side_bar/%2.png";
        QTest::newRow("5") << 5 << "v" << 0 << bar.arg("v", "v_logo");
        QTest::newRow("10") << 10 << "tamsel" << 2 << bar.arg("tamsel", "tamsel_logo");
        QTest::newRow("20") << 20 << "pelkin" << 1 << bar.arg("pelkin", "pelkin_logo");
        QTest::newRow("30") << 30 << "v" << 3 << bar.arg("v", "v2_logo");
        QTest::newRow("no mouse") << 0 << "v" << 0 << QString();
    }
    void lookFollowsTheConnectedModel()
    {
        QFETCH(int, productId);
        QFETCH(QString, logo);
        fixture = std::make_unique<ConnectedMouse>(productId ? productId : 20);
        SimpleView view(nullptr, nullptr);
        view.show();
        auto *mouseButton = WidgetDriver::child<QPushButton>(&view, "pushButton_mouse");
        auto *logoLabel = WidgetDriver::child<QLabel>(&view, "label_mouseLogo");
        const QImage noMouse = QPixmap(":/pic/simple_mode/no_mouse.png").toImage();
        QVERIFY(!mouseButton->isEnabled());
        if (productId)
            fixture->connect();
        QCOMPARE(mouseButton->isEnabled(), productId != 0);
        QTEST(view.modelKey(), "key");
        QTEST(view.profileArea()->modelKey(), "key");
        QTEST(view.mouseView()->colourScheme(), "scheme");
        QTEST(view.mousePopup()->modelKey(), "key");
        QTEST(view.informationPopup()->modelKey(), "key");
        QCOMPARE(view.mouseView()->pictureItem()->pixmap().toImage() == noMouse, productId == 0);
        QCOMPARE(logoLabel->isVisibleTo(&view), !logo.isEmpty());
        if (!logo.isEmpty())
            QCOMPARE(logoLabel->pixmap(Qt::ReturnByValue).toImage(), QPixmap(logo).toImage());
        QVERIFY(!WidgetDriver::grabToPng(&view, QString("simpleview-model-%1").arg(productId)).isEmpty());
        if (!productId)
            return;
        fixture->mouse()->unplug();
        QTRY_VERIFY(!mouseButton->isEnabled());
        QCOMPARE(view.mouseView()->pictureItem()->pixmap().toImage(), noMouse);
        fixture->mouse()->plugIn();
        QTRY_VERIFY(mouseButton->isEnabled());
        QVERIFY(view.mouseView()->pictureItem()->pixmap().toImage() != noMouse);
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

    void replacedProfilesReloadTheBarAndThePicture()
    {
        ProfileFixture::build("0:Work");
        SimpleView view(nullptr, nullptr);
        view.show();
        TextGraphicsItem *left = view.mouseView()->label(0);
        QVERIFY(view.profileArea()->tileOf(ProfileFixture::named("Work")));
        QCOMPARE(left->shownLines(), QStringList());
        PackageCreator::instance()->addProfile(1, 255, "Game");
        PackageCreator::instance()->globalProfile()->inputMaps << SampleModel::button(0, "Shoot");
        QVERIFY(!view.profileArea()->tileOf(ProfileFixture::named("Game")));
        QCOMPARE(left->shownLines(), QStringList());
        QVERIFY(fromSettingsDialog(&view, [](QDialog *dialog) { QMetaObject::invokeMethod(dialog, "dataUpdated"); }));
        QVERIFY(view.profileArea()->tileOf(ProfileFixture::named("Game")));
        QCOMPARE(left->shownLines(), QStringList{"Shoot"});
    }

    // The picture's editor, and the switch to the expert view from it: the
    // expert view learns the button to show, and coming back (it asks for
    // nothing more) shows the picture again.
    void pictureOpensTheEditorAndHandsTheButtonToTheExpertView()
    {
        PackageCreator::instance()->globalProfile()->inputMaps << SampleModel::button(0, "Shoot");
        fixture = std::make_unique<ConnectedMouse>(5);
        SimpleView view(nullptr, nullptr);
        fixture->connect();
        QCOMPARE(view.quickConfig(), view.mouseView()->editor());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        MouseView *scene = view.mouseView();
        QVERIFY(scene->isVisible());
        QVERIFY(scene->width() > 1000);
        QCOMPARE(scene->label(0)->shownLines(), QStringList{"Shoot"});
        SceneDriver::click(scene->graphicsView(), scene->label(0)->sceneBoundingRect().center());
        QCOMPARE(scene->mode(), int(MouseView::QuickEditor));
        QTRY_VERIFY(view.quickConfig()->isVisible());
        QTRY_COMPARE(scene->pictureItem()->x(), -750.0);
        QVERIFY(!WidgetDriver::grabToPng(&view, "simpleview-editor").isEmpty());

        QVERIFY(WidgetDriver::click(view.quickConfig(), "pushButton_backToAllView"));
        QCOMPARE(scene->mode(), int(MouseView::ShowAll));
        QTRY_COMPARE(scene->pictureItem()->x(), 0.0);

        SceneDriver::click(scene->graphicsView(), scene->label(0)->sceneBoundingRect().center());
        QSignalSpy toExpert(&view, &SimpleView::toExpertView);
        QVERIFY(WidgetDriver::click(&view, "pushButton_expert"));
        QCOMPARE(toExpert.count(), 1);
        QCOMPARE(CurrentPage::instance()->page, 3);
        QCOMPARE(CurrentPage::instance()->buttonId, 0);
        view.hide();
        CurrentPage::instance()->page = 0; // the expert view restored it
        view.activateView();
        QCOMPARE(scene->mode(), int(MouseView::ShowAll));
        QCOMPARE(CurrentPage::instance()->page, 2);
        QTRY_COMPARE(scene->pictureItem()->x(), 0.0);
    }

    // Each side-bar button opens its pop-up beside it, told what it shows.
    void sideBarButtonsOpenTheirPopups_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("lower"); // below the button's centre, less half the pop-up's height
        QTest::newRow("information") << "pushButton_info" << 0;
        QTest::newRow("mouse") << "pushButton_mouse" << 20;
    }
    void sideBarButtonsOpenTheirPopups()
    {
        QFETCH(QString, button);
        QFETCH(int, lower);
        ProfileFixture::build("0:Work 1:Game");
        fixture = std::make_unique<ConnectedMouse>(5);
        SimpleView view(nullptr, nullptr);
        fixture->connect();
        fillMemory(50);
        view.channelChanged(1);
        view.fwUpdateAvailable(true);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QWidget *popup = button == "pushButton_info" ? static_cast<QWidget *>(view.informationPopup())
                                                     : static_cast<QWidget *>(view.mousePopup());
        QVERIFY(WidgetDriver::click(&view, button));
        QTRY_VERIFY(popup->isVisible());
        const QWidget *side = WidgetDriver::child(&view, button);
        const QPoint centre = view.mapToGlobal(side->geometry().center());
        QCOMPARE(popup->pos(), QPoint(centre.x() + 50, centre.y() - popup->height() / 2 + lower));
        if (popup == view.informationPopup()) {
            QCOMPARE(WidgetDriver::child<QLabel>(popup, "label_version")->text(), QString("Version: 3.0.9.1 Alpha"));
            QVERIFY(WidgetDriver::child(popup, "widget_has_updates")->isVisible());
            QCOMPARE(WidgetDriver::child<QLabel>(popup, "label_update_info")->text(),
                     QString("Firmware Update Required"));
        } else {
            QCOMPARE(WidgetDriver::child<ItemMousePercentage>(popup, "percentage")->percentage(),
                     fixture->device()->memoryUsedPercent());
        }
        QVERIFY(!WidgetDriver::grabToPng(popup, "simpleview-popup-" + button.mid(11)).isEmpty());
        popup->close();
    }

    // What the window shows at start-up comes from the settings file; only a
    // change made by the user is written back.
    void aWindowShownWritesNoSettings()
    {
        const QString path = SettingsFile::folder() + "/back.png";
        QVERIFY(QDir().mkpath(SettingsFile::folder()));
        QVERIFY(ProfileFixture::writeFile(path, ProfileFixture::picture(QColor(40, 120, 200), "PNG", 20)));
        {
            QSettings written = settings();
            written.setValue("CustomBackground", path);
            written.setValue("DisplayHints", true);
            written.setValue("HasBeenOpenedSinceInstallOrUpgrade", true);
        }
        const QDateTime before = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - 86400);
        {
            QFile file(SettingsFile::path());
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(before, QFileDevice::FileModificationTime));
        }
        {
            SimpleView view(nullptr, nullptr);
            view.show();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
            QVERIFY(WidgetDriver::click(&view, "pushButton_info"));
            QTRY_VERIFY(view.informationPopup()->isVisible());
            view.informationPopup()->close();
        }
        QCOMPARE(QFileInfo(SettingsFile::path()).lastModified(), before);
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
