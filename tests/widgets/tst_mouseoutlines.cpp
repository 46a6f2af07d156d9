// The outline table both pictures and click areas are made from: the fixed
// counts, starts and extents, shared outlines, and the simple scene's anchor
// targets inside the areas they point at.
#include "MouseOutlines.h"

#include <QtTest>

using namespace MouseOutlines;

namespace {

// Whether two segments cross at a point inside both (touching ends aside).
bool segmentsCross(QPointF a, QPointF b, QPointF c, QPointF d)
{
    auto side = [](QPointF p, QPointF q, QPointF r) {
        return (q.x() - p.x()) * (r.y() - p.y()) - (q.y() - p.y()) * (r.x() - p.x());
    };
    const qreal d1 = side(c, d, a), d2 = side(c, d, b), d3 = side(a, b, c), d4 = side(a, b, d);
    return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

// The first pair of edges of a closed outline that cross, or an empty string.
QString selfCrossing(const QPolygonF &outline)
{
    QPolygonF p = outline;
    if (p.size() > 1 && p.first() == p.last())
        p.removeLast();
    const int n = p.size();
    for (int i = 0; i < n; ++i)
        for (int j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1)
                continue;
            if (segmentsCross(p[i], p[(i + 1) % n], p[j], p[(j + 1) % n]))
                return QStringLiteral("edges %1 and %2").arg(i).arg(j);
        }
    return QString();
}

struct Extent
{
    qreal left, right, top, bottom;
};

Extent extentOf(const QPolygonF &points)
{
    Extent e{points[0].x(), points[0].x(), points[0].y(), points[0].y()};
    for (const QPointF &p : points) {
        e.left = std::min(e.left, p.x());
        e.right = std::max(e.right, p.x());
        e.top = std::min(e.top, p.y());
        e.bottom = std::max(e.bottom, p.y());
    }
    return e;
}

} // namespace

