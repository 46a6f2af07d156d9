#include "IconsBlock.h"

#include "IconPixObject.h"

#include <QGraphicsScene>

#include <algorithm>

IconsBlock::IconsBlock(QGraphicsScene *scene, QMap<int, QPoint> iconPositions, QObject *parent)
    : QObject(parent)
    , m_scene(scene)
    , m_iconPositions(std::move(iconPositions))
{}

IconsBlock::~IconsBlock()
{
    // Placed icons stay with the scene that shows them.
    for (const auto &icons : qAsConst(m_icons))
        for (const auto &icon : icons)
            if (icon && !isPlaced(icon))
                delete icon.data();
}

QList<QPointer<IconPixObject>> &IconsBlock::list(int key)
{
    return m_icons[key]; // made when missing
}

bool IconsBlock::isPlaced(const IconPixObject *icon) const
{
    return icon->scene() != nullptr;
}

void IconsBlock::addInputIcons(int inputId)
{
    list(inputId); // the list exists even when the icons go to another one
    auto append = [this](int key, std::initializer_list<int> kinds) {
        QList<QPointer<IconPixObject>> &icons = list(key);
        for (int kind : kinds)
            icons.append(IconPixObject::create(kind, false));
    };
    switch (inputId) {
    case 9:
        append(10, {IconPixObject::Pull, IconPixObject::Push});
        break;
    case 11:
        append(12, {IconPixObject::Pull, IconPixObject::Push});
        break;
    case 14:
        append(13, {IconPixObject::TiltLeft, IconPixObject::TiltRight});
        break;
    case 16:
        append(15, {IconPixObject::TiltForward, IconPixObject::TiltBack});
        break;
    case 18:
        append(2, {IconPixObject::ScrollForward, IconPixObject::ScrollBack});
        break;
    case 10:
    case 12:
    case 13:
    case 15:
    case 17:
        break;
    default:
        if (inputId <= 8)
            append(inputId, {IconPixObject::Push});
        else
            list(inputId).append(nullptr);
        break;
    }
}

void IconsBlock::addIcon(int key, int iconType)
{
    list(key).append(IconPixObject::create(iconType, false));
}

void IconsBlock::placeIcons()
{
    for (auto it = m_icons.begin(); it != m_icons.end(); ++it) {
        const int key = it.key();
        const QList<QPointer<IconPixObject>> &icons = it.value();
        const int n = icons.size();
        const int limit = key == 2 ? 4 : 3;
        // A full list leaves the slot nearest the anchor empty.
        const int placed = n > limit ? limit - 1 : n;
        const QPoint anchor = m_iconPositions[key]; // a missing key reads (0, 0)
        for (int i = 0; i < placed; ++i) {
            IconPixObject *icon = icons[i];
            if (!icon)
                continue;
            const QPoint position(anchor.x(), anchor.y() - 5 - 37 * (std::min(n, limit) - i));
            if (position.isNull())
                continue;
            icon->setScale(iconScale);
            icon->setPos(position);
            if (icon->scene() != m_scene)
                m_scene->addItem(icon);
        }
    }
}

void IconsBlock::recolorIcons(int key, bool highlighted)
{
    auto found = m_icons.find(key);
    if (found == m_icons.end())
        return;
    QList<QPointer<IconPixObject>> &icons = found.value();
    for (int i = 0; i < icons.size(); ++i) {
        IconPixObject *old = icons[i];
        if (!old || !isPlaced(old))
            continue;
        IconPixObject *icon = IconPixObject::create(old->iconType(), highlighted);
        icon->setPos(old->pos().toPoint());
        icon->setScale(iconScale);
        icons[i] = icon;
        delete old;
        m_scene->addItem(icon);
    }
}

void IconsBlock::setVisible(bool visible)
{
    for (IconPixObject *icon : items())
        icon->setVisible(visible);
}

QList<IconPixObject *> IconsBlock::items() const
{
    QList<IconPixObject *> placed;
    for (const auto &icons : m_icons)
        for (const auto &icon : icons)
            if (icon && isPlaced(icon))
                placed.append(icon);
    return placed;
}

void IconsBlock::clear()
{
    for (const auto &icons : qAsConst(m_icons))
        for (const auto &icon : icons)
            delete icon.data();
    m_icons.clear();
}

QList<IconPixObject *> IconsBlock::icons(int key) const
{
    QList<IconPixObject *> made;
    for (const auto &icon : m_icons.value(key))
        made.append(icon);
    return made;
}
