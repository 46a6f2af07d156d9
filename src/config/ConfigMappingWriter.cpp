#include "ConfigMappingWriter.h"

#include "ConfigMappings.h"

void ConfigMappingWriter::appendTree(const InputMapActionConfig &root)
{
    appendMapping(root, nullptr, 65535);
}

void ConfigMappingWriter::appendMapping(const InputMapActionConfig &mapping, const JsonTextWriter::Span *parent,
                                        int parentPosition)
{
    // A mapping's predecessor is its parent's object as written just before
    // in this list, copied one level deeper; it holds the parent's own
    // predecessor in turn.
    const int position = m_count++;
    JsonTextWriter::Span written = m_json.beginSpan();
    ConfigMappings::writeActionMapping(m_json, mapping, parent, parentPosition);
    m_json.endSpan(written);

    for (const InputMapPtr &child : mapping.children) {
        if (child)
            appendMapping(*child, &written, position);
    }
}
