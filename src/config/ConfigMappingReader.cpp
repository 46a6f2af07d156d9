#include "ConfigMappingReader.h"

#include "ConfigItems.h"
#include "ConfigMappings.h"

#include <QDebug>

ConfigMappingReader::ConfigMappingReader(int fileVersion, bool withPosition, bool dropTopLevelMovement)
    : m_fileVersion(fileVersion)
    , m_withPosition(withPosition)
    , m_dropTopLevelMovement(dropTopLevelMovement)
{}

void ConfigMappingReader::skip()
{
    m_places.append(InputMapPtr());
}

int ConfigMappingReader::depthOf(const InputMapActionConfig *mapping)
{
    int depth = 0;
    for (; mapping && mapping->parent; mapping = mapping->parent)
        ++depth;
    return depth;
}

void ConfigMappingReader::read(const JsonNode &element)
{
    const int position = m_places.size();
    InputMapPtr mapping = ConfigMappings::readActionMapping(element, m_fileVersion);

    if (ConfigMappings::hasPredecessor(element)) {
        const qint64 id = ConfigItems::integerOf(element.value("PredecessorId"));
        if (id < 0 || id >= position) {
            if (m_withPosition)
                qWarning() << "ConfigFile: invalid PredecessorId detected!"
                           << "id:" << id << "actionIndex:" << position;
            else
                qWarning() << "ConfigFile: invalid PredecessorId detected!"
                           << "id:" << id;
            // Kept in its place, so that its own children find it, but in no tree.
        } else if (mapping) {
            const InputMapPtr &parent = m_places.at(int(id));
            if (parent && depthOf(parent.get()) + 1 < maximumDepth) {
                parent->addChild(mapping);
            } else if (parent) {
                qWarning() << "ConfigFile: mapping nested too deep, left out - actionIndex:" << position;
                mapping.reset();
            }
        }
    } else if (mapping) {
        m_lastRoot = mapping;
        if (!(m_dropTopLevelMovement && mapping->inputType == InputType::Movement))
            m_topLevel.append(mapping);
    }
    m_places.append(mapping);
}
