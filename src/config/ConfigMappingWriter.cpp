#include "ConfigMappingWriter.h"

#include "ConfigMappings.h"

void ConfigMappingWriter::append(const QJsonObject &element)
{
    m_list.append(element);
}

void ConfigMappingWriter::appendTree(const InputMapActionConfig &root)
{
    appendMapping(root, nullptr);
}

void ConfigMappingWriter::appendMapping(const InputMapActionConfig &mapping, const InputMapActionConfig *parent)
{
    QJsonObject object;
    const auto parentWritten = parent ? m_written.constFind(parent) : m_written.constEnd();
    if (parentWritten != m_written.constEnd())
        object = ConfigMappings::writeActionMapping(mapping, parentWritten->object, parentWritten->position);
    else
        object = ConfigMappings::writeActionMapping(mapping, QJsonValue(), 65535);

    // A mapping listed twice in the model is found at its latest place,
    // which is where its own descendants follow.
    m_written.insert(&mapping, Written{m_list.size(), object});
    m_list.append(object);

    for (const InputMapPtr &child : mapping.children) {
        if (child)
            appendMapping(*child, &mapping);
    }
}
