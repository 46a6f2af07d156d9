#include "MouseImage.h"

#include "ButtonGraphicsItem.h"
#include "MouseFunctions.h"
#include "MouseOutlines.h"

#include <QGraphicsItemGroup>
#include <QGraphicsPathItem>
#include <QGraphicsPixmapItem>
#include <QGraphicsPolygonItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QResizeEvent>

#include <cmath>

int hueCounter = 144;

namespace {

QPen logoPen(const QColor &color, int width)
{
    return QPen(QBrush(color), width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

const QColor initialLogoColor(QStringLiteral("#007fff"));
const QColor logoBackColor(QStringLiteral("#ececec"));

struct ModelLook
{
    const char *picture; // empty: no picture
    int styleType;
};

ModelLook connectedLook(int modelCode)
{
    switch (modelCode) {
    case 5:
        return {":/pic/mouse_v.png", 0};
    case 30:
        return {":/pic/mouse_v2.png", 3};
    case 20:
        return {":/pic/mouse_pelkin.png", 1};
    case 10:
        return {":/pic/mouse_tamsel.png", 2};
    default:
        return {"", 0};
    }
}

int disconnectedStyle(int modelCode)
{
    switch (modelCode) {
    case 10:
        return 2;
    case 20:
        return 1;
    case 30:
        return 3;
    default:
        return 0;
    }
}

QGraphicsPathItem *logoPathItem(const QPainterPath &path)
{
    auto *item = new QGraphicsPathItem(path);
    item->setPen(logoPen(initialLogoColor, 1));
    item->setBrush(initialLogoColor);
    return item;
}

} // namespace

MouseImage::MouseImage(QWidget *parent)
    : QWidget(parent)
    , m_device(MouseFunctions::instance())
    , m_logoColor(initialLogoColor)
{
    buildItems();

    m_view = new QGraphicsView(m_scene, this);
    m_view->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setMouseTracking(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    fitPicture();

    m_hueTimer.setInterval(hueIntervalMs);
    connect(&m_hueTimer, &QTimer::timeout, this, &MouseImage::hueColorChange);

    setConnected(false);
}

MouseImage::~MouseImage() = default;

void MouseImage::buildItems()
{
    m_pictureItem = new QGraphicsPixmapItem;
    m_pictureItem->setTransformationMode(Qt::SmoothTransformation);
    m_scene = new QGraphicsScene(this);
    m_scene->addItem(m_pictureItem);

    for (const MouseOutlines::ExpertArea &area : MouseOutlines::expertAreas()) {
        auto *item = new ButtonGraphicsItem(area.buttonId, area.outline, 0);
        m_buttonAreas.append(item);
        m_scene->addItem(item);
        connect(item, &ButtonGraphicsItem::clicked, this, [this, item] { select(item); });
    }

    m_logoBackGroup = new QGraphicsItemGroup;
    for (const QPolygonF &shape : MouseOutlines::vLogoBack()) {
        auto *item = new QGraphicsPolygonItem(shape);
        item->setPen(logoPen(logoBackColor, 1));
        item->setBrush(logoBackColor);
        m_logoBackGroup->addToGroup(item);
    }
    m_logoZoneGroup = new QGraphicsItemGroup;
    for (const QPolygonF &zone : MouseOutlines::vLogoZones()) {
        auto *item = new QGraphicsPolygonItem(zone);
        item->setPen(logoPen(initialLogoColor, 4));
        m_logoZones.append(item);
        m_logoZoneGroup->addToGroup(item);
    }
    m_logoPathV2 = logoPathItem(MouseOutlines::v2LogoPath());
    m_logoPathPelkin = logoPathItem(MouseOutlines::pelkinLogoPath());
    m_scene->addItem(m_logoBackGroup);
    m_scene->addItem(m_logoZoneGroup);
    m_scene->addItem(m_logoPathV2);
    m_scene->addItem(m_logoPathPelkin);
}

QColor MouseImage::hueColor(int counter)
{
    const double angle = counter * 6.2831852 * 0.00390625;
    auto channel = [](double phase) { return 128 + int(std::trunc(127 * std::sin(phase))); };
    return QColor(channel(angle), channel(angle + 4.188790133333334), channel(angle + 2.094395066666667), 255);
}

void MouseImage::showModel(bool connected)
{
    m_logoBackGroup->hide();
    m_logoZoneGroup->hide();
    m_logoPathV2->hide();
    m_logoPathPelkin->hide();

    const int modelCode = m_device->mousePID();
    if (!connected) {
        m_picturePath = QStringLiteral(":/pic/no_mouse.png");
        m_styleType = disconnectedStyle(modelCode);
    } else {
        const ModelLook look = connectedLook(modelCode);
        m_picturePath = QString::fromLatin1(look.picture);
        m_styleType = look.styleType;
        if (modelCode == 5) {
            m_logoBackGroup->show();
            m_logoZoneGroup->show();
        } else if (modelCode == 30) {
            m_logoPathV2->show();
        } else if (modelCode == 20) {
            m_logoPathPelkin->show();
        }
    }
    for (ButtonGraphicsItem *area : qAsConst(m_buttonAreas))
        area->applyStyle(m_styleType);
    // Decoding the picture is most of the cost of a change of model; a hidden
    // window (a start in the tray) decodes it when it first shows.
    m_pictureLoaded = false;
    if (isVisible())
        loadPicture();
}

void MouseImage::loadPicture()
{
    if (m_pictureLoaded)
        return;
    m_pictureLoaded = true;
    m_pictureItem->setPixmap(m_picturePath.isEmpty() ? QPixmap() : QPixmap(m_picturePath));
}

void MouseImage::setConnected(bool connected)
{
    if (connected == m_connected)
        return;
    m_connected = connected;
    showModel(connected);
    if (!connected) {
        m_hueTimer.stop();
    } else if (m_hueMode) {
        m_hueTimer.start();
    } else {
        m_hueTimer.stop();
        applyLogoColor(m_logoColor);
    }
}

void MouseImage::setLogoColor(bool isHue, QColor color)
{
    m_hueMode = isHue;
    m_logoColor = color;
    if (!m_connected)
        return; // takes effect at the next connection
    if (isHue) {
        m_hueTimer.start();
    } else {
        m_hueTimer.stop();
        applyLogoColor(color);
    }
}

void MouseImage::applyLogoColor(const QColor &color)
{
    for (QGraphicsPolygonItem *zone : qAsConst(m_logoZones))
        zone->setPen(logoPen(color, 4));
    for (QGraphicsPathItem *path : {m_logoPathV2, m_logoPathPelkin}) {
        path->setPen(logoPen(color, 1));
        path->setBrush(color);
    }
}

void MouseImage::hueColorChange()
{
    const QColor color = hueColor(hueCounter);
    hueCounter += 2;
    if (hueCounter >= 256)
        hueCounter = 0;
    applyLogoColor(color);
}

void MouseImage::select(ButtonGraphicsItem *area)
{
    m_selectedArea = area;
    updateHighlights();
    emit clicked(area->buttonId());
}

void MouseImage::updateHighlights()
{
    for (ButtonGraphicsItem *area : qAsConst(m_buttonAreas))
        area->setSelectedState(area == m_selectedArea);
}

void MouseImage::selectButton(int buttonId)
{
    for (ButtonGraphicsItem *area : qAsConst(m_buttonAreas))
        if (area->buttonId() == buttonId)
            select(area);
}

void MouseImage::clearSelection()
{
    if (!m_selectedArea)
        return;
    m_selectedArea->setSelectedState(false);
    m_selectedArea = nullptr;
}

void MouseImage::emitSelected()
{
    if (m_selectedArea)
        emit clicked(m_selectedArea->buttonId());
}

void MouseImage::fitPicture()
{
    m_view->fitInView(m_pictureItem, Qt::KeepAspectRatio);
}

void MouseImage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    event->accept();
    fitPicture();
}

void MouseImage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    loadPicture();
    fitPicture();
}
