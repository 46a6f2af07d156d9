#pragma once
#include <QColor>
#include <QString>
#include <QWidget>

#include <memory>

class Color2DSlider;
class QLabel;
class QPoint;
class QSlider;

namespace Ui {
class ColorEditor;
}

// The colour pop-up of the logo-light pages: an HSV plane, a hue bar, a
// swatch, a hex read-out, R/G/B fields and Ok/Cancel. Only Ok announces a
// colour; Cancel and Escape put back the colour the editor was shown with.
// The editor lives inside a parentless frameless window of its own; delete
// the editor (never its window) to remove both.
class ColorEditor : public QWidget
{
    Q_OBJECT

public:
    // mode is the model key the style sheets select the editor's look by.
    explicit ColorEditor(const QString &mode, QWidget *parent = nullptr);
    ~ColorEditor() override;

    // Shows the pop-up beside globalPos, kept inside the available screen area.
    void showAt(const QPoint &globalPos);
    // The colour last set or chosen with Ok.
    QColor color() const { return selectedColor; }
    // The colour an editor starts with.
    static QColor initialColor() { return QColor(0x00, 0x7f, 0xff); }

signals:
    void colorChanged(QColor color);

public slots:
    // Loads a colour into every control without announcing it.
    void setColor(QColor c);
    void newValueRGBLines();
    void newValueGradient(int position);
    void setNewColor(QColor c);
    void updateColor(QColor c);
    void picker();
    void ok();
    void cancel();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static int huePosition(const QColor &c);

    std::unique_ptr<Ui::ColorEditor> ui;
    QWidget *popup;
    QLabel *frameLabel;
    Color2DSlider *plane;
    QSlider *hueSlider;
    QColor selectedColor;
    QColor startColor;
    QString swatchStyle;
    // The colour the pop-up was last shown with; Cancel goes back to it.
    QColor shownColor;
};
