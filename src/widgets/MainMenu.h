#pragma once
// The expert view's Options pop-up: twelve clickable text rows in blocks,
// the last with the switch of the automatic firmware check. It reports the
// clicked row (itemSelected: 0 the heading, 1 to 10 the entries in order,
// 11 the firmware-check row); the view carries the entry out. The switch is
// handled here: it sets the device object's firmware check and writes
// "AllowAnyFirmware".

#include <QMap>
#include <QWidget>

#include <memory>

class MouseFunctions;
class QLabel;
namespace Ui {
class MainMenu;
}

class MainMenu : public QWidget
{
    Q_OBJECT

public:
    explicit MainMenu(QWidget *parent);
    ~MainMenu() override;

    // 1: all rows; 2: without "Upload Firmware"; otherwise also without the
    // news divider and the firmware-check row.
    void setLayoutMode(int mode);
    // Enables the tilt calibration for the models with tilt, then shows the
    // menu at globalPos.
    void showAt(const QPoint &globalPos);

    // Turns the device object's firmware check on or off and writes
    // "AllowAnyFirmware" as its inverse; needs no menu.
    static void setFirmwareCheck(bool on);

public slots:
    // 1 turns the firmware check on, 0 off, and sets the switch to match.
    void toggleFWCheck(int value);

signals:
    void itemSelected(int item);
    void recheckConnection(int value);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::MainMenu> ui;
    QMap<int, QLabel *> m_items;
    MouseFunctions *m_mouse;
};
