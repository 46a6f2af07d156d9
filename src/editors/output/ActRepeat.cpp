#include "ActRepeat.h"

#include "ComboBox.h"
#include "OutputAction_Act.h"

#include <QLabel>
#include <QSpinBox>

ActRepeat::ActRepeat(int count, QWidget *parent)
    : oawidget(parent)
{
    placeholderCombo = createCombo({});
    placeholderCombo->setObjectName(QStringLiteral("placeholderCombo"));
    targetCombo = createCombo({});
    targetCombo->setObjectName(QStringLiteral("targetCombo"));
    targetCombo->hide();
    fillTargets(count);
    timesSpin = createSpinBox(0, 99999, 0);
    timesSpin->setObjectName(QStringLiteral("timesSpin"));
    pageLayout()->addWidget(new QLabel(tr("Output ID#"), this));
    pageLayout()->addWidget(placeholderCombo);
    pageLayout()->addWidget(targetCombo);
    pageLayout()->addWidget(timesSpin);
    pageLayout()->addWidget(new QLabel(tr("Times"), this));
    pageLayout()->addWidget(new QLabel(tr("A times value of 0\nrepresents infinity."), this));
    pageLayout()->addStretch();

    connect(placeholderCombo, &ComboBox::selected, this, &ActRepeat::select);
    connect(placeholderCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &ActRepeat::save);
    connect(targetCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &ActRepeat::save);
    connect(timesSpin, qOverload<int>(&QSpinBox::valueChanged), this, &ActRepeat::save);
}

// Both combos offer the rows 1 to count. The placeholder shows an empty item
// and its pop-up starts with no row checked.
void ActRepeat::fillTargets(int count)
{
    QStringList numbers;
    for (int n = 1; n <= count; ++n)
        numbers << QString::number(n);
    const QSignalBlocker blockTarget(targetCombo);
    const QSignalBlocker blockPlaceholder(placeholderCombo);
    targetCombo->setItems(numbers);
    placeholderCombo->setItems(QStringList{QString()} + numbers);
    placeholderCombo->setPopupItems(numbers);
    // The kit's combo checks the row it was last set to when its pop-up is
    // first built: set none, then show the empty item.
    placeholderCombo->setCurrentIndex(-1);
    placeholderCombo->QComboBox::setCurrentIndex(0);
    placeholderCombo->updatePopupChecks(-1);
}

void ActRepeat::showTarget(bool chosen)
{
    targetChosen = chosen;
    placeholderCombo->setVisible(!chosen);
    targetCombo->setVisible(chosen);
}

void ActRepeat::setIndexBase(int base)
{
    m_indexBase = base;
}

bool ActRepeat::isInvalid()
{
    return !targetChosen;
}

void ActRepeat::ensureConfig()
{
    createRecord<OutputAction_Act>(OutputType::RepeatFrom);
}

void ActRepeat::select(int index)
{
    if (targetChosen)
        return;
    showTarget(true);
    targetCombo->setCurrentIndex(index);
    save();
}

void ActRepeat::save()
{
    ensureConfig();
    // The box shows what is stored; setting it saves again.
    if (timesSpin->value() > maximumTimes)
        timesSpin->setValue(maximumTimes);
    if (mayWrite()) {
        auto *r = record<OutputAction_Act>();
        // Without a selected row the target stays as it was loaded.
        if (targetCombo->currentIndex() >= 0)
            r->repeatTarget = quint8(targetCombo->currentIndex() + m_indexBase);
        r->countOrTime.setValue(timesSpin->value());
    }
    announce();
}

// Ends with a save, so a load outside the loading flag emits updated() once.
void ActRepeat::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Act>(loaded))
        return;
    const auto *r = record<OutputAction_Act>();
    const QSignalBlocker blockTarget(targetCombo);
    const QSignalBlocker blockTimes(timesSpin);
    timesSpin->setValue(r->countOrTime.value());
    showTarget(true);
    const int target = r->repeatTarget - m_indexBase;
    targetCombo->setCurrentIndex(target >= 0 && target < targetCombo->count() ? target : -1);
    save();
}

void ActRepeat::updateRowCount(int n)
{
    const int remembered = targetCombo->currentIndex();
    fillTargets(n - 1);
    if (remembered < n - 1) {
        const QSignalBlocker block(targetCombo);
        targetCombo->setCurrentIndex(remembered);
    } else {
        showTarget(false);
    }
    save();
}
