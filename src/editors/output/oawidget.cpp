#include "oawidget.h"

#include "ComboBox.h"
#include "PackageCreator.h"

#include <QDebug>
#include <QDoubleSpinBox>
#include <QSpinBox>

oawidget::oawidget(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QHBoxLayout(this))
    , m_model(PackageCreator::instance())
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(15);
}

oawidget::~oawidget()
{
    delete m_extraRow;
}

QWidget *oawidget::createExtraRow()
{
    if (!m_extraRow)
        m_extraRow = new QWidget;
    return m_extraRow;
}

bool oawidget::isInvalid()
{
    return false;
}

bool oawidget::hasExtraRow() const
{
    return false;
}

bool oawidget::isAdvanced() const
{
    return false;
}

QWidget *oawidget::extraRowWidget() const
{
    return m_extraRow;
}

void oawidget::show()
{
    QWidget::show();
    if (m_extraRow)
        m_extraRow->show();
}

void oawidget::hide()
{
    QWidget::hide();
    if (m_extraRow)
        m_extraRow->hide();
}

int oawidget::buttonStateForRow(int row)
{
    switch (row) {
    case 0:
        return OutputActionConfig::ButtonTap;
    case 1:
        return OutputActionConfig::ButtonPress;
    case 2:
        return OutputActionConfig::ButtonRelease;
    default:
        return -1;
    }
}

int oawidget::rowForButtonState(int buttonState)
{
    switch (buttonState) {
    case OutputActionConfig::ButtonTap:
        return 0;
    case OutputActionConfig::ButtonPress:
        return 1;
    case OutputActionConfig::ButtonRelease:
        return 2;
    default:
        return -1;
    }
}

ComboBox *oawidget::createCombo(const QStringList &items)
{
    auto *combo = new ComboBox(this);
    combo->setFixedSize(comboWidth, comboHeight);
    combo->setItems(items);
    return combo;
}

QSpinBox *oawidget::createSpinBox(int minimum, int maximum, int start)
{
    auto *spin = new QSpinBox(this);
    spin->setRange(minimum, maximum);
    spin->setValue(start);
    spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spin->setAlignment(Qt::AlignCenter);
    return spin;
}

QDoubleSpinBox *oawidget::createDurationSpin(double start, const QString &suffix, QWidget *parent)
{
    auto *spin = new QDoubleSpinBox(parent);
    spin->setRange(0, 99);
    spin->setDecimals(2);
    spin->setSingleStep(0.1);
    spin->setValue(start);
    spin->setSuffix(suffix);
    return spin;
}

void oawidget::limitDuration(QDoubleSpinBox *spin)
{
    constexpr double longest = 10;
    if (spin->value() > longest)
        spin->setValue(longest);
}

ComboBox *oawidget::createModeCombo()
{
    ComboBox *combo = createCombo({tr("Tap"), tr("Press"), tr("Release")});
    combo->setPopupItems({tr("Tap (Press and Release)"), tr("Press (Press and Hold down)"),
                          tr("Release (Release the Previously Pressed button or key)")});
    combo->setPopupWidth(420);
    return combo;
}

ComboBox *oawidget::createWaitCombo()
{
    ComboBox *combo = createCombo({tr("Continue"), tr("Wait...")});
    combo->setPopupItems({tr("Continue with the next output action without waiting"),
                          tr("Wait... for this to complete before the next output action")});
    combo->setPopupWidth(430);
    return combo;
}

bool oawidget::mayWrite() const
{
    return !m_loaded || !m_model->loading;
}

void oawidget::announce(int buttonState)
{
    if (m_model->loading)
        return;
    if (buttonState == OutputActionConfig::ButtonPress)
        emit autoReleaseAdd();
    emit updated();
}

void oawidget::saveButtonState(const ComboBox *modeCombo, int &buttonState)
{
    const int state = buttonStateForRow(modeCombo->currentIndex());
    if (state >= 0 && mayWrite())
        buttonState = state;
    announce(state);
}

void oawidget::showButtonState(ComboBox *modeCombo, int buttonState)
{
    const int row = rowForButtonState(buttonState);
    if (row < 0)
        return;
    const QSignalBlocker block(modeCombo);
    modeCombo->setCurrentIndex(row);
}

void oawidget::refuseRecord(const OutputPtr &record) const
{
    qWarning().noquote() << QStringLiteral("%1: refused a record of output type %2")
                                .arg(QLatin1String(metaObject()->className()))
                                .arg(record ? record->typeCode : -1);
}
