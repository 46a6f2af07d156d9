#include "Profile.h"

#include "EmptyPage.h"
#include "LinkedApps.h"
#include "LoadingGuard.h"
#include "PackageCreator.h"
#include "ProfileData.h"
#include "Settings.h"
#include "SharedConstants.h"
#include "SimpleModel.h"

#include <QVBoxLayout>

#include <optional>

namespace {

constexpr int noIndex = 255;

// Makes a record the store's current profile for a scope, so that the row's
// edits reach that record, and puts the previous one back.
class CurrentRecord
{
public:
    CurrentRecord(PackageCreator *model, ProfileData *record)
        : m_model(model)
        , m_previous(model->currentProfile())
    {
        m_model->setCurrentProfile(record);
    }
    ~CurrentRecord()
    {
        if (m_previous != m_model->currentProfile())
            m_model->setCurrentProfile(m_previous);
    }
    CurrentRecord(const CurrentRecord &) = delete;
    CurrentRecord &operator=(const CurrentRecord &) = delete;

private:
    PackageCreator *m_model;
    ProfileData *m_previous;
};

} // namespace

Profile::Profile(const QString &name, int index, int subIndex, Profile *parentProfile, QWidget *parent)
    : QWidget(parent)
    , m_parentProfile(parentProfile)
    , m_model(PackageCreator::instance())
{
    // Over an existing record the pages below are filled with their
    // defaults first: none of that may be stored into it.
    std::optional<LoadingGuard> loading;
    ProfileData *record = isGlobal() ? m_model->globalProfile() : nullptr;
    if (!isGlobal()) {
        const QList<ProfileData *> profiles = m_model->profiles();
        for (ProfileData *profile : profiles) {
            if (profile->index == index && profile->subIndex == subIndex) {
                record = profile;
                break;
            }
        }
    }
    if (record)
        loading.emplace(m_model);
    else
        record = m_model->addProfile(isGlobal() ? noIndex : index, isGlobal() ? noIndex : subIndex, name);
    if (!isGlobal())
        m_data = record;
    m_model->setCurrentProfile(record);

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_links = new LinkedApps(this);
    m_layout->addWidget(m_links);
    m_layout->addSpacerItem(new QSpacerItem(5, 5, QSizePolicy::Fixed, QSizePolicy::Fixed));
    m_empty = new EmptyPage(this);
    m_layout->addWidget(m_empty);
    m_settings = new Settings(this);
    m_settings->resetToDefaults();
    m_settings->setRemoveHidden(isGlobal());
    m_settings->hide();
    m_layout->addWidget(m_settings);

    connect(m_links, &LinkedApps::checkNewLink, this, &Profile::checkNewAppLink);
    connect(m_empty, &EmptyPage::addSettings, this, &Profile::addSettings);
    connect(m_settings, &Settings::removed, this, &Profile::settingsRemoved);
    connect(m_empty, &EmptyPage::addMappings, this, &Profile::addMappings);
}

Profile::~Profile() = default;

ProfileData *Profile::data() const
{
    return isGlobal() ? m_model->globalProfile() : m_data.data();
}

QString Profile::name() const
{
    const ProfileData *record = data();
    return record ? record->name : QString();
}

QString Profile::parentName() const
{
    return m_parentProfile ? m_parentProfile->name() : globalProfileName;
}

void Profile::indexPair(int *index, int *subIndex) const
{
    const ProfileData *record = data();
    if (index)
        *index = record ? record->index : noIndex;
    if (subIndex)
        *subIndex = record ? record->subIndex : noIndex;
}

void Profile::setIndexPair(int index, int subIndex)
{
    if (ProfileData *record = data()) {
        record->index = quint8(index);
        record->subIndex = quint8(subIndex);
    }
}

bool Profile::isDefault() const
{
    const ProfileData *record = data();
    return record && record->isDefault;
}

void Profile::setDefault(bool on)
{
    ProfileData *record = data();
    if (!record || record->isDefault == on)
        return;
    record->isDefault = on;
    if (!m_model->loading)
        emit m_model->updateMemoryUsed();
}

