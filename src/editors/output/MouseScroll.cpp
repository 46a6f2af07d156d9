#include "MouseScroll.h"

#include "ComboBox.h"
#include "OutputAction_Mouse.h"

#include <QLabel>
#include <QSpinBox>

MouseScroll::MouseScroll(QWidget *parent)
    : oawidget(parent)
{
    directionCombo = createCombo({tr("Down"), tr("Up"), tr("Left"), tr("Right")});
    directionCombo->setObjectName(QStringLiteral("directionCombo"));
    unitsSpin = createSpinBox(1, 99999, 1);
    unitsSpin->setObjectName(QStringLiteral("unitsSpin"));
    pageLayout()->addWidget(directionCombo);
    pageLayout()->addWidget(new QLabel(tr("Scroll Type: Normal"), this));
    pageLayout()->addWidget(new QLabel(tr("Units:"), this));
    pageLayout()->addWidget(unitsSpin);
    pageLayout()->addStretch();

    connect(directionCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &MouseScroll::save);
    connect(unitsSpin, qOverload<int>(&QSpinBox::valueChanged), this, &MouseScroll::save);
    save();
}

void MouseScroll::ensureConfig()
{
    createRecord<OutputAction_Mouse>(OutputType::MouseScroll);
}

void MouseScroll::save()
{
    ensureConfig();
    const int direction = directionCombo->currentIndex();
    // The box shows what is stored; setting it saves again.
    if (unitsSpin->value() > maximumUnits)
        unitsSpin->setValue(maximumUnits);
    const int units = unitsSpin->value();
    if (mayWrite()) {
        auto *r = record<OutputAction_Mouse>();
        r->scrollAxis = direction == Left || direction == Right ? 1 : 0;
        r->scrollCount.setValue(direction == Down || direction == Left ? -units : units);
    }
    announce();
}

void MouseScroll::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Mouse>(loaded))
        return;
    const auto *r = record<OutputAction_Mouse>();
    const QSignalBlocker blockDirection(directionCombo);
    const QSignalBlocker blockUnits(unitsSpin);
    const int count = r->scrollCount.signedValue();
    const bool horizontal = r->scrollAxis != 0;
    if (count < 0)
        directionCombo->setCurrentIndex(horizontal ? Left : Down);
    else
        directionCombo->setCurrentIndex(horizontal ? Right : Up);
    unitsSpin->setValue(qAbs(count));
}
