#include "OutputAction_Mouse.h"

OutputAction_Mouse::OutputAction_Mouse(int typeCode)
    : OutputActionOf(classTypeCode(
        typeCode, {OutputType::MousePointer, OutputType::MouseButton, OutputType::MouseScroll}, "OutputAction_Mouse"))
{}

bool OutputAction_Mouse::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Mouse &>(other);
    return pointerMode == o.pointerMode && xCount == o.xCount && yCount == o.yCount
           && pointerOption == o.pointerOption && buttonId == o.buttonId && buttonState == o.buttonState
           && scrollAxis == o.scrollAxis && scrollCount == o.scrollCount && scrollOption == o.scrollOption;
}

QString OutputAction_Mouse::descriptionText() const
{
    switch (typeCode) {
    case OutputType::MousePointer: {
        QString text;
        if (xCount.signedValue() != 0)
            text += tr("X:") + QStringLiteral(" %1 ").arg(xCount.signedValue());
        if (yCount.signedValue() != 0)
            text += tr("Y:") + QStringLiteral(" %1").arg(yCount.signedValue());
        return text;
    }
    case OutputType::MouseButton: {
        QString name;
        if (buttonId == LeftButton)
            name = tr("Left Click");
        else if (buttonId == RightButton)
            name = tr("Right Click");
        else if (buttonId == MiddleButton)
            name = tr("Middle Click");
        else
            name = tr("Mouse B%1").arg(buttonId + 1);
        return name + QLatin1Char(' ') + stateMarker(buttonState);
    }
    case OutputType::MouseScroll: {
        const int count = scrollCount.signedValue();
        QString direction;
        if (scrollAxis == 0)
            direction = count >= 0 ? tr("Up") : tr("Down");
        else
            direction = count >= 0 ? tr("Right") : tr("Left");
        return tr("Scroll") + QLatin1Char(' ') + direction + QLatin1Char(' ') + QString::number(qAbs(count));
    }
    default:
        return QString();
    }
}
