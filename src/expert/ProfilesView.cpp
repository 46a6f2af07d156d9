#include "ProfilesView.h"

#include "AppFont.h"
#include "ButtonIds.h"
#include "CustomMessageBox.h"
#include "DisplayText.h"
#include "LineDialog.h"
#include "MenuList.h"
#include "PackageCreator.h"
#include "Profile.h"
#include "ProfileData.h"
#include "ProfileListRules.h"
#include "ProfileNameRule.h"
#include "ProfileTree.h"
#include "RequestedProfile.h"
#include "SharedConstants.h"
#include "SimpleModel.h"
#include "TreeHeaderItem.h"
#include "ui_ProfilesView.h"

#include <QApplication>
#include <QColor>
#include <QDebug>
#include <QPointer>
#include <QPushButton>

namespace {

constexpr int noIndex = 255;
constexpr int menuWidth = 260;

ProfileTree::Names namesOf(const Profile *page)
{
    const ProfileData *record = page->data();
    return record ? ProfileTree::names(*record, page->parentName()) : ProfileTree::Names();
}

} // namespace

ProfilesView::ProfilesView(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::ProfilesView>())
    , m_model(PackageCreator::instance())
    , m_metrics(appFont())
{
    ui->setupUi(this);
    m_global = new Profile(globalProfileName, noIndex, noIndex, nullptr, this);
    attachProfile(m_global);
    m_current = m_active = m_default = m_global;
    m_global->makeActive(false);
    connect(ui->checkBox_setAsDefault, &QCheckBox::stateChanged, this, &ProfilesView::checkDefault);
    connect(ui->pushButton_profileMenu, &QPushButton::clicked, this, &ProfilesView::showMenu);
}

ProfilesView::~ProfilesView()
{
    clearHeaderTree();
    for (MenuList *menu : m_menus)
        delete menu;
}

void ProfilesView::attachProfile(Profile *profile)
{
    ui->verticalLayout->addWidget(profile);
    connect(profile, &Profile::setHeaderTree, this, &ProfilesView::showHeaderTree);
    connect(profile, &Profile::backToCurrentView, this, &ProfilesView::backToCurrentView);
    connect(profile, &Profile::checkNewAppLink, this, &ProfilesView::checkNewAppLink);
}

QList<Profile *> ProfilesView::pages() const
{
    QList<Profile *> all;
    for (const QList<Profile *> &group : m_tree)
        all << group;
    return all;
}

QList<ProfileData *> ProfilesView::records() const
{
    QList<ProfileData *> all;
    for (const QList<Profile *> &group : m_tree) {
        for (const Profile *page : group)
            all << page->data();
    }
    return all;
}

Profile *ProfilesView::pageOf(const ProfileData *record) const
{
    if (!record)
        return nullptr;
    if (record == m_global->data())
        return m_global;
    for (const QList<Profile *> &group : m_tree) {
        for (Profile *page : group) {
            if (page->data() == record)
                return page;
        }
    }
    return nullptr;
}

// ------------------------------------------------------------------ building

void ProfilesView::pointAtGlobal()
{
    if (m_current != m_global) {
        m_current = m_global;
        m_global->show();
    }
    m_active = m_default = m_global;
}

void ProfilesView::deletePage(Profile *page, bool removeData)
{
    ui->verticalLayout->removeWidget(page);
    if (removeData)
        page->removeData();
    delete page;
}

Profile *ProfilesView::parentPageFor(const ProfileData *record) const
{
    if (record->subIndex == noIndex)
        return m_global;
    for (auto group = m_tree.crbegin(); group != m_tree.crend(); ++group) {
        const ProfileData *top = group->first()->data();
        if (top && top->index == record->index)
            return group->first();
    }
    return nullptr;
}

void ProfilesView::placePage(Profile *page)
{
    Profile *parent = page->parentProfile();
    if (parent == m_global) {
        m_tree.append({page});
        return;
    }
    for (QList<Profile *> &group : m_tree) {
        if (group.first() == parent) {
            group.append(page);
            return;
        }
    }
}

void ProfilesView::build()
{
    pointAtGlobal();
    const QList<Profile *> old = pages();
    m_tree.clear();
    for (Profile *page : old)
        deletePage(page, false);
    fillTree({});
}

