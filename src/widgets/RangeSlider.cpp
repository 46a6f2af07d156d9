#include "RangeSlider.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>

#include <algorithm>

RangeSlider::RangeSlider(Qt::Orientation orientation, QWidget *parent)
    : QSlider(orientation, parent)
{
    d.lowerValue = d.lowerPosition = minimum();
    d.upperValue = d.upperPosition = maximum();
    connect(this, SIGNAL(rangeChanged(int, int)), this, SLOT(onRangeChanged(int, int)));
}

void RangeSlider::setValues(int a, int b)
{
    const int lower = std::max(minimum(), std::min(maximum(), std::min(a, b)));
    const int upper = std::max(minimum(), std::min(maximum(), std::max(a, b)));
    const bool lowerValueChanged = lower != d.lowerValue;
    const bool upperValueChanged = upper != d.upperValue;
    const bool lowerPositionChanged = lower != d.lowerPosition;
    const bool upperPositionChanged = upper != d.upperPosition;
    d.lowerValue = d.lowerPosition = lower;
    d.upperValue = d.upperPosition = upper;

    if (isSliderDown() && (lowerPositionChanged || upperPositionChanged)) {
        emit positionsChanged(lower, upper);
        if (lowerPositionChanged)
            emit minimumPositionChanged(lower);
        if (upperPositionChanged)
            emit maximumPositionChanged(upper);
    }
    if (lowerValueChanged || upperValueChanged) {
        emit valuesChanged(lower, upper);
        if (lowerValueChanged)
            emit minimumValueChanged(lower);
        if (upperValueChanged)
            emit maximumValueChanged(upper);
    }
    if (lowerValueChanged || upperValueChanged || lowerPositionChanged || upperPositionChanged)
        update();
}

void RangeSlider::setMinimumValue(int min)
{
    setValues(min, std::max(min, d.upperValue));
}

void RangeSlider::setMaximumValue(int max)
{
    setValues(std::min(d.lowerValue, max), max);
}

void RangeSlider::onRangeChanged(int, int)
{
    setValues(d.lowerValue, d.upperValue);
}

void RangeSlider::setPositions(int a, int b)
{
    const int lower = std::max(minimum(), std::min(maximum(), std::min(a, b)));
    const int upper = std::max(minimum(), std::min(maximum(), std::max(a, b)));
    const bool lowerChanged = lower != d.lowerPosition;
    const bool upperChanged = upper != d.upperPosition;
    if (!lowerChanged && !upperChanged)
        return;
    d.lowerPosition = lower;
    d.upperPosition = upper;
    if (!hasTracking())
        update();
    if (isSliderDown()) {
        if (lowerChanged)
            emit minimumPositionChanged(lower);
        if (upperChanged)
            emit maximumPositionChanged(upper);
        emit positionsChanged(lower, upper);
    }
    if (hasTracking()) {
        triggerAction(SliderMove);
        setValues(lower, upper);
    }
}

void RangeSlider::setMinimumPosition(int position)
{
    setPositions(position, std::max(position, d.upperPosition));
}

void RangeSlider::setMaximumPosition(int position)
{
    setPositions(std::min(d.lowerPosition, position), position);
}

QStyleOptionSlider RangeSlider::optionAt(int position) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.sliderPosition = position;
    option.sliderValue = position;
    return option;
}

