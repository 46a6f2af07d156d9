#pragma once

#include "InputMapAction_Angle.h"
#include "MapWidget.h"

// The card of an analog tilt or pivot range (no release phase): a range on
// each side of level, read as one mirrored range or as two.
class TiltAnalogWidget : public MapWidget
{
    Q_OBJECT

public:
    // The bounds are the range handles' distances from level, in tenths of a
    // degree.
    TiltAnalogWidget(int axis, int leftLower, int leftUpper, int rightLower, int rightUpper, bool mirrored,
                     bool topLevel, bool isGlobal, QWidget *parent);
    TiltAnalogWidget(std::shared_ptr<InputMapAction_Angle> mapping, bool isGlobal, MapWidget *parentCard,
                     QWidget *parent);

    static std::shared_ptr<InputMapAction_Angle> newMapping(int axis, int leftLower, int leftUpper, int rightLower,
                                                            int rightUpper, bool mirrored);

    void copyAngleSettings(const InputMapAction_Angle *other) override;
    QString inputName() const override;
    QString pressText() const override;
    QString releaseText() const override;
    QStringList buildMenu() override;
    MapWidget *createEmptyCopy() const override;
    OutputActions *createOutputActions() override;

public slots:
    void menuHandler(int item) override;

private:
    void finish(const std::shared_ptr<InputMapAction_Angle> &mapping);
    InputMapAction_Angle *mapping() const { return static_cast<InputMapAction_Angle *>(config()); }
};
