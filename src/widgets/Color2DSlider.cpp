#include "Color2DSlider.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The colour of the frame around the plane, shown in its rounded corners.
constexpr QRgb frameColor = 0xB2AFAF;

} // namespace

Color2DSlider::Color2DSlider(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize Color2DSlider::sizeHint() const
{
    return {128, 128};
}

QColor Color2DSlider::color() const
{
    return QColor::fromHsvF(hsv[Hue], hsv[Saturation], hsv[Value], 1.0);
}

void Color2DSlider::setColor(QColor c)
{
    hsv[Hue] = c.hsvHueF();
    hsv[Saturation] = c.saturationF();
    hsv[Value] = c.valueF();
    renderBackground();
    update();
}

void Color2DSlider::setHue(qreal h)
{
    changeComponent(Hue, h);
}

void Color2DSlider::setSaturation(qreal s)
{
    changeComponent(Saturation, s);
}

void Color2DSlider::setValue(qreal v)
{
    changeComponent(Value, v);
}

void Color2DSlider::changeComponent(int code, qreal amount)
{
    setComponent(code, amount);
    renderBackground();
    update();
    emit colorChanged(color());
}

void Color2DSlider::setComponentX(int componentX)
{
    if (setAxis(xComponent, componentX))
        emit componentXChanged(componentX);
}

void Color2DSlider::setComponentY(int componentY)
{
    if (setAxis(yComponent, componentY))
        emit componentYChanged(componentY);
}

bool Color2DSlider::setAxis(int &axis, int code)
{
    if (axis == code)
        return false;
    axis = code;
    renderBackground();
    update();
    return true;
}

qreal Color2DSlider::component(int code) const
{
    return isComponent(code) ? hsv[code] : 0;
}

void Color2DSlider::setComponent(int code, qreal amount)
{
    if (isComponent(code))
        hsv[code] = amount;
}

void Color2DSlider::pickAt(const QPoint &position)
{
    const qreal fx = std::max(0.0, std::min(1.0, qreal(position.x()) / width()));
    const qreal fy = std::max(0.0, std::min(1.0, 1.0 - qreal(position.y()) / height()));
    setComponent(xComponent, fx);
    setComponent(yComponent, fy);
    emit colorChanged(color());
    update();
}

void Color2DSlider::mousePressEvent(QMouseEvent *event)
{
    pickAt(event->pos());
}

void Color2DSlider::mouseMoveEvent(QMouseEvent *event)
{
    pickAt(event->pos());
}

void Color2DSlider::mouseReleaseEvent(QMouseEvent *event)
{
    pickAt(event->pos());
}

void Color2DSlider::resizeEvent(QResizeEvent *)
{
    renderBackground();
    update();
}

void Color2DSlider::renderBackground()
{
    const int w = width();
    const int h = height();
    if (w <= 0 || h <= 0) {
        background = QImage();
        return;
    }
    // Only the component that no axis sets changes the picture; dragging
    // over the plane leaves it as it is.
    float fixed[3] = {float(hsv[Hue]), float(hsv[Saturation]), float(hsv[Value])};
    if (isComponent(xComponent))
        fixed[xComponent] = std::numeric_limits<float>::quiet_NaN();
    if (isComponent(yComponent))
        fixed[yComponent] = std::numeric_limits<float>::quiet_NaN();
    const auto same = [](float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    if (background.size() == QSize(w, h) && renderedX == xComponent && renderedY == yComponent
        && same(fixed[0], renderedFixed[0]) && same(fixed[1], renderedFixed[1]) && same(fixed[2], renderedFixed[2]))
        return;
    std::copy(fixed, fixed + 3, renderedFixed);
    renderedX = xComponent;
    renderedY = yComponent;

    if (background.size() != QSize(w, h))
        background = QImage(w, h, QImage::Format_RGB32);
    float pixel[3] = {float(hsv[Hue]), float(hsv[Saturation]), float(hsv[Value])};
    for (int i = 0; i < h; ++i) {
        auto *line = reinterpret_cast<QRgb *>(background.scanLine(i));
        const float fy = 1.0f - float(i) / float(h);
        for (int j = 0; j < w; ++j) {
            if (isComponent(xComponent))
                pixel[xComponent] = float(j) / float(w);
            if (isComponent(yComponent))
                pixel[yComponent] = fy;
            line[j] = QColor::fromHsvF(pixel[Hue], pixel[Saturation], pixel[Value]).rgb();
        }
    }
    for (const int row : {0, h - 1})
        for (const int column : {0, w - 1})
            background.setPixel(column, row, frameColor);
}

void Color2DSlider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawImage(0, 0, background);
    const QPointF centre(width() * component(xComponent), (1 - component(yComponent)) * height());
    painter.setPen(QPen(hsv[Value] > 0.5 ? Qt::black : Qt::white, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 7, 7);
}
