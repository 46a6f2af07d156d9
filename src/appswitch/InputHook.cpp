#include "InputHook.h"

#include "InputHookBackend.h"
#include "X11InputHookBackend.h"

#include <QCoreApplication>
#include <QDebug>
#include <QKeyEvent>

namespace {

// The process's one desktop watch and the hook its reports go to.
struct HookState
{
    InputHook::BackendFactory factory;
    std::unique_ptr<InputHookBackend> backend;
    InputHook *owner = nullptr;
    bool noDesktopLogged = false;
};

HookState &state()
{
    static HookState s;
    return s;
}

void destroyBackend()
{
    state().backend.reset();
}

QString hex(long key)
{
    return QStringLiteral("0x%1").arg(key, 0, 16);
}

InputHookBackend &backend()
{
    HookState &s = state();
    if (!s.backend) {
        s.backend = s.factory ? s.factory() : std::make_unique<X11InputHookBackend>();
        static bool cleanupRegistered = false;
        if (!cleanupRegistered && QCoreApplication::instance()) {
            cleanupRegistered = true;
            // While the application exists, so that the backend's socket
            // notifier ends in an orderly way.
            qAddPostRoutine(&destroyBackend);
        }
        QObject::connect(s.backend.get(), &InputHookBackend::keyHooked, [](long key, bool isPress) {
            if (InputHook *owner = state().owner) {
                emit owner->keyHooked(key, isPress);
                qDebug().noquote() << (isPress ? "InputHook: key down" : "InputHook: key up  ") << hex(key);
            }
        });
        QObject::connect(s.backend.get(), &InputHookBackend::leftButtonPressed, [] {
            if (InputHook *owner = state().owner)
                emit owner->stopRecording();
        });
    }
    return *s.backend;
}

} // namespace

InputHook::InputHook() = default;

InputHook::~InputHook()
{
    stop();
}

void InputHook::setBackendFactory(BackendFactory factory)
{
    HookState &s = state();
    if (s.owner)
        s.owner->stop();
    s.backend.reset();
    s.factory = std::move(factory);
}

void InputHook::start()
{
    if (active)
        return;
    HookState &s = state();
    if (InputHook *other = s.owner) {
        emit other->stopRecording();
        if (s.owner == other)
            other->stop();
    }
    s.owner = this;
    active = true;
    watchingDesktop = backend().start();
    if (watchingDesktop)
        return;
    if (!s.noDesktopLogged) {
        s.noDesktopLogged = true;
        qWarning() << "InputHook: no desktop to watch; only keys typed into the program's own windows are recorded";
    }
    if (QCoreApplication *application = QCoreApplication::instance())
        application->installEventFilter(this);
}

void InputHook::stop()
{
    if (active) {
        HookState &s = state();
        if (s.owner == this)
            s.owner = nullptr;
        if (watchingDesktop && s.backend)
            s.backend->stop();
        watchingDesktop = false;
        active = false;
    }
    if (QCoreApplication *application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool InputHook::eventFilter(QObject *watched, QEvent *event)
{
    Q_UNUSED(watched)
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const bool isPress = event->type() == QEvent::KeyPress;
        const int key = static_cast<QKeyEvent *>(event)->key();
        qDebug().noquote() << (isPress ? "InputHook: keyPress" : "InputHook: keyRelease") << key << hex(key);
        emit keyRecorded(key, isPress);
        return true;
    }
    case QEvent::MouseButtonPress:
        emit stopRecording();
        return true;
    default:
        return false;
    }
}
