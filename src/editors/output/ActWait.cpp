#include "ActWait.h"

#include "ComboBox.h"
#include "OutputAction_Act.h"

#include <QDoubleSpinBox>
#include <QSpinBox>

namespace {
constexpr double maximumSeconds = ActWait::maximumMilliseconds / 1000.0;
} // namespace

ActWait::ActWait(QWidget *parent)
    : oawidget(parent)
{
    secondsSpin = new QDoubleSpinBox(this);
    secondsSpin->setObjectName(QStringLiteral("secondsSpin"));
    secondsSpin->setDecimals(3);
    secondsSpin->setRange(0, 99.999);
    secondsSpin->setValue(0);
    millisecondsSpin = new QSpinBox(this);
    millisecondsSpin->setObjectName(QStringLiteral("millisecondsSpin"));
    millisecondsSpin->setRange(0, 99999);
    millisecondsSpin->setValue(0);
    millisecondsSpin->hide();
    unitCombo = createCombo({tr("Seconds"), tr("Milliseconds")});
    unitCombo->setObjectName(QStringLiteral("unitCombo"));
    pageLayout()->addWidget(secondsSpin);
    pageLayout()->addWidget(millisecondsSpin);
    pageLayout()->addWidget(unitCombo);
    pageLayout()->addStretch();

    connect(unitCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &ActWait::save);
    connect(secondsSpin, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &ActWait::save);
    connect(millisecondsSpin, qOverload<int>(&QSpinBox::valueChanged), this, &ActWait::save);
    save();
}

int ActWait::millisecondsFromSeconds(double seconds)
{
    return qRound(qBound(0.0, seconds, maximumSeconds) * 1000);
}

void ActWait::ensureConfig()
{
    createRecord<OutputAction_Act>(OutputType::Wait);
}

// Setting the other box below saves again; both runs store the same value.
void ActWait::save()
{
    ensureConfig();
    const bool inMilliseconds = unitCombo->currentIndex() == Milliseconds;
    secondsSpin->setVisible(!inMilliseconds);
    millisecondsSpin->setVisible(inMilliseconds);
    int milliseconds;
    if (inMilliseconds) {
        if (millisecondsSpin->value() > maximumMilliseconds)
            millisecondsSpin->setValue(maximumMilliseconds);
        milliseconds = millisecondsSpin->value();
        secondsSpin->setValue(milliseconds / 1000.0);
    } else {
        if (secondsSpin->value() > maximumSeconds)
            secondsSpin->setValue(maximumSeconds);
        milliseconds = millisecondsFromSeconds(secondsSpin->value());
        millisecondsSpin->setValue(milliseconds);
    }
    if (mayWrite())
        record<OutputAction_Act>()->countOrTime.setValue(milliseconds);
    announce();
}

void ActWait::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Act>(loaded))
        return;
    const QSignalBlocker blockUnit(unitCombo);
    const QSignalBlocker blockSeconds(secondsSpin);
    const QSignalBlocker blockMilliseconds(millisecondsSpin);
    unitCombo->setCurrentIndex(Milliseconds);
    secondsSpin->hide();
    millisecondsSpin->show();
    const int milliseconds = record<OutputAction_Act>()->countOrTime.value();
    millisecondsSpin->setValue(milliseconds);
    secondsSpin->setValue(milliseconds / 1000.0);
}
