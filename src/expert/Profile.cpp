#include "Profile.h"

#include "CurrentPage.h"
#include "EmptyPage.h"
#include "LinkedApps.h"
#include "LoadingGuard.h"
#include "MappingListRules.h"
#include "Mappings.h"
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
    const bool created = !record;
    if (created)
        record = m_model->addProfile(isGlobal() ? noIndex : index, isGlobal() ? noIndex : subIndex, name);
    if (!isGlobal())
        m_data = record;
    m_model->setCurrentProfile(record);

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addSpacerItem(new QSpacerItem(5, 5, QSizePolicy::Fixed, QSizePolicy::Fixed));

    // A record made here outside a load takes the settings page's defaults
    // as the page is made: a profile the user adds is made whole at once.
    if (created && !m_model->loading) {
        m_storesDefaults = true;
        links();
        empty();
        settingsPage();
        mappingsPage();
        m_storesDefaults = false;
    }
}

// ------------------------------------------------------------------ child pages

void Profile::place(QWidget *page, Slot slot)
{
    int at = 0;
    if (slot > LinksSlot && m_links)
        ++at;
    if (slot > SpacerSlot)
        ++at;
    if (slot > EmptySlot && m_empty)
        ++at;
    if (slot > SettingsSlot && m_settings)
        ++at;
    m_layout->insertWidget(at, page);
}

void Profile::showWithPage(QWidget *page)
{
    // Once a view was shown, a child it did not need is hidden, as that view
    // hid it; a view that needs one shows it itself. Before any view the row
    // and the empty page show with the page, and a child made for a page on
    // screen does not show by itself.
    if (m_viewShown)
        page->hide();
    else if (isVisible())
        page->show();
}

LinkedApps *Profile::links()
{
    if (!m_links) {
        CurrentRecord current(m_model, data());
        auto *row = new LinkedApps(this);
        place(row, LinksSlot);
        m_links = row;
        connect(m_links, &LinkedApps::checkNewLink, this, &Profile::checkNewAppLink);
        if (m_linksRequested)
            m_links->reload();
        showWithPage(m_links);
    }
    return m_links;
}

EmptyPage *Profile::empty()
{
    if (!m_empty) {
        auto *page = new EmptyPage(this);
        place(page, EmptySlot);
        m_empty = page;
        connect(m_empty, &EmptyPage::addSettings, this, &Profile::addSettings);
        connect(m_empty, &EmptyPage::addMappings, this, &Profile::addMappings);
        showWithPage(m_empty);
    }
    return m_empty;
}

Settings *Profile::settingsPage()
{
    if (!m_settings) {
        CurrentRecord current(m_model, data());
        std::optional<LoadingGuard> loading;
        if (!m_storesDefaults)
            loading.emplace(m_model);
        auto *page = new Settings(this);
        page->resetToDefaults();
        page->setRemoveHidden(isGlobal());
        page->hide();
        place(page, SettingsSlot);
        m_settings = page;
        connect(m_settings, &Settings::removed, this, &Profile::settingsRemoved);
    }
    return m_settings;
}

Mappings *Profile::mappingsPage(bool withCards)
{
    if (!m_mappings) {
        CurrentRecord current(m_model, data());
        const LoadingGuard loading(m_model);
        auto *page = new Mappings(this);
        page->hide();
        place(page, MappingsSlot);
        m_mappings = page;
        if (isGlobal())
            m_mappings->setGlobal(true);
        else
            m_mappings->setParentName(parentName());
        if (withCards)
            m_mappings->load();
        connect(m_mappings, &Mappings::removed, this, &Profile::mappingsRemoved);
        connect(m_mappings, &Mappings::setHeaderTree, this, &Profile::setHeaderTree);
        connect(m_mappings, &Mappings::backToCurrentView, this, &Profile::backToCurrentView);
    }
    return m_mappings;
}

LinkedApps *Profile::linkedApps() const
{
    return const_cast<Profile *>(this)->links();
}

Settings *Profile::settings() const
{
    return const_cast<Profile *>(this)->settingsPage();
}

Mappings *Profile::mappings() const
{
    return const_cast<Profile *>(this)->mappingsPage();
}

EmptyPage *Profile::emptyPage() const
{
    return const_cast<Profile *>(this)->empty();
}

bool Profile::waitsForShow() const
{
    return !isBuilt() && !isVisible();
}

void Profile::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_viewPending)
        showRequested();
    else if (!isBuilt()) {
        // As a page made whole shows: its row and the empty page.
        links();
        empty();
    }
}

void Profile::showRequested()
{
    m_viewPending = false;
    if (m_showingSettings)
        showSettings();
    else
        showCurrentView();
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
    links()->reload();
    settingsPage()->load();
    if (record->hasOwnSettings() && !isGlobal())
        m_settings->showRemoveRow();
    // The page's cards still show the mappings it had before.
    mappingsPage(false)->reload();
}

void Profile::reload()
{
    ProfileData *record = data();
    if (!record)
        return;
    LoadingGuard loading(m_model);
    m_model->setCurrentProfile(record);
    // A page not made yet reads its record when it is.
    if (m_links)
        m_links->reload();
    else
        m_linksRequested = true;
    if (m_settings)
        m_settings->load();
    if (m_mappings)
        m_mappings->reload();
    else
        CurrentPage::instance()->page = 0; // as reloading the mapping page leaves it
    if (record->isDefault)
        SimpleModel::instance()->setActiveProfile(record, false);
}

