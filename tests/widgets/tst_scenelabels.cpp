// Labels, callouts and the DPI marker of the simple scene, and a picture of
// every simple-scene item on an empty scene of the pictures' size.
#include "ButtonGraphicsItem.h"
#include "DpiItem.h"
#include "EllipseObject.h"
#include "IconsBlock.h"
#include "LineObject.h"
#include "LogoGraphicsItem.h"
#include "MouseOutlines.h"
#include "PointingLine.h"
#include "RectObject.h"
#include "SceneDriver.h"
#include "SetObjectItemX.h"
#include "TextGraphicsItem.h"
#include "WidgetDriver.h"

#include <QElapsedTimer>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

namespace {

QStringList plainLines(const TextGraphicsItem &item)
{
    QString text = item.toPlainText();
    text.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    return text.split(QLatin1Char('\n'));
}

// A string of exactly that width in the label's font, from runs of two
// characters; empty when the font cannot make it.
QString ofWidth(const QFontMetrics &metrics, int width)
{
    const QString chars = QStringLiteral("il1.,ftrjIJ0abcdemnowMW");
    for (QChar a : chars)
        for (QChar b : chars)
            for (int n = 0; n * metrics.horizontalAdvance(a) <= width; ++n) {
                QString s(n, a);
                while (metrics.horizontalAdvance(s) < width)
                    s += b;
                if (metrics.horizontalAdvance(s) == width)
                    return s;
            }
    return QString();
}

// The label's rule, one whole character (grapheme cluster) at a time: the
// longest start narrower than 460 px, less three characters, then "…".
QString cutByRule(const QString &line, const QFontMetrics &metrics)
{
    QVector<int> ends{0};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line);
    while (finder.toNextBoundary() > 0)
        ends.append(finder.position());
    int fitting = 0;
    while (fitting + 1 < ends.size() && metrics.horizontalAdvance(line.left(ends.at(fitting + 1))) < 460)
        ++fitting;
    return line.left(ends.at(qMax(0, fitting - 3))) + QChar(0x2026);
}

QColor strongColor(const QGraphicsLineItem *line)
{
    return line->pen().color();
}

// The anchor table of the simple scene: id, label point, elbow x, target.
struct Anchor
{
    int id, labelX, labelY, elbowX, targetX, targetY;
};
const Anchor anchors[] = {
    {0, -90, 28, 501, 660, 187},    {2, -90, 199, 592, 745, 352},   {3, -90, 836, 365, 560, 641},
    {4, -90, 701, 412, 576, 537},   {5, -90, 431, 411, 578, 264},   {6, -90, 565, 375, 582, 358},
    {21, -90, 300, 500, 500, 300},  {1, 1398, 28, 971, 765, 234},   {7, 1398, 295, 867, 696, 466},
    {8, 1398, 435, 846, 815, 466},  {10, 1398, 704, 900, 732, 536}, {12, 1398, 569, 873, 840, 536},
    {20, 1398, 838, 776, 776, 838}, {13, -90, 971, 435, 577, 829},  {15, 1398, 971, 737, 718, 952},
};

} // namespace

class TestSceneLabels : public QObject
{
    Q_OBJECT

private slots:
    void anchorShiftsByAlignment_data()
    {
        QTest::addColumn<bool>("leftAligned");
        QTest::addColumn<bool>("offset");
        QTest::addColumn<qreal>("x");
        QTest::newRow("left") << true << false << 100.0;
        QTest::newRow("left, offset") << true << true << 140.0;
        QTest::newRow("right") << false << false << 100.0 - 460;
        QTest::newRow("right, offset") << false << true << 100.0 - 40 - 460;
    }
    void anchorShiftsByAlignment()
    {
        QFETCH(bool, leftAligned);
        QFETCH(bool, offset);
        QFETCH(qreal, x);
        TextGraphicsItem item(QPointF(100, 300), leftAligned, offset);
        QCOMPARE(item.anchor(), QPointF(x, 300));
        QCOMPARE(item.textWidth(), 460.0);
        QCOMPARE(item.font().pixelSize(), 30);
        QCOMPARE(item.document()->defaultTextOption().alignment(), leftAligned ? Qt::AlignLeft : Qt::AlignRight);
        QCOMPARE(item.defaultTextColor(), QColor(177, 183, 232));
    }

