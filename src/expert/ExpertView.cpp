#include "ExpertView.h"

#include "AddProfile.h"
#include "ComboBox.h"
#include "ConfigFile.h"
#include "CurrentPage.h"
#include "CustomMessageBox.h"
#include "DisplayText.h"
#include "ExpertMainMenu.h"
#include "ExpertStartup.h"
#include "ExpertTray.h"
#include "LastSelectedEntry.h"
#include "LoadingGuard.h"
#include "MainMenu.h"
#include "MouseFunctions.h"
#include "MouseImage.h"
#include "PackageCreator.h"
#include "ProfileData.h"
#include "ProfileScroller.h"
#include "ProfilesView.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SharedConstants.h"
#include "SimpleModel.h"
#include "StyleToggleSlider.h"
#include "Version.h"
#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QMouseEvent>
#include <QSettings>
#include <QSignalBlocker>

namespace {

constexpr int mouseImageMaxWidth = 488;
constexpr int mouseImageMinHeight = 260;

// The page buttons' pictures, in the order of the buttons.
const char *const pagePictures[] = {"settings", "mappings", "tilt_left_right", "tilt_forward_back"};

QString ownExecutableName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

} // namespace

ExpertView::ExpertView(QWidget *parent, SWUpdate *update)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::MainWindow>())
    , m_update(update)
    , m_model(PackageCreator::instance())
    , m_device(MouseFunctions::instance())
    , m_store(ConfigFile::instance())
    , m_shared(SimpleModel::instance())
    , m_page(CurrentPage::instance())
    , m_switch(ConnectionSwitch::deviceOf(m_device))
{
    const char *const looks[Looks] = {"active", "hover", "select"};
    for (int button = 0; button < 4; ++button) {
        for (int look = 0; look < Looks; ++look)
            m_pixmaps[button][look] = QPixmap(QStringLiteral(":/pic/%1_%2.png").arg(pagePictures[button], looks[look]));
    }

    ui->setupUi(this);
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("MainWindow"));
    hide();
    setVersionText(QString());
    initSettings();

    m_tray = new ExpertTray(this);
    connect(m_tray, &ExpertTray::openRequested, this, &ExpertView::emitShowActiveView);
    connect(m_tray, &ExpertTray::profileChosen, this, &ExpertView::menusetActiveProfile);

    setupViews();

    m_startup = new ExpertStartup(this, m_tree, m_strip);
    connect(m_store, &ConfigFile::saved, ui->pushButton_save, &QPushButton::setEnabled);
    // The tree announces the list once per profile it makes; the box and the
    // tray take the last one, once the profiles are loaded.
    m_listDeferred = true;
    m_startup->loadProfiles();
    m_listDeferred = false;
    if (m_deferredList)
        onActiveProfilesChanged(m_deferredList->first, m_deferredList->second);
    m_deferredList.reset();

    setupAddProfile();
    m_startup->startDeviceLink();
    pageUpdate();
    showMemoryUse(false);

    m_previousForeground = ownExecutableName();
    m_startup->startSwitching();

    connect(m_shared, &SimpleModel::activeProfileChanged, this, &ExpertView::onActiveProfileChanged);
    connect(m_device, &MouseFunctions::profileChanged, this, &ExpertView::updateProfileChange_FromMouseHid);
}

ExpertView::~ExpertView() = default;

// ------------------------------------------------------------------ set-up

void ExpertView::initSettings()
{
    SettingsFile::writeStartupDefaults(channel());
    m_calibrationPending =
        !QSettings(SettingsFile::path(), QSettings::IniFormat).value("HasDoneCalibration", false).toBool();
}

