#include "DPILevels.h"

#include "DPILevel.h"
#include "DpiLevelRules.h"
#include "LoadingGuard.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "ui_DPILevels.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QSignalBlocker>
#include <QtDebug>

using namespace DpiLevelRules;

const char *const DPILevels::mimeType = "dpi/level";

namespace {

// The rows follow the header and the spacer under it in the level layout.
constexpr int firstRowPosition = 2;

DPILevels::DragRunner &dragRunner()
{
    static DPILevels::DragRunner runner;
    return runner;
}

} // namespace

void DPILevels::setDragRunner(DragRunner runner)
{
    dragRunner() = std::move(runner);
}

DPILevels::DPILevels(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::DPILevels>())
    , model(PackageCreator::instance())
    , device(MouseFunctions::instance())
{
    ui->setupUi(this);
    ui->widget_levels->hide();
    setAcceptDrops(true);
    drag = std::make_unique<RowDrag>(this, ui->verticalLayout_levels, QLatin1String(mimeType), firstRowPosition,
                                     [this] { return rowFrames(); });

    connect(ui->pushButton_create_dpi_level, &QPushButton::clicked, this, &DPILevels::createLevel);
    connect(ui->pushButton_add_dpi_level, &QPushButton::clicked, this, &DPILevels::addLevel);
    ui->lineEdit_dpi_one->setValidator(new QIntValidator(0, 65535, ui->lineEdit_dpi_one));
    ui->lineEdit_dpi_one->setAttribute(Qt::WA_MacShowFocusRect, false);
    connect(ui->lineEdit_dpi_one, &QLineEdit::editingFinished, this, &DPILevels::dpiChanged);
    connect(ui->horizontalSlider_dpi_one, &QSlider::valueChanged, this, &DPILevels::dpiChanged);
    ui->lineEdit_dpi_one->installEventFilter(this);
    ui->horizontalSlider_dpi_one->installEventFilter(this);
    connect(ui->checkBox_separate_xy, &QCheckBox::toggled, this, &DPILevels::checkBoxXY);

    // Checked in the form: the editor starts with X and Y together.
    ui->checkBox_separate_xy->toggle();

    connect(ui->pushButton_create_dpi_level, &QPushButton::clicked, this, &DPILevels::save);
    connect(ui->pushButton_add_dpi_level, &QPushButton::clicked, this, &DPILevels::save);
    connect(ui->lineEdit_dpi_one, &QLineEdit::editingFinished, this, &DPILevels::save);
    connect(ui->horizontalSlider_dpi_one, &QSlider::valueChanged, this, &DPILevels::save);
    connect(ui->checkBox_separate_xy, &QCheckBox::toggled, this, &DPILevels::save);
    connect(device, &MouseFunctions::mouseConnect, this, &DPILevels::mouseConnected);

    m_record = singleRecord(ui->lineEdit_dpi_one->text().toInt());
    mouseConnected();
    save();
}

DPILevels::~DPILevels() = default;

// ------------------------------------------------------------------ storing

DpiConfigureRecord DPILevels::shownRecord() const
{
    if (rows.isEmpty())
        return singleRecord(ui->lineEdit_dpi_one->text().toInt());
    QVector<Row> shown;
    shown.reserve(rows.size());
    for (const DPILevel *level : rows)
        shown.append({level->levelNumber(), level->dpiX(), level->dpiY(), level->isDefault()});
    return listRecord(shown, ui->checkBox_separate_xy->isChecked());
}

void DPILevels::save()
{
    if (model->loading)
        return;
    const DpiConfigureRecord shown = shownRecord();
    model->setSettingsRecord(shown);
    m_record = storedForm(shown);
}

// ---------------------------------------------------------------- the device

void DPILevels::applyRanges()
{
    const int step = device->dpiStep();
    QSlider *slider = ui->horizontalSlider_dpi_one;
    slider->setMaximum(device->maxDpi());
    slider->setMinimum(step);
    slider->setTickInterval(step);
    slider->setPageStep(step);
    slider->setSingleStep(step);
    for (DPILevel *level : qAsConst(rows))
        level->mouseConnected();
}