    void linesAreLimited_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("maxLines");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("three") << QStringList{"a", "b", "c"} << 3 << QStringList{"a", "b", "c"};
        QTest::newRow("four") << QStringList{"a", "b", "c", "d"} << 3 << QStringList{"a", "b", "+ 2 more"};
        QTest::newRow("five") << QStringList{"a", "b", "c", "d", "e"} << 3 << QStringList{"a", "b", "+ 3 more"};
        QTest::newRow("four of four") << QStringList{"a", "b", "c", "d"} << 4 << QStringList{"a", "b", "c", "d"};
        QTest::newRow("five of four") << QStringList{"a", "b", "c", "d", "e"} << 4
                                      << QStringList{"a", "b", "c", "+ 2 more"};
        QTest::newRow("one") << QStringList{"Left Click"} << 3 << QStringList{"Left Click"};
    }
    void linesAreLimited()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, maxLines);
        QFETCH(QStringList, shown);
        TextGraphicsItem item(QPointF(-90, 431), true, true);
        item.setMaxLines(maxLines);
        item.setLines(lines);
        QCOMPARE(item.shownLines(), shown);
        QCOMPARE(plainLines(item), shown);
        QCOMPARE(item.textHeight(), int(shown.size()) * 37);
        // The text grows upward; its bottom stays 10 px above the anchor.
        QCOMPARE(item.pos(), QPointF(-50, 431 - shown.size() * 37 - 10));
        QVERIFY(item.toHtml().contains("line-height:37px") || item.toHtml().contains("line-height: 37px"));
    }

    void emptyListSitsAboveTheAnchor()
    {
        TextGraphicsItem item(QPointF(1398, 838), false, true);
        item.setLines({});
        QCOMPARE(item.textHeight(), 0);
        QCOMPARE(item.pos(), QPointF(1398 - 40 - 460, 828));
        QCOMPARE(item.toPlainText(), QString());
    }

    void longLinesEndInAnEllipsis()
    {
        TextGraphicsItem item(QPointF(0, 0), true, false);
        const QFontMetrics metrics(item.font());
        const QString exact = ofWidth(metrics, 460);
        const QString under = ofWidth(metrics, 459);
        if (exact.isEmpty() || under.isEmpty())
            QSKIP("the font makes no string of exactly 459 or 460 px");

        item.setLines({exact, under});
        const QStringList shown = item.shownLines();
        QCOMPARE(shown[1], under);
        QVERIFY(shown[0].endsWith(QChar(0x2026)));
        // Cut below the width, then three characters more, then the ellipsis.
        QString cut = exact;
        while (metrics.horizontalAdvance(cut) >= 460)
            cut.chop(1);
        cut.chop(3);
        QCOMPARE(shown[0], cut + QChar(0x2026));
    }

    // A character of several UTF-16 units (a surrogate pair, a base with its
    // accent, an emoji sequence) is cut whole or not at all.
    void longLinesAreCutBetweenWholeCharacters_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("emoji") << QString::fromUtf8("\U0001F600").repeated(80);
        QTest::newRow("emoji sequences")
            << QString::fromUtf8("\U0001F468\u200D\U0001F469\u200D\U0001F467").repeated(60);
        QTest::newRow("accents") << QString::fromUtf8("e\u0301").repeated(120);
        QTest::newRow("mixed") << QString::fromUtf8("ab\U0001F600c\u0301\U0001F1EB\U0001F1F7").repeated(40);
    }
    void longLinesAreCutBetweenWholeCharacters()
    {
        QFETCH(QString, line);
        TextGraphicsItem item(QPointF(0, 0), true, false);
        const QFontMetrics metrics(item.font());
        QVERIFY(metrics.horizontalAdvance(line) >= 460);
        item.setLines({line});
        QCOMPARE(item.shownLines(), QStringList{cutByRule(line, metrics)});
    }

    // A name of any length in a configuration file shows without holding
    // up the view: the cut is measured a few times, not once per character.
    void veryLongLinesAreCutQuickly()
    {
        TextGraphicsItem item(QPointF(0, 0), true, false);
        const QString line = QStringLiteral("Mapping name ").repeated(1231).left(16000);
        QElapsedTimer clock;
        clock.start();
        item.setLines({line, line});
        const qint64 took = clock.elapsed();
        QCOMPARE(item.shownLines().value(0), cutByRule(line, QFontMetrics(item.font())));
        QVERIFY2(took < 500, qPrintable(QString("%1 ms").arg(took)));
    }

    // A line narrower than the text width is laid out on one line, and the
    // text's box is the label's: it starts at the anchor, is textHeight high
    // and its bottom stays 10 px above the anchor.
    void aLineBelowTheWidthStaysWhole_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("leftAligned");
        QTest::newRow("short") << 0 << true;
        QTest::newRow("455 px") << 455 << true;
        QTest::newRow("455 px, right-aligned") << 455 << false;
        QTest::newRow("459 px") << 459 << true;
    }
    void aLineBelowTheWidthStaysWhole()
    {
        QFETCH(int, width);
        QFETCH(bool, leftAligned);
        TextGraphicsItem item(QPointF(500, 300), leftAligned, false);
        const QString line = width ? ofWidth(QFontMetrics(item.font()), width) : QStringLiteral("Left Click");
        if (line.isEmpty())
            QSKIP("the font makes no string of that width");
        item.setLines({line, "Copy"});
        QCOMPARE(item.shownLines(), QStringList({line, "Copy"}));
        QCOMPARE(item.document()->firstBlock().layout()->lineCount(), 2);
        QCOMPARE(item.textHeight(), 2 * 37);
        const QRectF box = item.mapRectToScene(item.boundingRect());
        QCOMPARE(box, QRectF(leftAligned ? 500 : 40, 300 - 10 - 2 * 37, 460, 2 * 37));
    }

    void markupIsShownLiterally()
    {
        TextGraphicsItem item(QPointF(0, 0), true, false);
        item.setLines({"<b>Copy & Paste</b>", "a<br>b"});
        QCOMPARE(plainLines(item), QStringList({"<b>Copy & Paste</b>", "a<br>b"}));
    }

    void colourSchemes_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QColor>("normal");
        QTest::addColumn<QColor>("hover");
        QTest::newRow("0") << 0 << QColor(200, 200, 200) << QColor(255, 255, 255);
        QTest::newRow("3") << 3 << QColor(200, 200, 200) << QColor(255, 255, 255);
        QTest::newRow("1") << 1 << QColor(177, 183, 232) << QColor(251, 251, 251);
        QTest::newRow("2") << 2 << QColor(168, 168, 168) << QColor(255, 255, 255);
    }
    void colourSchemes()
    {
        QFETCH(int, style);
        QFETCH(QColor, normal);
        QFETCH(QColor, hover);
        TextGraphicsItem item(QPointF(0, 0), true, false);
        item.setColorScheme(2);
        item.setColorScheme(style);
        QCOMPARE(item.defaultTextColor(), normal);
        item.setHighlighted(true);
        QCOMPARE(item.defaultTextColor(), hover);
        item.setHighlighted(false);
        QCOMPARE(item.defaultTextColor(), normal);
        item.setColorScheme(8); // unknown: unchanged
        QCOMPARE(item.normalColor(), normal);
        QCOMPARE(item.hoverColor(), hover);
    }

    void labelReportsHoverAndAnyPress()
    {
        QGraphicsScene scene(-200, -100, 1708, 1208);
        auto *label = new TextGraphicsItem(QPointF(100, 400), true, false);
        scene.addItem(label);
        label->setLines({"Left Click"});
        QGraphicsView view(&scene);
        view.setFixedSize(1720, 1220);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy clicked(label, &TextGraphicsItem::clicked);
        QSignalSpy hovered(label, &TextGraphicsItem::hovered);
        const QPointF onText = label->mapToScene(QPointF(20, label->boundingRect().height() / 2));
        SceneDriver::moveTo(&view, onText);
        QCOMPARE(hovered.count(), 1);
        QCOMPARE(label->defaultTextColor(), QColor(251, 251, 251));
        SceneDriver::click(&view, onText, Qt::RightButton);
        SceneDriver::click(&view, onText);
        QCOMPARE(clicked.count(), 2);
        SceneDriver::moveTo(&view, {1400, 1000});
        QCOMPARE(hovered.count(), 2);
        QCOMPARE(hovered.last().at(0).toBool(), false);
        QCOMPARE(label->defaultTextColor(), QColor(177, 183, 232));
    }

    void calloutParts_data()
    {
        QTest::addColumn<QPoint>("elbow");
        QTest::addColumn<QPoint>("end");
        QTest::addColumn<bool>("withDot");
        QTest::addColumn<bool>("hasLine");
        QTest::newRow("full") << QPoint(501, 28) << QPoint(660, 187) << true << true;
        QTest::newRow("end on the elbow") << QPoint(500, 300) << QPoint(500, 300) << true << false;
        QTest::newRow("no dot") << QPoint(501, 28) << QPoint(660, 187) << false << true;
    }
    void calloutParts()
    {
        QFETCH(QPoint, elbow);
        QFETCH(QPoint, end);
        QFETCH(bool, withDot);
        QFETCH(bool, hasLine);
        QGraphicsScene scene;
        PointingLine callout({QPoint(-90, elbow.y()), elbow, end}, QColor(200, 200, 200), withDot, &scene);
        QVERIFY(callout.bar());
        QCOMPARE(bool(callout.line()), hasLine);
        QCOMPARE(bool(callout.dot()), withDot);
        QCOMPARE(callout.items().size(), 1 + int(hasLine) + int(withDot));
        QCOMPARE(scene.items().size(), callout.items().size());
        for (QObject *part : callout.items()) {
            QCOMPARE(part->parent(), &callout);
            QCOMPARE(dynamic_cast<QGraphicsItem *>(part)->zValue(), 1.0);
        }
        if (hasLine)
            QCOMPARE(callout.line()->line(), QLineF(elbow, end));
        if (withDot)
            QCOMPARE(callout.dot()->rect(), QRectF(end.x() - 7.5, end.y() - 7.5, 15, 15));
    }

    void plainLineHasNeitherBarNorDot()
    {
        QGraphicsScene scene;
        PointingLine callout(QPoint(670, 28), QPoint(780, 28), QColor(200, 200, 200), &scene);
        QVERIFY(!callout.bar());
        QVERIFY(!callout.dot());
        QCOMPARE(callout.items(), QList<QObject *>{callout.line()});
        QCOMPARE(callout.line()->pen().color(), QColor(200, 200, 200, 128));
        QCOMPARE(callout.line()->pen().width(), 2);
        callout.updateStyle(true, 0);
        QCOMPARE(strongColor(callout.line()), QColor(255, 212, 0, 255));
    }

    void barFadesTowardTheLabel_data()
    {
        QTest::addColumn<int>("startX");
        QTest::addColumn<int>("elbowX");
        QTest::addColumn<QRectF>("rect");
        QTest::newRow("label on the left") << -90 << 501 << QRectF(-90, 27, 590, 2);
        QTest::newRow("label on the right") << 1398 << 971 << QRectF(971, 27, 426, 2);
    }
    void barFadesTowardTheLabel()
    {
        QFETCH(int, startX);
        QFETCH(int, elbowX);
        QFETCH(QRectF, rect);
        QGraphicsScene scene;
        const QColor color(211, 127, 255);
        PointingLine callout({QPoint(startX, 28), QPoint(elbowX, 28), QPoint(700, 200)}, color, true, &scene);
        QCOMPARE(callout.bar()->rect(), rect);
        QCOMPARE(callout.bar()->pen().color().alpha(), 0);
        const auto *g = static_cast<const QLinearGradient *>(callout.bar()->brush().gradient());
        QVERIFY(g);
        // Faint (alpha 20) at the label point, the line's strength at the elbow.
        const bool fromStart = elbowX > startX;
        const QPointF faintEnd = fromStart ? g->start() : g->finalStop();
        const QGradientStop faintStop = fromStart ? g->stops().first() : g->stops().last();
        const QGradientStop strongStop = fromStart ? g->stops().last() : g->stops().first();
        QCOMPARE(faintEnd, QPointF(startX, 28));
        QCOMPARE(faintStop.second, QColor(211, 127, 255, 20));
        QCOMPARE(strongStop.second, QColor(211, 127, 255, 128));
    }

    void calloutColoursPerStyle_data()
    {
        QTest::addColumn<bool>("highlighted");
        QTest::addColumn<int>("style");
        QTest::addColumn<QColor>("line");
        QTest::addColumn<QColor>("dotFill");
        const QColor own(200, 200, 200);
        QTest::newRow("plain, style 1") << false << 1 << QColor(200, 200, 200, 128) << own;
        QTest::newRow("plain, style 0") << false << 0 << QColor(200, 200, 200, 255) << own;
        QTest::newRow("plain, style 3") << false << 3 << QColor(200, 200, 200, 255) << own;
        QTest::newRow("lit, style 0") << true << 0 << QColor(255, 212, 0, 255) << QColor(255, 212, 0);
        QTest::newRow("lit, style 2") << true << 2 << QColor(255, 255, 255, 128) << QColor(Qt::white);
    }
    void calloutColoursPerStyle()
    {
        QFETCH(bool, highlighted);
        QFETCH(int, style);
        QFETCH(QColor, line);
        QFETCH(QColor, dotFill);
        QGraphicsScene scene;
        // A temporary record: the callout keeps its own copy for restyling.
        PointingLine callout(PointingLine::Points{{-90, 28}, {501, 28}, {660, 187}}, QColor(200, 200, 200), true,
                             &scene);
        callout.updateStyle(highlighted, style);
        QCOMPARE(strongColor(callout.line()), line);
        QCOMPARE(callout.dot()->brush().color(), dotFill);
        QCOMPARE(callout.dot()->pen().color(), QColor(200, 200, 200));
        const auto *g = static_cast<const QLinearGradient *>(callout.bar()->brush().gradient());
        QCOMPARE(g->start(), QPointF(-90, 28));
        QCOMPARE(g->finalStop(), QPointF(501, 28));
        QCOMPARE(g->stops().last().second, line);
        QCOMPARE(callout.bar()->rect(), QRectF(-90, 27, 590, 2));
    }

    void setColorRestylesPlainly()
    {
        QGraphicsScene scene;
        PointingLine callout(PointingLine::Points{{1398, 28}, {971, 28}, {765, 234}}, QColor(200, 200, 200), true,
                             &scene);
        callout.setColor(QColor(168, 168, 168));
        QCOMPARE(callout.color(), QColor(168, 168, 168));
        QCOMPARE(strongColor(callout.line()), QColor(168, 168, 168, 128));
        callout.setVisible(false);
        for (QObject *part : callout.items())
            QVERIFY(!dynamic_cast<QGraphicsItem *>(part)->isVisible());
    }

    void dpiMarker()
    {
        QGraphicsScene scene;
        const QColor color(200, 200, 200);
        DpiItem dpi(QPoint(670, 28), color, &scene);
        QCOMPARE(dpi.ring()->rect().center(), QPointF(670 + 55, 28 - 75));
        QCOMPARE(dpi.ring()->rect().size(), QSizeF(30, 30));
        QCOMPARE(dpi.ticks().size(), 4);
        QCOMPARE(dpi.ticks()[0]->line(), QLineF(702, -47, 718, -47));
        QCOMPARE(dpi.ticks()[3]->line(), QLineF(725, -40, 725, -24));
        QCOMPARE(dpi.items().size(), 5);
        QCOMPARE(dpi.items().last(), static_cast<QObject *>(dpi.ring()));
        QVERIFY(!dpi.items().contains(dpi.textItem()));
        QCOMPARE(dpi.textItem()->anchor(), QPointF(650, 22));
        // The ring sits on the simple scene's DPI area.
        QVERIFY(MouseOutlines::simpleOutline(19).containsPoint(QPoint(725, -47), Qt::OddEvenFill));

        dpi.setDpi(1600);
        QCOMPARE(dpi.textItem()->shownLines(), QStringList{"1600 DPI"});
        dpi.setColor(Qt::red);
        QCOMPARE(dpi.ring()->pen().color(), QColor(Qt::red));
        QCOMPARE(dpi.ticks()[2]->pen().color(), QColor(Qt::red));
        QCOMPARE(dpi.ticks()[2]->pen().width(), 2);
        QCOMPARE(scene.items().size(), 6);
    }

    void objectsMoveAlongX()
    {
        RectObject rect;
        setObjectItemX(&rect, -750);
        QCOMPARE(rect.x(), -750.0);
        QObject plain;
        setObjectItemX(&plain, 3); // no scene item: nothing
        QVERIFY(rect.metaObject()->indexOfProperty("opacity") >= 0);
        rect.setProperty("opacity", 0.25);
        QCOMPARE(rect.opacity(), 0.25);
    }

    // Every simple-scene item on an empty scene, outlines selected: to look at.
    void simpleScenePicture_data()
    {
        QTest::addColumn<int>("style");
        for (int style = 0; style <= 3; ++style)
            QTest::addRow("style %d", style) << style;
    }
    void simpleScenePicture()
    {
        QFETCH(int, style);
        QGraphicsScene scene(-200, -100, 1708, 1208);
        scene.setBackgroundBrush(QColor(34, 36, 48));
        scene.addPolygon(QPolygonF(MouseOutlines::simpleBody()), QPen(QColor(90, 92, 110), 2), QColor(58, 60, 74));
        const QColor lineColor = style == 1   ? QColor(211, 127, 255)
                                 : style == 2 ? QColor(168, 168, 168)
                                              : QColor(200, 200, 200);

        QList<int> ids{5, 6, 3, 4, 0, 1, 2, 7, 8, 10, 12};
        QMap<int, ButtonGraphicsItem *> outlines;
        for (int id : ids)
            outlines[id] = new ButtonGraphicsItem(id, style);
        if (style != 2)
            outlines[20] = new LogoGraphicsItem(style);
        outlines[19] = new ButtonGraphicsItem(19, style);
        if (style == 0 || style == 3)
            for (int id : {21, 13, 15})
                outlines[id] = new ButtonGraphicsItem(id, style);
        for (ButtonGraphicsItem *item : outlines) {
            scene.addItem(item);
            item->setSelectedState(true);
        }

        QObject owner;
        QMap<int, QPoint> iconPositions;
        for (const Anchor &a : anchors) {
            if (!outlines.contains(a.id))
                continue;
            const bool left = a.labelX < MouseOutlines::simpleWidth / 2;
            auto *label = new TextGraphicsItem(QPointF(a.labelX, a.labelY), left, true);
            scene.addItem(label);
            label->setColorScheme(style);
            label->setLines({QStringLiteral("Input %1").arg(a.id), QStringLiteral("Second line of a description")});
            auto *callout = new PointingLine({{a.labelX, a.labelY}, {a.elbowX, a.labelY}, {a.targetX, a.targetY}},
                                             lineColor, true, &scene, &owner);
            callout->updateStyle(a.id == 0, style);
            iconPositions[a.id] = QPoint(left ? a.labelX : a.labelX - 25, a.labelY);
        }
        IconsBlock icons(&scene, iconPositions, &owner);
        icons.addInputIcons(0);
        icons.placeIcons();
        auto *dpi = new DpiItem(QPoint(670, 28), lineColor, &scene, &owner);
        dpi->setDpi(1600);
        dpi->textItem()->setColorScheme(style);
        new PointingLine(QPoint(670, 28), QPoint(780, 28), lineColor, &scene, &owner);

        QImage image(1708, 1208, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter);
        painter.end();
        const QString path = WidgetDriver::outputFolder() + QStringLiteral("/simple-scene-style-%1.png").arg(style);
        QVERIFY(image.save(path));
    }
};

QTEST_MAIN(TestSceneLabels)
#include "tst_scenelabels.moc"
