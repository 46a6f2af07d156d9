#include "SimpleView.h"

#include "CustomBackground.h"
#include "DlgIniSettings.h"
#include "DlgMessageBox.h"
#include "HintsArea.h"
#include "MouseFunctions.h"
#include "MouseView.h"
#include "PackageCreator.h"
#include "PopupInformation.h"
#include "PopupMouse.h"
#include "ProfileArea.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SimpleViewLook.h"
#include "SimpleViewTexts.h"
#include "ui_SimpleView.h"

#include <QCloseEvent>
#include <QDebug>
#include <QFile>
#include <QFrame>
#include <QPixmap>
#include <QSettings>

namespace {

QSettings settingsFile()
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat);
}

} // namespace

SimpleView::SimpleView(QWidget *parent, SWUpdate *update)
    : QWidget(parent)
    , ui(std::make_unique<Ui::SimpleView>())
    , m_device(MouseFunctions::instance())
    , m_update(update)
{
    ui->setupUi(this);
    setupChildren();

    connect(m_device, &MouseFunctions::mouseConnect, this, &SimpleView::onMouseConnect);
    onMouseConnect(false);
    connect(PackageCreator::instance(), &PackageCreator::updateMemoryUsed, this, &SimpleView::onMemoryUsageUpdated);
    onMemoryUsageUpdated();
    reloadMouseScene();
    channelChanged(m_update ? m_update->channel() : int(SettingsFile::ChannelPublic));

    const QString background = settingsFile().value("CustomBackground", "").toString();
    if (!background.isEmpty())
        updateCustomBackground(background);
}

SimpleView::~SimpleView()
{
    // The hint bar outlives the window.
    if (m_hints)
        m_hints->setParent(nullptr);
}

void SimpleView::setupChildren()
{
    connect(ui->pushButton_expert, &QPushButton::clicked, this, &SimpleView::toExpertView);
    connect(ui->pushButton_settings, &QPushButton::clicked, this, &SimpleView::onSettingsClicked);
    connect(ui->pushButton_info, &QPushButton::clicked, this, &SimpleView::onInfoClicked);
    connect(ui->pushButton_mouse, &QPushButton::clicked, this, &SimpleView::onMouseClicked);

    createMouseScene();
    m_profileArea = new ProfileArea(ui->frame_rightSide);
    ui->verticalLayout_frameRight->insertWidget(0, m_profileArea);
    connect(m_profileArea, &ProfileArea::profileClicked, m_mouseView, &MouseView::loadCurrentProfileToView);

    m_hints = HintsArea::instance();
    ui->verticalLayout_frameRight->insertWidget(2, m_hints);
    createPopups();
}

void SimpleView::reloadProfileViews()
{
    m_profileArea->refresh();
    reloadMouseScene();
    onMemoryUsageUpdated();
}

void SimpleView::show()
{
    reloadProfileViews();
    QWidget::show();
}

void SimpleView::activateView()
{
    reloadProfileViews();
    QWidget::show();
    raise();
    activateWindow();
    // Its row fits the width the bar has once the window is visible.
    m_profileArea->refresh();
}

void SimpleView::onSettingsUpdated()
{
    reloadProfileViews();
}

void SimpleView::channelChanged(int channel)
{
    showVersionInPopup(SimpleViewTexts::versionText(channel));
    setWindowTitle(SimpleViewTexts::windowTitle(channel));
}

void SimpleView::fwUpdateAvailable(bool isShown)
{
    showFirmwareNoticeInPopup(isShown);
}

void SimpleView::onMouseConnect(bool connected)
{
    const SimpleViewLook look = SimpleViewLook::forProductId(m_device->mousePID());
    m_modelKey = look.modelKey;
    showModelInMouseScene(look.colourScheme, connected);
    m_profileArea->setModelKey(look.modelKey);
    ui->pushButton_mouse->setEnabled(connected);
    if (look.logo.isEmpty()) {
        ui->label_mouseLogo->hide();
    } else {
        ui->label_mouseLogo->setPixmap(QPixmap(look.logo));
        // Showing a label polishes it, shown or not: one never hidden is left be.
        if (ui->label_mouseLogo->isHidden())
            ui->label_mouseLogo->show();
    }
    showModelInPopups(look.modelKey);
}

