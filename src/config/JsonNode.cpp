#include "JsonNode.h"

#include "JsonTree.h"

#include <cstring>

namespace {

// Appends one character to text as UTF-16.
void appendCode(QString &text, uint code)
{
    if (QChar::requiresSurrogates(code)) {
        text.append(QChar(QChar::highSurrogate(code)));
        text.append(QChar(QChar::lowSurrogate(code)));
    } else {
        text.append(QChar(ushort(code)));
    }
}

int hexValue(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// A string the parser has checked, with its escapes, as Qt decodes it: an
// escape \uXXXX is one UTF-16 unit, any other escaped character stands for
// itself.
QString decode(const char *text, int size)
{
    QString decoded;
    decoded.reserve(size);
    const char *const end = text + size;
    const char *plain = text;
    while (text < end) {
        if (*text != '\\') {
            ++text;
            continue;
        }
        decoded += QString::fromUtf8(plain, int(text - plain));
        const char escaped = text[1];
        text += 2;
        switch (escaped) {
        case 'b':
            decoded += QChar(0x08);
            break;
        case 'f':
            decoded += QChar(0x0C);
            break;
        case 'n':
            decoded += QChar(0x0A);
            break;
        case 'r':
            decoded += QChar(0x0D);
            break;
        case 't':
            decoded += QChar(0x09);
            break;
        case 'u': {
            uint unit = 0;
            for (int i = 0; i < 4; ++i)
                unit = unit << 4 | uint(hexValue(text[i]));
            text += 4;
            appendCode(decoded, unit);
            break;
        }
        default:
            // Qt takes the byte as a signed char: one above 0x7F becomes a
            // pair of surrogates made from its negative value.
            appendCode(decoded, uint(int(static_cast<signed char>(escaped))));
            break;
        }
        plain = text;
    }
    decoded += QString::fromUtf8(plain, int(end - plain));
    return decoded;
}

} // namespace

bool JsonNode::isNull() const
{
    return m_tree && m_tree->m_nodes[m_index].kind == JsonTree::Null;
}

bool JsonNode::isBool() const
{
    return m_tree
           && (m_tree->m_nodes[m_index].kind == JsonTree::True || m_tree->m_nodes[m_index].kind == JsonTree::False);
}

bool JsonNode::isDouble() const
{
    return m_tree && m_tree->m_nodes[m_index].kind == JsonTree::Number;
}

bool JsonNode::isString() const
{
    return m_tree && m_tree->m_nodes[m_index].kind == JsonTree::String;
}

bool JsonNode::isArray() const
{
    return m_tree && m_tree->m_nodes[m_index].kind == JsonTree::Array;
}

bool JsonNode::isObject() const
{
    return m_tree && m_tree->m_nodes[m_index].kind == JsonTree::Object;
}

bool JsonNode::toBool() const
{
    return m_tree && m_tree->m_nodes[m_index].kind == JsonTree::True;
}

double JsonNode::toDouble() const
{
    return isDouble() ? m_tree->m_nodes[m_index].number : 0;
}

QString JsonNode::toString() const
{
    if (!isString())
        return QString();
    const JsonTree::Node &node = m_tree->m_nodes[m_index];
    const char *const text = m_tree->m_text.constData() + node.first;
    const int size = int(node.span.length);
    return node.escaped ? decode(text, size) : QString::fromUtf8(text, size);
}

bool JsonNode::operator==(QLatin1String text) const
{
    if (!isString())
        return false;
    const JsonTree::Node &node = m_tree->m_nodes[m_index];
    if (node.escaped)
        return toString() == text;
    // ASCII text is the same in UTF-8.
    const char *const bytes = m_tree->m_text.constData() + node.first;
    for (int i = 0; i < text.size(); ++i) {
        if (uchar(text.data()[i]) >= 0x80)
            return toString() == text;
    }
    return int(node.span.length) == text.size() && std::memcmp(bytes, text.data(), size_t(text.size())) == 0;
}

bool JsonNode::keyEquals(quint32 keyIndex, const char *key, int size) const
{
    const JsonTree::Node &node = m_tree->m_nodes[keyIndex];
    if (node.escaped)
        return JsonNode(m_tree, keyIndex) == QLatin1String(key, size);
    return int(node.span.length) == size
           && std::memcmp(m_tree->m_text.constData() + node.first, key, size_t(size)) == 0;
}

JsonNode JsonNode::value(const char *key, int size) const
{
    if (!isObject())
        return JsonNode();
    const quint32 members = m_tree->m_nodes[m_index].first;
    quint32 at = m_index + 1;
    JsonNode found;
    // Every member is looked at: of keys that appear twice the last counts.
    for (quint32 i = 0; i < members; ++i) {
        const quint32 valueIndex = at + 1;
        if (keyEquals(at, key, size))
            found = JsonNode(m_tree, valueIndex);
        at = m_tree->after(valueIndex);
    }
    return found;
}

std::vector<std::pair<QString, JsonNode>> JsonNode::members() const
{
    std::vector<std::pair<QString, JsonNode>> members;
    if (!isObject())
        return members;
    quint32 at = m_index + 1;
    for (quint32 i = 0; i < m_tree->m_nodes[m_index].first; ++i) {
        const quint32 valueIndex = at + 1;
        members.emplace_back(JsonNode(m_tree, at).toString(), JsonNode(m_tree, valueIndex));
        at = m_tree->after(valueIndex);
    }
    return members;
}

int JsonNode::size() const
{
    return isArray() || isObject() ? int(m_tree->m_nodes[m_index].first) : 0;
}

JsonNode::Iterator &JsonNode::Iterator::operator++()
{
    m_index = m_tree->after(m_index);
    --m_left;
    return *this;
}

JsonNode::Iterator JsonNode::begin() const
{
    return isArray() ? Iterator(m_tree, m_index + 1, size()) : Iterator(nullptr, 0, 0);
}

JsonNode::Iterator JsonNode::end() const
{
    return Iterator(m_tree, 0, 0);
}
