#include "JsonTree.h"

#include <QJsonDocument>

#include <algorithm>
#include <cstring>

// One pass over the text, following QJsonDocument's parser step by step so
// that the same texts pass and fail.
class JsonTreeParser
{
public:
    // Parses begin..end; string offsets count from base.
    JsonTreeParser(const char *base, const char *begin, const char *end, std::vector<JsonTree::Node> &nodes)
        : m_base(base)
        , m_begin(begin)
        , m_p(begin)
        , m_end(end)
        , m_nodes(nodes)
    {}

    QJsonParseError parse()
    {
        // A byte order mark, where more than it follows.
        if (m_end - m_p > 3 && uchar(m_p[0]) == 0xEF && uchar(m_p[1]) == 0xBB && uchar(m_p[2]) == 0xBF)
            m_p += 3;
        const char token = nextToken();
        bool ok = false;
        if (token == '[')
            ok = parseArray();
        else if (token == '{')
            ok = parseObject();
        else
            m_error = QJsonParseError::IllegalValue;
        if (ok) {
            eatSpace();
            if (m_p < m_end) {
                m_error = QJsonParseError::GarbageAtEnd;
                ok = false;
            }
        }
        if (ok)
            return QJsonParseError{0, QJsonParseError::NoError};
        return QJsonParseError{int(m_p - m_begin), m_error};
    }

private:
    using Node = JsonTree::Node;
    static constexpr int nestingLimit = 1024;

    bool eatSpace()
    {
        // Indentation goes eight spaces at a time.
        for (;;) {
            while (m_end - m_p >= 8 && word(m_p) == 0x2020202020202020ull)
                m_p += 8;
            if (m_p < m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t')) {
                ++m_p;
                continue;
            }
            return m_p < m_end;
        }
    }

    static quint64 word(const char *at)
    {
        quint64 bytes;
        std::memcpy(&bytes, at, 8);
        return bytes;
    }

    // Whether any of the eight bytes is a quote, a backslash or not ASCII.
    static bool special(quint64 bytes)
    {
        constexpr quint64 ones = 0x0101010101010101ull;
        constexpr quint64 highs = 0x8080808080808080ull;
        auto zeroByte = [](quint64 x) { return (x - ones) & ~x & highs; };
        return ((zeroByte(bytes ^ (ones * '"')) | zeroByte(bytes ^ (ones * '\\'))) | (bytes & highs)) != 0;
    }

    // A structural character or a quote, consumed; 0 (also consumed) for
    // anything else or the end.
    char nextToken()
    {
        if (!eatSpace())
            return 0;
        const char token = *m_p++;
        switch (token) {
        case '[':
        case '{':
        case ':':
        case ',':
        case ']':
        case '}':
        case '"':
            return token;
        default:
            return 0;
        }
    }

    quint32 push(JsonTree::Kind kind)
    {
        Node node;
        node.kind = kind;
        node.escaped = false;
        node.first = 0;
        node.number = 0;
        m_nodes.push_back(node);
        return quint32(m_nodes.size() - 1);
    }

    void close(quint32 container, quint32 count)
    {
        Node &node = m_nodes[container];
        node.first = count;
        node.span.length = 0;
        node.span.next = quint32(m_nodes.size());
    }

    bool parseObject()
    {
        if (++m_depth > nestingLimit) {
            m_error = QJsonParseError::DeepNesting;
            return false;
        }
        const quint32 object = push(JsonTree::Object);
        quint32 members = 0;
        char token = nextToken();
        while (token == '"') {
            if (!parseMember())
                return false;
            ++members;
            token = nextToken();
            if (token != ',')
                break;
            token = nextToken();
            if (token == '}') {
                m_error = QJsonParseError::MissingObject;
                return false;
            }
        }
        if (token != '}') {
            m_error = QJsonParseError::UnterminatedObject;
            return false;
        }
        --m_depth;
        close(object, members);
        return true;
    }

    bool parseMember()
    {
        if (!parseString())
            return false;
        if (nextToken() != ':') {
            m_error = QJsonParseError::MissingNameSeparator;
            return false;
        }
        if (!eatSpace()) {
            m_error = QJsonParseError::UnterminatedObject;
            return false;
        }
        return parseValue();
    }