void ExpertView::setupViews()
{
    connect(ui->pushButton_mainMenu, &QPushButton::clicked, this, &ExpertView::showMainMenu);

    m_mouseImage = new MouseImage(this);
    m_mouseImage->setMaximumWidth(mouseImageMaxWidth);
    m_mouseImage->setMinimumHeight(mouseImageMinHeight);
    ui->verticalLayout_mouse->insertWidget(1, m_mouseImage);
    connect(m_mouseImage, &MouseImage::clicked, this, &ExpertView::setMapPage);

    m_pageButtons = {ui->pushButton_settings, ui->pushButton_mappings, ui->pushButton_tilt_lr, ui->pushButton_tilt_fb};
    for (int i = 0; i < m_pageButtons.size(); ++i) {
        setLook(i, i == 0 ? Selected : Idle);
        connect(m_pageButtons.at(i), &QPushButton::clicked, this, &ExpertView::pageClick);
        m_pageButtons.at(i)->installEventFilter(this);
    }

    m_tree = new ProfilesView(ui->centralWidget);
    ui->horizontalLayout_mid->addWidget(m_tree);
    m_strip = new ProfileScroller(ui->frame_top, m_tree);
    ui->horizontalLayout_frame_top->insertWidget(2, m_strip);

    connect(m_tree, &ProfilesView::setLogoColor, m_mouseImage, &MouseImage::setLogoColor);
    connect(m_tree, &ProfilesView::pageUpdate, this, &ExpertView::pageUpdate);
    connect(m_tree, &ProfilesView::activeProfilesChanged, this, &ExpertView::onActiveProfilesChanged);
    connect(m_tree, &ProfilesView::activeProfileChange, this, &ExpertView::setActiveProfile);
    connect(m_tree, &ProfilesView::activeEntryChange, this, &ExpertView::setActiveEntry);
    connect(m_tree, &ProfilesView::autoSwitched, this, &ExpertView::activeProfileChangeByApp);
    connect(m_tree, &ProfilesView::globalProfileActivated, m_strip, &ProfileScroller::setActiveGlobal);
    connect(m_tree, &ProfilesView::profileActivated, m_strip, &ProfileScroller::setActiveProfile);
    connect(m_strip, &ProfileScroller::globalProfileClicked, m_tree, &ProfilesView::setCurrentGlobal);
    connect(m_strip, &ProfileScroller::parentProfileClicked, m_tree, &ProfilesView::setCurrentParent);
    connect(m_strip, &ProfileScroller::subProfileClicked, m_tree, &ProfilesView::setCurrentSub);
    connect(m_tree, &ProfilesView::currentProfileChanged, m_strip, &ProfileScroller::setCurrentProfile);
    connect(m_tree, &ProfilesView::currentProfileChanged, this, &ExpertView::setSettingsProfileName);
    connect(m_tree, &ProfilesView::addProfile, m_strip, &ProfileScroller::addProfile);
    connect(m_tree, &ProfilesView::addParentProfile, m_strip, &ProfileScroller::addParentProfile);
    connect(m_tree, &ProfilesView::addSubProfile, m_strip, &ProfileScroller::addSubProfile);
    connect(m_strip, &ProfileScroller::profileAdded, m_tree, &ProfilesView::createProfile);
    connect(m_tree, &ProfilesView::renameProfile, m_strip, &ProfileScroller::renameProfile);
    connect(m_tree, &ProfilesView::renameSubProfile, m_strip, &ProfileScroller::renameSubProfile);
    connect(m_tree, &ProfilesView::deleteCurrentProfile, m_strip, &ProfileScroller::deleteProfile);
    connect(ui->horizontalSlider_connect, &QSlider::valueChanged, this, &ExpertView::manualConnectionStatus);
    styleToggleSlider(ui->horizontalSlider_connect, false);

    QComboBox *placeholder = ui->place_for_active_profile_combobox;
    m_activeBox = new ComboBox(placeholder, ui->frame_bottom);
    m_activeBox->setObjectName(QStringLiteral("comboBox_activeProfile"));
    m_activeBox->addSelectedItemStyle();
    delete ui->frame_bottom->layout()->replaceWidget(placeholder, m_activeBox, Qt::FindChildrenRecursively);
    delete placeholder;
    ui->place_for_active_profile_combobox = nullptr;
    connect(m_activeBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ExpertView::manualActiveProfileChange);

    connect(m_model, &PackageCreator::updateMemoryUsed, this, &ExpertView::memoryBar);
    ui->widget_updatesHere->hide();
    connect(ui->pushButton_save, &QPushButton::clicked, this, &ExpertView::saveButton);
    connect(ui->pushButton_simple_mode, &QPushButton::clicked, this, &ExpertView::simpleModeButton);

    // Queued: the tree itself announces deletions and renames through the
    // shared model, from the middle of its own handling of them.
    connect(m_shared, &SimpleModel::profilesListChanged, this, &ExpertView::onProfilesListChanged,
            Qt::QueuedConnection);
    connect(m_shared, &SimpleModel::profileNameChanged, this, &ExpertView::onProfileNameChanged, Qt::QueuedConnection);
    connect(m_shared, &SimpleModel::autoSwitchingChanged, m_tree, &ProfilesView::onAutoSwitchingChanged);

    const QSettings settings(SettingsFile::path(), QSettings::IniFormat);
    if (settings.value("ExpertViewSideBySide", false).toBool())
        resize(2280, height());
    if (settings.value("ExpertViewShowPressRelease", false).toBool())
        resize(width(), 1000);
}

