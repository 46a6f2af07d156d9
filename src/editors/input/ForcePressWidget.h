#pragma once

#include "InputMapAction_Force.h"
#include "MapWidget.h"

// The card of a Force Press input: a toggle region that turns on at a force
// and off again below it, or an analog range that follows the force between
// two limits (no release phase).
class ForcePressWidget : public MapWidget
{
    Q_OBJECT

public:
    // A region at percent, or with rangeEnd other than -1 a range from
    // percent to rangeEnd. Never top-level.
    ForcePressWidget(int buttonId, int percent, int rangeEnd, bool isGlobal, QWidget *parent);
    ForcePressWidget(std::shared_ptr<InputMapAction_Force> mapping, bool isGlobal, MapWidget *parentCard,
                     QWidget *parent);

    static std::shared_ptr<InputMapAction_Force> newMapping(int buttonId, int percent, int rangeEnd);

    void applyDefaults() override;
    QString inputName() const override;
    QString pressText() const override;
    QString releaseText() const override;
    QStringList buildMenu() override;
    MapWidget *createEmptyCopy() const override;
    OutputActions *createOutputActions() override;

public slots:
    void menuHandler(int item) override;

private:
    void finish(const std::shared_ptr<InputMapAction_Force> &mapping);
    InputMapAction_Force *mapping() const { return static_cast<InputMapAction_Force *>(config()); }
    bool isRange() const { return mapping()->inputType == InputType::ForceRange; }
};
