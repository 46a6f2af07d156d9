#include "CardScheduler.h"

#include "LoadingGuard.h"
#include "MapWidget.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "PendingCards.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QScreen>

using Page = MappingListRules::Page;

namespace {

// The least heights of a card's parts in pixels, by its form: the press row
// within the frame's margins, the release row, the spacing of the list and
// of the nested cards.
constexpr int pressRowHeight = 40;
constexpr int releaseRowHeight = 30;
constexpr int cardSpacing = 10;
// The list's height when there is no screen to go by.
constexpr int fallbackListHeight = 1080;

// The height of the card list as the page shown last laid it out: every
// profile's page stands in the same place, and one about to show its list
// for the first time has not been laid out yet. 0 until a list was.
int lastListHeight = 0;

// The least height the card of a mapping takes, nested cards included.
int leastCardHeight(const InputMapActionConfig &mapping)
{
    if (mapping.isActivationOnly())
        return pressRowHeight;
    int height = pressRowHeight + releaseRowHeight;
    for (const InputMapPtr &child : mapping.children) {
        if (child)
            height += leastCardHeight(*child) + cardSpacing;
    }
    return height;
}

} // namespace

CardScheduler::CardScheduler(QAbstractScrollArea *list, MakeCard make, QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_make(std::move(make))
    , m_model(PackageCreator::instance())
    , m_device(MouseFunctions::instance())
    , m_pending(
          new PendingCards([this](const PendingCards::Entry &entry) { makeLate(entry.first, entry.second); }, this))
{
    m_list->viewport()->installEventFilter(this);
}

CardScheduler::~CardScheduler() = default;

bool CardScheduler::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == m_list->viewport())
        lastListHeight = m_list->viewport()->height();
    return QObject::eventFilter(watched, event);
}

int CardScheduler::room() const
{
    int room = lastListHeight;
    QWidget *window = m_list->window();
    if (room <= 0 && window->isVisible())
        room = window->height();
    if (room <= 0)
        room = m_list->screen() ? m_list->screen()->availableGeometry().height() : fallbackListHeight;
    return room;
}

void CardScheduler::load(const InputMapList &maps)
{
    m_pageShown = false;
    const int room = this->room();
    int filled = 0;
    QList<PendingCards::Entry> later;
    for (int place = 0; place < maps.size(); ++place) {
        const InputMapPtr &mapping = maps.at(place);
        if (filled < room) {
            m_make(place, mapping);
            if (mapping)
                filled += leastCardHeight(*mapping) + cardSpacing;
        } else {
            later.append({place, mapping});
        }
    }
    m_pending->append(later);
}

void CardScheduler::makeLate(int place, const InputMapPtr &mapping)
{
    LoadingGuard guard(m_model);
    MapWidget *card = m_make(place, mapping);
    if (card && m_pageShown)
        showOnPage(card, m_page, m_device->isVModel());
}

void CardScheduler::clear()
{
    m_pending->clear();
}

void CardScheduler::finish()
{
    m_pending->finish();
}

bool CardScheduler::isDone() const
{
    return m_pending->isEmpty();
}

void CardScheduler::follow(const Page &page, bool tiltModel)
{
    // The page of one button or tilt shows few cards, at once; the list of
    // all shows those below the first screenful a moment later.
    if (page.kind != Page::All) {
        const QList<PendingCards::Entry> &waiting = m_pending->entries();
        int shownWaiting = 0;
        for (int i = 0; i < waiting.size(); ++i) {
            if (waiting.at(i).second && MappingListRules::shownOnPage(page, *waiting.at(i).second, tiltModel))
                shownWaiting = i + 1;
        }
        m_pending->makeFirst(shownWaiting);
    }
    m_pageShown = true;
    m_page = page;
}

InputMapList CardScheduler::waitingMappings() const
{
    return m_pending->mappings();
}

void CardScheduler::showOnPage(MapWidget *card, const Page &page, bool tiltModel)
{
    const bool shown = MappingListRules::shownOnPage(page, *card->config(), tiltModel);
    card->setVisible(shown);
    if (shown || page.kind == Page::All)
        card->syncMapping();
    if (page.kind != Page::All)
        return;
    for (MapWidget *child : card->childCards())
        child->setVisible(MappingListRules::nestedShownOnAll(*card->config(), *child->config(), tiltModel));
}
