#include "PendingCards.h"

#include <QElapsedTimer>
#include <QTimer>

namespace {

// A turn makes cards for about this long (making and styling one takes a
// few milliseconds), so that it and the layout after it stay well within
// what a user notices.
constexpr qint64 turnMs = 20;
// Between two turns the loop lays out and paints what the turn made, then
// waits for events for a moment: input that came meanwhile comes first.
constexpr int pauseMs = 10;

} // namespace

PendingCards::PendingCards(std::function<void(const Entry &)> make, QObject *parent)
    : QObject(parent)
    , m_make(std::move(make))
{}

void PendingCards::append(const QList<Entry> &entries)
{
    m_waiting += entries;
    schedule();
}

void PendingCards::clear()
{
    m_waiting.clear();
}

void PendingCards::finish()
{
    makeFirst(int(m_waiting.size()));
}

void PendingCards::makeFirst(int count)
{
    for (int made = 0; made < count && !m_waiting.isEmpty(); ++made)
        m_make(m_waiting.takeFirst());
}

InputMapList PendingCards::mappings() const
{
    InputMapList list;
    list.reserve(m_waiting.size());
    for (const Entry &entry : m_waiting)
        list.append(entry.second);
    return list;
}

void PendingCards::schedule()
{
    if (m_scheduled || m_waiting.isEmpty())
        return;
    m_scheduled = true;
    // Queued behind the layouts and shows that the cards just made posted.
    QMetaObject::invokeMethod(
        this, [this] { QTimer::singleShot(pauseMs, this, &PendingCards::turn); }, Qt::QueuedConnection);
}

void PendingCards::turn()
{
    m_scheduled = false;
    QElapsedTimer clock;
    clock.start();
    // At least one card a turn, however slow the machine.
    while (!m_waiting.isEmpty()) {
        m_make(m_waiting.takeFirst());
        if (clock.elapsed() >= turnMs)
            break;
    }
    schedule();
}
