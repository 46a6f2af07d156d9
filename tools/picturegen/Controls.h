#pragma once
// The small controls of the tree: arrows, marks, check boxes, toggles, row
// buttons and the icons of the profile bar, quick view and side bar. Each
// fills the picture's rectangle; sizes come from the manifest.

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace Controls {

enum class Direction { Up, Down, Left, Right };

void chevron(QPainter &p, const QRectF &r, Direction way, const QColor &c);
void triangle(QPainter &p, const QRectF &r, Direction way, const QColor &c);
void check(QPainter &p, const QRectF &r, const QColor &c);
void checkbox(QPainter &p, const QRectF &r, bool checked, const QColor &box, const QColor &mark, const QColor &fill);
void cross(QPainter &p, const QRectF &r, const QColor &c);
void plus(QPainter &p, const QRectF &r, const QColor &c);
void dots(QPainter &p, const QRectF &r, bool vertical, const QColor &c);
void bars(QPainter &p, const QRectF &r, const QColor &c);
void grip(QPainter &p, const QRectF &r, const QColor &c);
void duplicate(QPainter &p, const QRectF &r, const QColor &c);
void disc(QPainter &p, const QRectF &r, const QColor &c);
void ring(QPainter &p, const QRectF &r, const QColor &c, const QColor &shadow);
void bar(QPainter &p, const QRectF &r, const QColor &c);
void toggle(QPainter &p, const QRectF &r, bool on, const QColor &track, const QColor &knob);
void question(QPainter &p, const QRectF &r, const QColor &c);
void refresh(QPainter &p, const QRectF &r, const QColor &c);
void pipette(QPainter &p, const QRectF &r, const QColor &c);
void record(QPainter &p, const QRectF &r, const QColor &c);
void pen(QPainter &p, const QRectF &r, const QColor &c);
void create(QPainter &p, const QRectF &r, const QColor &page, const QColor &badge);
void picture(QPainter &p, const QRectF &r, const QColor &c);
void holder(QPainter &p, const QRectF &r, const QColor &c);
void bin(QPainter &p, const QRectF &r, const QColor &c);
void home(QPainter &p, const QRectF &r, const QColor &c);
void sliders(QPainter &p, const QRectF &r, const QColor &c);
void magnifier(QPainter &p, const QRectF &r, const QColor &c);
void vibration(QPainter &p, const QRectF &r, const QColor &c);
void info(QPainter &p, const QRectF &r, const QColor &c);
void mouseIcon(QPainter &p, const QRectF &r, const QColor &c);

} // namespace Controls
