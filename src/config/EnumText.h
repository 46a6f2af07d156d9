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

// The value of name, or fallback when the table does not hold it.
template<std::size_t N>
int valueOf(const EnumText (&table)[N], const QString &name, int fallback)
{
    for (const EnumText &entry : table) {
        if (name == QLatin1String(entry.text))
            return entry.value;
    }
    return fallback;
}
