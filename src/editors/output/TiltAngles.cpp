#include "TiltAngles.h"

#include "ComboBox.h"
#include "OutputAction_Tilts.h"

TiltAngles::TiltAngles(QWidget *parent)
    : oawidget(parent)
{
    axisCombo = createCombo({tr("Tilt (Roll / Pitch)"), tr("Pivot (Yaw)")});
    axisCombo->setObjectName(QStringLiteral("axisCombo"));
    pageLayout()->addWidget(axisCombo);
    pageLayout()->addStretch();

    connect(axisCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &TiltAngles::save);
    save();
}

void TiltAngles::ensureConfig()
{
    createRecord<OutputAction_Tilts>(OutputType::TiltReset);
}

void TiltAngles::save()
{
    ensureConfig();
    const int row = axisCombo->currentIndex();
    if (row >= 0 && mayWrite())
        record<OutputAction_Tilts>()->tiltAxis = row == 0 ? OutputAction_Tilts::RollAndPitch : OutputAction_Tilts::Yaw;
    announce();
}

void TiltAngles::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Tilts>(loaded))
        return;
    const int axis = record<OutputAction_Tilts>()->tiltAxis;
    const QSignalBlocker block(axisCombo);
    if (axis == OutputAction_Tilts::RollAndPitch)
        axisCombo->setCurrentIndex(0);
    else if (axis == OutputAction_Tilts::Yaw)
        axisCombo->setCurrentIndex(1);
}
