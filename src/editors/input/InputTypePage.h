#pragma once

#include <QWidget>

class ComboBox;
class MapWidget;
class QComboBox;

// The groups of inputs a page can be shown for; the tilt page serves the
// tilt and the pivot group.
enum InputGroups : int {
    TiltGroup = 4,
    PivotGroup = 5,
};

// One page of the input choice dialog: it edits the parameters of one kind of
// input and builds a new mapping card from them. (The name InputType is taken
// by the input type codes.)
class InputTypePage : public QWidget
{
    Q_OBJECT

public:
    explicit InputTypePage(QWidget *parent);

    // A new card of the page's kind on a new mapping made from the page's
    // controls; the caller owns it.
    virtual MapWidget *createMapWidget() = 0;

    using QWidget::show;

public slots:
    // Shows the page; only the tilt page looks at the group.
    virtual void show(InputGroups group);

protected:
    // Puts a styled combo in the place of a form's placeholder combo, with the
    // placeholder's size limits and policy, and deletes the placeholder.
    static ComboBox *replacePlaceholder(QComboBox *placeholder, const QString &objectName);
};
