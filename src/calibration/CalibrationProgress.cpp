#include "CalibrationProgress.h"

#include "CalibrationStyle.h"
#include "MouseFunctions.h"
#include "StyleProperties.h"
#include "ui_CalibrationProgress.h"

#include <QSpacerItem>
#include <QTimer>

namespace {
// Trying again while another command still waits for its reply.
constexpr int busyRetryMs = 100;

QString headedText(const QString &heading, const QString &text)
{
    return QStringLiteral("<html><body><h3 style='text-align: center;'>%1</h3><p style='line-height:24px'><span>%2"
                          "</span></p></body></html>")
        .arg(heading, QString(text).replace(QLatin1Char('\n'), QLatin1String("<br>")));
}
} // namespace

CalibrationProgress::CalibrationProgress(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::calibrationProgress>())
    , m_mouse(MouseFunctions::instance())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
    const QString key = CalibrationStyle::modelKey(m_mouse->mousePID());
    setStyleSheet(QString());
    ui->frame->setProperty("frame_type", "dialog_background");
    ui->label_text->setProperty("label_type", "dialog");
    ui->pushButton_cancel->setProperty("button_type", "dialog_cancel");
    ui->pushButton_accept->setProperty("button_type", "dialog");
    StyleProperties::set({ui->frame, ui->label_text, ui->pushButton_cancel, ui->pushButton_accept},
                         StyleProperties::modelKey, key);
    connect(ui->pushButton_accept, &QPushButton::clicked, this, &CalibrationProgress::startCalibration);
    connect(ui->pushButton_cancel, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_mouse, &MouseFunctions::mouseConnect, this, &CalibrationProgress::mouseConnected);
}

CalibrationProgress::~CalibrationProgress() = default;

void CalibrationProgress::showIntro()
{
    if (m_mouse && m_mouse->operationMode() == blockedOperationMode)
        return;
    ui->label_text->setText(tr("Place The V flat on your desk in an orientation and\nposition where it is most "
                               "used.\n\nAfter clicking 'Start Calibration' remove your hand\nfrom the mouse.\n"));
    ui->progressBar->hide();
    exec();
}

void CalibrationProgress::startCalibration()
{
    if ((m_mouse && m_mouse->operationMode() == blockedOperationMode) || m_state != State::Intro)
        return;
    ui->label_text->setText(headedText(tr("Tilt Calibration in Progress..."),
                                       tr("Do not touch the mouse, or unplug during the\ncalibration process.")));
    ui->pushButton_cancel->hide();
    ui->pushButton_accept->hide();
    ui->progressBar->setValue(0);
    ui->progressBar->show();
    m_progress = 0;
    m_state = State::Counting;
    m_timer = new QTimer(this);
    m_timer->setInterval(tickMs);
    connect(m_timer, &QTimer::timeout, this, &CalibrationProgress::tick);
    m_timer->start();
}

void CalibrationProgress::tick()
{
    m_progress += progressStep;
    ui->progressBar->setValue(m_progress);
    if (m_progress < countEnd)
        return;
    m_timer->stop();
    sendCalibration();
}

void CalibrationProgress::sendCalibration()
{
    if (m_state != State::Counting)
        return; // failed meanwhile
    m_state = State::Sending;
    const MouseFunctions::ReplyWait sent = m_mouse ? m_mouse->calibrateIMU() : MouseFunctions::ReplyWait::NotSent;
    switch (sent) {
    case MouseFunctions::ReplyWait::Busy:
        // Another command waits for its reply: the mouse is there, and takes
        // this one once that is done.
        m_state = State::Counting;
        QTimer::singleShot(busyRetryMs, this, &CalibrationProgress::sendCalibration);
        return;
    case MouseFunctions::ReplyWait::NotSent:
    case MouseFunctions::ReplyWait::Disconnected:
        showFailed();
        return;
    case MouseFunctions::ReplyWait::Received:
    case MouseFunctions::ReplyWait::TimedOut:
        // The mouse's answer is not read: a time-out is no failure.
        showComplete();
        return;
    }
}

void CalibrationProgress::mouseConnected(bool connected)
{
    if (connected || m_state != State::Counting)
        return;
    if (m_timer)
        m_timer->stop();
    showFailed();
}

void CalibrationProgress::showComplete()
{
    ui->progressBar->setValue(100);
    showEnd(QStringLiteral("<html><body><h3 style='text-align: center;'>%1</h3></body></html>")
                .arg(tr("Tilt Calibration Complete")));
}

void CalibrationProgress::showFailed()
{
    showEnd(headedText(tr("Tilt Calibration Failed"), tr("The mouse is not connected. Connect it and try again.")));
}

void CalibrationProgress::showEnd(const QString &text)
{
    if (m_state == State::Done)
        return;
    m_state = State::Done;
    if (m_mouse)
        m_mouse->setOperationMode(0);
    ui->label_text->setText(text);
    ui->horizontalLayout_buttons->addItem(new QSpacerItem(1, 1, QSizePolicy::Expanding, QSizePolicy::Minimum));
    ui->pushButton_cancel->setProperty("button_type", "dialog");
    StyleProperties::repolish(ui->pushButton_cancel);
    ui->pushButton_cancel->setText(tr("Finish"));
    ui->pushButton_cancel->show();
}