void ExpertView::setupAddProfile()
{
    // The dialog is made when first asked for.
    connect(m_strip, &ProfileScroller::showAdd, this, [this](const QList<QStringList> &profiles, bool isGlobal) {
        addProfileDialog()->show(profiles, isGlobal);
    });
    connect(m_strip, &ProfileScroller::showAddForCurrent, this, [this](const QStringList &profile, bool isGlobal) {
        addProfileDialog()->showNoParents(profile, isGlobal);
    });
    connect(ui->pushButton_update, &QPushButton::clicked, this, &ExpertView::startUpdate);
}

AddProfile *ExpertView::addProfileDialog()
{
    if (!m_addProfile) {
        m_addProfile = new AddProfile(this);
        connect(m_addProfile, &AddProfile::addProfile, m_strip, &ProfileScroller::addProfile);
    }
    return m_addProfile;
}

int ExpertView::channel() const
{
    return m_update ? m_update->channel() : int(SettingsFile::ChannelPublic);
}

void ExpertView::setVersionText(const QString &suffix)
{
    QString title = productName + " " + versionString;
    if (!suffix.isEmpty())
        title += " " + suffix + " - included FW: " + QString::number(requiredFirmwareBuild.toInt());
    setWindowTitle(title);
    ui->label_driver_fw_version->setText(tr("Up To Date") + " (" + versionString + ")");
}

// ------------------------------------------------------------------ showing

void ExpertView::activateView()
{
    restorePage();
    raise();
    activateWindow();
}

void ExpertView::restorePage()
{
    const int page = m_page->page;
    if (page >= 1 && page <= 3) {
        rebuildProfiles(false);
        if (page == 3)
            m_mouseImage->selectButton(m_page->buttonId);
        else
            choosePage(page == 1 ? ui->pushButton_settings : ui->pushButton_mappings);
    }
    pageUpdate();
    show();
}

void ExpertView::rebuildProfiles(bool refreshOnly)
{
    const LoadingGuard loading(m_model);
    {
        // Clearing selects the global tab, which would make it current.
        const QSignalBlocker quiet(m_strip);
        m_strip->clear();
    }
    m_strip->syncWithModel();
    if (refreshOnly) {
        m_tree->onProfileNameChanged();
        m_tree->setCurrent(m_tree->currentPage());
    } else {
        m_tree->syncWithProfiles();
    }
}

void ExpertView::onProfilesListChanged()
{
    rebuildProfiles(false);
}

void ExpertView::onProfileNameChanged()
{
    rebuildProfiles(true);
}

void ExpertView::simpleModeButton()
{
    m_page->page = 0;
    emit toSimpleView();
}

void ExpertView::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (isFullScreen()) {
        showMinimized();
        return;
    }
    hide();
    emit hidden();
}

// ------------------------------------------------------------------ pages

void ExpertView::setLook(int button, Look look)
{
    m_pageButtons.at(button)->setIcon(QIcon(m_pixmaps[button][look]));
}

bool ExpertView::eventFilter(QObject *watched, QEvent *event)
{
    int button = 0;
    while (button < m_pageButtons.size() && m_pageButtons.at(button) != watched)
        ++button;
    if (button == m_pageButtons.size() || !m_pageButtons.at(button)->isEnabled())
        return QMainWindow::eventFilter(watched, event);
    const auto leftButton = [event] { return static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton; };
    if (m_pageButtons.at(button)->isChecked()) {
        if (event->type() == QEvent::MouseButtonPress && leftButton())
            setLook(button, Selected);
        return false;
    }
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::HoverEnter:
        setLook(button, Hover);
        break;
    case QEvent::Leave:
    case QEvent::HoverLeave:
        setLook(button, Idle);
        break;
    case QEvent::MouseButtonRelease:
        if (!leftButton())
            break;
        for (int other = 0; other < m_pageButtons.size(); ++other)
            setLook(other, other == button ? Selected : Idle);
        break;
    default:
        break;
    }
    return false;
}

void ExpertView::choosePage(QPushButton *button)
{
    button->click();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    eventFilter(button, &press);
}