void DPILevels::mouseConnected()
{
    // Only what is shown follows the sensor; the profile's record changes
    // when the user changes a value.
    LoadingGuard guard(model);
    applyRanges();
    showValues(m_record);
}

void DPILevels::showSingle(int value)
{
    const int snapped = snapSingle(value, device->dpiStep(), device->maxDpi());
    {
        const QSignalBlocker quiet(ui->horizontalSlider_dpi_one);
        ui->horizontalSlider_dpi_one->setValue(snapped);
    }
    ui->lineEdit_dpi_one->setText(QString::number(snapped));
}

void DPILevels::showValues(const DpiConfigureRecord &record)
{
    const DpiConfigureRecord stored = storedForm(record);
    if (rows.isEmpty()) {
        showSingle(stored.levelCount == 1 ? stored.dpiValues.at(0) : ui->lineEdit_dpi_one->text().toInt());
        return;
    }
    const QVector<Row> values = rowsOf(stored);
    if (values.size() != rows.size())
        return;
    const bool separate = stored.separateXY == 1;
    for (int i = 0; i < rows.size(); ++i) {
        rows.at(i)->setDpiX(values.at(i).x);
        if (separate)
            rows.at(i)->setDpiY(values.at(i).y);
    }
}

// ---------------------------------------------------------------- single mode

void DPILevels::dpiChanged()
{
    const int step = device->dpiStep();
    QSlider *slider = ui->horizontalSlider_dpi_one;
    if (sender() == slider) {
        const int value = slider->value();
        ui->lineEdit_dpi_one->setText(QString::number(step > 0 ? value - value % step : value));
        return;
    }
    showSingle(ui->lineEdit_dpi_one->text().toInt());
}

bool DPILevels::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->lineEdit_dpi_one && event->type() == QEvent::FocusOut)
        showSingle(ui->lineEdit_dpi_one->text().toInt());
    else if (watched == ui->horizontalSlider_dpi_one && event->type() == QEvent::Wheel)
        return true;
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- the list

void DPILevels::updateAddButton()
{
    ui->pushButton_add_dpi_level->setVisible(rows.size() < maximumLevels);
}

QFrame *DPILevels::newLevelFrame()
{
    // In the widget of the list it goes into, so that it is not moved there.
    auto *frame = new QFrame(ui->widget_levels);
    frame->setObjectName(QStringLiteral("frame_dpi_level_%1").arg(++frameCounter));
    frame->setStyleSheet(QStringLiteral("QFrame{ border: 1px dotted rgba(255, 255, 255, 69); }"));
    frame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto *layout = new QHBoxLayout(frame);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    int x = 0;
    int y = 0;
    if (rows.isEmpty()) {
        x = ui->lineEdit_dpi_one->text().toInt();
        y = savedDpiY != 0 ? savedDpiY : x;
    } else {
        x = rows.last()->dpiX();
        y = rows.last()->dpiY();
    }
    auto *level = new DPILevel(rows.size() + 1, frame, x, y, ui->checkBox_separate_xy->isChecked(), frame);
    connect(level, &DPILevel::deleteMe, this, &DPILevels::deleteLevel);
    connect(level, &DPILevel::chosenOne, this, &DPILevels::unsetOtherDefaults);
    connect(level, &DPILevel::updated, this, &DPILevels::save);
    connect(level, &DPILevel::dragMe, this, &DPILevels::startDrag);
    rows.append(level);
    layout->addWidget(level);
    return frame;
}

void DPILevels::createLevel()
{
    ui->widget_dpi_one->hide();
    addLevel();
    rows.first()->setDefault(true);
    addLevel();
    ui->widget_levels->show();
}

void DPILevels::addLevel()
{
    ui->widget_levels->hide();
    QFrame *frame = newLevelFrame();
    ui->verticalLayout_levels->insertWidget(firstRowPosition + rows.size() - 1, frame);
    updateAddButton();
    ui->widget_levels->show();
}

void DPILevels::unsetOtherDefaults()
{
    for (DPILevel *level : qAsConst(rows)) {
        if (level != sender())
            level->setDefault(false);
    }
}