void ProfilesView::syncWithProfiles()
{
    pointAtGlobal();
    const QList<ProfileData *> list = m_model->profiles();
    QList<Profile *> kept;
    const QList<Profile *> old = pages();
    for (Profile *page : old) {
        if (page->data() && list.contains(page->data()))
            kept.append(page);
        else
            deletePage(page, false);
    }
    m_tree.clear();
    fillTree(kept);
}

void ProfilesView::fillTree(QList<Profile *> kept)
{
    m_global->hide();
    // Every new page makes its record current: note the page to show first.
    const ProfileData *current = m_model->currentProfile();
    const ProfileData *active = m_model->activeProfile();
    Profile *shown = m_global;
    const QList<ProfileData *> list = m_model->profiles();
    for (ProfileData *record : list) {
        Profile *page = nullptr;
        for (Profile *candidate : qAsConst(kept)) {
            if (candidate->data() == record)
                page = candidate;
        }
        kept.removeOne(page);
        Profile *parent = parentPageFor(record);
        if (page && page->parentProfile() != parent) {
            deletePage(page, false); // its parent page went
            page = nullptr;
        }
        if (!parent) {
            qWarning() << "ProfilesView: no parent profile for" << record->name;
            continue;
        }
        if (!page) {
            page = new Profile(record->name, record->index, record->subIndex, parent, this);
            attachProfile(page);
        }
        placePage(page);
        page->hide();
        if (record == current)
            shown = page;
        if (record == active)
            m_active = page;
        if (record->isDefault)
            m_default = page;
    }
    for (Profile *page : qAsConst(kept))
        deletePage(page, false);
    setCurrent(shown);
    updateActiveProfilesList();
}

void ProfilesView::createProfile(const QString &name, const QString &parentName)
{
    Profile *page = nullptr;
    if (parentName.isEmpty()) {
        page = new Profile(name, m_tree.size(), noIndex, m_global, this);
        m_tree.append({page});
    } else {
        auto group = std::find_if(m_tree.begin(), m_tree.end(),
                                  [&parentName](const QList<Profile *> &g) { return g.first()->name() == parentName; });
        if (group == m_tree.end()) {
            qWarning() << "ProfilesView: cant create profile!";
            return;
        }
        const int index = int(group - m_tree.begin());
        page = new Profile(name, index, group->size() - 1, group->first(), this);
        group->append(page);
    }
    attachProfile(page);
    if (m_fileLoad && !m_duplicatePending) {
        // Hidden, as making the next page current would leave it.
        page->hide();
        m_madeNotCurrent = page;
        m_listChanged = true;
        return;
    }
    if (m_duplicatePending) {
        page->makeCurrent();
        page->copyFrom(m_current);
        m_duplicatePending = false;
    }
    setCurrent(page);
    updateActiveProfilesList();
}

void ProfilesView::beginFileLoad()
{
    m_fileLoad = true;
    m_madeNotCurrent = nullptr;
    m_listChanged = false;
}

void ProfilesView::endFileLoad()
{
    m_fileLoad = false;
    if (m_madeNotCurrent)
        setCurrent(m_madeNotCurrent);
    m_madeNotCurrent = nullptr;
    if (m_listChanged)
        updateActiveProfilesList();
}

void ProfilesView::clearProfiles(bool removeData)
{
    pointAtGlobal();
    const QList<QList<Profile *>> old = m_tree;
    m_tree.clear();
    for (const QList<Profile *> &group : old) {
        for (auto page = group.rbegin(); page != group.rend(); ++page)
            deletePage(*page, removeData);
    }
    updateActiveProfilesList();
}

void ProfilesView::clearGlobal()
{
    m_global->clearContents();
    m_current->setDefault(true);
    m_default = m_current;
    showDefaultBox();
    updateActiveProfilesList();
}

void ProfilesView::resetGlobal()
{
    m_global->resetContents();
    m_current->setDefault(true);
    m_default = m_current;
    showDefaultBox();
    updateActiveProfilesList();
}

