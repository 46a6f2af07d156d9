#pragma once
#include <QObject>
#include <QString>

class AppIdentifier;
class ForegroundHooks;

// The process-wide relay of the foreground detector: carries its announcement
// and switches its hook on and off. It follows the model's automatic-switching
// flag from its creation on (on starts, off stops).
//
// This file also builds, before main, the program's detector over the X11
// window system and the holder of its hook; using the relay is what brings
// them into the program.
class ForegroundWrapper : public QObject
{
    Q_OBJECT

public:
    static ForegroundWrapper *instance();

    // Install and remove the hook; a second call does nothing.
    void start();
    void stop();
    void setForegroundApp(const QString &app);

    // The detector the hook feeds; the window list names windows with it too.
    AppIdentifier &identifier() const;
    // Hands the hook switch to another holder (tests give one over a fake
    // window system); null gives back the program's own. An installed hook
    // moves with the switch.
    void useHooks(ForegroundHooks *hooks);

signals:
    // The executable file name of the new foreground application. The same
    // name may follow itself.
    void foregroundChanged(const QString &app);

private:
    ForegroundWrapper();

    ForegroundHooks *hooks;
};