void ExpertView::pageClick(bool checked)
{
    auto *button = qobject_cast<QPushButton *>(sender());
    const int page = m_pageButtons.indexOf(button);
    if (page < 0)
        return;
    if (!checked)
        button->setChecked(true);
    for (QPushButton *other : qAsConst(m_pageButtons)) {
        if (other != button)
            other->setChecked(false);
    }
    switch (page) {
    case 0:
        m_tree->showSettings();
        break;
    case 1:
        m_tree->showAllMappings();
        break;
    case 2:
        m_tree->showTiltLeftRight();
        break;
    default:
        m_tree->showTiltForwardBack();
        break;
    }
    m_mouseImage->clearSelection();
    if (page >= 2 && m_calibrationPending && m_switch.connected() && m_device->isVModel()) {
        m_calibrationPending = false;
        mainMenuHandler(5);
    }
}

void ExpertView::pageUpdate()
{
    const QList<QPushButton *> buttons = m_pageButtons;
    for (QPushButton *button : buttons) {
        if (button->isChecked())
            emit button->clicked(true);
    }
    m_mouseImage->emitSelected();
}

void ExpertView::setMapPage(int buttonId)
{
    for (int button = 0; button < m_pageButtons.size(); ++button) {
        m_pageButtons.at(button)->setChecked(false);
        setLook(button, Idle);
    }
    m_tree->showButtonMappings(buttonId);
}

void ExpertView::setSettingsProfileName(const QString &name)
{
    m_page->page = 1;
    ui->pushButton_settings->setText((name.isEmpty() ? globalProfileName : name) + " " + tr("Settings"));
    pageUpdate();
}

void ExpertView::disableUiBasedOnMouse()
{
    const int productId = m_device->mousePID();
    const bool tilt = m_device->isVModel();
    for (int button = 2; button < 4; ++button) {
        m_pageButtons.at(button)->setEnabled(tilt);
        setLook(button, Idle);
    }
    if (!tilt && (ui->pushButton_tilt_lr->isChecked() || ui->pushButton_tilt_fb->isChecked()))
        choosePage(ui->pushButton_mappings);
    if (isVisible())
        restorePage();

    QString logo;
    switch (productId) {
    case 5:
        logo = QStringLiteral(":/pic/v_logo.png");
        break;
    case 10:
        logo = QStringLiteral(":/pic/tamsel_logo.png");
        break;
    case 20:
        logo = QStringLiteral(":/pic/pelkin_logo.png");
        break;
    case 30:
        logo = QStringLiteral(":/pic/v2_logo.png");
        break;
    default:
        break;
    }
    const QPixmap picture(logo);
    if (picture.isNull()) {
        ui->label_logo->hide();
        return;
    }
    ui->label_logo->setPixmap(picture);
    ui->label_logo->show();
}

// ------------------------------------------------------------------ main menu and updates

void ExpertView::showMainMenu()
{
    if (!m_mainMenu) {
        m_mainMenu = new MainMenu(this);
        connect(m_mainMenu, &MainMenu::itemSelected, this, &ExpertView::mainMenuHandler);
        connect(m_mainMenu, &MainMenu::recheckConnection, this, &ExpertView::recheckConnection);
        if (m_update)
            connect(m_update, &SWUpdate::toggleFWCheck, m_mainMenu, &MainMenu::toggleFWCheck);
    }
    m_mainMenu->setLayoutMode(channel());
    QPushButton *button = ui->pushButton_mainMenu;
    button->setAttribute(Qt::WA_UnderMouse, false);
    button->update();
    m_mainMenu->showAt(button->mapToGlobal(button->rect().bottomLeft() + QPoint(0, 4)));
}

void ExpertView::mainMenuHandler(int item)
{
    mainMenuActions()->handle(item);
}

ExpertMainMenu *ExpertView::mainMenuActions()
{
    if (!m_menuActions) {
        ExpertMainMenu::Window window;
        window.window = this;
        window.tree = m_tree;
        window.strip = m_strip;
        window.activeBox = m_activeBox;
        window.update = m_update;
        window.connectionOn = [this] { return switchShowsOn(); };
        window.mouseConnected = [this] { return m_switch.connected(); };
        window.save = [this] { return saveButton(); };
        window.pageUpdate = [this] { pageUpdate(); };
        // A refilled model is no edit of the user's: Save stays as the save leaves it.
        window.memoryBar = [this] { showMemoryUse(false); };
        window.showSettingsPage = [this] { choosePage(ui->pushButton_settings); };
        window.clearFirmwareRequired = [this] {
            m_firmwareRequired = false;
            showUpdateWidget();
        };
        m_menuActions = new ExpertMainMenu(window, this);
    }
    return m_menuActions;
}

