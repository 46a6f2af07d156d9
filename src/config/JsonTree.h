#pragma once

#include "JsonNode.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonParseError>

#include <vector>

// A parsed JSON document for reading: one pass over the text records every
// value in a flat list, and the values are read through JsonNode as they are
// needed. The text is kept (shared, not copied); strings are decoded only
// when asked for.
//
// It accepts exactly what QJsonDocument::fromJson accepts and reads the same
// values from it: the same grammar (also where Qt is lenient: raw control
// characters and unknown escapes in strings, numbers such as ".5"), the same
// UTF-8 checks, numbers through the same conversions, the last of duplicate
// keys, the same nesting limit.
class JsonTree
{
public:
    JsonTree() = default;
    // The document that starts at text[start] and runs to the end.
    bool parse(const QByteArray &text, int start = 0);
    // Makes room ahead of a parse of a text of that size, which may run on
    // another thread meanwhile (not at the same time as any other use).
    void reserveFor(qint64 textSize);
    // A Qt JSON value, through its text.
    static JsonTree fromJson(const QJsonObject &object);
    static JsonTree fromJson(const QJsonArray &array);

    // Why and where (from start) parse() failed, as QJsonDocument says it.
    QJsonParseError error() const { return m_error; }
    // The top-level object or array; undefined when nothing was parsed.
    JsonNode root() const { return m_nodes.empty() ? JsonNode() : JsonNode(this, 0); }

private:
    friend class JsonNode;
    friend class JsonTreeParser;

    enum Kind : quint8 { Null, False, True, Number, String, Array, Object };
    struct Node
    {
        Kind kind;
        bool escaped;  // a string with escapes, decoded the slow way
        quint32 first; // string: offset of its first byte; container: number of elements or members
        union
        {
            double number;
            struct
            {
                quint32 length; // string: bytes between the quotes
                quint32 next;   // container: the node after its last value
            } span;
        };
    };

    // The node after the value at index (after all of a container's values).
    quint32 after(quint32 index) const
    {
        const Node &node = m_nodes[index];
        return node.kind == Array || node.kind == Object ? node.span.next : index + 1;
    }

    QByteArray m_text;
    std::vector<Node> m_nodes;
    QJsonParseError m_error{0, QJsonParseError::NoError};
};