    bool parseArray()
    {
        if (++m_depth > nestingLimit) {
            m_error = QJsonParseError::DeepNesting;
            return false;
        }
        const quint32 array = push(JsonTree::Array);
        quint32 elements = 0;
        if (!eatSpace()) {
            m_error = QJsonParseError::UnterminatedArray;
            return false;
        }
        if (*m_p == ']') {
            nextToken();
        } else {
            for (;;) {
                if (!eatSpace()) {
                    m_error = QJsonParseError::UnterminatedArray;
                    return false;
                }
                if (!parseValue())
                    return false;
                ++elements;
                const char token = nextToken();
                if (token == ']')
                    break;
                if (token != ',') {
                    m_error = eatSpace() ? QJsonParseError::MissingValueSeparator : QJsonParseError::UnterminatedArray;
                    return false;
                }
            }
        }
        --m_depth;
        close(array, elements);
        return true;
    }

    // The rest of a literal after its first letter, with Qt's test of the
    // bytes left (one more than the literal needs).
    bool literal(const char *rest, int size, JsonTree::Kind kind)
    {
        if (m_end - m_p < size + 1) {
            m_error = QJsonParseError::IllegalValue;
            return false;
        }
        for (int i = 0; i < size; ++i) {
            if (*m_p++ != rest[i]) {
                m_error = QJsonParseError::IllegalValue;
                return false;
            }
        }
        push(kind);
        return true;
    }

    bool parseValue()
    {
        switch (*m_p++) {
        case 'n':
            return literal("ull", 3, JsonTree::Null);
        case 't':
            return literal("rue", 3, JsonTree::True);
        case 'f':
            return literal("alse", 4, JsonTree::False);
        case '"':
            return parseString();
        case '[':
            return parseArray();
        case '{':
            return parseObject();
        case ',':
            m_error = QJsonParseError::IllegalValue;
            return false;
        case ']':
        case '}':
            m_error = QJsonParseError::MissingObject;
            return false;
        default:
            --m_p;
            return parseNumber();
        }
    }

    bool parseNumber()
    {
        const char *const start = m_p;
        bool isInt = true;
        bool plain = true; // digits only, with or without a minus
        if (m_p < m_end && *m_p == '-')
            ++m_p;
        if (m_p < m_end && *m_p == '0') {
            ++m_p;
        } else {
            while (m_p < m_end && *m_p >= '0' && *m_p <= '9')
                ++m_p;
        }
        if (m_p < m_end && *m_p == '.') {
            plain = false;
            ++m_p;
            while (m_p < m_end && *m_p >= '0' && *m_p <= '9') {
                isInt = isInt && *m_p == '0';
                ++m_p;
            }
        }
        if (m_p < m_end && (*m_p == 'e' || *m_p == 'E')) {
            plain = false;
            isInt = false;
            ++m_p;
            if (m_p < m_end && (*m_p == '-' || *m_p == '+'))
                ++m_p;
            while (m_p < m_end && *m_p >= '0' && *m_p <= '9')
                ++m_p;
        }
        if (m_p >= m_end) {
            m_error = QJsonParseError::TerminationByNumber;
            return false;
        }

        const quint32 node = push(JsonTree::Number);
        const int digits = int(m_p - start) - (*start == '-');
        if (plain && digits > 0 && digits <= 18) {
            // The numbers of a written file: exact, without a conversion.
            qint64 value = 0;
            for (const char *c = start + (*start == '-'); c < m_p; ++c)
                value = value * 10 + (*c - '0');
            m_nodes[node].number = double(*start == '-' ? -value : value);
            return true;
        }
        const QByteArray number = QByteArray::fromRawData(start, int(m_p - start));
        bool ok = false;
        if (isInt) {
            const qlonglong integer = number.toLongLong(&ok);
            if (ok) {
                m_nodes[node].number = double(integer);
                return true;
            }
        }
        const double value = number.toDouble(&ok);
        if (!ok) {
            m_error = QJsonParseError::IllegalNumber;
            return false;
        }
        m_nodes[node].number = value;
        return true;
    }

