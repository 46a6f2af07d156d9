#include "DefaultProfiles.h"

#include "ConfigFile.h"
#include "ConfigReadGuard.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "SimpleModel.h"

#include <QDebug>
#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

namespace DefaultProfiles {

bool readStarterFile(QByteArray *bytes)
{
    const QString path = ConfigFile::starterCopyPath();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "DlgIniSettings: starter file not read -" << file.errorString() << path;
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        qWarning().noquote() << "DlgIniSettings: starter file not read -" << file.errorString() << path;
        return false;
    }
    // What the store's reader takes: a JSON object after anything that is
    // not a NUL byte.
    const int start = bytes->indexOf('{');
    QJsonParseError error{};
    if (start < 0 || bytes->left(start).contains('\0')
        || !QJsonDocument::fromJson(bytes->mid(start), &error).isObject()) {
        qWarning().noquote() << "DlgIniSettings: starter file damaged -" << error.errorString() << path;
        return false;
    }
    return true;
}

bool replaceWithStarter()
{
    QByteArray bytes;
    if (!readStarterFile(&bytes))
        return false;
    ConfigFile *store = ConfigFile::instance();
    PackageCreator *model = PackageCreator::instance();
    ConfigReadGuard guard(store, model);
    model->loading = true;
    SimpleModel::instance()->deleteAllProfiles();
    // The very bytes checked, read as ConfigFile::loadStarterFile reads them.
    return store->loadBytes(bytes);
}

void saveAndUpload()
{
    ConfigFile::instance()->save();
    MouseFunctions::instance()->sendProfilesToMouse();
}

} // namespace DefaultProfiles
