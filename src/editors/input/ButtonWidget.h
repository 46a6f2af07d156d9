#pragma once

#include "InputMapAction_Button.h"
#include "MapWidget.h"

// The card of a button input. A built-in (top-level) button's input cannot
// be changed, and the global profile's Left Button keeps its outputs too.
class ButtonWidget : public MapWidget
{
    Q_OBJECT

public:
    ButtonWidget(int buttonId, bool topLevel, bool isGlobal, QWidget *parent);
    ButtonWidget(std::shared_ptr<InputMapAction_Button> mapping, bool isGlobal, MapWidget *parentCard, QWidget *parent);

    // A new button mapping for that id.
    static std::shared_ptr<InputMapAction_Button> newMapping(int buttonId);

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
    void finish(const std::shared_ptr<InputMapAction_Button> &mapping);
    InputMapAction_Button *mapping() const { return static_cast<InputMapAction_Button *>(config()); }
    bool isGlobalLeftButton() const;
};
