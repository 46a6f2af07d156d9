#include "ForceLevelProgressBar.h"

#include <QPainter>
#include <QStyleOptionProgressBar>
#include <QStylePainter>

ForceLevelProgressBar::ForceLevelProgressBar(QWidget *parent)
    : QProgressBar(parent)
{}

void ForceLevelProgressBar::setLevel(int &field, int level)
{
    if (level == field)
        return;
    field = level;
    emit peakLevelChanged();
}

int ForceLevelProgressBar::markerPosition(int level) const
{
    if (level < 1 || maximum() <= 0)
        return -1;
    const double share = double(level) / double(maximum());
    if (orientation() == Qt::Vertical)
        return height() - qRound(height() * share);
    return qRound(width() * share);
}

void ForceLevelProgressBar::paintEvent(QPaintEvent *event)
{
    if (maximum() <= minimum()) {
        // An empty range would make the style draw a busy indicator: draw
        // the empty bar instead.
        QStylePainter painter(this);
        QStyleOptionProgressBar option;
        initStyleOption(&option);
        option.minimum = 0;
        option.maximum = 1;
        option.progress = 0;
        painter.drawControl(QStyle::CE_ProgressBar, option);
        return;
    }
    QProgressBar::paintEvent(event);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const struct
    {
        int level;
        Qt::GlobalColor color;
    } markers[] = {
        {m_zeroLevel, Qt::blue}, {m_clickLevel, Qt::green}, {m_p40Level, Qt::yellow}, {m_p100Level, Qt::red}};
    for (const auto &marker : markers) {
        const int at = markerPosition(marker.level);
        if (at < 0)
            continue;
        QPen pen(marker.color);
        pen.setCosmetic(true);
        pen.setWidth(1);
        painter.setPen(pen);
        if (orientation() == Qt::Vertical)
            painter.drawLine(0, at, width(), at);
        else
            painter.drawLine(at, 0, at, height());
    }
}
