#pragma once

#include "LazyColorEditor.h"
#include "oawidget.h"

#include <QColor>

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

    ComboBox *modeCombo;
    QPushButton *colorButton;
    // Most pages only show a colour: the editor is made when first opened.
    LazyColorEditor colorEditor;
};