void DPILevels::checkBoxXY(bool checked)
{
    ui->label_header_xdpi->setText(checked ? tr("X DPI") : tr("DPI"));
    ui->label_header_ydpi->setVisible(checked);
    for (DPILevel *level : qAsConst(rows))
        level->setSeparateXY(checked);
}

void DPILevels::renumber()
{
    for (int i = 0; i < rows.size(); ++i)
        rows.at(i)->setLevelNumber(i + 1);
}

void DPILevels::discardFrame(QFrame *frame)
{
    frame->hide();
    ui->verticalLayout_levels->removeWidget(frame);
    for (DPILevel *level : frame->findChildren<DPILevel *>())
        disconnect(level, nullptr, this, nullptr);
    frame->deleteLater();
}

void DPILevels::deleteLevel()
{
    auto *level = qobject_cast<DPILevel *>(sender());
    if (!rows.contains(level))
        return;
    ui->widget_levels->hide();
    const int number = level->levelNumber();
    const bool wasDefault = level->isDefault();
    rows.removeOne(level);
    discardFrame(level->frame());
    renumber();
    if (wasDefault) {
        const int next = defaultAfterDeletion(number, rows.size());
        if (next > 0)
            rows.at(next - 1)->setDefault(true);
    }
    updateAddButton();

    if (rows.size() == 1) {
        // One level left: back to the single value, keeping its Y for the
        // next list.
        DPILevel *last = rows.first();
        ui->horizontalSlider_dpi_one->setMaximum(device->maxDpi());
        ui->lineEdit_dpi_one->setText(QString::number(last->dpiX()));
        ui->horizontalSlider_dpi_one->setValue(last->dpiX());
        savedDpiY = last->dpiY();
        ui->checkBox_separate_xy->setChecked(false);
        ui->widget_dpi_one->show();
        rows.clear();
        discardFrame(last->frame());
    } else {
        ui->widget_levels->show();
    }
    save();
}

// ---------------------------------------------------------------- loading

void DPILevels::clear()
{
    ui->widget_levels->hide();
    for (DPILevel *level : qAsConst(rows))
        discardFrame(level->frame());
    rows.clear();
    updateAddButton();
    ui->widget_dpi_one->show();
}

void DPILevels::load(const DpiConfigureRecord &record)
{
    LoadingGuard guard(model);
    clear();
    ui->checkBox_separate_xy->setChecked(record.separateXY == 1);
    if (record.levelCount == 0) {
        qWarning("DPILevels: wrong levelsCount while dpi load!");
        m_record = shownRecord();
        return;
    }
    // What the store keeps of it, so no value is read that is not there.
    const DpiConfigureRecord stored = storedForm(record);
    ui->checkBox_separate_xy->setChecked(stored.separateXY == 1);
    m_record = stored;
    if (stored.levelCount >= 2) {
        createLevel();
        for (int i = 2; i < stored.levelCount; ++i)
            addLevel();
    }
    showValues(stored);
    if (stored.levelCount >= 2)
        rows.at(stored.currentLevel)->setDefault(true);
}

void DPILevels::reset()
{
    clear();
    m_record = singleRecord(defaultDpi);
    showSingle(defaultDpi);
    save();
}

// ---------------------------------------------------------------- dragging

QList<QFrame *> DPILevels::rowFrames() const
{
    QList<QFrame *> frames;
    for (DPILevel *level : rows)
        frames.append(level->frame());
    return frames;
}

void DPILevels::startDrag()
{
    auto *level = qobject_cast<DPILevel *>(sender());
    if (rows.contains(level))
        drag->run(level->frame(), level->dragHotSpot(), dragRunner());
}

void DPILevels::dragEnterEvent(QDragEnterEvent *event)
{
    drag->enter(event);
}

void DPILevels::dragMoveEvent(QDragMoveEvent *event)
{
    drag->move(event);
}

void DPILevels::dropEvent(QDropEvent *event)
{
    const std::optional<RowDrag::Move> move = drag->drop(event);
    if (move && moveEntry(rows, move->from, move->to)) {
        drag->placeFrames();
        renumber();
        save();
    }
}
