#pragma once
// What a view wants reopened when the other view is shown: the page and the
// selected mouse button. Both views read and write the two fields directly.
//
// page: 0 nothing to restore, 1 the settings page, 2 all mappings, 3 one
// button's mappings (buttonId's); buttonId 13 is no button.

#include <QObject>

class CurrentPage : public QObject
{
    Q_OBJECT

public:
    static CurrentPage *instance();

    int page = 2;
    int buttonId = 13;

private:
    CurrentPage() = default;
};
