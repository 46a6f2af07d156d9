#include "ProfileArea.h"

#include "ActiveProfileBox.h"
#include "ConfigFile.h"
#include "DlgMessageBox.h"
#include "DlgProfile.h"
#include "DlgYesNo.h"
#include "HintsArea.h"
#include "LinkReplacement.h"
#include "ManageProfiles.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "Predefined.h"
#include "ProfileButton.h"
#include "ProfileData.h"
#include "ProfileDialogRules.h"
#include "ProfileFolders.h"
#include "ProfileRowFit.h"
#include "ProfileTileOrder.h"
#include "ProfileTileStyle.h"
#include "SaveSequence.h"
#include "SettingsFile.h"
#include "SimpleModel.h"
#include "SimpleRenameDialog.h"
#include "SimpleViewLook.h"
#include "StyleProperties.h"
#include "ui_ProfileArea.h"

#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace {

// Hints of the bar's parts.
constexpr int tilesHint = 1;
constexpr int createHint = 6;
constexpr int manageHint = 7;
constexpr int arrowSpacerWidth = 24;
constexpr int fitDelayMs = 100;

QPushButton *utilityButton(const char *name, const char *style, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(60, 25);
    button->setProperty("button_type", QStringLiteral("profile_util"));
    button->setProperty("button_style", QLatin1String(style));
    return button;
}

int kindOf(const ProfileData *profile)
{
    if (profile->isGlobal())
        return ProfileTileStyle::Global;
    return profile->isSubProfile() ? ProfileTileStyle::SubProfile : ProfileTileStyle::TopLevel;
}

QPixmap pixmapAt(const QString &path)
{
    return path.isEmpty() ? QPixmap() : QPixmap(path);
}

QPixmap logoOf(const ProfileData *profile)
{
    return pixmapAt(Predefined::logoFile(profile->name));
}

} // namespace

ProfileArea::ProfileArea(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::ProfileArea>())
    , m_store(PackageCreator::instance())
    , m_model(SimpleModel::instance())
    , m_device(MouseFunctions::instance())
{
    ui->setupUi(this);
    ui->frame_search->hide();
    {
        const QSettings settings(SettingsFile::path(), QSettings::IniFormat);
        m_showGlobal = settings.value("ShowGlobal", false).toBool();
        m_setViewedAsActive = settings.value("SetViewedAsActive", true).toBool();
        m_setActiveAsViewed = settings.value("SetActiveAsViewed", true).toBool();
    }

    m_box = new ActiveProfileBox(this);
    ui->horizontalLayout_main->insertWidget(0, m_box, 0, Qt::AlignTop);
    auto *utilities = new QVBoxLayout;
    utilities->setContentsMargins(0, 0, 0, 0);
    utilities->setSpacing(10);
    m_create = utilityButton("pushButton_create", "create_profile", this);
    m_manage = utilityButton("pushButton_manage", "manage_profile", this);
    utilities->addWidget(m_create);
    utilities->addWidget(m_manage);
    utilities->addSpacerItem(new QSpacerItem(1, 1, QSizePolicy::Fixed, QSizePolicy::Expanding));
    ui->horizontalLayout_main->insertLayout(ui->horizontalLayout_main->count() - 1, utilities);

    connect(m_create, &QPushButton::clicked, this, &ProfileArea::createProfile);
    connect(m_manage, &QPushButton::clicked, this, &ProfileArea::managePredefinedProfiles);
    connect(ui->pushButton_left, &QPushButton::clicked, this, &ProfileArea::scrollLeft);
    connect(ui->pushButton_right, &QPushButton::clicked, this, &ProfileArea::scrollRight);
    // The range follows the row's width only once the layout has run.
    QScrollBar *bar = ui->scrollArea->horizontalScrollBar();
    connect(bar, &QScrollBar::rangeChanged, this, &ProfileArea::updateScrollButtons);
    connect(m_model, &SimpleModel::activeProfileChanged, this, &ProfileArea::onActiveProfileChanged);
    connect(m_model, &SimpleModel::autoSwitchingChanged, this, &ProfileArea::onAutoSwitchingChanged);
    for (QWidget *watched :
         {static_cast<QWidget *>(m_create), static_cast<QWidget *>(m_manage), static_cast<QWidget *>(ui->scrollArea)})
        watched->installEventFilter(this);

    onActiveProfileChanged();
    updateScrollArea();
}

