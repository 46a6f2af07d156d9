// The simple view end to end, for the look of each model: the whole program
// over the simulated mouse on an X server of the test's own, driven by
// clicks, each step checked on the widgets, at the mouse and in the working
// file, with a picture of the screen after it.
#include "ActionLayer.h"
#include "ActionLayers.h"
#include "App.h"
#include "AppHarness.h"
#include "ButtonGraphicsItem.h"
#include "ComboTree.h"
#include "ComboTreeView.h"
#include "CurrentPage.h"
#include "DialogAnswerer.h"
#include "DpiItem.h"
#include "LineObject.h"
#include "ExpertView.h"
#include "MapWidget.h"
#include "Mappings.h"
#include "ModelSnapshot.h"
#include "MouseFunctions.h"
#include "MouseSceneLayout.h"
#include "MouseView.h"
#include "OutputBar.h"
#include "PackageCreator.h"
#include "PointingLine.h"
#include "Profile.h"
#include "ProfileArea.h"
#include "ProfileButton.h"
#include "ProfilesView.h"
#include "QuickConfig.h"
#include "SceneDriver.h"
#include "SettingsFile.h"
#include "SimpleView.h"
#include "SimulatedMouse.h"
#include "TextGraphicsItem.h"
#include "WidgetDriver.h"
#include "WorkingFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

#include <memory>

using namespace MouseSceneLayout;

namespace {

ProfileButton *tileNamed(ProfileArea *bar, const QString &name)
{
    for (ProfileButton *tile : bar->rowTiles()) {
        if (tile->name() == name)
            return tile;
    }
    return nullptr;
}

QStringList shownTiles(ProfileArea *bar)
{
    QStringList names;
    for (const ProfileButton *tile : bar->rowTiles()) {
        if (tile->isVisible())
            names << tile->name();
    }
    return names;
}

QString activeName(const ProfileArea *bar)
{
    const auto *label = WidgetDriver::child<QLabel>(bar, "label_activeName");
    return label ? label->text() : QString();
}

// The payload of the last command of that address the mouse was sent; empty
// when none.
QVector<uint8_t> lastPayload(const SimulatedMouse *mouse, int commandClass, int group, int command)
{
    const QVector<SimulatedMouse::Command> commands = mouse->commands();
    for (auto it = commands.crbegin(); it != commands.crend(); ++it) {
        if (it->is(commandClass, group, command))
            return it->payload;
    }
    return {};
}

QVector<uint8_t> lastSwitch(const SimulatedMouse *mouse)
{
    return lastPayload(mouse, 1, 10, 30);
}

// A widget whose model key is not the one given; null when every one has it.
QWidget *widgetWithoutKey(QWidget *window, const QString &key)
{
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->property("m").toString() != key)
            return widget;
    }
    return nullptr;
}

// The profile's top-level mapping of a button; null when it has none.
InputMapActionConfig *buttonMapping(const ProfileData *profile, int buttonId)
{
    for (const InputMapPtr &mapping : profile->inputMaps) {
        const auto *button = dynamic_cast<const InputMapAction_Button *>(mapping.get());
        if (button && button->buttonId == buttonId)
            return mapping.get();
    }
    return nullptr;
}

bool expertViewSetting()
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat).value("ExpertView").toBool();
}

} // namespace

