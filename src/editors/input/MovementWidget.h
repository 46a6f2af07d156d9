#pragma once

#include "InputMapAction_Movement.h"
#include "MapWidget.h"

// The card of a sensor movement input (no release phase).
class MovementWidget : public MapWidget
{
    Q_OBJECT

public:
    // Never top-level.
    MovementWidget(int direction, int countDivisor, int repeat, bool isGlobal, QWidget *parent);
    MovementWidget(std::shared_ptr<InputMapAction_Movement> mapping, bool isGlobal, MapWidget *parentCard,
                   QWidget *parent);

    static std::shared_ptr<InputMapAction_Movement> newMapping(int direction, int countDivisor, int repeat);

    QString inputName() const override;
    QString pressText() const override;
    QString releaseText() const override;
    QStringList buildMenu() override;
    MapWidget *createEmptyCopy() const override;

public slots:
    void menuHandler(int item) override;

private:
    void finish(const std::shared_ptr<InputMapAction_Movement> &mapping);
    InputMapAction_Movement *mapping() const { return static_cast<InputMapAction_Movement *>(config()); }
};
