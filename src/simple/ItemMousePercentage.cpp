#include "ItemMousePercentage.h"

#include "MemoryRingRules.h"
#include "MouseFunctions.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVariant>

ItemMousePercentage::ItemMousePercentage(QWidget *parent)
    : QWidget(parent)
    , device(MouseFunctions::instance())
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("ItemMousePercentage"));
    resize(60, 60);
    setFixedSize(60, 60);
    setWindowTitle(QStringLiteral("Frame"));
    setProperty("label_type", QStringLiteral("dialog"));
    horizontalLayout = new QHBoxLayout(this);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(0);
    horizontalLayout->setContentsMargins(0, 0, 0, 0);
    label = new QLabel(this);
    label->setObjectName(QStringLiteral("label"));
    label->setAlignment(Qt::AlignCenter);
    label->setProperty("label_type", QStringLiteral("dialog"));
    horizontalLayout->addWidget(label);
    setPercentage(0);
}

void ItemMousePercentage::setPercentage(double percent)
{
    m_percent = percent;
    label->setText(MemoryRingRules::percentText(percent));
}

void ItemMousePercentage::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int productId = device->mousePID();
    const MemoryRingRules::Colours look = MemoryRingRules::colours(productId);
    const int d = width() - 8;
    const QRect ring(4, 4, d, d);
    painter.setPen(QPen(look.track, 3));
    painter.drawArc(ring, 0, 360 * 16);
    painter.setPen(QPen(MemoryRingRules::arcColour(m_percent, productId), 3));
    painter.drawArc(ring, 90 * 16, MemoryRingRules::arcSpan(m_percent));
}
