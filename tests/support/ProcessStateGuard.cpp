#include "ProcessStateGuard.h"

#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "SettingsFile.h"

#include <QSettings>

ProcessStateGuard::ProcessStateGuard()
{
    resetProcessState();
}

ProcessStateGuard::~ProcessStateGuard()
{
    resetProcessState();
}

void ProcessStateGuard::resetProcessState()
{
    MouseFunctions::destroyInstance();
    MouseFunctions::setTransportFactory({});
    PackageCreator::instance()->reset();
    QSettings(SettingsFile::path(), QSettings::IniFormat).clear();
}
