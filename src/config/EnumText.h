#pragma once
// Enumerations written as words: in the configuration file and in the
// action texts.

#include <QLatin1String>
#include <QString>

#include <cstddef>

// One value of an enumeration with its word in the file.
struct EnumText
{
    int value;
    const char *text;
};

// The word of value, or an empty text when the table does not hold it.
template<std::size_t N>
QString nameOf(const EnumText (&table)[N], int value)
{
    for (const EnumText &entry : table) {
        if (entry.value == value)
            return QString::fromLatin1(entry.text);
    }
    return QString();
}

// The same word for writers: empty when the table does not hold the value.
template<std::size_t N>
const char *wordOf(const EnumText (&table)[N], int value)
{
    for (const EnumText &entry : table) {
        if (entry.value == value)
            return entry.text;
    }
    return "";
}

// The value of name (a QString or anything else that compares with a
// QLatin1String), or fallback when the table does not hold it.
template<std::size_t N, class Name>
int valueOf(const EnumText (&table)[N], const Name &name, int fallback)
{
    for (const EnumText &entry : table) {
        if (name == QLatin1String(entry.text))
            return entry.value;
    }
    return fallback;
}
