#include "FWUpdate.h"

#include "ui_FWUpdate.h"

#include "MouseFunctions.h"
#include "UpdateClock.h"

#include <QCoreApplication>
#include <QDebug>

#include <exception>

namespace {

FWUpdate *theInstance = nullptr;

QString asHtml(QString text)
{
    return text.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

} // namespace

FWUpdate *FWUpdate::instance()
{
    if (!theInstance)
        theInstance = new FWUpdate;
    return theInstance;
}

void FWUpdate::destroyInstance()
{
    delete theInstance;
    theInstance = nullptr;
}

QString FWUpdate::defaultImagePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/fw/VMFW.hex");
}

FWUpdate::FWUpdate()
    : ui(std::make_unique<Ui::FWUpdate>())
    , m_device(MouseFunctions::instance())
    , m_flasher(m_blfwk)
{
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
    setAttribute(Qt::WA_TranslucentBackground);
    connect(ui->pushButton_finish, &QPushButton::clicked, this, &QWidget::hide);

    m_stepTimer.setSingleShot(true);
    connect(&m_stepTimer, &QTimer::timeout, this, &FWUpdate::stateStep);
    m_completionTimer.setSingleShot(true);
    connect(&m_completionTimer, &QTimer::timeout, this, [this] {
        if (m_state == eWaitReconnect)
            m_state = eNone;
    });

    connect(m_device, &MouseFunctions::mouseConnect, this, &FWUpdate::mouseReconnected, Qt::QueuedConnection);
    m_device->setFirmwareStateProvider([this] { return m_state; });
}

FWUpdate::~FWUpdate()
{
    if (m_device)
        m_device->setFirmwareStateProvider({});
}

bool FWUpdate::isBusy() const
{
    return m_flashing || m_state == eStartBootloader || m_state == eUploadApplication;
}

bool FWUpdate::refuseStart()
{
    if (!isBusy())
        return false;
    // A second sequence would flash inside the first one's waits.
    qWarning() << "FWUpdate: an update is already running, start refused";
    return true;
}

void FWUpdate::startCustomUpdate(const QString &path)
{
    if (refuseStart())
        return;
    qInfo() << "FWUpdate: start custom firmware update";
    m_customImagePath = path;
    const bool inBootloader = m_device && MouseFunctions::isBootloaderId(m_device->mousePID());
    start(inBootloader ? eUploadApplication : eStartBootloader);
}

void FWUpdate::restoreFirmware()
{
    if (refuseStart())
        return;
    qInfo() << "FWUpdate: Restoring firmware...";
    m_customImagePath.clear();
    start(eUploadApplication);
}

void FWUpdate::start(int state)
{
    showWorkingPage();
    setModal(true);
    show();
    if (m_device)
        m_device->setOperationMode(MouseFunctions::operationModeFirmwareUpdate);
    m_state = state;
    scheduleStep();
}

void FWUpdate::scheduleStep()
{
    m_stepTimer.start(UpdateClock::interval(stepDelayMs));
}

void FWUpdate::stateStep()
{
    if (m_flashing) {
        qWarning() << "FWUpdate: step refused while flashing";
        return;
    }
    switch (m_state) {
    case eStartBootloader:
        setProgress(1);
        if (m_device)
            m_device->startBootloader();
        m_state = eUploadApplication;
        scheduleStep();
        break;
    case eUploadApplication:
        qInfo() << "FWUpdate: UploadApplication";
        upgradeVMouse();
        break;
    case eWaitReconnect:
        m_state = eNone;
        break;
    case eNone:
        qWarning() << "FWUpdate: eNone unhandled!";
        break;
    default:
        break;
    }
}

void FWUpdate::upgradeVMouse()
{
    if (m_flashing) {
        qWarning() << "FWUpdate: flashing already running, not started again";
        return;
    }
    m_flashing = true;
    const QString source = m_customImagePath.isEmpty() ? defaultImagePath() : m_customImagePath;
    m_customImagePath.clear();
    try {
        const auto outcome = m_flasher.run(
            source, [this](int value) { setProgress(value); }, [this] { m_state = eWaitReconnect; });
        if (outcome == FirmwareFlasher::Outcome::NoBootloader)
            showFailure(tr("Failed to connect to the bootloader.\n"));
        else
            showCompletion();
    } catch (const FirmwareImage::Misplaced &error) {
        qWarning().noquote() << "FWUpdate: firmware image refused," << error.what();
        showFailure(tr("The firmware file was refused: parts of it would\nbe written to other addresses than it gives "
                       "them.\nNothing was written to the mouse.\n"));
    } catch (const std::exception &error) {
        qWarning().noquote() << "FWUpdate: exception doing upgrade" << error.what();
        showFailure(tr("Unexpected error occured\n"));
    } catch (...) {
        qWarning() << "FWUpdate: unknown exception doing upgrade";
        showFailure(tr("Unexpected error occured\n"));
    }
    m_flashing = false;
}

void FWUpdate::mouseReconnected() {}

void FWUpdate::setProgress(int value)
{
    ui->progressBar->setValue(value);
}

void FWUpdate::showWorkingPage()
{
    const QString message = tr("Do not unplug the mouse or launch any other\nsoftware until the firmware upgrade is "
                               "complete.\n\nThis should take approximately 60 seconds during \nwhich the mouse will "
                               "not operate.\n\n");
    ui->label_text->setText(QStringLiteral("<html><body><p style='line-height:24px'><span>%1</span></p></body></html>")
                                .arg(asHtml(message)));
    ui->pushButton_finish->hide();
    ui->progressBar->setValue(0);
    ui->progressBar->show();
}

void FWUpdate::showResultPage(const QString &title, const QString &message)
{
    ui->label_text->setText(QStringLiteral("<html><body><h3 style='text-align: center;'>%1</h3><p "
                                           "style='line-height:24px'><span>%2</span></p></body></html>")
                                .arg(asHtml(title), asHtml(message)));
    ui->progressBar->hide();
    ui->pushButton_finish->show();
}

void FWUpdate::showFailure(const QString &message)
{
    showResultPage(tr("Upgrade Failed"), message);
    m_state = eNone;
}

void FWUpdate::showCompletion()
{
    if (m_device)
        m_device->setOperationMode(0);
    showResultPage(tr("Upgrade Complete"), tr("If the mouse is not responding after 10 seconds,\nplease unplug, and "
                                              "plug in to another USB port\nto complete the upgrade"));
    m_completionTimer.start(UpdateClock::interval(completionDelayMs));
    show();
}
