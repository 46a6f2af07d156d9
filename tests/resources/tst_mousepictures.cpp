// The mouse pictures of the compiled tree against the click areas the views
// lay over them: a point well inside an area shows that area's fill, its
// edge the outline colour, and a point outside every area no area's fill.
// Also writes gallery.png, every generated picture on one page.
#include "MouseOutlines.h"
#include "MousePicture.h"
#include "PictureManifest.h"
#include "WidgetDriver.h"

#include <QPainter>
#include <QtTest>

namespace {

struct Expected
{
    int id;
    QPolygon outline;
};

// The areas each view stacks over its picture, lowest first: the expert
// image in its table order, the simple scene in ascending id order with the
// logo of the model's style (none for tamsel) and the tilt areas and display
// only for v and v2.
QVector<Expected> expectedAreas(const QString &view, const QString &look)
{
    QVector<Expected> areas;
    if (view == QLatin1String("expert")) {
        for (const MouseOutlines::ExpertArea &area : MouseOutlines::expertAreas())
            areas.append({area.buttonId, area.outline});
        return areas;
    }
    for (int id : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 12})
        areas.append({id, MouseOutlines::simpleOutline(id)});
    const bool v = look == QLatin1String("v") || look == QLatin1String("v2") || look == QLatin1String("none");
    if (v) {
        areas.append({13, MouseOutlines::simpleOutline(13)});
        areas.append({15, MouseOutlines::simpleOutline(15)});
    }
    const int logoStyle = look == QLatin1String("v2") ? 3 : look == QLatin1String("pelkin") ? 1 : 0;
    if (look != QLatin1String("tamsel"))
        areas.append({20, MouseOutlines::simpleLogoOutline(logoStyle)});
    if (v)
        areas.append({21, MouseOutlines::simpleOutline(21)});
    return areas;
}

qreal distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const qreal length2 = QPointF::dotProduct(ab, ab);
    const qreal t = length2 > 0 ? qBound(0.0, QPointF::dotProduct(p - a, ab) / length2, 1.0) : 0.0;
    const QPointF d = p - (a + t * ab);
    return std::sqrt(QPointF::dotProduct(d, d));
}

qreal distanceToEdge(QPointF p, const QPolygon &outline)
{
    qreal nearest = std::numeric_limits<qreal>::max();
    for (int i = 0; i < outline.size(); ++i)
        nearest = std::min(nearest, distanceToSegment(p, outline[i], outline[(i + 1) % outline.size()]));
    return nearest;
}

bool inside(QPointF p, const QPolygon &outline)
{
    return QPolygonF(outline).containsPoint(p, Qt::OddEvenFill);
}

bool sameColour(QRgb a, const QColor &b, int tolerance)
{
    return qAlpha(a) == b.alpha() && std::abs(qRed(a) - b.red()) <= tolerance
           && std::abs(qGreen(a) - b.green()) <= tolerance && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

// Which area each pixel lies well inside of: 1 + the area's index where it
// is inside that area, farther than reach from its outline and not inside
// or within reach of any area above it; 0 where no area and no outline is
// within reach; 255 elsewhere (near an outline).
QImage areaLabels(QSize size, const QVector<MouseArea> &areas, qreal reach)
{
    QImage labels(size, QImage::Format_Indexed8);
    QVector<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = qRgb(i, i, i);
    labels.setColorTable(table);
    labels.fill(0);
    QImage canvas(size, QImage::Format_RGB32);
    canvas.fill(qRgb(0, 0, 0));
    QPainter painter(&canvas);
    for (int i = 0; i < areas.size(); ++i) {
        painter.setBrush(QColor(i + 1, 0, 0));
        painter.setPen(QPen(QColor(255, 0, 0), 2 * reach, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolygon(areas[i].outline);
    }
    painter.end();
    for (int y = 0; y < size.height(); ++y) {
        const QRgb *from = reinterpret_cast<const QRgb *>(canvas.constScanLine(y));
        uchar *to = labels.scanLine(y);
        for (int x = 0; x < size.width(); ++x)
            to[x] = uchar(qRed(from[x]));
    }
    return labels;
}

// QVERIFY2 composes its message every time; these checks run per pixel.
#define CHECK(condition, message)                                                                                      \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            QFAIL(qPrintable(message));                                                                                \
    } while (false)

QString describe(QRgb pixel)
{
    return QColor::fromRgba(pixel).name(QColor::HexArgb);
}

} // namespace

class TestMousePictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void areasCoincideWithTheDrawing_data();
    void areasCoincideWithTheDrawing();
    void galleryOfEveryPicture();

private:
    QVector<PictureEntry> m_entries;
};