void ProfilesView::reloadProfiles(bool withGlobal)
{
    if (withGlobal)
        m_global->reload();
    for (Profile *page : pages())
        page->reload();
    m_current->makeCurrent();
}

void ProfilesView::reloadGlobal()
{
    m_global->reload();
    m_current->makeCurrent();
}

// ------------------------------------------------------------------ choosing

void ProfilesView::setCurrent(Profile *profile)
{
    if (!profile)
        return;
    m_madeNotCurrent = nullptr;
    profile->makeCurrent();
    if (m_current != profile)
        m_current->hide();
    m_current = profile;
    profile->reloadLinks();
    profile->show();
    setLabelText(ui->label_profileName, profile->name());
    showDefaultBox();
    const ProfileTree::Names names = namesOf(profile);
    emit currentProfileChanged(names.buttonName, names.shownName);
    setActive(m_active, true);
}

void ProfilesView::setCurrentGlobal()
{
    setCurrent(m_global);
}

void ProfilesView::setCurrentParent(const QString &name)
{
    const QList<QList<Profile *>> groups = m_tree;
    for (const QList<Profile *> &group : groups) {
        if (group.first()->name() == name)
            setCurrent(group.first());
    }
}

void ProfilesView::setCurrentSub(const QString &name, const QString &parentName)
{
    const QList<QList<Profile *>> groups = m_tree;
    for (const QList<Profile *> &group : groups) {
        if (group.first()->name() != parentName)
            continue;
        for (int i = 1; i < group.size(); ++i) {
            if (group.at(i)->name() == name)
                setCurrent(group.at(i));
        }
    }
}

void ProfilesView::setActive(Profile *profile, bool send)
{
    if (!profile) {
        qWarning() << "ProfilesView: tried to set null profile as active";
        return;
    }
    m_active = profile;
    profile->makeActive(send);
    if (profile == m_global) {
        emit globalProfileActivated();
    } else {
        const ProfileTree::Names names = namesOf(profile);
        emit profileActivated(names.buttonName, names.shownName);
    }
}

void ProfilesView::checkDefault(int state)
{
    if (state != Qt::Checked)
        return;
    m_global->setDefault(m_current == m_global);
    for (Profile *page : pages())
        page->setDefault(page == m_current);
    m_default = m_current;
    showDefaultBox();
}

void ProfilesView::showDefaultBox()
{
    const bool isDefault = m_current->isDefault();
    const QSignalBlocker blocker(ui->checkBox_setAsDefault);
    ui->checkBox_setAsDefault->setChecked(isDefault);
    ui->checkBox_setAsDefault->setEnabled(!isDefault);
}

void ProfilesView::updateActiveProfilesList()
{
    m_listChanged = false;
    const QList<ProfileData *> list = records();
    const QStringList entries = ProfileTree::activeProfilesList(m_global->name(), list);
    m_activeNames = entries.mid(1);
    emit activeProfilesChanged(
        entries, ProfileTree::activeEntry(list, m_active->data(), SimpleModel::instance()->autoSwitching()));
}

void ProfilesView::onProfileNameChanged()
{
    updateActiveProfilesList();
}

void ProfilesView::onAutoSwitchingChanged()
{
    updateActiveProfilesList();
}

ProfilesView::Found ProfilesView::findProfile(int index, int subIndex) const
{
    const ProfileTree::Found found = ProfileTree::findProfile(m_global->data(), records(), index, subIndex);
    if (index == noIndex && subIndex == noIndex)
        return {found.position, m_global};
    return {found.position, found.profile ? pages().value(found.position - 2) : nullptr};
}

int ProfilesView::profilePosition(int index, int subIndex) const
{
    return findProfile(index, subIndex).position;
}

void ProfilesView::defaultProfileIndex(int *index, int *subIndex) const
{
    m_default->indexPair(index, subIndex);
}

int ProfilesView::setActiveByIndex(int index, int subIndex, bool send)
{
    const Found found = findProfile(index, subIndex);
    setActive(found.page, send);
    return found.position;
}

void ProfilesView::activateListEntry(int entry)
{
    SimpleModel::instance()->setAutoSwitching(entry == 0);
    if (ProfileData *record = ProfileTree::listEntryProfile(m_global->data(), records(), entry))
        setActive(pageOf(record), true);
}

