#include "Settings.h"

#include "ComboBox.h"
#include "CustomMessageBox.h"
#include "DPILevels.h"
#include "LoadingGuard.h"
#include "MouseFunctions.h"
#include "OutputActions.h"
#include "PackageCreator.h"
#include "SettingsRows.h"
#include "ui_Settings.h"

#include <QCursor>
#include <QEvent>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QTimer>

using namespace SettingsRows;

Settings::Settings(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::Settings>())
    , colorEditor(QStringLiteral("v"), this, [this](const QColor &colour) { pickedColor(colour); })
    , model(PackageCreator::instance())
{
    ui->setupUi(this);

    dpi = new DPILevels(ui->scrollAreaWidgetContents);
    ui->verticalLayout_scroll->insertWidget(1, dpi);
    // Made in the widget whose layout holds it: moved there, it and every
    // row in it would take their styles anew.
    outputs = new OutputActions(0, 0, ui->scrollAreaWidgetContents);
    // The list goes last, before the spacer that keeps the rows at the top.
    QLayoutItem *spacer = ui->verticalLayout_scroll->takeAt(ui->verticalLayout_scroll->count() - 1);
    ui->verticalLayout_scroll->addWidget(outputs);
    ui->verticalLayout_scroll->addItem(spacer);

    const QString hz = tr("Hz");
    pollingCombo = addCombo(ui->widget_max_polling_rate, QStringLiteral("comboBox_max_polling_rate"),
                            {QStringLiteral("1000") + hz, QStringLiteral("500") + hz, QStringLiteral("250") + hz,
                             QStringLiteral("125") + hz});
    liftOffCombo = addCombo(ui->widget_lift_off, QStringLiteral("comboBox_lift_off"), {tr("Minimum"), tr("Maximum")});
    joystickCombo = addCombo(ui->widget_game_controller, QStringLiteral("comboBox_game_controller"),
                             {tr("Disabled"), tr("Enabled")});
    ledCombo = addCombo(ui->widget_logo_backlight, QStringLiteral("comboBox_logo_backlight"),
                        {tr("Off"), tr("Fixed Color"), tr("Hue Rotation")});
    oledCombo = addCombo(ui->widget_oled, QStringLiteral("comboBox_oled"),
                         {tr("Custom Message"), tr("Current Dpi"), tr("Current Profile"), tr("Force Press Forces"),
                          tr("Tilt Angles"), tr("Animated Cube"), tr("Firmware Version"), tr("Blank")});
    tiltCombo =
        addCombo(ui->widget_auto_zero_tilt, QStringLiteral("comboBox_auto_zero_tilt"), {tr("Disabled"), tr("Enabled")});
    autoReleaseCombo =
        addCombo(ui->widget_auto_release, QStringLiteral("comboBox_auto_release"), {tr("Disabled"), tr("Enabled")});
    ui->lineEdit_oled_message->setMaxLength(oledMessageLength);
    ui->lineEdit_oled_message->setAttribute(Qt::WA_MacShowFocusRect, false);

    connect(ui->pushButton_color, &QPushButton::clicked, this, &Settings::colorPicker);
    connect(ledCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &Settings::ledColorVisibility);
    connect(oledCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &Settings::oledTextVisibility);
    for (ComboBox *combo :
         {pollingCombo, liftOffCombo, joystickCombo, ledCombo, oledCombo, tiltCombo, autoReleaseCombo})
        connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, &Settings::save);
    connect(ui->lineEdit_oled_message, &QLineEdit::textChanged, this, &Settings::save);
    connect(ui->pushButton_add_output_action, &QPushButton::clicked, this, &Settings::addOutputAction);
    connect(outputs, &OutputActions::enableAdd, ui->pushButton_add_output_action, &QPushButton::setEnabled);
    // A row the user adds is scrolled to; rows made while the page loads its
    // profile are not, so a loaded page opens at its top.
    connect(outputs, &OutputActions::outputActionAdded, this, [this] {
        if (!model->loading)
            scrollOutputsToBottom();
    });
    connect(ui->pushButton_remove_settings, &QPushButton::clicked, this, &Settings::removeCliked);
    for (QPushButton *button : {ui->pushButton_add_output_action, ui->pushButton_remove_settings}) {
        button->setAttribute(Qt::WA_Hover);
        button->installEventFilter(this);
    }

    // The extra widgets of the backlight and OLED rows as the combos stand.
    ledColorVisibility();
    oledTextVisibility();

    ui->label_add_output_action->hide();
    ui->label_remove_settings->hide();
    ui->widget_remove_settings->hide();
    ui->widget_bottom->setFixedHeight(bottomHeight);
}

