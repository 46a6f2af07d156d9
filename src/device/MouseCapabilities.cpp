#include "MouseCapabilities.h"

#include "OutputActionConfig.h"

#include <algorithm>

MouseCapabilities MouseCapabilities::forModel(int modelCode)
{
    const bool v = modelCode == 5 || modelCode == 30;
    MouseCapabilities c;
    c.tilt = v;
    c.flag1 = true;
    c.oled = v;
    c.logoLed = v || modelCode == 20;
    c.flag2 = v;
    c.haptics = v || modelCode == 10;
    c.flag3 = false;
    c.value = 0;
    return c;
}

bool MouseCapabilities::supportsOutput(const OutputActionConfig &output) const
{
    switch (output.typeCode) {
    case OutputType::Haptic:
        return haptics;
    case OutputType::OledShow:
    case OutputType::OledPrevious:
    case OutputType::OledFlash:
        return oled;
    case OutputType::TiltReset:
        return tilt;
    case OutputType::Led:
        return logoLed;
    default:
        return true;
    }
}

int MouseCapabilities::snapDpi(int dpi) const
{
    const int step = dpiStep > 0 ? dpiStep : defaultDpiStep;
    int v = std::min(dpi, int(maxDpi));
    v = std::max(v, step);
    return v - v % step;
}
