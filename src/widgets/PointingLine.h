#pragma once
// The callout of a label of the simple scene: a bar from the label point
// that fades in toward the elbow, a line from the elbow to the target and a
// dot on the target; or, built from two points, the line alone.

#include <QColor>
#include <QList>
#include <QObject>
#include <QPoint>

class EllipseObject;
class LineObject;
class QGraphicsScene;
class RectObject;

class PointingLine : public QObject
{
    Q_OBJECT

public:
    // Label point, elbow (at the label's height) and target.
    struct Points
    {
        QPoint start;
        QPoint elbow;
        QPoint end;
    };

    static constexpr int lineWidth = 2;
    static constexpr int dotSize = 15;

    // The points are copied: restyling draws from the copy, so the caller's
    // record may be a temporary.
    PointingLine(const Points &points, QColor color, bool withDot, QGraphicsScene *scene, QObject *parent = nullptr);
    PointingLine(QPoint from, QPoint to, QColor color, QGraphicsScene *scene, QObject *parent = nullptr);

    // Highlighted: yellow for style types 0 and 3, white for the others;
    // otherwise the callout's own colour. Full strength for 0 and 3, half
    // for the others.
    void updateStyle(bool highlighted, int styleType);
    void setColor(QColor color);
    void setVisible(bool visible);
    // Bar, line and dot, those present, for fading their opacity.
    QList<QObject *> items() const;

    RectObject *bar() const { return m_bar; }
    LineObject *line() const { return m_line; }
    EllipseObject *dot() const { return m_dot; }
    QColor color() const { return m_color; }

private:
    void styleBar(const QColor &faint, const QColor &strong);

    RectObject *m_bar = nullptr;
    LineObject *m_line = nullptr;
    EllipseObject *m_dot = nullptr;
    QColor m_color;
    Points m_points;
};
