#include "JsonTextWriter.h"

#include <QtGlobal>

#include <algorithm>
#include <limits>

namespace {

constexpr int indentWidth = 4;
constexpr char spaces[] = "                                                                                "
                          "                                                                                ";
constexpr int spaceCount = int(sizeof spaces) - 1;

// Writes count spaces at out, which has room for count + fixedSpaces bytes.
constexpr int fixedSpaces = 64;
void spacesAt(char *out, int count)
{
    static_assert(fixedSpaces <= spaceCount, "one fixed copy of spaces");
    if (count <= fixedSpaces) {
        std::memcpy(out, spaces, fixedSpaces);
        return;
    }
    for (; count > 0; count -= spaceCount, out += spaceCount)
        std::memcpy(out, spaces, size_t(std::min(count, spaceCount)));
}

char hexDigit(unsigned value)
{
    return char(value < 10 ? '0' + value : 'a' + value - 10);
}

// The escape Qt writes for a character it does not put as it is.
char *escape(char *out, char16_t unit)
{
    *out++ = '\\';
    switch (unit) {
    case '"':
        *out++ = '"';
        break;
    case '\\':
        *out++ = '\\';
        break;
    case '\b':
        *out++ = 'b';
        break;
    case '\f':
        *out++ = 'f';
        break;
    case '\n':
        *out++ = 'n';
        break;
    case '\r':
        *out++ = 'r';
        break;
    case '\t':
        *out++ = 't';
        break;
    default:
        *out++ = 'u';
        for (int shift = 12; shift >= 0; shift -= 4)
            *out++ = hexDigit((unit >> shift) & 0xF);
    }
    return out;
}

bool needsEscape(unsigned c)
{
    return c < 0x20 || c == '"' || c == '\\';
}

} // namespace

JsonTextWriter::JsonTextWriter(QByteArray &out, int level)
    : m_out(out)
    , m_level(level)
{
    m_containers.reserve(16);
    const int used = m_out.size();
    m_out.resize(std::max(used + 256, int(m_out.capacity())));
    m_cursor = m_out.data() + used;
    m_end = m_out.data() + m_out.size();
}

JsonTextWriter::~JsonTextWriter()
{
    finish();
}

void JsonTextWriter::reserve(int bytes)
{
    ensure(bytes);
}

void JsonTextWriter::finish()
{
    // Only when there is something to cut: the array may be shared by now.
    const int used = position();
    if (m_out.size() == used)
        return;
    m_out.resize(used);
    m_cursor = m_out.data() + used;
    m_end = m_cursor;
}

void JsonTextWriter::raw(const char *bytes, int size)
{
    ensure(size);
    std::memcpy(m_cursor, bytes, size_t(size));
    m_cursor += size;
}

void JsonTextWriter::grow(int bytes)
{
    const int used = position();
    const qint64 wanted = std::max<qint64>(qint64(used) + bytes, qint64(m_out.size()) * 2);
    m_out.resize(int(std::min<qint64>(wanted, std::numeric_limits<int>::max() - 64)));
    m_cursor = m_out.data() + used;
    m_end = m_out.data() + m_out.size();
}

void JsonTextWriter::indent(int level)
{
    const int count = level * indentWidth;
    // Copies of one fixed size are much faster than of a varying one; the
    // spaces beyond count are written over by what follows.
    ensure(count + fixedSpaces);
    spacesAt(m_cursor, count);
    m_cursor += count;
}

void JsonTextWriter::beginValue()
{
    if (m_valueBegun) {
        m_valueBegun = false;
        return;
    }
    if (m_containers.empty() || !m_containers.back().isArray)
        return;
    Container &array = m_containers.back();
    if (!array.empty) {
        ensure(2);
        *m_cursor++ = ',';
        *m_cursor++ = '\n';
    }
    array.empty = false;
    indent(m_level);
}

