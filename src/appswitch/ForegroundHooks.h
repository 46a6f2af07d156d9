#pragma once
#include <QMetaObject>

class AppIdentifier;

// The foreground hook: the window system's notice of a new active window,
// delivered to a detector. A window that is restored from the task bar becomes
// the active one, so no separate hook for the end of minimising is needed.
// Installing or removing it twice has no further effect; it is removed when
// this holder ends, whether or not it was installed.
class ForegroundHooks
{
public:
    explicit ForegroundHooks(AppIdentifier &detector);
    ~ForegroundHooks();
    ForegroundHooks(const ForegroundHooks &) = delete;
    ForegroundHooks &operator=(const ForegroundHooks &) = delete;

    AppIdentifier &detector() const { return identifier; }
    bool installed() const { return hooksInstalled; }
    void install();
    void remove();

private:
    AppIdentifier &identifier;
    QMetaObject::Connection foregroundHook;
    bool hooksInstalled = false;
};
