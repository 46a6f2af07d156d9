#pragma once
// A foreground detector of the test's own over the given desktop and process
// list, fed by the relay's switch for as long as it lives.
#include "AppIdentifier.h"
#include "ForegroundHooks.h"
#include "ForegroundWrapper.h"

template<typename Windows, typename Processes>
struct DetectorFixture
{
    Windows windows;
    Processes processes;
    AppIdentifier identifier;
    ForegroundHooks hooks{identifier};

    explicit DetectorFixture(const QString &settingsPath)
        : identifier(windows, processes, settingsPath)
    {
        ForegroundWrapper::instance()->useHooks(&hooks);
    }
    ~DetectorFixture() { ForegroundWrapper::instance()->useHooks(nullptr); }
    DetectorFixture(const DetectorFixture &) = delete;
    DetectorFixture &operator=(const DetectorFixture &) = delete;
};
