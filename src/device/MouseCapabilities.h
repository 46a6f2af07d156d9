#pragma once
#include <cstdint>

class OutputActionConfig;

// What the connected model can do. A plain record, handed out by value; the
// editors hide what the model lacks. The unnamed flags and value travel with
// the record but no feature check reads them.
struct MouseCapabilities
{
    bool tilt = false;
    bool flag1 = true;
    bool oled = false;
    bool logoLed = false;
    bool flag2 = false;
    bool haptics = false;
    bool flag3 = false;
    int32_t value = 0;
    int32_t dpiStep = defaultDpiStep;
    int32_t maxDpi = defaultMaxDpi;

    static constexpr int32_t defaultDpiStep = 100;
    static constexpr int32_t defaultMaxDpi = 12000;

    // The features of a model code (5, 10, 15, 20, 25, 30; anything else has
    // none), with the default sensor.
    static MouseCapabilities forModel(int modelCode);

    // False when the output's type needs a feature the model lacks: haptic
    // (80), OLED (97, 98, 103), tilt reset (114), logo LED (95).
    bool supportsOutput(const OutputActionConfig &output) const;

    // dpi brought into [dpiStep, maxDpi] and down to a multiple of dpiStep.
    int snapDpi(int dpi) const;
};
