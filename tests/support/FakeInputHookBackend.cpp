#include "FakeInputHookBackend.h"

#include "InputHook.h"

bool FakeInputHookBackend::start()
{
    ++startCount;
    watching = hasDisplay;
    return hasDisplay;
}

void FakeInputHookBackend::press(long key)
{
    if (watching)
        emit keyHooked(key, true);
}

void FakeInputHookBackend::release(long key)
{
    if (watching)
        emit keyHooked(key, false);
}

void FakeInputHookBackend::tap(long key)
{
    press(key);
    release(key);
}

void FakeInputHookBackend::leftClick()
{
    if (watching)
        emit leftButtonPressed();
}

FakeInputHookBackend::Installed::Installed(bool hasDisplay)
{
    InputHook::setBackendFactory([this, hasDisplay] {
        auto backend = std::make_unique<FakeInputHookBackend>(hasDisplay);
        made = backend.get();
        return backend;
    });
}

FakeInputHookBackend::Installed::~Installed()
{
    InputHook::setBackendFactory(nullptr);
}