void ProfilesView::setInitialDefault(int index, int subIndex)
{
    setActive(findProfile(index, subIndex).page, true);
    updateActiveProfilesList();
    setCurrent(m_active);
    checkDefault(Qt::Checked);
}

// ------------------------------------------------------------------ switching

void ProfilesView::foregroundChange(const QString &appId)
{
    if (!SimpleModel::instance()->autoSwitching())
        return;
    ProfileData *record = ProfileTree::foregroundProfile(SimpleModel::instance()->profiles(), appId, *m_model);
    if (!record)
        return; // no match and no default profile
    Profile *page = pageOf(record);
    qDebug().noquote() << "Switching to" << (page ? page->name() : QString());
    setActive(page, true);
    emit autoSwitched();
}

void ProfilesView::profileChange(const QString &targetProfileName)
{
    if (targetProfileName.isEmpty())
        return;
    Profile *page = pageOf(RequestedProfile::find(*SimpleModel::instance(), targetProfileName));
    if (!page) {
        qDebug().noquote() << "R7API:" << targetProfileName << "not found.";
        return;
    }
    qDebug().noquote() << "R7API: Switching to" << targetProfileName << "profile.";
    setActive(page, true);
    emit autoSwitched();
}

void ProfilesView::checkNewAppLink(const QString &appId, const QString &appName)
{
    const QList<ProfileData *> others =
        ProfileTree::othersLinking(SimpleModel::instance()->profiles(), m_current->data(), appId);
    if (others.size() == 1) {
        CustomMessageBox box(this,
                             tr("Application %1 is already linked to Profile %2.\nDo you want to link it to Profile "
                                "%3 instead?")
                                 .arg(DisplayText::forRichText(appName), DisplayText::forRichText(others.first()->name),
                                      DisplayText::forRichText(m_current->name())),
                             tr("Yes, replace the link"), tr("No, link both"), tr("Cancel"));
        box.setTextAlignment(Qt::AlignHCenter);
        const int answer = box.exec();
        if (answer == 0)
            return;
        if (answer == 2) {
            if (Profile *holder = pageOf(others.first()))
                holder->unlinkApp(appId);
        }
    }
    m_current->linkApp(appId, appName);

    QWidget *dialog = QApplication::activeModalWidget();
    if (SimpleModel::instance()->autoSwitching() || (dialog && m_offeredDuring == dialog))
        return;
    m_offeredDuring = dialog;
    CustomMessageBox box(this,
                         tr("To switch profiles automatically, automatic profile\nswitching must be enabled.\n\nThe "
                            "\"Auto Profile Switching\" function can be enabled\nor disabled at any time from the "
                            "\"Active Profile\"\nmenu.\n\nWould you like to enable it now?\n"),
                         tr("Yes"), tr("No"), QString());
    box.setTextAlignment(Qt::AlignHCenter);
    if (box.exec() == 2)
        emit activeProfileChange(ProfileTree::autoSwitchingEntry(), false);
}

void ProfilesView::renumberProfiles(ProfileRenumbering deleted)
{
    QList<QList<ProfileData *>> groups;
    for (const QList<Profile *> &group : qAsConst(m_tree)) {
        QList<ProfileData *> records;
        for (const Profile *page : group)
            records << page->data();
        groups << records;
    }
    ProfileTree::renumber(groups, deleted);
    deleted.apply(m_model);
    m_global->refreshRows();
    for (Profile *page : pages())
        page->refreshRows();
}

// ------------------------------------------------------------------ header

void ProfilesView::setLabelText(QLabel *label, const QString &text)
{
    TreeHeaderItem::fitLabel(label, text, m_metrics);
}

void ProfilesView::setPageName(const QString &text, bool defaultBoxShown)
{
    setLabelText(ui->label_tree_1, text);
    ui->checkBox_setAsDefault->setVisible(defaultBoxShown);
}

void ProfilesView::showAllMappings()
{
    setPageName(tr("All Mappings"), false);
    m_current->showAllMappings();
}

