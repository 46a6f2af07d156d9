#include "PageDriver.h"

#include "ComboBox.h"
#include "ComboItemView.h"
#include "WidgetDriver.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QtTest>

PageHost::PageHost(oawidget *page)
    : page(page)
{
    auto *layout = new QHBoxLayout(&window);
    layout->setContentsMargins(15, 15, 15, 15);
    layout->addWidget(page);
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

QString shownText(const QWidget *root, const QString &name)
{
    const QWidget *widget = WidgetDriver::child(root, name);
    if (const auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->currentText();
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(widget))
        return spin->text();
    if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->text();
    if (const auto *check = qobject_cast<const QCheckBox *>(widget))
        return check->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
    return QStringLiteral("<no widget %1>").arg(name);
}

} // namespace PageDriver
