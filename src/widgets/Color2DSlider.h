#pragma once
#include <QColor>
#include <QImage>
#include <QWidget>

// A two-dimensional plane of an HSV colour: two of the three components run
// along the axes, the third is fixed. A press or drag picks both axis
// components at once.
class Color2DSlider : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(qreal hue READ hue WRITE setHue)
    Q_PROPERTY(qreal saturation READ saturation WRITE setSaturation)
    Q_PROPERTY(qreal value READ value WRITE setValue)
    Q_PROPERTY(int componentX READ componentX WRITE setComponentX NOTIFY componentXChanged)
    Q_PROPERTY(int componentY READ componentY WRITE setComponentY NOTIFY componentYChanged)

public:
    // Component codes of the axes.
    enum Component { Hue = 0, Saturation = 1, Value = 2 };

    explicit Color2DSlider(QWidget *parent = nullptr);

    QColor color() const;
    qreal hue() const { return hsv[Hue]; }
    qreal saturation() const { return hsv[Saturation]; }
    qreal value() const { return hsv[Value]; }
    int componentX() const { return xComponent; }
    int componentY() const { return yComponent; }

    QSize sizeHint() const override;

signals:
    void colorChanged(QColor color);
    void componentXChanged(int componentX);
    void componentYChanged(int componentY);

public slots:
    // Loads a colour without announcing it.
    void setColor(QColor c);
    void setHue(qreal h);
    void setSaturation(qreal s);
    void setValue(qreal v);
    void setComponentX(int componentX);
    void setComponentY(int componentY);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    qreal component(int code) const;
    void setComponent(int code, qreal amount);
    // Puts a component on an axis; false when it was there already.
    bool setAxis(int &axis, int code);
    // Sets one component as its slot does: renders, repaints, announces.
    void changeComponent(int code, qreal amount);
    static bool isComponent(int code) { return code >= Hue && code <= Value; }
    void pickAt(const QPoint &position);
    void renderBackground();

    // Indexed by component code.
    qreal hsv[3] = {1.0, 1.0, 1.0};
    int xComponent = Saturation;
    int yComponent = Value;
    QImage background;
    // What the background was rendered for: the components that no axis
    // sets (NaN for those an axis sets), and the axes themselves.
    float renderedFixed[3] = {};
    int renderedX = -1;
    int renderedY = -1;
};
