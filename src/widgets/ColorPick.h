#pragma once
#include <QColor>
#include <QDialog>
#include <QPixmap>

class QTimer;

// A magnifier that follows the mouse cursor over the screen. The arrow keys
// move the cursor by one pixel, Return takes the colour under it, Escape
// gives up.
class ColorPick : public QDialog
{
    Q_OBJECT

public:
    ColorPick();
    ~ColorPick() override;

signals:
    void colorChanged(QColor color);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void grabAroundCursor();

    QTimer *timer;
    // The last 33 x 33 pixels around the cursor.
    QPixmap grab;
};
