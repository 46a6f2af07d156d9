#pragma once
// When the top-level cards of the mapping page are made, and the page those
// made late follow. A load makes the cards that fill the list's height at
// once and queues the others (PendingCards), which are made in later turns
// of the event loop; each takes the page shown when it is made, as the cards
// before it did. A button's or a tilt's page shows few cards: those it shows
// are made when it is shown. Whoever walks, stores or changes the cards
// finishes the schedule first.

#include "InputMapActionConfig.h"
#include "MappingListRules.h"

#include <QObject>

#include <functional>

class MapWidget;
class MouseFunctions;
class PackageCreator;
class PendingCards;
class QAbstractScrollArea;

class CardScheduler : public QObject
{
    Q_OBJECT

public:
    // Makes the card of the top-level mapping at a place in the profile's
    // list, with its nested cards, into the list; null for a mapping of a
    // type no card shows.
    using MakeCard = std::function<MapWidget *(int place, const InputMapPtr &mapping)>;

    // list is the scroll area of the cards, whose height a screenful is.
    CardScheduler(QAbstractScrollArea *list, MakeCard make, QObject *parent = nullptr);
    ~CardScheduler() override;

    // Makes the cards of the mappings that fill the list's height now and
    // queues the others; until showPage, cards made later follow no page.
    void load(const InputMapList &maps);
    // Forgets the cards that wait.
    void clear();
    // Makes every card that waits, now.
    void finish();
    // Whether no card waits.
    bool isDone() const;
    // A page is shown: the waiting cards up to the last one it shows are
    // made now (none for the list of all), and those made later follow it.
    void follow(const MappingListRules::Page &page, bool tiltModel);
    // The mappings of the cards that wait, in list order.
    InputMapList waitingMappings() const;

    // Shows or hides a card and its nested cards as the page shows them.
    static void showOnPage(MapWidget *card, const MappingListRules::Page &page, bool tiltModel);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The height the cards made at once fill, in pixels.
    int room() const;
    void makeLate(int place, const InputMapPtr &mapping);

    QAbstractScrollArea *m_list;
    MakeCard m_make;
    PackageCreator *m_model;
    MouseFunctions *m_device;
    PendingCards *m_pending;
    // The page shown since the last load, which cards made later follow.
    bool m_pageShown = false;
    MappingListRules::Page m_page;
};
