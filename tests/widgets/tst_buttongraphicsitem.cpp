// Button areas and the logo zone: their looks per style type, hover and
// selection, and which presses and hovers they report.
#include "ButtonGraphicsItem.h"
#include "LogoGraphicsItem.h"
#include "MouseOutlines.h"
#include "SceneDriver.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLinearGradient>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const QColor yellow(255, 212, 0, 255);
const QColor yellowFill(255, 212, 0, 100);

// A scene with one item, shown in a view at 1:1 so scene points are easy to hit.
struct SceneWithItem
{
    QGraphicsScene scene{0, 0, 1308, 1008};
    QGraphicsView view{&scene};

    explicit SceneWithItem(QGraphicsItem *item)
    {
        scene.addItem(item);
        view.setFixedSize(1320, 1020);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }
};

} // namespace

class TestButtonGraphicsItem : public QObject
{
    Q_OBJECT

private slots:
    void styleTable_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QColor>("penColor");
        QTest::addColumn<QColor>("fillColor"); // solid fills
        QTest::addColumn<bool>("gradient");
        QTest::newRow("0 yellow") << 0 << yellow << yellowFill << false;
        QTest::newRow("3 yellow") << 3 << yellow << yellowFill << false;
        QTest::newRow("1 gradient") << 1 << QColor(211, 127, 255) << QColor() << true;
        QTest::newRow("2 red") << 2 << QColor(Qt::red) << QColor(255, 0, 0, 178) << false;
    }
    void styleTable()
    {
        QFETCH(int, style);
        QFETCH(QColor, penColor);
        QFETCH(QColor, fillColor);
        QFETCH(bool, gradient);
        ButtonGraphicsItem item(1, style);
        QCOMPARE(item.styleType(), style);
        QCOMPARE(item.hoverPen().color(), penColor);
        QCOMPARE(item.selectedPen().color(), penColor);
        QCOMPARE(item.hoverPen().width(), 3);
        QCOMPARE(item.selectedPen().width(), 3);
        QCOMPARE(item.hoverPen().capStyle(), Qt::SquareCap);
        QCOMPARE(item.hoverPen().joinStyle(), Qt::BevelJoin);
        if (gradient) {
            QCOMPARE(item.fillBrush().style(), Qt::LinearGradientPattern);
            const auto *g = static_cast<const QLinearGradient *>(item.fillBrush().gradient());
            const QRectF bounds = QPolygonF(item.outline()).boundingRect();
            QCOMPARE(g->start(), bounds.topLeft());
            QCOMPARE(g->finalStop(), bounds.bottomLeft());
            QCOMPARE(g->stops().first().second, QColor(183, 83, 236, 178));
            QCOMPARE(g->stops().last().second, QColor(26, 47, 234, 179));
        } else {
            QCOMPARE(item.fillBrush().color(), fillColor);
        }
        // Idle: nothing shown, whatever the style.
        QCOMPARE(item.pen().style(), Qt::NoPen);
        QCOMPARE(item.brush().style(), Qt::NoBrush);
        QCOMPARE(item.acceptHoverEvents(), true);
    }

    void unknownStyleKeepsColours()
    {
        ButtonGraphicsItem item(0, 2);
        item.applyStyle(7);
        QCOMPARE(item.styleType(), 7);
        QCOMPARE(item.hoverPen().color(), QColor(Qt::red));
        QCOMPARE(item.fillBrush().color(), QColor(255, 0, 0, 178));
        QCOMPARE(item.hoverPen().width(), 3);
    }

    void outlinesFromTheTable()
    {
        ButtonGraphicsItem builtIn(8, 0);
        QCOMPARE(builtIn.outline(), MouseOutlines::simpleOutline(8));
        QCOMPARE(builtIn.polygon(), QPolygonF(MouseOutlines::simpleOutline(8)));
        const QPolygon own(QVector<QPoint>{{0, 0}, {10, 0}, {10, 10}, {0, 0}});
        ButtonGraphicsItem given(5, own, 0);
        QCOMPARE(given.outline(), own);
        QCOMPARE(given.buttonId(), 5);
    }

    void idWithoutOutlineWarns_data()
    {
        QTest::addColumn<int>("id");
        QTest::newRow("17") << 17;
        QTest::newRow("18") << 18;
        QTest::newRow("22") << 22;
    }
    void idWithoutOutlineWarns()
    {
        QFETCH(int, id);
        QTest::ignoreMessage(QtWarningMsg, "ButtonGraphicsItem: getPolygon no id!");
        auto *item = new ButtonGraphicsItem(id, 0);
        QVERIFY(item->outline().isEmpty());
        SceneWithItem shown(item);
        QSignalSpy clicked(item, &ButtonGraphicsItem::clicked);
        QSignalSpy hovered(item, &ButtonGraphicsItem::hovered);
        SceneDriver::moveTo(&shown.view, {0, 0});
        SceneDriver::click(&shown.view, {0, 0});
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(hovered.count(), 0);
    }

    void selectionShowsFillAndOutline()
    {
        ButtonGraphicsItem item(0, 0);
        item.setSelectedState(true);
        QVERIFY(item.isSelectedState());
        QCOMPARE(item.brush().color(), yellowFill);
        QCOMPARE(item.pen().color(), yellow);
        item.setSelectedState(false);
        QCOMPARE(item.brush().style(), Qt::NoBrush);
        QCOMPARE(item.pen().style(), Qt::NoPen);
        item.setOutlineVisible(true);
        QCOMPARE(item.pen().color(), yellow);
        item.setOutlineVisible(false);
        QCOMPARE(item.pen().style(), Qt::NoPen);
    }

    void restyleWaitsForTheNextChange()
    {
        ButtonGraphicsItem item(0, 0);
        item.setSelectedState(true);
        item.applyStyle(2);
        QCOMPARE(item.brush().color(), yellowFill); // still the old look
        item.setSelectedState(true);                // unchanged: nothing happens
        QCOMPARE(item.brush().color(), yellowFill);
        item.setSelectedState(false);
        item.setSelectedState(true);
        QCOMPARE(item.brush().color(), QColor(255, 0, 0, 178));
        QCOMPARE(item.pen().color(), QColor(Qt::red));
    }

    void idleAreaReportsHoverAndLeftPress()
    {
        auto *item = new ButtonGraphicsItem(0, 0);
        SceneWithItem shown(item);
        QSignalSpy clicked(item, &ButtonGraphicsItem::clicked);
        QSignalSpy hovered(item, &ButtonGraphicsItem::hovered);
        const QPointF inside(660, 187);

        SceneDriver::moveTo(&shown.view, inside);
        QCOMPARE(hovered.count(), 1);
        QCOMPARE(hovered.last().at(0).toBool(), true);
        QCOMPARE(item->pen().color(), yellow); // the hover pen
        QCOMPARE(item->pen().width(), 3);

        SceneDriver::click(&shown.view, inside, Qt::RightButton);
        QCOMPARE(clicked.count(), 0);
        SceneDriver::click(&shown.view, inside);
        QCOMPARE(clicked.count(), 1);

        SceneDriver::moveTo(&shown.view, {100, 900});
        QCOMPARE(hovered.count(), 2);
        QCOMPARE(hovered.last().at(0).toBool(), false);
        QCOMPARE(item->pen().style(), Qt::NoPen);
    }

    void selectedAreaReportsNothing()
    {
        auto *item = new ButtonGraphicsItem(0, 0);
        SceneWithItem shown(item);
        item->setSelectedState(true);
        QSignalSpy clicked(item, &ButtonGraphicsItem::clicked);
        QSignalSpy hovered(item, &ButtonGraphicsItem::hovered);
        SceneDriver::moveTo(&shown.view, {660, 187});
        QCOMPARE(item->pen(), item->hoverPen());
        SceneDriver::click(&shown.view, {660, 187});
        SceneDriver::moveTo(&shown.view, {100, 900});
        QCOMPARE(item->pen(), item->selectedPen());
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(hovered.count(), 0);
    }

    void upperAreaTakesThePress()
    {
        // Two overlapping areas: only the one added later hears the click.
        auto *lower = new ButtonGraphicsItem(0, QPolygon(QRect(0, 0, 100, 100)), 0);
        auto *upper = new ButtonGraphicsItem(7, QPolygon(QRect(50, 50, 100, 100)), 0);
        SceneWithItem shown(lower);
        shown.scene.addItem(upper);
        QSignalSpy lowerClicked(lower, &ButtonGraphicsItem::clicked);
        QSignalSpy upperClicked(upper, &ButtonGraphicsItem::clicked);
        SceneDriver::click(&shown.view, {75, 75});
        QCOMPARE(upperClicked.count(), 1);
        QCOMPARE(lowerClicked.count(), 0);
    }

    void logoStyleTable_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("vertices");
        QTest::addColumn<QColor>("hoverColor");
        QTest::addColumn<int>("hoverWidth");
        QTest::addColumn<int>("selectedWidth");
        QTest::newRow("0") << 0 << 6 << yellowFill << 4 << 2;
        QTest::newRow("3") << 3 << 100 << yellowFill << 4 << 2;
        QTest::newRow("1") << 1 << 17 << QColor(211, 127, 255) << 3 << 1;
        QTest::newRow("2") << 2 << 17 << QColor(211, 127, 255) << 3 << 1;
    }
    void logoStyleTable()
    {
        QFETCH(int, style);
        QFETCH(int, vertices);
        QFETCH(QColor, hoverColor);
        QFETCH(int, hoverWidth);
        QFETCH(int, selectedWidth);
        LogoGraphicsItem logo(style);
        QCOMPARE(logo.buttonId(), 20);
        QCOMPARE(logo.logoOutline().size(), vertices);
        QCOMPARE(logo.polygon(), QPolygonF(logo.logoOutline()));
        QCOMPARE(logo.hoverPen().color(), hoverColor);
        QCOMPARE(logo.hoverPen().width(), hoverWidth);
        QCOMPARE(logo.selectedPen().color(), hoverColor);
        QCOMPARE(logo.selectedPen().width(), selectedWidth);
        if (style == 1 || style == 2) {
            const auto *g = static_cast<const QLinearGradient *>(logo.fillBrush().gradient());
            QVERIFY(g);
            QCOMPARE(g->start(), QPolygonF(logo.logoOutline()).boundingRect().topLeft());
        } else {
            QCOMPARE(logo.fillBrush().color(), yellowFill);
        }
    }

    void logoFillsWhileHoveredAndOutlinesWhileSelected()
    {
        auto *logo = new LogoGraphicsItem(0);
        SceneWithItem shown(logo);
        QSignalSpy hovered(logo, &ButtonGraphicsItem::hovered);
        SceneDriver::moveTo(&shown.view, {776, 838});
        QCOMPARE(hovered.count(), 1);
        QCOMPARE(logo->brush().color(), yellowFill);
        QCOMPARE(logo->pen().style(), Qt::NoPen);
        SceneDriver::moveTo(&shown.view, {100, 900});
        QCOMPARE(logo->brush().style(), Qt::NoBrush);

        logo->setSelectedState(true);
        QCOMPARE(logo->pen().width(), 2);
        QCOMPARE(logo->brush().style(), Qt::NoBrush); // the brush stays
        logo->setSelectedState(false);
        QCOMPARE(logo->pen().style(), Qt::NoPen);
    }

    void logoOfUnknownStyleHasNoLookButSignals()
    {
        auto *logo = new LogoGraphicsItem(9);
        QVERIFY(logo->logoOutline().isEmpty());
        delete logo;
        // A style with an outline and no look of its own: one made by the base.
        auto *item = new LogoGraphicsItem(0);
        item->applyStyle(9);
        SceneWithItem shown(item);
        QSignalSpy hovered(item, &ButtonGraphicsItem::hovered);
        SceneDriver::moveTo(&shown.view, {776, 838});
        QCOMPARE(hovered.count(), 1);
        QCOMPARE(item->brush().style(), Qt::NoBrush);
    }
};

QTEST_MAIN(TestButtonGraphicsItem)
#include "tst_buttongraphicsitem.moc"
