#pragma once
// The simple view's mouse pop-up: how much of the mouse's memory the
// profiles fill, storing the profiles in the mouse's flash memory, resetting
// that memory, and the force and tilt calibrations. Each item closes the
// pop-up before it acts; its messages go to the pop-up's own dialogs.
//
// A mouse counts as connected while the device object's wait state is not 0:
// the device object keeps the last model's id after an unplug, so the id
// says nothing about a mouse being there.

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class MouseFunctions;

namespace Ui {
class PopupMouse;
}

class PopupMouse : public QWidget
{
    Q_OBJECT

public:
    explicit PopupMouse(QWidget *parent);
    ~PopupMouse() override;

    void setMemoryUsage(double percent);
    // Stores the key and shows the tilt calibration for the models with a
    // tilt sensor only.
    void setModelKey(const QString &key);
    QString modelKey() const { return m_modelKey; }

    // The message after a successful store to flash.
    static QString savedText();

public slots:
    void saveToFlash();
    void resetMouse();
    void openForceCalibration();
    void openTiltCalibration();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Sized to its contents now when it shows, else when it next shows: a
    // pop-up nobody opened is never laid out or styled.
    void fitToContents();
    bool mouseConnected() const;
    void message(const QString &text);
    // The pop-up's parent window, which the calibration dialogs belong to.
    QWidget *ownerWindow() const;
    // Uploads the profiles, writes the configuration file and stores the
    // profiles in flash; the reason when any of it failed, else empty.
    QString storeInFlash();

    std::unique_ptr<Ui::PopupMouse> ui;
    QPointer<MouseFunctions> m_mouse;
    QString m_modelKey = QStringLiteral("pelkin");
};
