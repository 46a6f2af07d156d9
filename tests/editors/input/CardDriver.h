#pragma once
// Cards in a shown window, driven as a user would: the menu opened with its
// button and a row clicked, the pencils shown by hovering their row, the
// paste question answered through its buttons.

#include "MapWidget.h"

#include <QStringList>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

class DialogAnswerer;
class MenuList;

class CardHost : public QWidget
{
public:
    CardHost();
    // Puts the card into the window (which owns it from then on) and shows it.
    template<class Card>
    Card *add(Card *card)
    {
        m_layout->insertWidget(m_layout->count() - 1, card);
        show();
        return card;
    }

private:
    QVBoxLayout *m_layout;
};

namespace CardDriver {

// Lets cards added to a shown window show (a layout shows them once control
// returns to the event loop).
void settle();
// Opens the card's menu with a click on its button; null when no menu opened.
MenuList *openMenu(MapWidget *card);
// The rows of the card's menu, opened and closed again.
QStringList menuRows(MapWidget *card);
// Opens the menu and clicks the row with that text; false when it has none.
bool choose(MapWidget *card, const QString &row);
// Hovers the press (top) or release row, as the mouse entering or leaving it.
void hover(MapWidget *card, bool top, bool entered);
// An answerer that clicks the paste question's button with that text
// ("Overwrite" or "Merge").
std::unique_ptr<DialogAnswerer> answerPaste(const QString &button, int timeoutMs = 3000);

// What a user reads on the card's button of that name.
QString text(const MapWidget *card, const char *objectName);
bool isShown(const MapWidget *card, const char *objectName);
bool isEnabled(const MapWidget *card, const char *objectName);

} // namespace CardDriver