class TestSimpleFlows : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppHarness> run;

    SimpleView *view() const { return run->app()->simple(); }
    ProfileArea *bar() const { return view()->profileArea(); }
    MouseView *scene() const { return view()->mouseView(); }
    QGraphicsView *graphics() const { return scene()->graphicsView(); }
    QuickConfig *editor() const { return scene()->editor(); }
    QPushButton *saveButton() const { return WidgetDriver::child<QPushButton>(editor(), "pushButton_save"); }
    ActionLayers *layers() const { return qobject_cast<ActionLayers *>(editor()->currentPage()); }
    // The mouse holds what the program's model makes of the profiles now.
    bool mouseHoldsTheModel() const
    {
        const QByteArray package = PackageCreator::instance()->package();
        return !package.isEmpty() && run->mouse()->ramPackage() == package;
    }
    bool showsTheLogo(const QString &logo) const
    {
        const auto *label = WidgetDriver::child<QLabel>(view(), "label_mouseLogo");
        return label && label->isVisible() && label->pixmap(Qt::ReturnByValue).toImage() == QPixmap(logo).toImage();
    }
    bool showsThePicture(const QString &picture) const
    {
        return scene()->pictureItem()->pixmap().toImage() == QPixmap(picture).toImage();
    }
    // The labels, their callout lines and the DPI read-out all at that opacity.
    bool labelsAt(qreal opacity) const
    {
        for (int id : {int(LeftButton), int(RightButton), int(MiddleButton), int(Dpi)}) {
            if (!qFuzzyCompare(1 + scene()->label(id)->opacity(), 1 + opacity))
                return false;
        }
        return qFuzzyCompare(1 + scene()->calloutLine(LeftButton)->line()->opacity(), 1 + opacity);
    }
    void shot(const QString &step)
    {
        const QString path = run->shot(step);
        QVERIFY2(!path.isEmpty(), qPrintable(step));
    }

    // The picture at rest in the show-all view: in place, its labels in.
    void awaitPicture()
    {
        QTRY_COMPARE(scene()->mode(), int(MouseView::ShowAll));
        QTRY_COMPARE(scene()->pictureItem()->x(), 0.0);
        QTRY_VERIFY(labelsAt(1));
        QVERIFY(!editor()->isVisible());
    }
    // A click on a button's outline on the picture, then the quick editor at
    // rest: the picture slid away with its outlines, the labels out, the
    // editor faded in with the button's action layers.
    void openEditorOf(int id)
    {
        ButtonGraphicsItem *outline = scene()->outline(id);
        QVERIFY(outline);
        const std::optional<QPointF> point = SceneDriver::pointOn(graphics(), outline);
        QVERIFY(point);
        SceneDriver::click(graphics(), *point);
        QCOMPARE(scene()->mode(), int(MouseView::QuickEditor));
        QCOMPARE(scene()->selectedId(), id);
        QTRY_COMPARE(scene()->pictureItem()->x(), -double(MouseView::slideDistance));
        QCOMPARE(scene()->outline(RightButton)->x(), -double(MouseView::slideDistance));
        QTRY_VERIFY(labelsAt(0));
        QTRY_VERIFY(editor()->isVisible());
        QTRY_COMPARE(editor()->graphicsProxyWidget()->opacity(), 1.0);
        QVERIFY(scene()->outline(id)->isSelectedState());
        QVERIFY(layers());
        QCOMPARE(CurrentPage::instance()->page, 3);
        QCOMPARE(CurrentPage::instance()->buttonId, id);
    }
    void back()
    {
        auto *button = WidgetDriver::child<QPushButton>(editor(), "pushButton_backToAllView");
        QVERIFY(button && button->isVisible());
        SceneDriver::click(graphics(), button);
        awaitPicture();
        QCOMPARE(CurrentPage::instance()->page, 2);
    }
    // Save in the quick editor: one more upload that the mouse took, with
    // the CRC of the package the model makes; the file written; Save off.
    void save()
    {
        QVERIFY(saveButton()->isEnabled());
        const int uploads = run->mouse()->uploads();
        const int rejected = run->mouse()->rejectedUploads();
        SceneDriver::click(graphics(), saveButton());
        run->awaitUploads(uploads + 1);
        QCOMPARE(run->mouse()->rejectedUploads(), rejected);
        const QByteArray package = PackageCreator::instance()->package();
        const QVector<uint8_t> upload = lastPayload(run->mouse(), 1, 10, 1);
        QCOMPARE(upload.size(), package.size() + 4);
        QCOMPARE(uint16_t(upload[2] | upload[3] << 8), SimulatedMouse::crc16(package));
        QVERIFY(mouseHoldsTheModel());
        QVERIFY(WorkingFile::holdsTheModel());
        QTRY_VERIFY(!saveButton()->isEnabled());
    }

