#include "ColorPick.h"

#include <QCursor>
#include <QDebug>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int grabSize = 33;
constexpr int grabCentre = grabSize / 2;
constexpr int shownSize = 132;
// Gap between the cursor and the magnifier.
constexpr int gap = 33;

} // namespace

ColorPick::ColorPick()
    : QDialog(nullptr, Qt::Window | Qt::BypassWindowManagerHint | Qt::FramelessWindowHint)
    , timer(new QTimer(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(shownSize, shownSize);
    timer->setInterval(10);
    connect(timer, &QTimer::timeout, this, &ColorPick::grabAroundCursor);
}

ColorPick::~ColorPick()
{
    releaseKeyboard();
}

void ColorPick::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    grabAroundCursor();
    timer->start();
    QTimer::singleShot(100, this, [this] { grabKeyboard(); });
}

void ColorPick::grabAroundCursor()
{
    const QPoint cursor = QCursor::pos();
    QScreen *found = nullptr;
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen->geometry().contains(cursor)) {
            found = screen;
            break;
        }
    }
    if (!found) {
        qWarning() << "Could not find a screen containing" << cursor;
        return;
    }
    // Beside the cursor, on whichever side leaves it on the screen.
    const QRect area = found->geometry();
    const int x = cursor.x() + width() + gap < area.x() + area.width() ? cursor.x() + gap : cursor.x() - width() - gap;
    const int y =
        cursor.y() + height() + gap < area.y() + area.height() ? cursor.y() + gap : cursor.y() - height() - gap;
    move(x, y);
    grab = found->grabWindow(0, cursor.x() - grabCentre, cursor.y() - grabCentre, grabSize, grabSize);
    update();
}

void ColorPick::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, grab.scaled(shownSize, shownSize, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    painter.setPen(Qt::darkGray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
    // A frame around the centre pixel that shows on any colour.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.drawRect(63, 63, 5, 5);
}

void ColorPick::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        QCursor::setPos(QCursor::pos() + QPoint(-1, 0));
        break;
    case Qt::Key_Right:
        QCursor::setPos(QCursor::pos() + QPoint(1, 0));
        break;
    case Qt::Key_Up:
        QCursor::setPos(QCursor::pos() + QPoint(0, -1));
        break;
    case Qt::Key_Down:
        QCursor::setPos(QCursor::pos() + QPoint(0, 1));
        break;
    case Qt::Key_Return:
        // No grab (the cursor off every screen) is no colour.
        if (grab.width() > grabCentre && grab.height() > grabCentre)
            emit colorChanged(grab.toImage().pixelColor(grabCentre, grabCentre));
        accept();
        break;
    case Qt::Key_Escape:
        reject();
        break;
    default:
        break;
    }
}
