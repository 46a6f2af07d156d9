#include "ActStop.h"

#include "OutputAction_Act.h"

#include <QCheckBox>

ActStop::ActStop(QWidget *parent)
    : oawidget(parent)
{
    skipCheck = new QCheckBox(tr("Skip any wait commands, when stopping/finishing the repeat loop? "), this);
    skipCheck->setObjectName(QStringLiteral("skipCheck"));
    // The box stands after its question.
    skipCheck->setLayoutDirection(Qt::RightToLeft);
    pageLayout()->addWidget(skipCheck);
    pageLayout()->addStretch();

    connect(skipCheck, &QCheckBox::toggled, this, &ActStop::save);
    save();
}

void ActStop::ensureConfig()
{
    createRecord<OutputAction_Act>(OutputType::StopLooping);
}

void ActStop::save()
{
    ensureConfig();
    if (mayWrite())
        record<OutputAction_Act>()->skipWaits = skipCheck->isChecked() ? 1 : 0;
    announce();
}

void ActStop::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Act>(loaded))
        return;
    const QSignalBlocker block(skipCheck);
    skipCheck->setChecked(record<OutputAction_Act>()->skipWaits != 0);
}