QRect RangeSlider::handleRect(int position) const
{
    const QStyleOptionSlider option = optionAt(position);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

bool RangeSlider::overHandle(int position, const QPoint &point) const
{
    const QStyleOptionSlider option = optionAt(position);
    return style()->hitTestComplexControl(QStyle::CC_Slider, &option, point, this) == QStyle::SC_SliderHandle;
}

int RangeSlider::along(const QPoint &point) const
{
    return orientation() == Qt::Horizontal ? point.x() : point.y();
}

int RangeSlider::start(const QRect &rect) const
{
    return orientation() == Qt::Horizontal ? rect.left() : rect.top();
}

int RangeSlider::end(const QRect &rect) const
{
    return orientation() == Qt::Horizontal ? rect.right() : rect.bottom();
}

int RangeSlider::length(const QRect &rect) const
{
    return orientation() == Qt::Horizontal ? rect.width() : rect.height();
}

RangeSlider::Track RangeSlider::track() const
{
    const QStyleOptionSlider option = optionAt(d.lowerPosition);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    return {start(groove), end(groove) - length(handle) - start(groove) + 1, option.upsideDown};
}

RangeSlider::Pick RangeSlider::pickHandle(const QPoint &point) const
{
    const QRect lowerRect = handleRect(d.lowerPosition);
    const QRect upperRect = handleRect(d.upperPosition);
    const bool onLower = overHandle(d.lowerPosition, point);
    const bool onUpper = overHandle(d.upperPosition, point);
    if (onLower && onUpper) {
        // Overlapping handles: the half towards the minimum takes the lower
        // handle, so the handle that moves is the one that can move outwards.
        // The minimum lies at the start (left, top) unless the slider runs the
        // other way (right-to-left layouts, inverted appearance, and the usual
        // vertical slider with its minimum at the bottom).
        const int at = along(point);
        int towardsMinimum;
        int towardsMaximum;
        if (!optionAt(d.lowerPosition).upsideDown) {
            towardsMinimum = at - start(lowerRect);
            towardsMaximum = end(upperRect) - at;
        } else {
            towardsMinimum = end(lowerRect) - at;
            towardsMaximum = at - start(upperRect);
        }
        return towardsMinimum < towardsMaximum ? Pick{LowerHandle, lowerRect} : Pick{UpperHandle, upperRect};
    }
    if (onLower)
        return {LowerHandle, lowerRect};
    if (onUpper)
        return {UpperHandle, upperRect};
    return {NoHandle, lowerRect | upperRect};
}

void RangeSlider::setPressed(Handle handle)
{
    if (d.pressed == handle)
        return;
    d.pressed = handle;
    update();
}

void RangeSlider::mousePressEvent(QMouseEvent *event)
{
    if (minimum() == maximum() || event->buttons() != event->button()) {
        event->ignore();
        return;
    }
    const Pick pick = pickHandle(event->pos());
    const int at = along(event->pos());
    if (pick.handle != NoHandle) {
        d.dragStartValue = pick.handle == LowerHandle ? d.lowerPosition : d.upperPosition;
        d.dragOffset = at - start(pick.rect);
        setSliderDown(true);
        setPressed(pick.handle);
        event->accept();
        return;
    }

    const QStyleOptionSlider option = optionAt(d.lowerPosition);
    const bool onGroove =
        style()->hitTestComplexControl(QStyle::CC_Slider, &option, event->pos(), this) == QStyle::SC_SliderGroove;
    if (onGroove && at > start(pick.rect) && at < end(pick.rect)) {
        // A press between the handles drags the whole span by its centre.
        const Track groove = track();
        const int mid = static_cast<int>((d.lowerPosition + d.upperPosition) * 0.5);
        d.dragStartValue = mid;
        d.dragOffset = at - groove.start
                       - QStyle::sliderPositionFromValue(minimum(), maximum(), mid, groove.span, groove.upsideDown);
        d.halfSpan = (d.upperPosition - d.lowerPosition) / 2;
        setSliderDown(true);
        setPressed(BothHandles);
        event->accept();
        return;
    }
    event->ignore();
}

void RangeSlider::mouseMoveEvent(QMouseEvent *event)
{
    if (d.pressed == NoHandle) {
        event->ignore();
        return;
    }
    const QStyleOptionSlider option = optionAt(d.lowerPosition);
    const Track groove = track();
    int value = QStyle::sliderValueFromPosition(minimum(), maximum(), along(event->pos()) - d.dragOffset - groove.start,
                                                groove.span, groove.upsideDown);
    const int maxDistance = style()->pixelMetric(QStyle::PM_MaximumDragDistance, &option, this);
    if (maxDistance >= 0
        && !rect().adjusted(-maxDistance, -maxDistance, maxDistance, maxDistance).contains(event->pos()))
        value = d.dragStartValue;

    if (d.pressed == LowerHandle) {
        const int lower = std::min(value, d.upperPosition);
        const int upper = d.symmetricMoves ? d.upperPosition + (d.lowerPosition - lower) : d.upperPosition;
        setPositions(lower, upper);
    } else if (d.pressed == UpperHandle) {
        const int upper = std::max(value, d.lowerPosition);
        const int lower = d.symmetricMoves ? d.lowerPosition - (upper - d.upperPosition) : d.lowerPosition;
        setPositions(lower, upper);
    } else {
        // Each end is clamped on its own, so the span shrinks at the ends.
        setPositions(value - d.halfSpan, value + d.halfSpan);
    }
    event->accept();
}

void RangeSlider::mouseReleaseEvent(QMouseEvent *event)
{
    QSlider::mouseReleaseEvent(event);
    setSliderDown(false);
    setPressed(NoHandle);
    update();
}

bool RangeSlider::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && !d.handleToolTip.isEmpty()) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const bool onLower = overHandle(d.lowerPosition, help->pos());
        if (onLower || overHandle(d.upperPosition, help->pos())) {
            QToolTip::showText(help->globalPos(), d.handleToolTip.arg(onLower ? d.lowerValue : d.upperValue), this);
            event->accept();
            return true;
        }
    }
    return QSlider::event(event);
}

