// The mouse picture scene under the offscreen platform, per model (the
// simulated mouse, or the last model without one): the picture, the labels,
// lines and outlines each model has, what the labels show, and the
// transitions to the quick editor and back, driven by the pointer on the
// scene and waited for until the animations end.
#include "ActionLayer.h"
#include "ActionLayers.h"
#include "AppFont.h"
#include "ButtonGraphicsItem.h"
#include "CurrentPage.h"
#include "DPILevelSimple.h"
#include "DPILevelsSimple.h"
#include "DpiItem.h"
#include "HintsArea.h"
#include "IconPixObject.h"
#include "IconsBlock.h"
#include "LineObject.h"
#include "MouseFunctions.h"
#include "MouseSceneLayout.h"
#include "MouseView.h"
#include "PackageCreator.h"
#include "PointingLine.h"
#include "QuickConfig.h"
#include "TextGraphicsItem.h"

#include "AppStyleSheet.h"
#include "ConnectedMouse.h"
#include "LastMouseModel.h"
#include "ProcessStateGuard.h"
#include "ProfileFixture.h"
#include "SampleModel.h"
#include "SceneDriver.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QPointer>
#include <QtTest>

#include <memory>
#include <optional>

using namespace MouseSceneLayout;

namespace {

InputMapPtr named(InputMapPtr mapping, const QString &name)
{
    mapping->name = name;
    return mapping;
}

InputMapPtr scrollMapping(int direction, const QString &name)
{
    auto mapping = std::make_shared<InputMapAction_Scroll>();
    mapping->wheelDirection = direction;
    return named(mapping, name);
}

// Whether every part of a callout line is shown.
bool lineShown(const PointingLine *line)
{
    for (QObject *part : line->items()) {
        if (!dynamic_cast<QGraphicsItem *>(part)->isVisible())
            return false;
    }
    return true;
}

QString hintShown()
{
    const QList<QLabel *> labels = HintsArea::instance()->findChildren<QLabel *>();
    return labels.isEmpty() ? QString() : labels.first()->text();
}

} // namespace

class TestMouseView : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> fixture;
    std::unique_ptr<MouseView> view;

    // The view for a product id: the simulated mouse of that model, or with
    // connected false the last model without a mouse.
    void makeView(int productId, bool connected = true)
    {
        if (connected) {
            fixture = std::make_unique<ConnectedMouse>(productId);
            fixture->connect();
        } else {
            useLastMouseModel(productId);
        }
        view = std::make_unique<MouseView>();
        // The window's dark background, for the pictures.
        view->setStyleSheet("MouseView { background: #1d1e2c; }");
        view->setAttribute(Qt::WA_StyledBackground);
        if (connected)
            view->updateMouseScheme(colourScheme(productId), true);
        view->resize(1200, 848);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        view->loadCurrentProfileToView();
    }

    // A point of the scene where the pointer meets the outline first.
    QPointF inside(int id) const
    {
        ButtonGraphicsItem *outline = view->outline(id);
        const QRectF bounds = outline->sceneBoundingRect();
        const QPointF centre = bounds.center();
        for (int step = 0; step < 40; ++step) {
            for (int dx = -step; dx <= step; ++dx) {
                for (int dy = -step; dy <= step; ++dy) {
                    const QPointF point = centre + QPointF(dx * bounds.width() / 80, dy * bounds.height() / 80);
                    const QPoint onView = view->graphicsView()->mapFromScene(point);
                    if (view->graphicsView()->itemAt(onView) == outline)
                        return point;
                }
            }
        }
        return {};
    }
    void click(int id) { SceneDriver::click(view->graphicsView(), inside(id)); }

    bool labelsAt(qreal opacity) const
    {
        for (int id : {int(LeftButton), int(MiddleButton), int(RightButton), int(Dpi)}) {
            if (!qFuzzyCompare(1 + view->label(id)->opacity(), 1 + opacity))
                return false;
        }
        return qFuzzyCompare(1 + view->calloutLine(LeftButton)->line()->opacity(), 1 + opacity);
    }

