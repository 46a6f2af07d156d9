#pragma once

#include "LazyColorEditor.h"

#include <QColor>
#include <QWidget>

#include <memory>

namespace Ui {
class Settings;
}
class ComboBox;
class DPILevels;
class OutputActions;
class PackageCreator;

// The expert view's page of one profile's device settings: the DPI levels,
// polling rate, lift-off height, joystick outputs, logo backlight, OLED
// display, tilt auto-zeroing, automatic release, and the outputs run when
// the mouse switches to the profile. The page keeps no settings of its own:
// it reads the current profile's records and writes every row back into
// them on each change (the profile widget makes its profile current before
// it loads or shows the page). Rows the connected model lacks are hidden,
// and written all the same with the values they were loaded with.
class Settings : public QWidget
{
    Q_OBJECT

public:
    explicit Settings(QWidget *parent = nullptr);
    ~Settings() override;

    // Fills the page from the current profile, with the model's loading
    // flag set so nothing is written back.
    void load();
    // The page's defaults (one level of 1500, 1000 Hz, lift-off "Minimum",
    // joystick, auto-zeroing and auto-release on, hue rotation, the cube),
    // written unless the model is loading; no extra outputs.
    void resetToDefaults();
    // Loads the page the first time, then shows the rows the connected
    // model has.
    void showPage();
    // The current profile gains (starting with the defaults) or drops its
    // own settings.
    void setOwnSettings(bool own);
    void setRemoveHidden(bool hidden);
    void showRemoveRow();
    void refreshOutputs();

    DPILevels *dpiLevels() const { return dpi; }
    OutputActions *outputActions() const { return outputs; }

signals:
    // The user confirmed "- Remove settings"; the defaults are written.
    void removed();

public slots:
    void save();
    void colorPicker();
    void pickedColor(QColor colour);
    void ledColorVisibility();
    void oledTextVisibility();
    void addOutputAction();
    void scrollOutputsToBottom();
    void removeCliked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ComboBox *addCombo(QWidget *row, const QString &name, const QStringList &items);
    void showRow(QWidget *frame, QWidget *row, bool shown);

    static constexpr int bottomHeight = 61;
    static constexpr int bottomHeightWithRemove = 88;

    std::unique_ptr<Ui::Settings> ui;
    DPILevels *dpi;
    OutputActions *outputs;
    // A page that only shows a fixed colour needs no editor until it is opened.
    LazyColorEditor colorEditor;
    ComboBox *pollingCombo;
    ComboBox *liftOffCombo;
    ComboBox *joystickCombo;
    ComboBox *ledCombo;
    ComboBox *oledCombo;
    ComboBox *tiltCombo;
    ComboBox *autoReleaseCombo;
    PackageCreator *model;
    bool loaded = false;
};