void TestMousePictures::initTestCase()
{
    PictureManifest manifest;
    QVERIFY2(manifest.load(QStringLiteral(R7_PICTURE_MANIFEST)), qPrintable(manifest.error()));
    m_entries = manifest.entries();
}

void TestMousePictures::areasCoincideWithTheDrawing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("look");
    int pictures = 0;
    for (const PictureEntry &entry : m_entries)
        if (entry.recipe == QLatin1String("mouse") && entry.arguments.size() == 2) {
            QTest::newRow(qPrintable(entry.path)) << entry.path << entry.arguments[0] << entry.arguments[1];
            ++pictures;
        }
    QCOMPARE(pictures, 10); // five expert pictures, five simple ones
}

void TestMousePictures::areasCoincideWithTheDrawing()
{
    QFETCH(QString, path);
    QFETCH(QString, view);
    QFETCH(QString, look);
    const QImage picture = QImage(QStringLiteral(":/") + path).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!picture.isNull());
    const MouseScheme scheme =
        MousePicture::scheme(view == QLatin1String("expert") ? MousePicture::Expert : MousePicture::Simple, look);
    QCOMPARE(picture.size(), scheme.size);

    // The drawn areas are the views' click areas, in the views' order.
    const QVector<Expected> expected = expectedAreas(view, look);
    QCOMPARE(scheme.areas.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(scheme.areas[i].id, expected[i].id);
        QCOMPARE(scheme.areas[i].outline, expected[i].outline);
        // Every area a colour of its own, so the picture shows which one lies on top.
        for (int j = 0; j < i; ++j)
            QVERIFY(scheme.areas[i].fill != scheme.areas[j].fill);
        if (look == QLatin1String("none")) {
            const QColor fill = scheme.areas[i].fill;
            QVERIFY2(fill.red() == fill.green() && fill.green() == fill.blue(), "the no-mouse pictures are grey");
        }
    }

    // Every other pixel: inside an area its fill, outside all of them none.
    const qreal reach = scheme.lineWidth + 1.5; // the outline and its antialiased rim
    const QImage labels = areaLabels(picture.size(), scheme.areas, reach);
    QVector<int> seen(scheme.areas.size(), 0);
    int outside = 0;
    for (int y = 0; y < picture.height(); y += 2) {
        const uchar *label = labels.constScanLine(y);
        const QRgb *pixels = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); x += 2) {
            if (label[x] == 255)
                continue;
            if (label[x] == 0) {
                for (const MouseArea &area : scheme.areas)
                    CHECK(!sameColour(pixels[x], area.fill, 1),
                          (QStringLiteral("(%1, %2), outside every area, shows the fill of area %3")
                               .arg(x)
                               .arg(y)
                               .arg(area.id)));
                ++outside;
                continue;
            }
            const MouseArea &area = scheme.areas[label[x] - 1];
            CHECK(sameColour(pixels[x], area.fill, 1), (QStringLiteral("area %1 at (%2, %3) shows %4, not its fill %5")
                                                            .arg(area.id)
                                                            .arg(x)
                                                            .arg(y)
                                                            .arg(describe(pixels[x]), area.fill.name())));
            ++seen[label[x] - 1];
        }
    }
    for (int i = 0; i < seen.size(); ++i)
        QVERIFY2(seen[i] > 0, qPrintable(QStringLiteral("area %1 is hidden entirely").arg(scheme.areas[i].id)));
    QVERIFY(outside > 1000);

    // The middle of each edge not covered from above shows the outline colour.
    const auto coveredAbove = [&](QPointF p, int index) {
        for (int j = index + 1; j < scheme.areas.size(); ++j)
            if (inside(p, scheme.areas[j].outline) || distanceToEdge(p, scheme.areas[j].outline) <= reach)
                return true;
        return false;
    };
    int edges = 0;
    for (int k = 0; k < scheme.areas.size(); ++k) {
        const MouseArea &area = scheme.areas[k];
        for (int i = 0; i + 1 < area.outline.size(); ++i) {
            const QPointF a = area.outline[i], b = area.outline[i + 1];
            const QPointF middle = (a + b) / 2;
            if (QLineF(a, b).length() < 6 || coveredAbove(middle, k) || !picture.rect().contains(middle.toPoint()))
                continue;
            const QRgb pixel = picture.pixel(int(std::floor(middle.x())), int(std::floor(middle.y())));
            CHECK(sameColour(pixel, area.line, 2), (QStringLiteral("the edge of area %1 at (%2, %3) shows %4, not %5")
                                                        .arg(area.id)
                                                        .arg(middle.x())
                                                        .arg(middle.y())
                                                        .arg(describe(pixel), area.line.name())));
            ++edges;
        }
    }
    QVERIFY(edges > 50);
}

