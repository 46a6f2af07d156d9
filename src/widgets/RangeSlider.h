#pragma once
#include <QSlider>
#include <QString>

class QStyleOptionSlider;

// A slider with two handles that select a range. Besides dragging either
// handle, the user can drag the span between them as a whole, and with
// symmetricMoves the two handles move mirror-wise.
class RangeSlider : public QSlider
{
    Q_OBJECT
    Q_PROPERTY(int minimumValue READ minimumValue WRITE setMinimumValue NOTIFY minimumValueChanged)
    Q_PROPERTY(int maximumValue READ maximumValue WRITE setMaximumValue NOTIFY maximumValueChanged)
    Q_PROPERTY(int minimumPosition READ minimumPosition WRITE setMinimumPosition NOTIFY minimumPositionChanged)
    Q_PROPERTY(int maximumPosition READ maximumPosition WRITE setMaximumPosition NOTIFY maximumPositionChanged)
    Q_PROPERTY(bool symmetricMoves READ symmetricMoves WRITE setSymmetricMoves)
    Q_PROPERTY(QString handleToolTip READ handleToolTip WRITE setHandleToolTip)

public:
    // Both ends start at the slider's range at this moment.
    explicit RangeSlider(Qt::Orientation orientation, QWidget *parent = nullptr);

    int minimumValue() const { return d.lowerValue; }
    int maximumValue() const { return d.upperValue; }
    int minimumPosition() const { return d.lowerPosition; }
    int maximumPosition() const { return d.upperPosition; }
    bool symmetricMoves() const { return d.symmetricMoves; }
    QString handleToolTip() const { return d.handleToolTip; }

    void setMinimumPosition(int position);
    void setMaximumPosition(int position);
    // Moves both handles (ordered and clamped); with tracking the values follow.
    void setPositions(int a, int b);
    void setSymmetricMoves(bool on) { d.symmetricMoves = on; }
    // "%1" stands for the value of the handle under the pointer.
    void setHandleToolTip(const QString &text) { d.handleToolTip = text; }

signals:
    void minimumValueChanged(int min);
    void maximumValueChanged(int max);
    void valuesChanged(int min, int max);
    void minimumPositionChanged(int min);
    void maximumPositionChanged(int max);
    void positionsChanged(int min, int max);

public slots:
    void setMinimumValue(int min);
    void setMaximumValue(int max);
    void setValues(int min, int max);
    void onRangeChanged(int minimum, int maximum);

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    enum Handle { NoHandle = 0, LowerHandle = 1, UpperHandle = 2, BothHandles = 3 };
    struct Pick
    {
        Handle handle;
        QRect rect;
    };

    // Where a handle's start can travel: from the groove's start over span
    // pixels, towards the maximum unless upsideDown.
    struct Track
    {
        int start;
        int span;
        bool upsideDown;
    };

    QStyleOptionSlider optionAt(int position) const;
    Track track() const;
    QRect handleRect(int position) const;
    bool overHandle(int position, const QPoint &point) const;
    Pick pickHandle(const QPoint &point) const;
    int along(const QPoint &point) const;
    // Coordinates along the slider's direction.
    int start(const QRect &rect) const;
    int end(const QRect &rect) const;
    int length(const QRect &rect) const;
    void setPressed(Handle handle);

    struct State
    {
        int upperValue = 0;
        int lowerValue = 0;
        int upperPosition = 0;
        int lowerPosition = 0;
        int dragOffset = 0;
        int dragStartValue = 0;
        int halfSpan = 0;
        Handle pressed = NoHandle;
        bool symmetricMoves = false;
        QString handleToolTip;
    } d;
};
