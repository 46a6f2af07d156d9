#include "OutputAction_Act.h"

OutputAction_Act::OutputAction_Act(int typeCode)
    : OutputActionOf(classTypeCode(
        typeCode, {OutputType::RepeatFrom, OutputType::Alternate, OutputType::StopLooping, OutputType::Wait},
        "OutputAction_Act"))
{}

bool OutputAction_Act::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Act &>(other);
    return alternateCount == o.alternateCount && repeatTarget == o.repeatTarget && countOrTime == o.countOrTime
           && skipWaits == o.skipWaits;
}

QString OutputAction_Act::descriptionText() const
{
    switch (typeCode) {
    case OutputType::RepeatFrom:
        return tr("Loop") + QLatin1Char(' ') + QString::number(countOrTime.value()) + QLatin1Char(' ') + tr("Times");
    case OutputType::Alternate:
        return tr("Alternate Next") + QLatin1Char(' ') + QString::number(alternateCount);
    case OutputType::StopLooping:
        return tr("Stop All Loops");
    case OutputType::Wait: {
        const int ms = countOrTime.value();
        QString text = tr("Wait") + QLatin1Char(' ');
        if (ms >= 1000)
            return text + QString::number(ms / 1000.0, 'g', 6) + tr("s");
        return text + QString::number(ms) + tr("ms");
    }
    default:
        return QString();
    }
}
