#pragma once
// Driving the items of a graphics scene through its view, as a user would:
// the pointer moved over scene points and clicks at them, on the viewport.

#include <QGraphicsView>
#include <QTest>

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

} // namespace SceneDriver