    // One UTF-8 character as Qt's decoder takes it: no overlong forms, no
    // surrogates, nothing above U+10FFFF, nothing cut off.
    bool scanUtf8()
    {
        const uchar b = uchar(*m_p);
        int more;
        uchar low = 0x80;
        uchar high = 0xBF;
        if (b < 0x80) {
            ++m_p;
            return true;
        } else if (b < 0xC2) {
            return false;
        } else if (b < 0xE0) {
            more = 1;
        } else if (b < 0xF0) {
            more = 2;
            if (b == 0xE0)
                low = 0xA0;
            else if (b == 0xED)
                high = 0x9F;
        } else if (b < 0xF5) {
            more = 3;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (m_end - m_p <= more)
            return false;
        for (int i = 1; i <= more; ++i) {
            const uchar c = uchar(m_p[i]);
            if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF))
                return false;
        }
        m_p += more + 1;
        return true;
    }

    bool scanEscape()
    {
        ++m_p; // the backslash
        if (m_p >= m_end)
            return false;
        if (*m_p++ != 'u')
            return true; // any other character stands for itself
        if (m_p > m_end - 4)
            return false;
        for (int i = 0; i < 4; ++i, ++m_p) {
            const char c = *m_p;
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
                return false;
        }
        return true;
    }

    // After the opening quote.
    bool parseString()
    {
        const char *const start = m_p;
        bool escaped = false;
        // Plain ASCII goes eight bytes at a time.
        while (m_end - m_p >= 8 && !special(word(m_p)))
            m_p += 8;
        while (m_p < m_end && *m_p != '"') {
            if (*m_p == '\\') {
                escaped = true;
                if (!scanEscape()) {
                    m_error = QJsonParseError::IllegalEscapeSequence;
                    return false;
                }
            } else if (uchar(*m_p) < 0x80) {
                ++m_p;
            } else if (!scanUtf8()) {
                m_error = QJsonParseError::IllegalUTF8String;
                return false;
            }
        }
        const char *const close = m_p;
        ++m_p;
        if (m_p >= m_end) {
            m_error = QJsonParseError::UnterminatedString;
            return false;
        }
        const quint32 node = push(JsonTree::String);
        m_nodes[node].escaped = escaped;
        m_nodes[node].first = quint32(start - m_base);
        m_nodes[node].span.length = quint32(close - start);
        m_nodes[node].span.next = 0;
        return true;
    }

    const char *const m_base;
    const char *const m_begin;
    const char *m_p;
    const char *const m_end;
    std::vector<Node> &m_nodes;
    int m_depth = 0;
    QJsonParseError::ParseError m_error = QJsonParseError::NoError;
};

namespace {

// Room for the values of a text: at most one in about every twelve bytes of
// a compact file.
size_t roomFor(qint64 textSize)
{
    return size_t(std::max<qint64>(0, textSize) / 12 + 16);
}

} // namespace

void JsonTree::reserveFor(qint64 textSize)
{
    m_nodes.reserve(roomFor(textSize));
    // An indented file holds about one value in 36 bytes; those pages are
    // given now rather than one at a time as the parse fills them.
    m_nodes.resize(size_t(textSize / 36));
    m_nodes.clear();
}

bool JsonTree::parse(const QByteArray &text, int start)
{
    m_text = text;
    m_nodes.clear();
    m_nodes.reserve(roomFor(text.size() - start));
    const char *const base = m_text.constData();
    JsonTreeParser parser(base, base + start, base + m_text.size(), m_nodes);
    m_error = parser.parse();
    if (m_error.error != QJsonParseError::NoError) {
        m_nodes.clear();
        return false;
    }
    return true;
}

JsonTree JsonTree::fromJson(const QJsonObject &object)
{
    JsonTree tree;
    tree.parse(QJsonDocument(object).toJson(QJsonDocument::Compact));
    return tree;
}

JsonTree JsonTree::fromJson(const QJsonArray &array)
{
    JsonTree tree;
    tree.parse(QJsonDocument(array).toJson(QJsonDocument::Compact));
    return tree;
}
