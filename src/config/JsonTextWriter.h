#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <cstring>
#include <initializer_list>
#include <vector>

// Writes JSON text straight into a byte array, byte for byte as
// QJsonDocument::toJson(QJsonDocument::Indented) formats the same values:
// four spaces per level, one member or element per line, ": " after a key,
// "{\n" + indentation + "}" for an empty object or array, strings as UTF-8
// with Qt's escapes, integers in decimal. It writes no fractions.
//
// The caller writes the members of every object in ascending order of their
// keys (by character code), as a QJsonObject holds them; a debug build
// asserts it.
//
//     QByteArray text;
//     JsonTextWriter json(text);
//     json.beginObject();
//     json.member("Name", name);
//     json.key("Values");
//     json.beginArray();
//     json.number(1);
//     json.endArray();
//     json.endObject();
//     json.finish();
//
// A value written before can be written again at another place, one level or
// more deeper (copy): its lines get the extra indentation.
class JsonTextWriter
{
public:
    // Appends to out, starting with a value at the given nesting level.
    explicit JsonTextWriter(QByteArray &out, int level = 0);
    // Calls finish().
    ~JsonTextWriter();
    JsonTextWriter(const JsonTextWriter &) = delete;
    JsonTextWriter &operator=(const JsonTextWriter &) = delete;

    // Makes room for that many more bytes at once.
    void reserve(int bytes);
    // Cuts the array to what was written. Writing may go on afterwards.
    void finish();
    // Bytes as they are, outside any value (a first line, a last line feed).
    void raw(const char *bytes, int size);

    // --- Values: at the start, after key() or as the next element of an array.
    void beginObject() { beginContainer('{', false); }
    void endObject() { endContainer('}'); }
    void beginArray() { beginContainer('[', true); }
    void endArray() { endContainer(']'); }
    void string(const QString &text);
    // Bytes taken as Latin-1 characters, as QString::fromLatin1 reads them.
    void latin1(const QByteArray &text);
    // Text of the program's own that needs no escapes (ASCII letters and
    // punctuation other than '"' and '\').
    void word(const char *text) { word(text, int(std::strlen(text))); }
    void word(const char *text, int size);
    // The words as one.
    void joinedWord(std::initializer_list<const char *> words);
    // Exact up to 2^53 in magnitude, as far as Qt writes numbers exactly.
    void number(qint64 value);
    void boolean(bool value);
    void null();
    // A Qt JSON value, as QJsonDocument would write it here.
    void json(const QJsonObject &object);
    void json(const QJsonArray &array);

    // --- A value written earlier by this writer, and copying it.
    struct Span
    {
        int start = 0; // offsets in the array given to the constructor
        int end = 0;
        int level = 0; // where it was written
    };
    // Call before writing a value, then call endSpan with what it returns.
    Span beginSpan();
    void endSpan(Span &span) const { span.end = position(); }
    void copy(const Span &span);
    // Text of a value written at nesting level `level` in this form.
    void copy(const char *text, int size, int level);

    // --- Members of an object.
    template<int N>
    void key(const char (&name)[N])
    {
        key(name, N - 1);
    }
    void key(const char *name, int size);
    template<int N>
    void member(const char (&name)[N], int value)
    {
        key(name, N - 1);
        number(value);
    }
    template<int N>
    void member(const char (&name)[N], qint64 value)
    {
        key(name, N - 1);
        number(value);
    }
    template<int N>
    void member(const char (&name)[N], bool value)
    {
        key(name, N - 1);
        boolean(value);
    }
    template<int N>
    void member(const char (&name)[N], const QString &value)
    {
        key(name, N - 1);
        string(value);
    }
    // A word (see word()).
    template<int N>
    void member(const char (&name)[N], const char *value)
    {
        key(name, N - 1);
        word(value);
    }
    template<int N>
    void nullMember(const char (&name)[N])
    {
        key(name, N - 1);
        null();
    }

    // The offset in the array at which the next byte goes.
    int position() const { return int(m_cursor - m_out.constData()); }
    int level() const { return m_level; }

    // What writing into a JsonTextWriter gives, as a Qt JSON value (parsed
    // back by Qt); for callers that want QJsonObject and QJsonArray.
    template<class Write>
    static QJsonObject object(Write write)
    {
        return parsed(text(write)).object();
    }
    template<class Write>
    static QJsonArray array(Write write)
    {
        return parsed(text(write)).array();
    }

private:
    struct Container
    {
        bool isArray;
        bool empty;
#ifndef QT_NO_DEBUG
        int lastKey; // where the last key's text stands in the array
        int lastKeySize;
#endif
    };

    template<class Write>
    static QByteArray text(Write write)
    {
        QByteArray out;
        JsonTextWriter json(out);
        write(json);
        json.finish();
        return out;
    }
    static QJsonDocument parsed(const QByteArray &text);

    void ensure(int bytes)
    {
        if (m_end - m_cursor < bytes)
            grow(bytes);
    }
    void grow(int bytes);
    // Before a value: the separator and indentation of an array element.
    void beginValue();
    void beginContainer(char open, bool isArray);
    void endContainer(char close);
    void indent(int level);
    void copyIndented(const char *text, int size, int extraLevels);

    QByteArray &m_out;
    char *m_cursor = nullptr;
    char *m_end = nullptr;
    int m_level;
    // Set by beginSpan: the separator of the value to come is written.
    bool m_valueBegun = false;
    std::vector<Container> m_containers;
};