Settings::~Settings() = default;

ComboBox *Settings::addCombo(QWidget *row, const QString &name, const QStringList &items)
{
    auto *combo = new ComboBox(row);
    combo->setObjectName(name);
    combo->setFixedSize(170, 30);
    combo->setItems(items);
    static_cast<QHBoxLayout *>(row->layout())->insertWidget(2, combo);
    return combo;
}

// ------------------------------------------------------------------ storing

void Settings::save()
{
    if (model->loading)
        return;
    Choices choices;
    choices.polling = pollingCombo->currentIndex();
    choices.liftOff = liftOffCombo->currentIndex();
    choices.joystick = joystickCombo->currentIndex();
    choices.led = ledCombo->currentIndex();
    choices.oled = oledCombo->currentIndex();
    choices.tilt = tiltCombo->currentIndex();
    choices.autoRelease = autoReleaseCombo->currentIndex();
    choices.colour = colorEditor.color();
    choices.message = ui->lineEdit_oled_message->text();
    const Records records = recordsFor(choices);
    for (const SettingsRecord *record : records.inSaveOrder())
        model->setSettingsRecord(*record);
}

void Settings::load()
{
    LoadingGuard guard(model);
    const auto select = [](ComboBox *combo, int index) {
        if (index >= 0)
            combo->setCurrentIndex(index);
    };
    for (const SettingsRecord *record : model->currentSettingsRecords()) {
        if (const auto *r = dynamic_cast<const DpiConfigureRecord *>(record)) {
            dpi->clear();
            dpi->load(*r);
        } else if (const auto *r = dynamic_cast<const ReportIntervalRecord *>(record)) {
            select(pollingCombo, pollingIndex(r->reportInterval));
        } else if (const auto *r = dynamic_cast<const LiftOffSelectRecord *>(record)) {
            select(liftOffCombo, liftOffIndex(r->liftOffLevel));
        } else if (const auto *r = dynamic_cast<const GameDeviceSelectRecord *>(record)) {
            select(joystickCombo, switchIndex(r->gameDevice));
        } else if (const auto *r = dynamic_cast<const TiltAutoZeroingRecord *>(record)) {
            select(tiltCombo, switchIndex(r->tiltAutoZeroing));
        } else if (const auto *r = dynamic_cast<const AutoReleaseInputsRecord *>(record)) {
            select(autoReleaseCombo, switchIndex(r->autoRelease));
        } else if (const auto *r = dynamic_cast<const LedSetRecord *>(record)) {
            if (r->ledMode == ledFixedIndex) {
                const QColor colour(r->colour1[0], r->colour1[1], r->colour1[2], 255);
                colorEditor.setColor(colour);
                pickedColor(colour);
            }
            select(ledCombo, ledIndex(r->ledMode));
        } else if (const auto *r = dynamic_cast<const OledSetRecord *>(record)) {
            const int index = oledIndex(r->oledMode, r->message);
            if (index == oledCustomIndex)
                ui->lineEdit_oled_message->setText(oledText(r->message));
            select(oledCombo, index);
        }
    }
    outputs->removeAll();
    outputs->reload();
    save();
}