void JsonTextWriter::key(const char *name, int size)
{
    Q_ASSERT(!m_containers.empty() && !m_containers.back().isArray);
    Container &object = m_containers.back();
#ifndef QT_NO_DEBUG
    // Keys in the order a QJsonObject keeps them.
    const char *const last = m_out.constData() + object.lastKey;
    Q_ASSERT_X(object.empty
                   || std::lexicographical_compare(last, last + object.lastKeySize, name, name + size,
                                                   [](char a, char b) { return uchar(a) < uchar(b); }),
               "JsonTextWriter::key", name);
#endif
    ensure(size + 6 + m_level * indentWidth + fixedSpaces);
    if (!object.empty) {
        *m_cursor++ = ',';
        *m_cursor++ = '\n';
    }
    object.empty = false;
    indent(m_level);
    *m_cursor++ = '"';
#ifndef QT_NO_DEBUG
    object.lastKey = position();
    object.lastKeySize = size;
#endif
    std::memcpy(m_cursor, name, size_t(size));
    m_cursor += size;
    *m_cursor++ = '"';
    *m_cursor++ = ':';
    *m_cursor++ = ' ';
}

void JsonTextWriter::beginContainer(char open, bool isArray)
{
    beginValue();
    ensure(2);
    *m_cursor++ = open;
    *m_cursor++ = '\n';
    Container container{};
    container.isArray = isArray;
    container.empty = true;
    m_containers.push_back(container);
    ++m_level;
}

void JsonTextWriter::endContainer(char close)
{
    Q_ASSERT(!m_containers.empty());
    const bool empty = m_containers.back().empty;
    m_containers.pop_back();
    --m_level;
    if (!empty) {
        ensure(1);
        *m_cursor++ = '\n';
    }
    indent(m_level);
    ensure(1);
    *m_cursor++ = close;
}

void JsonTextWriter::string(const QString &text)
{
    beginValue();
    const int size = text.size();
    // At most six bytes per UTF-16 unit (an escape), and the quotes.
    ensure(size * 6 + 2);
    char *out = m_cursor;
    *out++ = '"';
    const char16_t *unit = reinterpret_cast<const char16_t *>(text.utf16());
    const char16_t *const end = unit + size;
    while (unit < end) {
        const char16_t u = *unit++;
        if (u < 0x80) {
            if (needsEscape(u))
                out = escape(out, u);
            else
                *out++ = char(u);
        } else if (u < 0x800) {
            *out++ = char(0xC0 | (u >> 6));
            *out++ = char(0x80 | (u & 0x3F));
        } else if (!QChar::isSurrogate(u)) {
            *out++ = char(0xE0 | (u >> 12));
            *out++ = char(0x80 | ((u >> 6) & 0x3F));
            *out++ = char(0x80 | (u & 0x3F));
        } else if (QChar::isHighSurrogate(u) && unit < end && QChar::isLowSurrogate(*unit)) {
            const uint code = QChar::surrogateToUcs4(u, *unit++);
            *out++ = char(0xF0 | (code >> 18));
            *out++ = char(0x80 | ((code >> 12) & 0x3F));
            *out++ = char(0x80 | ((code >> 6) & 0x3F));
            *out++ = char(0x80 | (code & 0x3F));
        } else {
            // A lone surrogate has no UTF-8 form.
            out = escape(out, u);
        }
    }
    *out++ = '"';
    m_cursor = out;
}

void JsonTextWriter::latin1(const QByteArray &text)
{
    beginValue();
    ensure(text.size() * 6 + 2);
    char *out = m_cursor;
    *out++ = '"';
    for (const char c : text) {
        const uchar u = uchar(c);
        if (u >= 0x80) {
            *out++ = char(0xC0 | (u >> 6));
            *out++ = char(0x80 | (u & 0x3F));
        } else if (needsEscape(u)) {
            out = escape(out, u);
        } else {
            *out++ = char(u);
        }
    }
    *out++ = '"';
    m_cursor = out;
}

