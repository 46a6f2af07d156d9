#pragma once
// Driving the items of a graphics scene through its view, as a user would:
// the pointer moved over scene points and clicks at them, on the viewport.
// Widgets embedded in the scene are clicked the same way, through the view.

#include <QGraphicsProxyWidget>
#include <QGraphicsView>
#include <QTest>
#include <QWidget>

#include <optional>

namespace SceneDriver {

inline QPoint onViewport(QGraphicsView *view, QPointF scenePoint)
{
    return view->mapFromScene(scenePoint);
}

inline void moveTo(QGraphicsView *view, QPointF scenePoint)
{
    QTest::mouseMove(view->viewport(), onViewport(view, scenePoint));
}

inline void click(QGraphicsView *view, QPointF scenePoint, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(view->viewport(), button, Qt::NoModifier, onViewport(view, scenePoint));
}

// A scene point where the pointer meets item before anything else, searched
// outwards from the middle of its bounds; nullopt when the item is covered
// everywhere (or not in the view's scene).
inline std::optional<QPointF> pointOn(QGraphicsView *view, const QGraphicsItem *item)
{
    const QRectF bounds = item->sceneBoundingRect();
    const QPointF centre = bounds.center();
    constexpr int steps = 40;
    for (int step = 0; step < steps; ++step) {
        for (int dx = -step; dx <= step; ++dx) {
            for (int dy = -step; dy <= step; ++dy) {
                if (qMax(qAbs(dx), qAbs(dy)) != step)
                    continue; // the ring of this step only
                const QPointF point =
                    centre + QPointF(dx * bounds.width() / (2 * steps), dy * bounds.height() / (2 * steps));
                if (view->itemAt(onViewport(view, point)) == item)
                    return point;
            }
        }
    }
    return std::nullopt;
}

// Where a point of a widget embedded in the view's scene (or of a widget
// inside one) lies on the viewport; the proxy's own transformation, which
// may ignore the view's scale, is taken into account. A null point when the
// widget is not in a scene.
inline QPoint onViewport(QGraphicsView *view, const QWidget *embedded, QPoint local)
{
    const QWidget *top = embedded;
    while (top && !top->graphicsProxyWidget())
        top = top->parentWidget();
    if (!top)
        return QPoint();
    const QGraphicsProxyWidget *proxy = top->graphicsProxyWidget();
    const QPointF inProxy = proxy->subWidgetRect(top).topLeft() + QPointF(embedded->mapTo(top, local));
    return proxy->deviceTransform(view->viewportTransform()).map(inProxy).toPoint();
}

// A left click in the middle of an embedded widget, on the viewport.
inline void click(QGraphicsView *view, const QWidget *embedded)
{
    const QPoint point = onViewport(view, embedded, embedded->rect().center());
    QTest::mouseMove(view->viewport(), point);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

} // namespace SceneDriver