class TestMouseOutlines : public QObject
{
    Q_OBJECT

private slots:
    void expertAreasKeepTheirRows_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<int>("buttonId");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("vertices");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QRect>("extent"); // from the left/top to the right/bottom pixel
        auto row = [](int order, int id, const char *name, int n, QPoint start, int x0, int x1, int y0, int y1) {
            QTest::newRow(name) << order << id << QString(name) << n << start << QRect(QPoint(x0, y0), QPoint(x1, y1));
        };
        row(0, 5, "Front Edge", 38, {64, 153}, 3, 151, 153, 308);
        row(1, 6, "Rear Edge", 40, {153, 275}, 70, 258, 275, 424);
        row(2, 3, "Bottom Thumb", 45, {211, 500}, 205, 343, 500, 706);
        row(3, 4, "Top Thumb", 40, {216, 497}, 214, 345, 497, 696);
        row(4, 0, "Left Button", 101, {168, 62}, 61, 413, 61, 485);
        row(5, 1, "Right Button", 137, {343, 50}, 232, 598, 50, 463);
        row(6, 2, "Middle Button", 32, {332, 186}, 281, 431, 186, 387);
        row(7, 7, "Left Fingertip", 49, {291, 261}, 227, 382, 260, 473);
        row(8, 8, "Right Fingertip", 60, {475, 190}, 413, 564, 189, 372);
        row(9, 9, "Left Trigger", 44, {468, 392}, 339, 497, 391, 498);
        row(10, 11, "Right Trigger", 46, {600, 324}, 509, 645, 324, 429);
    }
    void expertAreasKeepTheirRows()
    {
        QFETCH(int, order);
        QFETCH(int, buttonId);
        QFETCH(QString, name);
        QFETCH(int, vertices);
        QFETCH(QPoint, start);
        QFETCH(QRect, extent);
        const QVector<ExpertArea> areas = expertAreas();
        QCOMPARE(areas.size(), 11);
        const ExpertArea &area = areas[order];
        QCOMPARE(area.buttonId, buttonId);
        QCOMPARE(QString(area.name), name);
        QCOMPARE(area.outline.size(), vertices);
        QCOMPARE(area.outline.first(), start);
        QCOMPARE(area.outline.last(), start); // closed
        QCOMPARE(area.outline.boundingRect(), extent);
        QCOMPARE(selfCrossing(QPolygonF(area.outline)), QString());
    }

    void frontEdgeBeginsAsDrawn()
    {
        const QPolygon front = expertAreas().first().outline;
        QCOMPARE(front.mid(0, 4), QPolygon({{64, 153}, {84, 167}, {86, 168}, {87, 170}}));
    }

    void expertLogosKeepCountsAndExtents()
    {
        const QVector<QPolygonF> back = vLogoBack();
        QCOMPARE(back.size(), 3);
        QCOMPARE(back[0].size(), 13);
        QCOMPARE(back[1].size(), 10);
        QCOMPARE(back[2].size(), 18);
        QPolygonF all;
        for (const QPolygonF &shape : back)
            all += shape;
        Extent e = extentOf(all);
        QCOMPARE(e.left, 637.5);
        QCOMPARE(e.right, 696.3);
        QCOMPARE(e.top, 731.7);
        QCOMPARE(e.bottom, 802.4);

        const QVector<QPolygonF> zones = vLogoZones();
        const QVector<int> counts{8, 8, 8, 208, 5, 7, 7, 9, 9};
        QCOMPARE(zones.size(), counts.size());
        all.clear();
        for (int i = 0; i < zones.size(); ++i) {
            QCOMPARE(zones[i].size(), counts[i]);
            QCOMPARE(selfCrossing(zones[i]), QString());
            all += zones[i];
        }
        e = extentOf(all);
        QCOMPARE(e.left, 612.0);
        QCOMPARE(e.right, 723.0);
        QCOMPARE(e.top, 700.0);
        QCOMPARE(e.bottom, 835.0);
    }

    void expertLogoPathsKeepTheirSegments()
    {
        const QPainterPath v2 = v2LogoPath();
        QCOMPARE(v2.elementCount(), 100);
        QCOMPARE(QPointF(v2.elementAt(0)), QPointF(736.52, 811.85));
        for (int i = 1; i < v2.elementCount(); ++i)
            QVERIFY(v2.elementAt(i).isLineTo());
        QCOMPARE(v2.fillRule(), Qt::WindingFill);
        QRectF bounds = v2.boundingRect();
        QVERIFY(qAbs(bounds.left() - 626.5) < 0.05 && qAbs(bounds.right() - 756.7) < 0.05);
        QVERIFY(qAbs(bounds.top() - 667.7) < 0.05 && qAbs(bounds.bottom() - 828.1) < 0.05);

        const QPainterPath pelkin = pelkinLogoPath();
        QCOMPARE(QPointF(pelkin.elementAt(0)), QPointF(696.16, 752.13));
        int lines = 0, cubics = 0;
        for (int i = 1; i < pelkin.elementCount(); ++i) {
            const QPainterPath::Element e = pelkin.elementAt(i);
            lines += e.isLineTo();
            cubics += e.isCurveTo();
            QVERIFY(!e.isMoveTo());
        }
        QCOMPARE(lines, 14);
        QCOMPARE(cubics, 21);
        QCOMPARE(pelkin.fillRule(), Qt::WindingFill);
        bounds = pelkin.boundingRect();
        QVERIFY2(qAbs(bounds.left() - 634.4) < 0.3 && qAbs(bounds.right() - 742.4) < 0.3,
                 qPrintable(QStringLiteral("%1 %2").arg(bounds.left()).arg(bounds.right())));
        QVERIFY2(qAbs(bounds.top() - 690.6) < 0.3 && qAbs(bounds.bottom() - 822.6) < 0.3,
                 qPrintable(QStringLiteral("%1 %2").arg(bounds.top()).arg(bounds.bottom())));
    }

    void simpleOutlinesKeepTheirCounts_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("vertices");
        const int counts[][2] = {{0, 52},  {1, 58},  {2, 33},  {3, 16}, {4, 22}, {5, 14}, {6, 14},
                                 {7, 16},  {8, 18},  {9, 6},   {10, 6}, {11, 8}, {12, 8}, {13, 17},
                                 {14, 17}, {15, 16}, {16, 16}, {19, 4}, {21, 4}};
        for (const auto &row : counts)
            QTest::addRow("id %d", row[0]) << row[0] << row[1];
    }
    void simpleOutlinesKeepTheirCounts()
    {
        QFETCH(int, id);
        QFETCH(int, vertices);
        const QPolygon outline = simpleOutline(id);
        QCOMPARE(outline.size(), vertices);
        QCOMPARE(selfCrossing(QPolygonF(outline)), QString());
    }

    void simpleOutlinesKeepTheGivenPoints()
    {
        const QPolygon left = simpleOutline(0);
        QCOMPARE(
            left.mid(0, 8),
            QPolygon({{653, 415}, {649, 381}, {649, 381}, {654, 350}, {655, 348}, {655, 346}, {656, 344}, {660, 344}}));
        QCOMPARE(left.last(), left.first());
        QCOMPARE(simpleOutline(1).first(), QPoint(710, 173));
        QVERIFY(simpleOutline(1).last() != QPoint(710, 173)); // only the left button repeats its start
        QCOMPARE(simpleOutline(19), QPolygon({{702, -47}, {725, -70}, {748, -47}, {725, -24}}));
        QCOMPARE(simpleOutline(21), QPolygon({{477, 277}, {477, 455}, {535, 370}, {519, 228}}));
        QCOMPARE(simpleOutline(10), simpleOutline(9));
        QCOMPARE(simpleOutline(12), simpleOutline(11));
        QCOMPARE(simpleOutline(14), simpleOutline(13));
        QCOMPARE(simpleOutline(16), simpleOutline(15));
        for (int id : {17, 18, 20, 22, -1})
            QVERIFY(simpleOutline(id).isEmpty());
    }

    void simpleLogosPerStyle()
    {
        QCOMPARE(simpleLogoOutline(0),
                 QPolygon({{750, 842}, {760, 802}, {798, 763}, {821, 790}, {810, 830}, {772, 869}}));
        QCOMPARE(simpleLogoOutline(1).size(), 17);
        QCOMPARE(simpleLogoOutline(2), simpleLogoOutline(1));
        QCOMPARE(simpleLogoOutline(3).size(), 100);
        QVERIFY(simpleLogoOutline(4).isEmpty());
        QVERIFY(simpleLogoOutline(-1).isEmpty());
        for (int style = 0; style <= 3; ++style)
            QCOMPARE(selfCrossing(QPolygonF(simpleLogoOutline(style))), QString());
    }

    // The callout of each label ends on the area the label describes.
    void anchorTargetsLieInsideTheirAreas_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QPoint>("target");
        const int anchors[][3] = {{0, 660, 187},  {2, 745, 352},  {3, 560, 641},  {4, 576, 537}, {5, 578, 264},
                                  {6, 582, 358},  {21, 500, 300}, {1, 765, 234},  {7, 696, 466}, {8, 815, 466},
                                  {10, 732, 536}, {12, 840, 536}, {13, 577, 829}, {15, 718, 952}};
        for (const auto &a : anchors)
            QTest::addRow("id %d", a[0]) << a[0] << QPoint(a[1], a[2]);
    }
    void anchorTargetsLieInsideTheirAreas()
    {
        QFETCH(int, id);
        QFETCH(QPoint, target);
        QVERIFY(simpleOutline(id).containsPoint(target, Qt::OddEvenFill));
    }

    void logoTargetLiesInsideEveryLogo()
    {
        for (int style = 0; style <= 3; ++style)
            QVERIFY2(simpleLogoOutline(style).containsPoint(QPoint(776, 838), Qt::OddEvenFill),
                     qPrintable(QString::number(style)));
    }

    void silhouettesHoldTheButtons()
    {
        const QPolygon expert = expertBody();
        for (const ExpertArea &area : expertAreas())
            QVERIFY2(expert.containsPoint(area.outline.boundingRect().center(), Qt::OddEvenFill), area.name);
        const QPolygon simple = simpleBody();
        for (int id : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11})
            QVERIFY(simple.containsPoint(simpleOutline(id).boundingRect().center(), Qt::OddEvenFill));
    }
};

QTEST_GUILESS_MAIN(TestMouseOutlines)
#include "tst_mouseoutlines.moc"
