#include "TiltWidget.h"

#include <cstdlib>

namespace {

constexpr int level = 1800; // tenths of a degree
constexpr int fullCircle = 3600;
constexpr int smallestHysteresis = 5;

} // namespace

TiltWidget::TiltWidget(int axis, int angle, int noise, bool topLevel, bool isGlobal, QWidget *parent)
    : MapWidget(topLevel, isGlobal, parent)
{
    finish(newMapping(axis, angle, noise));
}

TiltWidget::TiltWidget(std::shared_ptr<InputMapAction_Angle> mapping, bool isGlobal, MapWidget *parentCard,
                       QWidget *parent)
    : MapWidget(isGlobal, parentCard, parent)
{
    finish(mapping);
}

std::shared_ptr<InputMapAction_Angle> TiltWidget::newMapping(int axis, int angle, int noise)
{
    auto mapping = std::make_shared<InputMapAction_Angle>(InputType::AngleRegion);
    mapping->angleDirection = 2;
    mapping->axis = axis;
    const int hysteresis = noise == -1 ? qMax(smallestHysteresis, std::abs(angle / 10)) : noise;
    if (angle < 0) {
        mapping->entryStart = quint16(level - angle);
        mapping->entryEnd = fullCircle;
        mapping->exitStart = quint16(mapping->entryStart - hysteresis);
        mapping->exitEnd = fullCircle;
    } else {
        mapping->entryStart = 0;
        mapping->entryEnd = quint16(level - angle);
        mapping->exitStart = 0;
        mapping->exitEnd = quint16(mapping->entryEnd + hysteresis);
    }
    return mapping;
}

void TiltWidget::finish(const std::shared_ptr<InputMapAction_Angle> &mapping)
{
    setConfig(mapping);
    syncMapping();
}

QString TiltWidget::inputName() const
{
    const InputMapAction_Angle *tilt = mapping();
    const bool first = tilt->entryEnd >= level;
    QString side;
    switch (tilt->axis) {
    case 0:
        side = tr("Tilt") + QLatin1Char(' ') + (first ? tr("Right") : tr("Left"));
        break;
    case 1:
        side = tr("Tilt") + QLatin1Char(' ') + (first ? tr("Backward") : tr("Forward"));
        break;
    case 2:
        side = tr("Pivot") + QLatin1Char(' ') + (first ? tr("Right") : tr("Left"));
        break;
    default:
        break;
    }
    const int tenths = first ? tilt->entryStart - level : level - tilt->entryEnd;
    return side + QStringLiteral(" %1").arg(degreeText(tenths));
}

QString TiltWidget::pressText() const
{
    return inputName();
}

QString TiltWidget::releaseText() const
{
    return inputName() + QLatin1Char(' ') + tr("Return");
}

void TiltWidget::menuHandler(int item)
{
    MapWidget::menuHandler(item);
}

void TiltWidget::copyAngleSettings(const InputMapAction_Angle *other)
{
    if (!other)
        return;
    InputMapAction_Angle *tilt = mapping();
    tilt->entryStart = other->entryStart;
    tilt->entryEnd = other->entryEnd;
    tilt->exitStart = other->exitStart;
    tilt->exitEnd = other->exitEnd;
    syncMapping();
}

// The angle and hysteresis read back out of the bounds give the same bounds.
MapWidget *TiltWidget::createEmptyCopy() const
{
    const InputMapAction_Angle *tilt = mapping();
    const bool above = tilt->entryStart > 0;
    const int angle = above ? level - tilt->entryStart : level - tilt->entryEnd;
    const int hysteresis = above ? tilt->entryStart - tilt->exitStart : tilt->exitEnd - tilt->entryEnd;
    return new TiltWidget(tilt->axis, angle, hysteresis, false, isGlobal(), nullptr);
}
