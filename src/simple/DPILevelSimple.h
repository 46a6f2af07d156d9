#pragma once

#include <QPoint>
#include <QWidget>

#include <memory>

namespace Ui {
class DPILevelSimple;
}
class MouseFunctions;
class QFrame;

// One level row of the simple view's DPI page: the default check box, the
// level number, the value as an edit and a slider, a delete button and a
// drag handle. The row sits alone in the frame the page made for it and
// lives as long as that frame.
//
// A value is snapped to the connected sensor's step and maximum when the
// edit is finished or loses focus, and when the slider moves. A connecting
// mouse re-snaps what the row shows without a word: the row's signals are
// blocked, so nothing is stored until the user changes the level.
class DPILevelSimple : public QWidget
{
    Q_OBJECT

public:
    DPILevelSimple(int levelNumber, QFrame *containerFrame, int value, QWidget *parent, const QString &modelKey);
    ~DPILevelSimple() override;

    int value() const;
    int levelNumber() const;
    void setLevelNumber(int number);
    // Moves the slider, which shows the value snapped in the edit.
    void setValue(int value);
    // The default row's box is checked and cannot be unchecked.
    void setDefault(bool on);
    bool isDefault() const { return m_default; }
    QFrame *frame() const { return m_frame; }
    // The centre of the drag handle, in row coordinates.
    QPoint dragHotSpot() const;

signals:
    void deleteMe();
    void dragMe();
    void chosenOne();
    void updated();

public slots:
    void dpiChanged();
    void checkDefault(bool checked);
    void mouseConnected();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The edit's value snapped, shown, and set on the slider quietly.
    void applyEdit();

    std::unique_ptr<Ui::DPILevelSimple> ui;
    MouseFunctions *device;
    QFrame *m_frame;
    bool m_default = false;
};
