#include "ForceCalibration.h"

#include "CalibrationStyle.h"
#include "ExpectedReply.h"
#include "ForceCalibrator.h"
#include "ForceLevelProgressBar.h"
#include "ForcePercentHandler.h"
#include "InitialClickedHandler.h"
#include "MouseFunctions.h"
#include "NullHandler.h"
#include "StyleProperties.h"
#include "ZeroHandler.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int countdownTicks = 10;
constexpr int countdownTickMs = 100;
// Storing again while another command still waits for its reply.
constexpr int busyRetryMs = 10;
constexpr Qt::Alignment textAlignment = Qt::AlignHCenter | Qt::AlignVCenter | Qt::AlignTop;

QString introText()
{
    return ForceCalibration::tr("Here you can recalibrate the force sensors on your mouse.\n\nEnsure that your hand is "
                                "off the mouse after clicking 'Calibrate'.");
}

QString countdownText()
{
    return ForceCalibration::tr("Ensure your hand is not touching the mouse\n\nStarting calibration in: ");
}

QLabel *dialogLabel(const QString &text, const char *objectName)
{
    auto *label = new QLabel(text);
    label->setObjectName(QLatin1String(objectName));
    label->setProperty("label_type", "dialog");
    return label;
}

QPushButton *dialogButton(const QString &text, const char *objectName, const char *type)
{
    auto *button = new QPushButton(text);
    button->setObjectName(QLatin1String(objectName));
    button->setProperty("button_type", type);
    return button;
}

void setPageMargins(QVBoxLayout *layout)
{
    layout->setContentsMargins(30, 42, 29, 30);
}
} // namespace

ForceCalibration::ForceCalibration(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint)
    , m_mouse(MouseFunctions::instance())
    , m_model(this)
    , m_calibrator(new Force::Calibrator(&m_model, this))
    , m_uiModel(this)
    , m_nullHandler(new NullHandler(&m_uiModel, &m_model, m_calibrator, this))
    , m_zeroHandler(new ZeroHandler(&m_uiModel, &m_model, m_calibrator, this))
    , m_initialClickedHandler(new InitialClickedHandler(&m_uiModel, &m_model, m_calibrator, this))
    , m_forcePercentHandler(new ForcePercentHandler(&m_uiModel, &m_model, m_calibrator, this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setMinimumSize(400, 200);
    m_model.setObjectName(QStringLiteral("forceModel"));
    m_uiModel.setObjectName(QStringLiteral("uiModel"));
    m_uiModel.setCurrentLevel(Force::none);
    m_uiModel.resetLevels();
    m_uiModel.setCurrentStage(m_nullHandler);

    const QString key = CalibrationStyle::modelKey(m_mouse->mousePID());
    m_pages = new QStackedWidget;
    m_pages->setObjectName(QStringLiteral("pages"));
    buildStartPage(key);
    buildProgressPage(key);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);

    connect(m_calibrator, &Force::Calibrator::StageComplete, this, &ForceCalibration::StageComplete);
    connect(m_calibrator, &Force::Calibrator::ReportActivationChange, this, &ForceCalibration::ReportActivationChange);
    connect(&m_uiModel, &CalibrationUiModel::reportResult, this, [this](int result) {
        if (result == CalibrationUiModel::resultFailed)
            m_stage = StageFailed;
        HandleStateChange(result);
    });
    connect(&m_uiModel, &CalibrationUiModel::changed, this, &ForceCalibration::refreshView);
}

ForceCalibration::~ForceCalibration()
{
    // The calibrator switches the stream off as it ends, waiting for the
    // mouse while events are delivered: nothing may start a stage meanwhile.
    m_stage = StageNone;
    m_uiModel.setCurrentStage(m_nullHandler);
    for (QTimer *timer : findChildren<QTimer *>())
        timer->stop();
    if (m_mouse)
        disconnect(m_mouse, nullptr, this, nullptr);
    disconnect(&m_uiModel, nullptr, this, nullptr);
    delete m_calibrator;
    m_calibrator = nullptr;
}

