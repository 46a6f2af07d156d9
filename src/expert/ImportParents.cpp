#include "ImportParents.h"

void ImportParents::topLevelCreated(const QString &announced, const QString &created)
{
    m_announced = announced;
    m_created = created;
}

QString ImportParents::parentFor(const QString &parent) const
{
    if (!m_created.isEmpty() && (parent == m_announced || parent == m_created))
        return m_created;
    return parent;
}

void ImportParents::clear()
{
    m_announced.clear();
    m_created.clear();
}