void SimpleView::onMemoryUsageUpdated()
{
    const MemoryCrossing::Step step = m_memory.check(m_device->memoryUsedPercent(), isVisible());
    if (!step.changed)
        return;
    if (m_redDot) {
        m_redDot->setVisible(step.over);
    } else if (step.over) {
        m_redDot = new QFrame(ui->pushButton_mouse);
        m_redDot->setProperty("frame_type", "red_dot");
        m_redDot->setFixedSize(10, 10);
        m_redDot->setGeometry(ui->pushButton_mouse->width() - 8, -2, 10, 10);
        m_redDot->show();
    }
    if (step.messageDue) {
        DlgMessageBox message(
            this,
            tr("Your profiles cannot be saved as there are too many to fit in mouse memory.\nTo complete the save some "
               "mappings or profiles will need to be removed.\n\nTo avoid loosing these perminantly you can export "
               "any profiles that you\nare not currently using via the main menu in expert mode."),
            m_modelKey);
        message.exec();
    }
}

void SimpleView::onSettingsClicked()
{
    DlgIniSettings dialog(this, m_modelKey, m_update);
    connect(&dialog, &DlgIniSettings::setCustomBackground, this, &SimpleView::updateCustomBackground);
    connect(&dialog, &DlgIniSettings::removeCustomBackground, this, &SimpleView::deleteCustomBackground);
    connect(&dialog, &DlgIniSettings::dataUpdated, this, &SimpleView::onSettingsUpdated);
    dialog.exec();
}

void SimpleView::onInfoClicked()
{
    openInformationPopup();
}

void SimpleView::onMouseClicked()
{
    openMousePopup();
}

void SimpleView::openInformationPopup()
{
    m_infoPopup->setSoftwareUpdateAvailable(m_update && m_update->isUpdateAvailable());
    m_infoPopup->show();
    const QPoint centre = besideButton(ui->pushButton_info);
    m_infoPopup->move(centre.x() + 50, centre.y() - m_infoPopup->height() / 2);
}

void SimpleView::openMousePopup()
{
    m_mousePopup->setMemoryUsage(m_device->memoryUsedPercent());
    m_mousePopup->show();
    const QPoint centre = besideButton(ui->pushButton_mouse);
    m_mousePopup->move(centre.x() + 50, centre.y() - m_mousePopup->height() / 2 + 20);
}

void SimpleView::updateCustomBackground(const QString &path)
{
    // Also applied at start-up from the key itself, which stays untouched then.
    QSettings settings = settingsFile();
    SettingsFile::writeIfChanged(settings, "CustomBackground", path);
    ui->widget_background->setStyleSheet(CustomBackground::styleSheet(path));
}

void SimpleView::deleteCustomBackground()
{
    QSettings settings = settingsFile();
    const QString path = settings.value("CustomBackground", "").toString();
    // The key is editable: only the settings dialog's own copy is deleted.
    if (CustomBackground::isOwnCopy(path, SettingsFile::folder())) {
        if (!QFile::remove(path))
            qWarning().noquote() << "SimpleView: background not deleted:" << path;
    } else if (!path.isEmpty()) {
        qWarning().noquote() << "SimpleView: background left in place, not a picture of the settings folder:" << path;
    }
    settings.setValue("CustomBackground", "");
    ui->widget_background->setStyleSheet(QString());
}

void SimpleView::closeEvent(QCloseEvent *event)
{
    if (m_update)
        m_update->close();
    event->ignore();
    if (isFullScreen()) {
        showMinimized();
        return;
    }
    hide();
    emit hidden();
}

bool SimpleView::isFirmwareUpdateShown() const
{
    return m_infoPopup->isFirmwareUpdateRequired();
}

QuickConfig *SimpleView::quickConfig() const
{
    return m_mouseView ? m_mouseView->editor() : nullptr;
}

void SimpleView::createMouseScene()
{
    m_mouseView = new MouseView(ui->widget_main);
    ui->verticalLayout_main->addWidget(m_mouseView);
}

void SimpleView::reloadMouseScene()
{
    m_mouseView->loadCurrentProfileToView();
}

void SimpleView::showModelInMouseScene(int colourScheme, bool connected)
{
    m_mouseView->updateMouseScheme(colourScheme, connected);
}

void SimpleView::createPopups()
{
    m_infoPopup = new PopupInformation(this, m_update);
    connect(m_infoPopup, &PopupInformation::displayHints, m_hints, &QWidget::setVisible);
    connect(m_hints, &HintsArea::closed, m_infoPopup, &PopupInformation::hintsClosed);
    m_mousePopup = new PopupMouse(this);
}

void SimpleView::showVersionInPopup(const QString &text)
{
    m_infoPopup->setVersionText(text);
}

void SimpleView::showModelInPopups(const QString &key)
{
    m_mousePopup->setModelKey(key);
    m_infoPopup->setModelKey(key);
}

void SimpleView::showFirmwareNoticeInPopup(bool required)
{
    m_infoPopup->setFirmwareUpdateRequired(required);
}

// A pop-up stands beside its side-bar button, centred on it.
QPoint SimpleView::besideButton(const QWidget *button) const
{
    return mapToGlobal(button->geometry().center());
}
