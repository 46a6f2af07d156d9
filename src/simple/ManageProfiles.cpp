#include "ManageProfiles.h"

#include "SettingsFile.h"

#include <QSettings>

ManageProfiles::ManageProfiles(QWidget *parent, const QString &modelKey)
    : QDialog(parent)
    , m_modelKey(modelKey)
{
    QSettings settings(SettingsFile::path(), QSettings::IniFormat);
    if (!settings.value("HasBeenRunBefore", false).toBool())
        settings.setValue("HasBeenRunBefore", true);
}

ManageProfiles::~ManageProfiles() = default;
