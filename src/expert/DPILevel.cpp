#include "DPILevel.h"

#include "MouseFunctions.h"
#include "ui_DPILevel.h"

#include <QEvent>
#include <QFrame>
#include <QIntValidator>
#include <QSignalBlocker>

DPILevel::DPILevel(int level, QFrame *frame, int dpiX, int dpiY, bool separateXY, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::DPILevel>())
    , device(MouseFunctions::instance())
    , m_frame(frame)
    , m_level(level)
{
    ui->setupUi(this);
    setLevelNumber(level);
    ui->checkBox->setChecked(false);

    for (QLineEdit *edit : {ui->lineEdit_dpi_x, ui->lineEdit_dpi_y}) {
        edit->setValidator(new QIntValidator(0, 65535, edit));
        edit->setAttribute(Qt::WA_MacShowFocusRect, false);
        edit->installEventFilter(this);
    }
    ui->lineEdit_dpi_x->setText(QString::number(dpiX));
    ui->lineEdit_dpi_y->setText(QString::number(dpiY));
    ui->lineEdit_dpi_y->setVisible(separateXY);
    ui->horizontalSlider_dpi_y->setVisible(separateXY);
    for (QSlider *slider : {ui->horizontalSlider_dpi_x, ui->horizontalSlider_dpi_y})
        slider->installEventFilter(this);

    connect(ui->checkBox, &QCheckBox::toggled, this, &DPILevel::checkDefault);
    connect(ui->lineEdit_dpi_x, &QLineEdit::editingFinished, this, &DPILevel::dpiChanged);
    connect(ui->lineEdit_dpi_y, &QLineEdit::editingFinished, this, &DPILevel::dpiChanged);
    connect(ui->horizontalSlider_dpi_x, &QSlider::valueChanged, this, &DPILevel::dpiChanged);
    connect(ui->horizontalSlider_dpi_y, &QSlider::valueChanged, this, &DPILevel::dpiChanged);
    connect(ui->pushButton_delete, &QPushButton::clicked, this, &DPILevel::deleteMe);
    connect(ui->pushButton_drag, &QPushButton::pressed, this, &DPILevel::dragMe);
    // After dpiChanged, so the editor saves the snapped values.
    connect(ui->checkBox, &QCheckBox::toggled, this, &DPILevel::updated);
    connect(ui->lineEdit_dpi_x, &QLineEdit::editingFinished, this, &DPILevel::updated);
    connect(ui->lineEdit_dpi_y, &QLineEdit::editingFinished, this, &DPILevel::updated);
    connect(ui->horizontalSlider_dpi_x, &QSlider::valueChanged, this, &DPILevel::updated);
    connect(ui->horizontalSlider_dpi_y, &QSlider::valueChanged, this, &DPILevel::updated);

    mouseConnected();
    setDpiX(dpiX);
    setDpiY(dpiY);
}

DPILevel::~DPILevel() = default;

void DPILevel::setLevelNumber(int level)
{
    m_level = level;
    ui->label_dpi_level->setText(QStringLiteral("%1").arg(level));
}

int DPILevel::dpiX() const
{
    return ui->lineEdit_dpi_x->text().toInt();
}

int DPILevel::dpiY() const
{
    return ui->lineEdit_dpi_y->text().toInt();
}

void DPILevel::setDpiX(int dpi)
{
    ui->horizontalSlider_dpi_x->setValue(dpi);
    // A slider already at that value says nothing; its edit shows it anyway.
    ui->lineEdit_dpi_x->setText(QString::number(device->snapDpi(ui->horizontalSlider_dpi_x->value())));
}

void DPILevel::setDpiY(int dpi)
{
    ui->horizontalSlider_dpi_y->setValue(dpi);
    ui->lineEdit_dpi_y->setText(QString::number(device->snapDpi(ui->horizontalSlider_dpi_y->value())));
}

void DPILevel::setDefault(bool on)
{
    m_default = on;
    ui->checkBox->setChecked(on);
    ui->checkBox->setEnabled(!on);
}

void DPILevel::setSeparateXY(bool separate)
{
    ui->lineEdit_dpi_y->setVisible(separate);
    ui->horizontalSlider_dpi_y->setVisible(separate);
}

QPoint DPILevel::dragHotSpot() const
{
    return ui->pushButton_drag->mapTo(this, ui->pushButton_drag->rect().center());
}

void DPILevel::mouseConnected()
{
    const int step = device->dpiStep();
    for (QSlider *slider : {ui->horizontalSlider_dpi_x, ui->horizontalSlider_dpi_y}) {
        slider->setSingleStep(step);
        slider->setPageStep(step);
        slider->setTickInterval(step);
        slider->setMaximum(device->maxDpi());
        slider->setValue(device->snapDpi(slider->value()));
    }
}

void DPILevel::dpiChanged()
{
    QObject *from = sender();
    if (from == ui->horizontalSlider_dpi_x) {
        ui->lineEdit_dpi_x->setText(QString::number(device->snapDpi(ui->horizontalSlider_dpi_x->value())));
    } else if (from == ui->horizontalSlider_dpi_y) {
        ui->lineEdit_dpi_y->setText(QString::number(device->snapDpi(ui->horizontalSlider_dpi_y->value())));
    } else if (from == ui->lineEdit_dpi_x) {
        applyEdit(true);
    } else if (from == ui->lineEdit_dpi_y) {
        applyEdit(false);
    } else {
        applyEdit(true);
        applyEdit(false);
    }
}

void DPILevel::applyEdit(bool x)
{
    QLineEdit *edit = x ? ui->lineEdit_dpi_x : ui->lineEdit_dpi_y;
    QSlider *slider = x ? ui->horizontalSlider_dpi_x : ui->horizontalSlider_dpi_y;
    const int value = device->snapDpi(edit->text().toInt());
    edit->setText(QString::number(value));
    const QSignalBlocker quiet(slider);
    slider->setValue(value);
}

void DPILevel::checkDefault(bool checked)
{
    if (!checked)
        return;
    m_default = true;
    ui->checkBox->setChecked(true);
    ui->checkBox->setEnabled(false);
    emit chosenOne();
}

bool DPILevel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && (watched == ui->lineEdit_dpi_x || watched == ui->lineEdit_dpi_y)) {
        applyEdit(true);
        applyEdit(false);
    } else if (event->type() == QEvent::Wheel
               && (watched == ui->horizontalSlider_dpi_x || watched == ui->horizontalSlider_dpi_y)) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
