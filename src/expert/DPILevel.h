#pragma once

#include <QPoint>
#include <QWidget>

#include <memory>

namespace Ui {
class DPILevel;
}
class MouseFunctions;
class QFrame;

// One row of the DPI level editor: the default check box, the level number,
// and an X (and, with separate X and Y, a Y) value, each an edit and a
// slider; a delete button and a drag handle. The row sits alone in the
// frame given to it and lives as long as that frame.
//
// Values are snapped to the connected sensor's step and maximum when an
// edit is finished or loses focus; a slider's value is shown snapped in its
// edit. The editor calls mouseConnected() when a mouse connects (the rows do
// not follow the device themselves, so the editor can refill them from its
// record without storing anything).
class DPILevel : public QWidget
{
    Q_OBJECT

public:
    DPILevel(int level, QFrame *frame, int dpiX, int dpiY, bool separateXY, QWidget *parent = nullptr);
    ~DPILevel() override;

    int levelNumber() const { return m_level; }
    void setLevelNumber(int level);
    // The edits' values.
    int dpiX() const;
    int dpiY() const;
    // Moves the slider, which then shows the value snapped in its edit.
    void setDpiX(int dpi);
    void setDpiY(int dpi);
    bool isDefault() const { return m_default; }
    // The default row's box is checked and cannot be unchecked by the user;
    // the default moves only by checking another row.
    void setDefault(bool on);
    void setSeparateXY(bool separate);
    QFrame *frame() const { return m_frame; }
    // The centre of the drag handle, in row coordinates.
    QPoint dragHotSpot() const;

signals:
    void deleteMe();
    void dragMe();
    void chosenOne();
    void updated();

public slots:
    // Ranges and steps of both sliders from the connected sensor, and their
    // values snapped to it.
    void mouseConnected();
    void dpiChanged();
    void checkDefault(bool checked);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // An edit's value snapped, written back and set on its slider without
    // the slider announcing it.
    void applyEdit(bool x);

    std::unique_ptr<Ui::DPILevel> ui;
    MouseFunctions *device;
    QFrame *m_frame;
    int m_level;
    bool m_default = false;
};
