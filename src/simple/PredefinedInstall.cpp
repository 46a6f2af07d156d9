#include "PredefinedInstall.h"

#include "ConfigFile.h"
#include "ConfigReadGuard.h"
#include "PackageCreator.h"
#include "Predefined.h"
#include "ProfileFolders.h"
#include "SafeFile.h"

#include <QDebug>
#include <QDir>

namespace PredefinedInstall {

Result install(const QString &name, ConfigFile *file, PackageCreator *model)
{
    file = file ? file : ConfigFile::instance();
    model = model ? model : PackageCreator::instance();
    const QString from = Predefined::predefinedFolder(name);
    if (from.isEmpty())
        return NoFolder;

    ProfileFolders::renew(name, nullptr);
    const QString to = Predefined::userProfilePath(name);
    const QDir source(from);
    const QStringList files = source.entryList(QDir::Files | QDir::NoSymLinks | QDir::Hidden);
    for (const QString &fileName : files) {
        QString reason;
        if (SafeFile::copy(source.absoluteFilePath(fileName), to + QLatin1Char('/') + fileName, &reason)
            != SafeFile::Written)
            qWarning() << "ManageProfiles: could not copy" << fileName << "of" << name << reason;
    }

    // Reading makes each profile it adds the current one; the views go on
    // showing and editing the one they showed.
    ProfileData *current = model->currentProfile();
    const int before = model->profiles().size();
    {
        ConfigReadGuard guard(file, model);
        file->emitInitialDefault = false;
        model->loading = true;
        if (!file->loadFile(Predefined::userProfileFile(name), false, ConfigFile::Selection{1}))
            qWarning() << "ManageProfiles: could not read the profile file of" << name;
    }
    const bool added = model->profiles().size() > before;
    if (current && current != model->currentProfile())
        model->setCurrentProfile(current);
    return added ? Added : NotLoaded;
}

} // namespace PredefinedInstall