void TestMousePictures::galleryOfEveryPicture()
{
    // Small pictures three times their size in small cells, large ones
    // scaled into large cells; each on a dark and a light ground.
    constexpr int columns = 8, smallCell = 150, largeCell = 300, label = 14;
    QVector<PictureEntry> small, large;
    for (const PictureEntry &entry : m_entries)
        (entry.size.width() > 100 || entry.size.height() > 100 ? large : small).append(entry);
    const int smallRows = (small.size() + columns - 1) / columns;
    const int largeRows = (large.size() + 3) / 4;
    QImage gallery(columns * smallCell, smallRows * (smallCell / 2 + label) + largeRows * (largeCell + label),
                   QImage::Format_ARGB32);
    gallery.fill(QColor("#808080"));
    QPainter painter(&gallery);
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    const auto place = [&](const PictureEntry &entry, const QRect &cell) {
        const QRect area = cell.adjusted(2, 2, -2, -label);
        painter.fillRect(area.adjusted(0, 0, -area.width() / 2, 0), QColor("#262626"));
        painter.fillRect(area.adjusted(area.width() / 2, 0, 0, 0), QColor("#3a3f75"));
        const QImage picture(QStringLiteral(":/") + entry.path);
        QSize shown = picture.size() * 3;
        if (shown.width() > area.width() || shown.height() > area.height())
            shown = picture.size().scaled(area.size(), Qt::KeepAspectRatio);
        QRect target(QPoint(0, 0), shown);
        target.moveCenter(area.center());
        painter.drawImage(target, picture);
        painter.setPen(Qt::white);
        painter.drawText(QRect(cell.left(), cell.bottom() - label, cell.width(), label), Qt::AlignCenter,
                         entry.path.section(QLatin1Char('/'), -2));
    };
    for (int i = 0; i < small.size(); ++i)
        place(small[i], QRect((i % columns) * smallCell, (i / columns) * (smallCell / 2 + label), smallCell,
                              smallCell / 2 + label));
    const int top = smallRows * (smallCell / 2 + label);
    for (int i = 0; i < large.size(); ++i)
        place(large[i], QRect((i % 4) * largeCell, top + (i / 4) * (largeCell + label), largeCell, largeCell + label));
    painter.end();
    const QString path = WidgetDriver::outputFolder() + QStringLiteral("/gallery.png");
    QVERIFY2(gallery.save(path), qPrintable(path));
}

QTEST_MAIN(TestMousePictures)
#include "tst_mousepictures.moc"