void Profile::reloadLinks()
{
    if (!m_links) {
        m_linksRequested = true;
        return;
    }
    CurrentRecord current(m_model, data());
    m_links->reload();
}

QStringList Profile::linkedAppIds() const
{
    return linkedApps()->appIds();
}

void Profile::linkApp(const QString &appId, const QString &appName)
{
    CurrentRecord current(m_model, data());
    links()->linkApp(appId, appName);
}

void Profile::unlinkApp(const QString &appId)
{
    CurrentRecord current(m_model, data());
    // The row may not show this record's lists as they are now.
    links()->reload();
    m_links->unlinkApp(appId);
}

void Profile::openLinkDialog()
{
    links()->openLinkDialog();
}

bool Profile::backlight(bool *cycling, QColor *colour) const
{
    const ProfileData *record = data();
    return record && record->backlight(cycling, colour);
}

void Profile::clearContents()
{
    CurrentRecord current(m_model, data());
    links()->clear();
    settingsPage()->resetToDefaults();
    mappingsPage()->clearAll();
}

void Profile::resetContents()
{
    CurrentRecord current(m_model, data());
    links()->clear();
    settingsPage()->resetToDefaults();
    mappingsPage()->resetToDefaults();
}

// Rows of cards not made yet are made from the model as it is then.
void Profile::refreshRows()
{
    if (!m_mappings)
        return;
    CurrentRecord current(m_model, data());
    m_mappings->refreshOutputs();
    m_mappings->updateProfileLists();
}

void Profile::redrawPages()
{
    if (m_settings) {
        m_settings->refreshOutputs();
        m_settings->update();
    }
    if (m_mappings) {
        m_mappings->refreshOutputs();
        m_mappings->update();
    }
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

bool Profile::startShowing(bool settings)
{
    m_showingSettings = settings;
    if (waitsForShow()) {
        m_viewPending = true;
        return false;
    }
    m_viewPending = false;
    m_viewShown = true;
    return true;
}

void Profile::showMappingView(MappingView view)
{
    m_view = view;
    if (!startShowing(false))
        return;
    if (m_settings)
        m_settings->hide();
    if (m_links)
        m_links->hide();
    mappingPageFor(view)->show();
}

void Profile::showCurrentView()
{
    showMappingView(m_view);
}

QWidget *Profile::mappingPageFor(MappingView view)
{
    const ProfileData *record = data();
    const MappingListRules rules(m_model->currentInputMaps());
    QString page;
    bool own = false;
    switch (view) {
    case MappingView::All:
        page = tr("All");
        own = record && record->hasInputMaps();
        break;
    case MappingView::Button:
        page = m_buttonName;
        own = rules.hasButtonMapping(m_buttonId, false);
        break;
    case MappingView::TiltForwardBack:
        page = tr("Tilt forward / back");
        own = rules.hasTiltForwardBack();
        break;
    case MappingView::TiltLeftRight:
        page = tr("Tilt left / right");
        own = rules.hasTiltLeftRight();
        break;
    }
    if (!own) {
        if (m_mappings)
            m_mappings->hide();
        empty()->showNoMappings(parentName(), page);
        return m_empty;
    }
    if (m_empty)
        m_empty->hide();
    // Showing a mapping view reloads the cards when the other view left a
    // page to restore: a page made now makes its cards once, then.
    const int restore = CurrentPage::instance()->page;
    Mappings *mappings = mappingsPage(restore < 1 || restore > 3);
    // The parent may have been renamed since the page was made.
    if (!isGlobal())
        mappings->setParentLabel(parentName());
    switch (view) {
    case MappingView::All:
        mappings->showAll();
        break;
    case MappingView::Button:
        mappings->showButton(m_buttonId, m_buttonName);
        break;
    case MappingView::TiltForwardBack:
        mappings->showTiltForwardBack();
        break;
    case MappingView::TiltLeftRight:
        mappings->showTiltLeftRight();
        break;
    }
    return mappings;
}

void Profile::showSettings()
{
    if (!startShowing(true))
        return;
    if (m_mappings)
        m_mappings->hide();
    links()->show();
    const ProfileData *record = data();
    if (record && record->hasOwnSettings()) {
        if (m_empty)
            m_empty->hide();
        settingsPage()->showPage();
    } else {
        if (m_settings)
            m_settings->hide();
        empty()->showNoSettings(parentName());
    }
}

void Profile::addSettings()
{
    settingsPage()->setOwnSettings(true);
    showSettings();
}

void Profile::settingsRemoved()
{
    m_settings->setOwnSettings(false);
    showSettings();
}

void Profile::addMappings()
{
    mappingsPage(false)->reload();
    const QString parent = parentName();
    switch (m_view) {
    case MappingView::All:
        m_mappings->addDefaultsAll(parent);
        break;
    case MappingView::Button:
        m_mappings->addDefaultsForButton(m_buttonId, parent);
        break;
    case MappingView::TiltForwardBack:
        m_mappings->addDefaultsTiltForwardBack(parent);
        break;
    case MappingView::TiltLeftRight:
        m_mappings->addDefaultsTiltLeftRight(parent);
        break;
    }
    showCurrentView();
}

// Clearing or resetting the page deletes cards too; the settings view the
// user looks at then stays on screen.
void Profile::mappingsRemoved()
{
    if (m_showingSettings)
        showSettings();
    else
        showCurrentView();
}
