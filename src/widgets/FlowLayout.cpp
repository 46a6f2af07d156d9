#include "FlowLayout.h"

#include <QWidget>

FlowLayout::FlowLayout(QWidget *parent, int margin, int hSpacing, int vSpacing)
    : QLayout(parent)
    , m_hSpace(hSpacing)
    , m_vSpace(vSpacing)
{
    setContentsMargins(margin, margin, margin, margin);
}

FlowLayout::FlowLayout(int margin, int hSpacing, int vSpacing)
    : m_hSpace(hSpacing)
    , m_vSpace(vSpacing)
{
    setContentsMargins(margin, margin, margin, margin);
}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

void FlowLayout::addItem(QLayoutItem *item)
{
    m_items.append(item);
}

int FlowLayout::horizontalSpacing() const
{
    return m_hSpace >= 0 ? m_hSpace : parentSpacing(QStyle::PM_LayoutHorizontalSpacing);
}

int FlowLayout::verticalSpacing() const
{
    return m_vSpace >= 0 ? m_vSpace : parentSpacing(QStyle::PM_LayoutVerticalSpacing);
}

int FlowLayout::parentSpacing(QStyle::PixelMetric metric) const
{
    QObject *owner = parent();
    if (!owner)
        return -1;
    if (owner->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(owner);
        return widget->style()->pixelMetric(metric, nullptr, widget);
    }
    return static_cast<QLayout *>(owner)->spacing();
}

int FlowLayout::itemSpacing(QLayoutItem *item, Qt::Orientation orientation) const
{
    const int own = orientation == Qt::Horizontal ? horizontalSpacing() : verticalSpacing();
    if (own != -1)
        return own;
    // A spacer or a nested layout has no widget to ask.
    const QWidget *asked = item->widget() ? item->widget() : parentWidget();
    if (!asked)
        return 0;
    return asked->style()->layoutSpacing(QSizePolicy::PushButton, QSizePolicy::PushButton, orientation);
}

Qt::Orientations FlowLayout::expandingDirections() const
{
    return {};
}

bool FlowLayout::hasHeightForWidth() const
{
    return true;
}

int FlowLayout::heightForWidth(int width) const
{
    // A trial run changes no geometry; it only announces the height.
    return const_cast<FlowLayout *>(this)->doLayout(QRect(0, 0, width, 0), true);
}

int FlowLayout::count() const
{
    return m_items.size();
}

QLayoutItem *FlowLayout::itemAt(int index) const
{
    return m_items.value(index);
}

QLayoutItem *FlowLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return nullptr;
    return m_items.takeAt(index);
}

QSize FlowLayout::minimumSize() const
{
    QSize size(0, 0);
    for (const QLayoutItem *item : m_items)
        size = size.expandedTo(item->minimumSize());
    const QMargins margins = contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSize FlowLayout::sizeHint() const
{
    return minimumSize();
}

void FlowLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    doLayout(rect, false);
}

int FlowLayout::doLayout(const QRect &rect, bool trial)
{
    const QMargins margins = contentsMargins();
    const QRect effective = rect.adjusted(margins.left(), margins.top(), -margins.right(), -margins.bottom());
    int x = effective.x();
    int y = effective.y();
    int lineHeight = 0;

    for (QLayoutItem *item : qAsConst(m_items)) {
        const int spaceX = itemSpacing(item, Qt::Horizontal);
        const int spaceY = itemSpacing(item, Qt::Vertical);
        const QSize hint = item->sizeHint();
        int nextX = x + hint.width() + spaceX;
        // An item that ends exactly at the right edge still fits.
        if (x + hint.width() > effective.x() + effective.width() && lineHeight > 0) {
            x = effective.x();
            y += lineHeight + spaceY;
            nextX = x + hint.width() + spaceX;
            lineHeight = 0;
        }
        if (!trial)
            item->setGeometry(QRect(QPoint(x, y), QSize(qMin(hint.width(), effective.width()), hint.height())));
        x = nextX;
        lineHeight = qMax(lineHeight, hint.height());
    }

    const int height = y + lineHeight - rect.y() + margins.bottom();
    emit newHeight(height);
    return height;
}