void ForceCalibration::buildStartPage(const QString &modelKey)
{
    auto *page = new QFrame;
    page->setObjectName(QStringLiteral("startPage"));
    page->setProperty("frame_type", "dialog_background");
    page->setMinimumSize(400, 200);
    auto *layout = new QVBoxLayout(page);
    layout->setSpacing(40);
    setPageMargins(layout);
    layout->setAlignment(textAlignment);

    QLabel *heading = dialogLabel(tr("Force Sensor Calibration"), "headingLabel");
    heading->setMargin(10);
    heading->setAlignment(textAlignment);
    m_startText = dialogLabel(introText(), "startTextLabel");

    m_sensorCombo = new QComboBox;
    m_sensorCombo->setObjectName(QStringLiteral("sensorCombo"));
    m_sensorCombo->setFixedHeight(38);
    m_sensorCombo->setProperty("combo_type", "rgb_oled");
    m_sensorCombo->setMouseTracking(false);
    m_sensorCombo->setAttribute(Qt::WA_TranslucentBackground);
    // The item index is the sensor index; the right button's sensors only on
    // the models that have them.
    const int sensors = m_mouse->isVModel() ? Force::sensorCount : Force::RightButton;
    for (int sensor = 0; sensor < sensors; ++sensor)
        m_sensorCombo->addItem(Force::sensorLabel(sensor));

    QPushButton *cancel = dialogButton(tr("Cancel"), "startCancelButton", "dialog_cancel");
    m_calibrateButton = dialogButton(tr("Calibrate"), "calibrateButton", "dialog");
    // Until the stored calibration was read (load).
    m_calibrateButton->setEnabled(false);
    auto *buttons = new QHBoxLayout;
    buttons->setAlignment(Qt::AlignBottom | Qt::AlignHCenter);
    buttons->addWidget(cancel);
    buttons->addWidget(m_calibrateButton);

    layout->addWidget(heading);
    layout->addWidget(m_startText);
    layout->addWidget(m_sensorCombo);
    layout->addLayout(buttons);
    StyleProperties::set({page, heading, m_startText, m_sensorCombo, cancel, m_calibrateButton},
                         StyleProperties::modelKey, modelKey);
    m_pages->addWidget(page);

    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_calibrateButton, &QPushButton::clicked, this, &ForceCalibration::startCalibration);
}

void ForceCalibration::buildProgressPage(const QString &modelKey)
{
    auto *page = new QFrame;
    page->setObjectName(QStringLiteral("progressPage"));
    page->setProperty("frame_type", "dialog_background");
    auto *layout = new QVBoxLayout(page);
    layout->setSpacing(30);
    setPageMargins(layout);
    layout->setAlignment(Qt::AlignCenter);

    m_titleLabel = dialogLabel(QString(), "titleLabel");
    m_titleLabel->setAlignment(textAlignment);
    m_instructionLabel = dialogLabel(QString(), "instructionLabel");
    m_instructionLabel->setAlignment(textAlignment);
    m_instructionLabel->setMinimumSize(350, 100);

    m_levelBar = new ForceLevelProgressBar;
    m_levelBar->setObjectName(QStringLiteral("levelBar"));
    m_levelBar->setProperty("bar_type", "force");
    m_levelBar->setOrientation(Qt::Vertical);
    m_levelBar->setMaximum(0xFFFF);
    m_levelBar->setValue(0);
    m_levelBar->setTextVisible(false);
    auto *bar = new QHBoxLayout;
    bar->setAlignment(Qt::AlignCenter);
    bar->addWidget(m_levelBar);

    m_cancelButton = dialogButton(tr("Cancel"), "cancelButton", "dialog_cancel");
    m_cancelButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_finishButton = dialogButton(tr("Finish"), "finishButton", "dialog_cancel");
    m_finishButton->hide();

    layout->addWidget(m_titleLabel);
    layout->addWidget(m_instructionLabel);
    layout->addLayout(bar);
    layout->addWidget(m_cancelButton);
    layout->addWidget(m_finishButton);
    StyleProperties::set({page, m_titleLabel, m_instructionLabel, m_levelBar, m_cancelButton, m_finishButton},
                         StyleProperties::modelKey, modelKey);
    m_pages->addWidget(page);

    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_finishButton, &QPushButton::clicked, this, &ForceCalibration::showStartPage);
}

void ForceCalibration::loadAndExec()
{
    load();
    exec();
}

bool ForceCalibration::load()
{
    bool fromMouse = false;
    const Force::Block block = m_calibrator->readCalibration(&fromMouse);
    if (fromMouse) {
        m_model.setFromBlock(block);
        m_startText->setText(introText());
    } else {
        m_startText->setText(tr("The calibration stored in the mouse could not be read.\nCheck that the mouse is "
                                "connected and open this window again."));
    }
    m_calibrateButton->setEnabled(fromMouse);
    return fromMouse;
}