void Profile::makeActive(bool send)
{
    SimpleModel::instance()->setActiveProfile(data(), send);
}

void Profile::makeCurrent()
{
    m_model->setCurrentProfile(data());
}

void Profile::rename(const QString &name)
{
    m_model->renameCurrentProfile(name);
}

void Profile::removeData()
{
    if (ProfileData *record = data(); record && !isGlobal())
        m_model->removeProfile(record);
    m_data = nullptr;
}

void Profile::copyFrom(const Profile *other)
{
    ProfileData *record = data();
    if (!other || !other->data() || !record)
        return;
    record->copyFrom(*other->data());
    LoadingGuard loading(m_model);
    m_links->reload();
    m_settings->load();
    if (record->hasOwnSettings() && !isGlobal())
        m_settings->showRemoveRow();
}

void Profile::reload()
{
    ProfileData *record = data();
    if (!record)
        return;
    LoadingGuard loading(m_model);
    m_model->setCurrentProfile(record);
    m_links->reload();
    m_settings->load();
    if (record->isDefault)
        SimpleModel::instance()->setActiveProfile(record, false);
}

void Profile::reloadLinks()
{
    CurrentRecord current(m_model, data());
    m_links->reload();
}

QStringList Profile::linkedAppIds() const
{
    return m_links->appIds();
}

void Profile::linkApp(const QString &appId, const QString &appName)
{
    CurrentRecord current(m_model, data());
    m_links->linkApp(appId, appName);
}

void Profile::unlinkApp(const QString &appId)
{
    CurrentRecord current(m_model, data());
    // The row may not show this record's lists as they are now.
    m_links->reload();
    m_links->unlinkApp(appId);
}

void Profile::openLinkDialog()
{
    m_links->openLinkDialog();
}

bool Profile::backlight(bool *cycling, QColor *colour) const
{
    const ProfileData *record = data();
    return record && record->backlight(cycling, colour);
}

void Profile::clearContents()
{
    CurrentRecord current(m_model, data());
    m_links->clear();
    m_settings->resetToDefaults();
}

void Profile::resetContents()
{
    clearContents();
}

void Profile::refreshRows() {}

void Profile::redrawPages()
{
    m_settings->refreshOutputs();
    m_settings->update();
}

// ------------------------------------------------------------------ showing

void Profile::showAllMappings()
{
    showMappingView(MappingView::All);
}

void Profile::showButton(int buttonId, const QString &buttonName)
{
    m_buttonId = buttonId;
    m_buttonName = buttonName;
    showMappingView(MappingView::Button);
}

void Profile::showTiltForwardBack()
{
    showMappingView(MappingView::TiltForwardBack);
}

void Profile::showTiltLeftRight()
{
    showMappingView(MappingView::TiltLeftRight);
}

void Profile::showMappingView(MappingView view)
{
    m_view = view;
    m_settings->hide();
    m_links->hide();
    mappingPageFor(view)->show();
}

void Profile::showCurrentView()
{
    showMappingView(m_view);
}

QWidget *Profile::mappingPageFor(MappingView view)
{
    QString page;
    switch (view) {
    case MappingView::All:
        page = tr("All");
        break;
    case MappingView::Button:
        page = m_buttonName;
        break;
    case MappingView::TiltForwardBack:
        page = tr("Tilt forward / back");
        break;
    case MappingView::TiltLeftRight:
        page = tr("Tilt left / right");
        break;
    }
    m_empty->showNoMappings(parentName(), page);
    return m_empty;
}

void Profile::showSettings()
{
    m_links->show();
    const ProfileData *record = data();
    if (record && record->hasOwnSettings()) {
        m_empty->hide();
        m_settings->showPage();
    } else {
        m_settings->hide();
        m_empty->showNoSettings(parentName());
    }
}

void Profile::addSettings()
{
    m_settings->setOwnSettings(true);
    showSettings();
}

void Profile::settingsRemoved()
{
    m_settings->setOwnSettings(false);
    showSettings();
}

void Profile::addMappings()
{
    showCurrentView();
}