void ExpertView::channelChanged(int channel)
{
    setVersionText(channel == SettingsFile::ChannelPublic ? QString() : SWUpdate::channelName(channel));
}

void ExpertView::swUpdateAvailable(bool isShown)
{
    m_newVersion = isShown;
    showUpdateWidget();
}

void ExpertView::fwUpdateAvailable(bool isShown)
{
    m_firmwareRequired = isShown;
    showUpdateWidget();
}

void ExpertView::showUpdateWidget()
{
    const bool any = m_newVersion || m_firmwareRequired;
    ui->widget_upToDate->setVisible(!any);
    ui->widget_updatesHere->setVisible(any);
    if (m_newVersion)
        ui->label_updateHere->setText(tr("New Driver Available"));
    else if (m_firmwareRequired)
        ui->label_updateHere->setText(tr("Firmware Update Required"));
}

void ExpertView::startUpdate()
{
    if (m_newVersion) {
        m_newVersion = false;
        showUpdateWidget();
        if (m_update)
            m_update->upgrade();
    } else if (m_firmwareRequired) {
        m_firmwareRequired = false;
        ui->widget_upToDate->show();
        ui->widget_updatesHere->hide();
        manualConnectionStatus(ui->horizontalSlider_connect->value());
    }
}

// ------------------------------------------------------------------ connection, memory and saving

bool ExpertView::switchShowsOn() const
{
    return ui->horizontalSlider_connect->value() == 1;
}

void ExpertView::apply(const ConnectionSwitch::Outcome &outcome, bool mayEnableSave)
{
    if (outcome.modelUi)
        disableUiBasedOnMouse();
    if (ui->horizontalSlider_connect->value() != outcome.switchValue)
        styleToggleSlider(ui->horizontalSlider_connect, outcome.switchValue == 1);
    if (outcome.picture)
        m_mouseImage->setConnected(*outcome.picture);
    if (!outcome.label.isEmpty())
        ui->label_memory->setText(outcome.label);
    if (outcome.enableSave && mayEnableSave)
        ui->pushButton_save->setEnabled(true);
    if (outcome.message != ConnectionSwitch::Message::None)
        showMessage(outcome.message, outcome.reason);
    if (outcome.save)
        saveButton();
    if (!outcome.label.isEmpty())
        ui->progressBar_memory->setValue(outcome.bar);
    if (outcome.memoryBar)
        showMemoryUse(false);
}

void ExpertView::showMessage(ConnectionSwitch::Message message, const QString &reason)
{
    QString text;
    switch (message) {
    case ConnectionSwitch::Message::NoMouse:
        text = tr("No mouse detected, please check the Corvanelle V is\nplugged in, and press 'Ok'");
        break;
    case ConnectionSwitch::Message::TooManyMappings:
        text = tr("There are too many mappings to store in the mouse\nmemory. Some mappings will need to be deleted, "
                  "to\ncontinue.\nTo preserve mappings, they can be exported, and\nimported.");
        break;
    case ConnectionSwitch::Message::UploadFailed:
        text = tr("The profiles could not be stored in the mouse:\n%1\nThey are saved on this computer; press "
                  "Save to try again.")
                   .arg(DisplayText::forRichText(reason));
        break;
    case ConnectionSwitch::Message::None:
        return;
    }
    CustomMessageBox box(this, text, tr("Ok"), QString(), QString());
    box.exec();
}

void ExpertView::setConnectionStatus(bool on)
{
    apply(m_switch.setOn(on));
}

void ExpertView::autoConnectionStatus(bool connected)
{
    apply(m_switch.autoConnection(connected));
}

void ExpertView::manualConnectionStatus(int)
{
    apply(m_switch.manualMove());
}

void ExpertView::recheckConnection(int value)
{
    apply(m_switch.recheck(value == 1));
    if (value == 0) {
        m_firmwareRequired = false;
        showUpdateWidget();
    }
}

void ExpertView::resetConnectionToggle()
{
    if (switchShowsOn())
        styleToggleSlider(ui->horizontalSlider_connect, false);
}

void ExpertView::memoryBar()
{
    showMemoryUse(true);
}

void ExpertView::showMemoryUse(bool afterEdit)
{
    apply(m_switch.memory(isVisible()), afterEdit);
}

