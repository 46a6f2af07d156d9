#pragma once

#include "InputMapAction_Scroll.h"
#include "MapWidget.h"

// The card of a scroll wheel input (no release phase). A built-in
// (top-level) wheel's input cannot be changed.
class ScrollWidget : public MapWidget
{
    Q_OBJECT

public:
    ScrollWidget(int direction, bool topLevel, bool isGlobal, QWidget *parent);
    ScrollWidget(std::shared_ptr<InputMapAction_Scroll> mapping, bool isGlobal, MapWidget *parentCard, QWidget *parent);

    static std::shared_ptr<InputMapAction_Scroll> newMapping(int direction);

    void applyDefaults() override;
    void applyRestrictions() override;
    QString inputName() const override;
    QString pressText() const override;
    QString releaseText() const override;
    QStringList buildMenu() override;
    MapWidget *createEmptyCopy() const override;

public slots:
    void menuHandler(int item) override;

private:
    void finish(const std::shared_ptr<InputMapAction_Scroll> &mapping);
    InputMapAction_Scroll *mapping() const { return static_cast<InputMapAction_Scroll *>(config()); }
};
