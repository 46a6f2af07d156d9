#pragma once

#include "InputMapAction_Angle.h"
#include "MapWidget.h"

// The card of a tilt or pivot region: active beyond an angle, ending a few
// tenths of a degree back inside it.
class TiltWidget : public MapWidget
{
    Q_OBJECT

public:
    // angle: the negated threshold in tenths of a degree (negative for the
    // right, backward or pivot-right side); noise: the hysteresis in tenths
    // of a degree, -1 for one tenth of the angle but at least 5.
    TiltWidget(int axis, int angle, int noise, bool topLevel, bool isGlobal, QWidget *parent);
    TiltWidget(std::shared_ptr<InputMapAction_Angle> mapping, bool isGlobal, MapWidget *parentCard, QWidget *parent);

    static std::shared_ptr<InputMapAction_Angle> newMapping(int axis, int angle, int noise);

    void copyAngleSettings(const InputMapAction_Angle *other) override;
    QString inputName() const override;
    QString pressText() const override;
    QString releaseText() const override;
    MapWidget *createEmptyCopy() const override;

public slots:
    void menuHandler(int item) override;

private:
    void finish(const std::shared_ptr<InputMapAction_Angle> &mapping);
    InputMapAction_Angle *mapping() const { return static_cast<InputMapAction_Angle *>(config()); }
};
