#include "PopupMouse.h"
#include "ui_PopupMouse.h"

#include "CalibrationProgress.h"
#include "ConfigFile.h"
#include "DlgMessageBox.h"
#include "DlgYesNo.h"
#include "ForceCalibration.h"
#include "ItemMousePercentage.h"
#include "MouseFunctions.h"
#include "PopupTexts.h"
#include "SettingsFile.h"
#include "StyleProperties.h"

#include <QSettings>
#include <QShowEvent>

PopupMouse::PopupMouse(QWidget *parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::PopupMouse>())
    , m_mouse(MouseFunctions::instance())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_TranslucentBackground);
    ui->calibrateAngles->hide();
    connect(ui->save_to_flash, &ItemLabelClickable::clicked, this, &PopupMouse::saveToFlash);
    connect(ui->clear_settings, &ItemLabelClickable::clicked, this, &PopupMouse::resetMouse);
    connect(ui->calibrateForce, &ItemLabelClickable::clicked, this, &PopupMouse::openForceCalibration);
    connect(ui->calibrateAngles, &ItemLabelClickable::clicked, this, &PopupMouse::openTiltCalibration);
}

PopupMouse::~PopupMouse() = default;

QString PopupMouse::savedText()
{
    return tr("Settings successfully saved to flash memory.\nThese will be used if the mouse is turned on and\nthe "
              "driver is not present / connected.");
}

void PopupMouse::setMemoryUsage(double percent)
{
    ui->percentage->setPercentage(percent);
}

void PopupMouse::setModelKey(const QString &key)
{
    m_modelKey = key;
    for (QWidget *widget : std::initializer_list<QWidget *>{ui->frame, ui->label, ui->save_to_flash, ui->clear_settings,
                                                            ui->calibrateForce, ui->calibrateAngles}) {
        widget->setProperty(StyleProperties::modelKey, key);
        StyleProperties::restyle(widget);
    }
    ui->calibrateAngles->setVisible(m_mouse && m_mouse->isVModel());
    fitToContents();
}

void PopupMouse::fitToContents()
{
    if (isVisible())
        adjustSize();
}

void PopupMouse::showEvent(QShowEvent *event)
{
    adjustSize();
    QWidget::showEvent(event);
}

bool PopupMouse::mouseConnected() const
{
    return m_mouse && m_mouse->waitState() != MouseFunctions::WaitDisconnected;
}

void PopupMouse::message(const QString &text)
{
    DlgMessageBox(this, text, m_modelKey).exec();
}

QWidget *PopupMouse::ownerWindow() const
{
    return parentWidget() ? parentWidget()->window() : nullptr;
}

void PopupMouse::saveToFlash()
{
    close();
    if (!mouseConnected()) {
        message(PopupTexts::noMouse());
        return;
    }
    const QString failure = storeInFlash();
    message(failure.isEmpty() ? savedText() : tr("The settings could not be saved to flash memory.\n%1").arg(failure));
}

QString PopupMouse::storeInFlash()
{
    QString reason;
    const QMetaObject::Connection heard =
        connect(m_mouse, &MouseFunctions::uploadFinished, this,
                [&reason](MouseFunctions::UploadResult, const QString &why) { reason = why; });
    const MouseFunctions::UploadResult uploaded = m_mouse->sendProfilesToMouse();
    disconnect(heard);
    ConfigFile::instance()->save(); // tells the user itself when the file could not be written
    if (uploaded != MouseFunctions::UploadOk)
        return reason.isEmpty() ? tr("The profiles could not be sent to the mouse.") : reason;

    // The store goes out at once only while the mouse is idle; otherwise it
    // would wait for a later moment and this message would be premature.
    const bool idle = m_mouse && m_mouse->isCompatibleMousePresent() && m_mouse->waitState() == MouseFunctions::WaitIdle
                      && !m_mouse->isAwaitingReply();
    if (idle)
        m_mouse->saveToFlash();
    if (!idle || !m_mouse || !m_mouse->savedToFlash() || !m_mouse->isCompatibleMousePresent())
        return tr("The mouse did not store the profiles in its flash memory.");
    return QString();
}

void PopupMouse::resetMouse()
{
    close();
    if (!mouseConnected()) {
        message(PopupTexts::noMouse());
        return;
    }
    DlgYesNo question(
        ownerWindow(),
        tr("Warning: Resetting the mouse to its default configuration will remove all custom profiles that have "
           "been saved to Flash.\n\nNote: This will not effect your profiles or settings in the Control Panel, only "
           "the profiles saved to the Flash memory on your mouse. \n\nIf you need to reset the Control Panel "
           "profiles to default as well, use the \"Load Default Profiles\" option in the main settings menu."),
        tr("Reset Mouse"), tr("Cancel"), m_modelKey, nullptr);
    question.setMinimumWidth(600);
    if (question.exec() == 1 && m_mouse)
        m_mouse->userDataReset();
}

void PopupMouse::openForceCalibration()
{
    close();
    ForceCalibration dialog(ownerWindow());
    dialog.loadAndExec();
}

void PopupMouse::openTiltCalibration()
{
    close();
    CalibrationProgress dialog(nullptr);
    dialog.setParent(ownerWindow(), Qt::Tool | Qt::FramelessWindowHint);
    dialog.showIntro();
    // Also after a cancelled calibration.
    QSettings(SettingsFile::path(), QSettings::IniFormat).setValue("HasDoneCalibration", true);
}