void JsonTextWriter::word(const char *text, int size)
{
    beginValue();
    ensure(size + 2);
    *m_cursor++ = '"';
#ifndef QT_NO_DEBUG
    for (int i = 0; i < size; ++i)
        Q_ASSERT_X(uchar(text[i]) < 0x80 && !needsEscape(uchar(text[i])), "JsonTextWriter::word", text);
#endif
    std::memcpy(m_cursor, text, size_t(size));
    m_cursor += size;
    *m_cursor++ = '"';
}

void JsonTextWriter::joinedWord(std::initializer_list<const char *> words)
{
    beginValue();
    size_t total = 0;
    for (const char *word : words)
        total += std::strlen(word);
    ensure(int(total) + 2);
    *m_cursor++ = '"';
    for (const char *word : words) {
        const size_t size = std::strlen(word);
        std::memcpy(m_cursor, word, size);
        m_cursor += size;
    }
    *m_cursor++ = '"';
}

void JsonTextWriter::number(qint64 value)
{
    beginValue();
    ensure(20);
    char digits[20];
    int count = 0;
    // Negated as unsigned, so that the smallest value has a magnitude too.
    quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    do {
        digits[count++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        *m_cursor++ = '-';
    while (count)
        *m_cursor++ = digits[--count];
}

void JsonTextWriter::boolean(bool value)
{
    beginValue();
    ensure(5);
    if (value) {
        std::memcpy(m_cursor, "true", 4);
        m_cursor += 4;
    } else {
        std::memcpy(m_cursor, "false", 5);
        m_cursor += 5;
    }
}

void JsonTextWriter::null()
{
    beginValue();
    ensure(4);
    std::memcpy(m_cursor, "null", 4);
    m_cursor += 4;
}

void JsonTextWriter::json(const QJsonObject &object)
{
    const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Indented);
    copy(text.constData(), text.size() - 1, 0); // without the document's last line feed
}

void JsonTextWriter::json(const QJsonArray &array)
{
    const QByteArray text = QJsonDocument(array).toJson(QJsonDocument::Indented);
    copy(text.constData(), text.size() - 1, 0);
}

JsonTextWriter::Span JsonTextWriter::beginSpan()
{
    // The separator of an array element is not part of the value.
    beginValue();
    m_valueBegun = true;
    Span span;
    span.start = span.end = position();
    span.level = m_level;
    return span;
}

void JsonTextWriter::copy(const Span &span)
{
    beginValue();
    const int size = span.end - span.start;
    const int extraLevels = m_level - span.level;
    Q_ASSERT(extraLevels >= 0);
    // Room first: the text lies in this very array, which may move.
    int lines = 0;
    for (const char *c = m_out.constData() + span.start, *end = c + size;
         (c = static_cast<const char *>(std::memchr(c, '\n', size_t(end - c)))) != nullptr; ++c)
        ++lines;
    ensure(size + lines * extraLevels * indentWidth + fixedSpaces);
    copyIndented(m_out.constData() + span.start, size, extraLevels);
}

void JsonTextWriter::copy(const char *text, int size, int level)
{
    beginValue();
    const int extraLevels = m_level - level;
    Q_ASSERT(extraLevels >= 0);
    ensure(size + int(std::count(text, text + size, '\n')) * extraLevels * indentWidth + fixedSpaces);
    copyIndented(text, size, extraLevels);
}

void JsonTextWriter::copyIndented(const char *text, int size, int extraLevels)
{
    // Room is there; strings hold no raw line feeds, so every one ends a line.
    const char *const end = text + size;
    const int extra = extraLevels * indentWidth;
    while (text < end) {
        const char *lineEnd = static_cast<const char *>(std::memchr(text, '\n', size_t(end - text)));
        const char *const next = lineEnd ? lineEnd + 1 : end;
        std::memcpy(m_cursor, text, size_t(next - text));
        m_cursor += next - text;
        text = next;
        if (lineEnd) {
            spacesAt(m_cursor, extra);
            m_cursor += extra;
        }
    }
}

QJsonDocument JsonTextWriter::parsed(const QByteArray &text)
{
    return QJsonDocument::fromJson(text);
}