ProfileArea::~ProfileArea() = default;

void ProfileArea::setModelKey(const QString &key)
{
    m_modelKey = key;
}

// ---------------------------------------------------------------- tiles

ProfileButton *ProfileArea::tileOf(const ProfileData *profile)
{
    if (ProfileButton *made = madeTileOf(profile))
        return made;
    makeAllTiles();
    return madeTileOf(profile);
}

void ProfileArea::makeAllTiles()
{
    // A reader makes the tiles the row would have had all along: they are
    // made late only to spare the start the work.
    if (!m_tilesMade)
        makeTiles(-1);
    makeWaitingTiles();
}

ProfileButton *ProfileArea::madeTileOf(const ProfileData *profile) const
{
    for (const Tile &tile : m_tiles) {
        if (tile.profile && tile.key == profile)
            return tile.button;
    }
    return nullptr;
}

QList<ProfileButton *> ProfileArea::rowTiles()
{
    makeAllTiles();
    return madeRow();
}

QList<ProfileButton *> ProfileArea::madeRow() const
{
    QList<ProfileButton *> row;
    const QLayout *layout = ui->horizontalLayout_buttons;
    for (int i = 0; i < layout->count(); ++i) {
        if (auto *button = qobject_cast<ProfileButton *>(layout->itemAt(i)->widget()))
            row.append(button);
    }
    return row;
}

QList<ProfileData *> ProfileArea::rowProfiles() const
{
    QList<ProfileData *> row;
    const QList<ProfileButton *> buttons = madeRow();
    for (const ProfileButton *button : buttons) {
        for (const Tile &tile : m_tiles) {
            if (tile.button == button)
                row.append(tile.key);
        }
    }
    return row;
}

ProfileButton *ProfileArea::createProfileButton(ProfileData *profile, const QHash<QString, QString> &predefined)
{
    // Before the bar is told a key, its tiles carry the one the application
    // gives every widget: the connected model's.
    const QString key = m_modelKey.isNull()
                            ? SimpleViewLook::forProductId(MouseFunctions::instance()->mousePID()).modelKey
                            : m_modelKey;
    auto *button = new ProfileButton(profile->name, pixmapAt(Predefined::logoFile(profile->name, predefined)),
                                     kindOf(profile), profile->isDefault, key, ui->scrollAreaWidgetContents);
    m_tiles.append({profile, profile, button});
    const QPointer<ProfileData> target(profile);
    connect(button, &ProfileButton::clicked, this, [this, target] {
        if (target)
            profileClick(target);
    });
    connect(button, &ProfileButton::customContextMenuRequested, this, [this, target](const QPoint &pos) {
        if (target)
            profileContextMenuRequested(target, pos);
    });
    return button;
}

void ProfileArea::createProfileButtons(QList<ProfileData *> profiles, bool withGlobal)
{
    if (ProfileData *global = m_store->globalProfile(); global && withGlobal)
        profiles.prepend(global);
    // The logos of all the tiles, with the predefined folders read once.
    const QHash<QString, QString> predefined = Predefined::predefinedFolders();
    for (ProfileData *profile : qAsConst(profiles)) {
        ProfileButton *button = createProfileButton(profile, predefined);
        const ProfileTileOrder::Place place = ProfileTileOrder::place(rowProfiles(), profile, *m_store);
        if (profile->isGlobal())
            button->setName(tr("Global Defaults"));
        ui->horizontalLayout_buttons->insertWidget(place.position, button);
        if (ProfileButton *parent = madeTileOf(place.parentToShowToggle)) {
            parent->setHasSubProfiles(true);
            connect(parent, &ProfileButton::expandSubProfiles, this, &ProfileArea::toggleSubProfiles,
                    Qt::UniqueConnection);
        }
        if (profile->isGlobal())
            button->setVisible(m_showGlobal);
    }
}