void RangeSlider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);

    // The groove is drawn as if the handle sat at the minimum end, so that
    // no part of it shows the filled side whichever way the slider runs.
    QStyleOptionSlider grooveOption = optionAt(minimum());
    grooveOption.subControls = QStyle::SC_SliderGroove;
    grooveOption.activeSubControls = QStyle::SC_None;
    style()->drawComplexControl(QStyle::CC_Slider, &grooveOption, &painter, this);

    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &grooveOption, QStyle::SC_SliderGroove, this);
    const QRect lowerRect = handleRect(d.lowerPosition);
    const QRect upperRect = handleRect(d.upperPosition);

    QRect band;
    if (orientation() == Qt::Horizontal) {
        const int from = std::min(lowerRect.center().x(), upperRect.center().x());
        const int to = std::max(lowerRect.center().x(), upperRect.center().x());
        band = QRect(QPoint(from, groove.center().y() - 2), QPoint(to, groove.center().y() + 2));
    } else {
        const int from = std::min(lowerRect.center().y(), upperRect.center().y());
        const int to = std::max(lowerRect.center().y(), upperRect.center().y());
        band = QRect(QPoint(groove.center().x() - 2, from), QPoint(groove.center().x() + 1, to));
    }
    const QColor bandColor(isEnabled() ? "#ffd400" : "#d3d3d3");
    painter.save();
    painter.setClipRect(groove.adjusted(0, 0, -1, 0));
    painter.setPen(bandColor);
    painter.setBrush(bandColor);
    painter.drawRect(band);
    painter.restore();

    const auto drawHandle = [&](int position, const QRect &rect, bool pressed) {
        QStyleOptionSlider option = optionAt(position);
        option.subControls = QStyle::SC_SliderHandle;
        option.activeSubControls = pressed ? QStyle::SC_SliderHandle : QStyle::SC_None;
        if (pressed)
            option.state |= QStyle::State_Sunken;
        painter.save();
        painter.setClipRect(rect);
        style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
        painter.restore();
    };
    const bool lowerPressed = d.pressed & LowerHandle;
    const bool upperPressed = d.pressed & UpperHandle;
    if (d.pressed == LowerHandle) {
        drawHandle(d.upperPosition, upperRect, upperPressed);
        drawHandle(d.lowerPosition, lowerRect, lowerPressed);
    } else {
        drawHandle(d.lowerPosition, lowerRect, lowerPressed);
        drawHandle(d.upperPosition, upperRect, upperPressed);
    }
}
