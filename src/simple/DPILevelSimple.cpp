#include "DPILevelSimple.h"

#include "MouseFunctions.h"
#include "StyleProperties.h"
#include "ui_DPILevelSimple.h"

#include <QEvent>
#include <QFrame>
#include <QIntValidator>
#include <QSignalBlocker>

DPILevelSimple::DPILevelSimple(int levelNumber, QFrame *containerFrame, int value, QWidget *parent,
                               const QString &modelKey)
    : QWidget(parent)
    , ui(std::make_unique<Ui::DPILevelSimple>())
    , device(MouseFunctions::instance())
    , m_frame(containerFrame)
{
    ui->setupUi(this);
    setProperty(StyleProperties::modelKey, modelKey);
    setLevelNumber(levelNumber);
    ui->checkBox->setChecked(false);
    ui->lineEdit_dpi->setValidator(new QIntValidator(0, 65535, ui->lineEdit_dpi));
    ui->lineEdit_dpi->setAttribute(Qt::WA_MacShowFocusRect, false);
    ui->lineEdit_dpi->setText(QString::number(value));

    connect(ui->checkBox, &QCheckBox::toggled, this, &DPILevelSimple::checkDefault);
    connect(ui->lineEdit_dpi, &QLineEdit::editingFinished, this, &DPILevelSimple::dpiChanged);
    ui->lineEdit_dpi->installEventFilter(this);
    connect(ui->horizontalSlider_dpi, &QSlider::valueChanged, this, &DPILevelSimple::dpiChanged);
    connect(ui->pushButton_delete, &QPushButton::clicked, this, &DPILevelSimple::deleteMe);
    connect(ui->pushButton_drag, &QPushButton::pressed, this, &DPILevelSimple::dragMe);
    // After dpiChanged, so the page stores the snapped value.
    connect(ui->checkBox, &QCheckBox::toggled, this, &DPILevelSimple::updated);
    connect(ui->lineEdit_dpi, &QLineEdit::editingFinished, this, &DPILevelSimple::updated);
    connect(ui->horizontalSlider_dpi, &QSlider::valueChanged, this, &DPILevelSimple::updated);
    connect(device, &MouseFunctions::mouseConnect, this, &DPILevelSimple::mouseConnected);

    mouseConnected();
    // The start value, limited and stepped, once the sensor's range is there.
    setValue(value);
}

DPILevelSimple::~DPILevelSimple() = default;

int DPILevelSimple::value() const
{
    return ui->lineEdit_dpi->text().toInt();
}

int DPILevelSimple::levelNumber() const
{
    return ui->label_dpi_level->text().toInt();
}

void DPILevelSimple::setLevelNumber(int number)
{
    ui->label_dpi_level->setText(QStringLiteral("%1").arg(number));
}

void DPILevelSimple::setValue(int value)
{
    ui->horizontalSlider_dpi->setValue(value);
    // A slider already at that value says nothing; the edit shows it anyway.
    ui->lineEdit_dpi->setText(QString::number(device->snapDpi(ui->horizontalSlider_dpi->value())));
}

void DPILevelSimple::setDefault(bool on)
{
    m_default = on;
    ui->checkBox->setChecked(on);
    ui->checkBox->setEnabled(!on);
}

QPoint DPILevelSimple::dragHotSpot() const
{
    return ui->pushButton_drag->mapTo(this, ui->pushButton_drag->rect().center());
}

void DPILevelSimple::dpiChanged()
{
    if (sender() == ui->horizontalSlider_dpi) {
        ui->lineEdit_dpi->setText(QString::number(device->snapDpi(ui->horizontalSlider_dpi->value())));
        return;
    }
    applyEdit();
}

void DPILevelSimple::applyEdit()
{
    const int snapped = device->snapDpi(value());
    ui->lineEdit_dpi->setText(QString::number(snapped));
    const QSignalBlocker quiet(ui->horizontalSlider_dpi);
    ui->horizontalSlider_dpi->setValue(snapped);
}

void DPILevelSimple::checkDefault(bool checked)
{
    if (!checked)
        return;
    m_default = true;
    ui->checkBox->setChecked(true);
    ui->checkBox->setEnabled(false);
    emit chosenOne();
}

void DPILevelSimple::mouseConnected()
{
    // What is shown follows the sensor; the profile keeps its levels until
    // the user edits one (this page may belong to a profile no longer shown).
    const QSignalBlocker quietRow(this);
    const QSignalBlocker quietSlider(ui->horizontalSlider_dpi);
    QSlider *slider = ui->horizontalSlider_dpi;
    const int step = device->dpiStep();
    slider->setSingleStep(step);
    slider->setPageStep(step);
    slider->setTickInterval(step);
    slider->setMaximum(device->maxDpi());
    const int snapped = device->snapDpi(value());
    slider->setValue(snapped);
    ui->lineEdit_dpi->setText(QString::number(snapped));
}

bool DPILevelSimple::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->lineEdit_dpi && event->type() == QEvent::FocusOut) {
        // An edit the validator does not finish (left empty) still becomes
        // one step; what is shown is then stored too.
        const QString before = ui->lineEdit_dpi->text();
        applyEdit();
        if (ui->lineEdit_dpi->text() != before)
            emit updated();
    }
    return QWidget::eventFilter(watched, event);
}