private slots:
    void initTestCase()
    {
        // No OpenGL for the windows: the X server's GL driver keeps memory
        // of its own that the leak check would report at exit.
        qputenv("QT_XCB_GL_INTEGRATION", "none");
        AppHarness::prepareProcess(R7_SHIPPED_DIR, R7_E2E_SHOTS);
        qInfo().noquote() << "Pictures of the screen:" << AppHarness::shotsRoot();
    }
    void cleanup()
    {
        run.reset();
        AppHarness::clearHome();
    }

    void flow_data()
    {
        QTest::addColumn<int>("productId");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("logo");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<bool>("logoLabel");
        QTest::addColumn<bool>("oledAndTiltLabels");
        const QString bar = QStringLiteral(":/pic/simple_mode/%1/side_bar/%2.png");
        const QString mouse = QStringLiteral(":/pic/simple_mode/%1/mouse_scene/%2.png");
        QTest::newRow("5") << 5 << "v" << bar.arg("v", "v_logo") << mouse.arg("v", "mouse_with_logo") << true << true;
        QTest::newRow("30") << 30 << "v" << bar.arg("v", "v2_logo") << mouse.arg("v", "v2_with_logo") << true
                            << true;
        QTest::newRow("20") << 20 << "pelkin" << bar.arg("pelkin", "pelkin_logo")
                            << mouse.arg("pelkin", "mouse_with_logo") << true << false;
        QTest::newRow("10") << 10 << "tamsel" << bar.arg("tamsel", "tamsel_logo") << mouse.arg("tamsel", "mouse")
                            << false << false;
    }
    void flow()
    {
        QFETCH(int, productId);
        QFETCH(QString, key);
        QFETCH(QString, logo);
        QFETCH(QString, picture);
        QFETCH(bool, logoLabel);
        QFETCH(bool, oledAndTiltLabels);
        run = std::make_unique<AppHarness>(productId, QStringLiteral("simple-%1").arg(productId));
        AppHarness::returningUser();
        QVERIFY(WorkingFile::writeGlobalTwoProfilesAndASubProfile(true));

        // 1. A start in the simple view over the user's profiles, the mouse
        // plugged in once the window is up: the model's picture with the
        // labels of the inputs it has.
        run->start();
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        QCOMPARE(run->app()->currentView(), view());
        run->awaitWindow(view());
        run->plugIn();
        QVERIFY(showsTheLogo(logo));
        QVERIFY(WidgetDriver::child<QPushButton>(view(), "pushButton_mouse")->isEnabled());
        QCOMPARE(widgetWithoutKey(view(), key), nullptr);
        QCOMPARE(shownTiles(bar()), (QStringList{"Work", "Play"}));
        QCOMPARE(activeName(bar()), QString("Global"));
        QVERIFY(showsThePicture(picture));
        awaitPicture();
        QCOMPARE(scene()->label(LeftButton)->shownLines(), QStringList{"Left Click"});
        QCOMPARE(scene()->label(RightButton)->shownLines(), QStringList{"Right Click"});
        QCOMPARE(scene()->label(MiddleButton)->shownLines(), QStringList{});
        QCOMPARE(scene()->dpiItem()->textItem()->shownLines(), QStringList{"1600 DPI"});
        QCOMPARE(scene()->label(Logo)->isVisible(), logoLabel);
        QCOMPARE(scene()->outline(Logo) != nullptr, logoLabel);
        QCOMPARE(scene()->label(Logo)->shownLines(), QStringList{"RGB logo"});
        for (int id : {int(Oled), int(RollLeft), int(PitchForward)}) {
            QCOMPARE(scene()->label(id)->isVisible(), oledAndTiltLabels);
            QCOMPARE(scene()->outline(id) != nullptr, oledAndTiltLabels);
        }
        QCOMPARE(scene()->label(Oled)->shownLines(), QStringList{"Current DPI"});
        run->awaitUploads(1);
        QVERIFY(mouseHoldsTheModel());
        QVERIFY(WorkingFile::holdsTheModel());
        shot("1-start");

        // 2. The Left Button on the picture: its editor, one row for its one
        // mapping, a tip line from the row to the button on the slid picture.
        const QByteArray fileAtStart = WorkingFile::bytes();
        openEditorOf(LeftButton);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(layers()->layers().size(), 1);
        QCOMPARE(layers()->layers().first()->mapping()->name, QString("Left Click"));
        QCOMPARE(layers()->layers().first()->depth(), 0);
        QTRY_VERIFY(!scene()->tipLines().isEmpty());
        QCOMPARE(scene()->tipLines().size(), editor()->layerAnchors(0).size());
        for (PointingLine *tip : scene()->tipLines())
            QCOMPARE(tip->line()->line().p2(), QPointF(660 - MouseView::slideDistance, 187));
        QVERIFY(!saveButton()->isEnabled()); // nothing to save yet
        QCOMPARE(run->mouse()->uploads(), 1);
        shot("2-editor");

        // 3. An action of the library picked in the row's output picker: the
        // mapping takes it and Save is offered; nothing is sent or written
        // before Save. Back on the picture the label shows it.
        ComboTree *picker = layers()->layers().first()->outputBar()->comboTree();
        SceneDriver::click(graphics(), picker);
        QTRY_VERIFY(picker->isPopupVisible());
        QVERIFY(WidgetDriver::clickTreeRow(picker->treeView(), "Editing", true));
        QTRY_VERIFY(WidgetDriver::shownTreeRow(picker->treeView(), "Copy").isValid());
        shot("3-picker");
        QVERIFY(WidgetDriver::clickTreeRow(picker->treeView(), "Copy"));
        const InputMapActionConfig *left = buttonMapping(PackageCreator::instance()->globalProfile(), LeftButton);
        QVERIFY(left);
        QCOMPARE(left->name, QString("Copy"));
        // Ctrl held, C, Ctrl let go; the button's own release is gone.
        QCOMPARE(left->activationOutputs.size(), 3);
        QVERIFY(left->deactivationOutputs.isEmpty());
        QTRY_VERIFY(saveButton()->isEnabled());
        // The page is built again for the edited mapping.
        QTRY_VERIFY(layers() && layers()->layers().first()->mapping() == left);
        QTRY_COMPARE(layers()->layers().first()->outputBar()->comboTree()->currentText(), QString("Copy"));
        QCOMPARE(run->mouse()->uploads(), 1);
        QCOMPARE(WorkingFile::bytes(), fileAtStart);
        shot("3-picked");
        back();
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(scene()->label(LeftButton)->shownLines(), QStringList{"Copy"});
        shot("3-back");

        // 4. Save, from the Left Button's editor again: the mouse holds the
        // package the model makes, the file the mapping.
        openEditorOf(LeftButton);
        if (QTest::currentTestFailed())
            return;
        save();
        if (QTest::currentTestFailed())
            return;
        QVERIFY(WorkingFile::bytes().contains("\"Copy\""));
        QVERIFY(WorkingFile::bytes() != fileAtStart);
        shot("4-saved");
        back();
        if (QTest::currentTestFailed())
            return;

        // 5. Quit and start again: the same profiles, mappings and settings.
        const ModelSnapshot before = ModelSnapshot::take();
        const int uploadsBeforeRestart = run->mouse()->uploads();
        run->unplug();
        run->restart();
        run->awaitWindow(view());
        run->plugIn();
        QCOMPARE(ModelSnapshot::take().differenceFrom(before), QString());
        QCOMPARE(shownTiles(bar()), (QStringList{"Work", "Play"}));
        run->awaitUploads(uploadsBeforeRestart + 1);
        QVERIFY(mouseHoldsTheModel());
        QVERIFY(WorkingFile::holdsTheModel());
        awaitPicture();
        QCOMPARE(scene()->label(LeftButton)->shownLines(), QStringList{"Copy"});
        shot("5-restart");

        // 6. A predefined profile ticked in the manager and applied.
        const QByteArray fileBeforeApply = WorkingFile::bytes();
        const QByteArray packageBeforeApply = run->mouse()->ramPackage();
        bool ticked = false;
        DialogAnswerer manager([&](QWidget *dialog) {
            auto *box = WidgetDriver::child<QCheckBox>(dialog, "Desktop");
            QVERIFY(box && !box->isChecked());
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
            ticked = box->isChecked();
            shot("6-manager");
            WidgetDriver::click(dialog, "pushButton_apply");
        });
        QVERIFY(WidgetDriver::click(bar(), "pushButton_manage"));
        QVERIFY(manager.answered());
        QVERIFY(ticked);
        QTRY_COMPARE(shownTiles(bar()), (QStringList{"Work", "Play", "Desktop"}));
        // The row is fitted to its tiles a moment later.
        QTRY_VERIFY(!tileNamed(bar(), "Desktop")->visibleRegion().isEmpty());
        QCOMPARE(WorkingFile::bytes(), fileBeforeApply); // Apply alone writes nothing
        QCOMPARE(run->mouse()->ramPackage(), packageBeforeApply);
        shot("6-applied");
        // Save, from an editor: the new profile goes to the file and the mouse.
        openEditorOf(RightButton);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(layers()->layers().first()->mapping()->name, QString("Right Click"));
        save();
        if (QTest::currentTestFailed())
            return;
        QVERIFY(WorkingFile::bytes().contains("\"Desktop\""));
        QVERIFY(run->mouse()->ramPackage() != packageBeforeApply);
        shot("6-saved");
        back();
        if (QTest::currentTestFailed())
            return;

        // 7. Another profile's tile: the mouse switches to it.
        ProfileButton *play = tileNamed(bar(), "Play");
        QVERIFY(play);
        QVERIFY(WidgetDriver::click(play, "pushButton_image"));
        QTRY_COMPARE(lastSwitch(run->mouse()), (QVector<uint8_t>{2, 1, 255}));
        run->settle();
        QCOMPARE(run->mouse()->profileIndex(), 1);
        QCOMPARE(run->mouse()->subProfileIndex(), 255);
        QCOMPARE(activeName(bar()), QString("Play"));
        QVERIFY(play->isActivated());
        // The picture shows Play's own Left Button.
        QCOMPARE(scene()->label(LeftButton)->shownLines(), QStringList{"Fire"});
        shot("7-switched");

        // 8. "Expert Mode" from the Left Button's editor: the expert view
        // opens on that button's mappings; "Simple Mode" comes back to the
        // picture.
        openEditorOf(LeftButton);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(layers()->layers().first()->mapping()->name, QString("Fire"));
        const int uploadsBeforeExpert = run->mouse()->uploads();
        QVERIFY(WidgetDriver::click(view(), "pushButton_expert"));
        ExpertView *expert = run->app()->expert();
        QCOMPARE(run->app()->currentView(), expert);
        run->awaitWindow(expert);
        QVERIFY(!view()->isVisible());
        QVERIFY(expertViewSetting());
        Profile *page = expert->profilesView()->currentPage();
        QVERIFY(page);
        QCOMPARE(page->name(), QString("Play"));
        QTRY_VERIFY(page->mappings()->isVisible());
        QStringList cards;
        for (MapWidget *card : page->mappings()->topLevelCards()) {
            if (!card->isVisible())
                continue;
            const auto *button = dynamic_cast<const InputMapAction_Button *>(card->config());
            QVERIFY2(button && button->buttonId == LeftButton, qPrintable(card->config()->name));
            cards << card->config()->name;
        }
        QCOMPARE(cards, QStringList{"Fire"});
        QCOMPARE(CurrentPage::instance()->page, 0); // restored
        shot("8-expert");
        QVERIFY(WidgetDriver::click(expert, "pushButton_simple_mode"));
        QCOMPARE(run->app()->currentView(), view());
        run->awaitWindow(view());
        QVERIFY(!expert->isVisible());
        QVERIFY(!expertViewSetting());
        awaitPicture();
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(CurrentPage::instance()->page, 2);
        QCOMPARE(scene()->label(LeftButton)->shownLines(), QStringList{"Fire"});
        QVERIFY(showsThePicture(picture));
        run->settle();
        QCOMPARE(run->mouse()->uploads(), uploadsBeforeExpert);
        shot("8-back");

        // 9. Unplugged and plugged in again: the picture of no mouse, then
        // the model's again.
        const int uploads = run->mouse()->uploads();
        run->unplug();
        QVERIFY(!WidgetDriver::child<QPushButton>(view(), "pushButton_mouse")->isEnabled());
        QVERIFY(showsThePicture(noMousePicture));
        shot("9-unplugged");
        run->plugIn();
        QVERIFY(WidgetDriver::child<QPushButton>(view(), "pushButton_mouse")->isEnabled());
        QVERIFY(showsTheLogo(logo));
        QVERIFY(showsThePicture(picture));
        QCOMPARE(scene()->label(Logo)->isVisible(), logoLabel);
        QCOMPARE(scene()->label(Oled)->isVisible(), oledAndTiltLabels);
        QCOMPARE(widgetWithoutKey(view(), key), nullptr);
        run->awaitUploads(uploads + 1);
        QVERIFY(mouseHoldsTheModel());
        shot("9-plugged-in");
    }
};

QTEST_APPLESS_MAIN(TestSimpleFlows)
#include "tst_e2e_simple.moc"