void Settings::resetToDefaults()
{
    dpi->reset();
    pollingCombo->setCurrentIndex(0);
    liftOffCombo->setCurrentIndex(0);
    joystickCombo->setCurrentIndex(1);
    ledCombo->setCurrentIndex(2);
    oledCombo->setCurrentIndex(5);
    tiltCombo->setCurrentIndex(1);
    autoReleaseCombo->setCurrentIndex(1);
    outputs->clearOutputs();
    save();
}

// ------------------------------------------------------------------ showing

void Settings::showRow(QWidget *frame, QWidget *row, bool shown)
{
    frame->setVisible(shown);
    row->setVisible(shown);
}

void Settings::showPage()
{
    if (!loaded) {
        LoadingGuard guard(model);
        load();
        loaded = true;
    }
    ui->label_auto_release->setToolTip(
        tr("Automatically release outputs that are left in a \"Press\" state when no buttons are held down."));
    ui->label_tilt_auto_zero->setToolTip(
        tr("Automatically zeros tilt angles when the mouse is tracking at a stable angle close to 0°.\nThis helps "
           "to prevent gyro drift, but should be disabled in favor of manual re-zeroing if you frequently use tilt "
           "with mouse movement."));
    const MouseCapabilities capabilities = MouseFunctions::instance()->capabilities();
    showRow(ui->frame_line_logo_backlight, ui->widget_logo_backlight, capabilities.logoLed);
    showRow(ui->frame_line_oled, ui->widget_oled, capabilities.oled);
    showRow(ui->frame_line_zero_tilt, ui->widget_auto_zero_tilt, capabilities.tilt);
    outputs->show();
    show();
}

void Settings::setOwnSettings(bool own)
{
    model->setOwnSettings(own, false);
    if (own)
        resetToDefaults();
    if (isVisible())
        loaded = true;
    showRemoveRow();
}

void Settings::setRemoveHidden(bool hidden)
{
    if (!hidden)
        showRemoveRow();
}

void Settings::showRemoveRow()
{
    ui->widget_remove_settings->show();
    ui->widget_bottom->setFixedHeight(bottomHeightWithRemove);
}

void Settings::refreshOutputs()
{
    outputs->refresh();
}

// ------------------------------------------------------------------ the rows

void Settings::colorPicker()
{
    colorEditor.showAt(QCursor::pos());
}

void Settings::pickedColor(QColor colour)
{
    ui->pushButton_color->setStyleSheet(
        QStringLiteral("QPushButton { border: 1px solid #373737; border-radius: 4px; background-color: %1; }")
            .arg(colour.name()));
    save();
}

void Settings::ledColorVisibility()
{
    ui->pushButton_color->setVisible(ledCombo->currentIndex() == ledFixedIndex);
}

void Settings::oledTextVisibility()
{
    const bool custom = oledCombo->currentIndex() == oledCustomIndex;
    ui->label_oled_text->setVisible(custom);
    ui->lineEdit_oled_message->setVisible(custom);
}

void Settings::addOutputAction()
{
    if (!outputs->addAction())
        return;
    // Until the new row allows another (enableAdd).
    ui->pushButton_add_output_action->setEnabled(false);
    scrollOutputsToBottom();
}

void Settings::scrollOutputsToBottom()
{
    QTimer::singleShot(100, this, [this] {
        QScrollBar *bar = ui->scrollArea->verticalScrollBar();
        bar->setValue(bar->maximum());
    });
}

void Settings::removeCliked()
{
    CustomMessageBox box(this, tr("Are you sure you wish to clear these settings?"), tr("Yes"), tr("No"), QString());
    box.setTextAlignment(Qt::AlignHCenter);
    if (box.exec() != 2)
        return;
    resetToDefaults();
    emit removed();
}

bool Settings::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *label = nullptr;
    if (watched == ui->pushButton_add_output_action)
        label = ui->label_add_output_action;
    else if (watched == ui->pushButton_remove_settings)
        label = ui->label_remove_settings;
    if (label && event->type() == QEvent::HoverEnter)
        label->show();
    else if (label && event->type() == QEvent::HoverLeave)
        label->hide();
    return QWidget::eventFilter(watched, event);
}
