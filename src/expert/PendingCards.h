#pragma once
// The top-level mappings of the mapping page that have no card yet, in list
// order with their places in the profile's list. A page of many mappings
// makes the cards of its first screenful at once and hands the rest to
// this queue, which makes them a few at a time in later turns of the event
// loop, each turn within a short time, waiting for events in between.
// Whoever needs every card (to walk, store or change them) finishes the
// queue first, at once.

#include "InputMapActionConfig.h"

#include <QList>
#include <QObject>
#include <QPair>

#include <functional>

class PendingCards : public QObject
{
    Q_OBJECT

public:
    using Entry = QPair<int, InputMapPtr>;
    // make: makes the card of one entry.
    explicit PendingCards(std::function<void(const Entry &)> make, QObject *parent = nullptr);

    // Queues entries behind those waiting, and the next turn.
    void append(const QList<Entry> &entries);
    // Forgets what waits; a turn already asked for does nothing.
    void clear();
    // Makes every card that waits, now.
    void finish();
    // Makes the cards of the first count entries that wait, now.
    void makeFirst(int count);

    bool isEmpty() const { return m_waiting.isEmpty(); }
    // What waits, in list order.
    const QList<Entry> &entries() const { return m_waiting; }
    InputMapList mappings() const;

private:
    void turn();
    void schedule();

    std::function<void(const Entry &)> m_make;
    QList<Entry> m_waiting;
    bool m_scheduled = false;
};
