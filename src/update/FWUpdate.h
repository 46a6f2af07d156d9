#pragma once
#include "Blfwk.h"
#include "FirmwareFlasher.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <memory>

class MouseFunctions;
namespace Ui {
class FWUpdate;
}

// The process-wide firmware update: a small frameless dialog with a message,
// a progress bar and a Finish button, and the state machine that takes the
// mouse into a bootloader, flashes an image and leaves it to restart on the
// new firmware. The device object reads the state on every connection (the
// constructor hands it a provider; the destructor takes it back).
//
// An update runs from a start until its result page: while the state is
// eStartBootloader or eUploadApplication, or the flashing runs, another start
// is refused with a warning and no step runs inside the flashing.
class FWUpdate : public QDialog
{
    Q_OBJECT

public:
    enum State {
        eStartBootloader = 0,   // the next step asks the mouse to restart into its bootloader
        eUploadApplication = 1, // the next step runs the flashing sequence
        eWaitReconnect = 5,     // flashing finished; the mouse restarts on the new firmware
        eNone = 6,              // idle
    };
    Q_ENUM(State)

    static constexpr int stepDelayMs = 3000;
    static constexpr int completionDelayMs = 10000;

    // Made on first use, without parent.
    static FWUpdate *instance();
    // Destroys the dialog; the application object calls it before it ends
    // (not from inside an update step). The next instance() makes a new one.
    static void destroyInstance();

    ~FWUpdate() override;

    int state() const { return m_state; }
    // An update runs: a start would be refused.
    bool isBusy() const;
    // "VMFW.hex" in the program's "fw" folder.
    static QString defaultImagePath();
    // The segments of the image read last.
    const FirmwareImage &image() const { return m_flasher.image(); }

    // Updates the connected device with the image at path, or the default
    // image when path is empty.
    void startCustomUpdate(const QString &path);
    // Flashes the default image into a mouse that is already in a bootloader.
    void restoreFirmware();
    // The next step, stepDelayMs from now.
    void scheduleStep();

public slots:
    // The flashing sequence.
    void upgradeVMouse();
    void mouseReconnected();

private:
    FWUpdate();

    bool refuseStart();
    void start(int state);
    void stateStep();
    void showWorkingPage();
    void showResultPage(const QString &title, const QString &message);
    void showFailure(const QString &message);
    void showCompletion();
    void setProgress(int value);

    std::unique_ptr<Ui::FWUpdate> ui;
    Blfwk m_blfwk;
    QPointer<MouseFunctions> m_device;
    QString m_customImagePath;
    int m_state = eNone;
    FirmwareFlasher m_flasher;
    bool m_flashing = false;
    QTimer m_stepTimer;
    QTimer m_completionTimer;
};
