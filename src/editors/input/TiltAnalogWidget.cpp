#include "TiltAnalogWidget.h"

#include "OutputActions.h"

namespace {

constexpr int level = 1800; // tenths of a degree
constexpr int mirroredRange = 3;
constexpr int twoRanges = 4;

} // namespace

TiltAnalogWidget::TiltAnalogWidget(int axis, int leftLower, int leftUpper, int rightLower, int rightUpper,
                                   bool mirrored, bool topLevel, bool isGlobal, QWidget *parent)
    : MapWidget(topLevel, isGlobal, parent)
{
    finish(newMapping(axis, leftLower, leftUpper, rightLower, rightUpper, mirrored));
}

TiltAnalogWidget::TiltAnalogWidget(std::shared_ptr<InputMapAction_Angle> mapping, bool isGlobal, MapWidget *parentCard,
                                   QWidget *parent)
    : MapWidget(isGlobal, parentCard, parent)
{
    finish(mapping);
}

std::shared_ptr<InputMapAction_Angle> TiltAnalogWidget::newMapping(int axis, int leftLower, int leftUpper,
                                                                   int rightLower, int rightUpper, bool mirrored)
{
    auto mapping = std::make_shared<InputMapAction_Angle>(InputType::AngleRange);
    mapping->angleDirection = 2;
    mapping->axis = axis;
    mapping->entryStart = quint16(level - leftUpper);
    mapping->entryEnd = quint16(level - leftLower);
    mapping->exitStart = quint16(level + rightLower);
    mapping->exitEnd = quint16(level + rightUpper);
    mapping->rangeMode = mirrored ? mirroredRange : twoRanges;
    return mapping;
}

void TiltAnalogWidget::finish(const std::shared_ptr<InputMapAction_Angle> &mapping)
{
    hideReleaseRow();
    setConfig(mapping);
    syncMapping();
}

QString TiltAnalogWidget::inputName() const
{
    const InputMapAction_Angle *tilt = mapping();
    QString sides;
    switch (tilt->axis) {
    case 0:
        sides = tr("Left") + QStringLiteral(" / ") + tr("Right");
        break;
    case 1:
        sides = tr("Forward") + QStringLiteral(" / ") + tr("Backward");
        break;
    case 2:
        sides = tr("Pivot") + QLatin1Char(' ') + tr("Left") + QStringLiteral(" / ") + tr("Right");
        break;
    default:
        break;
    }
    return tr("Analog") + QLatin1Char(' ') + sides
           + QStringLiteral(" %1 to %2").arg(degreeText(tilt->entryStart - level), degreeText(tilt->exitEnd - level));
}

QString TiltAnalogWidget::pressText() const
{
    return inputName();
}

QString TiltAnalogWidget::releaseText() const
{
    return inputName();
}

QStringList TiltAnalogWidget::buildMenu()
{
    return menuOf({tr("Save"), tr("Clear Outputs")});
}

void TiltAnalogWidget::menuHandler(int item)
{
    menuHandlerForRange(item);
}

void TiltAnalogWidget::copyAngleSettings(const InputMapAction_Angle *other)
{
    if (!other)
        return;
    InputMapAction_Angle *tilt = mapping();
    tilt->axis = other->axis;
    tilt->entryStart = other->entryStart;
    tilt->entryEnd = other->entryEnd;
    tilt->exitStart = other->exitStart;
    tilt->exitEnd = other->exitEnd;
    tilt->rangeMode = other->rangeMode;
    syncMapping();
}

MapWidget *TiltAnalogWidget::createEmptyCopy() const
{
    const InputMapAction_Angle *tilt = mapping();
    return new TiltAnalogWidget(tilt->axis, level - tilt->entryEnd, level - tilt->entryStart, tilt->exitStart - level,
                                tilt->exitEnd - level, (tilt->rangeMode & 1) != 0, false, isGlobal(), nullptr);
}

OutputActions *TiltAnalogWidget::createOutputActions()
{
    // The sequence's axis codes: 1 roll, 2 pitch, 3 yaw.
    const int axis = mapping()->axis;
    return new OutputActions(2, axis >= 0 && axis <= 2 ? axis + 1 : 0);
}
