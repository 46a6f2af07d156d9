#include "OutputFooter.h"

#include "ui_OutputFooter.h"

#include "InputHook.h"
#include "SettingsFile.h"

#include <QCoreApplication>
#include <QLabel>
#include <QSettings>

namespace {

// How long after the hook's stop a press on the record button still
// belongs to the click that stopped: the hook and the button learn of one
// click on separate connections, in either order.
constexpr int sameClickMs = 500;

QString idleText()
{
    return QString(QChar(0x25B6)) + QChar(0xFE0E) + QLatin1Char(' ') + OutputFooter::tr("Record keystrokes");
}

} // namespace

OutputFooter::OutputFooter(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::OutputFooter>())
    , hook(std::make_unique<InputHook>())
{
    ui->setupUi(this);
    stopHint = new QLabel(tr("Left click to stop recording"), this);
    stopHint->setObjectName(QStringLiteral("label_stopHint"));
    stopHint->setStyleSheet(QStringLiteral("color: #aaaaaa;"));
    stopHint->hide();
    ui->horizontalLayout->insertWidget(2, stopHint);
    ui->pushButton_record->setText(idleText());
    stoppedByClick.setSingleShot(true);
    stoppedByClick.setInterval(sameClickMs);

    connect(ui->checkBox_block, &QCheckBox::toggled, this, &OutputFooter::setBlocked);
    connect(ui->checkBox_wait, &QCheckBox::toggled, this, &OutputFooter::setWait);
    connect(ui->pushButton_add, &QPushButton::clicked, this, &OutputFooter::add);
    connect(ui->pushButton_back, &QPushButton::clicked, this, &OutputFooter::back);
    connect(ui->pushButton_record, &QPushButton::pressed, this, &OutputFooter::recordPressed);
    connect(ui->pushButton_record, &QPushButton::clicked, this, &OutputFooter::recordClicked);
    connect(hook.get(), &InputHook::stopRecording, this, &OutputFooter::hookStopped);
    connect(hook.get(), &InputHook::keyHooked, this, &OutputFooter::keyHooked);
    connect(hook.get(), &InputHook::keyRecorded, this, &OutputFooter::keyRecorded);
    // The application object announces the way back; a test's has no such
    // signal.
    QCoreApplication *application = QCoreApplication::instance();
    if (application && application->metaObject()->indexOfSignal("navigateBack()") >= 0)
        connect(application, SIGNAL(navigateBack()), this, SLOT(navigateBack()));
}

OutputFooter::~OutputFooter()
{
    if (recording)
        hook->stop();
}

void OutputFooter::navigateBack()
{
    if (isVisible())
        emit back();
}

void OutputFooter::enableAdd(bool state)
{
    if (!recording)
        ui->pushButton_add->setVisible(state);
}

void OutputFooter::enableWait(bool state)
{
    ui->checkBox_wait->setChecked(state);
}

void OutputFooter::setBlockOption(int visibility, bool blocked)
{
    if (visibility == 0)
        ui->checkBox_block->hide();
    else if (visibility == 1)
        ui->checkBox_block->show();
    ui->checkBox_block->setChecked(blocked);
    const bool waits =
        QSettings(SettingsFile::path(), QSettings::IniFormat).value(QStringLiteral("RecordWaits"), false).toBool();
    {
        const QSignalBlocker block(ui->checkBox_wait);
        ui->checkBox_wait->setChecked(waits);
    }
    emit ui->checkBox_wait->toggled(waits);
}

void OutputFooter::startStopRecording()
{
    if (recording) {
        ui->checkBox_wait->show();
        ui->pushButton_record->setText(idleText());
        hook->stop();
    } else {
        ui->checkBox_wait->hide();
        ui->pushButton_record->setText(QStringLiteral("■ ") + tr("Recording keystrokes"));
        hook->start();
    }
    recording = !recording;
    ui->pushButton_add->setVisible(!recording);
    stopHint->setVisible(recording);
    emit startRecord(recording);
}

void OutputFooter::recordPressed()
{
    clickOnlyStops = recording || stoppedByClick.isActive();
}

void OutputFooter::recordClicked()
{
    if (clickOnlyStops) {
        clickOnlyStops = false;
        if (recording)
            startStopRecording();
        return;
    }
    startStopRecording();
}

void OutputFooter::hookStopped()
{
    if (!recording)
        return;
    startStopRecording();
    stoppedByClick.start();
}
