#include "PageDriver.h"

#include "ComboBox.h"
#include "ComboItemView.h"
#include "RangeSlider.h"
#include "WidgetDriver.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QtTest>

PageHost::PageHost(oawidget *page)
    : page(page)
{
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(15, 15, 15, 15);
    layout->addWidget(page);
    if (QWidget *second = page->extraRowWidget())
        layout->addWidget(second);
    window.resize(1000, 60);
}

bool PageHost::show()
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

namespace {

ComboItemView *openPopup(ComboBox *combo)
{
    if (!combo || !combo->isVisible())
        return nullptr;
    QTest::mouseClick(combo, Qt::LeftButton);
    auto *list = combo->findChild<ComboItemView *>();
    if (!list || !list->window()->isVisible() || !QTest::qWaitForWindowExposed(list->window()))
        return nullptr;
    return list;
}

ComboBox *namedCombo(const QWidget *root, const QString &name)
{
    auto *combo = WidgetDriver::child<ComboBox>(root, name);
    if (!combo)
        qWarning().noquote() << "PageDriver: no combo named" << name;
    return combo;
}

// QSlider's style option is protected; a member pointer taken through a
// derived class reads it from any slider.
struct SliderOption : QSlider
{
    static QStyleOptionSlider at(const QSlider *slider, int position)
    {
        QStyleOptionSlider option;
        (slider->*(&SliderOption::initStyleOption))(&option);
        option.sliderPosition = option.sliderValue = position;
        return option;
    }
};

QPoint handleCentre(const QSlider *slider, int position)
{
    const QStyleOptionSlider option = SliderOption::at(slider, position);
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();
}

void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

namespace PageDriver {

bool pickPopupRow(const QWidget *root, const QString &comboName, int row)
{
    ComboItemView *list = openPopup(namedCombo(root, comboName));
    if (!list || row < 0 || row >= list->model()->rowCount())
        return false;
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    return !list->window()->isVisible();
}

bool pickItem(const QWidget *root, const QString &comboName, const QString &itemText)
{
    const ComboBox *combo = namedCombo(root, comboName);
    const int row = combo ? combo->findText(itemText, Qt::MatchExactly) : -1;
    if (row < 0) {
        qWarning().noquote() << "PageDriver: no item" << itemText << "in" << comboName;
        return false;
    }
    return pickPopupRow(root, comboName, row);
}

QStringList popupTexts(ComboBox *combo, int *checkedRow)
{
    QStringList texts;
    ComboItemView *list = openPopup(combo);
    if (!list)
        return texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts << list->model()->index(row, 0).data().toString();
    if (checkedRow)
        *checkedRow = combo->checkedPopupRow();
    list->window()->hide();
    return texts;
}

bool typeAndFinish(const QWidget *root, const QString &name, const QString &text)
{
    if (!WidgetDriver::typeInto(root, name, QString()))
        return false;
    QWidget *widget = WidgetDriver::child(root, name);
    // QTest types ASCII only; other characters arrive as a key with its text,
    // as a keyboard layout that has them would send them.
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
    QTest::keyClick(widget, Qt::Key_Return);
    return true;
}

bool paste(const QWidget *root, const QString &name, const QString &text)
{
    QWidget *widget = WidgetDriver::child(root, name);
    if (!widget || !widget->isVisible())
        return false;
    QApplication::clipboard()->setText(text);
    widget->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
    return true;
}

bool dragHandle(const QWidget *root, const QString &sliderName, bool upper, int value)
{
    auto *slider = WidgetDriver::child<RangeSlider>(root, sliderName);
    if (!slider || !slider->isVisible() || !slider->isEnabled())
        return false;
    const QPoint from = handleCentre(slider, upper ? slider->maximumPosition() : slider->minimumPosition());
    const QPoint to = handleCentre(slider, value);
    // QTest's moves carry no held button; a drag needs it.
    sendMouse(slider, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(slider, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouse(slider, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    return true;
}

bool turnWheel(const QWidget *root, const QString &name, int steps)
{
    QWidget *widget = WidgetDriver::child(root, name);
    if (!widget)
        return false;
    const QPoint centre = widget->rect().center();
    QWheelEvent event(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, steps * 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
    return true;
}

QString shownText(const QWidget *root, const QString &name)
{
    const QWidget *widget = WidgetDriver::child(root, name);
    if (const auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->currentText();
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(widget))
        return spin->text();
    if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->text();
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *check = qobject_cast<const QCheckBox *>(widget))
        return check->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
    if (const auto *range = qobject_cast<const RangeSlider *>(widget))
        return QStringLiteral("%1 %2").arg(range->minimumValue()).arg(range->maximumValue());
    if (const auto *slider = qobject_cast<const QAbstractSlider *>(widget))
        return QString::number(slider->value());
    return QStringLiteral("<no widget %1>").arg(name);
}

} // namespace PageDriver
