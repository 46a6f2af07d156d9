#include "LightingLogo.h"

#include "ComboBox.h"
#include "OutputAction_Led.h"

#include <QCursor>
#include <QLabel>
#include <QPushButton>

namespace {
const QString buttonStyle =
    QStringLiteral("QPushButton { border: 1px solid #373737; border-radius: 4px; background-color: %1; }");

void setColour(quint8 (&colour)[3], const QColor &color)
{
    colour[0] = quint8(color.red());
    colour[1] = quint8(color.green());
    colour[2] = quint8(color.blue());
}
} // namespace

LightingLogo::LightingLogo(QWidget *parent)
    : oawidget(parent)
    , colorEditor(QStringLiteral("pelkin"), this, [this](const QColor &colour) { pickedColor(colour); })
{
    modeCombo = createCombo({tr("Off"), tr("Fixed Colour"), tr("Hue Rotation")});
    modeCombo->setObjectName(QStringLiteral("modeCombo"));
    colorButton = new QPushButton(this);
    colorButton->setObjectName(QStringLiteral("colorButton"));
    colorButton->setFixedSize(30, 30);
    colorButton->setStyleSheet(buttonStyle.arg(QStringLiteral("#007FFF")));
    colorButton->hide();
    pageLayout()->addWidget(new QLabel(tr("Logo Backlight Mode") + QStringLiteral(": "), this));
    pageLayout()->addWidget(modeCombo);
    pageLayout()->addWidget(colorButton);
    pageLayout()->addStretch();

    connect(colorButton, &QPushButton::clicked, this, &LightingLogo::colorPicker);
    connect(modeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &LightingLogo::save);
    save();
}

LightingLogo::~LightingLogo() = default;

void LightingLogo::ensureConfig()
{
    // The record's own start values are those of a new logo output.
    createRecord<OutputAction_Led>(OutputType::Led);
}

QColor LightingLogo::storedColour() const
{
    const auto *r = record<OutputAction_Led>();
    return QColor(r->colour1[0], r->colour1[1], r->colour1[2]);
}

void LightingLogo::paintButton(const QColor &color)
{
    colorButton->setStyleSheet(buttonStyle.arg(color.name()));
}

void LightingLogo::save()
{
    ensureConfig();
    auto *r = record<OutputAction_Led>();
    const int mode = modeCombo->currentIndex();
    colorButton->setVisible(mode == FixedColour);
    if (mode >= 0 && mayWrite()) {
        r->ledMode = quint8(mode);
        if (mode == FixedColour)
            setColour(r->colour1, colorEditor.color());
    }
    announce();
}

void LightingLogo::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Led>(loaded))
        return;
    colorButton->hide();
    const QSignalBlocker block(modeCombo);
    switch (record<OutputAction_Led>()->ledMode) {
    case Off:
        modeCombo->setCurrentIndex(Off);
        break;
    case FixedColour:
        modeCombo->setCurrentIndex(FixedColour);
        paintButton(storedColour());
        // The editor holds the colour too, so that switching the mode away
        // and back keeps it.
        colorEditor.setColor(storedColour());
        colorButton->show();
        break;
    case HueRotation:
        modeCombo->setCurrentIndex(HueRotation);
        break;
    }
}

void LightingLogo::colorPicker()
{
    colorEditor.setColor(storedColour());
    colorEditor.showAt(QCursor::pos());
}

void LightingLogo::pickedColor(const QColor &color)
{
    ensureConfig();
    if (mayWrite())
        setColour(record<OutputAction_Led>()->colour1, color);
    paintButton(color);
    announce();
}
