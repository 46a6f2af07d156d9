#pragma once
#include <QObject>

// What the key recorder needs of the desktop: every key press and release,
// whatever window has the focus, kept from every window while it is watched,
// and a notice of each press of the left mouse button, which still reaches
// the window under the pointer. The Linux implementation is
// X11InputHookBackend; tests give their own.
class InputHookBackend : public QObject
{
    Q_OBJECT

public:
    explicit InputHookBackend(QObject *parent = nullptr);
    ~InputHookBackend() override;

    // Starts watching; a second call does nothing. False when the desktop
    // cannot be watched (no X11 display): nothing is reported then.
    virtual bool start() = 0;
    // Ends the watch and gives the keyboard back. May be called from inside
    // the backend's own signals; nothing is reported after it.
    virtual void stop() = 0;

signals:
    // key is the Windows virtual-key code of the key; a held key that
    // repeats may report further presses.
    void keyHooked(long key, bool isPress);
    void leftButtonPressed();
};
