#pragma once

#include "oawidget.h"

#include <QColor>

#include <memory>

class ColorEditor;
class QPushButton;

// The logo backlight (output type 95): off, a fixed colour or the hue
// rotation. With the fixed colour a colour button shows the colour and opens
// the colour editor. A new record has brightness 100 and duration 500, which
// the page never changes. A fresh page holds "Off".
class LightingLogo : public oawidget
{
    Q_OBJECT

public:
    enum Mode { Off = 0, FixedColour = 1, HueRotation = 2 };

    explicit LightingLogo(QWidget *parent = nullptr);
    ~LightingLogo() override;

    void load(const OutputPtr &record) override;
    void ensureConfig() override;

public slots:
    void save() override;
    // Opens the colour editor at the pointer with the stored colour.
    void colorPicker();
    // The colour chosen in the editor becomes the stored one.
    void pickedColor(const QColor &color);

private:
    QColor storedColour() const;
    void paintButton(const QColor &color);
    ColorEditor *editor();
    void setEditorColour(const QColor &colour);

    ComboBox *modeCombo;
    QPushButton *colorButton;
    // A window of its own: made without parent when first opened, deleted
    // with the page. Until then the colour it would hold.
    std::unique_ptr<ColorEditor> colorEditor;
    QColor editorColour;
};
