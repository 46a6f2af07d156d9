// The expert view's mouse image: the picture and logo per model, the logo
// colour and hue animation, and selecting buttons by click and by id.
#include "ButtonGraphicsItem.h"
#include "LastMouseModel.h"
#include "MouseImage.h"
#include "MouseOutlines.h"
#include "ProcessStateGuard.h"
#include "SceneDriver.h"
#include "WidgetDriver.h"

#include <QGraphicsItemGroup>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

QString shownLogos(const MouseImage &image)
{
    QStringList shown;
    if (image.logoBackGroup()->isVisible())
        shown << "back";
    if (image.logoZoneGroup()->isVisible())
        shown << "zones";
    if (image.logoPathV2()->isVisible())
        shown << "v2";
    if (image.logoPathPelkin()->isVisible())
        shown << "pelkin";
    return shown.join(',');
}

ButtonGraphicsItem *areaOf(const MouseImage &image, int buttonId)
{
    for (ButtonGraphicsItem *area : image.buttonAreas())
        if (area->buttonId() == buttonId)
            return area;
    return nullptr;
}

} // namespace

class TestMouseImage : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;

private slots:
    void init()
    {
        clean.emplace();
        hueCounter = 144;
    }
    void cleanup() { clean.reset(); }

    void newImageShowsNoMouse()
    {
        useLastMouseModel(5);
        MouseImage image;
        QVERIFY(!image.isConnected());
        QCOMPARE(image.picturePath(), QStringLiteral(":/pic/no_mouse.png"));
        QCOMPARE(shownLogos(image), QString());
        QVERIFY(!image.hueRunning());
        QCOMPARE(image.logoColor(), QColor("#007fff"));
        QCOMPARE(image.buttonAreas().size(), 11);
        QCOMPARE(image.view()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(image.view()->hasMouseTracking());
        // Areas above the picture, in table order, the logos above them.
        const QList<QGraphicsItem *> stack = image.view()->scene()->items(Qt::AscendingOrder);
        QCOMPARE(stack.indexOf(image.buttonAreas().first()), 1);
        QVERIFY(stack.indexOf(image.logoPathPelkin()) > stack.indexOf(image.buttonAreas().last()));
    }

    void modelTable_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("logos");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("unpluggedStyle");
        QTest::newRow("5") << 5 << ":/pic/mouse_v.png"
                           << "back,zones" << 0 << 0;
        QTest::newRow("30") << 30 << ":/pic/mouse_v2.png"
                            << "v2" << 3 << 3;
        QTest::newRow("20") << 20 << ":/pic/mouse_pelkin.png"
                            << "pelkin" << 1 << 1;
        QTest::newRow("10") << 10 << ":/pic/mouse_tamsel.png"
                            << "" << 2 << 2;
        QTest::newRow("15") << 15 << ""
                            << "" << 0 << 0;
        QTest::newRow("25") << 25 << ""
                            << "" << 0 << 0;
    }
    void modelTable()
    {
        QFETCH(int, model);
        QFETCH(QString, picture);
        QFETCH(QString, logos);
        QFETCH(int, style);
        QFETCH(int, unpluggedStyle);
        useLastMouseModel(model);
        MouseImage image;
        QCOMPARE(image.styleType(), unpluggedStyle);
        image.setConnected(true);
        QCOMPARE(image.picturePath(), picture);
        QCOMPARE(shownLogos(image), logos);
        QCOMPARE(image.styleType(), style);
        QCOMPARE(image.buttonAreas().size(), 11);
        for (ButtonGraphicsItem *area : image.buttonAreas())
            QCOMPARE(area->styleType(), style);
        image.setConnected(false);
        QCOMPARE(image.picturePath(), QStringLiteral(":/pic/no_mouse.png"));
        QCOMPARE(shownLogos(image), QString());
    }

    void hueColours_data()
    {
        QTest::addColumn<int>("counter");
        QTest::addColumn<QColor>("color");
        QTest::newRow("144, the first step") << 144 << QColor(80, 253, 51);
        QTest::newRow("0") << 0 << QColor(128, 19, 237);
    }
    void hueColours()
    {
        QFETCH(int, counter);
        QFETCH(QColor, color);
        QCOMPARE(MouseImage::hueColor(counter), color);
    }

    void hueStepsPaintTheLogo()
    {
        useLastMouseModel(5);
        MouseImage image;
        image.hueColorChange();
        QCOMPARE(hueCounter, 146);
        for (QGraphicsPolygonItem *zone : image.logoZones())
            QCOMPARE(zone->pen().color(), QColor(80, 253, 51));
        QCOMPARE(image.logoPathV2()->brush().color(), QColor(80, 253, 51));
        hueCounter = 254;
        image.hueColorChange();
        QCOMPARE(hueCounter, 0);
        image.hueColorChange();
        QCOMPARE(image.logoZones().first()->pen().color(), QColor(128, 19, 237));
    }

    void hueWaitsForTheConnection()
    {
        useLastMouseModel(5);
        MouseImage image;
        image.setLogoColor(true, Qt::green);
        QVERIFY(!image.hueRunning());
        image.setConnected(true);
        QVERIFY(image.hueRunning());
        QTRY_VERIFY(hueCounter != 144); // the timer steps on its own
        image.setConnected(false);
        QVERIFY(!image.hueRunning());
    }

    void fixedColourWhileConnected()
    {
        useLastMouseModel(5);
        MouseImage image;
        image.setConnected(true);
        image.setLogoColor(true, Qt::green);
        QVERIFY(image.hueRunning());
        image.setLogoColor(false, Qt::red);
        QVERIFY(!image.hueRunning());
        QCOMPARE(image.logoZones().size(), 9);
        for (QGraphicsPolygonItem *zone : image.logoZones()) {
            QCOMPARE(zone->pen().color(), QColor(Qt::red));
            QCOMPARE(zone->pen().width(), 4);
        }
        // The light shapes keep their colour.
        const auto back = image.logoBackGroup()->childItems();
        QCOMPARE(back.size(), 3);
        QCOMPARE(static_cast<QGraphicsPolygonItem *>(back.first())->brush().color(), QColor("#ececec"));
        // A colour chosen while unplugged shows at the next connection.
        image.setConnected(false);
        image.setLogoColor(false, Qt::blue);
        QCOMPARE(image.logoZones().first()->pen().color(), QColor(Qt::red));
        image.setConnected(true);
        QCOMPARE(image.logoZones().first()->pen().color(), QColor(Qt::blue));
    }

    void selectButtonById()
    {
        MouseImage image;
        QSignalSpy clicked(&image, &MouseImage::clicked);
        image.selectButton(10); // a trigger pull has no area
        QCOMPARE(clicked.count(), 0);
        QVERIFY(!image.selectedArea());

        image.selectButton(7);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.last().at(0).toInt(), 7);
        QCOMPARE(image.selectedArea(), areaOf(image, 7));
        QVERIFY(areaOf(image, 7)->isSelectedState());
        image.selectButton(0);
        QVERIFY(!areaOf(image, 7)->isSelectedState());

        image.emitSelected();
        QCOMPARE(clicked.last().at(0).toInt(), 0);
        image.clearSelection();
        QVERIFY(!areaOf(image, 0)->isSelectedState());
        image.emitSelected();
        QCOMPARE(clicked.count(), 3);
    }

    void clickSelectsTheUpperArea()
    {
        MouseImage image;
        image.resize(1000, 1200);
        image.show();
        QVERIFY(QTest::qWaitForWindowExposed(&image));
        QSignalSpy clicked(&image, &MouseImage::clicked);

        // A point where "Left Fingertip" lies over "Left Button".
        const QPolygon fingertip = areaOf(image, 7)->outline();
        const QPolygon button = areaOf(image, 0)->outline();
        QPoint overlap;
        const QRect bounds = fingertip.boundingRect();
        for (int y = bounds.top(); y <= bounds.bottom() && overlap.isNull(); y += 4)
            for (int x = bounds.left(); x <= bounds.right() && overlap.isNull(); x += 4)
                if (fingertip.containsPoint({x, y}, Qt::OddEvenFill) && button.containsPoint({x, y}, Qt::OddEvenFill)
                    && fingertip.containsPoint({x + 3, y + 3}, Qt::OddEvenFill))
                    overlap = {x + 1, y + 1};
        QVERIFY(!overlap.isNull());
        SceneDriver::click(image.view(), overlap);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.last().at(0).toInt(), 7);

        // A click on the selected area changes nothing; one on the right button selects it.
        SceneDriver::click(image.view(), overlap);
        QCOMPARE(clicked.count(), 1);
        SceneDriver::click(image.view(), QPointF(480, 100));
        QCOMPARE(clicked.last().at(0).toInt(), 1);
        QCOMPARE(image.selectedArea(), areaOf(image, 1));
        QVERIFY(!areaOf(image, 7)->isSelectedState());
    }

    // Every area selected, per style type, on the silhouette: to look at.
    void expertPicture_data()
    {
        QTest::addColumn<int>("model");
        for (int model : {5, 20, 10, 30})
            QTest::addRow("model %d", model) << model;
    }
    void expertPicture()
    {
        QFETCH(int, model);
        useLastMouseModel(model);
        MouseImage image;
        image.setConnected(true);
        image.setLogoColor(false, QColor("#007fff"));
        for (ButtonGraphicsItem *area : image.buttonAreas())
            area->setSelectedState(true);
        QGraphicsScene *scene = image.view()->scene();
        auto *body =
            scene->addPolygon(QPolygonF(MouseOutlines::expertBody()), QPen(QColor(90, 92, 110), 2), QColor(58, 60, 74));
        body->setZValue(-1);
        QImage picture(MouseOutlines::expertWidth, MouseOutlines::expertHeight, QImage::Format_ARGB32_Premultiplied);
        picture.fill(QColor(34, 36, 48));
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        scene->render(&painter, QRectF(), QRectF(0, 0, MouseOutlines::expertWidth, MouseOutlines::expertHeight));
        painter.end();
        QVERIFY(picture.save(WidgetDriver::outputFolder() + QStringLiteral("/expert-image-model-%1.png").arg(model)));
    }
};

QTEST_MAIN(TestMouseImage)
#include "tst_mouseimage.moc"