SaveSequence::Result ExpertView::saveButton()
{
    ui->pushButton_save->setFocus();
    const SaveSequence::Result result = SaveSequence::run(switchShowsOn(), m_device, m_store);
    apply(m_switch.uploadEnded(result.uploadFailed(), result.uploadReason, isVisible()));
    if (isVisible())
        m_tree->emitLogoColor();
    return result;
}

void ExpertView::foregroundChange(const QString &foregroundApp)
{
    if (!switchShowsOn() || foregroundApp == m_previousForeground || m_device->waitState() != MouseFunctions::WaitIdle
        || m_model->loading)
        return;
    // Leaving this program with edits not saved yet saves them.
    const QString self = ownExecutableName();
    if (m_previousForeground == self && foregroundApp != self && ui->pushButton_save->isEnabled())
        saveButton();
    m_previousForeground = foregroundApp;
    m_tree->foregroundChange(foregroundApp);
}

// ------------------------------------------------------------------ active profile

void ExpertView::onActiveProfilesChanged(const QStringList &profiles, int activeIndex)
{
    if (m_listDeferred) {
        m_deferredList = qMakePair(profiles, activeIndex);
        return;
    }
    {
        const QSignalBlocker quiet(m_activeBox);
        m_activeBox->clear();
        m_activeBox->setItems(profiles);
        m_activeBox->setCurrentIndex(activeIndex);
    }
    m_tray->buildTrayMenu(profiles, activeIndex);
}

int ExpertView::trayProfileCount() const
{
    return m_tray->profileActionCount();
}

void ExpertView::checkTrayProfile(int index)
{
    m_tray->checkProfile(index);
}

void ExpertView::manualActiveProfileChange(int index)
{
    // A cleared box reports -1: no entry was chosen.
    if (index < 0)
        return;
    m_tree->activateListEntry(index);
    if (switchShowsOn() && ui->pushButton_save->isEnabled())
        saveButton();
    checkTrayProfile(index);
}

void ExpertView::setActiveProfile(const QString &name, bool forced)
{
    setActiveEntry(m_activeBox->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive), forced);
}

void ExpertView::setActiveEntry(int position, bool forced)
{
    // A name or position the box does not hold changes nothing: going to -1
    // would read as a choice of another entry and end automatic switching.
    if (position < 0 || position >= m_activeBox->count())
        return;
    const bool shown = position == m_activeBox->currentIndex();
    m_activeBox->setCurrentIndex(position);
    if (forced && shown)
        manualActiveProfileChange(position);
}

void ExpertView::menusetActiveProfile(int position)
{
    if (position >= 0 && position < m_activeBox->count())
        m_activeBox->setCurrentIndex(position);
}

void ExpertView::activeProfileChangeByApp()
{
    if (switchShowsOn() && ui->pushButton_save->isEnabled())
        saveButton();
}

void ExpertView::updateProfileChangeUi(int index, int subIndex)
{
    const int position = m_tree->profilePosition(index, subIndex);
    if (!switchShowsOn() || m_model->loading || position <= 0)
        return;
    if (m_activeBox->currentIndex() != 0) {
        if (position < trayProfileCount()) {
            const QSignalBlocker quiet(m_activeBox);
            m_activeBox->setCurrentIndex(position);
            checkTrayProfile(position);
        }
        return;
    }
    if (!m_model->autoSwitching() || !m_model->profileHasLinkedApp(m_previousForeground, index, subIndex))
        return;
    LastSelectedEntry entry;
    entry.path = m_previousForeground;
    entry.profileIndex = index;
    entry.value = subIndex;
    if (m_model->updateLastSelected(entry))
        m_store->save();
}

void ExpertView::updateProfileChange_FromMouseHid(int index, int subIndex)
{
    if (!switchShowsOn() || m_model->loading)
        return;
    updateProfileChangeUi(index, subIndex);
    m_tree->setActiveByIndex(index, subIndex, false);
}

void ExpertView::autoActiveProfileChange(int index, int subIndex)
{
    if (!switchShowsOn() || m_model->loading)
        return;
    updateProfileChangeUi(index, subIndex);
    m_tree->setActiveByIndex(index, subIndex, true);
}

void ExpertView::onActiveProfileChanged()
{
    const ProfileData *active = m_shared->activeProfile();
    if (active)
        autoActiveProfileChange(active->index, active->subIndex);
}