void ForceCalibration::startCalibration()
{
    if (!m_calibrateButton->isEnabled())
        return;
    m_stage = StageCountdown;
    m_pages->setCurrentIndex(1);
    m_uiModel.setCalibrationButton(m_sensorCombo->currentIndex());
    m_uiModel.setTitleText(Force::sensorLabel(m_uiModel.calibrationButton()) + QStringLiteral(" - ")
                           + Force::levelLabel(Force::Zeroing));
    m_uiModel.resetLevels();
    m_uiModel.setCurrentLevel(Force::Zeroing);
    HandleStateChange(CalibrationUiModel::resultStart);
    // Once, however often a calibration starts: each report counts once.
    if (m_mouse)
        connect(m_mouse, &MouseFunctions::UserInputEvent, this, &ForceCalibration::UserInputEvent,
                Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
}

void ForceCalibration::showStartPage()
{
    m_pages->setCurrentIndex(0);
    m_cancelButton->show();
    m_finishButton->hide();
}

void ForceCalibration::startCountdown()
{
    m_uiModel.setInstructionText(countdownText());
    // A new timer for every start; the earlier ones stay, stopped.
    m_countdownTimer = new QTimer(this);
    QTimer *timer = m_countdownTimer;
    connect(timer, &QTimer::timeout, this, [this, timer, counter = countdownTicks]() mutable {
        --counter;
        m_uiModel.setInstructionText(countdownText() + QString::number(counter));
        if (counter > 0)
            return;
        timer->stop();
        emit m_uiModel.reportResult(CalibrationUiModel::resultNext);
    });
    timer->start(countdownTickMs);
}

void ForceCalibration::runHandler(StageHandler *handler)
{
    m_uiModel.setCurrentStage(handler);
    handler->activate(0);
}

void ForceCalibration::HandleStateChange(int result)
{
    constexpr int start = CalibrationUiModel::resultStart;
    // A stage that is done goes on with the next one's start.
    for (;; ++m_stage, result = start) {
        switch (m_stage) {
        case StageCountdown:
        case StageZero:
        case StageClick:
        case Stage40:
        case Stage100:
            if (result != start)
                continue;
            if (m_stage == StageCountdown)
                startCountdown();
            else
                runHandler(handlerFor(m_stage));
            return;
        case StageSucceeded:
            endCalibration();
            storeCalibration();
            return;
        case StageFailed:
            // The handler's failure text stays; nothing reaches the mouse.
            endCalibration();
            return;
        default:
            return;
        }
    }
}

StageHandler *ForceCalibration::handlerFor(int stage)
{
    switch (stage) {
    case StageZero:
        return m_zeroHandler;
    case StageClick:
        return m_initialClickedHandler;
    case Stage40:
        m_forcePercentHandler->setLevel(Force::Force40, tr("Press and click the button for the 40% force level"),
                                        tr("Once you are happy with your 40% level release the button."));
        return m_forcePercentHandler;
    default:
        m_forcePercentHandler->setLevel(Force::Force100, tr("Press and click the button for the 100% force level"),
                                        tr("Once you are happy with your 100% level release the button."));
        return m_forcePercentHandler;
    }
}

void ForceCalibration::endCalibration()
{
    m_uiModel.setCurrentStage(m_nullHandler);
    m_cancelButton->hide();
    m_finishButton->show();
}

void ForceCalibration::storeCalibration()
{
    m_uiModel.setInstructionText(tr("Calibration Successful"));
    m_uiModel.setLeftProgress(0);
    m_uiModel.setRightProgress(0);
    writeCalibration();
}

void ForceCalibration::writeCalibration()
{
    // The whole model: the block read at the start holds the other sensors'.
    switch (m_calibrator->writeCalibration(m_model)) {
    case MouseFunctions::ReplyWait::Busy:
        // The stage ended inside another command's wait: the mouse is there.
        QTimer::singleShot(busyRetryMs, this, &ForceCalibration::writeCalibration);
        return;
    case MouseFunctions::ReplyWait::NotSent:
    case MouseFunctions::ReplyWait::Disconnected:
        m_uiModel.setInstructionText(tr("Calibration failed.\n\nThe calibration could not be stored in the "
                                        "mouse.\nCheck that the mouse is connected and try again."));
        return;
    case MouseFunctions::ReplyWait::Received:
    case MouseFunctions::ReplyWait::TimedOut:
        return; // its answer is not read
    }
}

void ForceCalibration::UserInputEvent(QVector<uint8_t> data)
{
    if (data.size() < int(m_reportBuffer.size()) || data[0] != ExpectedReply::liveSampleId)
        return;
    std::copy_n(data.cbegin(), m_reportBuffer.size(), m_reportBuffer.begin());
    m_uiModel.currentStage()->input(m_reportBuffer.data());
}

void ForceCalibration::StageComplete(int currentButton, int currentLevel, int result, uint16_t forceValue)
{
    m_uiModel.currentStage()->stageComplete(currentButton, currentLevel, result, forceValue);
}

void ForceCalibration::ReportActivationChange(int actStage)
{
    m_uiModel.currentStage()->activate(actStage);
}

void ForceCalibration::refreshView()
{
    m_titleLabel->setText(m_uiModel.titleText());
    m_instructionLabel->setText(m_uiModel.instructionText());
    if (!m_calibrator || !m_calibrator->zeroSampleTaken())
        return;
    const uint16_t zero = m_uiModel.calibrationButton() > Force::LeftFingertip ? m_calibrator->rightZeroSample()
                                                                               : m_calibrator->leftZeroSample();
    const CalibrationUiModel::BarLevels bar = m_uiModel.barLevels(zero);
    m_levelBar->setMaximum(bar.maximum);
    m_levelBar->setValue(bar.value);
    m_levelBar->setZeroLevel(bar.zero);
    m_levelBar->setClickLevel(bar.click);
    m_levelBar->setP40Level(bar.p40);
    m_levelBar->setP100Level(bar.p100);
    m_levelBar->update();
}
