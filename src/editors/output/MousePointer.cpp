#include "MousePointer.h"

#include "OutputAction_Mouse.h"

#include <QLabel>
#include <QSpinBox>

namespace {
// The pointer kind of a relative movement.
constexpr int relativeMovement = 2;
} // namespace

MousePointer::MousePointer(QWidget *parent)
    : oawidget(parent)
{
    xSpin = createSpinBox(-9999, 9999, 0);
    xSpin->setObjectName(QStringLiteral("xSpin"));
    ySpin = createSpinBox(-9999, 9999, 0);
    ySpin->setObjectName(QStringLiteral("ySpin"));
    pageLayout()->addWidget(new QLabel(tr("Mouse Pointer"), this));
    pageLayout()->addWidget(new QLabel(tr("X Units:"), this));
    pageLayout()->addWidget(xSpin);
    pageLayout()->addWidget(new QLabel(tr("Y Units:"), this));
    pageLayout()->addWidget(ySpin);
    pageLayout()->addStretch();

    connect(xSpin, qOverload<int>(&QSpinBox::valueChanged), this, &MousePointer::save);
    connect(ySpin, qOverload<int>(&QSpinBox::valueChanged), this, &MousePointer::save);
    save();
}

void MousePointer::ensureConfig()
{
    if (!config())
        createRecord<OutputAction_Mouse>(OutputType::MousePointer)->pointerOption = 0;
}

void MousePointer::save()
{
    ensureConfig();
    if (mayWrite()) {
        auto *r = record<OutputAction_Mouse>();
        r->pointerMode = relativeMovement;
        r->xCount.setValue(xSpin->value());
        r->yCount.setValue(ySpin->value());
    }
    announce();
}

void MousePointer::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Mouse>(loaded))
        return;
    const auto *r = record<OutputAction_Mouse>();
    const QSignalBlocker blockX(xSpin);
    const QSignalBlocker blockY(ySpin);
    xSpin->setValue(r->xCount.signedValue());
    ySpin->setValue(r->yCount.signedValue());
}