void ProfilesView::showButtonMappings(int buttonId)
{
    const QString name = ButtonIds::name(buttonId, true);
    setPageName(name + QLatin1Char(' ') + tr("Mappings"), false);
    m_current->showButton(buttonId, name);
}

void ProfilesView::showSettings()
{
    setPageName(tr("Settings"), true);
    m_current->showSettings();
}

void ProfilesView::showTiltForwardBack()
{
    setPageName(tr("Tilt forward / back"), false);
    m_current->showTiltForwardBack();
}

void ProfilesView::showTiltLeftRight()
{
    setPageName(tr("Tilt left / right"), false);
    m_current->showTiltLeftRight();
}

void ProfilesView::showHeaderTree(const QStringList &list)
{
    clearHeaderTree();
    for (int i = 0; i < list.size(); ++i) {
        auto *item = new TreeHeaderItem(list.at(i));
        ui->horizontalLayout_headersTree->insertWidget(i, item);
        m_breadcrumbs.append(item);
    }
}

void ProfilesView::clearHeaderTree()
{
    qDeleteAll(m_breadcrumbs);
    m_breadcrumbs.clear();
}

void ProfilesView::backToCurrentView()
{
    clearHeaderTree();
    emit pageUpdate();
}

void ProfilesView::refreshCurrentPages()
{
    m_current->redrawPages();
    emitLogoColor();
}

void ProfilesView::emitLogoColor()
{
    QColor colour(Qt::black);
    bool cycling = false;
    if (!m_active->backlight(&cycling, &colour)) {
        const Profile *parent = m_active->parentProfile();
        if (!parent || !parent->backlight(&cycling, &colour)) {
            colour = QColor(Qt::black);
            cycling = false;
        }
    }
    emit setLogoColor(cycling, colour);
}

// ------------------------------------------------------------------ context menu

ProfilesView::MenuKind ProfilesView::menuKind() const
{
    if (m_current == m_global)
        return GlobalMenu;
    return m_current->parentProfile() == m_global ? TopLevelMenu : SubProfileMenu;
}

MenuList *ProfilesView::profileMenu()
{
    const MenuKind kind = menuKind();
    if (!m_menus[kind]) {
        QStringList rows{tr("Set as active profile on mouse"), tr("Link Applications to this Profile")};
        if (kind != SubProfileMenu)
            rows << tr("Add Sub-Profile");
        if (kind != GlobalMenu)
            rows << tr("Rename") << tr("Duplicate") << tr("Delete");
        auto *menu = new MenuList(rows, nullptr);
        menu->setObjectName(QStringLiteral("profileMenu%1").arg(int(kind)));
        menu->setPopupWidth(menuWidth);
        connect(menu, &MenuList::itemSelected, this, &ProfilesView::menuHandler);
        m_menus[kind] = menu;
    }
    return m_menus[kind];
}

void ProfilesView::showMenu()
{
    const QPushButton *button = ui->pushButton_profileMenu;
    profileMenu()->showAt(button->mapToGlobal(button->pos()) + QPoint(0, button->height() + 4));
}

void ProfilesView::menuHandler(int item)
{
    static const MenuAction actions[MenuKinds][6] = {
        {SetActive, LinkApps, AddSub, AddSub, AddSub, AddSub},
        {SetActive, LinkApps, AddSub, Rename, Duplicate, Delete},
        {SetActive, LinkApps, Rename, Duplicate, Delete, Delete},
    };
    static const int rows[MenuKinds] = {3, 6, 5};
    int kind = 0;
    while (kind < MenuKinds && m_menus[kind] != sender())
        ++kind;
    if (kind == MenuKinds || item < 0 || item >= rows[kind])
        return;
    Profile *page = m_current;
    switch (actions[kind][item]) {
    case SetActive:
        emit activeEntryChange(profilePosition(page->data()->index, page->data()->subIndex), false);
        break;
    case LinkApps:
        page->openLinkDialog();
        showSettings();
        break;
    case AddSub:
        if (kind == GlobalMenu)
            emit addParentProfile();
        else
            emit addSubProfile(page->name());
        break;
    case Rename:
        askName(ProfileNameRule::Rename, &ProfilesView::renamePage);
        break;
    case Duplicate:
        askName(ProfileNameRule::Add, &ProfilesView::duplicatePage);
        break;
    case Delete:
        deleteCurrent();
        break;
    }
}