void ProfileArea::makeTiles(int groups)
{
    m_tilesMade = true;
    m_screenful = groups;
    QList<ProfileData *> rest = m_store->profiles();
    const QList<ProfileData *> now = takeGroups(&rest, groups);
    for (ProfileData *profile : qAsConst(rest))
        m_waiting.append(profile);
    const int from = m_tiles.size();
    createProfileButtons(now);
    markStartTiles(from);
    if (!m_waiting.isEmpty())
        QTimer::singleShot(0, this, [this] { makeWaitingTiles(m_screenful); });
    updateScrollArea();
}

QList<ProfileData *> ProfileArea::takeGroups(QList<ProfileData *> *profiles, int groups)
{
    QList<ProfileData *> taken;
    int topLevel = 0;
    while (!profiles->isEmpty()) {
        if (!profiles->first()->isSubProfile() && groups >= 0 && ++topLevel > groups)
            break;
        taken.append(profiles->takeFirst());
    }
    return taken;
}

void ProfileArea::makeWaitingTiles(int groups)
{
    if (m_waiting.isEmpty())
        return;
    QList<ProfileData *> rest;
    for (const QPointer<ProfileData> &profile : qAsConst(m_waiting)) {
        if (profile)
            rest.append(profile);
    }
    m_waiting.clear();
    const QList<ProfileData *> now = takeGroups(&rest, groups);
    for (ProfileData *profile : qAsConst(rest))
        m_waiting.append(profile);
    const int from = m_tiles.size();
    createProfileButtons(now, false);
    markStartTiles(from);
    updateScrollArea();
    // A screenful a turn, so that what is on the screen paints between them.
    if (!m_waiting.isEmpty() && groups >= 0)
        QTimer::singleShot(0, this, [this] { makeWaitingTiles(m_screenful); });
}

void ProfileArea::markStartTiles(int from)
{
    for (int i = from; i < m_tiles.size(); ++i) {
        const Tile &tile = m_tiles.at(i);
        // Sub-profiles start folded away; the others show at once in a bar
        // on screen, as those made with the bar showed with it.
        if (tile.profile->isSubProfile())
            tile.button->hide();
        else if (isVisible() && !tile.button->testAttribute(Qt::WA_WState_ExplicitShowHide))
            tile.button->show();
        tile.button->setActivated(tile.key == m_markedActive);
        tile.button->setSelected(tile.key == m_markedSelected);
    }
}

bool ProfileArea::event(QEvent *event)
{
    // Polished as its window first shows, before the window's children show:
    // the tiles of as many groups as the row could show at the window's
    // width beside the bar's box and buttons.
    if (event->type() == QEvent::Polish && !m_tilesMade) {
        const int step = ProfileTileStyle::tileSize(ProfileTileStyle::TopLevel).width() + ProfileRowFit::tileSpacing;
        makeTiles(std::max(0, window()->width() - m_box->width() - m_create->width()) / step + 1);
    }
    return QWidget::event(event);
}

void ProfileArea::removeTile(int at)
{
    ProfileButton *button = m_tiles.at(at).button;
    ui->horizontalLayout_buttons->removeWidget(button);
    button->hide();
    button->disconnect(this);
    button->deleteLater();
    m_tiles.removeAt(at);
}

void ProfileArea::rebuildProfileButtons()
{
    // Tiles not made yet are made from the store as it is then.
    if (!m_tilesMade)
        return;
    QList<ProfileData *> profiles = m_store->profiles();
    for (int i = m_tiles.size() - 1; i >= 0; --i) {
        const Tile &tile = m_tiles.at(i);
        // The Global tile is made anew each time.
        if (!tile.profile || !profiles.contains(tile.profile)) {
            removeTile(i);
            continue;
        }
        tile.button->setDefault(tile.profile->isDefault);
        profiles.removeOne(tile.profile);
    }
    for (int i = m_waiting.size() - 1; i >= 0; --i) {
        if (!m_waiting.at(i) || !profiles.removeOne(m_waiting.at(i)))
            m_waiting.removeAt(i);
    }
    // A new profile takes its place after the tiles still waiting.
    if (!profiles.isEmpty())
        makeWaitingTiles();
    createProfileButtons(profiles);
}

