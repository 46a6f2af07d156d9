#include "SimpleInputType.h"

#include "InputKinds.h"
#include "InputMapActionConfig.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "StyleProperties.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpacerItem>
#include <QStyledItemDelegate>

namespace {

QString kindText(int type)
{
    switch (type) {
    case InputType::ForceRegion:
        return SimpleInputType::tr("Force Press");
    case InputType::Button:
        return SimpleInputType::tr("Button");
    case InputType::Scroll:
        return SimpleInputType::tr("Scroll");
    case InputType::Movement:
        return SimpleInputType::tr("Movement");
    case InputType::AngleRegion:
        return SimpleInputType::tr("Tilt/Pivot");
    default:
        return QString();
    }
}

} // namespace

SimpleInputType::SimpleInputType(InputMapActionConfig *mapping, const QString &modelKey, QWidget *parent)
    : QWidget(parent)
    , m_layout(new QHBoxLayout(this))
    , m_modelKey(modelKey)
    , m_model(PackageCreator::instance())
    , m_device(MouseFunctions::instance())
    , m_mapping(mapping)
{
    m_layout->setSpacing(0);
    m_layout->setContentsMargins(0, 0, 10, 0);

    if (mapping && mapping->parent) {
        const QList<int> kinds = InputKinds::kindItems(mapping->parent, m_device->isVModel());
        QStringList texts;
        for (int type : kinds)
            texts << kindText(type);
        m_kindCombo = addCombo(texts, 125);
        m_kindCombo->setObjectName(QStringLiteral("kindCombo"));
        for (int i = 0; i < kinds.size(); ++i)
            m_kindCombo->setItemData(i, kinds.at(i));
        // A kind the combo does not offer (a tilt on a model without a tilt
        // sensor) shows no item; nothing changes until the user picks one.
        m_kindCombo->setCurrentIndex(kinds.indexOf(InputKinds::kindItemType(mapping->inputType)));
        connect(m_kindCombo, &QComboBox::currentTextChanged, this, [this](const QString &text) {
            for (int i = 0; i < m_kindCombo->count(); ++i) {
                if (m_kindCombo->itemText(i) == text) {
                    emit changeInputType(m_kindCombo->itemData(i).toInt());
                    return;
                }
            }
        });
    }
    addSpacer(10, false);
}

void SimpleInputType::apply()
{
    emit m_model->updateMemoryUsed();
}

void SimpleInputType::syncConfig(InputMapActionConfig *newConfig)
{
    m_mapping = newConfig;
}

InputMapActionConfig *SimpleInputType::writableMapping()
{
    if (!m_mapping || m_model->loading)
        return nullptr;
    if (!m_model->containsInputMap(m_mapping)) {
        const InputMapPtr copy = m_model->copyIntoCurrentProfile(m_mapping);
        if (!copy)
            return nullptr;
        m_mapping = copy.get();
    }
    return m_mapping;
}

void SimpleInputType::announce()
{
    PackageCreator *model = m_model;
    emit syncInputIcon(m_mapping);
    emit model->updateMemoryUsed();
}

QLabel *SimpleInputType::addLabel(const QString &text, int width, bool centred)
{
    auto *label = new QLabel(text, this);
    label->setFixedSize(width, 24);
    if (centred)
        label->setAlignment(Qt::AlignCenter);
    label->setProperty("label_type", QStringLiteral("input_menu"));
    label->setProperty(StyleProperties::modelKey, m_modelKey);
    m_layout->addWidget(label);
    return label;
}

QComboBox *SimpleInputType::addCombo(const QStringList &items, int width)
{
    auto *combo = new QComboBox(this);
    combo->addItems(items);
    combo->setFixedSize(width, 24);
    styleCombo(combo);
    m_layout->addWidget(combo);
    return combo;
}

QComboBox *SimpleInputType::addChoice(const QString &label, int labelWidth, const QStringList &items,
                                      const QString &objectName)
{
    addLabel(label, labelWidth, true);
    QComboBox *combo = addCombo(items, 180);
    combo->setObjectName(objectName);
    addSpacer(150, true);
    return combo;
}

int SimpleInputType::comboIndex(const QComboBox *combo)
{
    return combo->currentIndex();
}

void SimpleInputType::styleCombo(QComboBox *combo)
{
    combo->setProperty("combo_type", QStringLiteral("input"));
    combo->setProperty(StyleProperties::modelKey, m_modelKey);
    combo->setItemDelegate(new QStyledItemDelegate(combo));
    combo->setAttribute(Qt::WA_MacShowFocusRect, false);
    QWidget *popup = combo->view()->window();
    popup->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
    popup->setAttribute(Qt::WA_TranslucentBackground);
}

void SimpleInputType::addSpinBox(QAbstractSpinBox *spin, int width)
{
    spin->setFixedSize(width, 24);
    spin->setAlignment(Qt::AlignCenter);
    spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spin->setProperty("spin_type", QStringLiteral("input"));
    spin->setProperty(StyleProperties::modelKey, m_modelKey);
    m_layout->addWidget(spin);
}

void SimpleInputType::addSpacer(int width, bool expanding)
{
    m_layout->addSpacerItem(
        new QSpacerItem(width, 1, expanding ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Minimum));
}
