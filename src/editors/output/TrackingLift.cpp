#include "TrackingLift.h"

#include "ComboBox.h"
#include "OutputAction_Tracking.h"

TrackingLift::TrackingLift(QWidget *parent)
    : oawidget(parent)
{
    levelCombo = createCombo({tr("Minimum"), tr("Maximum")});
    levelCombo->setObjectName(QStringLiteral("levelCombo"));
    pageLayout()->addWidget(levelCombo);
    pageLayout()->addStretch();

    connect(levelCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &TrackingLift::save);
    save();
}

void TrackingLift::ensureConfig()
{
    createRecord<OutputAction_Tracking>(OutputType::LiftOff);
}

void TrackingLift::save()
{
    ensureConfig();
    if (mayWrite())
        record<OutputAction_Tracking>()->liftOffLevel = levelCombo->currentIndex() == 0
                                                            ? OutputAction_Tracking::LiftOffMinimum
                                                            : OutputAction_Tracking::LiftOffMaximum;
    announce();
}

void TrackingLift::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Tracking>(loaded))
        return;
    const QSignalBlocker block(levelCombo);
    levelCombo->setCurrentIndex(
        record<OutputAction_Tracking>()->liftOffLevel == OutputAction_Tracking::LiftOffMinimum ? 0 : 1);
}