void ProfileArea::refresh()
{
    rebuildProfileButtons();
    onActiveProfileChanged();
    markCurrentProfile();
    QTimer::singleShot(fitDelayMs, this, &ProfileArea::updateScrollArea);
    update();
}

void ProfileArea::markCurrentProfile()
{
    ProfileData *current = m_store->currentProfile();
    m_markedSelected = current;
    for (const Tile &tile : qAsConst(m_tiles))
        tile.button->setSelected(tile.profile && tile.key == current);
}

void ProfileArea::onActiveProfileChanged()
{
    ProfileData *active = m_store->activeProfile();
    m_markedActive = active;
    for (const Tile &tile : qAsConst(m_tiles))
        tile.button->setActivated(tile.profile && tile.key == active);

    m_box->setActiveName(active ? active->name : QString());
    QPixmap image = active ? logoOf(active) : QPixmap();
    if (image.isNull())
        image = QPixmap(active && active->isDefault ? QStringLiteral(":/pic/simple_mode/v/profile_bar/default_20.png")
                                                    : QStringLiteral(":/pic/simple_mode/v/profile_bar/noimage_20.png"));
    m_box->setActiveImage(image);
    m_box->updateAutoSwitching();

    if (!m_setActiveAsViewed || !isVisible() || !active)
        return;
    // A waiting sub-profile's tile is unfolded by its parent's, which needs
    // them made; a waiting top-level one is clicked as its tile would be.
    if (active->isSubProfile())
        makeWaitingTiles();
    if (ProfileButton *button = madeTileOf(active)) {
        emit button->clicked();
        if (active->isSubProfile() && !button->isVisible()) {
            if (ProfileButton *parent = madeTileOf(m_store->parentProfile(active)))
                parent->clickToggle();
        }
    } else if (m_waiting.contains(active)) {
        profileClick(active);
    }
}

void ProfileArea::onAutoSwitchingChanged()
{
    ConfigFile::instance()->save();
}

void ProfileArea::toggleSubProfiles(ProfileButton *profileButton)
{
    for (const Tile &tile : qAsConst(m_tiles)) {
        if (tile.button != profileButton || !tile.profile)
            continue;
        // The tile flips its flag after this: unfolded now means fold.
        const QList<ProfileData *> subProfiles = m_store->subProfiles(tile.profile);
        for (const ProfileData *sub : subProfiles) {
            if (ProfileButton *button = tileOf(sub))
                button->setVisible(!profileButton->expanded());
        }
        break;
    }
    updateScrollArea();
}

// ---------------------------------------------------------------- fitting and scrolling

void ProfileArea::updateScrollArea()
{
    const QMargins margins = ui->horizontalLayout_main->contentsMargins();
    ProfileRowFit::Widths widths;
    widths.bar = width();
    widths.utilitySpacer = ui->horizontalSpacer_utility->geometry().width();
    widths.arrowSpacer = ui->horizontalSpacer_arrow->geometry().width();
    widths.leftArrow = ui->pushButton_left->width();
    widths.rightArrow = ui->pushButton_right->width();
    widths.activeBox = m_box->width();
    widths.createButton = m_create->width();
    widths.leftMargin = margins.left();
    widths.rightMargin = margins.right();
    QVector<int> tileWidths;
    const QList<ProfileButton *> row = madeRow();
    for (const ProfileButton *button : row) {
        if (button->isVisible())
            tileWidths.append(button->width());
    }
    // A tile still waiting counts as it will show: a top-level one unfolded.
    for (const QPointer<ProfileData> &profile : qAsConst(m_waiting)) {
        if (profile && !profile->isSubProfile() && isVisible())
            tileWidths.append(ProfileTileStyle::tileSize(kindOf(profile)).width());
    }

    const ProfileRowFit::Fit fit = ProfileRowFit::fit(widths, tileWidths);
    ui->pushButton_left->setVisible(fit.arrows);
    ui->pushButton_right->setVisible(fit.arrows);
    if (fit.arrows)
        ui->horizontalSpacer_arrow->changeSize(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    else
        ui->horizontalSpacer_arrow->changeSize(arrowSpacerWidth, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    ui->horizontalLayout_main->invalidate();
    if (fit.width > 0)
        ui->scrollArea->setFixedWidth(fit.width);
    updateScrollButtons();
}

void ProfileArea::updateScrollButtons()
{
    const QScrollBar *bar = ui->scrollArea->horizontalScrollBar();
    ui->pushButton_left->setEnabled(bar->value() != bar->minimum());
    ui->pushButton_right->setEnabled(bar->value() != bar->maximum());
}

void ProfileArea::setScrollValue(int value)
{
    ui->scrollArea->horizontalScrollBar()->setValue(value);
    updateScrollButtons();
}

void ProfileArea::scrollLeft()
{
    setScrollValue(ui->scrollArea->horizontalScrollBar()->value() - m_create->width());
}

void ProfileArea::scrollRight()
{
    setScrollValue(ui->scrollArea->horizontalScrollBar()->value() + m_create->width());
}

void ProfileArea::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    if ((delta.y() != 0 ? delta.y() : delta.x()) > 0)
        scrollLeft();
    else
        scrollRight();
    event->accept();
}

void ProfileArea::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    updateScrollArea();
}

void ProfileArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateScrollArea();
}

bool ProfileArea::eventFilter(QObject *watched, QEvent *event)
{
    const bool enter = event->type() == QEvent::Enter;
    if (enter || event->type() == QEvent::Leave) {
        int context = -1;
        if (watched == m_create)
            context = createHint;
        else if (watched == m_manage)
            context = manageHint;
        else if (watched == ui->scrollArea)
            context = tilesHint;
        if (context >= 0)
            HintsArea::instance()->setContext(context, enter);
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- choosing

void ProfileArea::profileClick(ProfileData *profile)
{
    m_model->setCurrentProfile(profile);
    if (m_setViewedAsActive)
        m_model->setActiveProfile(profile, true);
    m_markedSelected = profile;
    for (const Tile &tile : qAsConst(m_tiles))
        tile.button->setSelected(tile.profile && tile.key == profile);
    emit profileClicked();
    markCurrentProfile();
}

void ProfileArea::setActiveProfile(ProfileData *profile)
{
    m_model->setActiveProfile(profile, true);
    m_model->setAutoSwitching(false);
    refresh();
    ConfigFile::instance()->save();
}

void ProfileArea::setDefaultProfile(ProfileData *profile)
{
    m_model->setDefaultProfile(profile);
    m_model->setActiveProfile(profile, true);
    refresh();
    ConfigFile::instance()->save();
}

void ProfileArea::profileContextMenuRequested(ProfileData *profile, QPoint pos)
{
    const QPointer<ProfileData> target(profile);
    profileClick(profile);
    if (!target)
        return;
    QMenu menu(this);
    menu.setProperty("menu_type", QStringLiteral("profile"));
    menu.setProperty(StyleProperties::modelKey, m_modelKey);
    const bool viewedAsActive =
        QSettings(SettingsFile::path(), QSettings::IniFormat).value("SetViewedAsActive", true).toBool();
    const auto add = [this, &menu, target](const QString &text, void (ProfileArea::*slot)(ProfileData *)) {
        QAction *action = menu.addAction(text);
        connect(action, &QAction::triggered, this, [this, target, slot] {
            if (target)
                (this->*slot)(target);
        });
        return action;
    };
    if (!viewedAsActive)
        add(tr("Set as Active"), &ProfileArea::setActiveProfile);
    QAction *byDefault = add(tr("Use by default"), &ProfileArea::setDefaultProfile);
    byDefault->setCheckable(true);
    byDefault->setChecked(profile->isDefault);
    add(tr("Modify"), &ProfileArea::editProfile);
    if (kindOf(profile) == ProfileTileStyle::TopLevel)
        add(tr("Add Sub-Profile"), &ProfileArea::addSubProfile);
    if (!profile->isGlobal()) {
        add(tr("Duplicate"), &ProfileArea::duplicateProfile);
        add(tr("Delete"), &ProfileArea::deleteProfile);
    }
    const ProfileButton *button = tileOf(profile);
    menu.exec(button ? button->mapToGlobal(pos) : QCursor::pos());
}

// ---------------------------------------------------------------- changing

void ProfileArea::managePredefinedProfiles()
{
    {
        ManageProfiles manager(this, m_modelKey);
        manager.exec();
    }
    refresh();
}

ProfileData *ProfileArea::createFromDialog(ProfileData *parent)
{
    DlgProfile dialog(this, m_modelKey);
    if (dialog.exec() != 1)
        return nullptr;
    const QString name = dialog.profileName();
    ProfileData *profile = parent ? m_model->addSubProfile(name, parent) : m_model->addProfile(name);
    if (!profile)
        return nullptr;
    removeReplacedLinks(dialog.replacedLinks());
    profile->linkedAppPaths = dialog.linkedAppIds();
    profile->linkedAppNames = dialog.linkedAppNames();
    ProfileFolders::storeLogo(name, dialog.imagePath(), profile);
    refresh();
    ConfigFile::instance()->save();
    emit profileClicked();
    return profile;
}

void ProfileArea::createProfile()
{
    createFromDialog(nullptr);
}

void ProfileArea::addSubProfile(ProfileData *parentProfile)
{
    const QPointer<ProfileData> parent(parentProfile);
    if (!createFromDialog(parentProfile) || !parent)
        return;
    // A new sub-profile shows: its folded parent unfolds as its toggle would.
    ProfileButton *button = tileOf(parent);
    if (button && !button->expanded())
        button->clickToggle();
}

void ProfileArea::editProfile(ProfileData *profile)
{
    DlgProfile dialog(this, profile, m_modelKey);
    if (dialog.exec() != 1)
        return;
    ProfileButton *button = tileOf(profile);
    const QString image = dialog.imagePath();
    if (image != Predefined::logoFile(profile->name)) {
        ProfileFolders::replaceLogo(profile->name, image);
        if (button)
            button->setImage(logoOf(profile));
    }
    m_model->setProfileName(profile, dialog.profileName());
    if (button)
        button->setName(profile->name);
    removeReplacedLinks(dialog.replacedLinks());
    profile->linkedAppPaths = dialog.linkedAppIds();
    profile->linkedAppNames = dialog.linkedAppNames();
    refresh();
    ConfigFile::instance()->save();
}

void ProfileArea::deleteProfile(ProfileData *profile)
{
    DlgYesNo question(this, tr("Are you sure you wish to delete %1?").arg(profile->name), QString(), QString(),
                      m_modelKey, nullptr);
    if (question.exec() != 1)
        return;
    if (profile->isSubProfile() && m_store->subProfiles(profile).size() == 1) {
        if (ProfileButton *parent = tileOf(m_store->parentProfile(profile)))
            parent->setHasSubProfiles(false);
    }
    m_model->deleteProfile(profile);
    refresh();
    // The later profiles are numbered anew: a mouse still holding the old
    // package would run another profile's records at the next switch.
    saveToMouseAndFile();
}

void ProfileArea::saveToMouseAndFile()
{
    // As the view's Save: profiles beyond the mouse's memory are not offered
    // to it (the view tells of those), and the file is written in any case.
    const bool upload =
        m_device->waitState() != MouseFunctions::WaitDisconnected && m_device->memoryUsedPercent() <= 100.0;
    ConfigFile *file = ConfigFile::instance();
    const SaveSequence::Result result = SaveSequence::run(upload, m_device, file);
    if (!result.uploadFailed())
        return;
    // The file holds the change, the mouse does not: Save stays available.
    emit file->saved(true);
    DlgMessageBox message(this, tr("The profiles could not be sent to the mouse.\n%1").arg(result.uploadReason),
                          m_modelKey);
    message.exec();
}

void ProfileArea::duplicateProfile(ProfileData *profile)
{
    SimpleRenameDialog dialog(profile->name + QStringLiteral(" I"), this, m_modelKey, tr("New Profile Name:"),
                              tr("Duplicate"), 18);
    if (dialog.exec() != 1)
        return;
    const QString name = dialog.newName();
    // Two profiles of one name would share one folder, and so one logo.
    if (ProfileDialogRules::nameTaken(name, m_store->profiles(), nullptr)) {
        DlgMessageBox message(this, tr("Profile Name already exists"), m_modelKey);
        message.exec();
        return;
    }
    m_model->addProfile(name, profile);
    refresh();
    ConfigFile::instance()->save();
}
