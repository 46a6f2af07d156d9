#pragma once
// The "[Desktop Entry]" group of a desktop entry file, read with the format's
// own rules: comments, "key=value" lines (blanks around "=" ignored), the
// escapes of string values, and the quoting and field codes of "Exec". Other
// groups, and the format's lists and localised keys beyond their plain key
// names, are not interpreted.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

class DesktopEntry
{
public:
    // Files larger than this are not read.
    static constexpr qint64 maximumFileSize = 64 * 1024;

    // The entry in a file's text. A text without the group gives an entry
    // without keys (isValid() false).
    static DesktopEntry parse(const QByteArray &text);
    // The file's bytes: only a regular file of at most maximumFileSize, opened
    // without following a link and without waiting for a writer. Nothing when
    // it cannot be read.
    static std::optional<QByteArray> readFile(const QString &path);

    bool isValid() const { return hasGroup; }
    // A string value with its escapes resolved (\s \n \t \r \\); empty when
    // missing. Localised keys are separate: value("Name") is the plain name.
    QString value(const QString &key) const { return values.value(key); }
    // A boolean value: true only for "true".
    bool isTrue(const QString &key) const { return values.value(key) == QLatin1String("true"); }
    // "Exec" split into its arguments, quotes resolved and field codes
    // removed; empty when the quoting is broken.
    QStringList execArguments() const { return splitExec(value(QStringLiteral("Exec"))); }

    // An "Exec" value (escapes already resolved) split as above.
    static QStringList splitExec(const QString &exec);

private:
    QHash<QString, QString> values;
    bool hasGroup = false;
};
