#include "OledView.h"

#include "InheritedSettings.h"
#include "LoadingGuard.h"
#include "OledSetRecord.h"
#include "PackageCreator.h"
#include "QuickLightRules.h"
#include "QuickSettingRow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using namespace QuickLightRules;

OledView::OledView(QWidget *parent, const QString &modelKey)
    : QWidget(parent)
    , model(PackageCreator::instance())
{
    setObjectName(QStringLiteral("OledView"));
    message = new QLineEdit(this);
    message->setObjectName(QStringLiteral("lineEdit_message"));
    message->setFixedSize(200, 30);
    // The package carries the message with its length in one byte, and the
    // display shows no more than this.
    message->setMaxLength(oledMessageLength);
    const QuickSettingRow::Parts parts = QuickSettingRow::build(
        this, 90, tr("OLED"),
        {tr("Blank"), tr("Custom Message"), tr("Current DPI"), tr("Current Profile"), tr("Force Press Forces"),
         tr("Tilt Angles"), tr("Animated Cube"), tr("Firmware Version")},
        message, modelKey);
    title = parts.title;
    combo = parts.combo;

    connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, &OledView::oledCustomMessageVisibility);
    connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, &OledView::save);
    connect(message, &QLineEdit::textChanged, this, &OledView::save);
    oledCustomMessageVisibility();
}

void OledView::load(const OledSetRecord &record)
{
    LoadingGuard guard(model);
    const QSignalBlocker quiet(combo);
    const ProfileData *source = InheritedSettings::source(model);
    const OledSetRecord &shown = model->currentHasOwnSettings() || !source ? record : source->oledRecord;
    combo->setCurrentIndex(shown.oledMode >= 0 && shown.oledMode < combo->count() ? shown.oledMode : -1);
    if (shown.oledMode == oledCustomKind)
        message->setText(oledText(shown.message).left(oledMessageLength));
    oledCustomMessageVisibility();
}

QList<QPoint> OledView::anchorPoints() const
{
    return {title->pos() + QPoint(0, title->height() / 2)};
}

void OledView::oledCustomMessageVisibility()
{
    message->setVisible(combo->currentIndex() == oledCustomKind);
}

void OledView::save()
{
    if (model->loading)
        return;
    const OledSetRecord record = oledRecord(combo->currentIndex(), message->text());
    InheritedSettings::ownBeforeEdit(model);
    model->setSettingsRecord(record);
}