QList<QStringList> ProfilesView::groupNames() const
{
    QList<QStringList> names;
    for (const QList<Profile *> &group : m_tree) {
        QStringList list;
        for (const Profile *page : group)
            list << page->name();
        names << list;
    }
    return names;
}

int ProfilesView::groupOf(const Profile *page) const
{
    for (int i = 0; i < m_tree.size(); ++i) {
        if (m_tree.at(i).contains(const_cast<Profile *>(page)))
            return i;
    }
    return -1;
}

QString ProfilesView::listText(const Profile *page) const
{
    if (page == m_global || !page->data())
        return page->name();
    return ProfileTree::indent(*page->data()) + page->name();
}

void ProfilesView::askName(int mode, void (ProfilesView::*handler)(Profile *, const QString &))
{
    QPointer<Profile> page = m_current;
    const bool topLevel = page->parentProfile() == m_global;
    auto *dialog = new LineDialog(mode, this);
    dialog->setObjectName(QStringLiteral("lineDialog"));
    // Queued, so the dialog's own handler has returned when the name is used.
    connect(
        dialog, &LineDialog::newName, this,
        [this, page, handler, dialog](const QString &name) {
            if (page)
                (this->*handler)(page, name);
            dialog->deleteLater();
        },
        Qt::QueuedConnection);
    // Escape rejects it; a name accepted hides it and the handler deletes it.
    connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
    dialog->showWithNames(ProfileListRules::namesToDifferFrom(groupNames(), topLevel, page->parentName()));
}

void ProfilesView::renamePage(Profile *page, const QString &name)
{
    const QString old = page->name();
    if (page->parentProfile() == m_global)
        emit renameProfile(old, name);
    else
        emit renameSubProfile(old, name, page->parentName());
    // The shared model moves the profile's folder with the name; the edit is
    // then announced as any rename is.
    SimpleModel::instance()->setProfileName(page->data(), name);
    page->makeCurrent();
    page->rename(name);
    updateActiveProfilesList();
    setCurrent(page);
}

void ProfilesView::duplicatePage(Profile *page, const QString &name)
{
    m_duplicatePending = true;
    emit addProfile(name, page->parentProfile() == m_global ? QString() : page->parentName());
}

void ProfilesView::deleteCurrent()
{
    Profile *page = m_current;
    const bool subProfile = page->parentProfile() != m_global;
    const int group = groupOf(page);
    if (page == m_global || group < 0)
        return;
    const QString question = subProfile ? tr("Are you sure you wish to delete %1?")
                                        : tr("Are you sure you wish to delete %1\nand any sub profiles?");
    CustomMessageBox box(this, question.arg(DisplayText::forRichText(page->name())), tr("Yes"), tr("No"), QString());
    box.setTextAlignment(Qt::AlignHCenter);
    if (box.exec() != 2)
        return;

    const QList<Profile *> going = subProfile ? QList<Profile *>{page} : m_tree.at(group);
    if (going.contains(m_default)) {
        const int to = ProfileListRules::defaultGroupAfterDeletion(m_tree.size(), group, subProfile);
        m_default = to < 0 ? m_global : m_tree.at(to).first();
        m_default->setDefault(true);
    }
    QString text;
    if (going.contains(m_active)) {
        if (!SimpleModel::instance()->autoSwitching())
            text = listText(m_default);
        setActive(m_default, true);
    }
    setCurrent(m_active);
    emit deleteCurrentProfile(page->name(), subProfile ? page->parentName() : QString());

    // The shared model removes the records with each one's folder that no
    // other profile uses, and renumbers the later records.
    SimpleModel::instance()->deleteProfile(page->data());
    if (subProfile)
        m_tree[group].removeOne(page);
    else
        m_tree.removeAt(group);
    for (auto it = going.rbegin(); it != going.rend(); ++it)
        deletePage(*it, false);
    renumberProfiles();
    updateActiveProfilesList();
    if (!text.isEmpty())
        emit activeProfileChange(text, true);
    else
        emit autoSwitched();
}
