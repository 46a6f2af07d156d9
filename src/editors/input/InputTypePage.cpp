#include "InputTypePage.h"

#include "ComboBox.h"

#include <QLayout>

InputTypePage::InputTypePage(QWidget *parent)
    : QWidget(parent)
{}

void InputTypePage::show(InputGroups)
{
    QWidget::show();
}

ComboBox *InputTypePage::replacePlaceholder(QComboBox *placeholder, const QString &objectName)
{
    QWidget *owner = placeholder->parentWidget();
    // The form's size hints are the combo's size; ComboBox takes the
    // placeholder's current size, which a layout has not set yet.
    placeholder->resize(placeholder->minimumSize());
    auto *combo = new ComboBox(placeholder, owner);
    combo->setMinimumSize(placeholder->minimumSize());
    combo->setMaximumSize(placeholder->maximumSize());
    combo->setSizePolicy(placeholder->sizePolicy());
    combo->setObjectName(objectName);
    combo->setPopupColor(Qt::white);
    if (QLayout *layout = owner->layout())
        delete layout->replaceWidget(placeholder, combo);
    delete placeholder;
    return combo;
}
