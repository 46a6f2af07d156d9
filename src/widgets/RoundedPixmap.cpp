#include "RoundedPixmap.h"

#include <QPainter>
#include <QPainterPath>

QPixmap roundedPixmap(const QPixmap &source, const QSize &size, qreal radius)
{
    if (source.isNull())
        return QPixmap();
    QPixmap canvas(size);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QPainterPath corners;
    corners.addRoundedRect(QRectF(canvas.rect()), radius, radius, Qt::AbsoluteSize);
    painter.setClipPath(corners);
    const QPixmap scaled = source.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPoint at;
    if (scaled.width() < size.width())
        at.setX((size.width() - scaled.width()) / 2);
    else if (scaled.height() < size.height())
        at.setY((size.height() - scaled.height()) / 2);
    painter.drawPixmap(at, scaled);
    return canvas;
}
