#include "ActAlternate.h"

#include "OutputAction_Act.h"

#include <QLabel>
#include <QSpinBox>

ActAlternate::ActAlternate(QWidget *parent)
    : oawidget(parent)
{
    countSpin = createSpinBox(2, 99, 2);
    countSpin->setObjectName(QStringLiteral("countSpin"));
    pageLayout()->addWidget(new QLabel(tr("Next"), this));
    pageLayout()->addWidget(countSpin);
    pageLayout()->addWidget(new QLabel(tr("Output Actions"), this));
    pageLayout()->addStretch();

    connect(countSpin, qOverload<int>(&QSpinBox::valueChanged), this, &ActAlternate::save);
    save();
}

void ActAlternate::ensureConfig()
{
    createRecord<OutputAction_Act>(OutputType::Alternate);
}

void ActAlternate::save()
{
    ensureConfig();
    if (mayWrite())
        record<OutputAction_Act>()->alternateCount = quint8(countSpin->value());
    announce();
}

void ActAlternate::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Act>(loaded))
        return;
    const QSignalBlocker block(countSpin);
    countSpin->setValue(record<OutputAction_Act>()->alternateCount);
}