private slots:
    void initTestCase()
    {
        QApplication::setFont(appFont());
        qApp->setStyleSheet(AppStyleSheet::joined());
    }
    void init()
    {
        clean.emplace();
        ProfileFixture::build("0:Work 0.0:Level");
        ProfileData *global = PackageCreator::instance()->globalProfile();
        global->setOwnSettings(true);
        global->dpiRecord.levelCount = 2;
        global->dpiRecord.currentLevel = 1;
        global->dpiRecord.separateXY = 1;
        global->dpiRecord.dpiValues = {800, 400, 1600, 900};
        global->oledRecord.oledMode = 3;
        InputMapPtr left = SampleModel::button(LeftButton, "Shoot");
        left->addChild(named(std::make_shared<InputMapAction_Force>(), "Reload"));
        global->inputMaps << left << SampleModel::button(RightButton, "Aim")
                          << SampleModel::button(MiddleButton, "Middle") << scrollMapping(0, "Zoom in")
                          << scrollMapping(1, "Zoom out") << SampleModel::button(3, "Back")
                          << SampleModel::button(LeftTriggerPush, "Push");
        CurrentPage::instance()->page = 2;
        CurrentPage::instance()->buttonId = 13;
    }
    void cleanup()
    {
        view.reset();
        fixture.reset();
        clean.reset();
    }

    void sceneFollowsTheModel_data()
    {
        QTest::addColumn<int>("productId");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<bool>("logo");
        QTest::addColumn<bool>("oledAndTilts");
        QTest::addColumn<QColor>("lineColour");
        const QString base = ":/pic/simple_mode/";
        QTest::newRow("5") << 5 << true << base + "v/mouse_scene/mouse_with_logo.png" << true << true
                           << QColor(200, 200, 200);
        QTest::newRow("10") << 10 << true << base + "tamsel/mouse_scene/mouse.png" << false << false
                            << QColor(168, 168, 168);
        QTest::newRow("20") << 20 << true << base + "pelkin/mouse_scene/mouse_with_logo.png" << true << false
                            << QColor(211, 127, 255);
        QTest::newRow("30") << 30 << true << base + "v/mouse_scene/v2_with_logo.png" << true << true
                            << QColor(200, 200, 200);
        QTest::newRow("unplugged, last 20")
            << 20 << false << base + "no_mouse.png" << true << false << QColor(211, 127, 255);
        QTest::newRow("unplugged, none yet")
            << 0 << false << base + "no_mouse.png" << true << true << QColor(200, 200, 200);
    }
    void sceneFollowsTheModel()
    {
        QFETCH(int, productId);
        QFETCH(bool, connected);
        QFETCH(QString, picture);
        QFETCH(bool, logo);
        QFETCH(bool, oledAndTilts);
        QFETCH(QColor, lineColour);
        makeView(productId, connected);
        const int scheme = colourScheme(productId);

        QCOMPARE(view->pictureItem()->pixmap().toImage(), QPixmap(picture).toImage());
        QCOMPARE(view->outline(Logo) != nullptr, logo);
        QCOMPARE(view->label(Logo)->isVisible(), logo);
        QCOMPARE(lineShown(view->calloutLine(Logo)), logo);
        for (int id : {int(Oled), int(RollLeft), int(PitchForward)}) {
            QCOMPARE(view->outline(id) != nullptr, oledAndTilts);
            QCOMPARE(view->label(id)->isVisible(), oledAndTilts);
            QCOMPARE(lineShown(view->calloutLine(id)), oledAndTilts);
        }
        for (int id : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 12, int(Dpi)}) {
            QVERIFY(view->outline(id));
            QCOMPARE(view->outline(id)->styleType(), scheme);
            QVERIFY(view->label(id)->isVisible());
            QVERIFY(lineShown(view->calloutLine(id)));
        }
        QCOMPARE(view->calloutLine(LeftButton)->color(), lineColour);
        QCOMPARE(view->dpiItem()->color(), lineColour);
        QCOMPARE(view->label(LeftButton)->normalColor(), scheme == SchemeTamsel   ? QColor(168, 168, 168)
                                                         : scheme == SchemePelkin ? QColor(177, 183, 232)
                                                                                  : QColor(200, 200, 200));
        QVERIFY(!WidgetDriver::grabToPng(view.get(),
                                         QString("scene-%1%2").arg(productId).arg(connected ? "" : "-unplugged"))
                     .isEmpty());

        // The same look again changes nothing; another look rebuilds the outlines.
        QPointer<ButtonGraphicsItem> left = view->outline(LeftButton);
        view->updateMouseScheme(scheme, connected);
        QCOMPARE(view->outline(LeftButton), left.data());
        view->updateMouseScheme(scheme, !connected);
        QVERIFY(left.isNull());
    }

    void labelsShowTheCurrentProfile()
    {
        makeView(5);
        QCOMPARE(view->label(LeftButton)->shownLines(), (QStringList{"Shoot", "Reload"}));
        QCOMPARE(view->label(MiddleButton)->shownLines(), (QStringList{"Middle", "Zoom in", "Zoom out"}));
        QCOMPARE(view->label(LeftTriggerPull)->shownLines(), QStringList{"Push"});
        QCOMPARE(view->label(4)->shownLines(), QStringList{});
        QCOMPARE(view->label(Oled)->shownLines(), QStringList{"Current Profile"});
        QCOMPARE(view->label(Logo)->shownLines(), QStringList{"RGB logo"});
        // Level 1 of separate X and Y values: its X.
        QCOMPARE(view->dpiItem()->textItem()->shownLines(), QStringList{"1600 DPI"});
        // The push, then the Force Press icon above the Left Button's label.
        QCOMPARE(view->icons()->icons(LeftButton).size(), 2);
        QCOMPARE(view->icons()->icons(LeftButton).at(1)->iconType(), int(IconPixObject::ForcePress));

        // A sub-profile's own mappings win; a fifth line is counted.
        ProfileData *level = ProfileFixture::at("0.0");
        level->inputMaps << SampleModel::button(3, "Sub back") << SampleModel::button(MiddleButton, "Sub middle");
        level->inputMaps.last()->addChild(named(std::make_shared<InputMapAction_Force>(), "Hard"));
        level->inputMaps.last()->addChild(named(std::make_shared<InputMapAction_Force>(), "Harder"));
        ProfileFixture::at("0")->setOwnSettings(true);
        ProfileFixture::at("0")->dpiRecord.levelCount = 1;
        ProfileFixture::at("0")->dpiRecord.currentLevel = 2; // past its values
        ProfileFixture::at("0")->dpiRecord.dpiValues = {800};
        PackageCreator::instance()->setCurrentProfile(level);
        view->loadCurrentProfileToView();
        QCOMPARE(view->label(3)->shownLines(), QStringList{"Sub back"});
        QCOMPARE(view->label(MiddleButton)->shownLines(), (QStringList{"Sub middle", "Hard", "Harder", "+ 2 more"}));
        QCOMPARE(view->dpiItem()->textItem()->shownLines(), QStringList{});
        QCOMPARE(view->label(Oled)->shownLines(), QStringList{"Blank"});
        QCOMPARE(PackageCreator::instance()->currentProfile(), level);
        QVERIFY(!WidgetDriver::grabToPng(view.get(), "scene-labels").isEmpty());
    }

    void outlineClickOpensTheEditorAndBackReturns()
    {
        makeView(5);
        click(LeftButton);
        QCOMPARE(view->mode(), int(MouseView::QuickEditor));
        QCOMPARE(view->selectedId(), int(LeftButton));
        QTRY_COMPARE(view->pictureItem()->x(), -750.0);
        QCOMPARE(view->outline(RightButton)->x(), -750.0);
        QTRY_VERIFY(labelsAt(0));
        QTRY_VERIFY(view->editor()->isVisible());
        QTRY_COMPARE(view->editor()->graphicsProxyWidget()->opacity(), 1.0);
        QVERIFY(view->outline(LeftButton)->isSelectedState());
        // The editor shows the Left Button's layers, with a tip line from each
        // row to the button on the slid picture.
        auto *layers = qobject_cast<ActionLayers *>(view->editor()->currentPage());
        QVERIFY(layers);
        QCOMPARE(layers->layers().first()->mapping()->name, QString("Shoot"));
        QTRY_VERIFY(!view->tipLines().isEmpty());
        QCOMPARE(view->tipLines().size(), view->editor()->layerAnchors(0).size());
        for (PointingLine *tip : view->tipLines())
            QCOMPARE(tip->line()->line().p2(), QPointF(660 - 750, 187));
        QCOMPARE(CurrentPage::instance()->page, 3);
        QCOMPARE(CurrentPage::instance()->buttonId, int(LeftButton));
        QCOMPARE(hintShown(), HintsArea::hintText(8));
        QVERIFY(!WidgetDriver::grabToPng(view.get(), "scene-editor").isEmpty());

        // Another outline switches the editor where it is.
        click(RightButton);
        QCOMPARE(view->pictureItem()->x(), -750.0);
        QCOMPARE(view->selectedId(), int(RightButton));
        QVERIFY(!view->outline(LeftButton)->isSelectedState());
        QVERIFY(view->outline(RightButton)->isSelectedState());
        QCOMPARE(CurrentPage::instance()->buttonId, int(RightButton));
        QTest::qWait(50);
        QCOMPARE(view->pictureItem()->x(), -750.0);

        QVERIFY(WidgetDriver::click(view->editor(), "pushButton_backToAllView"));
        QVERIFY(!view->editor()->isVisible());
        QVERIFY(view->tipLines().isEmpty() || !view->tipLines().first()->line()->isVisible());
        QCOMPARE(CurrentPage::instance()->page, 2);
        QCOMPARE(view->mode(), int(MouseView::ShowAll));
        QTest::qWait(150);
        QVERIFY(labelsAt(0)); // still out until 200 ms
        QTRY_VERIFY(labelsAt(1));
        QTRY_COMPARE(view->pictureItem()->x(), 0.0);
        QCOMPARE(view->outline(LeftButton)->x(), 0.0);
        QVERIFY(!view->outline(RightButton)->isSelectedState());
        QCOMPARE(hintShown(), HintsArea::hintText(0));
        QCOMPARE(view->selectedId(), int(RightButton));
    }

    void labelClickOpensSettingsOrInput_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("page");
        QTest::newRow("DPI") << int(Dpi) << 1;
        QTest::newRow("OLED") << int(Oled) << 1;
        QTest::newRow("Left Trigger") << int(LeftTriggerPull) << 3;
    }
    void labelClickOpensSettingsOrInput()
    {
        QFETCH(int, id);
        QFETCH(int, page);
        makeView(30);
        TextGraphicsItem *label = view->label(id);
        SceneDriver::click(view->graphicsView(), label->sceneBoundingRect().center());
        QCOMPARE(view->mode(), int(MouseView::QuickEditor));
        QCOMPARE(view->selectedId(), id);
        QCOMPARE(CurrentPage::instance()->page, page);
        QVERIFY(view->outline(id)->isSelectedState());
        QTRY_VERIFY(labelsAt(0));
    }

    void dpiOpensTheSettingsOfTheProfileThatOwnsThem()
    {
        ProfileData *work = ProfileFixture::at("0");
        work->setOwnSettings(true);
        work->dpiRecord.levelCount = 2;
        work->dpiRecord.currentLevel = 0;
        work->dpiRecord.separateXY = 0;
        work->dpiRecord.dpiValues = {1200, 2400};
        PackageCreator::instance()->setCurrentProfile(ProfileFixture::at("0.0"));
        makeView(5);
        QCOMPARE(view->dpiItem()->textItem()->shownLines(), QStringList{"1200 DPI"});
        SceneDriver::click(view->graphicsView(), view->label(Dpi)->sceneBoundingRect().center());
        auto *page = qobject_cast<DPILevelsSimple *>(view->editor()->currentPage());
        QVERIFY(page);
        QCOMPARE(page->rowCount(), 2);
        QCOMPARE(page->row(1)->value(), 2400);
        QCOMPARE(CurrentPage::instance()->page, 1);
        QTRY_VERIFY(labelsAt(0));
        QVERIFY(!WidgetDriver::grabToPng(view.get(), "scene-dpi").isEmpty());
    }

    // The page's row that asks for the reload is still at work: the editor
    // is reopened once the signal has returned.
    void layerReloadReopensTheEditorLater()
    {
        makeView(5);
        click(MiddleButton);
        QPointer<QWidget> page = view->editor()->currentPage();
        QVERIFY(qobject_cast<ActionLayers *>(page));
        emit view->editor()->layerNeedReload();
        QCOMPARE(view->editor()->currentPage(), page.data());
        QTRY_VERIFY(view->editor()->currentPage() != page.data());
        QTRY_VERIFY(page.isNull());
        QCOMPARE(view->mode(), int(MouseView::QuickEditor));
        QCOMPARE(CurrentPage::instance()->buttonId, int(MiddleButton));
    }

    void reloadWithNothingToRestoreLeavesTheEditor()
    {
        makeView(20);
        click(3);
        QCOMPARE(view->mode(), int(MouseView::QuickEditor));
        CurrentPage::instance()->page = 0;
        view->loadCurrentProfileToView();
        QCOMPARE(view->mode(), int(MouseView::ShowAll));
        QTRY_VERIFY(labelsAt(1));
    }

    void modelChangeLeavesTheEditor()
    {
        makeView(5);
        click(LeftButton);
        QTRY_COMPARE(view->pictureItem()->x(), -750.0);
        view->updateMouseScheme(SchemeTamsel, true);
        QCOMPARE(view->mode(), int(MouseView::ShowAll));
        QVERIFY(!view->outline(Logo));
        QTRY_COMPARE(view->pictureItem()->x(), 0.0);
        QCOMPARE(view->outline(LeftButton)->x(), 0.0);
    }

    void hoverLightsTheInput()
    {
        makeView(5);
        TextGraphicsItem *label = view->label(3);
        SceneDriver::moveTo(view->graphicsView(), inside(3));
        QTRY_COMPARE(label->defaultTextColor(), label->hoverColor());
        QCOMPARE(view->calloutLine(3)->line()->pen().color(), QColor(255, 212, 0));
        SceneDriver::moveTo(view->graphicsView(), QPointF(-150, -80));
        QTRY_COMPARE(label->defaultTextColor(), label->normalColor());

        SceneDriver::moveTo(view->graphicsView(), label->sceneBoundingRect().center());
        QTRY_COMPARE(view->outline(3)->pen(), view->outline(3)->hoverPen());
    }

    void tooTallKeepsTheSceneProportions()
    {
        makeView(5);
        view->resize(800, 1000);
        QTRY_COMPARE(view->height(), int(800 / (1708.0 / 1208 * 1.2)));
    }
};

QTEST_MAIN(TestMouseView)
#include "tst_mouseview.moc"
